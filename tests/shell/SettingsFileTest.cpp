#include <DiskFull.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtPrinters.h>
#include <SmallFileSystem.h>
#include <gtest/gtest.h>
#include <model/AtomicWrite.h>
#include <model/Cp1252.h>
#include <shell/SettingsFile.h>
#include <text/text.h>

namespace {

const QByteArray kDefaultFile = "Settings File of VARNO \"Quillon\" Programmer\r\n"
                                "Language :\r\n"
                                "English\r\n"
                                "Com Port selected :\r\n"
                                "COM1\r\n"
                                "Last projet used\r\n"
                                "\r\n";

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A settings file of the given lines, each ended as the caller says.
QByteArray fileOf(const QStringList &lines, const QByteArray &end = "\r\n")
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += varno::cp1252::Encode(line) + end;
    return bytes;
}

// Settings kept next to a writable executable folder.
class SettingsFile : public ::testing::Test
{
protected:
    QString exeDir() const { return exe.path(); }
    QString cfgPath() const { return QDir(exe.path()).filePath("VARNOQuillonProg2.cfg"); }

    TSettings read(const QByteArray &contents)
    {
        EXPECT_TRUE(writeBytes(cfgPath(), contents));
        TSettings settings;
        QString error;
        EXPECT_TRUE(file.ReadSettings(settings, &error)) << error.toStdString();
        return settings;
    }

    QTemporaryDir exe;
    QTemporaryDir config;
    TSettingsFile file{exe.path(), config.path()};
};

