#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <link/BackupImage.h>
#include <link/EepromImage.h>

namespace varno::backup {

QString ImagePathFor(const QString &backupPath)
{
    const QFileInfo info(backupPath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".img"));
}

QByteArray ImageFileBytes(const transfer::TPlayerImage &image)
{
    QByteArray bytes;
    bytes.reserve(ImageFileSize);
    for (const QByteArray &block : image.Slots)
        bytes += block;
    return bytes + image.Name;
}

QString WhyNotRestorable(const transfer::TPlayerImage &image)
{
    for (int slot = 1; slot <= eeprom::SlotCount; ++slot) {
        const QByteArray &block = image.Slots[std::size_t(slot - 1)];
        if (block.size() != eeprom::BlockSize)
            return QStringLiteral("slot %1 holds %2 bytes, not %3")
                .arg(slot)
                .arg(block.size())
                .arg(eeprom::BlockSize);
        if (quint8(block[1]) != slot)
            return QStringLiteral("slot %1 holds a block numbered %2, which the player would "
                                  "store elsewhere")
                .arg(slot)
                .arg(quint8(block[1]));
    }
    if (image.Name.size() != eeprom::NameSize)
        return QStringLiteral("the name block holds %1 bytes, not %2")
            .arg(image.Name.size())
            .arg(eeprom::NameSize);
    return {};
}

bool LoadImage(const QString &imagePath, transfer::TPlayerImage &image, QString &error)
{
    const QString shown = QDir::toNativeSeparators(imagePath);
    QFile file(imagePath);
    if (!QFileInfo(imagePath).isFile()) {
        error = QStringLiteral("the raw image %1 of this backup is missing").arg(shown);
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        error =
            QStringLiteral("the raw image %1 cannot be read: %2").arg(shown, file.errorString());
        return false;
    }
    // One byte more than the layout holds is enough to see a longer file.
    const QByteArray bytes = file.read(ImageFileSize + 1);
    if (bytes.size() != ImageFileSize) {
        error = QStringLiteral("the raw image %1 is damaged: %2 bytes, not %3")
                    .arg(shown)
                    .arg(file.size())
                    .arg(ImageFileSize);
        return false;
    }
    transfer::TPlayerImage read;
    for (int slot = 0; slot < eeprom::SlotCount; ++slot)
        read.Slots[std::size_t(slot)] = bytes.mid(slot * eeprom::BlockSize, eeprom::BlockSize);
    read.Name = bytes.mid(eeprom::SlotCount * eeprom::BlockSize);
    if (const QString why = WhyNotRestorable(read); !why.isEmpty()) {
        error = QStringLiteral("the raw image %1 is damaged: %2").arg(shown, why);
        return false;
    }
    image = std::move(read);
    return true;
}

} // namespace varno::backup
