#include "engine/items/ItemInstructions.h"

#include <string>

#include "engine/core/Engine.h"
#include "engine/items/Holdings.h"
#include "engine/script/Opcodes.h"

Flow ItemInstruction(ScriptRun& run) {
    const std::int32_t id = Arg(run, 0), op = Arg(run, 1), amount = Arg(run, 2);
    if (!run.engine.Items.table.Find(id)) {
        ReportFault(run, "item " + std::to_string(id) + " is not in the item table");
        return Flow::Next;
    }
    if (!CheckIndex(run, op, 2, "operation of f31")) return Flow::Next;
    // Adding leaves P2 alone, so that the same amount can be added again.
    if (op == 0)
        run.context.variables[2] = ItemCount(run.engine, id);
    else
        ChangeItemCount(run.engine, id, amount);
    return Flow::Next;
}

Flow GoldInstruction(ScriptRun& run) {
    const std::int32_t op = Arg(run, 1), amount = Arg(run, 2);
    if (!CheckIndex(run, op, 2, "operation of f32")) return Flow::Next;
    if (op == 0)
        run.context.variables[2] = Gold(run.engine);
    else
        ChangeGold(run.engine, amount);
    return Flow::Next;
}

void RegisterItemInstructions(Engine& engine) {
    RegisterInstruction(engine, ScriptClass::Field, FieldOp::Item, ItemInstruction);
    RegisterInstruction(engine, ScriptClass::Field, FieldOp::Gold, GoldInstruction);
}
