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
TDateTime encodeDate(int year, int month, int day);
TDateTime encodeTime(int hour, int minute, int second, int msec);

QDate datePart(TDateTime value);
QTime timePart(TDateTime value);

// Milliseconds since midnight held in the fraction.
int msecsOfDay(TDateTime value);

TDateTime fromDate(const QDate &date);
TDateTime fromDateTime(const QDateTime &dateTime);

} // namespace varno::datetime
