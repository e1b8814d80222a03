#include <QFileInfo>
#include <model/AtomicWrite.h>
#include <model/Errors.h>
#include <model/FileRead.h>
#include <model/PreviousVersion.h>

namespace varno::projectfile {

QString PreviousVersionPath(const QString &fileName)
{
    return fileName + QStringLiteral(".bak");
}

QString WhySaveNamesDoNotFit(const QString &fileName, QString *name)
{
    for (const QString &written : {fileName, PreviousVersionPath(fileName)}) {
        if (const QString why = varno::WhyNameDoesNotFit(written); !why.isEmpty()) {
            if (name)
                *name = written;
            return why;
        }
    }
    return {};
}

void KeepPreviousVersion(const QString &fileName)
{
    QString name;
    if (const QString why = WhySaveNamesDoNotFit(fileName, &name); !why.isEmpty())
        throw TProjectFileError(name, 0, QStringLiteral("cannot be written: %1").arg(why));
    if (!QFileInfo(fileName).isFile())
        return;
    QString reason;
    const std::optional<QByteArray> current = varno::ReadSmallFile(fileName, &reason);
    if (!current)
        throw TProjectFileError(
            fileName, 0,
            QStringLiteral("cannot be kept as the previous version, as the file %1").arg(reason));
    const QByteArray &bytes = *current;

    const QString backup = PreviousVersionPath(fileName);
    QString error;
    if (!varno::WriteFileAtomically(backup, bytes, &error))
        throw TProjectFileError(backup, 0, QStringLiteral("cannot be written: %1").arg(error));
}

} // namespace varno::projectfile
