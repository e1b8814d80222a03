#pragma once

#include <QByteArray>
#include <QString>
#include <QtPrinters.h>
#include <link/LinkResult.h>
#include <ostream>
#include <string>

inline void PrintTo(TLinkResult result, std::ostream *out)
{
    *out << "code " << int(result);
}

namespace varno::test {

// "0A 01 FF" for the bytes 0x0A 0x01 0xFF.
inline std::string hex(const QByteArray &bytes)
{
    return bytes.toHex(' ').toUpper().toStdString();
}

} // namespace varno::test
