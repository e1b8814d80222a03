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

TTrameList TransmitSequence::blockForSlot(quint8 slot)
{
    TTrameList frames;
    if (programs_.ProgramNumberExists(slot) && next_ < programs_.count()) {
        ProgToTrames(programs_.at(next_++), frames, false);
    } else {
        placeholder_->NumOfProg = slot;
        ProgToTrames(*placeholder_, frames, true);
    }
    return frames;
}

std::vector<TTrameList> TransmitBlocks(const TProgList &programs)
{
    TransmitSequence sequence(programs);
    std::vector<TTrameList> blocks;
    blocks.reserve(SlotCount);
    for (int slot = 1; slot <= SlotCount; ++slot)
        blocks.push_back(sequence.blockForSlot(quint8(slot)));
    return blocks;
}

} // namespace varno::eeprom
