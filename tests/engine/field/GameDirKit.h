#pragma once
// Helpers that write tiny game directories for the field and interpreter tests: scripts compiled
// from source, maps, tile attributes and pictures.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/ShiftJis.h"
#include "editor/ScriptCompiler.h"
#include "engine/core/Engine.h"
#include "engine/platform/headless/EngineHarness.h"
#include "tests/engine/BmpFile.h"

namespace gamedir {

// UTF-8 text of the test sources as the Shift-JIS bytes the game works with.
inline std::string Sjis(std::string_view utf8) {
    auto bytes = kit::utf8ToSjis(utf8);
    EXPECT_TRUE(bytes.has_value()) << utf8;
    return bytes.value_or("");
}

// Script source (UTF-8, converted to Shift-JIS) to .sc bytes.
inline std::string Compile(std::string_view utf8Source) {
    const auto result = pocora::ScriptCompiler::compile(Sjis(utf8Source));
    EXPECT_TRUE(result.ok()) << utf8Source;
    return result.bytes;
}

inline std::vector<std::uint8_t> Bytes(std::string_view s) {
    return std::vector<std::uint8_t>(s.begin(), s.end());
}

// Writes "<name>.sc" compiled from `source`.
inline void WriteScript(EngineHarness& h, std::string_view name, std::string_view source) {
    h.WriteFile(std::string(name) + ".sc", Compile(source));
}

// Loads compiled source straight into a context.
inline void LoadSource(QDCR& context, std::string_view source) {
    context.Load(Bytes(Compile(source)));
}

using ::MakeBmp;

// The 5-5-5 value the engine keeps of a 0xRRGGBB colour.
constexpr std::uint16_t To555(std::uint32_t rgb) {
    return static_cast<std::uint16_t>((((rgb >> 19) & 31) << 10) | (((rgb >> 11) & 31) << 5) |
                                      ((rgb >> 3) & 31));
}

// Colours of the test tile sheet: tile n is filled with TileColour(n); tile 0 is black, which is
// transparent, so that empty upper layers show the ground.
constexpr std::uint32_t TileColour(int tile) {
    if (tile == 0) return 0;
    return 0x100000u * static_cast<std::uint32_t>(1 + (tile & 0x0F)) +
           0x000800u * static_cast<std::uint32_t>(8 + (tile >> 4));
}

// Tile sheet "Smt\mapT" with a plain colour per tile, and attributes where each tile number of
// `blocking` blocks walking.
inline void WriteTileSet(EngineHarness& h, int tileSet, std::vector<int> blocking = {}) {
    h.WriteFile("Smt\\map" + std::to_string(tileSet) + ".qdg",
                MakeBmp(256, 256, [](int x, int y) { return TileColour((y / 16) * 16 + x / 16); }));
    std::vector<std::uint8_t> attributes(256, 0);
    for (int tile : blocking)
        attributes[static_cast<std::size_t>((tile & 15) * 16 + (tile >> 4))] = 0x20;
    h.WriteFile("Smt\\sMat" + std::to_string(tileSet) + ".qd", attributes);
}

// A map of width x height tiles: every ground tile `ground`, the other layers tile 0 (see
// TileColour).
struct MapSpec {
    int tileSet = 0;
    int width = 0, height = 0;
    std::vector<std::uint8_t> layers[4];

    MapSpec(int w, int h, std::uint8_t ground) : width(w), height(h) {
        layers[0].assign(static_cast<std::size_t>(w * h), ground);
        for (int i = 1; i < 4; ++i) layers[i].assign(static_cast<std::size_t>(w * h), 0);
    }
    std::uint8_t& At(int layer, int column, int row) {
        return layers[layer][static_cast<std::size_t>(row * width + column)];
    }
    std::vector<std::uint8_t> Bytes() const {
        std::vector<std::uint8_t> b = {
            static_cast<std::uint8_t>(tileSet), static_cast<std::uint8_t>(width & 0xFF),
            static_cast<std::uint8_t>(width >> 8), static_cast<std::uint8_t>(height & 0xFF),
            static_cast<std::uint8_t>(height >> 8)};
        for (const auto& layer : layers) b.insert(b.end(), layer.begin(), layer.end());
        return b;
    }
};

inline void WriteMap(EngineHarness& h, std::string_view name, const MapSpec& map) {
    h.WriteFile("Mt\\" + std::string(name) + ".qd", map.Bytes());
}

// A 64 x 32 character sheet of 16 x 16 frames: frame (facing, walk) filled with CharColour.
constexpr std::uint32_t CharColour(int facing, int walk) {
    return 0x400000u + 0x2000u * static_cast<std::uint32_t>(facing + 1) +
           0x20u * static_cast<std::uint32_t>(walk + 1);
}

inline void WriteCharacterPicture(EngineHarness& h, std::string_view name) {
    h.WriteFile("pic\\" + std::string(name) + ".qdg",
                MakeBmp(64, 32, [](int x, int y) { return CharColour(x / 16, y / 16); }));
}

// Message boxes shown so far, as "CAPTION|TEXT" (UTF-8, backslashes doubled).
inline std::vector<std::string> Boxes(const EngineHarness& h) {
    std::vector<std::string> boxes;
    for (const std::string& line : h.Trace()) {
        const auto at = line.find(" box ");
        if (at != std::string::npos) boxes.push_back(line.substr(at + 5));
    }
    return boxes;
}

}  // namespace gamedir
