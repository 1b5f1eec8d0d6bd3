#include "engine/platform/web/WebSaveStore.h"

#include <emscripten.h>

EM_JS(void, JsSavesChanged, (), { Module.kit.savesChanged(); });

std::string WebSaveStore::Write(int slot, const std::vector<std::uint8_t>& bytes) {
    std::string problem = DirectorySaveStore::Write(slot, bytes);
    if (problem.empty()) JsSavesChanged();
    return problem;
}
