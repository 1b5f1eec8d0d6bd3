#include "designer/ui/InstanceLock.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace kyrel {

InstanceLock::~InstanceLock() {
    release();
}

void InstanceLock::release() {
    if (fd_ >= 0) {
        // The file stays: deleting it could race with a new copy that has just opened it.
        ::close(fd_);
        fd_ = -1;
    }
}

std::int32_t InstanceLock::acquire(const std::string& directory) {
    release();
    number_ = 0;
    for (std::int32_t n = 0; n < kMaxInstances; ++n) {
        const std::string path = directory + "kyrel-instance-" + std::to_string(n) + ".lock";
        int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        // Another user's lock file can still be locked through a read-only descriptor.
        if (fd < 0) fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            if (n == 0 && errno == ENOENT) return 0;  // the directory is missing
            continue;
        }
        // flock locks belong to the open file, so two copies in one process also exclude
        // each other.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            fd_ = fd;
            number_ = n;
            return n;
        }
        ::close(fd);
    }
    return 0;
}

}  // namespace kyrel
