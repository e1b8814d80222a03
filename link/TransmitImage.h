#pragma once

#include <link/Trame.h>
#include <memory>
#include <vector>

class TProgList;
class TVARNOProg;

namespace varno::eeprom {

// The block a transmit sends at step n (1..255): when some program bears the
// number n, the next program of the list not sent yet (so the block carries that
// program's own number); otherwise the empty-slot block of n made from the
// placeholder record.
class TransmitSequence
{
public:
    explicit TransmitSequence(const TProgList &programs);
    ~TransmitSequence();

    TTrameList blockForSlot(quint8 slot);

private:
    const TProgList &programs_;
    int next_ = 0;
    std::unique_ptr<TVARNOProg> placeholder_;
};

// All 255 blocks of a transmit, in the order they are sent.
std::vector<TTrameList> TransmitBlocks(const TProgList &programs);

} // namespace varno::eeprom
