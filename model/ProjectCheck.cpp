#include <QMap>
#include <QStringList>
#include <model/Cp1252.h>
#include <model/Project.h>
#include <model/ProjectCheck.h>

namespace {

bool isKnownKind(quint8 kind)
{
    switch (kind) {
    case akTimerFile:
    case akDirectory:
    case akSleepMode:
    case akTransport:
    case akVolume:
    case akInternalOutput:
    case akExternalOutput:
    case akGoToProgram:
    case akFtpClient:
    case akSendEMail:
        return true;
    default:
        return false;
    }
}

void checkProgram(const TVARNOProg &p, int position, QStringList &warnings)
{
    const QString where = QStringLiteral("program %1 (position %2)").arg(p.NumOfProg).arg(position);
    const auto warn = [&](const QString &what) { warnings << where + QStringLiteral(": ") + what; };

    if (p.NumOfProg == 0)
        warn(QStringLiteral("number 0 is outside 1..255 and is never transmitted"));
    if (p.WeekDay < 1 || p.WeekDay > 7)
        warn(QStringLiteral("weekday %1 is outside 1..7").arg(p.WeekDay));
    if (p.DateMode > 2)
        warn(QStringLiteral("date mode %1 is outside 0..2").arg(p.DateMode));
    if (p.ActionCount > TVARNOProg::ActionSlots)
        warn(QStringLiteral("action count %1 is outside 0..6").arg(p.ActionCount));
    const int used = qMin<int>(p.ActionCount, TVARNOProg::ActionSlots);
    for (int slot = 0; slot < TVARNOProg::ActionSlots; ++slot) {
        const quint8 kind = p.ActionKind[std::size_t(slot)];
        if (kind > 15)
            warn(QStringLiteral("action %1 has kind %2, outside 0..15, which spills into "
                                "the neighbouring action")
                     .arg(slot + 1)
                     .arg(kind));
        else if (slot < used && !isKnownKind(kind))
            warn(QStringLiteral("action %1 has kind %2, which names no action")
                     .arg(slot + 1)
                     .arg(kind));
    }
    const int year = p.GetYear();
    if (year < 2000 || year > 2099)
        warn(QStringLiteral("year %1 reaches the player as %2").arg(year).arg(2000 + year % 100));
}

} // namespace

QStringList CheckProject(const TProject &project)
{
    QStringList warnings;
    const QString &name = project.Group.Name;
    if (name.size() > TVARNOGroup::MaxNameLength)
        warnings << QStringLiteral("the project name has %1 characters; the player keeps the "
                                   "first %2")
                        .arg(name.size())
                        .arg(TVARNOGroup::MaxNameLength);
    if (!varno::cp1252::canEncode(name))
        warnings << QStringLiteral("the project name has characters the player cannot store; "
                                   "they are sent as '?'");

    QMap<int, QList<int>> positions;
    for (int i = 0; i < project.Programs.count(); ++i)
        positions[project.Programs.at(i).NumOfProg] << i + 1;
    for (auto it = positions.cbegin(); it != positions.cend(); ++it) {
        if (it.value().size() < 2)
            continue;
        QStringList where;
        for (int position : it.value())
            where << QString::number(position);
        warnings << QStringLiteral("number %1 is held by %2 programs (positions %3); only one of "
                                   "them is transmitted")
                        .arg(it.key())
                        .arg(it.value().size())
                        .arg(where.join(QStringLiteral(", ")));
    }

    for (int i = 0; i < project.Programs.count(); ++i)
        checkProgram(project.Programs.at(i), i + 1, warnings);
    return warnings;
}
