// The companions of the work-time calendar as an add-in uses them: through the SDK interfaces
// only, against the program's own calendar. What the add-in changes is the calendar's; failures
// leave the program's message in the thread's error info and their out parameters null.

#include "addins/CalendarCompanions.h"
#include "foundation/DateTime.h"
#include "support/SdkTestSupport.h"

#include <functional>
#include <gtest/gtest.h>

using namespace HoraluxSDK;

namespace {

class AddInHoliday : public AddInObject<IHXHoliday> {
public:
    HXRESULT get_Date(HXDATE*) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT get_Name(HXBSTR*) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT put_Name(HXBSTR) noexcept override { return HX_E_NOTIMPL; }
};

constexpr double Hours = 1.0 / 24;

class CalendarCompanions : public testing::Test {
protected:
    void SetUp() override {
        *m_calendar.Out() = NewCalendarCompanion(m_program);
        ASSERT_EQ(m_calendar->get_Week(m_week.Out()), HX_S_OK);
        ASSERT_EQ(m_calendar->get_Holidays(m_holidays.Out()), HX_S_OK);
    }

    /// The work time of the day the calendar answers for the date.
    double WorkTimeOf(double date) {
        HXRef<IHXDay> day;
        EXPECT_EQ(m_calendar->GetDay(date, day.Out()), HX_S_OK);
        HXDATE time = -1;
        EXPECT_EQ(day->get_WorkTime(&time), HX_S_OK);
        return time;
    }
    double WorkTime(double from, double to) {
        HXDATE sum = -1;
        EXPECT_EQ(m_calendar->GetWorkTime(from, to, &sum), HX_S_OK);
        return sum;
    }
    int32_t Count() {
        int32_t count = -1;
        EXPECT_EQ(m_holidays->get_Count(&count), HX_S_OK);
        return count;
    }

