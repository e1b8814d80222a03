#include "Progress.h"

#include "Console.h"
#include "Output.h"

#include <cstdio>
#include <link/ComLink.h>
#include <link/EepromImage.h>
#include <link/LinkMessage.h>
#include <text/text.h>

QString PhaseLabel(TTransferPhase phase)
{
    switch (phase) {
    case TTransferPhase::Backup:
        return QStringLiteral("backup read");
    case TTransferPhase::Transmit:
        return QStringLiteral("transmit");
    case TTransferPhase::Verify:
        return QStringLiteral("verify read");
    case TTransferPhase::Restore:
        return QStringLiteral("restore");
    }
    return {};
}

TerminalProgress::TerminalProgress(TComLink &link, const char *command)
    : link_(link), label_(QString::fromLatin1(command)), interactive_(StandardErrorIsTerminal())
{
}

void TerminalProgress::phaseStarted(TTransferPhase phase)
{
    endBar();
    label_ = PhaseLabel(phase);
}

TerminalProgress::~TerminalProgress()
{
    endBar();
}

void TerminalProgress::transferStarted()
{
    failed_ = false;
    if (interactive_)
        drawBar(0);
    else
        err() << label_ << ": slots 1 to " << varno::eeprom::SlotCount << Qt::endl;
}

void TerminalProgress::slotDone(int slot)
{
    // A failed slot is still counted by the transfer; the bar has ended by then.
    if (interactive_ && !failed_)
        drawBar(slot);
}

void TerminalProgress::finalizationStep()
{
    endBar();
    err() << label_ << ": project name" << Qt::endl;
}

void TerminalProgress::linkFailure(TLinkResult result)
{
    failed_ = true;
    endBar();
    report(varno::link::LinkResultMessage(result, text::English, link_.lastErrorReason()));
}

void TerminalProgress::drawBar(int slot)
{
    constexpr int kWidth = 40;
    const int filled = slot * kWidth / varno::eeprom::SlotCount;
    err() << '\r' << label_ << " [" << QString(filled, QLatin1Char('#'))
          << QString(kWidth - filled, QLatin1Char(' ')) << "] " << slot << '/'
          << varno::eeprom::SlotCount;
    err().flush();
    barShown_ = true;
}

void TerminalProgress::endBar()
{
    if (!barShown_)
        return;
    err() << Qt::endl;
    barShown_ = false;
}
