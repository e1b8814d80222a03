#include "Progress.h"

#include "Console.h"
#include "Output.h"

#include <cstdio>
#include <link/ComLink.h>
#include <link/EepromImage.h>
#include <link/LinkMessage.h>
#include <text/text.h>

TerminalProgress::TerminalProgress(TComLink &link, const char *command)
    : link_(link), command_(command), interactive_(StandardErrorIsTerminal())
{
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
        err() << command_ << ": slots 1 to " << varno::eeprom::SlotCount << Qt::endl;
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
    err() << command_ << ": project name" << Qt::endl;
}

void TerminalProgress::linkFailure(TLinkResult result)
{
    failed_ = true;
    endBar();
    report(LinkResultMessage(result, text::English, link_.lastErrorReason()));
}

void TerminalProgress::drawBar(int slot)
{
    constexpr int kWidth = 40;
    const int filled = slot * kWidth / varno::eeprom::SlotCount;
    err() << '\r' << command_ << " [" << QString(filled, QLatin1Char('#'))
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
