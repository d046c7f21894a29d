#include "calendar/Week.h"

TWeek::TWeek() {
    for (int i = 0; i < 7; ++i)
        m_days[i] = std::make_shared<TDay>(i + 1);
}

std::shared_ptr<IHXDay_> TWeek::GetDay(int dayOfTheWeek) const {
    if (dayOfTheWeek < 1 || dayOfTheWeek > 7)
        throw EDayCreateError(QStringLiteral("Day must be between 1 and 7"));
    return m_days[dayOfTheWeek - 1];
}

std::shared_ptr<IHXDay_> TWeek::GetDayByDate(double date) const {
    return m_days[IsoDayOfWeek(date) - 1];
}
