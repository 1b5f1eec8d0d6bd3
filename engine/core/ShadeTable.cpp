#include "engine/core/ShadeTable.h"

namespace {

std::shared_ptr<const std::vector<std::uint16_t>> ComputeEntries() {
    auto entries = std::make_shared<std::vector<std::uint16_t>>(
        static_cast<std::size_t>(kShadeLevels) * 65536u);
    for (int level = 0; level < kShadeLevels; ++level)
        for (unsigned c = 0; c < 65536u; ++c)
            (*entries)[static_cast<std::size_t>(level) * 65536u + c] =
                ShadeOf(level, static_cast<std::uint16_t>(c));
    return entries;
}

}  // namespace

void BrightnessTable::Build() {
    static const std::shared_ptr<const std::vector<std::uint16_t>> shared = ComputeEntries();
    entries_ = shared;
}
