#pragma once

#include "foundation/CheckedObject.h"
#include "foundation/VRNException.h"

#include <memory>

/// A day number outside 1..7 was given: "Day must be between 1 and 7".
VRN_DECLARE_EXCEPTION(EDayCreateError, EVRNException);

/// The required working time of one weekday. Day numbers are ISO weekdays: 1 = Monday ... 7 =
/// Sunday. Working times are durations in days (8 hours = 8/24); no range check is applied, a
/// computed value may exceed one day.
class IHXDay_ {
public:
    virtual ~IHXDay_() = default;
    /// The day number 1..7, fixed at creation.
    virtual int Day() const = 0;
    virtual double WorkTime() const = 0;
    virtual void SetWorkTime(double value) = 0;
};

class TDay : public TInterfacedAndCheckedObject, public IHXDay_ {
public:
    /// Raises EDayCreateError unless 1 <= dayOfWeek <= 7. Worktime starts at 0.
    explicit TDay(int dayOfWeek);
    /// A day whose number is the ISO weekday of the date; worktime 0.
    static std::shared_ptr<TDay> FromDate(double date);

    int Day() const override { return m_day; }
    double WorkTime() const override { return m_workTime; }
    void SetWorkTime(double value) override { m_workTime = value; }

private:
    int m_day;
    double m_workTime = 0.0;
};

/// The ISO weekday (1 = Monday ... 7 = Sunday) of a date-time value; the time of day is ignored.
int IsoDayOfWeek(double date);
/// The whole day number of a date-time value (its date part), the key by which dates compare.
long long DayNumber(double date);
