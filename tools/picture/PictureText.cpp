#include "tools/picture/PictureText.h"

#include "tools/picture/Font5x7.h"

#include <algorithm>
#include <array>
#include <optional>
#include <sstream>

#include "common/WholeFile.h"
#include "tools/common/TextLines.h"

namespace tools {
namespace {

constexpr int kMaxSide = 1024;

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    std::string w;
    while (in >> w) out.push_back(w);
    return out;
}

std::optional<int> toInt(const std::string& s) {
    try {
        std::size_t used = 0;
        int v = std::stoi(s, &used);
        if (used != s.size()) return std::nullopt;
        return v;
    } catch (...) {
        return std::nullopt;
    }
}

std::optional<Rgb> toRgb(const std::string& s) {
    std::string hex = s;
    if (!hex.empty() && hex[0] == '#') hex.erase(0, 1);
    if (hex.size() != 6) return std::nullopt;
    unsigned value = 0;
    for (char c : hex) {
        int d = (c >= '0' && c <= '9')   ? c - '0'
                : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                         : -1;
        if (d < 0) return std::nullopt;
        value = value * 16 + static_cast<unsigned>(d);
    }
    return Rgb{static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
               static_cast<std::uint8_t>(value)};
}

class Parser {
  public:
    Parser(const std::string& baseDir, Picture& out, std::vector<std::string>* included)
        : baseDir_(baseDir), out_(out), included_(included) {
        defined_['.'] = true;
    }

    std::string run(std::string_view text, const std::string& source) {
        std::vector<std::string> lines = splitLines(text);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            std::string where = source + ":" + std::to_string(i + 1) + ": ";
            std::vector<std::string> w = words(lines[i]);
            if (w.empty() || w[0][0] == '#') continue;
            std::string err;
            if (w[0] == "at" || w[0] == "pattern") {
                std::vector<std::string> rows;
                std::size_t j = i + 1;
                // Rows hold no blanks, so a row block ends at an empty line or at the next
                // directive.
                for (; j < lines.size() && words(lines[j]).size() == 1; ++j) {
                    // Rows may be indented; blanks are never colours.
                    const std::string& l = lines[j];
                    std::size_t a = l.find_first_not_of(" \t"), b = l.find_last_not_of(" \t");
                    rows.push_back(l.substr(a, b - a + 1));
                }
                err = w[0] == "at" ? stamp(w, rows) : pattern(w, rows);
                if (!err.empty()) {
                    // Name the line of the first row when a row is at fault.
                    return where + err;
                }
                i = j - 1;
                continue;
            }
            err = directive(w);
            if (!err.empty()) return where + err;
        }
        if (out_.width == 0) return source + ": no size given";
        return "";
    }

  private:
    std::string directive(const std::vector<std::string>& w) {
        const std::string& d = w[0];
        if (d == "size") return size(w);
        if (d == "include") return include(w);
        if (d == "colour" || d == "color") return colour(w);
        if (out_.width == 0) return "'size' must come first";
        if (d == "fill") return fill(w);
        if (d == "copy") return copy(w);
        if (d == "text") return text(w);
        if (d == "bands") return bands(w);
        if (d == "scatter") return scatter(w);
        return "unknown directive '" + d + "'";
    }

    std::string size(const std::vector<std::string>& w) {
        if (w.size() != 3) return "size needs a width and a height";
        auto wd = toInt(w[1]), ht = toInt(w[2]);
        if (!wd || !ht || *wd < 1 || *ht < 1 || *wd > kMaxSide || *ht > kMaxSide)
            return "size must be two numbers from 1 to 1024";
        if (out_.width != 0) return "size given twice";
        out_.width = *wd;
        out_.height = *ht;
        out_.pixels.assign(static_cast<std::size_t>(*wd) * *ht, Rgb{});
        return "";
    }

