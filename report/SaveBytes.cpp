#include <QSaveFile>
#include <model/Errors.h>
#include <report/SaveBytes.h>

void SaveBytes(const QString &fileName, const QByteArray &bytes)
{
    QSaveFile file(fileName);
    const auto failed = [&] {
        return TVarnoError(
            QStringLiteral("%1: cannot be written: %2").arg(fileName, file.errorString()));
    };
    if (!file.open(QIODevice::WriteOnly))
        throw failed();
    if (file.write(bytes) != bytes.size())
        throw failed();
    if (!file.commit())
        throw failed();
}
