#pragma once
#include "engine/save/SaveStore.h"

// The page's four slots: files in a directory of the page's file system that the page keeps in
// the browser's storage (IndexedDB); each written save is handed on to that storage at once, so
// it survives a reload.
class WebSaveStore : public save::DirectorySaveStore {
  public:
    using DirectorySaveStore::DirectorySaveStore;
    std::string Write(int slot, const std::vector<std::uint8_t>& bytes) override;
};
