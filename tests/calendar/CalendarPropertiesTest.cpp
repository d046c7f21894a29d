#include "calendar/Calendar.h"
#include "calendar/HolidayWorktimeText.h"
#include "foundation/DateTime.h"
#include "foundation/International.h"
#include "model/PropertyHelpers.h"
#include "model/PropertyList.h"

#include <gtest/gtest.h>

namespace {

double Hours(double h) {
    return h / 24.0;
}

std::shared_ptr<IHXPropertyList_> NewList() {
    return std::make_shared<TPropertyList>();
}

// A value list item holding a holiday with a name, a date and optionally a default rule.
std::shared_ptr<IHXPropertyList_> AddHolidayItem(const std::shared_ptr<IHXPropertyValueList_>& items, double date,
                                                 const QString& name) {
    auto holiday = items->AddItem()->AsPropertyList();
    if (date != 0)
        holiday->Items("date")->SetAsDate(date);
    if (!name.isNull())
        holiday->Items("name")->SetAsString(name);
    return holiday;
}

} // namespace

TEST(CalendarPropertiesTest, SavedCalendarLoadsBackUnchanged) {
    TCalendar calendar;
    for (int day = 1; day <= 7; ++day)
        calendar.Week()->GetDay(day)->SetWorkTime(Hours(day <= 5 ? 7.5 + day * 0.25 : 0));
    auto christmas = calendar.Holidays()->AddNew(EncodeDate(2024, 12, 24));
    christmas->SetName("Christmas Eve");
    christmas->DefaultWorktime()->SetIsPercentage(true);
    christmas->DefaultWorktime()->SetWorktimePercentage(0.5);
    christmas->OverrideWorktime()->SetIsNegative(true);
    christmas->OverrideWorktime()->SetWorktimeAbsolute(Hours(1.5));
    christmas->SetOverrideWorktimeDefault(true);
    auto newYear = calendar.Holidays()->AddNew(EncodeDate(2025, 1, 1));
    newYear->SetName("New Year");

    auto section = NewList();
    calendar.SaveToPropertyList(section);
    TCalendar loaded;
    loaded.LoadFromPropertyList(section);

    for (int day = 1; day <= 7; ++day)
        EXPECT_EQ(loaded.Week()->GetDay(day)->WorkTime(), calendar.Week()->GetDay(day)->WorkTime()) << day;
    ASSERT_EQ(loaded.Holidays()->Count(), 2);
    const auto eve = loaded.Holidays()->Items(0);
    EXPECT_EQ(eve->Name(), "Christmas Eve");
    EXPECT_EQ(eve->Date(), EncodeDate(2024, 12, 24));
    EXPECT_TRUE(eve->OverrideWorktimeDefault());
    EXPECT_TRUE(eve->DefaultWorktime()->IsPercentage());
    EXPECT_EQ(eve->DefaultWorktime()->WorktimePercentage(), 0.5);
    EXPECT_TRUE(eve->OverrideWorktime()->IsNegative());
    EXPECT_TRUE(eve->OverrideWorktime()->IsRelative());
    EXPECT_TRUE(TimesEqual(eve->OverrideWorktime()->WorktimeAbsolute(), Hours(1.5)));
    EXPECT_EQ(loaded.Holidays()->Items(1)->Name(), "New Year");
    const double from = EncodeDate(2024, 1, 1), to = EncodeDate(2025, 12, 31);
    EXPECT_EQ(loaded.GetWorkTime(from, to), calendar.GetWorkTime(from, to));
}

TEST(CalendarPropertiesTest, SavedFormHoldsOnlyTheValuesThatCount) {
    TCalendar calendar;
    auto holiday = calendar.Holidays()->AddNew(EncodeDate(2024, 5, 1));
    holiday->SetName("Labour Day");
    holiday->DefaultWorktime()->SetIsPercentage(true);
    holiday->DefaultWorktime()->SetWorktimeAbsolute(Hours(3)); // not the amount that counts
    auto section = NewList();
    calendar.SaveToPropertyList(section);

    const auto days = section->Find("week")->AsPropertyList()->Find("days")->AsValueList();
    ASSERT_EQ(days->Count(), 7);
    EXPECT_EQ(days->Items(0)->AsPropertyList()->Find("worktime")->DataType(), hxpdtDuration);
    const auto items = section->Find("holidaylist")->AsPropertyList()->Find("holidaylist")->AsValueList();
    ASSERT_EQ(items->Count(), 1);
    const auto saved = items->Items(0)->AsPropertyList();
    EXPECT_EQ(saved->Find("date")->DataType(), hxpdtDate);
    EXPECT_EQ(saved->Find("worktime override"), nullptr);
    EXPECT_FALSE(saved->Find("override worktime default")->AsBoolean());
    const auto rule = saved->Find("worktime default")->AsPropertyList();
    EXPECT_EQ(rule->Find("worktime percentage")->DataType(), hxpdtDouble);
    EXPECT_EQ(rule->Find("worktime absolute"), nullptr);

    // Switching the rule to an absolute time replaces the percentage in the same list.
    holiday->DefaultWorktime()->SetIsPercentage(false);
    holiday->SetOverrideWorktimeDefault(true);
    calendar.SaveToPropertyList(section);
    const auto again = section->Find("holidaylist")->AsPropertyList()->Find("holidaylist")->AsValueList();
    const auto savedAgain = again->Items(0)->AsPropertyList();
    EXPECT_EQ(savedAgain->Find("worktime default")->AsPropertyList()->Find("worktime percentage"), nullptr);
    EXPECT_NE(savedAgain->Find("worktime override"), nullptr);
}

