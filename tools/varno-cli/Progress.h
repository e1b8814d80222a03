#pragma once

#include <QString>
#include <link/Transfer.h>

class TComLink;

// What a progress line calls a stage: "backup read", "transmit", "verify read",
// "restore".
QString PhaseLabel(TTransferPhase phase);

// The progress of a transfer on standard error. On a terminal a bar redraws
// itself on one line and ends with a line break before anything else is
// written; otherwise each phase gets one line, flushed as it begins, so that
// a script following the output sees it live.
class TerminalProgress : public TTransferObserver
{
public:
    TerminalProgress(TComLink &link, const char *command);
    ~TerminalProgress() override;

    void transferStarted() override;
    void slotDone(int slot) override;
    void finalizationStep() override;
    void linkFailure(TLinkResult result) override;
    void phaseStarted(TTransferPhase phase) override;

private:
    void drawBar(int slot);
    void endBar();

    TComLink &link_;
    QString label_; // the command, or the stage under way
    bool interactive_;
    bool barShown_ = false;
    bool failed_ = false;
};
