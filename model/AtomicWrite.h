#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

namespace varno {

// Writes a file whole or not at all. The bytes go to a temporary file beside the
// target, which takes the target's place only when every write, the flush to the
// disk and the rename succeeded. Otherwise the previous file stays as it was, the
// temporary file is removed, and errorString() holds the system's reason
// ("No space left on device").
//
//   TAtomicFile file(name);
//   if (!file.open() || !file.write(part1) || !file.write(part2) || !file.commit())
//       report(file.errorString());
//
// Every file the programmer writes goes through this class (or WriteFileAtomically),
// so a full disk or a failing medium can never leave a half-written file behind.
class TAtomicFile
{
public:
    explicit TAtomicFile(const QString &fileName);
    TAtomicFile(const TAtomicFile &) = delete;
    TAtomicFile &operator=(const TAtomicFile &) = delete;

    bool open();
    // Appends bytes; false once this or any earlier step failed.
    bool write(const QByteArray &bytes);
    // Flushes, syncs and puts the file in place; false when any step failed.
    bool commit();
    QString errorString() const { return error_; }

private:
    bool fail(const QString &reason);

    QSaveFile file_;
    QString error_;
    bool failed_ = false;
};

// Why the file system cannot take the name of fileName or of the temporary file
// written beside it (the system's reason: "File name too long"); empty when the
// names fit. TAtomicFile::open() checks it first, so that a name too long is
// never reported as "Unknown error" once the bytes are written.
QString WhyNameDoesNotFit(const QString &fileName);

// The whole file in one call. On failure returns false and sets *error to the
// system's reason; the previous file is then untouched.
bool WriteFileAtomically(const QString &fileName, const QByteArray &bytes,
                         QString *error = nullptr);

namespace atomicwrite {

// Fault injection for tests: the n-th step from now (counting every write, flush
// and commit of every TAtomicFile in the process, 1 the next one) fails as a full
// disk would. 0 turns it off. A process started with the environment variable
// VARNO_FAIL_NTH_WRITE=n begins with the same setting, so that tests can reach
// the writers of a program they run.
void FailNthWrite(int n);

} // namespace atomicwrite
} // namespace varno