TEST(CalendarPropertiesTest, HolidayItemsWithoutNameOrDateAreDropped) {
    auto holidays = NewList();
    const auto items = holidays->Items("holidaylist")->AsValueList();
    AddHolidayItem(items, EncodeDate(2024, 1, 1), "New Year");
    AddHolidayItem(items, EncodeDate(2024, 1, 2), QString());     // no name
    AddHolidayItem(items, EncodeDate(2024, 1, 3), "");            // empty name
    AddHolidayItem(items, 0, "Undated");                          // no date
    AddHolidayItem(items, EncodeDate(2024, 1, 1) + 0.5, "Again"); // same date (with a time): replaces
    items->AddItem()->SetAsString("not a holiday");
    auto christmas = AddHolidayItem(items, EncodeDate(2024, 12, 25), "Christmas");
    christmas->Items("worktime default")->AsPropertyList()->Items("isnegative")->SetAsBoolean(true);
    christmas->Items("worktime default")->AsPropertyList()->Items("worktime absolute")->SetAsDuration(Hours(2));
    // A percentage below zero cannot come from the program; it reads as 0.
    auto broken = AddHolidayItem(items, EncodeDate(2024, 12, 26), "Broken");
    broken->Items("worktime default")->AsPropertyList()->Items("ispercentage")->SetAsBoolean(true);
    broken->Items("worktime default")->AsPropertyList()->Items("worktime percentage")->SetAsDouble(-3);

    THolidayList list;
    list.AddNew(EncodeDate(2023, 6, 1)); // loading replaces the content
    list.LoadFromPropertyList(holidays);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Items(0)->Name(), "Again");
    EXPECT_EQ(list.Items(1)->Name(), "Christmas");
    EXPECT_TRUE(list.Items(1)->DefaultWorktime()->IsRelative()); // negative implies relative
    EXPECT_EQ(list.Items(2)->DefaultWorktime()->WorktimePercentage(), 0.0);

    TCalendar calendar;
    calendar.Week()->Thursday()->SetWorkTime(Hours(8));
    auto section = NewList();
    section->Items("holidaylist")->AsPropertyList()->Assign(holidays);
    calendar.LoadFromPropertyList(section);
    EXPECT_TRUE(TimesEqual(calendar.GetDay(EncodeDate(2024, 12, 26))->WorkTime(), 0)); // 0 % of a Thursday
    EXPECT_TRUE(TimesEqual(calendar.GetDay(EncodeDate(2024, 12, 25))->WorkTime(), 0)); // Wednesday 0 - 2:00
}

TEST(CalendarPropertiesTest, WeekReadsAtMostSevenDaysAndKeepsTheRest) {
    TWeek week;
    week.Sunday()->SetWorkTime(Hours(1));
    auto list = NewList();
    auto days = list->Items("days")->AsValueList();
    days->AddItem()->AsPropertyList()->Items("worktime")->SetAsDuration(Hours(8));
    days->AddItem()->SetAsInteger(5); // not a day: Tuesday keeps its time
    days->AddItem()->AsPropertyList()->Items("worktime")->SetAsDuration(Hours(6));
    week.LoadFromPropertyList(list);
    EXPECT_TRUE(TimesEqual(week.Monday()->WorkTime(), Hours(8)));
    EXPECT_EQ(week.Tuesday()->WorkTime(), 0.0);
    EXPECT_TRUE(TimesEqual(week.Wednesday()->WorkTime(), Hours(6)));
    EXPECT_TRUE(TimesEqual(week.Sunday()->WorkTime(), Hours(1)));

    for (int i = 0; i < 6; ++i)
        days->AddItem()->AsPropertyList()->Items("worktime")->SetAsDuration(Hours(2));
    ASSERT_EQ(days->Count(), 9);
    week.LoadFromPropertyList(list);
    EXPECT_TRUE(TimesEqual(week.Sunday()->WorkTime(), Hours(2)));
    week.LoadFromPropertyList(nullptr); // nothing to read: nothing changes
    EXPECT_TRUE(TimesEqual(week.Sunday()->WorkTime(), Hours(2)));
}

