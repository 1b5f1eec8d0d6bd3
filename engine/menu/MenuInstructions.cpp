#include "engine/menu/MenuInstructions.h"

#include <string>

#include "engine/core/Engine.h"
#include "engine/menu/FieldMenu.h"
#include "engine/menu/Shop.h"
#include "engine/script/Opcodes.h"

Flow ShopInstruction(ScriptRun& run) {
    Engine& engine = run.engine;
    ShopState& shop = engine.Menus.shop;
    if (engine.ModeProc == ShopMode) return RepeatNextFrame(run);  // this shop or another's
    if (shop.finished == &run.context) {
        shop.finished = nullptr;
        return Flow::Next;
    }
    if ((run.owner != ScriptOwner::Global && run.owner != ScriptOwner::Event) || engine.Battle) {
        ReportFault(run, "a battle script cannot open a shop");
        return Flow::Next;
    }
    std::string problem;
    std::vector<std::int32_t> wares = ParseWares(engine, StringArg(run), problem);
    if (!problem.empty()) {
        ReportFault(run, problem);
        return Flow::Next;
    }
    OpenShop(engine, std::move(wares), &run.context);
    return RepeatNextFrame(run);
}

void RegisterMenuInstructions(Engine& engine) {
    RegisterInstruction(engine, ScriptClass::Field, FieldOp::Shop, ShopInstruction);
    engine.OpenFieldMenu = OpenFieldMenuIfAllowed;
}
