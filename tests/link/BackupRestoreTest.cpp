// The backups made before a transmit and their restore, against the emulated
// player: what a backup keeps, which backups the folder keeps, and a restore
// that puts back exactly what the player held.

#include "EmulatorFixture.h"

#include <PlayerBlocks.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <SmallFileSystem.h>
#include <link/Backup.h>
#include <link/BackupImage.h>
#include <link/PlayerImage.h>
#include <link/Restore.h>
#include <link/SafeTransmit.h>
#include <link/Transfer.h>
#include <model/AtomicWrite.h>
#include <model/Project.h>
#include <model/ProjectFile.h>

namespace varno::transfer {
inline void PrintTo(const TFieldDifference &d, std::ostream *out)
{
    *out << "program " << d.Program << " field " << int(d.Field) << " action " << d.Action
         << " sent '" << d.Sent.toStdString() << "' read '" << d.Read.toStdString() << "'";
}
} // namespace varno::transfer

namespace varno::test {
namespace {

using varno::transfer::TField;
using varno::transfer::TFieldDifference;
using varno::transfer::TPlayerImage;

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray nameBytes(const TPlayerMemory &memory)
{
    const auto name = memory.name();
    return QByteArray(reinterpret_cast<const char *>(name.data()), qsizetype(name.size()));
}

TPlayerImage imageOf(const TPlayerMemory &memory)
{
    TPlayerImage image;
    for (int slot = 1; slot <= 255; ++slot)
        image.Slots[std::size_t(slot - 1)] = bytesOf(memory.block(slot));
    image.Name = nameBytes(memory);
    return image;
}

TPlayerMemory withImage(const TPlayerImage &image)
{
    TPlayerMemory memory = TPlayerMemory::Empty();
    for (int slot = 1; slot <= 255; ++slot) {
        TPlayerMemory::Block block{};
        const QByteArray &bytes = image.Slots[std::size_t(slot - 1)];
        std::copy(bytes.cbegin(), bytes.cend(), block.begin());
        memory.setBlock(slot, block);
    }
    for (int i = 0; i < image.Name.size(); ++i)
        memory.setByte(0x60, quint8(0x10 + i), quint8(image.Name[i]));
    return memory;
}

// Blocks a project file cannot hold, as a player may hold them.
TPlayerMemory oddMemory()
{
    TPlayerMemory memory = TPlayerMemory::Empty();
    TVARNOProg program;
    program.ActionValue.fill(33);
    program.SetDate(varno::datetime::EncodeDate(2027, 5, 4));
    const auto odd = [&](int number, auto change) {
        program.NumOfProg = quint8(number);
        TPlayerMemory::Block block = storedBlock(program);
        change(block);
        memory.setBlock(number, block);
    };
    odd(9, [](auto &b) { b[13] = quint8((b[13] & 0xF0) | 13); }); // month 13
    odd(40, [](auto &b) { b[15] = 0x70; });                       // the year 2112
    odd(41, [](auto &b) { b[0] = 0x5A; });                        // byte 0 not zero
    odd(42, [](auto &b) { b[5] = 0x45; });                        // kinds past the count
    // An empty slot with bytes no transmit writes.
    TPlayerMemory::Block empty = memory.block(100);
    empty[0] = 0xA5;
    empty[13] = 0x0D;
    empty[18] = 0x77;
    memory.setBlock(100, empty);
    // "Hall", its end, and bytes after it.
    const char name[] = "Hall\0after";
    for (int i = 0; i < int(sizeof name); ++i)
        memory.setByte(0x60, quint8(0x10 + i), quint8(name[i]));
    return memory;
}

TProject nextProject()
{
    TProject project;
    project.Group.Name = QStringLiteral("Next");
    for (int number : {7, 40, 100, 200}) {
        TVARNOProg &program = *project.Programs.Add();
        program.NumOfProg = quint8(number);
        program.ActionValue.fill(quint8(number));
    }
    return project;
}

struct StopAt : TTransferObserver
{
    QList<TTransferPhase> phases;
    int cancelAtSlot = 0; // during the transmit
    int lastSlot = 0;

