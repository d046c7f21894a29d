#pragma once

// The order of holidays in the holidays list: three keys, taken in the order the sort column
// gives, the first key that differs deciding.
//   name column:          name, date, required time
//   date column:          date, name, required time
//   required time column: required time, date, name
// Names compare without regard to letter case in the user's locale, dates by whole days, required
// times as durations: the holiday's effective rule applied to a reference day (so 50 % of an
// 8-hour day, 04:00, sorts before 06:00). Descending reverses every key.

#include "calendar/Holiday.h"

enum class THolidaySortColumn { Name = 0, Date = 1, RequiredTime = 2 };

struct THolidaySortOrder {
    THolidaySortColumn column = THolidaySortColumn::Date;
    bool ascending = true;
    /// The required time of the reference day (a duration in days) that rules are applied to.
    double referenceWorkTime = 8.0 / 24.0;
};

/// The required time a holiday leaves of a day that requires workTime.
double HolidayRequiredTime(const IHXHoliday_& holiday, double workTime);

/// Below 0 when a comes first, above 0 when b comes first, 0 when all three keys are equal.
int CompareHolidays(const IHXHoliday_& a, const IHXHoliday_& b, const THolidaySortOrder& order);
