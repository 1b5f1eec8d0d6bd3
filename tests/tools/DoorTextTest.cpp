// The text form of a map's door table, which kit-game builds and Tessel edits.
#include <gtest/gtest.h>

#include "engine/field/DoorTable.h"
#include "tools/mapmake/DoorText.h"

namespace {

using tools::makeDoorTable;
using tools::parseDoorText;
using tools::writeDoorText;

TEST(DoorText, ReadsBackBuildsTheTableAndNamesTheLineOfEachFault) {
    const std::vector<Door> doors = {{3, "forest", 10, 4, 0, 8}, {7, "cave", 0, 65535, 3, 0}};
    std::string error;
    EXPECT_EQ(parseDoorText(writeDoorText(doors), error), doors);
    EXPECT_EQ(error, "");
    std::vector<std::uint8_t> bytes;
    ASSERT_EQ(
        makeDoorTable("# doors\n\n3 woods 2 7 right 4  # east\r\n1 cave 0 65535 up 0\n", bytes),
        "");
    EXPECT_EQ(std::get<std::vector<Door>>(ParseDoorTable(bytes)),
              (std::vector<Door>{{3, "woods", 2, 7, 3, 4}, {1, "cave", 0, 65535, 2, 0}}));

    const struct {
        const char* text;
        const char* error;
    } faults[] = {
        {"3 woods 2 7 right\n", "line 1: expected MARK MAP COLUMN ROW FACING FADE"},
        {"\n3 woods 2 7 right 4 x\n", "line 2: unexpected 'x' after the fade"},
        {"64 woods 2 7 right 4\n", "line 1: mark must be 1 to 63"},
        {"3 woods 2 -7 right 4\n", "line 1: column and row must be 0 to 65535"},
        {"3 woods 1x 7 right 4\n", "line 1: column and row must be numbers"},
        {"3 woods 2 7 east 4\n", "line 1: facing 'east' is not down, left, up or right"},
        {"3 woods 2 7 up 33\n", "line 1: fade must be 0 to 32"},
        {"3 for\xe6st 1 1 up 0", "line 1: map name 'for\xe6st' has a character Shift-JIS lacks"},
        {"3 woods 2 7 up 4\n3 cave 1 1 up 4\n", "line 2: a second door on mark 3"},
        {"3 aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa 2 7 up 4\n", "line 1: destination map name longer"},
    };
    for (const auto& f : faults) {
        bytes = {1};
        const std::string why = makeDoorTable(f.text, bytes);
        EXPECT_TRUE(why.starts_with(f.error)) << f.text << " -> " << why;
        EXPECT_EQ(bytes, std::vector<std::uint8_t>{1}) << "nothing built from " << f.text;
        EXPECT_TRUE(parseDoorText(f.text, error).empty());
        EXPECT_EQ(error, why);
    }
}

}  // namespace
