#include <editor/ActionRules.h>
#include <model/ProjectClasses.h>

namespace varno::actions {

int CountActions(const TVARNOProg &program)
{
    int count = 1;
    for (int slot = 1; slot < TVARNOProg::ActionSlots; ++slot) {
        if (varno::actions::EndsActionList(program.ActionKind[std::size_t(slot)]))
            break;
        count = slot + 1;
    }
    return count;
}

} // namespace varno::actions
