#pragma once

#include <QString>

// The system's words for a full disk, as a failed write reports them.
inline QString diskFullText()
{
#ifdef Q_OS_WIN
    return qt_error_string(112); // ERROR_DISK_FULL
#else
    return QStringLiteral("No space left on device");
#endif
}
