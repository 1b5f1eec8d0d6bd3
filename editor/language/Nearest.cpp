#include "editor/language/Nearest.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace script_language {
namespace {

std::size_t editDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), std::size_t{0});
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

std::string suggestion(std::string_view word, std::span<const std::string_view> known,
                       std::string otherwise) {
    std::string_view best;
    std::size_t bestDistance = SIZE_MAX;
    for (std::string_view name : known) {
        const std::size_t distance = editDistance(word, name);
        if (distance < bestDistance) {
            best = name;
            bestDistance = distance;
        }
    }
    if (best.empty() || bestDistance > std::max<std::size_t>(2, word.size() / 3)) return otherwise;
    return "did you mean " + std::string(best) + "?";
}

}  // namespace script_language
