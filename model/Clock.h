#pragma once

#include <QDateTime>
#include <functional>

// The one source of "now" for the model: new records take their date and clock
// from it. Tests install a fixed clock so that results do not depend on the day.
namespace varno {

QDateTime CurrentDateTime();

// An empty function restores the system clock.
void SetCurrentDateTimeProvider(std::function<QDateTime()> provider);

// Installs a fixed "now" for the lifetime of the object (tests, benchmarks).
class ScopedFixedClock
{
public:
    explicit ScopedFixedClock(const QDateTime &now);
    ~ScopedFixedClock();
    ScopedFixedClock(const ScopedFixedClock &) = delete;
    ScopedFixedClock &operator=(const ScopedFixedClock &) = delete;
};

} // namespace varno
