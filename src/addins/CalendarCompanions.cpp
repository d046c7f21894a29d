#include "addins/CalendarCompanions.h"

#include "addins/Companion.h"
#include "addins/CompanionArguments.h"

using HoraluxSDK::IHXCalendar;
using HoraluxSDK::IHXDay;
using HoraluxSDK::IHXHoliday;
using HoraluxSDK::IHXHolidayList;
using HoraluxSDK::IHXWeek;

namespace {

class TDayCompanion : public TCompanion<IHXDay, IHXDay_> {
public:
    using TCompanion::TCompanion;

    HXRESULT get_Day(int32_t* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "Day.Day");
            *value = Get().Day();
        });
    }
    HXRESULT get_WorkTime(HXDATE* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "Day.WorkTime");
            *value = Get().WorkTime();
        });
    }
    HXRESULT put_WorkTime(HXDATE value) noexcept override {
        return GuardHXCall([&] { Get().SetWorkTime(value); });
    }
};

class TWeekCompanion : public TCompanion<IHXWeek, IHXWeek_> {
public:
    using TCompanion::TCompanion;

    HXRESULT get_Monday(IHXDay** value) noexcept override { return Day(1, value, "Week.Monday"); }
    HXRESULT get_Tuesday(IHXDay** value) noexcept override { return Day(2, value, "Week.Tuesday"); }
    HXRESULT get_Wednesday(IHXDay** value) noexcept override { return Day(3, value, "Week.Wednesday"); }
    HXRESULT get_Thursday(IHXDay** value) noexcept override { return Day(4, value, "Week.Thursday"); }
    HXRESULT get_Friday(IHXDay** value) noexcept override { return Day(5, value, "Week.Friday"); }
    HXRESULT get_Saturday(IHXDay** value) noexcept override { return Day(6, value, "Week.Saturday"); }
    HXRESULT get_Sunday(IHXDay** value) noexcept override { return Day(7, value, "Week.Sunday"); }
    /// A number outside 1..7 fails with "Day must be between 1 and 7".
    HXRESULT GetDay(int32_t dayOfTheWeek, IHXDay** result) noexcept override {
        return Day(dayOfTheWeek, result, "Week.GetDay");
    }
    HXRESULT GetDayByDate(HXDATE date, IHXDay** result) noexcept override {
        ClearOut(result);
        return GuardHXCall([&] {
            RequireOut(result, "Week.GetDayByDate");
            *result = NewDayCompanion(Get().GetDayByDate(date));
        });
    }

private:
    HXRESULT Day(int32_t number, IHXDay** value, const char* member) {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, member);
            *value = NewDayCompanion(Get().GetDay(number));
        });
    }
};

class THolidayCompanion : public TCompanion<IHXHoliday, IHXHoliday_> {
public:
    using TCompanion::TCompanion;

    HXRESULT get_Date(HXDATE* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "Holiday.Date");
            *value = Get().Date();
        });
    }
    HXRESULT get_Name(HXBSTR* value) noexcept override {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, "Holiday.Name");
            *value = ToHXString(Get().Name());
        });
    }
    HXRESULT put_Name(HXBSTR value) noexcept override {
        return GuardHXCall([&] { Get().SetName(FromHXString(value)); });
    }
};

class THolidayListCompanion : public TCompanion<IHXHolidayList, IHXHolidayList_> {
public:
    using TCompanion::TCompanion;

    HXRESULT get_Count(int32_t* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "HolidayList.Count");
            *value = Get().Count();
        });
    }
    /// Index into the holidays in ascending date order.
    HXRESULT get_Items(int32_t index, IHXHoliday** value) noexcept override {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, "HolidayList.Items");
            *value = NewHolidayCompanion(Get().Items(index));
        });
    }
    /// A date that already has a holiday fails and leaves the list as it was.
    HXRESULT AddNew(HXDATE date, IHXHoliday** result) noexcept override {
        ClearOut(result);
        return GuardHXCall([&] {
            RequireOut(result, "HolidayList.AddNew");
            *result = NewHolidayCompanion(Get().AddNew(date));
        });
    }
    HXRESULT Delete(int32_t index) noexcept override {
        return GuardHXCall([&] { Get().Delete(index); });
    }
    /// The holiday's former index, -1 when the date has none.
    HXRESULT DeleteByDate(HXDATE date, int32_t* result) noexcept override {
        return GuardHXCall([&] {
            RequireOut(result, "HolidayList.DeleteByDate");
            *result = Get().DeleteByDate(date);
        });
    }
    /// Null when the date has no holiday.
    HXRESULT FindDate(HXDATE date, IHXHoliday** result) noexcept override {
        ClearOut(result);
        return GuardHXCall([&] {
            RequireOut(result, "HolidayList.FindDate");
            *result = NewHolidayCompanion(Get().FindDate(date));
        });
    }
    /// The holiday's former index, -1 when that very holiday is not in the list (a holiday of
    /// another list, or one removed before).
    HXRESULT Remove(IHXHoliday* aHoliday, int32_t* result) noexcept override {
        return GuardHXCall([&] {
            RequireOut(result, "HolidayList.Remove");
            *result = Get().Remove(RequireCompanionOwner<IHXHoliday_>(aHoliday, "HolidayList.Remove"));
        });
    }
};

class TCalendarCompanion : public TCompanion<IHXCalendar, IHXCalendar_> {
public:
    using TCompanion::TCompanion;

    HXRESULT get_Holidays(IHXHolidayList** value) noexcept override {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, "Calendar.Holidays");
            *value = NewHolidayListCompanion(Get().Holidays());
        });
    }
    HXRESULT get_Week(IHXWeek** value) noexcept override {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, "Calendar.Week");
            *value = NewWeekCompanion(Get().Week());
        });
    }
    /// The week's own day when the date has no holiday that changes its time (a change of its
    /// WorkTime is a change of the week), else a day of its own with the holiday's time.
    HXRESULT GetDay(HXDATE aDate, IHXDay** result) noexcept override {
        ClearOut(result);
        return GuardHXCall([&] {
            RequireOut(result, "Calendar.GetDay");
            *result = NewDayCompanion(Get().GetDay(aDate));
        });
    }
    HXRESULT GetWorkTime(HXDATE aFrom, HXDATE aTo, HXDATE* result) noexcept override {
        return GuardHXCall([&] {
            RequireOut(result, "Calendar.GetWorkTime");
            *result = Get().GetWorkTime(aFrom, aTo);
        });
    }
};

} // namespace

IHXCalendar* NewCalendarCompanion(const std::shared_ptr<IHXCalendar_>& calendar) {
    return calendar ? new TCalendarCompanion(calendar) : nullptr;
}

IHXWeek* NewWeekCompanion(const std::shared_ptr<IHXWeek_>& week) {
    return week ? new TWeekCompanion(week) : nullptr;
}

IHXDay* NewDayCompanion(const std::shared_ptr<IHXDay_>& day) {
    return day ? new TDayCompanion(day) : nullptr;
}

IHXHolidayList* NewHolidayListCompanion(const std::shared_ptr<IHXHolidayList_>& list) {
    return list ? new THolidayListCompanion(list) : nullptr;
}

IHXHoliday* NewHolidayCompanion(const std::shared_ptr<IHXHoliday_>& holiday) {
    return holiday ? new THolidayCompanion(holiday) : nullptr;
}
