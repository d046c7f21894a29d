#include "calendar/Week.h"

#include "foundation/Log.h"
#include "model/PropertyHelpers.h"

#include <algorithm>
#include <cmath>

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

void TWeek::LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) {
    const auto days = FindValueListDef(list, QStringLiteral("days"), nullptr);
    if (!days)
        return;
    const int count = std::min(days->Count(), 7);
    for (int i = 0; i < count; ++i) {
        const auto item = days->Items(i);
        if (item->DataType() != hxpdtPropertyList)
            continue;
        const double workTime =
            GetDurationDef(item->AsPropertyList()->Find(QStringLiteral("worktime")), m_days[i]->WorkTime());
        // A negative or impossible time cannot come from our own files; keep what the day had.
        if (std::isfinite(workTime) && workTime >= 0)
            m_days[i]->SetWorkTime(workTime);
        else
            WriteLog(QStringLiteral("TWeek.LoadFromPropertyList: invalid worktime of day %1 ignored").arg(i + 1));
    }
}

void TWeek::SaveToPropertyList(const std::shared_ptr<IHXPropertyList_>& list) const {
    const auto days = list->Items(QStringLiteral("days"))->AsValueList();
    days->Clear();
    for (const auto& day : m_days)
        days->AddItem()->AsPropertyList()->Items(QStringLiteral("worktime"))->SetAsDuration(day->WorkTime());
}