TEST(CalendarPropertiesTest, EmptySectionReceivesTheCalendar) {
    TCalendar calendar;
    auto section = NewList();
    calendar.LoadOrInitialize(section);
    EXPECT_NE(section->Find("week"), nullptr);
    EXPECT_EQ(section->Find("week")->AsPropertyList()->Find("days")->AsValueList()->Count(), 7);

    section->Find("week")
        ->AsPropertyList()
        ->Find("days")
        ->AsValueList()
        ->Items(4)
        ->AsPropertyList()
        ->Items("worktime")
        ->SetAsDuration(Hours(5));
    TCalendar loaded;
    loaded.LoadOrInitialize(section);
    EXPECT_TRUE(TimesEqual(loaded.Week()->Friday()->WorkTime(), Hours(5)));
}

TEST(HolidayWorktimeTextTest, RulesRoundTripThroughTheirText) {
    ScopedUserLocale english(QStringLiteral("en_US"));
    for (const char* text : {"+01:30", "-25%", "08:00", "50%", "-10:00", "+100%", "00:00"}) {
        THolidayWorktime rule;
        TextToHolidayWorktime(QString::fromLatin1(text), rule);
        EXPECT_EQ(HolidayWorktimeToText(rule), QString::fromLatin1(text));
    }
    THolidayWorktime rule;
    TextToHolidayWorktime("  - 12.5 % ", rule);
    EXPECT_TRUE(rule.IsPercentage());
    EXPECT_TRUE(rule.IsNegative());
    EXPECT_EQ(rule.WorktimePercentage(), 0.125);
    EXPECT_EQ(HolidayWorktimeToText(rule), "-13%");
    TextToHolidayWorktime("26:15", rule);
    EXPECT_FALSE(rule.IsPercentage());
    EXPECT_FALSE(rule.IsRelative());
    EXPECT_FALSE(rule.IsNegative());
    EXPECT_EQ(HolidayWorktimeToText(rule), "26:15");
}

TEST(HolidayWorktimeTextTest, BadTextsRaiseAndLeaveTheRule) {
    ScopedUserLocale english(QStringLiteral("en_US"));
    THolidayWorktime rule;
    TextToHolidayWorktime("+50%", rule);
    for (const char* text : {"", "   ", "abc", "5,5%", "--5%", "%", "1:99:00:00"}) {
        EXPECT_THROW(TextToHolidayWorktime(QString::fromLatin1(text), rule), EVRNConvertError) << text;
        EXPECT_TRUE(rule.IsPercentage());
        EXPECT_TRUE(rule.IsRelative());
        EXPECT_EQ(rule.WorktimePercentage(), 0.5);
    }
    try {
        TextToHolidayWorktime("  ", rule);
    } catch (const EVRNConvertError& e) {
        EXPECT_EQ(e.Message(), "'  ' is not a valid HolidayWorktime");
    }
}

// The text a rule is shown in reads back in every locale: without digit grouping, and with ":"
// as well as the locale's own time separator ("." in Finnish and Danish).
TEST(HolidayWorktimeTextTest, TheTextReadsBackInEveryLocale) {
    for (const char* locale : {"en_US", "de_DE", "fi_FI", "da_DK", "fr_CH", "hi_IN"}) {
        ScopedUserLocale scoped{QString::fromLatin1(locale)};
        for (const char* text : {"+01:30", "-25%", "08:00", "1500%", "+12000%", "26:15"}) {
            THolidayWorktime rule;
            TextToHolidayWorktime(QString::fromLatin1(text), rule);
            EXPECT_EQ(HolidayWorktimeToText(rule), QString::fromLatin1(text)) << locale << " " << text;
            THolidayWorktime again;
            TextToHolidayWorktime(HolidayWorktimeToText(rule), again);
            EXPECT_EQ(HolidayWorktimeToText(again), HolidayWorktimeToText(rule)) << locale << " " << text;
        }
    }
    ScopedUserLocale finnish{QStringLiteral("fi_FI")};
    THolidayWorktime rule;
    TextToHolidayWorktime("+1.30", rule); // the way Finnish times are typed
    EXPECT_EQ(HolidayWorktimeToText(rule), "+01:30");
    ScopedUserLocale german{QStringLiteral("de_DE")};
    TextToHolidayWorktime("12,5%", rule); // the German decimal comma
    EXPECT_EQ(rule.WorktimePercentage(), 0.125);
}
