#include <editor/ActionRules.h>
#include <model/ProjectClasses.h>

namespace varno::actions {

int CountActions(const TVARNOProg &program)
{
    int count = 1;
    for (int slot = 1; slot < TVARNOProg::ActionSlots; ++slot) {
        if (EndsActionList(program.ActionKind[std::size_t(slot)]))
            break;
        count = slot + 1;
    }
    return count;
}

void NormalizeActions(TVARNOProg &program)
{
    // Upwards, so that one list-ending slot empties every slot after it.
    for (std::size_t slot = 0; slot + 1 < TVARNOProg::ActionSlots; ++slot) {
        if (EndsActionList(program.ActionKind[slot])) {
            program.ActionKind[slot + 1] = akDirectory;
            program.ActionNumber[slot + 1] = 0;
        }
    }
    for (std::size_t slot = 0; slot < TVARNOProg::ActionSlots; ++slot) {
        if (program.ActionKind[slot] != akExternalOutput)
            program.ActionValue[slot] = 255;
    }
}

} // namespace varno::actions
