#include <link/EepromImage.h>
#include <link/TransmitImage.h>
#include <model/ProgList.h>

namespace varno::eeprom {

TransmitSequence::TransmitSequence(const TProgList &programs)
    : programs_(programs), placeholder_(std::make_unique<TVARNOProg>())
{
    placeholder_->DefaultInActiveProg();
}

TransmitSequence::~TransmitSequence() = default;

int TransmitSequence::programForSlot(quint8 slot)
{
    if (programs_.ProgramNumberExists(slot) && next_ < programs_.count())
        return next_++;
    return -1;
}

TTrameList TransmitSequence::blockForSlot(quint8 slot)
{
    return blockOf(programForSlot(slot), slot);
}

TTrameList TransmitSequence::blockOf(int program, quint8 slot)
{
    TTrameList frames;
    if (program >= 0) {
        ProgToTrames(programs_.at(program), frames, false);
    } else {
        placeholder_->NumOfProg = slot;
        ProgToTrames(*placeholder_, frames, true);
    }
    return frames;
}

std::vector<TransmitStep> TransmitSteps(const TProgList &programs)
{
    TransmitSequence sequence(programs);
    std::vector<TransmitStep> steps;
    steps.reserve(SlotCount);
    for (int slot = 1; slot <= SlotCount; ++slot) {
        const int program = sequence.programForSlot(quint8(slot));
        steps.push_back({program, sequence.blockOf(program, quint8(slot))});
    }
    return steps;
}

std::vector<TTrameList> TransmitBlocks(const TProgList &programs)
{
    std::vector<TTrameList> blocks;
    blocks.reserve(SlotCount);
    for (TransmitStep &step : TransmitSteps(programs))
        blocks.push_back(std::move(step.block));
    return blocks;
}

} // namespace varno::eeprom
