#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <model/DateTime.h>

// Action kind codes as the player stores them. Codes 7, 9, 10 and 13..15 name
// no action; they may still arrive from a file or from the player.
enum TActionKind : quint8
{
    akTimerFile = 0,
    akDirectory = 1,
    akSleepMode = 2,
    akTransport = 3,
    akVolume = 4,
    akInternalOutput = 5,
    akExternalOutput = 6,
    akGoToProgram = 8,
    akFtpClient = 11,
    akSendEMail = 12,
};

namespace varno::actions {

// Kinds after which no further action of the list is played.
bool EndsActionList(quint8 kind);

} // namespace varno::actions

// One program of the player. A plain record with public fields; flags hold 0 or 1
// and count as set only when they hold exactly 1. The record stores values as it
// is given them; only the date and time setters check anything.
class TVARNOProg
{
public:
    static constexpr int ActionSlots = 6;
    static constexpr quint32 DefaultColor = 0x808000; // 0x00BBGGRR: teal

    TVARNOProg();
    virtual ~TVARNOProg() = default;
    TVARNOProg(const TVARNOProg &) = default;
    TVARNOProg &operator=(const TVARNOProg &) = default;
    bool operator==(const TVARNOProg &) const = default;

    quint8 NumOfProg = 1; // 1..255, also the pattern on the eight inputs
    quint8 Prioritary = 0;
    quint8 TimerOn = 0;
    quint8 Active = 1;
    TDateTime Clock = 0; // time of day of the schedule: only hour and minute count
    TDateTime Date = 0;  // calendar date of the schedule when DateMode is 0
    quint8 WeekDay = 1;  // 1 = Monday .. 7 = Sunday
    quint8 DateMode = 0; // 0 on Date, 1 every day, 2 every week on WeekDay
    quint8 ActionCount = 1;
    // Slot 1 of the player is index 0 here.
    std::array<quint8, ActionSlots> ActionKind{};
    std::array<quint8, ActionSlots> ActionNumber{};
    std::array<quint8, ActionSlots> ActionValue{};
    QString Title;
    quint32 Color = DefaultColor;
    QStringList Comment;

    // Back to the construction defaults, inactive, with the comment kept: the
    // record that stands for a number no program holds.
    void DefaultInActiveProg();

    quint16 GetYear() const;
    quint16 GetMonth() const;
    quint16 GetDay() const;
    int Get2DigitFormatYear() const;

    // Each replaces one component of Date and stores a pure date. A result that
    // is no date throws TDateTimeEncodingError and leaves Date unchanged.
    void SetYear(int year);
    void SetMonth(int month);
    void SetDay(int day);

    quint16 GetHour() const;
    quint16 GetMinute() const;

    // Clock becomes hour:minute:00 with no date part; an hour above 23 or a
    // minute above 59 throws TDateTimeEncodingError and leaves Clock unchanged.
    void SetHour(int hour);
    void SetMinute(int minute);

    // Date as stored: a new record's date still carries its time of creation.
    TDateTime GetDate() const { return Date; }
    // Keeps only the calendar date of the value.
    void SetDate(TDateTime value);

private:
    void resetFields();
    void setDateParts(int year, int month, int day);
};