TEST_F(SettingsFile, keptNextToAWritableExecutable)
{
    EXPECT_EQ(file.path(), cfgPath());
    EXPECT_FALSE(file.usesConfigurationDirectory());
    // The write probe leaves nothing behind.
    EXPECT_TRUE(QDir(exeDir()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

TEST_F(SettingsFile, missingFileIsCreatedWithTheDefaultsAndRead)
{
    TSettings settings;
    settings.Language = text::Spanish;
    settings.ComPortName = "COM4";
    settings.ProjectFileName = "/somewhere/old.prg";
    QString error = "untouched";
    ASSERT_TRUE(file.ReadSettings(settings, &error));
    EXPECT_EQ(readBytes(cfgPath()), kDefaultFile);
    EXPECT_EQ(settings.Language, text::English);
    EXPECT_EQ(settings.ComPortName, "COM1");
    EXPECT_EQ(settings.ProjectFileName, "");
    EXPECT_EQ(error, "untouched");
}

TEST_F(SettingsFile, writesTheSevenLinesInWindows1252WithCrLf)
{
    TSettings settings;
    settings.Language = text::Spanish;
    settings.ComPortName = "COM3";
    settings.ProjectFileName = "C:\\Projets\\été.prg";
    ASSERT_TRUE(file.WriteSettings(settings));
    EXPECT_EQ(readBytes(cfgPath()), QByteArray("Settings File of VARNO \"Quillon\" Programmer\r\n"
                                               "Language :\r\n"
                                               "Spanish\r\n"
                                               "Com Port selected :\r\n"
                                               "COM3\r\n"
                                               "Last projet used\r\n"
                                               "C:\\Projets\\\xe9t\xe9.prg\r\n"));
    TSettings back;
    ASSERT_TRUE(file.ReadSettings(back));
    EXPECT_EQ(back.Language, text::Spanish);
    EXPECT_EQ(back.ComPortName, "COM3");
    EXPECT_EQ(back.ProjectFileName, "C:\\Projets\\été.prg");
}

TEST_F(SettingsFile, languageWordsWrittenAndReadBack)
{
    const std::pair<text::Language, QByteArray> cases[] = {
        {text::French, "French"},
        {text::English, "English"},
        {text::Spanish, "Spanish"},
        {text::Language(0),
         "English"}, // never stored by the application; written as the start-up language
    };
    for (const auto &[language, word] : cases) {
        TSettings settings;
        settings.Language = language;
        ASSERT_TRUE(file.WriteSettings(settings));
        EXPECT_EQ(readBytes(cfgPath()).split('\n').at(2), word + "\r");
        TSettings back;
        ASSERT_TRUE(file.ReadSettings(back));
        EXPECT_EQ(back.Language, language == 0 ? text::English : language);
    }
}

TEST_F(SettingsFile, onlyTheExactEnglishAndSpanishWordsSelectThem)
{
    const std::pair<QString, quint8> cases[] = {
        {"English", text::English}, {"Spanish", text::Spanish}, {"French", text::French},
        {"english", text::French},  {"ENGLISH", text::French},  {"spanish", text::French},
        {"English ", text::French}, {" Spanish", text::French}, {"", text::French},
        {"Deutsch", text::French},
    };
    for (const auto &[word, language] : cases) {
        // The label lines are never looked at.
        const TSettings settings =
            read(fileOf({"anything", "Sprache :", word, "", "COM2", "whatever", ""}));
        EXPECT_EQ(settings.Language, language) << word.toStdString();
        EXPECT_EQ(settings.ComPortName, "COM2");
    }
}

TEST_F(SettingsFile, unknownPortNameKeptAndWrittenBack)
{
    TSettings settings = read(fileOf({"", "", "English", "", "COM7", "", "/p/a.prg"}));
    EXPECT_EQ(settings.ComPortName, "COM7");
    EXPECT_EQ(standardPortIndex(settings.ComPortName), 0);
    ASSERT_TRUE(file.WriteSettings(settings));
    EXPECT_EQ(readBytes(cfgPath()).split('\n').at(4), "COM7\r");

    settings = read(fileOf({"", "", "English", "", " /dev/ttyUSB0 ", "", ""}));
    EXPECT_EQ(settings.ComPortName, " /dev/ttyUSB0 ");
}

TEST_F(SettingsFile, readingLeavesTheFileAsItIs)
{
    const QByteArray odd = fileOf({"x", "y", "english", "z", "COM9", "w", "/a/b.prg"}) + "extra\n";
    read(odd);
    EXPECT_EQ(readBytes(cfgPath()), odd);
}

TEST_F(SettingsFile, emptyLastLineGivesNoProject)
{
    TSettings settings;
    settings.ProjectFileName = "";
    ASSERT_TRUE(file.WriteSettings(settings));
    EXPECT_TRUE(readBytes(cfgPath()).endsWith("Last projet used\r\n\r\n"));
    TSettings back;
    back.ProjectFileName = "stale";
    ASSERT_TRUE(file.ReadSettings(back));
    EXPECT_EQ(back.ProjectFileName, "");
}

TEST_F(SettingsFile, shortFilesReadMissingLinesAsEmpty)
{
    // No port named is the first port, as the port menu shows it.
    TSettings settings = read(fileOf({"Settings File", "Language :", "Spanish"}));
    EXPECT_EQ(settings.Language, text::Spanish);
    EXPECT_EQ(settings.ComPortName, "COM1");
    EXPECT_EQ(settings.ProjectFileName, "");

    // The last line without its line end.
    settings = read("a\r\nb\r\nEnglish\r\nc\r\nCOM5\r\nd\r\n/x/y.prg");
    EXPECT_EQ(settings.Language, text::English);
    EXPECT_EQ(settings.ComPortName, "COM5");
    EXPECT_EQ(settings.ProjectFileName, "/x/y.prg");

    settings = read("");
    EXPECT_EQ(settings.Language, text::French);
    EXPECT_EQ(settings.ComPortName, "COM1");
    EXPECT_EQ(settings.ProjectFileName, "");

    settings = read(fileOf({"", "", "English", "", "", "", "/x/y.prg"}));
    EXPECT_EQ(settings.ComPortName, "COM1");
    EXPECT_EQ(settings.ProjectFileName, "/x/y.prg");
}

TEST_F(SettingsFile, lineFeedOnlyFilesRead)
{
    const TSettings settings =
        read(fileOf({"", "", "Spanish", "", "COM6", "", "/home/u/\u00e9t\u00e9.prg"}, "\n"));
    EXPECT_EQ(settings.Language, text::Spanish);
    EXPECT_EQ(settings.ComPortName, "COM6");
    EXPECT_EQ(settings.ProjectFileName, "/home/u/été.prg");
}

TEST_F(SettingsFile, windows1252CharactersRoundTrip)
{
    TSettings settings;
    settings.ProjectFileName = "C:\\Données\\Année 2024 \u20ac\u00a0\u0153.prg";
    ASSERT_TRUE(file.WriteSettings(settings));
    EXPECT_TRUE(readBytes(cfgPath()).contains("C:\\Donn\xe9"
                                              "es\\Ann\xe9"
                                              "e 2024 \x80\xa0\x9c.prg\r\n"));
    TSettings back;
    ASSERT_TRUE(file.ReadSettings(back));
    EXPECT_EQ(back.ProjectFileName, settings.ProjectFileName);
}

TEST_F(SettingsFile, projectPathWindows1252CannotHoldIsNotWrittenMangled)
{
    TSettings settings;
    settings.ProjectFileName = "/home/u/\u65e5\u672c.prg";
    ASSERT_TRUE(file.WriteSettings(settings));
    EXPECT_TRUE(readBytes(cfgPath()).endsWith("Last projet used\r\n\r\n"));
}

TEST_F(SettingsFile, writingReplacesTheWholeFile)
{
    ASSERT_TRUE(writeBytes(cfgPath(), QByteArray(5000, 'x')));
    ASSERT_TRUE(file.WriteSettings(TSettings()));
    EXPECT_EQ(readBytes(cfgPath()), kDefaultFile);
}

// A file that already holds the settings is not written again (a close that
// changed nothing does not wait for the disk); one that differs in any byte is.
TEST_F(SettingsFile, aFileThatAlreadyHoldsTheSettingsIsLeftAsItIs)
{
    ASSERT_TRUE(writeBytes(cfgPath(), kDefaultFile));
    varno::atomicwrite::FailNthWrite(1); // the next write fails
    EXPECT_TRUE(file.WriteSettings(TSettings()));
    ASSERT_TRUE(writeBytes(cfgPath(), QByteArray(kDefaultFile).replace("\r\n", "\n")));
    EXPECT_FALSE(file.WriteSettings(TSettings()));
    varno::atomicwrite::FailNthWrite(0);
    ASSERT_TRUE(file.WriteSettings(TSettings()));
    EXPECT_EQ(readBytes(cfgPath()), kDefaultFile);
}

TEST_F(SettingsFile, fileThatCannotBeOpenedIsAnErrorWithTheDefaults)
{
    // A folder in the file's place can be neither read nor replaced.
    ASSERT_TRUE(QDir(exeDir()).mkdir("VARNOQuillonProg2.cfg"));
    TSettings settings;
    settings.Language = text::French;
    settings.ComPortName = "COM2";
    settings.ProjectFileName = "/a.prg";
    QString error;
    EXPECT_FALSE(file.ReadSettings(settings, &error));
    EXPECT_TRUE(error.contains("VARNOQuillonProg2.cfg")) << error.toStdString();
    EXPECT_EQ(settings.Language, text::English);
    EXPECT_EQ(settings.ComPortName, "COM1");
    EXPECT_EQ(settings.ProjectFileName, "");

    error.clear();
    EXPECT_FALSE(file.WriteSettings(settings, &error));
    EXPECT_TRUE(error.contains("VARNOQuillonProg2.cfg")) << error.toStdString();
    EXPECT_TRUE(QFileInfo(cfgPath()).isDir());
    // No error text asked for: still only a false result.
    EXPECT_FALSE(file.WriteSettings(settings));
}

// A write that fails at any step (the data, the flush, the rename) leaves the
// previous settings as they were and says why.
TEST_F(SettingsFile, failedWriteKeepsThePreviousFileAndGivesTheReason)
{
    ASSERT_TRUE(writeBytes(cfgPath(), kDefaultFile));
    TSettings settings;
    settings.Language = text::Spanish;
    for (int step = 1; step <= 3; ++step) {
        varno::atomicwrite::FailNthWrite(step);
        QString error;
        EXPECT_FALSE(file.WriteSettings(settings, &error)) << step;
        EXPECT_TRUE(error.endsWith("cannot be written: " + diskFullText()))
            << step << ": " << error.toStdString();
        EXPECT_EQ(readBytes(cfgPath()), kDefaultFile) << step;
    }
    varno::atomicwrite::FailNthWrite(0);
}

TEST(SettingsFileFullDisk, aFullFileSystemKeepsThePreviousSettings)
{
    SmallFileSystem disk;
    if (!disk.mounted())
        GTEST_SKIP() << "no small file system can be mounted here";
    TSettingsFile file(disk.path(), QString());
    TSettings settings;
    settings.Language = text::Spanish;
    settings.ComPortName = "COM4";
    ASSERT_TRUE(file.WriteSettings(settings));
    const QByteArray before = readBytes(file.path());
    disk.fill();
    settings.Language = text::English;
    QString error;
    EXPECT_FALSE(file.WriteSettings(settings, &error));
    EXPECT_TRUE(error.endsWith("No space left on device")) << error.toStdString();
    EXPECT_EQ(readBytes(file.path()), before);
}

TEST_F(SettingsFile, hugeFileIsRefusedBeforeReading)
{
    QFile huge(cfgPath());
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.write(kDefaultFile) > 0);
    ASSERT_TRUE(huge.resize(17 * 1024 * 1024)); // sparse: no disk used
    huge.close();
    TSettings settings;
    QString error;
    EXPECT_FALSE(file.ReadSettings(settings, &error));
    EXPECT_TRUE(error.contains("is too large")) << error.toStdString();
    EXPECT_EQ(settings.Language, text::English);
}

// The executable's folder cannot be written: the configuration folder is used.
TEST(SettingsFileFallback, unwritableExecutableFolderUsesTheConfigurationFolder)
{
    QTemporaryDir root;
    const QString config = root.filePath("deep/config");
    for (const QString &exeDir : {QStringLiteral("/proc"), root.filePath("missing"), QString()}) {
        QDir(config).removeRecursively();
        TSettingsFile file(exeDir, config);
        EXPECT_TRUE(file.usesConfigurationDirectory()) << exeDir.toStdString();
        const QString path = QDir(config).filePath("VARNOQuillonProg2.cfg");
        EXPECT_EQ(file.path(), path);

        // Created with its folder on the first read, then read and written there.
        TSettings settings;
        ASSERT_TRUE(file.ReadSettings(settings));
        EXPECT_EQ(readBytes(path), kDefaultFile);
        settings.Language = text::French;
        settings.ComPortName = "COM7";
        ASSERT_TRUE(file.WriteSettings(settings));
        TSettings back;
        ASSERT_TRUE(TSettingsFile(exeDir, config).ReadSettings(back));
        EXPECT_EQ(back.Language, text::French);
        EXPECT_EQ(back.ComPortName, "COM7");
    }
    EXPECT_FALSE(QFileInfo::exists(root.filePath("missing")));
}

TEST(SettingsFileFallback, noUsableFolderIsAnError)
{
    TSettingsFile file("/proc", "/proc/varno-settings");
    TSettings settings;
    settings.Language = text::Spanish;
    QString error;
    EXPECT_FALSE(file.ReadSettings(settings, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(settings.Language, text::English);
    EXPECT_EQ(settings.ComPortName, "COM1");

    error.clear();
    EXPECT_FALSE(file.WriteSettings(settings, &error));
    EXPECT_TRUE(error.contains("VARNOQuillonProg2.cfg")) << error.toStdString();
}

TEST(SettingsFileFallback, noConfigurationFolderKeepsTheExecutableFolder)
{
    TSettingsFile file("/proc", QString());
    EXPECT_FALSE(file.usesConfigurationDirectory());
    EXPECT_EQ(file.path(), "/proc/VARNOQuillonProg2.cfg");
    TSettings settings;
    QString error;
    EXPECT_FALSE(file.ReadSettings(settings, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(StandardPortIndex, onlyTheSixUpperCaseNames)
{
    for (int i = 1; i <= 6; ++i)
        EXPECT_EQ(standardPortIndex(QStringLiteral("COM%1").arg(i)), i);
    for (const char *name : {"COM0", "COM7", "com1", "Com1", "COM1 ", " COM1", "COM01", "COM", ""})
        EXPECT_EQ(standardPortIndex(name), 0) << name;
}

} // namespace
