// The text form of a map's door table, as kit-game builds it.
#include <gtest/gtest.h>

#include "engine/field/DoorTable.h"
#include "tools/kitgame/DoorText.h"

namespace {

TEST(DoorText, BuildsTheTableAndNamesTheLineOfEachFault) {
    std::vector<std::uint8_t> bytes;
    ASSERT_EQ(kitgame::makeDoorTable(
                  "# doors\n\n3 woods 2 7 right 4  # east\r\n1 cave 0 65535 up 0\n", bytes),
              "");
    EXPECT_EQ(std::get<std::vector<Door>>(ParseDoorTable(bytes)),
              (std::vector<Door>{{3, "woods", 2, 7, 3, 4}, {1, "cave", 0, 65535, 2, 0}}));

    const struct {
        const char* text;
        const char* error;
    } faults[] = {
        {"3 woods 2 7 right\n", "line 1: expected MARK MAP COLUMN ROW FACING FADE"},
        {"\n3 woods 2 7 right 4 x\n", "line 2: unexpected 'x'"},
        {"64 woods 2 7 right 4\n", "line 1: mark must be 1 to 63"},
        {"3 woods 2 -7 right 4\n", "line 1: column and row must be 0 to 65535"},
        {"3 woods 2 7 east 4\n", "line 1: facing 'east' is not down, left, up or right"},
        {"3 woods 2 7 up 33\n", "line 1: fade must be 0 to 32"},
        {"3 woods 2 7 up 4\n3 cave 1 1 up 4\n", "line 2: a second door on mark 3"},
        {"3 aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa 2 7 up 4\n", "line 1: destination map name longer"},
    };
    for (const auto& f : faults) {
        const std::string why = kitgame::makeDoorTable(f.text, bytes);
        EXPECT_TRUE(why.starts_with(f.error)) << f.text << " -> " << why;
    }
}

}  // namespace
