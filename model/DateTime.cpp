#include <cmath>
#include <model/DateTime.h>
#include <model/Errors.h>

namespace varno::datetime {
namespace {

constexpr qint64 kEpochJulianDay = 2415019; // 30 December 1899
constexpr int kMsecsPerDay = 24 * 60 * 60 * 1000;

} // namespace

TDateTime EncodeDate(int year, int month, int day)
{
    // QDate knows no year 0 and accepts years far beyond 9999; the record does not.
    const QDate date(year, month, day);
    if (year < 1 || year > 9999 || !date.isValid()) {
        throw TDateTimeEncodingError(
            QStringLiteral("Invalid date: day %1, month %2, year %3 is not a calendar date")
                .arg(day)
                .arg(month)
                .arg(year));
    }
    return FromDate(date);
}

TDateTime EncodeTime(int hour, int minute, int second, int msec)
{
    if (!QTime::isValid(hour, minute, second, msec)) {
        throw TDateTimeEncodingError(
            QStringLiteral("Invalid time: %1:%2:%3 is not a time of day (hour 0-23, minute 0-59)")
                .arg(hour)
                .arg(minute, 2, 10, QLatin1Char('0'))
                .arg(second, 2, 10, QLatin1Char('0')));
    }
    return double(QTime(hour, minute, second, msec).msecsSinceStartOfDay()) / kMsecsPerDay;
}

QDate DatePart(TDateTime value)
{
    return QDate::fromJulianDay(kEpochJulianDay + qint64(std::trunc(value)));
}

int MsecsOfDay(TDateTime value)
{
    const double fraction = std::fabs(value - std::trunc(value));
    const auto msecs = qint64(std::llround(fraction * kMsecsPerDay));
    return int(qMin<qint64>(msecs, kMsecsPerDay - 1));
}

QTime TimePart(TDateTime value)
{
    return QTime::fromMSecsSinceStartOfDay(MsecsOfDay(value));
}

TDateTime FromDate(const QDate &date)
{
    return double(date.toJulianDay() - kEpochJulianDay);
}

TDateTime FromDateTime(const QDateTime &dateTime)
{
    const double days = FromDate(dateTime.date());
    const double fraction = double(dateTime.time().msecsSinceStartOfDay()) / kMsecsPerDay;
    // Before the epoch the fraction still counts forward from midnight.
    return days >= 0 ? days + fraction : days - fraction;
}

} // namespace varno::datetime
