#pragma once

#include <QString>

// Whether a file may take an export (programs as CSV, the report): an export
// never replaces a project, neither a project file nor a file another running
// programmer has open.
struct TExportTarget
{
    enum class Refusal
    {
        None,
        ProjectFile,   // the file holds a project
        HeldElsewhere, // a running programmer holds the file's lock
    };
    Refusal refusal = Refusal::None;
    // Who holds it, for HeldElsewhere: 0 and empty when its lock does not say.
    qint64 ownerPid = 0;
    QString ownerHost;
    QString lockFile;

    static TExportTarget check(const QString &fileName);
};

namespace varno::projectfile {

// True when the file begins with the header line of a project file.
bool IsProjectFile(const QString &fileName);

} // namespace varno::projectfile
