#include "common/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace kit {

std::string writeFileAtomically(const std::filesystem::path& path,
                                std::span<const std::uint8_t> bytes) {
    std::filesystem::path dir = path.parent_path();
    if (dir.empty()) dir = ".";
    std::string tmpl = (dir / ("." + path.filename().string() + ".XXXXXX")).string();
    int fd = mkstemp(tmpl.data());
    if (fd < 0) return std::strerror(errno);

    // Keep the permissions a newly created file would have had (mkstemp makes it 0600).
    mode_t mask = umask(0);
    umask(mask);
    mode_t mode = 0666 & ~mask;
    struct stat old {};
    if (stat(path.c_str(), &old) == 0) mode = old.st_mode & 07777;
    fchmod(fd, mode);

    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            std::string why = std::strerror(errno);
            close(fd);
            unlink(tmpl.c_str());
            return why;
        }
        done += static_cast<std::size_t>(n);
    }
    if (fsync(fd) != 0 || close(fd) != 0) {
        std::string why = std::strerror(errno);
        unlink(tmpl.c_str());
        return why;
    }
    if (std::rename(tmpl.c_str(), path.c_str()) != 0) {
        std::string why = std::strerror(errno);
        unlink(tmpl.c_str());
        return why;
    }
    return {};
}

}  // namespace kit
