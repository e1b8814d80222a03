#pragma once

#include <QByteArray>
#include <QString>

namespace varno::report {

// Writes a whole file through the checked atomic writer (model/AtomicWrite.h), so
// that a failure leaves any previous file whole. Throws TVarnoError naming the
// file and the reason.
void SaveBytes(const QString &fileName, const QByteArray &bytes);

} // namespace varno::report
