#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <text/text.h>

// The three preferences that outlive a run: the user-interface language, the serial
// port and the project file open last.
struct TSettings
{
    text::Language Language = text::English; // 1 French, 2 English, 3 Spanish
    QString ComPortName = QStringLiteral("COM1");
    QString ProjectFileName; // empty: no project to open at start-up
};

// The settings file "VARNOQuillonProg2.cfg": seven lines ended by CR LF, in
// Windows-1252.
//
//   1  Settings File of VARNO "Quillon" Programmer    (label, ignored on reading)
//   2  Language :                                     (label)
//   3  French | English | Spanish
//   4  Com Port selected :                            (label)
//   5  the serial port name, used unchanged
//   6  Last projet used                               (label)
//   7  the full path of the last project, possibly empty
//
// The file lives next to the executable (one per copy) when the copy runs from its
// build folder or from a folder that holds its settings file. An installed copy
// (isInstalledCopy), and one whose folder cannot be written, keeps the same file
// in the user's configuration folder instead. The choice is made once, when the
// object is built.
class TSettingsFile
{
public:
    static QString fileName() { return QStringLiteral("VARNOQuillonProg2.cfg"); }

    // executableDir: the folder of the executable (QCoreApplication::applicationDirPath());
    // configurationDir: the user's configuration folder (QStandardPaths::AppConfigLocation),
    // created when the file is first written there.
    TSettingsFile(const QString &executableDir, const QString &configurationDir);

    // The full path of the file read and written.
    QString path() const { return path_; }
    // True when the file is kept in the configuration folder.
    bool usesConfigurationDirectory() const { return usesConfigurationDirectory_; }

    // Reads the file into settings. A missing file is first written with the
    // defaults (English, "COM1", no project) and then read. When the file cannot be
    // created or read (a folder, a pipe, more than 16 MB), returns false, sets
    // *error to a message for the user and leaves settings at the defaults. An
    // empty or missing port line reads as "COM1".
    bool ReadSettings(TSettings &settings, QString *error = nullptr) const;

    // Creates or replaces the file with the seven lines of settings; a file that
    // already holds them is not written again. The previous file stays whole when
    // the write fails; returns false and sets *error then.
    // A project path that Windows-1252 cannot hold is written as an empty line 7
    // (no project reopened rather than a wrong path).
    bool WriteSettings(const TSettings &settings, QString *error = nullptr) const;

    // The bytes of the file for settings, and the settings read from such bytes
    // (CR LF or LF line ends; missing lines read as empty).
    static QByteArray format(const TSettings &settings);
    static TSettings parse(const QByteArray &bytes);

private:
    QString path_;
    QString configurationDir_; // created before writing when the file is kept there
    bool usesConfigurationDirectory_ = false;
};

// 1 to 6 when name is exactly "COM1" to "COM6" (case-sensitive), 0 otherwise.
int standardPortIndex(const QString &name);
