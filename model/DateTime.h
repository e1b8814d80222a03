#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>

// Dates and times of the program record are day counts: whole days since
// 30 December 1899, the fraction giving the time of day. The calendar work is
// left to QDate and QTime.
using TDateTime = double;

namespace varno::datetime {

// Throw TDateTimeEncodingError when the parts make no date (year 1..9999) or no
// time of day.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int msec);

QDate DatePart(TDateTime value);
QTime TimePart(TDateTime value);

// Milliseconds since midnight held in the fraction.
int MsecsOfDay(TDateTime value);

TDateTime FromDate(const QDate &date);
TDateTime FromDateTime(const QDateTime &dateTime);

} // namespace varno::datetime
