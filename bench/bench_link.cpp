// A whole image (255 block writes, 64 name-byte writes, finalize) and its
// read-back (255 block reads, finalize, 64 name-byte reads) through the link and
// the platform's serial port, against the player emulator on a pseudo-terminal.
//
// Unpaced, the emulator answers at once: the figure is the host's own cost per
// exchange. Paced, every byte takes its line time at 57600 baud: the figure is
// the ratio of the whole transfer to the time its bytes need on the line.

#include <PlayerEmulator.h>
#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <chrono>
#include <link/ComLink.h>
#include <link/EepromImage.h>
#include <link/QtSerialDevice.h>
#include <link/TransmitImage.h>
#include <model/Clock.h>
#include <model/ProgList.h>

namespace {

using varno::emulator::ByteLineTime;
using varno::emulator::TEmulatorOptions;
using varno::emulator::TPlayerEmulator;

constexpr int Exchanges = 255 + 64 + 1;
// Bytes on the line, both directions: a block write is 0x0A, ack, 24 bytes, ack;
// a block read 0x0B, ack, slot, ack, 24 bytes, ack; a byte write 0x08, ack, 3
// bytes, ack; a byte read 0x09, ack, 2 bytes, value, ack; finalize 0x0C, 2 acks.
constexpr int TransmitLineBytes = 255 * 27 + 64 * 6 + 3; // 7272
constexpr int ReceiveLineBytes = 255 * 29 + 64 * 6 + 3;  // 7782

QCoreApplication &application()
{
    static int argc = 1;
    static char name[] = "bench_link";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

struct Image
{
    std::vector<TTrameList> Blocks;
    QByteArray Name;
};

Image sampleImage()
{
    varno::ScopedFixedClock clock(QDateTime(QDate(2026, 12, 7), QTime(12, 34)));
    TProgList programs;
    for (int i = 0; i < 120; ++i) {
        TVARNOProg *p = programs.Add();
        p->ActionCount = quint8(1 + i % 6);
        for (std::size_t s = 0; s < 6; ++s)
            p->ActionNumber[s] = quint8(i + int(s));
    }
    return {varno::eeprom::TransmitBlocks(programs),
            varno::eeprom::ProjectNameBlock(QStringLiteral("Benchmark project"))};
}

TLinkResult transmit(TComLink &link, const Image &image)
{
    for (const TTrameList &block : image.Blocks) {
        if (const TLinkResult r = link.WriteBlock(block); r != TLinkResult::Ok)
            return r;
    }
    for (int i = 0; i < 64; ++i) {
        const TLinkResult r =
            link.WriteEepromByte(varno::eeprom::NameAddressHigh,
                                 quint8(varno::eeprom::NameAddressLow + i), quint8(image.Name[i]));
        if (r != TLinkResult::Ok)
            return r;
    }
    return link.SendFinalize();
}

TLinkResult receive(TComLink &link, Image &image)
{
    image.Blocks.assign(255, TTrameList(24));
    for (int slot = 1; slot <= 255; ++slot) {
        if (const TLinkResult r = link.ReadBlock(quint8(slot), image.Blocks[std::size_t(slot - 1)]);
            r != TLinkResult::Ok)
            return r;
    }
    if (const TLinkResult r = link.SendFinalize(); r != TLinkResult::Ok)
        return r;
    image.Name = QByteArray(64, 0);
    for (int i = 0; i < 64; ++i) {
        quint8 value = 0;
        const TLinkResult r = link.ReadEepromByte(varno::eeprom::NameAddressHigh,
                                                  quint8(varno::eeprom::NameAddressLow + i), value);
        if (r != TLinkResult::Ok)
            return r;
        image.Name[i] = char(value);
    }
    return TLinkResult::Ok;
}

// What the player holds after the transmit, slot by slot.
bool sameAsTransmitted(const Image &sent, const Image &received)
{
    std::vector<QByteArray> bySlot(256);
    for (const TTrameList &block : sent.Blocks)
        bySlot[block.at(1).Value] = varno::eeprom::ToBytes(block);
    for (int slot = 1; slot <= 255; ++slot) {
        if (varno::eeprom::ToBytes(received.Blocks[std::size_t(slot - 1)]) !=
            bySlot[std::size_t(slot)])
            return false;
    }
    return received.Name == sent.Name;
}

// A device that answers at once, without any I/O: what the link itself costs.
class TInstantPlayer final : public varno::link::TSerialDevice
{
public:
    bool open(const QString &, const varno::link::TLineSettings &) override { return open_ = true; }
    bool isOpen() const override { return open_; }
    bool readLineSettings(varno::link::TLineSettings &) override { return true; }
    bool applyLineSettings(const varno::link::TLineSettings &) override { return true; }
    bool applyTimeouts(const varno::link::TTimeouts &) override { return true; }
    bool purge() override { return true; }
    varno::link::TReadResult readByte() override
    {
        return varno::link::TReadResult::byte(varno::link::Acknowledge);
    }
    bool write(const quint8 *, qsizetype) override { return true; }
    bool close() override
    {
        open_ = false;
        return true;
    }
    QString errorReason() const override { return {}; }

private:
    bool open_ = false;
};

// Transmit and read-back of a whole image, counted as 640 exchanges.
void BM_LinkOnlyUnpaced(benchmark::State &state)
{
    application();
    TComLink link(std::make_unique<TInstantPlayer>());
    link.OpenComPort(QStringLiteral("instant"));
    const Image image = sampleImage();
    Image received;
    double seconds = 0;
    for (auto _ : state) {
        const auto started = std::chrono::steady_clock::now();
        if (transmit(link, image) != TLinkResult::Ok ||
            receive(link, received) != TLinkResult::Ok) {
            state.SkipWithError("the instant player failed");
            return;
        }
        seconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    }
    state.counters["us_per_exchange"] =
        seconds / double(state.iterations()) / (2 * Exchanges) * 1e6;
}
BENCHMARK(BM_LinkOnlyUnpaced)->Unit(benchmark::kMillisecond);

enum class Direction
{
    Transmit,
    Receive
};

void run(benchmark::State &state, Direction direction, bool paced)
{
    application();
    TEmulatorOptions options;
    options.Slow = paced;
    TPlayerEmulator emulator(options);
    std::string error;
    if (!emulator.open(error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    emulator.start();
    TComLink link(std::make_unique<varno::link::TQtSerialDevice>());
    if (link.OpenComPort(QString::fromStdString(emulator.devicePath())) != TLinkResult::Ok) {
        state.SkipWithError(qPrintable(link.lastErrorReason()));
        return;
    }
    const Image image = sampleImage();
    if (direction == Direction::Receive && transmit(link, image) != TLinkResult::Ok) {
        state.SkipWithError("the transmit before the read-back failed");
        return;
    }

    Image received;
    double seconds = 0;
    for (auto _ : state) {
        const auto started = std::chrono::steady_clock::now();
        const TLinkResult result =
            direction == Direction::Transmit ? transmit(link, image) : receive(link, received);
        seconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        if (result != TLinkResult::Ok) {
            state.SkipWithError(qPrintable(
                QStringLiteral("link result %1: %2").arg(int(result)).arg(link.lastErrorReason())));
            return;
        }
    }
    if (direction == Direction::Receive && !sameAsTransmitted(image, received)) {
        state.SkipWithError("the read-back differs from what was written");
        return;
    }
    link.CloseComPort();
    emulator.stop();

    const double perRun = seconds / double(state.iterations());
    state.counters["us_per_exchange"] = perRun / Exchanges * 1e6;
    if (paced) {
        const int lineBytes =
            direction == Direction::Transmit ? TransmitLineBytes : ReceiveLineBytes;
        const double floor = std::chrono::duration<double>(ByteLineTime).count() * lineBytes;
        state.counters["total_s"] = perRun;
        state.counters["floor_s"] = floor;
        state.counters["ratio_to_floor"] = perRun / floor;
    }
}

void BM_TransmitUnpaced(benchmark::State &state)
{
    run(state, Direction::Transmit, false);
}
void BM_ReceiveUnpaced(benchmark::State &state)
{
    run(state, Direction::Receive, false);
}
void BM_TransmitPaced(benchmark::State &state)
{
    run(state, Direction::Transmit, true);
}
void BM_ReceivePaced(benchmark::State &state)
{
    run(state, Direction::Receive, true);
}

BENCHMARK(BM_TransmitUnpaced)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReceiveUnpaced)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TransmitPaced)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_ReceivePaced)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace
