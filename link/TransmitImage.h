#pragma once

#include <link/Trame.h>
#include <memory>
#include <vector>

class TProgList;
class TVARNOProg;

namespace varno::eeprom {

// What a transmit sends at step n (1..255): when some program bears the
// number n, the next program of the list not sent yet, whatever its own
// number (its block carries that number); otherwise the empty-slot block of n
// made from the placeholder record. Steps are taken in ascending order, each
// once.
class TransmitSequence
{
public:
    explicit TransmitSequence(const TProgList &programs);
    ~TransmitSequence();

    // The position in the list of the program sent at this step, or -1 for the
    // empty-slot block.
    int programForSlot(quint8 slot);
    // The block of that step, from what programForSlot gave for it.
    TTrameList blockOf(int program, quint8 slot);
    // Both at once: the next step's block.
    TTrameList blockForSlot(quint8 slot);

private:
    const TProgList &programs_;
    int next_ = 0;
    std::unique_ptr<TVARNOProg> placeholder_;
};

struct TransmitStep
{
    int program; // position in the list, -1 for the empty-slot block
    TTrameList block;
};

// All 255 steps of a transmit, in the order they are sent.
std::vector<TransmitStep> TransmitSteps(const TProgList &programs);
std::vector<TTrameList> TransmitBlocks(const TProgList &programs);

} // namespace varno::eeprom
