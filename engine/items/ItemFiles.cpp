#include "engine/items/ItemFiles.h"

#include "common/WholeFile.h"
#include "engine/core/Engine.h"

void LoadItemTable(Engine& engine) {
    engine.Items.table.Clear();
    const std::string name = "Dtbs\\items.dat";
    const auto path = AssetPath(engine, name);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return;
    const auto bytes = kit::readWholeFile(path);
    const std::string problem =
        bytes ? engine.Items.table.Parse(
                    std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()))
              : std::string("the file cannot be read");
    if (!problem.empty()) ErrorBox(engine, name + ": " + problem);
}
