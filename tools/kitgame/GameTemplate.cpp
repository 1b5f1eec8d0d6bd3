#include "tools/kitgame/GameTemplate.h"

#include <map>
#include <system_error>

#include "common/AtomicFile.h"
#include "tools/kitgame/GameId.h"

namespace kitgame {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kEnglishPrefix = "en:";

// The files of the game in `language`, by their path in the new folder.
std::map<std::string_view, std::string_view> filesIn(std::string_view language) {
    std::map<std::string_view, std::string_view> files;
    for (const TemplateFile& file : templateFiles())
        if (!file.path.starts_with(kEnglishPrefix)) files[file.path] = file.bytes;
    if (language == "en")
        for (const TemplateFile& file : templateFiles())
            if (file.path.starts_with(kEnglishPrefix))
                files[file.path.substr(kEnglishPrefix.size())] = file.bytes;
    return files;
}

}  // namespace

bool isTemplateLanguage(std::string_view language) {
    return language == "ja" || language == "en";
}

std::string writeNewGame(const fs::path& dir, std::string_view language) {
    if (!isTemplateLanguage(language))
        return "unknown language '" + std::string(language) + "' (ja or en)";
    std::error_code ec;
    if (fs::exists(dir, ec) && !(fs::is_directory(dir, ec) && fs::is_empty(dir, ec)))
        return dir.string() + " already exists and is not empty";
    for (const auto& [name, bytes] : filesIn(language)) {
        const fs::path path = dir / name;
        fs::create_directories(path.parent_path(), ec);
        if (std::string why = kit::writeFileAtomically(path, bytes); !why.empty())
            return "cannot write " + path.string() + ": " + why;
    }
    const fs::path idFile = dir / "game.id";
    if (std::string why = kit::writeFileAtomically(idFile, newGameId(dir) + "\n"); !why.empty())
        return "cannot write " + idFile.string() + ": " + why;
    return {};
}

}  // namespace kitgame
