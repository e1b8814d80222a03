// What each platform decides, with the platform's facts given: so that the
// Linux suite covers Windows and macOS too.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QVariant>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <link/ComLink.h>
#include <link/DeviceAccess.h>
#include <link/PortList.h>
#include <link/SlowLineHint.h>
#include <link/Win32Line.h>
#include <model/ReservedNames.h>
#include <shell/InstalledCopy.h>
#include <shell/RecentProjects.h>

namespace {

using varno::link::TOfferedPort;
using varno::link::TPortPlatform;
using varno::link::TSystemPort;

TEST(PlatformDecisions, installedCopyPerPlatform)
{
    const QStringList programFiles = {"C:\\Program Files", "C:\\Program Files (x86)"};
    const struct
    {
        TCopyPlatform platform;
        const char *dir;
        bool desktopEntry;
        bool writable;
        bool installed;
    } cases[] = {
        {TCopyPlatform::Windows, "C:\\Program Files\\VARNO Programmer", false, true, true},
        {TCopyPlatform::Windows, "c:/program files (x86)/VARNO", false, true, true},
        {TCopyPlatform::Windows, "C:\\Program Files", false, true, true},
        {TCopyPlatform::Windows, "C:\\Program Files Old\\VARNO", false, true, false},
        {TCopyPlatform::Windows, "D:\\Tools\\VARNO", false, true, false},
        {TCopyPlatform::Windows, "D:\\Locked\\VARNO", false, false, true},
        {TCopyPlatform::Windows, "D:\\Tools\\VARNO", true, true, false},
        {TCopyPlatform::MacOS, "/Applications/VARNO Programmer.app/Contents/MacOS", false, true,
         true},
        {TCopyPlatform::MacOS, "/Users/ana/varno/build/app", false, true, false},
        {TCopyPlatform::MacOS, "/Users/ana/varno/build/app", false, false, false},
        {TCopyPlatform::Linux, "/usr/bin", true, false, true},
        {TCopyPlatform::Linux, "/home/ana/varno/build/app", false, false, false},
        {TCopyPlatform::Linux, "", true, true, false},
    };
    for (const auto &c : cases) {
        TCopyFacts facts;
        facts.Platform = c.platform;
        facts.ExecutableDir = QString::fromUtf8(c.dir);
        facts.HasDesktopEntry = c.desktopEntry;
        facts.ProgramFilesDirs = programFiles;
        facts.ExecutableDirWritable = c.writable;
        EXPECT_EQ(IsInstalledCopy(facts), c.installed) << c.dir;
    }
}

TEST(PlatformDecisions, portsOfferedPerPlatform)
{
    const QList<TSystemPort> windows = {
        {"COM1", "\\\\.\\COM1", "Communications Port"},
        {"COM3", "\\\\.\\COM3", "USB Serial Port"},
        {"COM3", "\\\\.\\COM3", "USB Serial Port"},
        {"COM12", "\\\\.\\COM12", ""},
    };
    EXPECT_EQ(OtherSystemPorts(TPortPlatform::Windows, windows,
                               {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6"}),
              (QList<TOfferedPort>{{"COM12", "COM12"}}));
    EXPECT_EQ(OtherSystemPorts(TPortPlatform::Windows, windows, {"COM1"}),
              (QList<TOfferedPort>{{"COM3", "COM3 (USB Serial Port)"}, {"COM12", "COM12"}}));

    const QList<TSystemPort> mac = {
        {"tty.usbserial-1410", "/dev/tty.usbserial-1410", "FT232R"},
        {"cu.usbserial-1410", "/dev/cu.usbserial-1410", "FT232R"},
        {"cu.Bluetooth-Incoming-Port", "/dev/cu.Bluetooth-Incoming-Port", ""},
    };
    EXPECT_EQ(OtherSystemPorts(TPortPlatform::MacOS, mac, {"/dev/ttyS0"}),
              (QList<TOfferedPort>{
                  {"/dev/cu.usbserial-1410", "/dev/cu.usbserial-1410 (FT232R)"},
                  {"/dev/cu.Bluetooth-Incoming-Port", "/dev/cu.Bluetooth-Incoming-Port"}}));

    const QList<TSystemPort> linux = {
        {"ttyS0", "/dev/ttyS0", ""},
        {"ttyUSB0", "/dev/ttyUSB0", "FT232R USB UART"},
        {"ttyUSB0", "/dev/ttyUSB0", "FT232R USB UART"},
    };
    EXPECT_EQ(OtherSystemPorts(TPortPlatform::Linux, linux, {"/dev/ttyS0"}),
              (QList<TOfferedPort>{{"/dev/ttyUSB0", "/dev/ttyUSB0 (FT232R USB UART)"}}));
}

TEST(PlatformDecisions, reservedDeviceNames)
{
    const struct
    {
        const char *name;
        bool reserved;
        const char *written;
    } cases[] = {
        {"COM3.prg", true, "COM3-player.prg"}, {"com9.prg", true, "com9-player.prg"},
        {"LPT1", true, "LPT1-player"},         {"nul.tar.gz", true, "nul-player.tar.gz"},
        {"CON .prg", true, "CON -player.prg"}, {"AUX.prg", true, "AUX-player.prg"},
        {"PRN.prg", true, "PRN-player.prg"},   {"COM\u00B9.prg", true, "COM\u00B9-player.prg"},
        {"COM10.prg", false, "COM10.prg"},     {"COM.prg", false, "COM.prg"},
        {"CONSOLE.prg", false, "CONSOLE.prg"}, {"dev_pts_3.prg", false, "dev_pts_3.prg"},
        {"xCOM3.prg", false, "xCOM3.prg"},
    };
    for (const auto &c : cases) {
        const QString name = QString::fromUtf8(c.name);
        EXPECT_EQ(varno::IsReservedDeviceName(name), c.reserved) << c.name;
        EXPECT_EQ(varno::NotReservedFileName(name, "-player"), QString::fromUtf8(c.written))
            << c.name;
    }
}

// The player's line as the Win32 API carries it: the flag word is exactly 1
// (binary mode, nothing else), and ports above COM9 open in the device namespace.
TEST(PlatformDecisions, win32LineOfThePlayer)
{
    using namespace varno::link;
    const TWin32Line line = ToWin32Line(PlayerLineSettings());
    EXPECT_EQ(line, (TWin32Line{57600, 8, 0, 0, 1}));
    EXPECT_EQ(FromWin32Line(line), PlayerLineSettings());
    TLineSettings other = PlayerLineSettings();
    other.Parity = TParity::Even;
    other.StopBits = TStopBits::Two;
    other.FlowControl = TFlowControl::Hardware;
    other.DtrAsserted = true;
    EXPECT_EQ(ToWin32Line(other), (TWin32Line{57600, 8, 2, 2, 1 | 2 | 4 | 0x10 | 0x2000}));
    EXPECT_EQ(FromWin32Line(ToWin32Line(other)), other);
    EXPECT_EQ(PurgeEverything, 0x0Fu);

    for (const auto &[name, opened] : {std::pair{"COM1", "COM1"},
                                       {"COM9", "COM9"},
                                       {"COM10", "\\\\.\\COM10"},
                                       {"COM255", "\\\\.\\COM255"},
                                       {"\\\\.\\COM10", "\\\\.\\COM10"},
                                       {"/dev/ttyS0", "/dev/ttyS0"}})
        EXPECT_EQ(Win32CreateFileName(QString::fromLatin1(name)), QString::fromLatin1(opened))
            << name;
}

// What a slow line or a refused device tells the user, in each platform's terms:
// Linux reads the adapter's timer, the others measure; no Linux command
// elsewhere.
TEST(PlatformDecisions, hintsSpeakOfTheirPlatform)
{
    using varno::link::SlowLineHint;
    const struct
    {
        TPortPlatform platform;
        std::optional<int> timer;
        std::optional<double> msPerProgram;
        const char *says; // nullptr: no hint
        const char *neverSays;
    } cases[] = {
        {TPortPlatform::Linux, 16, std::nullopt, "ttyUSB0/latency_timer' makes it 1 ms", "Device"},
        {TPortPlatform::Linux, 2, std::nullopt, nullptr, ""},
        {TPortPlatform::Linux, std::nullopt, 40.0, nullptr, ""},
        {TPortPlatform::Windows, std::nullopt, 40.0, "(40 ms a program", "sudo"},
        {TPortPlatform::Windows, std::nullopt, 40.0, "Device Manager", "/sys"},
        {TPortPlatform::Windows, std::nullopt, 12.0, nullptr, ""},
        {TPortPlatform::Windows, std::nullopt, std::nullopt, nullptr, ""},
        {TPortPlatform::MacOS, std::nullopt, 33.4, "(33 ms a program", "Device Manager"},
        {TPortPlatform::MacOS, std::nullopt, 33.4, "latency timer", "sudo"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(int(c.platform));
        const QString hint = SlowLineHint(c.platform, "PORT", c.timer, "ttyUSB0", c.msPerProgram);
        if (!c.says) {
            EXPECT_TRUE(hint.isEmpty()) << hint.toStdString();
            continue;
        }
        EXPECT_TRUE(hint.startsWith("hint: ") && hint.contains("PORT")) << hint.toStdString();
        EXPECT_TRUE(hint.contains(c.says)) << hint.toStdString();
        EXPECT_FALSE(hint.contains(c.neverSays)) << hint.toStdString();
    }

    varno::link::TDeviceAccess groupOnly;
    groupOnly.Accessible = false;
    groupOnly.Group = "uucp";
    groupOnly.GroupGrantsAccess = true;
    using varno::link::DescribeOpenFailure;
    EXPECT_TRUE(DescribeOpenFailure("/dev/ttyS0", groupOnly, true, {}, TPortPlatform::Linux)
                    .contains("sudo usermod -aG uucp $USER"));
    const QString mac =
        DescribeOpenFailure("/dev/cu.usbserial", groupOnly, true, {}, TPortPlatform::MacOS);
    EXPECT_TRUE(mac.contains("sudo dseditgroup -o edit -a $USER -t user uucp"))
        << mac.toStdString();
    EXPECT_FALSE(mac.contains("usermod"));
}

// Where the file system ignores case, one project spelt two ways is one entry
// of the recent list, and forgetting it forgets both spellings.
TEST(PlatformDecisions, recentProjectsCompareNamesAsTheFileSystemDoes)
{
    QTemporaryDir dir;
    const auto in = [&](const QStringList &names) {
        QStringList files;
        for (const QString &name : names)
            files << dir.filePath(name);
        return files;
    };
    for (const auto &[cs, kept] :
         {std::pair{Qt::CaseInsensitive, QStringList{"shop.prg", "Other.prg"}},
          std::pair{Qt::CaseSensitive, QStringList{"shop.prg", "Other.prg", "Shop.prg"}}}) {
        TRecentProjects recent(dir.filePath(cs == Qt::CaseSensitive ? "a.ini" : "b.ini"), cs);
        for (const QString &file : in({"Shop.prg", "Other.prg", "shop.prg"}))
            recent.add(file);
        EXPECT_EQ(recent.files(), in(kept));
        recent.remove(dir.filePath("SHOP.PRG"));
        EXPECT_EQ(recent.files().size(), cs == Qt::CaseSensitive ? 3 : 1);
    }
}

// COM1 to COM6 are built-in ports on Windows and Linux; on macOS a name the
// menu offers must mean a device, unless it is the port in use.
TEST(PlatformDecisions, standardPortsOnlyWhereTheyMeanADevice)
{
    using varno::link::StandardPortOffered;
    for (TPortPlatform platform : {TPortPlatform::Windows, TPortPlatform::Linux})
        EXPECT_TRUE(StandardPortOffered(platform, false, false));
    EXPECT_FALSE(StandardPortOffered(TPortPlatform::MacOS, false, false));
    EXPECT_TRUE(StandardPortOffered(TPortPlatform::MacOS, true, false));
    EXPECT_TRUE(StandardPortOffered(TPortPlatform::MacOS, false, true));
}

#ifdef VARNO_INFO_PLIST
// A property list's value, the reader on its start element.
QVariant plistValue(QXmlStreamReader &xml)
{
    if (xml.name() == u"dict") {
        QVariantMap map;
        while (xml.readNextStartElement()) {
            const QString key = xml.readElementText();
            if (!xml.readNextStartElement())
                break;
            map.insert(key, plistValue(xml));
        }
        return map;
    }
    if (xml.name() == u"array") {
        QVariantList list;
        while (xml.readNextStartElement())
            list << plistValue(xml);
        return list;
    }
    if (xml.name() == u"true" || xml.name() == u"false") {
        const bool value = xml.name() == u"true";
        xml.skipCurrentElement();
        return value;
    }
    return xml.readElementText();
}

// The macOS bundle's property list as the Finder reads it: well-formed, the
// programmer as its executable, and .prg files as its documents.
TEST(PlatformDecisions, theMacBundleOpensProjectFiles)
{
    QFile file(QStringLiteral(VARNO_INFO_PLIST));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << VARNO_INFO_PLIST;
    QXmlStreamReader xml(&file);
    ASSERT_TRUE(xml.readNextStartElement() && xml.name() == u"plist");
    ASSERT_TRUE(xml.readNextStartElement());
    const QVariantMap plist = plistValue(xml).toMap();
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();

    EXPECT_EQ(plist.value("CFBundleExecutable"), "varno-programmer");
    const QString identifier = plist.value("CFBundleIdentifier").toString();
    EXPECT_TRUE(identifier.contains('.') && !identifier.contains('@')) << identifier.toStdString();
    const QVariantList types = plist.value("CFBundleDocumentTypes").toList();
    ASSERT_EQ(types.size(), 1);
    const QVariantMap type = types[0].toMap();
    EXPECT_EQ(type.value("CFBundleTypeExtensions").toList(), QVariantList{QStringLiteral("prg")});
    EXPECT_EQ(type.value("CFBundleTypeRole"), "Editor");
    const QVariantList exported = plist.value("UTExportedTypeDeclarations").toList();
    ASSERT_EQ(exported.size(), 1);
    EXPECT_EQ(type.value("LSItemContentTypes").toList(),
              QVariantList{exported[0].toMap().value("UTTypeIdentifier")});
}
#endif

} // namespace
