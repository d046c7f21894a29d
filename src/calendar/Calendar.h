#pragma once

#include "calendar/HolidayList.h"
#include "calendar/Week.h"

#include <memory>

/// The work-time calendar: how much working time is required on any date. It owns one week and
/// one holiday list, both created with it (so a new calendar requires nothing on any day and has
/// no holidays).
class IHXCalendar_ {
public:
    virtual ~IHXCalendar_() = default;
    virtual std::shared_ptr<IHXHolidayList_> Holidays() const = 0;
    virtual std::shared_ptr<IHXWeek_> Week() const = 0;
    /// A day object carrying the required time of the date: the week's own day object when the
    /// date has no holiday or the holiday's rule leaves the weekday's time unchanged (callers
    /// treat it as read-only), else a new day with the holiday's time.
    virtual std::shared_ptr<IHXDay_> GetDay(double date) const = 0;
    /// The sum of the required times of all dates from the date of from to the date of to
    /// inclusive, added day by day in date order; 0 when from lies after to.
    virtual double GetWorkTime(double from, double to) const = 0;
    /// Reads the section "calendar": "week" and "holidaylist", each a property list.
    virtual void LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) = 0;
    virtual void SaveToPropertyList(const std::shared_ptr<IHXPropertyList_>& list) const = 0;
};

class TCalendar : public TInterfacedAndCheckedObject, public IHXCalendar_ {
public:
    TCalendar();

    std::shared_ptr<IHXHolidayList_> Holidays() const override { return m_holidays; }
    std::shared_ptr<IHXWeek_> Week() const override { return m_week; }
    std::shared_ptr<IHXDay_> GetDay(double date) const override;
    double GetWorkTime(double from, double to) const override;
    void LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) override;
    void SaveToPropertyList(const std::shared_ptr<IHXPropertyList_>& list) const override;

    /// The start-up rule for the section "calendar": a section without any property receives this
    /// calendar, otherwise the calendar is loaded from it.
    void LoadOrInitialize(const std::shared_ptr<IHXPropertyList_>& section);

    /// The required time of the date, the value of GetDay(date)->WorkTime().
    double WorkTimeOfDate(double date) const;

    const std::shared_ptr<TWeek>& WeekObject() const { return m_week; }
    const std::shared_ptr<THolidayList>& HolidayListObject() const { return m_holidays; }

private:
    std::shared_ptr<TWeek> m_week = std::make_shared<TWeek>();
    std::shared_ptr<THolidayList> m_holidays = std::make_shared<THolidayList>();
};
