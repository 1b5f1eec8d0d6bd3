#include "tools/kylmake/SoundText.h"

#include <cmath>
#include <optional>
#include <sstream>
#include <vector>

#include "designer/core/ProjectFile.h"

namespace tools {
namespace {

using kyrel::CurveKind;
using kyrel::kCurvePoints;

std::optional<double> toNumber(const std::string& s) {
    try {
        std::size_t used = 0;
        double v = std::stod(s, &used);
        if (used != s.size() || !std::isfinite(v)) return std::nullopt;
        return v;
    } catch (...) {
        return std::nullopt;
    }
}

// Curve values are read through the level 32768 - v.
std::int32_t valueForLevel(double level) {
    double v = 32768.0 - level;
    if (v > 32767) v = 32767;
    if (v < -32767) v = -32767;
    return static_cast<std::int32_t>(std::lround(v));
}

// "T:V" points -> a curve over the whole duration, straight lines between the points.
std::string envelope(const std::vector<std::string>& w, double lo, double hi,
                     double (*toLevel)(double, int), int pitchMode, kyrel::Curve& curve) {
    std::vector<std::pair<double, double>> points;
    for (std::size_t k = 1; k < w.size(); ++k) {
        std::size_t colon = w[k].find(':');
        if (colon == std::string::npos) return "points are written T:VALUE";
        auto t = toNumber(w[k].substr(0, colon));
        auto v = toNumber(w[k].substr(colon + 1));
        if (!t || !v || *t < 0 || *t > 100 || *v < lo || *v > hi)
            return "point '" + w[k] + "' is out of range";
        if (!points.empty() && *t < points.back().first) return "points must go forward in time";
        points.emplace_back(*t, *v);
    }
    if (points.empty()) return "no points given";
    for (int i = 0; i < kCurvePoints; ++i) {
        double t = i * 100.0 / (kCurvePoints - 1);
        double v = points.front().second;
        for (std::size_t k = 0; k < points.size(); ++k) {
            if (t >= points[k].first) v = points[k].second;
            if (k + 1 < points.size() && t >= points[k].first && t < points[k + 1].first) {
                double span = points[k + 1].first - points[k].first;
                double f = span > 0 ? (t - points[k].first) / span : 1.0;
                v = points[k].second + f * (points[k + 1].second - points[k].second);
                break;
            }
        }
        curve[static_cast<std::size_t>(i)] = valueForLevel(toLevel(v, pitchMode));
    }
    return "";
}

double hzLevel(double hz, int squareLaw) {
    // linear: Hz = L / 32; square law: Hz = L * L / 2^21.
    return squareLaw ? std::sqrt(hz * 2097152.0) : hz * 32.0;
}
double loudLevel(double percent, int) {
    return percent / 100.0 * 65536.0;
}
double panLevel(double pan, int) {
    return 32768.0 - pan / 100.0 * 32767.0;
}

std::string wave(const std::vector<std::string>& w, kyrel::Curve& curve) {
    if (w.size() < 2 || w.size() > 3) return "wave needs a shape and maybe an amount";
    double amount = 1.0;
    if (w.size() == 3) {
        std::string a = w[2];
        if (!a.empty() && a.back() == '%') a.pop_back();
        auto v = toNumber(a);
        if (!v || *v < 0 || *v > 100) return "amount must be 0..100%";
        amount = *v / 100.0;
    }
    std::uint32_t noise = 12345;
    for (int i = 0; i < kCurvePoints; ++i) {
        double x = static_cast<double>(i) / kCurvePoints;
        double s;
        if (w[1] == "sine") {
            s = std::sin(x * 2 * M_PI);
        } else if (w[1] == "square") {
            s = x < 0.5 ? 1.0 : -1.0;
        } else if (w[1] == "saw") {
            s = 1.0 - 2.0 * x;
        } else if (w[1] == "triangle") {
            s = x < 0.25 ? 4 * x : x < 0.75 ? 2 - 4 * x : 4 * x - 4;
        } else if (w[1] == "noise") {
            noise = noise * 214013u + 2531011u;
            s = static_cast<double>((noise >> 16) & 0x7FFF) / 16383.5 - 1.0;
        } else {
            return "unknown wave shape '" + w[1] + "'";
        }
        curve[static_cast<std::size_t>(i)] =
            static_cast<std::int32_t>(std::lround(s * amount * 32767));
    }
    return "";
}

}  // namespace

std::string makeSound(std::string_view text, kyrel::SoundDesign& design) {
    kyrel::resetDesign(design);
    design.settings.trackUse.fill(0);
    kyrel::DesignSettings& s = design.settings;
    int track = -1;
    std::istringstream lines{std::string(text)};
    std::string line;
    for (int n = 1; std::getline(lines, line); ++n) {
        std::string where = "line " + std::to_string(n) + ": ";
        std::istringstream in(line);
        std::vector<std::string> w;
        for (std::string word; in >> word;) {
            if (word[0] == '#') break;
            w.push_back(word);
        }
        if (w.empty()) continue;
        const std::string& d = w[0];
        std::string err;
        if (d == "duration") {
            auto v = w.size() == 2 ? toNumber(w[1]) : std::nullopt;
            if (!v || *v < 1 || *v > kyrel::kMaxDurationMs) return where + "duration is 1..30000";
            s.durationMs = static_cast<std::int32_t>(*v);
        } else if (d == "format") {
            if (w.size() != 4) return where + "format needs RATE BITS CHANNELS";
            s.rateIndex = w[1] == "11025" ? 0 : w[1] == "22050" ? 1 : w[1] == "44100" ? 2 : -1;
            s.bitsIndex = w[2] == "8" ? 0 : w[2] == "16" ? 1 : -1;
            s.channelIndex = w[3] == "1" ? 0 : w[3] == "2" ? 1 : -1;
            if (s.rateIndex < 0 || s.bitsIndex < 0 || s.channelIndex < 0)
                return where + "format is 11025|22050|44100 8|16 1|2";
        } else if (d == "pitch") {
            if (w.size() != 2 || (w[1] != "linear" && w[1] != "square"))
                return where + "pitch is linear or square";
            s.frequencyMode = w[1] == "square" ? 1 : 0;
        } else if (d == "track") {
            auto v = w.size() == 2 ? toNumber(w[1]) : std::nullopt;
            if (!v || *v < 1 || *v > kyrel::kTrackCount || *v != std::floor(*v))
                return where + "track is 1..6";
            track = static_cast<int>(*v) - 1;
            s.trackUse[static_cast<std::size_t>(track)] = 1;
        } else if (track < 0) {
            return where + "'" + d + "' belongs to a track";
        } else {
            kyrel::Track& t = design.tracks[static_cast<std::size_t>(track)];
            if (d == "volume") {
                auto v = w.size() == 2 ? toNumber(w[1]) : std::nullopt;
                if (!v || *v < 0 || *v > 127) return where + "volume is 0..127";
                t.volume = static_cast<std::int32_t>(*v);
            } else if (d == "wave") {
                err = wave(w, t.curve(CurveKind::Waveform));
            } else if (d == "hz") {
                err = envelope(w, 0, 2048, hzLevel, s.frequencyMode != 0,
                               t.curve(CurveKind::Frequency));
            } else if (d == "loud") {
                err = envelope(w, 0, 100, loudLevel, 0, t.curve(CurveKind::Volume));
            } else if (d == "pan") {
                err = envelope(w, -100, 100, panLevel, 0, t.curve(CurveKind::Pan));
            } else if (d == "spread") {
                if (w.size() != 4) return where + "spread needs FREQ VOLUME WAVE";
                std::int32_t v[3];
                for (int k = 0; k < 3; ++k) {
                    auto x = toNumber(w[static_cast<std::size_t>(k) + 1]);
                    if (!x || *x < 0 || *x > 127) return where + "spread values are 0..127";
                    v[k] = static_cast<std::int32_t>(*x);
                }
                auto i = static_cast<std::size_t>(track);
                s.frequencySpread[i] = v[0];
                s.volumeSpread[i] = v[1];
                s.waveformSpread[i] = v[2];
            } else {
                return where + "unknown line '" + d + "'";
            }
        }
        if (!err.empty()) return where + err;
    }
    if (track < 0) return "no track described";
    return "";
}

}  // namespace tools
