#include "designer/ui/RangeMessage.h"

namespace kyrel {

std::string rangeMessage(int low, int high) {
    // " から " and " までの整数を入力してください。" in Shift-JIS.
    static constexpr char kFrom[] = " \x82\xa9\x82\xe7 ";
    static constexpr char kTo[] =
        " \x82\xdc\x82\xc5\x82\xcc\x90\xae\x90\x94\x82\xf0\x93\xfc\x97\xcd\x82\xb5\x82\xc4"
        "\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81\x42";
    return std::to_string(low) + kFrom + std::to_string(high) + kTo;
}

}  // namespace kyrel
