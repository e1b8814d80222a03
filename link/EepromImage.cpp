#include <link/EepromImage.h>
#include <model/Cp1252.h>
#include <model/Errors.h>
#include <stdexcept>

namespace varno::eeprom {

QByteArray ToBytes(const TTrameList &frames)
{
    QByteArray bytes;
    bytes.reserve(qsizetype(frames.size()));
    for (const TTrame &frame : frames)
        bytes.append(char(frame.Value));
    return bytes;
}

TTrameList FromBytes(const QByteArray &bytes)
{
    TTrameList frames;
    frames.reserve(std::size_t(bytes.size()));
    for (char b : bytes)
        frames.emplace_back(quint8(b));
    return frames;
}

QByteArray ProjectNameBlock(const QString &name)
{
    QByteArray block = cp1252::Encode(name.left(NameSize));
    block.truncate(NameSize);
    block.append(NameSize - block.size(), '\0');
    return block;
}

QString ProjectNameFromBlock(const QByteArray &block)
{
    return cp1252::Decode(block.left(NameSize));
}

QString ReceivedProjectName(const QByteArray &block)
{
    const QByteArray name = block.left(NameSize);
    const qsizetype end = name.indexOf('\0');
    return cp1252::Decode(end < 0 ? name : name.left(end));
}

} // namespace varno::eeprom

namespace {

quint8 flagBit(quint8 flag, quint8 bit)
{
    return flag == 1 ? bit : 0;
}

} // namespace

void ProgToTrames(const TVARNOProg &p, TTrameList &frames, bool emptySlot)
{
    using varno::eeprom::EmptySlotMarker;
    const quint8 block[varno::eeprom::BlockSize] = {
        0,
        p.NumOfProg,
        quint8(p.ActionCount + flagBit(p.TimerOn, 0x10) + flagBit(p.Active, 0x20) +
               (emptySlot ? EmptySlotMarker : 0)),
        quint8(p.DateMode + flagBit(p.Prioritary, 0x10)),
        quint8((p.ActionKind[0] << 4) + p.ActionKind[1]),
        quint8((p.ActionKind[2] << 4) + p.ActionKind[3]),
        quint8((p.ActionKind[4] << 4) + p.ActionKind[5]),
        p.ActionNumber[0],
        p.ActionNumber[1],
        p.ActionNumber[2],
        p.ActionNumber[3],
        p.ActionNumber[4],
        p.ActionNumber[5],
        quint8((p.WeekDay << 4) + p.GetMonth()),
        quint8(p.GetDay()),
        quint8(p.Get2DigitFormatYear()),
        quint8(p.GetHour()),
        quint8(p.GetMinute()),
        p.ActionValue[0],
        p.ActionValue[1],
        p.ActionValue[2],
        p.ActionValue[3],
        p.ActionValue[4],
        p.ActionValue[5],
    };
    for (quint8 byte : block)
        frames.emplace_back(byte);
}

namespace {

// With a fallback, a date or a time of day that does not exist takes the
// fallback's and decoding goes on; without one it throws.
bool decodeBlock(TVARNOProg &p, const TTrameList &frames, const TVARNOProg *fallback)
{
    if (frames.size() < std::size_t(varno::eeprom::BlockSize))
        throw std::invalid_argument("a program block needs 24 bytes");
    const auto byte = [&frames](int k) { return frames[std::size_t(k)].Value; };

    p.NumOfProg = byte(1);

    quint8 v = byte(2) & 0x7F; // the empty-slot marker is not a field
    p.Active = v >= 0x20 ? 1 : 0;
    v -= p.Active * 0x20;
    p.TimerOn = v >= 0x10 ? 1 : 0;
    v -= p.TimerOn * 0x10;
    p.ActionCount = v;

    v = byte(3);
    p.Prioritary = v >= 0x10 ? 1 : 0;
    p.DateMode = v - p.Prioritary * 0x10;

    for (int slot = 0; slot < TVARNOProg::ActionSlots; slot += 2) {
        const quint8 kinds = byte(4 + slot / 2);
        p.ActionKind[std::size_t(slot)] = kinds >> 4;
        p.ActionKind[std::size_t(slot + 1)] = kinds & 0x0F;
    }
    for (int slot = 0; slot < TVARNOProg::ActionSlots; ++slot)
        p.ActionNumber[std::size_t(slot)] = byte(7 + slot);

    p.WeekDay = byte(13) >> 4;
    bool whole = true;
    const auto decodePart = [&whole, fallback](auto decode, auto useFallback) {
        try {
            decode();
        } catch (const TDateTimeEncodingError &) {
            if (!fallback)
                throw;
            useFallback();
            whole = false;
        }
    };
    // One step from the three parts, so the result never depends on the date
    // the record held before.
    decodePart(
        [&] { p.SetDate(varno::datetime::EncodeDate(2000 + byte(15), byte(13) & 0x0F, byte(14))); },
        [&] { p.Date = fallback->Date; });
    decodePart(
        [&] {
            p.SetHour(byte(16));
            p.SetMinute(byte(17));
        },
        [&] { p.Clock = fallback->Clock; });

    for (int slot = 0; slot < TVARNOProg::ActionSlots; ++slot)
        p.ActionValue[std::size_t(slot)] = byte(18 + slot);
    return whole;
}

} // namespace

void TramesToProg(TVARNOProg &p, const TTrameList &frames)
{
    decodeBlock(p, frames, nullptr);
}

bool IsEmptySlot(const TTrameList &frames)
{
    return frames.size() > 2 && frames[2].Value >= varno::eeprom::EmptySlotMarker;
}

namespace varno::eeprom {

bool TramesToProgWithFallback(TVARNOProg &program, const TTrameList &frames,
                              const TVARNOProg &fallback)
{
    return decodeBlock(program, frames, &fallback);
}

TTrameList EmptySlotBlock(quint8 number)
{
    TVARNOProg placeholder;
    placeholder.DefaultInActiveProg();
    placeholder.NumOfProg = number;
    TTrameList frames;
    ProgToTrames(placeholder, frames, true);
    return frames;
}

} // namespace varno::eeprom
