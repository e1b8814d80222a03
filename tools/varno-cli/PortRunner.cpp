#include "PortRunner.h"

#include "Console.h"
#include "Output.h"
#include "Progress.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QMutex>
#include <QThread>
#include <atomic>
#include <cstdio>
#include <link/ComLink.h>
#include <link/EepromImage.h>
#include <link/LinkMessage.h>
#include <link/LowLatency.h>
#include <link/PlatformSerialDevice.h>
#include <link/PortName.h>
#include <link/SlowLineHint.h>
#include <memory>
#include <text/text.h>
#include <vector>

namespace {

// What every port's observer adds: the stop on Ctrl+C, and once the port is
// open the hint about a slow USB adapter.
class PortObserver : public TTransferObserver
{
public:
    PortObserver(TTransferObserver &inner, QString port, std::function<void(QString)> say)
        : inner_(inner), port_(std::move(port)), say_(std::move(say))
    {
    }

    void transferStarted() override
    {
        if (!started_.isValid()) {
            started_.start();
            const QString device = varno::link::PortDeviceName(port_);
            hint(varno::link::AdapterLatencyTimer(device),
                 QFileInfo(QFileInfo(device).canonicalFilePath()).fileName(), std::nullopt);
        }
        inner_.transferStarted();
    }
    void slotDone(int slot) override
    {
        // Where the system does not show the adapter's timer, its effect shows.
        ++programsDone_;
        if (programsDone_ == MeasuredPrograms)
            hint(std::nullopt, {}, double(started_.elapsed()) / MeasuredPrograms);
        inner_.slotDone(slot);
    }
    void finalizationStep() override { inner_.finalizationStep(); }
    void linkFailure(TLinkResult result) override { inner_.linkFailure(result); }
    void phaseStarted(TTransferPhase phase) override { inner_.phaseStarted(phase); }
    bool cancelRequested() override { return InterruptHandler::requested(); }

private:
    static constexpr int MeasuredPrograms = 32;

    void hint(std::optional<int> timerMs, const QString &ttyName,
              std::optional<double> msPerProgram)
    {
        const QString text = varno::link::SlowLineHint(varno::link::ThisPortPlatform(), port_,
                                                       timerMs, ttyName, msPerProgram);
        if (hinted_ || text.isEmpty())
            return;
        hinted_ = true;
        say_(text);
    }

    TTransferObserver &inner_;
    QString port_;
    std::function<void(QString)> say_;
    bool hinted_ = false;
    QElapsedTimer started_;
    int programsDone_ = 0;
};

// The progress of several ports: on a terminal one line per port, redrawn in
// place; otherwise a plain line for each step of each port. Every write to the
// standard streams goes through its lock.
class ProgressBoard
{
public:
    ProgressBoard(const QStringList &ports, const char *command)
        : ports_(ports), states_(std::size_t(ports.size()), QString::fromLatin1(command)),
          interactive_(StandardErrorIsTerminal())
    {
        if (interactive_)
            draw();
    }

    void set(int index, const QString &state, bool plainLine)
    {
        const QMutexLocker lock(&mutex_);
        states_[std::size_t(index)] = state;
        if (interactive_)
            draw();
        else if (plainLine)
            err() << ports_[index] << ": " << state << Qt::endl;
    }

    void say(const QString &message)
    {
        const QMutexLocker lock(&mutex_);
        if (interactive_)
            err() << "\x1b[" << ports_.size() << 'A' << "\r\x1b[K";
        report(message);
        if (interactive_)
            draw(false);
    }

private:
    void draw(bool again = true)
    {
        if (drawn_ && again)
            err() << "\x1b[" << ports_.size() << 'A';
        for (int i = 0; i < ports_.size(); ++i)
            err() << "\r\x1b[K" << ports_[i] << "  " << states_[std::size_t(i)] << '\n';
        err().flush();
        drawn_ = true;
    }

    QMutex mutex_;
    QStringList ports_;
    std::vector<QString> states_;
    bool interactive_;
    bool drawn_ = false;
};

class BoardObserver : public TTransferObserver
{
public:
    BoardObserver(ProgressBoard &board, int index, TComLink &link, const char *command)
        : board_(board), index_(index), link_(link), phase_(QString::fromLatin1(command))
    {
    }

