// Rostel's answers: any bytes on standard input are either a character or a named refusal.
#include <cstdint>
#include <sstream>
#include <string>

#include "charsheet/CharSheet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream out;
    rostel::CharSheet sheet;
    std::string error;
    if (rostel::askCharSheet(in, out, sheet, error)) {
        for (const std::string* word : {&sheet.codeName, &sheet.name, &sheet.title})
            if (word->empty() || word->size() > rostel::kMaxWordBytes) __builtin_trap();
        if (rostel::encodeCharSheet(sheet).size() !=
            sheet.codeName.size() + sheet.name.size() + sheet.title.size() + rostel::kStatCount)
            __builtin_trap();
    } else if (error.empty()) {
        __builtin_trap();
    }
    return 0;
}
