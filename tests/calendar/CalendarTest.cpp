#include "calendar/Calendar.h"
#include "foundation/DateTime.h"

#include <QDate>
#include <gtest/gtest.h>

namespace {

double Hours(double h) {
    return h / 24.0;
}

double Date(int y, int m, int d) {
    return EncodeDate(y, m, d);
}

// A week of 8 hours Monday to Thursday, 6 hours on Friday and nothing at the weekend.
void SetOfficeWeek(IHXWeek_& week) {
    const double hours[7] = {8, 8, 8, 8, 6, 0, 0};
    for (int day = 1; day <= 7; ++day)
        week.GetDay(day)->SetWorkTime(Hours(hours[day - 1]));
}

struct RuleCase {
    const char* name;
    bool percentage;
    bool relative;
    bool negative;
    double amount; // fraction for percentages, hours for absolute rules
    double weekdayHours;
    double expectedHours;
    bool weekdayObjectReturned;
};

class HolidayRuleTest : public testing::TestWithParam<RuleCase> {};

} // namespace

TEST(DayTest, NumbersOutsideOneToSevenAreRefused) {
    for (int number : {0, 8, -1}) {
        try {
            TDay day(number);
            FAIL() << number;
        } catch (const EDayCreateError& e) {
            EXPECT_EQ(e.Message(), "Day must be between 1 and 7");
        }
    }
    TWeek week;
    EXPECT_THROW(week.GetDay(0), EDayCreateError);
}

TEST(DayTest, DayFromDateHasTheIsoWeekdayOfTheDate) {
    EXPECT_EQ(TDay::FromDate(Date(2024, 3, 4))->Day(), 1);                // Monday
    EXPECT_EQ(TDay::FromDate(Date(2024, 3, 10) + Hours(23.5))->Day(), 7); // Sunday evening
    EXPECT_EQ(TDay::FromDate(Date(1899, 12, 30))->Day(), 6);              // day 0, a Saturday
    EXPECT_EQ(TDay::FromDate(Date(1899, 12, 29) + Hours(18))->Day(), 5);  // before day 0
    EXPECT_EQ(TDay::FromDate(Date(2024, 3, 4))->WorkTime(), 0.0);
}

TEST(WeekTest, DaysAreFixedObjectsFoundByNumberAndByDate) {
    TWeek week;
    for (int day = 1; day <= 7; ++day) {
        EXPECT_EQ(week.GetDay(day)->Day(), day);
        EXPECT_EQ(week.GetDay(day)->WorkTime(), 0.0);
    }
    EXPECT_EQ(week.Monday(), week.GetDay(1));
    EXPECT_EQ(week.Sunday(), week.GetDay(7));
    EXPECT_EQ(week.GetDayByDate(Date(2024, 3, 6) + Hours(15)), week.Wednesday());
}

TEST(HolidayWorktimeTest, SettersKeepANegativeRuleRelative) {
    THolidayWorktime rule;
    rule.SetIsNegative(true);
    EXPECT_TRUE(rule.IsRelative());
    rule.SetIsRelative(false);
    EXPECT_FALSE(rule.IsNegative());
    rule.SetIsRelative(true);
    EXPECT_FALSE(rule.IsNegative());

    rule.SetWorktimePercentage(0.25);
    try {
        rule.SetWorktimePercentage(-0.1);
        FAIL();
    } catch (const EHolidayWorktimeError& e) {
        EXPECT_EQ(e.Message(), "WorktimePercentage must be >= 0");
    }
    EXPECT_EQ(rule.WorktimePercentage(), 0.25);
}

TEST_P(HolidayRuleTest, RuleAppliedToTheWeekday) {
    const RuleCase& c = GetParam();
    TCalendar calendar;
    const double date = Date(2024, 3, 6); // a Wednesday
    calendar.Week()->Wednesday()->SetWorkTime(Hours(c.weekdayHours));
    auto holiday = calendar.Holidays()->AddNew(date);
    holiday->SetName(QStringLiteral("Holiday"));
    auto rule = holiday->DefaultWorktime();
    rule->SetIsPercentage(c.percentage);
    rule->SetIsRelative(c.relative);
    rule->SetIsNegative(c.negative);
    if (c.percentage)
        rule->SetWorktimePercentage(c.amount);
    else
        rule->SetWorktimeAbsolute(Hours(c.amount));

    const auto day = calendar.GetDay(date + Hours(10));
    EXPECT_TRUE(TimesEqual(day->WorkTime(), Hours(c.expectedHours))) << day->WorkTime() * 24;
    EXPECT_EQ(day->Day(), 3);
    EXPECT_EQ(day == calendar.Week()->Wednesday(), c.weekdayObjectReturned);
    EXPECT_EQ(calendar.GetWorkTime(date, date), day->WorkTime());
}

