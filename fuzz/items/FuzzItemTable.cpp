// The item table: any bytes are read or refused whole; what is read has ids in range, in order
// and once each, and texts within the lengths the menus are drawn for.
#include <string>
#include <string_view>

#include "engine/items/ItemTable.h"
#include "fuzz/common/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ItemTable table;
    const std::string problem = table.Parse(AsText(data, size));
    if (!problem.empty() && !table.Empty()) FuzzFailure();
    std::int32_t last = 0;
    for (const ItemEntry& item : table.Entries()) {
        if (item.id <= last || item.id > kLastItemId || table.Find(item.id) != &item) FuzzFailure();
        if (item.name.empty() || item.name.size() > kMaxItemNameBytes ||
            item.description.size() > kMaxItemDescriptionBytes || item.price < 0 ||
            item.price > kMaxItemPrice || item.power < 0 || item.power > kMaxItemPower)
            FuzzFailure();
        last = item.id;
    }
    return 0;
}
