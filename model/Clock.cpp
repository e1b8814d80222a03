#include <model/Clock.h>

namespace varno {
namespace {

std::function<QDateTime()> &provider()
{
    static std::function<QDateTime()> current;
    return current;
}

} // namespace

QDateTime CurrentDateTime()
{
    const auto &p = provider();
    return p ? p() : QDateTime::currentDateTime();
}

void SetCurrentDateTimeProvider(std::function<QDateTime()> newProvider)
{
    provider() = std::move(newProvider);
}

ScopedFixedClock::ScopedFixedClock(const QDateTime &now)
{
    SetCurrentDateTimeProvider([now] { return now; });
}

ScopedFixedClock::~ScopedFixedClock()
{
    SetCurrentDateTimeProvider({});
}

} // namespace varno
