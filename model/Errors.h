#pragma once

#include <QDir>
#include <QString>
#include <stdexcept>

// Failures of the program model and of project files. Link failures are result
// codes, never exceptions (see link/).
class TVarnoError : public std::runtime_error
{
public:
    explicit TVarnoError(const QString &message)
        : std::runtime_error(message.toStdString()), message_(message)
    {
    }
    const QString &message() const { return message_; }

private:
    QString message_;
};

// A date or a time of day that cannot exist (31 April, hour 24, ...).
class TDateTimeEncodingError : public TVarnoError
{
public:
    using TVarnoError::TVarnoError;
};

// A project file that cannot be read or written. The message reads
// "file:line: reason" (line omitted when the whole file is concerned), the file
// with the platform's separators.
class TProjectFileError : public TVarnoError
{
public:
    TProjectFileError(const QString &fileName, int line, const QString &reason)
        : TVarnoError(
              line > 0 ? QStringLiteral("%1:%2: %3")
                             .arg(QDir::toNativeSeparators(fileName))
                             .arg(line)
                             .arg(reason)
                       : QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(fileName), reason)),
          fileName_(fileName), line_(line), reason_(reason)
    {
    }
    const QString &fileName() const { return fileName_; }
    int line() const { return line_; }
    const QString &reason() const { return reason_; }

private:
    QString fileName_;
    int line_;
    QString reason_;
};