    void transferStarted() override { lastSlot = 0; }
    void phaseStarted(TTransferPhase phase) override { phases << phase; }
    void slotDone(int slot) override { lastSlot = slot; }
    bool cancelRequested() override
    {
        return cancelAtSlot > 0 && !phases.isEmpty() && phases.last() == TTransferPhase::Transmit &&
               lastSlot >= cancelAtSlot;
    }
};

void setWritten(const QString &path, const QDateTime &when)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite)) << path.toStdString();
    ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
}

void makeBackupFiles(const QString &path, const QDateTime &written)
{
    for (const QString &file : {path, varno::backup::ImagePathFor(path)}) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.close();
        setWritten(file, written);
    }
}

// Whatever the names say about the order, the backup just written stays, and
// the one written longest ago goes, with its image.
TEST(Backups, theOneJustWrittenStaysAndTheOldestWrittenGoes)
{
    const QDateTime now(QDate(2026, 12, 8), QTime(14, 55, 3));
    const QDateTime longAgo = now.addYears(-1);
    const struct
    {
        const char *what;
        int nameDays;    // the name of backup i is dated now + nameDays + i days
        int oldestIndex; // the backup written first (the others one day later each)
    } cases[] = {
        {"names after today's (a clock once set ahead)", 1, 0},
        {"names after today's, written in the reverse order", 1, 29},
        {"names before today's, written in another order", -40, 17},
        {"one name in the same second as now (a clock fallen back)", 0, 5},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        QStringList names;
        for (int i = 0; i < 30; ++i) {
            names << varno::backup::FileName(now.addDays(c.nameDays + i), QStringLiteral("Hall"));
            const int age = i == c.oldestIndex ? 0 : 1 + (i + 30 - c.oldestIndex) % 30;
            makeBackupFiles(dir.filePath(names.last()), longAgo.addDays(age));
        }
        writeFile(dir.filePath(QStringLiteral("notes.prg")), "not a backup");
        QString error;
        const QString path =
            varno::backup::Save(dir.path(), imageOf(oddMemory()), now, error, nullptr);
        ASSERT_FALSE(path.isEmpty()) << error.toStdString();
        EXPECT_TRUE(QFile::exists(path));
        EXPECT_FALSE(names.contains(QFileInfo(path).fileName())) << path.toStdString();
        EXPECT_EQ(QFileInfo(varno::backup::ImagePathFor(path)).size(),
                  varno::backup::ImageFileSize);
        EXPECT_EQ(LoadProject(path).Group.Name, "Hall");
        const QStringList left = QDir(dir.path()).entryList(QDir::Files);
        EXPECT_EQ(left.size(), 61) << left.join(' ').toStdString(); // 30 pairs, the notes
        EXPECT_FALSE(left.contains(names[c.oldestIndex])) << names[c.oldestIndex].toStdString();
        EXPECT_FALSE(
            left.contains(QFileInfo(varno::backup::ImagePathFor(names[c.oldestIndex])).fileName()));
        EXPECT_TRUE(left.contains(QStringLiteral("notes.prg")));
    }
}

