// The editor's picture of a map is the field's own drawing of the same layers.
#include <gtest/gtest.h>

#include "common/WholeFile.h"
#include "engine/core/Draw.h"
#include "engine/platform/headless/EngineHarness.h"
#include "mapeditor/core/GameFolder.h"
#include "mapeditor/core/MapPicture.h"
#include "mapeditor/core/ScreenFrame.h"
#include "tests/engine/field/GameDirKit.h"

namespace {

using namespace tessel;

// Draws field frames at several camera positions and compares every visible pixel that lies on
// the map with the editor's picture of the whole map.
void expectFieldMatchesPicture(EngineHarness& h, const std::string& mapName) {
    Engine& e = h.engine;
    InitField(e);
    ASSERT_TRUE(LoadMap(e, mapName));
    const auto bytes = kit::readWholeFile(GameFolder{h.gameDir}.mapPath(mapName));
    const MapRead read = readTileMap(*bytes);
    ASSERT_TRUE(read.map);
    const auto sheet = loadTileSheet(GameFolder{h.gameDir}.sheetPath(read.map->tileSet));
    ASSERT_TRUE(sheet);
    const CDib picture = renderMap(*read.map, *sheet, 0b1011);
    int compared = 0;
    for (const auto& [camX, camY] : {std::pair{0, 0}, {16, 16}, {37, 21}, {-20, -9}, {200, 150}}) {
        ClearScreen(e);
        e.Field.camX = camX;
        e.Field.camY = camY;
        FieldScene(e);
        for (int y = 0; y < kPageHeight; ++y)
            for (int x = 0; x < kScreenWidth; ++x) {
                const int mx = x + camX, my = y + camY;
                if (mx < 0 || my < 0 || mx >= picture.Width() || my >= picture.Height()) continue;
                ASSERT_EQ(e.Screen.At(x, kVisibleTop + y), picture.At(mx, my))
                    << mapName << " camera " << camX << "," << camY << " pixel " << mx << "," << my;
                ++compared;
            }
    }
    EXPECT_GT(compared, 0) << mapName;
}

TEST(MapPictureTest, SampleMapsLookAsInTheGame) {
    EngineHarness h(std::filesystem::path(SAMPLE_GAME_DIR), "");
    for (const char* name : {"village", "forest", "NO"}) expectFieldMatchesPicture(h, name);
}

TEST(MapPictureTest, UpperTilesAreKeyedAndTheOverlayBlendedAtHalfStrength) {
    EngineHarness h;
    gamedir::WriteTileSet(h, 3);
    gamedir::MapSpec map(17, 16, 0x21);
    map.tileSet = 3;
    for (int i = 0; i < 16; ++i) {
        map.At(1, i, i) = static_cast<std::uint8_t>(0x30 + i);  // tile 0x30 is not black
        map.At(3, 16 - i, i) = static_cast<std::uint8_t>(0x45 + i);
        map.At(2, i, 0) = static_cast<std::uint8_t>(i);  // marks are never drawn
    }
    map.At(1, 3, 4) = 0;  // black: the ground shows through
    gamedir::WriteMap(h, "LAYERS", map);
    expectFieldMatchesPicture(h, "LAYERS");

    const TileMap tiles = *readTileMap(map.Bytes()).map;
    const CDib sheet = *loadTileSheet(GameFolder{h.gameDir}.sheetPath(3));
    const CDib ground = renderMap(tiles, sheet, 0b0001);
    const CDib all = renderMap(tiles, sheet, 0b1111);
    const auto ground555 = gamedir::To555(gamedir::TileColour(0x21));
    EXPECT_EQ(ground.At(16 * 3 + 5, 16 * 4 + 5), ground555);
    EXPECT_EQ(all.At(16 * 3 + 5, 16 * 4 + 5), ground555) << "a black upper tile is see-through";
    EXPECT_EQ(all.At(16 * 2 + 5, 16 * 2 + 5), gamedir::To555(gamedir::TileColour(0x32)));
    EXPECT_EQ(all.At(16 * 14 + 5, 16 * 2 + 5),
              ShadeOf(16, ground555) + ShadeOf(16, gamedir::To555(gamedir::TileColour(0x47))));
}

TEST(MapPictureTest, ScreenFrameFollowsTheGameCamera) {
    EngineHarness h(std::filesystem::path(SAMPLE_GAME_DIR), "");
    Engine& e = h.engine;
    InitField(e);
    ASSERT_TRUE(LoadMap(e, "village"));
    CreateActors(e, 1);
    const TileMap map =
        *readTileMap(*kit::readWholeFile(GameFolder{h.gameDir}.mapPath("village"))).map;
    for (const auto& [column, row] : {std::pair{0, 0}, {11, 9}, {21, 17}, {3, 15}}) {
        e.Actors[0].x = fieldPositionOf(column, row).x;
        e.Actors[0].y = fieldPositionOf(column, row).y;
        CentreCamera(e);
        const ScreenFrame frame = screenFrameAt(map, column, row);
        EXPECT_EQ(frame.left, e.Field.camX) << column << "," << row;
        EXPECT_EQ(frame.top, e.Field.camY) << column << "," << row;
    }
}

}  // namespace
