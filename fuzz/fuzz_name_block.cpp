// The name block read back from a player, any bytes: the name holds no zero,
// at most 64 characters, and sends back the bytes it came from.

#include <cstdint>
#include <cstdlib>
#include <link/EepromImage.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray block(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString name = varno::eeprom::ReceivedProjectName(block);
    if (name.size() > 64 || name.contains(QChar(0)))
        std::abort();
    QByteArray sent = varno::eeprom::ProjectNameBlock(name);
    const QByteArray head = block.left(64);
    const qsizetype end = head.indexOf('\0');
    const QByteArray expected = end < 0 ? head : head.left(end);
    if (sent.left(expected.size()) != expected || sent.size() != 64)
        std::abort();
    return 0;
}