INSTANTIATE_TEST_SUITE_P(Rules, HolidayRuleTest,
                         testing::Values(RuleCase{"MinusHalf", true, true, true, 0.5, 8, 4, false},
                                         RuleCase{"PlusHalf", true, true, false, 0.5, 8, 12, false},
                                         RuleCase{"RelativeZeroPercent", true, true, false, 0, 8, 8, true},
                                         RuleCase{"MinusTooMuchPercent", true, true, true, 1.5, 8, 0, false},
                                         RuleCase{"EightyPercent", true, false, false, 0.8, 8, 6.4, false},
                                         RuleCase{"HundredPercent", true, false, false, 1, 8, 8, true},
                                         RuleCase{"ZeroPercent", true, false, false, 0, 8, 0, false},
                                         RuleCase{"ZeroPercentOfNothing", true, false, false, 0, 0, 0, true},
                                         RuleCase{"MinusTenHours", false, true, true, 10, 8, 0, false},
                                         RuleCase{"PlusTwoHours", false, true, false, 2, 8, 10, false},
                                         RuleCase{"RelativeZeroHours", false, true, false, 0, 8, 8, true},
                                         RuleCase{"FourHours", false, false, false, 4, 8, 4, false},
                                         RuleCase{"FourHoursOnAFreeDay", false, false, false, 4, 0, 4, false},
                                         RuleCase{"SameAsWeekday", false, false, false, 8, 8, 8, true},
                                         RuleCase{"NoRuleSet", false, false, false, 0, 8, 0, false}),
                         [](const testing::TestParamInfo<RuleCase>& info) { return std::string(info.param.name); });

TEST(HolidayTest, OverrideRuleReplacesTheDefaultOnlyWhileTheFlagIsSet) {
    TCalendar calendar;
    SetOfficeWeek(*calendar.Week());
    const double date = Date(2024, 3, 4); // Monday, 8 hours
    auto holiday = calendar.Holidays()->AddNew(date);
    EXPECT_EQ(holiday->Date(), date);
    holiday->DefaultWorktime()->SetIsPercentage(true);
    holiday->DefaultWorktime()->SetWorktimePercentage(0.5);
    holiday->OverrideWorktime()->SetWorktimeAbsolute(Hours(2));

    EXPECT_TRUE(TimesEqual(calendar.GetDay(date)->WorkTime(), Hours(4)));
    holiday->SetOverrideWorktimeDefault(true);
    EXPECT_EQ(holiday->EffectiveWorktime(), holiday->OverrideWorktime());
    EXPECT_TRUE(TimesEqual(calendar.GetDay(date)->WorkTime(), Hours(2)));
    holiday->SetOverrideWorktimeDefault(false);
    EXPECT_TRUE(TimesEqual(calendar.GetDay(date)->WorkTime(), Hours(4)));
    EXPECT_TRUE(TimesEqual(holiday->OverrideWorktime()->WorktimeAbsolute(), Hours(2)));
}

TEST(HolidayListTest, OneHolidayPerDateSortedByDate) {
    THolidayList list;
    auto march = list.AddNew(Date(2024, 3, 8) + Hours(14)); // time of day is dropped
    auto january = list.AddNew(Date(2024, 1, 1));
    auto may = list.AddNew(Date(2024, 5, 1));
    EXPECT_EQ(march->Date(), Date(2024, 3, 8));
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Items(0), january);
    EXPECT_EQ(list.Items(1), march);
    EXPECT_EQ(list.Items(2), may);
    EXPECT_THROW(list.Items(3), EVRNListError);
    EXPECT_EQ(list.FindDate(Date(2024, 3, 8) + Hours(23)), march);
    EXPECT_EQ(list.FindDate(Date(2024, 3, 9)), nullptr);

    try {
        list.AddNew(Date(2024, 3, 8) + Hours(1));
        FAIL();
    } catch (const EHolidayListAddError& e) {
        EXPECT_EQ(e.Message(), "The list already contains an holiday with the date 2024-03-08");
    }
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.FindDate(Date(2024, 3, 8)), march);
}

TEST(HolidayListTest, RemovingReportsTheFormerSortedIndex) {
    THolidayList list;
    auto first = list.AddNew(Date(2024, 1, 1));
    auto second = list.AddNew(Date(2024, 2, 1));
    auto third = list.AddNew(Date(2024, 3, 1));
    auto fourth = list.AddNew(Date(2024, 4, 1));

    EXPECT_EQ(list.DeleteByDate(Date(2024, 7, 1)), -1);
    EXPECT_EQ(list.Remove(std::make_shared<THoliday>(Date(2024, 2, 1))), -1); // same date, other object
    EXPECT_EQ(list.Count(), 4);

    EXPECT_EQ(list.Remove(second), 1);
    EXPECT_EQ(list.DeleteByDate(Date(2024, 3, 1) + Hours(5)), 1);
    EXPECT_EQ(list.Items(1), fourth);
    list.Delete(0);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items(0), fourth);
    EXPECT_THROW(list.Delete(1), EVRNListError);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    (void)first;
    (void)third;
}

