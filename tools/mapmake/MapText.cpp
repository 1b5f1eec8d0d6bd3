#include "tools/mapmake/MapText.h"

#include <array>
#include <optional>
#include <sstream>

#include "common/LittleEndian.h"
#include "tools/common/TextLines.h"

namespace tools {
namespace {

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    std::string w;
    while (in >> w) {
        if (w[0] == '#') break;
        out.push_back(w);
    }
    return out;
}

std::optional<int> toInt(const std::string& s, int lo, int hi) {
    try {
        std::size_t used = 0;
        int v = std::stoi(s, &used, 0);
        if (used != s.size() || v < lo || v > hi) return std::nullopt;
        return v;
    } catch (...) {
        return std::nullopt;
    }
}

struct Cell {
    std::uint8_t ground = 0, upper = kEmptyTile, overlay = kEmptyTile, mark = 0;
};

std::string at(std::size_t line) {
    return "line " + std::to_string(line + 1) + ": ";
}

}  // namespace

std::string makeMap(std::string_view text, std::vector<std::uint8_t>& out) {
    std::vector<std::string> lines = splitLines(text);
    std::optional<int> tileset;
    std::array<std::optional<Cell>, 256> legend{};
    std::vector<std::string> rows;
    enum { Top, Legend, Grid } section = Top;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (section == Grid) {
            std::string row = lines[i];
            while (!row.empty() && (row.back() == ' ' || row.back() == '\t')) row.pop_back();
            if (row.empty()) continue;
            rows.push_back(row);
            continue;
        }
        std::vector<std::string> w = words(lines[i]);
        if (w.empty()) continue;
        if (w[0] == "tileset" && w.size() == 2) {
            tileset = toInt(w[1], 0, 255);
            if (!tileset) return at(i) + "tileset must be 0..255";
        } else if (w[0] == "legend" && w.size() == 1) {
            section = Legend;
        } else if (w[0] == "grid" && w.size() == 1) {
            section = Grid;
        } else if (section == Legend) {
            if (w[0].size() != 1 || w.size() < 2) return at(i) + "legend lines are: C GROUND ...";
            Cell cell;
            auto g = toInt(w[1], 0, 255);
            if (!g) return at(i) + "ground tile must be 0..255";
            cell.ground = static_cast<std::uint8_t>(*g);
            for (std::size_t k = 2; k < w.size(); k += 2) {
                if (k + 1 >= w.size()) return at(i) + "'" + w[k] + "' needs a value";
                bool isMark = w[k] == "mark";
                auto v = toInt(w[k + 1], isMark ? 1 : 0, isMark ? 63 : 255);
                if (!v) return at(i) + "bad value for '" + w[k] + "'";
                auto b = static_cast<std::uint8_t>(*v);
                if (w[k] == "upper") {
                    cell.upper = b;
                } else if (w[k] == "overlay") {
                    cell.overlay = b;
                } else if (isMark) {
                    cell.mark = b;
                } else {
                    return at(i) + "unknown layer '" + w[k] + "'";
                }
            }
            legend[static_cast<unsigned char>(w[0][0])] = cell;
        } else {
            return at(i) + "unknown line '" + w[0] + "'";
        }
    }
    if (!tileset) return "no tileset given";
    if (rows.empty()) return "no grid given";
    const std::size_t width = rows[0].size();
    const std::size_t height = rows.size();
    if (width > 0xFFFF || height > 0xFFFF) return "map too large";
    for (std::size_t r = 0; r < height; ++r) {
        if (rows[r].size() != width)
            return "grid row " + std::to_string(r + 1) + " is " + std::to_string(rows[r].size()) +
                   " wide, the first is " + std::to_string(width);
        for (char c : rows[r])
            if (!legend[static_cast<unsigned char>(c)])
                return "grid row " + std::to_string(r + 1) + ": '" + c + "' is not in the legend";
    }
    out.clear();
    out.push_back(static_cast<std::uint8_t>(*tileset));
    kit::appendU16LE(out, static_cast<std::uint16_t>(width));
    kit::appendU16LE(out, static_cast<std::uint16_t>(height));
    for (int layer = 0; layer < 4; ++layer)
        for (const std::string& row : rows)
            for (char c : row) {
                const Cell& cell = *legend[static_cast<unsigned char>(c)];
                const std::uint8_t v[4] = {cell.ground, cell.upper, cell.mark, cell.overlay};
                out.push_back(v[layer]);
            }
    return "";
}

std::string makeAttributes(std::string_view text, std::vector<std::uint8_t>& out) {
    out.assign(256, 0);
    std::vector<std::string> lines = splitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::vector<std::string> w = words(lines[i]);
        if (w.empty()) continue;
        if (w[0] != "block") return at(i) + "unknown line '" + w[0] + "'";
        for (std::size_t k = 1; k < w.size(); ++k) {
            std::size_t dash = w[k].find('-', 1);
            auto lo = toInt(w[k].substr(0, dash), 0, 255);
            auto hi = dash == std::string::npos ? lo : toInt(w[k].substr(dash + 1), 0, 255);
            if (!lo || !hi || *hi < *lo) return at(i) + "bad tile number '" + w[k] + "'";
            for (int b = *lo; b <= *hi; ++b)
                out[static_cast<std::size_t>((b & 15) * 16 + (b >> 4))] |= 0x20;
        }
    }
    return "";
}

}  // namespace tools
