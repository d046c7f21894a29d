#include "calendar/Calendar.h"

#include "calendar/NestedPropertyList.h"
#include "model/PropertyHelpers.h"

TCalendar::TCalendar() = default;

std::shared_ptr<IHXDay_> TCalendar::GetDay(double date) const {
    auto weekday = m_week->GetDayByDate(date);
    const auto holiday = m_holidays->FindDate(date);
    if (!holiday)
        return weekday;
    const auto workTime = ApplyHolidayRule(*holiday->EffectiveWorktime(), weekday->WorkTime());
    if (!workTime)
        return weekday;
    auto day = TDay::FromDate(holiday->Date());
    day->SetWorkTime(*workTime);
    return day;
}

double TCalendar::WorkTimeOfDate(double date) const {
    const double weekdayTime = m_week->WorkTimeOf(IsoDayOfWeek(date));
    const auto holiday = m_holidays->FindDate(date);
    if (!holiday)
        return weekdayTime;
    return ApplyHolidayRule(*holiday->EffectiveWorktime(), weekdayTime).value_or(weekdayTime);
}

double TCalendar::GetWorkTime(double from, double to) const {
    const long long first = DayNumber(from);
    const long long last = DayNumber(to);
    double sum = 0.0;
    if (first > last)
        return sum;
    // Walk the days in order with the weekday advanced incrementally and the holidays of the
    // range visited alongside, so that a long range costs no lookups per day. The sum is formed
    // day by day in date order, exactly as adding the single days would.
    const auto holidays = m_holidays->HolidaysBetween(from, to);
    auto nextHoliday = holidays.begin();
    int weekday = IsoDayOfWeek(from);
    for (long long day = first; day <= last; ++day) {
        const double weekdayTime = m_week->WorkTimeOf(weekday);
        if (nextHoliday != holidays.end() && DayNumber((*nextHoliday)->Date()) == day) {
            sum += ApplyHolidayRule(*(*nextHoliday)->EffectiveWorktime(), weekdayTime).value_or(weekdayTime);
            ++nextHoliday;
        } else {
            sum += weekdayTime;
        }
        weekday = weekday == 7 ? 1 : weekday + 1;
    }
    return sum;
}

namespace {

const QString WeekName = QStringLiteral("week");
const QString HolidayListName = QStringLiteral("holidaylist");

} // namespace

void TCalendar::LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) {
    m_week->LoadFromPropertyList(NestedPropertyList(list, WeekName));
    m_holidays->LoadFromPropertyList(NestedPropertyList(list, HolidayListName));
}

void TCalendar::SaveToPropertyList(const std::shared_ptr<IHXPropertyList_>& list) const {
    m_week->SaveToPropertyList(list->Items(WeekName)->AsPropertyList());
    m_holidays->SaveToPropertyList(list->Items(HolidayListName)->AsPropertyList());
}

void TCalendar::LoadOrInitialize(const std::shared_ptr<IHXPropertyList_>& section) {
    if (section->Count() == 0)
        SaveToPropertyList(section);
    else
        LoadFromPropertyList(section);
}