    void phaseStarted(TTransferPhase phase) override { phase_ = PhaseLabel(phase); }
    void transferStarted() override
    {
        board_.set(index_, phase_ + QStringLiteral(": slots 1 to 255"), true);
    }
    void slotDone(int slot) override
    {
        constexpr int width = 30;
        const int filled = slot * width / varno::eeprom::SlotCount;
        board_.set(index_,
                   QStringLiteral("%1 [%2%3] %4/255")
                       .arg(phase_, QString(filled, QLatin1Char('#')),
                            QString(width - filled, QLatin1Char(' ')))
                       .arg(slot),
                   false);
    }
    void finalizationStep() override
    {
        board_.set(index_, phase_ + QStringLiteral(": project name"), true);
    }
    void linkFailure(TLinkResult result) override
    {
        board_.set(index_,
                   QStringLiteral("failed: ") + varno::link::LinkResultMessage(
                                                    result, text::English, link_.lastErrorReason()),
                   true);
    }

private:
    ProgressBoard &board_;
    int index_;
    TComLink &link_;
    QString phase_;
};

std::unique_ptr<TComLink> makeLink(const TransferOptions &options)
{
    return std::make_unique<TComLink>(varno::link::MakePlatformSerialDevice(), options.timeout);
}

void printLines(const QStringList &lines, const QString &prefix = {})
{
    for (const QString &line : lines)
        out() << prefix << line << '\n';
    out().flush();
}

int overallExit(const std::vector<PortResult> &results)
{
    int exit = ExitOk;
    for (const PortResult &r : results) {
        if (r.exit == ExitInterrupted)
            return ExitInterrupted;
        if (exit == ExitOk)
            exit = r.exit;
    }
    return exit;
}

void printSummary(const QStringList &ports, const std::vector<PortResult> &results)
{
    QList<QStringList> rows = {{"PORT", "RESULT", "FILE", "VERIFIED"}};
    for (int i = 0; i < ports.size(); ++i) {
        const PortResult &r = results[std::size_t(i)];
        const auto dash = [](const QString &s) { return s.isEmpty() ? QStringLiteral("-") : s; };
        rows << QStringList{ports[i], dash(r.outcome), dash(r.file), dash(r.verified)};
    }
    QList<int> widths(4, 0);
    for (const QStringList &row : rows)
        for (int c = 0; c < 3; ++c)
            widths[c] = std::max(widths[c], int(row[c].size()));
    for (const QStringList &row : rows) {
        out() << QStringLiteral("%1  %2  %3  %4")
                     .arg(row[0], -widths[0])
                     .arg(row[1], -widths[1])
                     .arg(row[2], -widths[2])
                     .arg(row[3])
                     .trimmed()
              << '\n';
    }
    out().flush();
}

} // namespace

int RunOnPorts(const char *command, const TransferOptions &options, const PortJob &job)
{
    InterruptHandler::reset();
    const InterruptHandler handler;
    const QStringList ports = options.ports.isEmpty() ? QStringList{options.port} : options.ports;

    if (ports.size() == 1) {
        auto link = makeLink(options);
        PortResult result;
        {
            TerminalProgress progress(*link, command);
            PortObserver observer(progress, ports.first(), [](const QString &m) { report(m); });
            result = job(ports.first(), *link, observer);
        }
        for (const QString &problem : std::as_const(result.problems))
            report(problem);
        printLines(result.lines);
        return result.exit;
    }

    ProgressBoard board(ports, command);
    std::vector<PortResult> results(std::size_t(ports.size()));
    std::vector<std::unique_ptr<QThread>> threads;
    for (int i = 0; i < ports.size(); ++i) {
        threads.emplace_back(QThread::create([&, i] {
            // The link lives and works in this thread: its waits process this
            // thread's events only.
            auto link = makeLink(options);
            BoardObserver progress(board, i, *link, command);
            PortObserver observer(progress, ports[i], [&board](const QString &m) { board.say(m); });
            results[std::size_t(i)] = job(ports[i], *link, observer);
            board.set(i, results[std::size_t(i)].outcome, false);
        }));
        threads.back()->start();
    }
    for (auto &thread : threads)
        thread->wait();
    for (int i = 0; i < ports.size(); ++i) {
        for (const QString &problem : std::as_const(results[std::size_t(i)].problems))
            report(ports[i] + QStringLiteral(": ") + problem);
        printLines(results[std::size_t(i)].lines, ports[i] + QStringLiteral(": "));
    }
    printSummary(ports, results);
    return overallExit(results);
}
