#include "calendar/Day.h"

#include "foundation/DateTime.h"

TDay::TDay(int dayOfWeek) : m_day(dayOfWeek) {
    if (dayOfWeek < 1 || dayOfWeek > 7)
        throw EDayCreateError(QStringLiteral("Day must be between 1 and 7"));
}

std::shared_ptr<TDay> TDay::FromDate(double date) {
    return std::make_shared<TDay>(IsoDayOfWeek(date));
}

long long DayNumber(double date) {
    return static_cast<long long>(DateOf(date));
}

int IsoDayOfWeek(double date) {
    // DayOfWeek counts 1 = Sunday .. 7 = Saturday.
    return (DayOfWeek(date) + 5) % 7 + 1;
}
