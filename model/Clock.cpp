#include <model/Clock.h>

namespace varno {
namespace {

std::function<QDateTime()> &provider()
{
    static std::function<QDateTime()> current;
    return current;
}

} // namespace

QDateTime currentDateTime()
{
    const auto &p = provider();
    return p ? p() : QDateTime::currentDateTime();
}

void setCurrentDateTimeProvider(std::function<QDateTime()> newProvider)
{
    provider() = std::move(newProvider);
}

ScopedFixedClock::ScopedFixedClock(const QDateTime &now)
{
    setCurrentDateTimeProvider([now] { return now; });
}

ScopedFixedClock::~ScopedFixedClock()
{
    setCurrentDateTimeProvider({});
}

} // namespace varno
