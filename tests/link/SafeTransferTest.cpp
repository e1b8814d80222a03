// What goes around a transmit, against the emulated player: the backup before
// it, the read-back after it, and a user who stops a transfer half-way.

#include "EmulatorFixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <link/Backup.h>
#include <link/PlayerImage.h>
#include <link/SafeTransmit.h>
#include <link/Transfer.h>
#include <model/Project.h>
#include <model/ProjectFile.h>
#include <text/text.h>

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

struct PhaseObserver : TTransferObserver
{
    QList<TTransferPhase> phases;
    int cancelAtSlot = 0;
    int lastSlot = 0;

    void transferStarted() override { lastSlot = 0; }
    void phaseStarted(TTransferPhase phase) override { phases << phase; }
    void slotDone(int slot) override { lastSlot = slot; }
    bool cancelRequested() override { return cancelAtSlot > 0 && lastSlot >= cancelAtSlot; }
};

TPlayerImage imageOf(const TPlayerMemory &memory)
{
    TPlayerImage image;
    for (int slot = 1; slot <= 255; ++slot)
        image.Slots[std::size_t(slot - 1)] = bytesOf(memory.block(slot));
    const auto name = memory.name();
    image.Name = QByteArray(reinterpret_cast<const char *>(name.data()), qsizetype(name.size()));
    return image;
}

TProject projectOf(const QString &name, std::initializer_list<int> numbers, int variant)
{
    TProject project;
    project.Group.Name = name;
    for (int number : numbers) {
        TVARNOProg &program = *project.Programs.Add();
        program.NumOfProg = quint8(number);
        program.Active = quint8((number + variant) % 2);
        program.TimerOn = quint8((number + variant) % 3 == 0);
        program.Prioritary = quint8(variant % 2);
        program.DateMode = quint8((number + variant) % 3);
        program.WeekDay = quint8(1 + (number + variant) % 7);
        program.ActionCount = quint8(1 + (number + variant) % 6);
        for (std::size_t s = 0; s < 6; ++s) {
            program.ActionKind[s] = quint8((number + variant + int(s)) % 16);
            program.ActionNumber[s] = quint8(number * 3 + variant + int(s));
            program.ActionValue[s] = quint8(200 - number + variant);
        }
        program.SetDate(
            varno::datetime::EncodeDate(2030 + variant, 1 + number % 12, 1 + number % 28));
        program.SetHour((number + variant) % 24);
        program.SetMinute((number * 7) % 60);
    }
    return project;
}

class SafeTransfer : public EmulatorTest
{
protected:
    // The player starts out holding `former`, written by an ordinary transmit.
    void startHolding(const TProject &former, TEmulatorOptions options = {})
    {
        startEmulator(std::move(options));
        TTransferObserver quiet;
        ASSERT_EQ(varno::transfer::RunTransmit(link, device, former, quiet), TLinkResult::Ok);
        formerMemory = emulator->memory();
    }

    varno::transfer::TSafeTransmitOptions options(bool backup, bool verify) const
    {
        return {backup, backups.filePath(QStringLiteral("backups")), verify};
    }

    QTemporaryDir backups;
    TPlayerMemory formerMemory;
    PhaseObserver observer;
};

TEST_F(SafeTransfer, backupHoldsWhatThePlayerHeldAndTheNewProgramsAreVerified)
{
    const TProject former = projectOf(QStringLiteral("Gare: quai/2"), {3, 40, 41, 200, 255}, 1);
    const TProject next = projectOf(QStringLiteral("Next"), {7, 40, 100}, 2);
    startHolding(former);

    const auto report =
        varno::transfer::RunSafeTransmit(link, device, next, options(true, true), observer);
    EXPECT_EQ(report.Result, TLinkResult::Ok);
    EXPECT_TRUE(report.Verified);
    EXPECT_TRUE(report.Differences.isEmpty());
    EXPECT_TRUE(report.FinalizeConfirmed);
    EXPECT_TRUE(report.ResetSchedules.isEmpty());
    EXPECT_EQ(observer.phases,
              (QList<TTransferPhase>{TTransferPhase::Backup, TTransferPhase::Transmit,
                                     TTransferPhase::Verify}));
    ASSERT_TRUE(QFile::exists(report.BackupPath));
    EXPECT_TRUE(QFileInfo(report.BackupPath).fileName().endsWith("_Gare_ quai_2.prg"))
        << report.BackupPath.toStdString();

    // Field for field, the backup is what the player held; the player now
    // holds the new project.
    const TProject backup = LoadProject(report.BackupPath);
    EXPECT_EQ(backup.Group.Name, former.Group.Name);
    EXPECT_EQ(backup.Programs.count(), 5);
    EXPECT_EQ(varno::transfer::CompareImages(varno::transfer::ImageAfterTransmit(backup),
                                             imageOf(formerMemory)),
              QList<TFieldDifference>{});
    EXPECT_EQ(varno::transfer::CompareImages(varno::transfer::ImageAfterTransmit(next),
                                             imageOf(emulator->memory())),
              QList<TFieldDifference>{});
    EXPECT_FALSE(link.isOpen());
}

