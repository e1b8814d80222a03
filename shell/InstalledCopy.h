#pragma once

#include <QString>
#include <QStringList>

// What decides whether a copy of the programmer is installed, per platform.
enum class TCopyPlatform
{
    Linux,
    Windows,
    MacOS
};

struct TCopyFacts
{
    TCopyPlatform Platform = TCopyPlatform::Linux;
    QString ExecutableDir;
    // Linux: installing puts the desktop entry in the data folder beside the
    // programs' folder (bin/../share/applications); a build folder or an
    // unpacked copy has none.
    bool HasDesktopEntry = false;
    // Windows: the Program Files folders (%ProgramFiles%, %ProgramFiles(x86)%,
    // %ProgramW6432%), and whether a real test write in ExecutableDir succeeded.
    QStringList ProgramFilesDirs;
    bool ExecutableDirWritable = true;
};

// Windows: under a Program Files folder (any case, either separator), or in a
// folder that cannot be written. macOS: inside an .app bundle. Linux: beside
// the desktop entry of an install.
bool IsInstalledCopy(const TCopyFacts &facts);

// The same for the programmer in executableDir, with this platform's facts.
bool isInstalledCopy(const QString &executableDir);
