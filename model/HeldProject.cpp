#include <model/HeldProject.h>
#include <model/ProgList.h>

namespace varno::actions {

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

void HoldPrograms(TProgList &programs)
{
    for (const auto &program : programs)
        varno::actions::NormalizeActions(*program);
}

TProject LoadProjectAsHeld(const QString &fileName, QList<TNarrowedNumber> *narrowed)
{
    TProject project = LoadProject(fileName, narrowed);
    HoldPrograms(project.Programs);
    return project;
}

} // namespace varno::actions