TEST(CalendarTest, DateWithoutHolidayGivesTheWeeksOwnDayObject) {
    TCalendar calendar;
    SetOfficeWeek(*calendar.Week());
    const auto day = calendar.GetDay(Date(2024, 3, 8) + Hours(9)); // Friday
    EXPECT_EQ(day, calendar.Week()->Friday());
    EXPECT_TRUE(TimesEqual(day->WorkTime(), Hours(6)));
}

TEST(CalendarTest, WorkTimeOfAWeekIsTheSumOfItsDays) {
    TCalendar calendar;
    SetOfficeWeek(*calendar.Week());
    const double monday = Date(2024, 3, 4);
    EXPECT_TRUE(TimesEqual(calendar.GetWorkTime(monday, monday + 6), Hours(38)));
    EXPECT_TRUE(TimesEqual(calendar.GetWorkTime(monday + Hours(17), monday + 6 + Hours(1)), Hours(38)));
    EXPECT_EQ(calendar.GetWorkTime(monday + 1, monday), 0.0);
    EXPECT_TRUE(TimesEqual(calendar.GetWorkTime(monday + Hours(20), monday + Hours(8)), Hours(8)));
}

// The required time of a whole year equals the sum of its single days, and both equal a total
// worked out independently from a table of the year's holidays and the number of each weekday.
TEST(CalendarTest, YearWithHolidaysEqualsTheSumOfItsDays) {
    TCalendar calendar;
    SetOfficeWeek(*calendar.Week());
    struct Row {
        QDate date;
        bool percentage, relative, negative, override_;
        double amount;        // fraction or hours
        double expectedHours; // worked out by hand
    };
    const Row table[] = {
        {QDate(2024, 1, 1), false, false, false, false, 0, 0},     // Monday, no rule: free
        {QDate(2024, 3, 29), false, false, false, false, 0, 0},    // Friday
        {QDate(2024, 5, 1), true, false, false, false, 0.5, 4},    // Wednesday, 50 %
        {QDate(2024, 5, 9), false, false, false, false, 3, 3},     // Thursday, 3:00
        {QDate(2024, 6, 15), false, false, false, false, 5, 5},    // Saturday, 5:00 of work
        {QDate(2024, 10, 4), false, true, false, false, 1.5, 7.5}, // Friday, +1:30
        {QDate(2024, 12, 24), true, true, true, false, 0.25, 6},   // Tuesday, -25 %
        {QDate(2024, 12, 25), true, false, false, true, 1, 0},     // Wednesday, override 0:00
        {QDate(2024, 12, 31), false, true, true, false, 10, 0},    // Tuesday, -10:00
    };
    for (const Row& row : table) {
        auto holiday = calendar.Holidays()->AddNew(DateFromQDate(row.date));
        holiday->SetName(row.date.toString(Qt::ISODate));
        auto rule = holiday->DefaultWorktime();
        if (row.override_) {
            holiday->SetOverrideWorktimeDefault(true);
            rule = holiday->OverrideWorktime();
            holiday->DefaultWorktime()->SetWorktimeAbsolute(Hours(1)); // must be ignored
            rule->SetWorktimeAbsolute(0);
            continue;
        }
        rule->SetIsPercentage(row.percentage);
        rule->SetIsRelative(row.relative);
        rule->SetIsNegative(row.negative);
        if (row.percentage)
            rule->SetWorktimePercentage(row.amount);
        else
            rule->SetWorktimeAbsolute(Hours(row.amount));
    }

    // Independent total: every weekday of 2024 counted with QDate, then each holiday's difference.
    const double weekdayHours[8] = {0, 8, 8, 8, 8, 6, 0, 0};
    double expectedHours = 0;
    for (QDate d(2024, 1, 1); d.year() == 2024; d = d.addDays(1))
        expectedHours += weekdayHours[d.dayOfWeek()];
    for (const Row& row : table)
        expectedHours += row.expectedHours - weekdayHours[row.date.dayOfWeek()];

    const double from = Date(2024, 1, 1);
    const double to = Date(2024, 12, 31);
    double sumOfDays = 0;
    for (double d = from; d <= to; d += 1)
        sumOfDays += calendar.GetDay(d)->WorkTime();
    const double total = calendar.GetWorkTime(from, to);
    EXPECT_EQ(total, sumOfDays);
    EXPECT_NEAR(total * 24, expectedHours, 1e-9);
    EXPECT_NEAR(expectedHours, 1957.5, 1e-9); // 1992 hours of weekdays, 34.5 less on holidays

    // Every single holiday date gives the hand-computed value.
    for (const Row& row : table)
        EXPECT_NEAR(calendar.GetDay(DateFromQDate(row.date))->WorkTime() * 24, row.expectedHours, 1e-9)
            << row.date.toString(Qt::ISODate).toStdString();
}
