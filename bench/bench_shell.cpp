// Costs of the application shell a user notices: start-up next to a bare Qt
// window, opening a project of 255 programs, and the memory that takes.

#include "QtBenchmarkMain.h"

#include <FakeDialogs.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <benchmark/benchmark.h>
#include <model/ProjectFile.h>
#include <shell/Main.h>
#include <shell/SettingsFile.h>

namespace {

// Wall time of a whole process run, from start to exit, in seconds.
double runOnce(const QString &program, const QStringList &arguments = {})
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("VARNO_QUIT_WHEN_IDLE"), QStringLiteral("1"));
    process.setProcessEnvironment(env);
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    process.waitForFinished(30000);
    return double(timer.nsecsElapsed()) / 1e9;
}

void BM_StartupProgrammer(benchmark::State &state)
{
    for (auto _ : state)
        state.SetIterationTime(runOnce(QStringLiteral(VARNO_PROGRAMMER_PATH)));
}
BENCHMARK(BM_StartupProgrammer)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_StartupBareWindow(benchmark::State &state)
{
    for (auto _ : state)
        state.SetIterationTime(runOnce(QStringLiteral(VARNO_BARE_WINDOW_PATH)));
}
BENCHMARK(BM_StartupBareWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_StartupBareWindowWithText(benchmark::State &state)
{
    for (auto _ : state)
        state.SetIterationTime(
            runOnce(QStringLiteral(VARNO_BARE_WINDOW_PATH), {QStringLiteral("--with-text")}));
}
BENCHMARK(BM_StartupBareWindowWithText)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

QString write255Programs(const QTemporaryDir &dir)
{
    TProject project;
    for (int i = 0; i < TProgList::MaxPrograms; ++i) {
        TVARNOProg *p = project.Programs.Add();
        p->TimerOn = quint8(i % 2);
        p->Comment = QStringList{QString(128, QLatin1Char('c'))};
    }
    const QString file = dir.filePath(QStringLiteral("full.prg"));
    SaveProject(file, project);
    return file;
}

void BM_Open255Programs(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString file = write255Programs(dir);
    FakeDialogs dialogs;
    TSettingsFile settings(dir.path(), dir.filePath(QStringLiteral("config")));
    TForm1 window(dialogs, settings);
    window.show();
    for (auto _ : state) {
        window.LoadProjectFile(file);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_Open255Programs)->Unit(benchmark::kMillisecond);

// Peak resident memory of this process (kB), from the kernel's own count.
long peakResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

} // namespace

int main(int argc, char **argv)
{
    useOffscreenUnlessSet();
    QApplication app(argc, argv);
    runQtBenchmarks(argc, argv);

    // Start-up ratio and memory, printed for people (no pass/fail).
    QTextStream out(stdout);
    const int runs = 5;
    double programmer = 0, bare = 0, bareText = 0;
    for (int i = 0; i < runs; ++i) {
        programmer += runOnce(QStringLiteral(VARNO_PROGRAMMER_PATH));
        bare += runOnce(QStringLiteral(VARNO_BARE_WINDOW_PATH));
        bareText +=
            runOnce(QStringLiteral(VARNO_BARE_WINDOW_PATH), {QStringLiteral("--with-text")});
    }
    out << QStringLiteral("startup: programmer %1 ms; bare window %2 ms (ratio %3); bare window "
                          "with a menu bar %4 ms (ratio %5); goal <= 1.5\n")
               .arg(1000 * programmer / runs, 0, 'f', 1)
               .arg(1000 * bare / runs, 0, 'f', 1)
               .arg(programmer / bare, 0, 'f', 2)
               .arg(1000 * bareText / runs, 0, 'f', 1)
               .arg(programmer / bareText, 0, 'f', 2);
    {
        QTemporaryDir dir;
        const QString file = write255Programs(dir);
        FakeDialogs dialogs;
        TSettingsFile settings(dir.path(), dir.filePath(QStringLiteral("config")));
        TForm1 window(dialogs, settings);
        window.show();
        QElapsedTimer timer;
        timer.start();
        window.LoadProjectFile(file);
        QCoreApplication::processEvents();
        out << QStringLiteral("open 255 programs: %1 ms (goal < 300 ms)\n")
                   .arg(double(timer.nsecsElapsed()) / 1e6, 0, 'f', 1);
        out << QStringLiteral("peak memory with 255 programs: %1 MB\n")
                   .arg(double(peakResidentKb()) / 1024, 0, 'f', 1);
    }
    return 0;
}
