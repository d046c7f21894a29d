#include "calendar/Holiday.h"

#include "calendar/Day.h"

THoliday::THoliday(double date) : m_date(static_cast<double>(DayNumber(date))) {}

std::shared_ptr<IHXHolidayWorktime_> THoliday::EffectiveWorktime() const {
    if (m_overrideFlag)
        return m_override;
    return m_default;
}
