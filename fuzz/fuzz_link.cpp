// The link's exchanges against a port that answers with the fuzzer's bytes and
// fails where they say: every operation must end with a result code, whatever
// arrives.

#include "FuzzDevice.h"

#include <QCoreApplication>
#include <chrono>
#include <cstdlib>
#include <link/ComLink.h>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::uint8_t plan = data[0];
    TComLink link(std::make_unique<varno::fuzz::TFuzzDevice>(data + 1, size - 1),
                  std::chrono::milliseconds(50));
    const auto check = [](TLinkResult r) {
        if (varno::link::LinkResultCode(r) > 9)
            std::abort(); // the link returns 0 to 9 only
    };
    check(link.OpenComPort(QStringLiteral("COM1")));
    TTrameList block(24);
    quint8 value = 0;
    for (int step = 0; step < 4; ++step) {
        switch ((plan >> (2 * step)) & 3) {
        case 0:
            check(link.WriteBlock(block));
            break;
        case 1:
            check(link.ReadBlock(quint8(step + 1), block));
            if (block.size() != 24)
                std::abort();
            break;
        case 2:
            check(link.WriteEepromByte(0x60, 0x10, 0x41));
            check(link.ReadEepromByte(0x60, 0x11, value));
            break;
        case 3:
            check(link.SendFinalize());
            break;
        }
    }
    check(link.CloseComPort());
    return 0;
}
