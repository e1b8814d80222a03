// A block from the player, any 24 bytes: it decodes, or fails with the date or
// time error and nothing else; what decodes encodes back to the same fields.

#include <cstdint>
#include <cstdlib>
#include <link/EepromImage.h>
#include <model/Errors.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 24)
        return 0;
    TTrameList block;
    for (std::size_t k = 0; k < 24; ++k)
        block.emplace_back(data[k]);
    TVARNOProg program;
    try {
        TramesToProg(program, block);
    } catch (const TDateTimeEncodingError &) {
        return 0;
    }
    TTrameList again;
    ProgToTrames(program, again, false);
    // Everything but byte 0, the marker and the bits the block never uses.
    static const quint8 masks[24] = {0,    0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                     0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                     0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    for (std::size_t k = 1; k < 24; ++k) {
        // The year byte is read as 2000 + byte and written as its last two digits.
        const int sent = k == 15 ? block[k].Value % 100 : block[k].Value & masks[k];
        if (sent != (again[k].Value & masks[k]))
            std::abort();
    }
    return 0;
}