TEST_F(SafeTransfer, backupThatCannotBeSavedStopsTheTransmitBeforeAnyWrite)
{
    startHolding(projectOf(QStringLiteral("Former"), {1, 2}, 0));
    // A folder under a plain file cannot be made, whoever runs the test.
    QFile blocker(backups.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    varno::transfer::TSafeTransmitOptions unwritable = options(true, true);
    unwritable.BackupDirectory = blocker.fileName() + QStringLiteral("/backups");

    const auto report = varno::transfer::RunSafeTransmit(
        link, device, projectOf(QStringLiteral("Next"), {9}, 1), unwritable, observer);
    EXPECT_TRUE(report.BackupFailed);
    EXPECT_FALSE(report.BackupError.isEmpty());
    EXPECT_FALSE(report.wrote());
    EXPECT_FALSE(report.succeeded());
    EXPECT_EQ(observer.phases, QList<TTransferPhase>{TTransferPhase::Backup});
    EXPECT_TRUE(emulator->memory() == formerMemory);
    EXPECT_FALSE(link.isOpen());
}

TEST_F(SafeTransfer, verifyCatchesAPlayerThatStoresOneWrongByte)
{
    TEmulatorOptions faulty;
    faulty.Faults.CorruptStoredSlot = 41;
    startHolding(TProject(), faulty);
    const TProject project = projectOf(QStringLiteral("P"), {40, 41}, 0);
    const int value = project.Programs.at(1).ActionValue[0];

    const auto report =
        varno::transfer::RunSafeTransmit(link, device, project, options(false, true), observer);
    EXPECT_EQ(report.Result, TLinkResult::Ok);
    EXPECT_FALSE(report.Verified);
    EXPECT_TRUE(report.BackupPath.isEmpty());
    const QList<TFieldDifference> expected = {
        {41, TField::ActionValue, 1, QString::number(value), QString::number(value ^ 1)}};
    EXPECT_EQ(report.Differences, expected);
    EXPECT_EQ(varno::transfer::FieldName(report.Differences.first(), text::English),
              "Action 1 value");
}

// What the user must hear of although the transmit itself went through: a
// player that never answered the finalize command, and a backup that could
// not keep a stored date.
TEST_F(SafeTransfer, anUnansweredFinalizeAndAReplacedBackupDateAreReported)
{
    TEmulatorOptions faulty;
    faulty.Faults.CorruptDateSlot = 40;
    faulty.Faults.NoFinalizeAck = true;
    startHolding(projectOf(QStringLiteral("Old"), {40}, 0), faulty);

    const auto report = varno::transfer::RunSafeTransmit(
        link, device, projectOf(QStringLiteral("New"), {7}, 0), options(true, false), observer);
    EXPECT_EQ(report.Result, TLinkResult::Ok);
    EXPECT_FALSE(report.FinalizeConfirmed);
    EXPECT_EQ(report.ResetSchedules, QList<int>{40});
}

TEST_F(SafeTransfer, cancelStopsBetweenExchangesAndLeavesTheLineClean)
{
    startHolding(TProject());
    const TProject project = projectOf(QStringLiteral("P"), {10, 60, 120, 200}, 0);
    const int written = emulator->blockCount();

    observer.cancelAtSlot = 100;
    EXPECT_EQ(varno::transfer::RunTransmit(link, device, project, observer),
              TLinkResult::Cancelled);
    EXPECT_FALSE(link.isOpen());
    EXPECT_EQ(observer.lastSlot, 100);
    EXPECT_EQ(emulator->blockCount() - written, 100); // whole blocks only
    const TPlayerMemory memory = emulator->memory();
    for (int slot : {10, 60})
        EXPECT_LT(memory.block(slot)[2], 0x80) << slot;
    for (int slot : {120, 200})
        EXPECT_GE(memory.block(slot)[2], 0x80) << slot;

    // The line is clean: the next transfer runs as usual, and a receive
    // cancelled in turn keeps what arrived.
    observer.cancelAtSlot = 0;
    ASSERT_EQ(varno::transfer::RunTransmit(link, device, project, observer), TLinkResult::Ok);
    observer.cancelAtSlot = 70;
    TReceivedPrograms received;
    EXPECT_EQ(varno::transfer::RunReceive(link, device, received, observer),
              TLinkResult::Cancelled);
    EXPECT_FALSE(link.isOpen());
    ASSERT_EQ(received.programs.count(), 2);
    EXPECT_EQ(received.programs.at(1).NumOfProg, 60);
}

TEST(Backups, nameFromTheDateAndThePlayerAndOnlyTheThirtyMostRecentKept)
{
    const QDateTime when(QDate(2026, 12, 8), QTime(14, 55, 3));
    EXPECT_EQ(varno::backup::FileName(when, QStringLiteral(" a/b:c*d?\"e<>|\\ ")),
              "2026-12-08_14-55-03_a_b_c_d__e____.prg");
    EXPECT_EQ(varno::backup::FileName(when, QStringLiteral("..")), "2026-12-08_14-55-03__...prg");

    QTemporaryDir dir;
    for (int i = 0; i < 31; ++i) {
        QFile old(dir.filePath(
            varno::backup::FileName(when.addDays(-31 + i), QStringLiteral("Old %1").arg(i))));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    }
    QFile other(dir.filePath(QStringLiteral("notes.prg")));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    const TPlayerImage image = varno::transfer::ImageAfterTransmit(TProject());
    QString error;
    const QString first = varno::backup::Save(dir.path(), image, when, error);
    const QString second = varno::backup::Save(dir.path(), image, when, error);
    EXPECT_NE(first, second); // the same second: a name of its own
    EXPECT_TRUE(QFile::exists(first));
    EXPECT_TRUE(QFile::exists(second));
    const QStringList left =
        QDir(dir.path()).entryList({QStringLiteral("*.prg")}, QDir::Files, QDir::Name);
    EXPECT_EQ(left.size(), 31); // 30 backups and the file that is none
    EXPECT_TRUE(left.contains("notes.prg"));
    EXPECT_FALSE(left.contains(varno::backup::FileName(when.addDays(-29), "Old 2")));
    EXPECT_TRUE(left.contains(varno::backup::FileName(when.addDays(-28), "Old 3")));
}

// Both front ends word the outcome alone: each report a safe transmit can end
// with must come to the one outcome it means.
TEST(SafeOutcome, eachWayAReportEndsHasItsOutcome)
{
    using varno::transfer::TSafeOutcome;
    using varno::transfer::TSafeTransmitReport;
    using R = TLinkResult;
    using P = TTransferPhase;
    struct Row
    {
        const char *what;
        R result;
        P phase;
        bool backupFailed;
        bool partly;
        bool differs;
        TSafeOutcome expected;
    };
    const Row rows[] = {
        {"nothing ran", R::Ok, P::Backup, false, false, false, TSafeOutcome::Written},
        {"written, no read-back", R::Ok, P::Transmit, false, false, false, TSafeOutcome::Written},
        {"read back the same", R::Ok, P::Verify, false, false, false, TSafeOutcome::Verified},
        {"read back otherwise", R::Ok, P::Verify, false, false, true, TSafeOutcome::VerifyDiffers},
        {"read-back failed", R::ReadError, P::Verify, false, false, false,
         TSafeOutcome::VerifyFailed},
        {"read-back cancelled", R::Cancelled, P::Verify, false, false, false,
         TSafeOutcome::VerifyFailed},
        {"cancelled reading the backup", R::Cancelled, P::Backup, true, false, false,
         TSafeOutcome::CancelledReadingBackup},
        {"backup read failed", R::PlayerNotReady, P::Backup, true, false, false,
         TSafeOutcome::BackupReadFailed},
        {"backup not saved", R::Ok, P::Backup, true, false, false, TSafeOutcome::BackupNotSaved},
        {"cancelled before writing", R::Cancelled, P::Transmit, false, false, false,
         TSafeOutcome::CancelledBeforeWriting},
        {"failed before writing", R::OpenError, P::Transmit, false, false, false,
         TSafeOutcome::FailedBeforeWriting},
        {"cancelled half-way", R::Cancelled, P::Transmit, false, true, false,
         TSafeOutcome::CancelledPartlyWritten},
        {"failed half-way", R::ReadError, P::Transmit, false, true, false,
         TSafeOutcome::FailedPartlyWritten},
    };
    for (const Row &row : rows) {
        TSafeTransmitReport report;
        report.Result = row.result;
        report.Phase = row.phase;
        report.BackupFailed = row.backupFailed;
        report.PartlyWritten = row.partly;
        if (row.differs)
            report.Differences << TFieldDifference{};
        EXPECT_EQ(int(report.outcome()), int(row.expected)) << row.what;
    }
}

} // namespace
} // namespace varno::test
