#pragma once

#include <link/Transfer.h>

class TComLink;

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

private:
    void drawBar(int slot);
    void endBar();

    TComLink &link_;
    const char *command_;
    bool interactive_;
    bool barShown_ = false;
    bool failed_ = false;
};