// A backup keeps the bytes as read, and a restore puts them back as they
// were: after a cancel, after a line that hung up half-way.
TEST(Restore, putsBackExactlyWhatThePlayerHeld)
{
    const struct
    {
        const char *what;
        int cancelAtSlot;
        int hangUpAfterWrites;
        TLinkResult result;
    } cases[] = {
        {"cancelled half-way", 120, 0, TLinkResult::Cancelled},
        {"the player hung up half-way", 0, 120, TLinkResult::ReadError},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const TPlayerMemory former = oddMemory();
        TEmulatorOptions options;
        if (c.hangUpAfterWrites)
            options.Faults.HangUpAfterBlocks = 255 + c.hangUpAfterWrites;
        auto player = std::make_unique<TPlayerEmulator>(options, former);
        std::string error;
        ASSERT_TRUE(player->open(error)) << error;
        player->start();
        TComLink link{std::make_unique<varno::link::TQtSerialDevice>(), 250ms};
        StopAt observer;
        observer.cancelAtSlot = c.cancelAtSlot;
        const auto report = varno::transfer::RunSafeTransmit(
            link, QString::fromStdString(player->devicePath()), nextProject(),
            {true, dir.filePath("backups"), false}, observer);
        EXPECT_EQ(report.Result, c.result);
        EXPECT_TRUE(report.PartlyWritten);
        ASSERT_TRUE(QFile::exists(report.BackupPath)) << report.BackupPath.toStdString();

        // Beside the project file, the bytes exactly as the player held them.
        QFile raw(varno::backup::ImagePathFor(report.BackupPath));
        ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
        EXPECT_EQ(raw.readAll(), varno::backup::ImageFileBytes(imageOf(former)));
        TPlayerImage image;
        QString why;
        ASSERT_TRUE(varno::backup::LoadImage(raw.fileName(), image, why)) << why.toStdString();

        // A player that hung up comes back holding what it had when it did.
        TPlayerMemory now = player->memory();
        EXPECT_FALSE(now == former);
        player->stop();
        player = std::make_unique<TPlayerEmulator>(TEmulatorOptions{}, now);
        ASSERT_TRUE(player->open(error)) << error;
        player->start();
        StopAt quiet;
        const auto restored = varno::transfer::RunRestore(
            link, QString::fromStdString(player->devicePath()), image, quiet);
        EXPECT_EQ(restored.Result, TLinkResult::Ok);
        EXPECT_TRUE(restored.Verified);
        EXPECT_EQ(restored.Differences, QList<TFieldDifference>{});
        EXPECT_EQ(quiet.phases,
                  (QList<TTransferPhase>{TTransferPhase::Restore, TTransferPhase::Verify}));
        now = player->memory();
        for (int slot = 1; slot <= 255; ++slot)
            EXPECT_EQ(hex(bytesOf(now.block(slot))), hex(bytesOf(former.block(slot)))) << slot;
        EXPECT_EQ(hex(nameBytes(now)), hex(nameBytes(former)));
        EXPECT_TRUE(now == former);
        player->stop();
    }
}

