#include <QRegularExpression>
#include <model/ReservedNames.h>

namespace varno {

bool IsReservedDeviceName(const QString &fileName)
{
    static const QRegularExpression reserved(
        QStringLiteral("^(CON|PRN|AUX|NUL|(COM|LPT)[0-9\u00B9\u00B2\u00B3])$"),
        QRegularExpression::CaseInsensitiveOption);
    QString base = fileName.section(QLatin1Char('.'), 0, 0);
    while (base.endsWith(QLatin1Char(' ')))
        base.chop(1);
    return reserved.match(base).hasMatch();
}

QString NotReservedFileName(const QString &fileName, const QString &suffix)
{
    if (!IsReservedDeviceName(fileName))
        return fileName;
    const qsizetype dot = fileName.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return fileName + suffix;
    return fileName.left(dot) + suffix + fileName.mid(dot);
}

} // namespace varno
