#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QtGlobal>
#include <shell/InstalledCopy.h>

namespace {

QString comparable(QString path)
{
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path.toCaseFolded();
}

bool isInside(const QString &path, const QString &folder)
{
    const QString p = comparable(path);
    const QString f = comparable(folder);
    return !f.isEmpty() && (p == f || p.startsWith(f + QLatin1Char('/')));
}

} // namespace

bool IsInstalledCopy(const TCopyFacts &facts)
{
    if (facts.ExecutableDir.isEmpty())
        return false;
    switch (facts.Platform) {
    case TCopyPlatform::Windows:
        if (!facts.ExecutableDirWritable)
            return true;
        for (const QString &folder : facts.ProgramFilesDirs) {
            if (isInside(facts.ExecutableDir, folder))
                return true;
        }
        return false;
    case TCopyPlatform::MacOS:
        return comparable(facts.ExecutableDir).contains(QStringLiteral(".app/contents/macos"));
    case TCopyPlatform::Linux:
        return facts.HasDesktopEntry;
    }
    return false;
}

bool isInstalledCopy(const QString &executableDir)
{
    TCopyFacts facts;
    facts.ExecutableDir = executableDir;
#if defined(Q_OS_WIN)
    facts.Platform = TCopyPlatform::Windows;
    for (const char *name : {"ProgramFiles", "ProgramFiles(x86)", "ProgramW6432"}) {
        const QString folder = qEnvironmentVariable(name);
        if (!folder.isEmpty())
            facts.ProgramFilesDirs << folder;
    }
    // A real write: permissions alone do not tell what Windows lets through.
    QTemporaryFile probe(QDir(executableDir).filePath(QStringLiteral("write-test.XXXXXX")));
    facts.ExecutableDirWritable = probe.open();
#elif defined(Q_OS_MACOS)
    facts.Platform = TCopyPlatform::MacOS;
#else
    facts.Platform = TCopyPlatform::Linux;
    // The path of the desktop entry from the programs' folder, set by the build
    // from the install layout ("../share/applications/varno-programmer.desktop").
    facts.HasDesktopEntry =
        !executableDir.isEmpty() &&
        QFileInfo(QDir(executableDir).filePath(QStringLiteral(VARNO_INSTALLED_MARKER))).isFile();
#endif
    return IsInstalledCopy(facts);
}
