#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <model/Errors.h>
#include <model/PreviousVersion.h>

QString PreviousVersionPath(const QString &fileName)
{
    return fileName + QStringLiteral(".bak");
}

void KeepPreviousVersion(const QString &fileName)
{
    if (!QFileInfo(fileName).isFile())
        return;
    QFile current(fileName);
    if (!current.open(QIODevice::ReadOnly))
        throw TProjectFileError(fileName, 0,
                                QStringLiteral("cannot be read to keep its previous version: %1")
                                    .arg(current.errorString()));
    const QByteArray bytes = current.readAll();
    if (current.error() != QFileDevice::NoError)
        throw TProjectFileError(fileName, 0,
                                QStringLiteral("cannot be read to keep its previous version: %1")
                                    .arg(current.errorString()));

    const QString backup = PreviousVersionPath(fileName);
    QSaveFile file(backup);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() ||
        !file.commit())
        throw TProjectFileError(backup, 0,
                                QStringLiteral("cannot be written: %1").arg(file.errorString()));
}
