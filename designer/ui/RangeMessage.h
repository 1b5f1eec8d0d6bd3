#pragma once
#include <string>

namespace kyrel {

// The standard message for a number outside its range: "%1 から %2 までの整数を入力してください。"
// with the two bounds, as Shift-JIS.
std::string rangeMessage(int low, int high);

}  // namespace kyrel
