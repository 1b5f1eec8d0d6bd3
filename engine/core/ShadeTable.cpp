#include "engine/core/ShadeTable.h"

void BrightnessTable::Build() {
    entries_.resize(static_cast<std::size_t>(kShadeLevels) * 65536u);
    for (int level = 0; level < kShadeLevels; ++level)
        for (unsigned c = 0; c < 65536u; ++c)
            entries_[static_cast<std::size_t>(level) * 65536u + c] =
                ShadeOf(level, static_cast<std::uint16_t>(c));
}
