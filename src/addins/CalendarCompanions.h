#pragma once

// Companions of the work-time calendar: the calendar, its week with the seven days, and its holiday
// list with the holidays. Each function returns a new companion with one reference for the caller
// (null for a null object); the companion keeps its object alive until released. Raise
// std::bad_alloc.

#include "calendar/Calendar.h"

#include <HoraluxSDK.h>

HoraluxSDK::IHXCalendar* NewCalendarCompanion(const std::shared_ptr<IHXCalendar_>& calendar);
HoraluxSDK::IHXWeek* NewWeekCompanion(const std::shared_ptr<IHXWeek_>& week);
HoraluxSDK::IHXDay* NewDayCompanion(const std::shared_ptr<IHXDay_>& day);
HoraluxSDK::IHXHolidayList* NewHolidayListCompanion(const std::shared_ptr<IHXHolidayList_>& list);
HoraluxSDK::IHXHoliday* NewHolidayCompanion(const std::shared_ptr<IHXHoliday_>& holiday);
