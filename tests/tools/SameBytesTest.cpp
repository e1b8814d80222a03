// One file, one image: what varno-cli prints as the image, what its transmit
// puts on the line and what the programmer's transmit puts there are the same
// bytes, also for a file the programmer's own save would never write.

#include "CliRunner.h"
#include "HandWrittenFile.h"

#include <FakeDialogs.h>
#include <PlayerEmulator.h>
#include <QTemporaryDir>
#include <QtPrinters.h>
#include <gtest/gtest.h>
#include <link/ComLink.h>
#include <link/QtSerialDevice.h>
#include <mutex>
#include <shell/Main.h>
#include <shell/SettingsFile.h>

namespace {

using namespace std::chrono_literals;
using varno::emulator::TDirection;
using varno::emulator::TEmulatorOptions;
using varno::emulator::TPlayerEmulator;

// The bytes the host sends to an emulated player.
class RecordingPlayer
{
public:
    RecordingPlayer()
    {
        TEmulatorOptions options;
        options.Log = [this](TDirection direction, std::uint8_t byte) {
            if (direction == TDirection::HostToPlayer) {
                const std::lock_guard lock(mutex_);
                sent_.append(char(byte));
            }
        };
        emulator_ = std::make_unique<TPlayerEmulator>(std::move(options));
        std::string error;
        EXPECT_TRUE(emulator_->open(error)) << error;
        emulator_->start();
    }
    ~RecordingPlayer() { emulator_->stop(); }

    QString port() const { return QString::fromStdString(emulator_->devicePath()); }
    QByteArray sent() const
    {
        const std::lock_guard lock(mutex_);
        return sent_;
    }

private:
    std::unique_ptr<TPlayerEmulator> emulator_;
    mutable std::mutex mutex_;
    QByteArray sent_;
};

QByteArray hex(const QByteArray &bytes)
{
    return bytes.toHex(' ').toUpper();
}

// An empty-slot block carries the time its placeholder was made; the three
// runs happen at different moments.
QByteArray withoutPlaceholderTime(QByteArray block)
{
    if (block.size() == 24 && (quint8(block[2]) & 0x80))
        block.replace(13, 5, QByteArray(5, '\0'));
    return block;
}

// The transmit's write commands in image form: "NNN: " and each block in the
// order sent, then "name: " and the bytes written to the name's addresses.
QList<QByteArray> imageOfLine(const QByteArray &sent)
{
    QList<QByteArray> image;
    QByteArray name;
    for (qsizetype i = 0; i < sent.size();) {
        const quint8 command = quint8(sent[i]);
        if (command == 0x0A && i + 25 <= sent.size()) {
            image << QByteArray::number(image.size() + 1).rightJustified(3, '0') + ": " +
                         hex(withoutPlaceholderTime(sent.mid(i + 1, 24)));
            i += 25;
        } else if (command == 0x08 && i + 4 <= sent.size()) {
            name += sent[i + 3];
            i += 4;
        } else {
            ++i; // the finalize command
        }
    }
    image << "name: " + hex(name);
    return image;
}

QList<QByteArray> imageOfCli(const QByteArray &out)
{
    QList<QByteArray> image = out.trimmed().split('\n');
    for (QByteArray &line : image) {
        if (line.startsWith("name: "))
            continue;
        line = line.left(5) +
               hex(withoutPlaceholderTime(QByteArray::fromHex(line.mid(5).replace(' ', ""))));
    }
    return image;
}

TEST(SameBytes, imageCliTransmitAndProgrammerTransmitAgree)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("hand.prg");
    HandWrittenProgram directory; // [directory 5, timer file 7], values on both
    directory.number = 3;
    directory.count = 2;
    directory.kinds = {1, 0, 0, 0, 0, 0};
    directory.numbers = {5, 7, 7, 7, 7, 7};
    directory.values = {9, 9, 9, 9, 9, 9};
    HandWrittenProgram outputs; // no action counted, a go-to in the middle
    outputs.number = 8;
    outputs.count = 0;
    outputs.kinds = {6, 4, 8, 6, 0, 3};
    outputs.numbers = {1, 2, 3, 4, 5, 6};
    outputs.values = {50, 60, 70, 80, 90, 100};
    writeFile(file, handWrittenFile({directory, outputs}));

    const CliResult image = runCli({"image", file});
    ASSERT_EQ(image.exitCode, 0) << image.err.toStdString();

    RecordingPlayer forCli;
    // Only the transmit's own writes on the line: no read before or after.
    const CliResult sent = runCli({"transmit", file, "--port", forCli.port(), "--no-backup"});
    ASSERT_EQ(sent.exitCode, 0) << sent.err.toStdString();

    RecordingPlayer forProgrammer;
    {
        FakeDialogs dialogs;
        dialogs.onExec = [](QDialog *dialog) { return dialog->exec(); };
        TSettingsFile settings(dir.path(), dir.filePath("config"));
        TComLink link(std::make_unique<varno::link::TQtSerialDevice>(), 1000ms);
        TForm1 window(dialogs, settings);
        window.setLink(&link);
        window.ComPortName() = forProgrammer.port();
        window.setOptionsFile(dir.filePath("options.ini"));
        window.BackupBefore1->setChecked(false);
        window.VerifyAfter1->setChecked(false);
        ASSERT_TRUE(window.LoadProjectFile(file));
        dialogs.answers = {true};
        window.SpeedButton3Click();
        ASSERT_EQ(window.LinkResult(), TLinkResult::Ok);
    }

    const QList<QByteArray> fromImage = imageOfCli(image.out);
    ASSERT_EQ(fromImage.size(), 256);
    // Program 3 at step 3: slots after the directory emptied, values 255.
    EXPECT_EQ(fromImage[2],
              "003: 00 03 22 00 11 11 11 05 00 00 00 00 00 1C 07 1A 0C 22 FF FF FF FF FF FF");
    EXPECT_EQ(imageOfLine(forCli.sent()), fromImage);
    EXPECT_EQ(imageOfLine(forProgrammer.sent()), fromImage);
}

} // namespace