    const std::shared_ptr<TCalendar> m_program = std::make_shared<TCalendar>();
    HXRef<IHXCalendar> m_calendar;
    HXRef<IHXWeek> m_week;
    HXRef<IHXHolidayList> m_holidays;
    // The week of 2024-12-23 (a Monday) with Christmas on Wednesday.
    const double m_monday = EncodeDate(2024, 12, 23);
    const double m_christmas = EncodeDate(2024, 12, 25);
};

TEST_F(CalendarCompanions, WeekTimesAndHolidaysSetThroughTheSdkAreTheCalendarsWorkTime) {
    IHXWeek* week = m_week.get();
    const std::function<HXRESULT(IHXDay**)> days[] = {
        [week](IHXDay** day) { return week->get_Monday(day); },
        [week](IHXDay** day) { return week->get_Tuesday(day); },
        [week](IHXDay** day) { return week->get_Wednesday(day); },
        [week](IHXDay** day) { return week->get_Thursday(day); },
        [week](IHXDay** day) { return week->get_Friday(day); },
        [week](IHXDay** day) { return week->get_Saturday(day); },
        [week](IHXDay** day) { return week->get_Sunday(day); },
    };
    for (int32_t number = 1; number <= 7; ++number) {
        HXRef<IHXDay> day;
        ASSERT_EQ(days[number - 1](day.Out()), HX_S_OK);
        int32_t dayNumber = 0;
        ASSERT_EQ(day->get_Day(&dayNumber), HX_S_OK);
        EXPECT_EQ(dayNumber, number);
        if (number <= 5) {
            ASSERT_EQ(day->put_WorkTime(8 * Hours), HX_S_OK);
        }
    }
    EXPECT_DOUBLE_EQ(m_program->WeekObject()->WorkTimeOf(3), 8 * Hours) << "the program's own week";
    EXPECT_NEAR(WorkTime(m_monday, m_monday + 6), 40 * Hours, 1e-9);

    // Christmas afternoon: the holiday takes the date only; without a rule it requires no work.
    HXRef<IHXHoliday> christmas;
    ASSERT_EQ(m_holidays->AddNew(m_christmas + 15 * Hours, christmas.Out()), HX_S_OK);
    ASSERT_EQ(christmas->put_Name(HXText(QStringLiteral("Christmas"))), HX_S_OK);
    HXDATE date = 0;
    ASSERT_EQ(christmas->get_Date(&date), HX_S_OK);
    EXPECT_EQ(date, m_christmas);
    EXPECT_NEAR(WorkTime(m_monday, m_monday + 6), 32 * Hours, 1e-9);
    EXPECT_EQ(WorkTimeOf(m_christmas), 0.0);
    EXPECT_EQ(WorkTimeOf(m_christmas + 1), 8 * Hours);
    EXPECT_EQ(WorkTime(m_christmas + 1, m_christmas), 0.0) << "from after to";
    HXRef<IHXDay> weekday;
    ASSERT_EQ(m_week->GetDayByDate(m_christmas + 0.5, weekday.Out()), HX_S_OK);
    HXDATE weekdayTime = 0;
    ASSERT_EQ(weekday->get_WorkTime(&weekdayTime), HX_S_OK);
    EXPECT_EQ(weekdayTime, 8 * Hours) << "the week's Wednesday keeps its time";

    // A second holiday sorts before it; FindDate and Items reach the same holidays.
    HXRef<IHXHoliday> eve;
    ASSERT_EQ(m_holidays->AddNew(m_christmas - 1, eve.Out()), HX_S_OK);
    ASSERT_EQ(Count(), 2);
    HXRef<IHXHoliday> found;
    ASSERT_EQ(m_holidays->FindDate(m_christmas + 0.9, found.Out()), HX_S_OK);
    HXBSTR name = nullptr;
    ASSERT_EQ(found->get_Name(&name), HX_S_OK);
    EXPECT_EQ(TakeText(name), QStringLiteral("Christmas"));
    ASSERT_EQ(m_holidays->FindDate(m_monday, found.Out()), HX_S_OK);
    EXPECT_FALSE(found) << "no holiday on that date";
    HXRef<IHXHoliday> second;
    ASSERT_EQ(m_holidays->get_Items(1, second.Out()), HX_S_OK);
    ASSERT_EQ(second->get_Date(&date), HX_S_OK);
    EXPECT_EQ(date, m_christmas);

    // Remove answers the former index; a holiday no longer in the list is left alone.
    int32_t index = -2;
    ASSERT_EQ(m_holidays->Remove(christmas.get(), &index), HX_S_OK);
    EXPECT_EQ(index, 1);
    ASSERT_EQ(m_holidays->Remove(christmas.get(), &index), HX_S_OK);
    EXPECT_EQ(index, -1);
    ASSERT_EQ(m_holidays->DeleteByDate(m_christmas - 1, &index), HX_S_OK);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(m_program->HolidayListObject()->Count(), 0);
    EXPECT_NEAR(WorkTime(m_monday, m_monday + 6), 40 * Hours, 1e-9);
}

TEST_F(CalendarCompanions, FailuresCarryTheProgramsMessageAndLeaveTheListAsItWas) {
    HXRef<IHXHoliday> christmas;
    ASSERT_EQ(m_holidays->AddNew(m_christmas, christmas.Out()), HX_S_OK);
    AddInHoliday own;
    HXRef<IHXDay> day;
    HXRef<IHXHoliday> holiday;
    int32_t index = 0;
    const QString noSuchDay = QStringLiteral("Day must be between 1 and 7");
    struct Case {
        const char* what;
        std::function<HXRESULT()> call;
        QString description;
    };
    const Case cases[] = {
        {"weekday 0", [&] { return m_week->GetDay(0, day.Out()); }, noSuchDay},
        {"weekday 8", [&] { return m_week->GetDay(8, day.Out()); }, noSuchDay},
        {"a second holiday on the date", [&] { return m_holidays->AddNew(m_christmas + 0.25, holiday.Out()); },
         QStringLiteral("The list already contains an holiday with the date 2024-12-25")},
        {"an index out of range", [&] { return m_holidays->get_Items(1, holiday.Out()); },
         QStringLiteral("THolidayList: list index out of bounds (1)")},
        {"Delete out of range", [&] { return m_holidays->Delete(-1); },
         QStringLiteral("THolidayList: list index out of bounds (-1)")},
        {"a holiday of the add-in", [&] { return m_holidays->Remove(&own, &index); },
         QStringLiteral("HolidayList.Remove: not an object of this program")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.call(), HX_E_FAIL) << c.what;
        EXPECT_EQ(TakeErrorDescription(), c.description) << c.what;
        EXPECT_FALSE(day) << c.what;
        EXPECT_FALSE(holiday) << c.what;
    }
    EXPECT_EQ(Count(), 1);
    EXPECT_EQ(own.references, 1u) << "the add-in's object is not kept";

    IHXHoliday* out = &own;
    EXPECT_EQ(m_holidays->AddNew(m_christmas, &out), HX_E_FAIL);
    EXPECT_EQ(out, nullptr) << "an out parameter is cleared before the call";
}

TEST_F(CalendarCompanions, LateBoundCallsReachTheCalendarAndTakeItsHolidays) {
    ASSERT_EQ(m_program->WeekObject()->GetDay(3)->WorkTime(), 0.0);
    m_program->WeekObject()->GetDay(2)->SetWorkTime(6 * Hours);
    HXRef<IHXHoliday> holiday;
    ASSERT_EQ(m_holidays->AddNew(m_christmas, holiday.Out()), HX_S_OK);

    HXVARIANT args[2];
    args[0].vt = HX_VT_DATE;
    args[0].value.date = m_monday;
    args[1].vt = HX_VT_DATE;
    args[1].value.date = m_monday + 6;
    HXVARIANT result;
    HXVariantInit(&result);
    ASSERT_EQ(m_calendar->Invoke(204, HX_DISPATCH_METHOD, args, 2, &result), HX_S_OK);
    EXPECT_EQ(result.vt, HX_VT_DATE);
    EXPECT_DOUBLE_EQ(result.value.date, 6 * Hours);

    // Remove takes the holiday as the object it was handed out as.
    HXVARIANT argument;
    argument.vt = HX_VT_DISPATCH;
    argument.value.punkVal = static_cast<IHXDispatch*>(holiday.get());
    ASSERT_EQ(m_holidays->Invoke(206, HX_DISPATCH_METHOD, &argument, 1, &result), HX_S_OK)
        << TakeErrorDescription().toStdString();
    EXPECT_EQ(result.vt, HX_VT_I4);
    EXPECT_EQ(result.value.lVal, 0);
    EXPECT_EQ(Count(), 0);

    HXVARIANT number;
    number.vt = HX_VT_I4;
    number.value.lVal = 9;
    EXPECT_EQ(m_week->Invoke(208, HX_DISPATCH_METHOD, &number, 1, &result), HX_E_FAIL);
    EXPECT_EQ(TakeErrorDescription(), QStringLiteral("Day must be between 1 and 7"));
}

} // namespace
