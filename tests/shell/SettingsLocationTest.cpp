#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <shell/InstalledCopy.h>
#include <shell/SettingsFile.h>

namespace {

bool createFile(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly);
}

struct LocationCase
{
    const char *name;
    bool installed;     // the desktop entry sits in share/applications beside bin
    bool hasItsOwnFile; // bin already holds a settings file
    bool keptBeside;    // expected: the file beside the executable
};

class SettingsLocation : public ::testing::TestWithParam<LocationCase>
{
};

// Where each kind of copy keeps its settings file. The temporary folder plays a
// prefix: bin/ holds the programmer, share/ what installing puts beside it.
TEST_P(SettingsLocation, followsTheKindOfCopy)
{
    const LocationCase c = GetParam();
#ifdef Q_OS_WIN
    // There an install is known by its folder (PlatformDecisions covers it).
    if (c.installed)
        GTEST_SKIP() << "installed copies are not marked by a desktop entry on Windows";
#endif
    QTemporaryDir prefix;
    QTemporaryDir config;
    ASSERT_TRUE(prefix.isValid() && config.isValid());
    const QString bin = prefix.filePath("bin");
    ASSERT_TRUE(QDir().mkpath(bin));
    if (c.installed) {
        ASSERT_TRUE(createFile(prefix.filePath("share/applications/varno-programmer.desktop")));
    }
    const QString beside = QDir(bin).filePath(TSettingsFile::fileName());
    if (c.hasItsOwnFile) {
        ASSERT_TRUE(createFile(beside));
    }

    EXPECT_EQ(isInstalledCopy(bin), c.installed);
    const TSettingsFile file(bin, config.path());
    EXPECT_EQ(file.path(),
              c.keptBeside ? beside : QDir(config.path()).filePath(TSettingsFile::fileName()));
    EXPECT_EQ(file.usesConfigurationDirectory(), !c.keptBeside);
}

INSTANTIATE_TEST_SUITE_P(
    Copies, SettingsLocation,
    ::testing::Values(LocationCase{"buildFolder", false, false, true},
                      LocationCase{"installedInAnyPrefix", true, false, false},
                      LocationCase{"installedButHoldingItsOwnFile", true, true, true},
                      LocationCase{"unpackedHoldingItsOwnFile", false, true, true}),
    [](const ::testing::TestParamInfo<LocationCase> &info) { return info.param.name; });

} // namespace
