#pragma once

#include <editor/OneProg.h>
#include <model/ProjectClasses.h>
#include <optional>

// One committed edit of the bound program: the record is kept as it was when
// the step began, and the panel reports it with the record as it is when the
// step ends, if anything changed. Begin it after any open editor is committed,
// so that a title or comment commit stays a step of its own.
class TEditStep
{
public:
    explicit TEditStep(TFrame2 &panel) : panel_(panel), program_(panel.Prog)
    {
        if (program_)
            before_ = *program_;
    }
    ~TEditStep()
    {
        if (program_ && panel_.Prog == program_ && !(*program_ == *before_))
            emit panel_.programEdited(program_, *before_);
    }
    TEditStep(const TEditStep &) = delete;
    TEditStep &operator=(const TEditStep &) = delete;

private:
    TFrame2 &panel_;
    TVARNOProg *program_;
    std::optional<TVARNOProg> before_;
};
