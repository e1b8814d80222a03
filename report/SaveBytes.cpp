#include <model/AtomicWrite.h>
#include <model/Errors.h>
#include <report/SaveBytes.h>

namespace varno::report {

void SaveBytes(const QString &fileName, const QByteArray &bytes)
{
    QString error;
    if (!varno::WriteFileAtomically(fileName, bytes, &error))
        throw TVarnoError(QStringLiteral("%1: cannot be written: %2").arg(fileName, error));
}

} // namespace varno::report
