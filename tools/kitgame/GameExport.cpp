#include "tools/kitgame/GameExport.h"

#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <ostream>
#include <sstream>

#include "common/AtomicFile.h"
#include "common/WholeFile.h"
#include "tools/sf2cut/Sf2Cut.h"

namespace kitgame {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// Where the page's sound font is cut from: the General MIDI fonts Dunmere itself looks for.
constexpr const char* kFullFonts[] = {"/usr/share/sounds/sf2/TimGM6mb.sf2",
                                      "/usr/share/sounds/sf2/default-GM.sf2",
                                      "/usr/share/sounds/sf2/FluidR3_GM.sf2"};
// The optional file of a game's source folder that names its page (see the README).
constexpr const char* kPageFile = "page.txt";

struct PageWords {
    std::string title, description;
    fs::path icon;
};

std::string firstLine(const fs::path& file) {
    const auto bytes = kit::readWholeFile(file);
    if (!bytes) return "";
    std::string line(bytes->begin(), std::find(bytes->begin(), bytes->end(), '\n'));
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    return line;
}

// The page's title, description and icon: page.txt's "title", "description" and "icon" lines,
// else the game's game.id, else the folder's name.
PageWords pageWords(const fs::path& src, const fs::path& game) {
    PageWords words;
    for (const fs::path& dir : {src, game}) {
        const auto bytes = kit::readWholeFile(dir / kPageFile);
        if (!bytes) continue;
        std::istringstream lines(std::string(bytes->begin(), bytes->end()));
        for (std::string line; std::getline(lines, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            const auto space = line.find(' ');
            const std::string key = line.substr(0, space);
            const std::string value = space == std::string::npos ? "" : line.substr(space + 1);
            if (key == "title") words.title = value;
            if (key == "description") words.description = value;
            if (key == "icon") words.icon = dir / value;
        }
        break;
    }
    if (words.title.empty()) words.title = firstLine(game / "game.id");
    if (words.title.empty()) words.title = firstLine(src / "game.id");
    if (words.title.empty()) words.title = fs::absolute(src).lexically_normal().filename().string();
    if (words.description.empty()) words.description = words.title;
    return words;
}

std::string escapeHtml(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

void replaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// The regular files under `dir`, relative, sorted, hidden ones passed over.
std::vector<fs::path> filesUnder(const fs::path& dir) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(dir, ec); !ec && it != fs::end(it);
         it.increment(ec)) {
        if (it->path().filename().string().starts_with(".")) {
            if (it->is_directory()) it.disable_recursion_pending();
            continue;
        }
        if (it->is_regular_file()) files.push_back(fs::relative(it->path(), dir));
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string copyTree(const fs::path& from, const fs::path& to, std::vector<std::string>* names) {
    for (const fs::path& file : filesUnder(from)) {
        std::error_code ec;
        fs::create_directories((to / file).parent_path(), ec);
        fs::copy_file(from / file, to / file, fs::copy_options::overwrite_existing, ec);
        if (ec) return (from / file).string() + ": " + ec.message();
        if (names) names->push_back(file.generic_string());
    }
    return "";
}

// Deflate in one call; windowBits picks the wrapper: 15 + 16 a gzip member, -15 bare deflate
// (what a zip entry holds).
Bytes deflateBytes(const Bytes& data, int windowBits, int level) {
    z_stream z{};
    deflateInit2(&z, level, Z_DEFLATED, windowBits, 9, Z_DEFAULT_STRATEGY);
    Bytes out(deflateBound(&z, data.size()) + 32);
    z.next_in = const_cast<Bytes::value_type*>(data.data());
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

Bytes gzipBytes(const Bytes& data, int level = Z_BEST_COMPRESSION) {
    return deflateBytes(data, 15 + 16, level);
}

Bytes rawDeflate(const Bytes& data) {
    return deflateBytes(data, -15, Z_BEST_COMPRESSION);
}

void put16(Bytes& out, std::uint32_t v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
void put32(Bytes& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// A zip of the files under `dir` (deflated, or stored where that is smaller), names relative.
std::string writeZip(const fs::path& dir, const std::vector<fs::path>& files, const fs::path& out) {
    Bytes zip, central;
    for (const fs::path& file : files) {
        const auto data = kit::readWholeFile(dir / file);
        if (!data) return (dir / file).string() + ": cannot read";
        const std::string name = file.generic_string();
        const auto crc =
            static_cast<std::uint32_t>(crc32(0, data->data(), static_cast<uInt>(data->size())));
        Bytes packed = rawDeflate(*data);
        const bool deflated = packed.size() < data->size();
        if (!deflated) packed = *data;
        const auto offset = static_cast<std::uint32_t>(zip.size());
        auto header = [&](Bytes& to, bool local) {
            put32(to, local ? 0x04034b50 : 0x02014b50);
            if (!local) put16(to, 0x031E);  // made by: Unix, version 3.0
            put16(to, 20);
            put16(to, 0x0800);  // names in UTF-8
            put16(to, deflated ? 8 : 0);
            put16(to, 0), put16(to, 0x21);  // time 00:00, date 1980-01-01
            put32(to, crc), put32(to, static_cast<std::uint32_t>(packed.size()));
            put32(to, static_cast<std::uint32_t>(data->size()));
            put16(to, static_cast<std::uint32_t>(name.size())), put16(to, 0);
            if (!local) {
                put16(to, 0), put16(to, 0), put16(to, 0);
                put32(to, 0644u << 16 | 0x8000u << 16);  // a regular file, rw-r--r--
                put32(to, offset);
            }
            to.insert(to.end(), name.begin(), name.end());
        };
        header(zip, true);
        zip.insert(zip.end(), packed.begin(), packed.end());
        header(central, false);
    }
    const auto centralAt = static_cast<std::uint32_t>(zip.size());
    zip.insert(zip.end(), central.begin(), central.end());
    put32(zip, 0x06054b50), put16(zip, 0), put16(zip, 0);
    put16(zip, static_cast<std::uint32_t>(files.size())),
        put16(zip, static_cast<std::uint32_t>(files.size()));
    put32(zip, static_cast<std::uint32_t>(central.size())), put32(zip, centralAt), put16(zip, 0);
    return kit::writeFileAtomically(out, zip);
}

// A gzip-compressed tar of the files under `dir`, inside the folder `top`.
std::string writeTarGz(const fs::path& dir, const std::string& top, const fs::path& out) {
    Bytes tar;
    auto entry = [&](const std::string& name, const Bytes* data, unsigned mode) {
        Bytes header(512, 0);
        std::memcpy(header.data(), name.data(), std::min<std::size_t>(name.size(), 99));
        std::snprintf(reinterpret_cast<char*>(&header[100]), 8, "%07o", mode);
        std::snprintf(reinterpret_cast<char*>(&header[108]), 8, "%07o", 0);
        std::snprintf(reinterpret_cast<char*>(&header[116]), 8, "%07o", 0);
        std::snprintf(reinterpret_cast<char*>(&header[124]), 12, "%011lo",
                      static_cast<unsigned long>(data ? data->size() : 0));
        std::snprintf(reinterpret_cast<char*>(&header[136]), 12, "%011o", 0);
        header[156] = data ? '0' : '5';
        std::memcpy(&header[257], "ustar", 6);
        std::memcpy(&header[263], "00", 2);
        std::memset(&header[148], ' ', 8);
        unsigned sum = 0;
        for (const std::uint8_t b : header) sum += b;
        std::snprintf(reinterpret_cast<char*>(&header[148]), 8, "%06o", sum);
        tar.insert(tar.end(), header.begin(), header.end());
        if (data) {
            tar.insert(tar.end(), data->begin(), data->end());
            tar.resize((tar.size() + 511) / 512 * 512, 0);
        }
    };
    std::vector<std::string> dirs;
    entry(top + "/", nullptr, 0755);
    for (const fs::path& file : filesUnder(dir)) {
        std::vector<std::string> parents;  // outermost first, each folder before its files
        for (fs::path parent = file.parent_path(); !parent.empty(); parent = parent.parent_path())
            parents.insert(parents.begin(), parent.generic_string());
        for (const std::string& parent : parents)
            if (std::find(dirs.begin(), dirs.end(), parent) == dirs.end()) {
                dirs.push_back(parent);
                entry(top + "/" + parent + "/", nullptr, 0755);
            }
        const std::string name = top + "/" + file.generic_string();
        if (name.size() > 99) return name + ": the name is too long for the archive";
        const auto data = kit::readWholeFile(dir / file);
        if (!data) return (dir / file).string() + ": cannot read";
        const auto perms = fs::status(dir / file).permissions();
        entry(name, &*data, (perms & fs::perms::owner_exec) != fs::perms::none ? 0755 : 0644);
    }
    tar.resize(tar.size() + 1024, 0);
    return kit::writeFileAtomically(out, gzipBytes(tar, Z_DEFAULT_COMPRESSION));
}

// The sound font cut to what the game's MIDI files play.
std::string cutSoundFont(const fs::path& game, const fs::path& out, std::ostream& log) {
    sf2::MidiUsage usage;
    std::string error;
    for (const fs::path& file : filesUnder(game)) {
        std::string extension = file.extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(), ::tolower);
        if (extension != ".mid") continue;
        const auto bytes = kit::readWholeFile(game / file);
        if (bytes && !sf2::scanMidi(*bytes, usage, error))
            log << "kit-game: " << (game / file).string() << ": " << error
                << " (left out of the sound font)\n";
    }
    for (const char* path : kFullFonts) {
        const auto bytes = kit::readWholeFile(path);
        sf2::SoundFont font;
        if (!bytes || !sf2::readSoundFont(*bytes, font, error)) continue;
        return kit::writeFileAtomically(out, sf2::writeSoundFont(sf2::cutSoundFont(font, usage)));
    }
    log << "kit-game: no General MIDI sound font found: the page's music stays silent\n";
    return "";
}

// Every file worth compressing gets "NAME.gz" beside it, for servers that send it as it is.
void addGzipped(const fs::path& dir) {
    for (const fs::path& file : filesUnder(dir)) {
        const std::string extension = file.extension().string();
        if (extension == ".gz" || extension == ".png" || extension == ".zip") continue;
        const auto data = kit::readWholeFile(dir / file);
        if (!data || data->size() < 256) continue;
        const Bytes packed = gzipBytes(*data);
        if (packed.size() < data->size() * 9 / 10)
            kit::writeFileAtomically(dir / (file.string() + ".gz"), packed);
    }
}

std::string exportWeb(const fs::path& src, const fs::path& game, const fs::path& site,
                      const ExportTools& tools, std::ostream& log) {
    const fs::path kit = tools.toolDir / ".." / "web-kit";
    std::error_code ec;
    if (!fs::is_regular_file(kit / "index.html", ec))
        return "the web page's files are not built: run ./kit web first (" + kit.string() + ")";
    fs::remove_all(site, ec);
    if (std::string why = copyTree(kit, site, nullptr); !why.empty()) return why;
    std::vector<std::string> names;
    if (std::string why = copyTree(game, site / "game", &names); !why.empty()) return why;
    std::string list;
    for (const std::string& name : names) list += name + "\n";
    if (std::string why = kit::writeFileAtomically(site / "game" / "files.txt", list); !why.empty())
        return why;
    const PageWords words = pageWords(src, game);
    auto page = kit::readWholeFile(kit / "index.html");
    std::string html(page->begin(), page->end());
    replaceAll(html, "@TITLE@", escapeHtml(words.title));
    replaceAll(html, "@DESCRIPTION@", escapeHtml(words.description));
    if (std::string why = kit::writeFileAtomically(site / "index.html", html); !why.empty())
        return why;
    if (!words.icon.empty()) {
        fs::copy_file(words.icon, site / "icon.png", fs::copy_options::overwrite_existing, ec);
        if (ec) return words.icon.string() + ": " + ec.message();
    }
    if (std::string why = cutSoundFont(game, site / "soundfont.sf2", log); !why.empty()) return why;
    addGzipped(site);
    return "";
}

std::string exportLinux(const fs::path& game, const fs::path& folder, const ExportTools& tools) {
    std::error_code ec;
    fs::remove_all(folder, ec);
    fs::create_directories(folder, ec);
    fs::copy_file(tools.toolDir / "dunmere", folder / "dunmere", ec);
    if (ec) return (tools.toolDir / "dunmere").string() + ": " + ec.message();
    if (std::string why = copyTree(game, folder / "game", nullptr); !why.empty()) return why;
    const std::string start =
        "#!/bin/sh\n# Starts the game; options go to Dunmere (--scale 2, --fullscreen, --mute "
        "...).\n"
        "here=$(dirname \"$(readlink -f \"$0\")\")\nexec \"$here/dunmere\" --game-dir "
        "\"$here/game\" \"$@\"\n";
    if (std::string why = kit::writeFileAtomically(folder / "play", start); !why.empty())
        return why;
    fs::permissions(folder / "play", fs::perms::owner_all | fs::perms::group_read |
                                         fs::perms::group_exec | fs::perms::others_read |
                                         fs::perms::others_exec);
    const std::string readme =
        "Start the game with ./play (options: --scale N, --fullscreen, --mute).\n\n"
        "It needs these libraries, on Debian or Ubuntu:\n"
        "  sudo apt install libsdl2-2.0-0 libsdl2-mixer-2.0-0 libpng16-16 zlib1g "
        "timgm6mb-soundfont\n"
        "(the sound font only for the music). Saved games go to ~/.local/share/dunmere/.\n";
    return kit::writeFileAtomically(folder / "README.txt", readme);
}

}  // namespace

int exportGame(const std::vector<std::string>& args, const ExportTools& tools, std::ostream& log) {
    if ((args.size() != 3 && args.size() != 5) || (args[0] != "--web" && args[0] != "--linux") ||
        (args.size() == 5 && args[3] != "--built")) {
        log << "usage: kit-game export --web SRC OUT[.zip] [--built DIR]\n"
               "       kit-game export --linux SRC OUT.tar.gz [--built DIR]\n";
        return 2;
    }
    const fs::path src = args[1], out = args[2];
    fs::path game = args.size() == 5 ? fs::path(args[4]) : src / "build";
    if (args.size() == 3 && !tools.build(src, game)) return 1;
    std::error_code ec;
    if (!fs::is_regular_file(game / "ev" / "START.sc", ec)) {
        log << "kit-game: " << game.string() << " holds no built game (ev/START.sc)\n";
        return 1;
    }
    const bool zip = out.extension() == ".zip";
    const fs::path staging =
        zip || args[0] == "--linux"
            ? fs::temp_directory_path() / ("kit-game-export-" + std::to_string(getpid()))
            : out;
    std::string why;
    if (args[0] == "--web") {
        why = exportWeb(src, game, staging, tools, log);
        if (why.empty() && zip) {
            std::vector<fs::path> files;
            for (const fs::path& file : filesUnder(staging))
                if (file.extension() != ".gz") files.push_back(file);  // game sites compress
            why = writeZip(staging, files, out);
        }
    } else {
        std::string top = out.filename().string();
        for (const char* ending : {".tar.gz", ".tgz"})
            if (top.ends_with(ending)) top.resize(top.size() - std::strlen(ending));
        why = exportLinux(game, staging, tools);
        if (why.empty()) why = writeTarGz(staging, top, out);
    }
    if (staging != out) fs::remove_all(staging, ec);
    if (!why.empty()) {
        log << "kit-game: " << why << "\n";
        return 1;
    }
    log << "kit-game: exported " << out.string() << "\n";
    return 0;
}

}  // namespace kitgame
