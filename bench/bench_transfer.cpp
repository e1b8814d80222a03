// Whole transfers of a 255-program project, as the programmer runs them,
// against the player emulator on a pseudo-terminal. Paced at 57600 baud line
// time, the figure to watch is the ratio to the time the bytes need on the
// line (1.2625 s for a transmit, 1.351 s for a receive); unpaced, the host's own
// time of a whole transmit.

#include <PlayerEmulator.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>
#include <link/ComLink.h>
#include <link/QtSerialDevice.h>
#include <link/Transfer.h>
#include <model/Project.h>

namespace {

using varno::emulator::TEmulatorOptions;
using varno::emulator::TPlayerEmulator;

constexpr double TransmitFloorSeconds = 1.2625;
constexpr double ReceiveFloorSeconds = 1.351;

TProject fullProject()
{
    TProject project;
    project.Group.Name = QStringLiteral("Benchmark project");
    for (int i = 0; i < 255; ++i) {
        TVARNOProg *p = project.Programs.Add();
        p->ActionCount = quint8(1 + i % 6);
    }
    return project;
}

struct Player
{
    explicit Player(bool paced, std::chrono::milliseconds latency = {})
    {
        TEmulatorOptions options;
        options.Slow = paced;
        options.Latency = latency;
        emulator = std::make_unique<TPlayerEmulator>(std::move(options));
        std::string error;
        if (!emulator->open(error))
            qFatal("emulator: %s", error.c_str());
        emulator->start();
    }
    ~Player() { emulator->stop(); }
    QString port() const { return QString::fromStdString(emulator->devicePath()); }
    std::unique_ptr<TPlayerEmulator> emulator;
};

void BM_TransmitUnpaced(benchmark::State &state)
{
    const TProject project = fullProject();
    Player player(false);
    TComLink link(std::make_unique<varno::link::TQtSerialDevice>());
    TTransferObserver quiet;
    for (auto _ : state) {
        if (varno::transfer::RunTransmit(link, player.port(), project, quiet) != TLinkResult::Ok)
            state.SkipWithError("transmit failed");
    }
}
BENCHMARK(BM_TransmitUnpaced)->Unit(benchmark::kMillisecond);

void paced(benchmark::State &state, bool transmit, std::chrono::milliseconds latency = {})
{
    const TProject project = fullProject();
    Player player(true, latency);
    TComLink link(std::make_unique<varno::link::TQtSerialDevice>());
    TTransferObserver quiet;
    double seconds = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        TLinkResult result;
        if (transmit) {
            result = varno::transfer::RunTransmit(link, player.port(), project, quiet);
        } else {
            TReceivedPrograms received;
            result = varno::transfer::RunReceive(link, player.port(), received, quiet);
            QString name;
            if (result == TLinkResult::Ok)
                result = varno::transfer::ReadProjectName(link, player.port(), name, quiet);
        }
        const double elapsed = double(timer.nsecsElapsed()) / 1e9;
        state.SetIterationTime(elapsed);
        seconds += elapsed;
        if (result != TLinkResult::Ok)
            state.SkipWithError("transfer failed");
    }
    const double floor = transmit ? TransmitFloorSeconds : ReceiveFloorSeconds;
    state.counters["ratio_to_line"] = seconds / double(state.iterations()) / floor;
}

void BM_TransmitPaced(benchmark::State &state)
{
    paced(state, true);
}
BENCHMARK(BM_TransmitPaced)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_ReceivePaced(benchmark::State &state)
{
    paced(state, false);
}
BENCHMARK(BM_ReceivePaced)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

// A paced transmit through a USB serial adapter that holds every answer up to
// its latency timer: 16 ms, the common chips' default, then 1 ms, what the
// low-latency request asks for when the port opens.
void BM_TransmitPacedAdapterLatency(benchmark::State &state)
{
    paced(state, true, std::chrono::milliseconds(state.range(0)));
}
BENCHMARK(BM_TransmitPacedAdapterLatency)
    ->ArgName("latency_ms")
    ->Arg(16)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
