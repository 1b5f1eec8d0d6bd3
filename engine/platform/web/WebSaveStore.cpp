#include "engine/platform/web/WebSaveStore.h"

#include <emscripten.h>

// The page's side: sizes and bytes of a slot, and a write that answers 0 when the slot is kept,
// otherwise a reason's number (WriteProblem below).
// clang-format off
EM_JS(int, JsSaveSize, (const char* store, int slot), {
    return Module.kit.saveSize(UTF8ToString(store), slot);
});
EM_JS(void, JsSaveRead, (const char* store, int slot, std::uint8_t* into), {
    Module.kit.saveRead(UTF8ToString(store), slot, (bytes) => HEAPU8.set(bytes, into));
});
EM_JS(int, JsSaveWrite, (const char* store, int slot, const std::uint8_t* bytes, int size), {
    return Module.kit.saveWrite(UTF8ToString(store), slot, HEAPU8.slice(bytes, bytes + size));
});
// clang-format on

namespace {
std::string WriteProblem(int code) {
    switch (code) {
        case 0:
            return {};
        case 1:
            return "the browser's storage is full";
        default:
            return "the browser refused to store it";
    }
}
}  // namespace

WebSaveStore::WebSaveStore(std::string gameIdentity)
    : store_(gameIdentity.empty() ? "game" : std::move(gameIdentity)) {}

std::optional<std::vector<std::uint8_t>> WebSaveStore::Read(int slot) const {
    if (slot < 0 || slot >= save::kSlotCount) return std::nullopt;
    const int size = JsSaveSize(store_.c_str(), slot);
    if (size < 0) return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (size > 0) JsSaveRead(store_.c_str(), slot, bytes.data());
    return bytes;
}

std::string WebSaveStore::Write(int slot, const std::vector<std::uint8_t>& bytes) {
    if (slot < 0 || slot >= save::kSlotCount) return "no such slot";
    return WriteProblem(
        JsSaveWrite(store_.c_str(), slot, bytes.data(), static_cast<int>(bytes.size())));
}
