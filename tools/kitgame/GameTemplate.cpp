#include "tools/kitgame/GameTemplate.h"

#include <system_error>

#include "common/AtomicFile.h"
#include "tools/kitgame/GameId.h"

namespace kitgame {

namespace fs = std::filesystem;

std::string writeNewGame(const fs::path& dir) {
    std::error_code ec;
    if (fs::exists(dir, ec) && !(fs::is_directory(dir, ec) && fs::is_empty(dir, ec)))
        return dir.string() + " already exists and is not empty";
    for (const TemplateFile& file : templateFiles()) {
        const fs::path path = dir / file.path;
        fs::create_directories(path.parent_path(), ec);
        if (std::string why = kit::writeFileAtomically(path, file.bytes); !why.empty())
            return "cannot write " + path.string() + ": " + why;
    }
    const fs::path idFile = dir / "game.id";
    if (std::string why = kit::writeFileAtomically(idFile, newGameId(dir) + "\n"); !why.empty())
        return "cannot write " + idFile.string() + ": " + why;
    return {};
}

}  // namespace kitgame
