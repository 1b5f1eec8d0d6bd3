#include "tools/midi/NoteList.h"

#include <algorithm>
#include <optional>
#include <sstream>

namespace tools {
namespace {

constexpr int kTicksPerQuarter = 96;

struct Event {
    std::uint32_t tick;
    int order;  // note-offs before note-ons at the same tick
    std::vector<std::uint8_t> bytes;
};

struct Track {
    int channel = 0;
    std::vector<Event> events;
    std::uint32_t now = 0;
    int velocity = 96;
};

std::optional<int> toInt(const std::string& s, int lo, int hi) {
    try {
        std::size_t used = 0;
        int v = std::stoi(s, &used);
        if (used != s.size() || v < lo || v > hi) return std::nullopt;
        return v;
    } catch (...) {
        return std::nullopt;
    }
}

// "c4", "f#3", "bb2", "n36" -> key number.
std::optional<int> keyNumber(const std::string& s) {
    if (s.size() >= 2 && s[0] == 'n') return toInt(s.substr(1), 0, 127);
    static const int kSemitone[] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
    if (s.empty() || s[0] < 'a' || s[0] > 'g') return std::nullopt;
    int key = kSemitone[s[0] - 'a'];
    std::size_t i = 1;
    for (; i < s.size() && (s[i] == '#' || (s[i] == 'b' && i + 1 < s.size())); ++i)
        key += s[i] == '#' ? 1 : -1;
    auto octave = toInt(s.substr(i), -1, 9);
    if (!octave) return std::nullopt;
    key += (*octave + 1) * 12;
    if (key < 0 || key > 127) return std::nullopt;
    return key;
}

// "4", "8.", "2" -> ticks.
std::optional<std::uint32_t> length(const std::string& s) {
    bool dotted = !s.empty() && s.back() == '.';
    auto d = toInt(dotted ? s.substr(0, s.size() - 1) : s, 1, 64);
    if (!d || (kTicksPerQuarter * 4) % *d != 0) return std::nullopt;
    std::uint32_t ticks = static_cast<std::uint32_t>(kTicksPerQuarter * 4 / *d);
    if (dotted) ticks += ticks / 2;
    return ticks;
}

std::string token(Track& t, const std::string& tok) {
    if (tok == "|") return "";
    if (tok[0] == 'v' && tok.size() > 1 && tok[1] >= '0' && tok[1] <= '9') {
        auto v = toInt(tok.substr(1), 1, 127);
        if (!v) return "velocity must be 1..127";
        t.velocity = *v;
        return "";
    }
    std::size_t slash = tok.find('/');
    if (slash == std::string::npos) return "'" + tok + "' has no length";
    auto ticks = length(tok.substr(slash + 1));
    if (!ticks) return "bad length in '" + tok + "'";
    std::string notes = tok.substr(0, slash);
    if (notes != "r") {
        std::istringstream parts(notes);
        std::string one;
        while (std::getline(parts, one, '+')) {
            auto key = keyNumber(one);
            if (!key) return "bad note '" + one + "'";
            auto ch = static_cast<std::uint8_t>(t.channel);
            auto k = static_cast<std::uint8_t>(*key);
            // Release a touch early so repeated notes are heard apart.
            std::uint32_t off = t.now + *ticks - (*ticks > 8 ? 4 : 0);
            t.events.push_back(
                {t.now,
                 1,
                 {static_cast<std::uint8_t>(0x90 | ch), k, static_cast<std::uint8_t>(t.velocity)}});
            t.events.push_back({off, 0, {static_cast<std::uint8_t>(0x80 | ch), k, 64}});
        }
    }
    t.now += *ticks;
    return "";
}

void appendU32BE(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<std::uint8_t>(v >> s));
}

void appendVarLen(std::vector<std::uint8_t>& out, std::uint32_t v) {
    std::uint8_t buf[5];
    int n = 0;
    buf[n++] = v & 0x7F;
    while (v >>= 7) buf[n++] = static_cast<std::uint8_t>((v & 0x7F) | 0x80);
    while (n > 0) out.push_back(buf[--n]);
}

void appendTrackChunk(std::vector<std::uint8_t>& out, std::vector<Event> events,
                      std::uint32_t end) {
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::vector<std::uint8_t> body;
    std::uint32_t now = 0;
    for (const Event& e : events) {
        appendVarLen(body, e.tick - now);
        now = e.tick;
        body.insert(body.end(), e.bytes.begin(), e.bytes.end());
    }
    appendVarLen(body, end > now ? end - now : 0);
    body.insert(body.end(), {0xFF, 0x2F, 0x00});
    out.insert(out.end(), {'M', 'T', 'r', 'k'});
    appendU32BE(out, static_cast<std::uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
}

}  // namespace

std::string makeMidi(std::string_view text, std::vector<std::uint8_t>& out) {
    std::vector<Track> tracks;
    int bpm = 120;
    std::istringstream lines{std::string(text)};
    std::string line;
    for (int n = 1; std::getline(lines, line); ++n) {
        std::string where = "line " + std::to_string(n) + ": ";
        if (auto hash = line.find('#'); hash != std::string::npos) {
            // '#' is also a sharp; only a '#' at the start of a word begins a comment.
            std::size_t first = line.find_first_not_of(" \t");
            if (first == hash || (hash > 0 && (line[hash - 1] == ' ' || line[hash - 1] == '\t')))
                line.erase(hash);
        }
        std::istringstream in(line);
        std::vector<std::string> w;
        for (std::string s; in >> s;) w.push_back(s);
        if (w.empty()) continue;
        if (w[0] == "tempo") {
            auto v = w.size() == 2 ? toInt(w[1], 20, 400) : std::nullopt;
            if (!v || !tracks.empty()) return where + "tempo must be 20..400, before any track";
            bpm = *v;
            continue;
        }
        if (w[0] == "track") {
            auto ch = w.size() >= 2 ? toInt(w[1], 0, 15) : std::nullopt;
            if (!ch) return where + "track needs a channel 0..15";
            Track t;
            t.channel = *ch;
            auto c = static_cast<std::uint8_t>(*ch);
            for (std::size_t k = 2; k < w.size(); k += 2) {
                auto v = k + 1 < w.size() ? toInt(w[k + 1], 0, 127) : std::nullopt;
                if (!v) return where + "'" + w[k] + "' needs a value 0..127";
                auto b = static_cast<std::uint8_t>(*v);
                if (w[k] == "program") {
                    t.events.push_back({0, 0, {static_cast<std::uint8_t>(0xC0 | c), b}});
                } else if (w[k] == "volume") {
                    t.events.push_back({0, 0, {static_cast<std::uint8_t>(0xB0 | c), 7, b}});
                } else if (w[k] == "pan") {
                    t.events.push_back({0, 0, {static_cast<std::uint8_t>(0xB0 | c), 10, b}});
                } else {
                    return where + "unknown track setting '" + w[k] + "'";
                }
            }
            tracks.push_back(std::move(t));
            continue;
        }
        if (tracks.empty()) return where + "notes before the first track";
        int times = 1;
        std::size_t first = 0;
        if (w[0] == "repeat") {
            std::string count = w.size() > 1 ? w[1] : "";
            if (count.empty() || count.back() != ':')
                return where + "repeat is written 'repeat N:'";
            auto v = toInt(count.substr(0, count.size() - 1), 1, 64);
            if (!v) return where + "repeat count must be 1..64";
            times = *v;
            first = 2;
        }
        for (int r = 0; r < times; ++r)
            for (std::size_t k = first; k < w.size(); ++k)
                if (auto err = token(tracks.back(), w[k]); !err.empty()) return where + err;
    }
    if (tracks.empty()) return "no track given";
    std::uint32_t end = 0;
    for (const Track& t : tracks) end = std::max(end, t.now);

    out.clear();
    out.insert(out.end(), {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1});
    out.push_back(0);
    out.push_back(static_cast<std::uint8_t>(tracks.size() + 1));
    out.push_back(0);
    out.push_back(kTicksPerQuarter);
    const std::uint32_t usPerQuarter = 60000000u / static_cast<std::uint32_t>(bpm);
    appendTrackChunk(
        out,
        {{0,
          0,
          {0xFF, 0x51, 0x03, static_cast<std::uint8_t>(usPerQuarter >> 16),
           static_cast<std::uint8_t>(usPerQuarter >> 8), static_cast<std::uint8_t>(usPerQuarter)}}},
        end);
    for (const Track& t : tracks) appendTrackChunk(out, t.events, end);
    return "";
}

}  // namespace tools