// Only the bytes as read go back: an image that is not there, or not whole,
// or that the player could not take back as it is, writes nothing.
TEST(Restore, aMissingOrDamagedImageWritesNothing)
{
    QTemporaryDir dir;
    const QByteArray good = varno::backup::ImageFileBytes(imageOf(oddMemory()));
    QByteArray renumbered = good;
    renumbered[24 * 40 + 1] = 42; // slot 41 holding a block numbered 42
    const struct
    {
        const char *what;
        std::optional<QByteArray> bytes;
        const char *reason;
    } cases[] = {
        {"missing", std::nullopt, "is missing"},
        {"cut short", good.chopped(1), "is damaged: 6183 bytes, not 6184"},
        {"longer", good + '\0', "is damaged: 6185 bytes, not 6184"},
        {"a block under another number", renumbered,
         "is damaged: slot 41 holds a block numbered 42"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = dir.filePath(QString::fromLatin1(c.what) + ".img");
        if (c.bytes)
            writeFile(path, *c.bytes);
        TPlayerImage image;
        QString why;
        EXPECT_FALSE(varno::backup::LoadImage(path, image, why));
        EXPECT_TRUE(why.contains(QString::fromLatin1(c.reason))) << why.toStdString();
    }

    // Nor does an image in memory that the player would store elsewhere.
    TPlayerImage image = imageOf(oddMemory());
    image.Slots[9][1] = 11;
    TPlayerEmulator player({}, TPlayerMemory::Empty());
    std::string error;
    ASSERT_TRUE(player.open(error)) << error;
    player.start();
    TComLink link{std::make_unique<varno::link::TQtSerialDevice>(), 250ms};
    TTransferObserver quiet;
    const auto restored = varno::transfer::RunRestore(
        link, QString::fromStdString(player.devicePath()), image, quiet);
    EXPECT_EQ(restored.Refused, "slot 10 holds a block numbered 11, which the player would store "
                                "elsewhere");
    EXPECT_FALSE(restored.Wrote);
    player.stop();
    EXPECT_EQ(player.blockCount(), 0);
}

class SafeNets : public EmulatorTest
{
};

// The read-back must see a program that differs in one part of its date only.
TEST_F(SafeNets, verifyReportsADateThatDiffersInOnePart)
{
    TProject project;
    TVARNOProg &program = *project.Programs.Add();
    program.NumOfProg = 12;
    program.SetDate(varno::datetime::EncodeDate(2027, 4, 5));
    const TPlayerImage sent = varno::transfer::ImageAfterTransmit(project);
    const struct
    {
        const char *what;
        int byte;
        quint8 mask; // the bits of the byte that hold the part
        quint8 value;
        const char *read;
    } cases[] = {
        {"year", 15, 0xFF, 28, "2028-04-05"},
        {"month", 13, 0x0F, 6, "2027-06-05"},
        {"day", 14, 0xFF, 6, "2027-04-06"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TPlayerImage held = sent;
        char &byte = held.Slots[11][c.byte];
        byte = char((quint8(byte) & ~c.mask) | c.value);
        startEmulator({}, withImage(held));
        TTransferObserver quiet;
        QList<TFieldDifference> differences;
        ASSERT_EQ(varno::transfer::RunVerify(link, device, project, differences, quiet),
                  TLinkResult::Ok);
        const QList<TFieldDifference> expected = {
            {12, TField::Date, 0, QStringLiteral("2027-04-05"), QString::fromLatin1(c.read)}};
        EXPECT_EQ(differences, expected);
        emulator->stop();
    }
}

// Once the player has been read, a backup that cannot be saved at any step
// (a failing write, a full disk) stops the transmit: the player is untouched
// and no half backup stays behind.
TEST_F(SafeNets, aBackupThatCannotBeSavedAfterTheReadWritesNothing)
{
    SmallFileSystem disk;
    struct Case
    {
        std::string what;
        int failingStep; // 0: a full disk
    };
    std::vector<Case> cases;
    // The image and the project file: a write, the flush and the rename each.
    for (int step = 1; step <= 6; ++step)
        cases.push_back({"step " + std::to_string(step), step});
    if (disk.mounted())
        cases.push_back({"a full disk", 0});
    const TPlayerMemory former = oddMemory();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        startEmulator({}, former);
        QTemporaryDir dir;
        QString folder = dir.filePath("backups");
        if (c.failingStep == 0) {
            folder = disk.filePath("backups");
            ASSERT_TRUE(QDir().mkpath(folder));
            disk.fill();
        }
        StopAt observer;
        varno::atomicwrite::FailNthWrite(c.failingStep);
        const auto report = varno::transfer::RunSafeTransmit(link, device, nextProject(),
                                                             {true, folder, true}, observer);
        varno::atomicwrite::FailNthWrite(0);
        EXPECT_TRUE(report.BackupFailed);
        EXPECT_FALSE(report.BackupError.isEmpty());
        EXPECT_TRUE(report.BackupPath.isEmpty());
        EXPECT_FALSE(report.wrote());
        EXPECT_EQ(observer.phases, QList<TTransferPhase>{TTransferPhase::Backup});
        EXPECT_EQ(emulator->blockCount(), 255); // read, never written
        EXPECT_TRUE(emulator->memory() == former);
        EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{}) << folder.toStdString();
        emulator->stop();
    }
}

} // namespace
} // namespace varno::test
