#include <algorithm>
#include <link/ComLink.h>
#include <link/EepromImage.h>
#include <link/PlayerImage.h>
#include <link/Transfer.h>
#include <link/TransmitImage.h>
#include <model/Project.h>
#include <text/text.h>

namespace varno::transfer {

TPlayerImage ImageAfterTransmit(const TProject &project)
{
    TPlayerImage image;
    for (const TTrameList &block : eeprom::TransmitBlocks(project.Programs)) {
        const int slot = block[1].Value;
        if (slot >= 1)
            image.Slots[std::size_t(slot - 1)] = eeprom::ToBytes(block);
    }
    image.Name = eeprom::ProjectNameBlock(project.Group.Name);
    return image;
}

namespace {

quint8 at(const QByteArray &block, int k)
{
    return k < block.size() ? quint8(block[k]) : 0;
}

bool isEmpty(const QByteArray &block)
{
    return block.size() <= 2 || at(block, 2) >= eeprom::EmptySlotMarker;
}

// A field held in part of one byte.
struct TByteField
{
    TField Field;
    int Action; // 1..6, or 0
    int Byte;
    quint8 Mask;
};

QList<TByteField> byteFields()
{
    QList<TByteField> fields = {
        {TField::Number, 0, 1, 0xFF},   {TField::ActionCount, 0, 2, 0x0F},
        {TField::TimerOn, 0, 2, 0x10},  {TField::Active, 0, 2, 0x20},
        {TField::DateMode, 0, 3, 0x0F}, {TField::Prioritary, 0, 3, 0x10},
        {TField::WeekDay, 0, 13, 0xF0}, {TField::Hour, 0, 16, 0xFF},
        {TField::Minute, 0, 17, 0xFF},
    };
    for (int action = 1; action <= 6; ++action) {
        const int i = action - 1;
        fields << TByteField{TField::ActionKind, action, 4 + i / 2, quint8(i % 2 ? 0x0F : 0xF0)}
               << TByteField{TField::ActionNumber, action, 7 + i, 0xFF}
               << TByteField{TField::ActionValue, action, 18 + i, 0xFF};
    }
    return fields;
}

QString fieldValue(const QByteArray &block, const TByteField &field)
{
    int shift = 0;
    while (!((field.Mask >> shift) & 1))
        ++shift;
    return QString::number((at(block, field.Byte) & field.Mask) >> shift);
}

QString dateValue(const QByteArray &block)
{
    return QStringLiteral("20%1-%2-%3")
        .arg(at(block, 15), 2, 10, QLatin1Char('0'))
        .arg(at(block, 13) & 0x0F, 2, 10, QLatin1Char('0'))
        .arg(at(block, 14), 2, 10, QLatin1Char('0'));
}

void compareSlot(int slot, const QByteArray &sent, const QByteArray &read,
                 QList<TFieldDifference> &differences)
{
    const bool sentEmpty = isEmpty(sent);
    const bool readEmpty = isEmpty(read);
    if (sentEmpty && readEmpty)
        return;
    if (sentEmpty != readEmpty) {
        const auto number = [](bool empty, const QByteArray &block) {
            return empty ? QString() : QString::number(at(block, 1));
        };
        differences << TFieldDifference{slot, TField::Presence, 0, number(sentEmpty, sent),
                                        number(readEmpty, read)};
        return;
    }
    const auto differs = [&](int k, quint8 mask) {
        return (at(sent, k) & mask) != (at(read, k) & mask);
    };
    for (const TByteField &field : byteFields()) {
        if (differs(field.Byte, field.Mask))
            differences << TFieldDifference{slot, field.Field, field.Action,
                                            fieldValue(sent, field), fieldValue(read, field)};
    }
    if (differs(13, 0x0F) || differs(14, 0xFF) || differs(15, 0xFF))
        differences << TFieldDifference{slot, TField::Date, 0, dateValue(sent), dateValue(read)};
}

} // namespace

QList<TFieldDifference> CompareImages(const TPlayerImage &sent, const TPlayerImage &read)
{
    QList<TFieldDifference> differences;
    for (int slot = 1; slot <= eeprom::SlotCount; ++slot)
        compareSlot(slot, sent.Slots[std::size_t(slot - 1)], read.Slots[std::size_t(slot - 1)],
                    differences);
    // The player's name ends at its first zero byte.
    const QString sentName = eeprom::ReceivedProjectName(sent.Name);
    const QString readName = eeprom::ReceivedProjectName(read.Name);
    if (sentName != readName)
        differences << TFieldDifference{0, TField::Name, 0, sentName, readName};
    return differences;
}

QList<TFieldDifference> CompareExactly(const TPlayerImage &expected, const TPlayerImage &read)
{
    QList<TFieldDifference> differences = CompareImages(expected, read);
    const auto hex = [](const QByteArray &bytes) {
        return QString::fromLatin1(bytes.toHex(' ').toUpper());
    };
    const auto shown = [&](int slot) {
        return std::any_of(differences.cbegin(), differences.cend(),
                           [slot](const TFieldDifference &d) { return d.Program == slot; });
    };
    QList<TFieldDifference> bytes;
    for (int slot = 1; slot <= eeprom::SlotCount; ++slot) {
        const QByteArray &e = expected.Slots[std::size_t(slot - 1)];
        const QByteArray &r = read.Slots[std::size_t(slot - 1)];
        if (e != r && !shown(slot))
            bytes << TFieldDifference{slot, TField::Block, 0, hex(e), hex(r)};
    }
    if (expected.Name != read.Name && !shown(0))
        bytes << TFieldDifference{0, TField::Block, 0, hex(expected.Name), hex(read.Name)};
    // In slot order, the name last, as CompareImages lists them.
    differences += bytes;
    std::stable_sort(differences.begin(), differences.end(),
                     [](const TFieldDifference &a, const TFieldDifference &b) {
                         const int ka = a.Program == 0 ? 256 : a.Program;
                         const int kb = b.Program == 0 ? 256 : b.Program;
                         return ka < kb;
                     });
    return differences;
}

QString FieldName(const TFieldDifference &difference, text::Language language)
{
    using text::AddedTexts;
    const auto name = [language](AddedTexts key) { return text::Text(key, language); };
    switch (difference.Field) {
    case TField::Presence:
        return name(AddedTexts::FieldPresence);
    case TField::Number:
        return name(AddedTexts::FieldNumber);
    case TField::ActionCount:
        return name(AddedTexts::FieldActionCount);
    case TField::TimerOn:
        return name(AddedTexts::FieldTimerOn);
    case TField::Active:
        return name(AddedTexts::FieldActive);
    case TField::DateMode:
        return name(AddedTexts::FieldDateMode);
    case TField::Prioritary:
        return name(AddedTexts::FieldPrioritary);
    case TField::ActionKind:
        return name(AddedTexts::FieldActionKind).arg(difference.Action);
    case TField::ActionNumber:
        return name(AddedTexts::FieldActionNumber).arg(difference.Action);
    case TField::ActionValue:
        return name(AddedTexts::FieldActionValue).arg(difference.Action);
    case TField::WeekDay:
        return name(AddedTexts::FieldWeekDay);
    case TField::Date:
        return name(AddedTexts::FieldDate);
    case TField::Hour:
        return name(AddedTexts::FieldHour);
    case TField::Minute:
        return name(AddedTexts::FieldMinute);
    case TField::Name:
        return name(AddedTexts::FieldName);
    case TField::Block:
        return name(AddedTexts::FieldBlock);
    }
    return {};
}

TLinkResult ReadPlayerImage(TComLink &link, TPlayerImage &image, TTransferObserver &observer)
{
    observer.transferStarted();
    for (int slot = 1; slot <= eeprom::SlotCount; ++slot) {
        if (observer.cancelRequested())
            return TLinkResult::Cancelled;
        TTrameList block;
        const TLinkResult result = link.ReadBlock(quint8(slot), block);
        if (result != TLinkResult::Ok) {
            observer.linkFailure(result);
            observer.slotDone(slot);
            return result;
        }
        image.Slots[std::size_t(slot - 1)] = eeprom::ToBytes(block);
        observer.slotDone(slot);
    }
    observer.finalizationStep();
    image.Name.clear();
    for (int i = 0; i < eeprom::NameSize; ++i) {
        if (observer.cancelRequested())
            return TLinkResult::Cancelled;
        quint8 value = 0;
        const TLinkResult result =
            link.ReadEepromByte(eeprom::NameAddressHigh, quint8(eeprom::NameAddressLow + i), value);
        if (result != TLinkResult::Ok) {
            observer.linkFailure(TLinkResult::EepromReadError);
            return result;
        }
        image.Name.append(char(value));
    }
    return TLinkResult::Ok;
}

TLinkResult RunReadPlayer(TComLink &link, const QString &portName, TPlayerImage &image,
                          TTransferObserver &observer)
{
    const TLinkResult opened = link.OpenComPort(portName);
    if (opened != TLinkResult::Ok) {
        observer.linkFailure(opened);
        return opened;
    }
    const TLinkResult result = ReadPlayerImage(link, image, observer);
    const TLinkResult closed = link.CloseComPort();
    if (result != TLinkResult::Ok)
        return result;
    if (closed != TLinkResult::Ok) {
        observer.linkFailure(closed);
        return closed;
    }
    return TLinkResult::Ok;
}

TLinkResult RunVerify(TComLink &link, const QString &portName, const TProject &project,
                      QList<TFieldDifference> &differences, TTransferObserver &observer)
{
    differences.clear();
    observer.phaseStarted(TTransferPhase::Verify);
    TPlayerImage image;
    const TLinkResult result = RunReadPlayer(link, portName, image, observer);
    if (result != TLinkResult::Ok)
        return result;
    differences = CompareImages(ImageAfterTransmit(project), image);
    return TLinkResult::Ok;
}

} // namespace varno::transfer
