#include <QFile>
#include <QFileInfo>
#include <model/AtomicWrite.h>
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
    QString error;
    if (!varno::WriteFileAtomically(backup, bytes, &error))
        throw TProjectFileError(backup, 0, QStringLiteral("cannot be written: %1").arg(error));
}
