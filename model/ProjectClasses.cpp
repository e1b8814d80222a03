#include <cmath>
#include <model/Clock.h>
#include <model/ProjectClasses.h>

namespace varno::actions {

bool EndsActionList(quint8 kind)
{
    return kind == akDirectory || kind == akSleepMode || kind == akGoToProgram ||
           kind == akFtpClient;
}

} // namespace varno::actions

TVARNOProg::TVARNOProg() : Comment{QStringLiteral("...")}
{
    resetFields();
}

void TVARNOProg::resetFields()
{
    const TDateTime now = varno::datetime::FromDateTime(varno::CurrentDateTime());
    NumOfProg = 1;
    Prioritary = 0;
    TimerOn = 0;
    Active = 1;
    Clock = now;
    Date = now;
    WeekDay = 1;
    DateMode = 0;
    ActionCount = 1;
    ActionKind.fill(akDirectory);
    ActionNumber.fill(0);
    ActionValue.fill(255);
    Title = QStringLiteral("...");
    Color = DefaultColor;
}

void TVARNOProg::DefaultInActiveProg()
{
    resetFields();
    Active = 0;
}

quint16 TVARNOProg::GetYear() const
{
    return quint16(varno::datetime::DatePart(Date).year());
}

quint16 TVARNOProg::GetMonth() const
{
    return quint16(varno::datetime::DatePart(Date).month());
}

quint16 TVARNOProg::GetDay() const
{
    return quint16(varno::datetime::DatePart(Date).day());
}

int TVARNOProg::Get2DigitFormatYear() const
{
    return GetYear() % 100;
}

void TVARNOProg::setDateParts(int year, int month, int day)
{
    Date = varno::datetime::EncodeDate(year, month, day);
}

void TVARNOProg::SetYear(int year)
{
    setDateParts(year, GetMonth(), GetDay());
}

void TVARNOProg::SetMonth(int month)
{
    setDateParts(GetYear(), month, GetDay());
}

void TVARNOProg::SetDay(int day)
{
    setDateParts(GetYear(), GetMonth(), day);
}

quint16 TVARNOProg::GetHour() const
{
    return quint16(varno::datetime::TimePart(Clock).hour());
}

quint16 TVARNOProg::GetMinute() const
{
    return quint16(varno::datetime::TimePart(Clock).minute());
}

void TVARNOProg::SetHour(int hour)
{
    Clock = varno::datetime::EncodeTime(hour, GetMinute(), 0, 0);
}

void TVARNOProg::SetMinute(int minute)
{
    Clock = varno::datetime::EncodeTime(GetHour(), minute, 0, 0);
}

void TVARNOProg::SetDate(TDateTime value)
{
    Date = std::trunc(value);
}
