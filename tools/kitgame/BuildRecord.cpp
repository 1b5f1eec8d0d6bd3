#include "tools/kitgame/BuildRecord.h"

#include <charconv>
#include <chrono>
#include <limits>

#include "common/WholeFile.h"
#include "engine/save/SaveFile.h"

namespace kitgame {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kFirstLine = "kit-game build record 1";

bool recordable(const fs::path& path) {
    return path.string().find_first_of("\t\r\n") == std::string::npos;
}

void appendStamp(std::string& line, const FileStamp& stamp) {
    line += '\t' + std::to_string(stamp.time) + '\t' + std::to_string(stamp.size);
}

template <typename Number>
bool readNumber(std::string_view field, Number& value) {
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    return !field.empty() && error == std::errc() && end == field.data() + field.size();
}

std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string_view::npos) return fields;
        start = tab + 1;
    }
}

// FIELDS[at] and the two after it as a path and its stamp.
bool readEntry(const std::vector<std::string_view>& fields, std::size_t at, fs::path& path,
               FileStamp& stamp) {
    path = fs::path(std::string(fields[at]));
    return recordable(path) && readNumber(fields[at + 1], stamp.time) &&
           readNumber(fields[at + 2], stamp.size);
}

}  // namespace

std::optional<FileStamp> stampOf(const fs::path& path) {
    std::error_code ec;
    const auto time = fs::last_write_time(path, ec);
    if (ec) return std::nullopt;
    const auto size = fs::file_size(path, ec);
    if (ec) return std::nullopt;
    return FileStamp{stampTime(time), size};
}

bool unchangedSinceBuilt(const fs::path& path, const BuiltFile& built) {
    const std::optional<FileStamp> now = stampOf(path);
    if (!now || now->size != built.written.size) return false;
    return *now == built.written || checksumOf(path) == built.checksum;
}

std::optional<std::uint32_t> checksumOf(const fs::path& path) {
    const auto bytes = kit::readWholeFile(path);
    if (!bytes) return std::nullopt;
    return save::Crc32(*bytes);
}

std::int64_t stampTime(fs::file_time_type time) {
    using namespace std::chrono;
    if (time == fs::file_time_type::min()) return std::numeric_limits<std::int64_t>::min();
    return duration_cast<nanoseconds>(file_clock::to_sys(time).time_since_epoch()).count();
}

std::string formatBuildRecord(const BuildRecord& record) {
    std::string text = std::string(kFirstLine) + "\n";
    for (const auto& [output, built] : record) {
        bool ok = recordable(output) && recordable(built.source);
        std::string line = output.generic_string() + '\t' + built.source.generic_string();
        appendStamp(line, built.written);
        line += '\t' + std::to_string(built.checksum);
        for (const auto& [input, stamp] : built.inputs) {
            ok = ok && recordable(input);
            line += '\t' + input.generic_string();
            appendStamp(line, stamp);
        }
        if (ok) text += line + '\n';
    }
    return text;
}

BuildRecord parseBuildRecord(std::string_view text) {
    BuildRecord record;
    std::size_t start = 0;
    bool first = true;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (std::exchange(first, false)) {
            if (line != kFirstLine) return record;
            continue;
        }
        const std::vector<std::string_view> fields = splitFields(line);
        if (fields.size() < 5 || (fields.size() - 5) % 3 != 0 || fields[0].empty()) continue;
        BuiltFile built;
        if (!readEntry(fields, 1, built.source, built.written) ||
            !readNumber(fields[4], built.checksum))
            continue;
        bool ok = true;
        for (std::size_t at = 5; ok && at < fields.size(); at += 3) {
            auto& [input, stamp] = built.inputs.emplace_back();
            ok = readEntry(fields, at, input, stamp);
        }
        const fs::path output{std::string(fields[0])};
        if (ok && recordable(output)) record[output] = std::move(built);
    }
    return record;
}

}  // namespace kitgame
