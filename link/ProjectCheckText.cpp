#include <link/ProjectCheckText.h>
#include <model/Project.h>
#include <text/text.h>

namespace varno::projectcheck {

QString FindingText(const TFinding &finding, text::Language language)
{
    using text::AddedTexts;
    QStringList numbers;
    for (int n : finding.numbers)
        numbers << QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
    const QString programs = numbers.join(QStringLiteral(", "));
    const auto padded = [](int n) { return QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0')); };
    switch (finding.kind) {
    case TFindingKind::MissingJump:
        return text::Text(AddedTexts::FindingMissingJump, language)
            .arg(programs, padded(finding.value));
    case TFindingKind::InactiveTimer:
        return text::Text(AddedTexts::FindingInactiveTimer, language).arg(programs);
    case TFindingKind::Clash:
        return text::Text(AddedTexts::FindingClash, language)
            .arg(programs, QStringLiteral("%1:%2")
                               .arg(finding.value / 60, 2, 10, QLatin1Char('0'))
                               .arg(finding.value % 60, 2, 10, QLatin1Char('0')));
    case TFindingKind::ImpossibleDate:
        return text::Text(AddedTexts::FindingImpossibleDate, language)
            .arg(programs)
            .arg(finding.value);
    case TFindingKind::SharedNumber:
        return text::Text(AddedTexts::FindingSharedNumber, language)
            .arg(finding.value)
            .arg(programs);
    }
    return {};
}

QStringList FindingLines(const QList<TFinding> &findings, text::Language language, int shown)
{
    QStringList lines;
    for (qsizetype i = 0; i < findings.size() && i < shown; ++i)
        lines << FindingText(findings[i], language);
    if (findings.size() > shown)
        lines << text::Text(text::AddedTexts::FindingsMore, language).arg(findings.size() - shown);
    return lines;
}

namespace {

QString programAt(const TProjectCheck &check)
{
    return QStringLiteral("program %1 (position %2)").arg(check.program).arg(check.position);
}

QString inProgram(const TProjectCheck &check, const QString &what)
{
    return programAt(check) + QStringLiteral(": ") + what;
}

} // namespace

QString CheckText(const TProjectCheck &c)
{
    const TNarrowedNumber &n = c.narrowed;
    switch (c.kind) {
    case TCheckKind::FlagReadAsNo:
        return QStringLiteral("line %1: program %2: %3 \"%4\" is read as no (only \"yes\" sets it)")
            .arg(n.line)
            .arg(n.program)
            .arg(n.what, n.spelling);
    case TCheckKind::NarrowedNumber:
        return QStringLiteral("line %1: %2 %3 is stored as %4")
            .arg(n.line)
            .arg(n.what)
            .arg(n.written)
            .arg(n.held);
    case TCheckKind::NameTooLong:
        return QStringLiteral("the project name has %1 characters; the player keeps the first %2")
            .arg(c.value)
            .arg(TVARNOGroup::MaxNameLength);
    case TCheckKind::NameNotEncodable:
        return QStringLiteral("the project name has characters the player cannot store; they "
                              "are sent as '?'");
    case TCheckKind::StepSendsOther:
        return QStringLiteral("step %1 sends %2, not a program numbered %1")
            .arg(c.step)
            .arg(programAt(c));
    case TCheckKind::SentAsZero:
        return QStringLiteral("%1 is sent with number 0, which names no slot of the player")
            .arg(programAt(c));
    case TCheckKind::ReplacesEarlier:
        return QStringLiteral("%1 is sent after program %2 (position %3) and replaces it in the "
                              "player")
            .arg(programAt(c))
            .arg(c.earlierProgram)
            .arg(c.earlierPosition);
    case TCheckKind::NeverSent:
        if (c.value == 0)
            return programAt(c) + QStringLiteral(" is never sent");
        return programAt(c) +
               QStringLiteral(" is never sent; the player keeps what it held under number %1")
                   .arg(c.value);
    case TCheckKind::WeekDayOutOfRange:
        return inProgram(c, QStringLiteral("weekday %1 is outside 1..7").arg(c.value));
    case TCheckKind::DateModeOutOfRange:
        return inProgram(c, QStringLiteral("date mode %1 is outside 0..2").arg(c.value));
    case TCheckKind::ActionCountOutOfRange:
        return inProgram(c, QStringLiteral("action count %1 is outside 0..6").arg(c.value));
    case TCheckKind::UnknownKind:
        return inProgram(c, QStringLiteral("action %1 has kind %2, which names no action")
                                .arg(c.action)
                                .arg(c.value));
    case TCheckKind::KindTooWide: {
        QString what = QStringLiteral("action %1 has kind %2, which does not fit in four bits; "
                                      "the player receives kind %3 for it")
                           .arg(c.action)
                           .arg(c.value)
                           .arg(c.sent);
        if (c.beforeAction != 0)
            what += QStringLiteral(", and kind %1 instead of %2 for action %3")
                        .arg(c.beforeSent)
                        .arg(c.beforeValue)
                        .arg(c.beforeAction);
        return inProgram(c, what);
    }
    case TCheckKind::YearOutOfRange:
        return inProgram(
            c, QStringLiteral("year %1 reaches the player as %2").arg(c.value).arg(c.sent));
    case TCheckKind::Transmit:
        // Shared numbers and years are said above in the transmit's own terms.
        if (c.finding.kind == TFindingKind::SharedNumber ||
            c.finding.kind == TFindingKind::ImpossibleDate)
            return {};
        return FindingText(c.finding, text::English);
    }
    return {};
}

QStringList CheckProject(const TProject &project, const QList<TNarrowedNumber> &narrowed)
{
    QStringList lines;
    for (const TProjectCheck &check : ProjectChecks(project, narrowed))
        if (const QString line = CheckText(check); !line.isEmpty())
            lines << line;
    return lines;
}

QString NarrowedNumbersWarning(const QList<TProjectCheck> &checks, text::Language language)
{
    using text::AddedTexts;
    QStringList lines;
    for (const TProjectCheck &c : checks)
        if (c.kind == TCheckKind::NarrowedNumber)
            lines << text::Text(AddedTexts::NarrowedNumber, language)
                         .arg(c.narrowed.line)
                         .arg(c.narrowed.written)
                         .arg(c.narrowed.held);
    if (lines.isEmpty())
        return {};
    return text::Text(AddedTexts::NarrowedNumbers, language).arg(lines.join(QLatin1Char('\n')));
}

QString FlagsReadAsNoWarning(const QList<TProjectCheck> &checks, text::Language language)
{
    using text::AddedTexts;
    using Flag = TNarrowedNumber::TFlag;
    QStringList lines;
    for (const TProjectCheck &c : checks) {
        if (c.kind != TCheckKind::FlagReadAsNo)
            continue;
        const TNarrowedNumber &n = c.narrowed;
        const AddedTexts name = n.flag == Flag::Priority ? AddedTexts::FieldPrioritary
                                : n.flag == Flag::Timer  ? AddedTexts::FieldTimerOn
                                                         : AddedTexts::FieldActive;
        lines << text::Text(AddedTexts::FlagReadAsNo, language)
                     .arg(n.line)
                     .arg(n.program)
                     .arg(text::Text(name, language), n.spelling);
    }
    if (lines.isEmpty())
        return {};
    return text::Text(AddedTexts::FlagsReadAsNo, language).arg(lines.join(QLatin1Char('\n')));
}

QString SharedNumbersWarning(const QList<TProjectCheck> &checks, text::Language language)
{
    QStringList shared;
    for (const TProjectCheck &c : checks)
        if (c.kind == TCheckKind::Transmit && c.finding.kind == TFindingKind::SharedNumber)
            shared << QString::number(c.finding.numbers.value(0));
    if (shared.isEmpty())
        return {};
    return text::Text(text::AddedTexts::SharedNumbers, language) +
           shared.join(QStringLiteral(", "));
}

} // namespace varno::projectcheck
