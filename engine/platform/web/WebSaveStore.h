#pragma once
#include <string>

#include "engine/save/SaveStore.h"

// The page's four slots, each its own entry of the browser's storage, under the game's identity:
// games on one site keep apart, and a save writes only its own slot, so pages of one game open
// side by side never lose each other's saves. The page (dunmere-web.js) owns the storage: the
// browser's local storage, whose writes finish before the call returns, so a save is reported
// only once it is kept; or, when the browser offers no storage, memory for the visit.
class WebSaveStore : public save::SaveStore {
  public:
    explicit WebSaveStore(std::string gameIdentity);
    std::optional<std::vector<std::uint8_t>> Read(int slot) const override;
    std::string Write(int slot, const std::vector<std::uint8_t>& bytes) override;

  private:
    std::string store_;
};