    std::string include(const std::vector<std::string>& w) {
        if (w.size() != 2) return "include needs one file name";
        if (++depth_ > 8) return "included files include each other too deeply";
        std::string path = baseDir_.empty() ? w[1] : baseDir_ + "/" + w[1];
        const auto bytes = kit::readWholeFile(path);
        if (!bytes) return "cannot read included file " + path;
        if (included_) included_->push_back(path);
        std::string err = run(
            std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), path);
        --depth_;
        return err;
    }

    std::string colour(const std::vector<std::string>& w) {
        if (w.size() != 3 || w[1].size() != 1) return "colour needs one character and RRGGBB";
        char c = w[1][0];
        if (c == '_' || c == '#') return "'_' and '#' cannot name a colour";
        auto rgb = toRgb(w[2]);
        if (!rgb) return "colour value must be six hexadecimal digits";
        bool black = rgb->r == 0 && rgb->g == 0 && rgb->b == 0;
        if (!black && rgb->r < 8 && rgb->g < 8 && rgb->b < 8)
            return std::string("colour '") + c + "' is so dark that it would draw as transparent";
        auto idx = static_cast<unsigned char>(c);
        colours_[idx] = *rgb;
        defined_[idx] = true;
        return "";
    }

    std::optional<Rgb> lookup(char c) const {
        auto idx = static_cast<unsigned char>(c);
        if (!defined_[idx]) return std::nullopt;
        return colours_[idx];
    }

    std::string rect(const std::vector<std::string>& w, std::size_t first, int& x, int& y, int& wd,
                     int& ht) {
        if (w.size() < first + 4) return "a rectangle needs X Y W H";
        auto a = toInt(w[first]), b = toInt(w[first + 1]), c = toInt(w[first + 2]),
             d = toInt(w[first + 3]);
        if (!a || !b || !c || !d) return "X Y W H must be numbers";
        x = *a, y = *b, wd = *c, ht = *d;
        if (x < 0 || y < 0 || wd < 0 || ht < 0 || x + wd > out_.width || y + ht > out_.height)
            return "rectangle lies outside the picture";
        return "";
    }

    std::string fill(const std::vector<std::string>& w) {
        int x, y, wd, ht;
        if (w.size() != 6) return "fill needs X Y W H and a colour";
        if (auto err = rect(w, 1, x, y, wd, ht); !err.empty()) return err;
        if (w[5].size() != 1) return "fill takes one colour character";
        auto rgb = lookup(w[5][0]);
        if (!rgb) return "undefined colour '" + w[5] + "'";
        for (int j = y; j < y + ht; ++j)
            for (int i = x; i < x + wd; ++i) out_.at(i, j) = *rgb;
        return "";
    }

    std::string stamp(const std::vector<std::string>& w, const std::vector<std::string>& rows) {
        if (w.size() != 3) return "at needs X Y";
        auto x = toInt(w[1]), y = toInt(w[2]);
        if (!x || !y || *x < 0 || *y < 0) return "at needs two numbers";
        for (std::size_t j = 0; j < rows.size(); ++j) {
            int py = *y + static_cast<int>(j);
            if (py >= out_.height || *x + static_cast<int>(rows[j].size()) > out_.width)
                return "rows run outside the picture";
            for (std::size_t i = 0; i < rows[j].size(); ++i) {
                char c = rows[j][i];
                if (c == '_' || c == '.') continue;
                auto rgb = lookup(c);
                if (!rgb)
                    return std::string("undefined colour '") + c + "' in row " +
                           std::to_string(j + 1);
                out_.at(*x + static_cast<int>(i), py) = *rgb;
            }
        }
        return "";
    }

    std::string pattern(const std::vector<std::string>& w, const std::vector<std::string>& rows) {
        int x, y, wd, ht;
        if (w.size() != 5) return "pattern needs X Y W H";
        if (auto err = rect(w, 1, x, y, wd, ht); !err.empty()) return err;
        if (rows.empty()) return "pattern has no rows";
        for (const std::string& r : rows)
            if (r.size() != rows[0].size()) return "pattern rows differ in length";
        for (int j = 0; j < ht; ++j) {
            const std::string& row = rows[static_cast<std::size_t>(j) % rows.size()];
            for (int i = 0; i < wd; ++i) {
                char c = row[static_cast<std::size_t>(i) % row.size()];
                if (c == '_' || c == '.') continue;
                auto rgb = lookup(c);
                if (!rgb) return std::string("undefined colour '") + c + "' in pattern";
                out_.at(x + i, y + j) = *rgb;
            }
        }
        return "";
    }

    std::string copy(const std::vector<std::string>& w) {
        int sx, sy, wd, ht;
        if (w.size() < 7) return "copy needs SX SY W H DX DY";
        if (auto err = rect(w, 1, sx, sy, wd, ht); !err.empty()) return err;
        auto dx = toInt(w[5]), dy = toInt(w[6]);
        if (!dx || !dy || *dx < 0 || *dy < 0 || *dx + wd > out_.width || *dy + ht > out_.height)
            return "copy destination lies outside the picture";
        bool flipx = false, flipy = false;
        std::vector<std::pair<Rgb, Rgb>> recolour;
        for (std::size_t k = 7; k < w.size(); ++k) {
            if (w[k] == "flipx") {
                flipx = true;
            } else if (w[k] == "flipy") {
                flipy = true;
            } else if (w[k] == "recolour" && k + 1 < w.size()) {
                const std::string& pairs = w[++k];
                if (pairs.size() % 2 != 0) return "recolour takes pairs of colour characters";
                for (std::size_t p = 0; p < pairs.size(); p += 2) {
                    auto from = lookup(pairs[p]), to = lookup(pairs[p + 1]);
                    if (!from || !to) return "recolour names an undefined colour";
                    recolour.emplace_back(*from, *to);
                }
            } else {
                return "unknown copy option '" + w[k] + "'";
            }
        }
        std::vector<Rgb> block(static_cast<std::size_t>(wd) * ht);
        for (int j = 0; j < ht; ++j)
            for (int i = 0; i < wd; ++i)
                block[static_cast<std::size_t>(j) * wd + i] = out_.at(sx + i, sy + j);
        for (int j = 0; j < ht; ++j)
            for (int i = 0; i < wd; ++i) {
                int si = flipx ? wd - 1 - i : i, sj = flipy ? ht - 1 - j : j;
                Rgb c = block[static_cast<std::size_t>(sj) * wd + si];
                for (const auto& [from, to] : recolour)
                    if (c == from) {
                        c = to;
                        break;
                    }
                out_.at(*dx + i, *dy + j) = c;
            }
        return "";
    }

    std::optional<Rgb> colourWord(const std::string& word) const {
        if (word.size() != 1) return std::nullopt;
        return lookup(word[0]);
    }

    // text X Y SCALE INK OUTLINE WORDS...: capital letters of the built-in font, each pixel
    // SCALE x SCALE, with a one-pixel outline around the ink unless OUTLINE is '-'.
    std::string text(const std::vector<std::string>& w) {
        if (w.size() < 7) return "text needs X Y SCALE INK OUTLINE and the words";
        auto x = toInt(w[1]), y = toInt(w[2]), scale = toInt(w[3]);
        auto ink = colourWord(w[4]);
        if (!x || !y || !scale || *scale < 1 || *scale > 8) return "bad text position or scale";
        if (!ink) return "undefined ink colour '" + w[4] + "'";
        std::optional<Rgb> outline;
        if (w[5] != "-") {
            outline = colourWord(w[5]);
            if (!outline) return "undefined outline colour '" + w[5] + "'";
        }
        std::string str = w[6];
        for (std::size_t k = 7; k < w.size(); ++k) str += " " + w[k];
        const int s = *scale;
        const int cols = static_cast<int>(str.size()) * 6 * s, rows = 7 * s;
        std::vector<char> mask(static_cast<std::size_t>(cols) * rows, 0);
        for (std::size_t n = 0; n < str.size(); ++n) {
            const char* const* g = glyph5x7(str[n]);
            if (!g) return std::string("the font has no '") + str[n] + "'";
            for (int gy = 0; gy < 7; ++gy)
                for (int gx = 0; gx < 5; ++gx)
                    if (g[gy][gx] == '#')
                        for (int j = 0; j < s; ++j)
                            for (int i = 0; i < s; ++i)
                                mask[static_cast<std::size_t>(gy * s + j) * cols +
                                     static_cast<std::size_t>(static_cast<int>(n) * 6 * s + gx * s +
                                                              i)] = 1;
        }
        auto inside = [&](int px, int py) {
            return px >= 0 && py >= 0 && px < out_.width && py < out_.height;
        };
        if (*x - 1 < -1 || *y < 0 || !inside(*x + cols - s - 1, *y + rows - 1))
            return "text runs outside the picture";
        for (int j = -1; j <= rows; ++j)
            for (int i = -1; i <= cols; ++i) {
                auto m = [&](int a, int b) {
                    return a >= 0 && b >= 0 && a < cols && b < rows &&
                           mask[static_cast<std::size_t>(b) * cols + a];
                };
                int px = *x + i, py = *y + j;
                if (!inside(px, py)) continue;
                if (m(i, j)) {
                    out_.at(px, py) = *ink;
                } else if (outline) {
                    for (int dj = -1; dj <= 1; ++dj)
                        for (int di = -1; di <= 1; ++di)
                            if (m(i + di, j + dj)) out_.at(px, py) = *outline;
                }
            }
        return "";
    }

    // bands X Y W H C1 C2 ...: a vertical gradient of the colours, top to bottom, with a
    // checkered two-row dither where one band meets the next.
    std::string bands(const std::vector<std::string>& w) {
        int x, y, wd, ht;
        if (w.size() < 7) return "bands needs X Y W H and two or more colours";
        if (auto err = rect(w, 1, x, y, wd, ht); !err.empty()) return err;
        std::vector<Rgb> cs;
        for (std::size_t k = 5; k < w.size(); ++k) {
            auto c = colourWord(w[k]);
            if (!c) return "undefined colour '" + w[k] + "'";
            cs.push_back(*c);
        }
        const int n = static_cast<int>(cs.size());
        for (int j = 0; j < ht; ++j) {
            int band = j * n / ht;
            int next = std::min(band + 1, n - 1);
            int edge = (band + 1) * ht / n;  // first row of the next band
            for (int i = 0; i < wd; ++i) {
                bool dither = edge - j <= 2 && ((i + j) % 2 == 0);
                out_.at(x + i, y + j) = cs[static_cast<std::size_t>(dither ? next : band)];
            }
        }
        return "";
    }

    // scatter X Y W H C N SEED: N pixels of colour C at places chosen by a fixed generator.
    std::string scatter(const std::vector<std::string>& w) {
        int x, y, wd, ht;
        if (w.size() != 8) return "scatter needs X Y W H C N SEED";
        if (auto err = rect(w, 1, x, y, wd, ht); !err.empty()) return err;
        auto c = colourWord(w[5]);
        auto n = toInt(w[6]), seed = toInt(w[7]);
        if (!c) return "undefined colour '" + w[5] + "'";
        if (!n || !seed || *n < 0 || *n > 100000 || wd == 0 || ht == 0) return "bad N or SEED";
        std::uint32_t state = static_cast<std::uint32_t>(*seed);
        auto next = [&] {
            state = state * 214013u + 2531011u;
            return static_cast<int>((state >> 16) & 0x7FFF);
        };
        for (int k = 0; k < *n; ++k) {
            int px = next() % wd, py = next() % ht;
            out_.at(x + px, y + py) = *c;
        }
        return "";
    }

    std::string baseDir_;
    Picture& out_;
    std::vector<std::string>* included_;
    std::array<Rgb, 256> colours_{};
    std::array<bool, 256> defined_{};
    int depth_ = 0;
};

}  // namespace

std::string parsePicture(std::string_view text, const std::string& baseDir, Picture& out,
                         std::vector<std::string>* included) {
    out = Picture{};
    Parser parser(baseDir, out, included);
    return parser.run(text, "picture");
}

}  // namespace tools
