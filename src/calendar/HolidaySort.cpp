#include "calendar/HolidaySort.h"

#include "calendar/Day.h"
#include "foundation/DateTime.h"

#include <QCollator>

namespace {

int Sign(long long value) {
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

int CompareNames(const IHXHoliday_& a, const IHXHoliday_& b) {
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return Sign(collator.compare(a.Name(), b.Name()));
}

int CompareDates(const IHXHoliday_& a, const IHXHoliday_& b) {
    return Sign(DayNumber(a.Date()) - DayNumber(b.Date()));
}

int CompareRequiredTimes(const IHXHoliday_& a, const IHXHoliday_& b, double workTime) {
    return CompareTimes(HolidayRequiredTime(a, workTime), HolidayRequiredTime(b, workTime));
}

} // namespace

double HolidayRequiredTime(const IHXHoliday_& holiday, double workTime) {
    return ApplyHolidayRule(*holiday.EffectiveWorktime(), workTime).value_or(workTime);
}

int CompareHolidays(const IHXHoliday_& a, const IHXHoliday_& b, const THolidaySortOrder& order) {
    const auto name = [&] { return CompareNames(a, b); };
    const auto date = [&] { return CompareDates(a, b); };
    const auto time = [&] { return CompareRequiredTimes(a, b, order.referenceWorkTime); };
    int result = 0;
    switch (order.column) {
    case THolidaySortColumn::Name:
        result = name();
        if (result == 0)
            result = date();
        if (result == 0)
            result = time();
        break;
    case THolidaySortColumn::Date:
        result = date();
        if (result == 0)
            result = name();
        if (result == 0)
            result = time();
        break;
    case THolidaySortColumn::RequiredTime:
        result = time();
        if (result == 0)
            result = date();
        if (result == 0)
            result = name();
        break;
    }
    return order.ascending ? result : -result;
}
