#include <QDir>
#include <QFileInfo>
#include <shell/InstalledCopy.h>

bool isInstalledCopy(const QString &executableDir)
{
    // The path of the desktop entry from the programs' folder, set by the build
    // from the install layout ("../share/applications/varno-programmer.desktop").
    return !executableDir.isEmpty() &&
           QFileInfo(QDir(executableDir).filePath(QStringLiteral(VARNO_INSTALLED_MARKER))).isFile();
}
