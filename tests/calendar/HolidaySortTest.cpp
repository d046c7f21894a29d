// The order of the holidays list: three keys in the order of the sort column.

#include "calendar/HolidaySort.h"
#include "calendar/HolidayWorktimeText.h"
#include "foundation/DateTime.h"
#include "foundation/International.h"

#include <gtest/gtest.h>

namespace {

std::shared_ptr<THoliday> Holiday(int month, int day, const char* name, const char* rule) {
    auto holiday = std::make_shared<THoliday>(EncodeDate(2026, month, day));
    holiday->SetName(QString::fromUtf8(name));
    TextToHolidayWorktime(QString::fromLatin1(rule), *holiday->DefaultWorktime());
    return holiday;
}

int Compare(const std::shared_ptr<THoliday>& a, const std::shared_ptr<THoliday>& b, THolidaySortColumn column,
            bool ascending = true, double hoursPerDay = 8) {
    return CompareHolidays(*a, *b, THolidaySortOrder{column, ascending, hoursPerDay / 24.0});
}

class HolidaySortTest : public testing::Test {
protected:
    ScopedUserLocale m_english{QStringLiteral("en_US")};
};

TEST_F(HolidaySortTest, RequiredTimeIsTheRuleAppliedToTheReferenceDay) {
    const auto half = Holiday(12, 31, "New Year's Eve", "50%");
    const auto six = Holiday(12, 24, "Christmas Eve", "06:00");
    EXPECT_LT(Compare(half, six, THolidaySortColumn::RequiredTime), 0) << "50 % of 8 hours is 4 hours";
    EXPECT_GT(Compare(half, six, THolidaySortColumn::RequiredTime, false), 0);
    EXPECT_GT(Compare(half, six, THolidaySortColumn::RequiredTime, true, 16), 0) << "50 % of 16 hours is 8 hours";
    EXPECT_DOUBLE_EQ(HolidayRequiredTime(*half, 8.0 / 24), 4.0 / 24);
    // A rule that leaves the day as it is requires the reference day's time.
    EXPECT_DOUBLE_EQ(HolidayRequiredTime(*Holiday(1, 1, "Full", "100%"), 8.0 / 24), 8.0 / 24);

    // The effective rule counts: the individual required time replaces the default.
    six->SetOverrideWorktimeDefault(true);
    TextToHolidayWorktime("02:00", *six->OverrideWorktime());
    EXPECT_GT(Compare(half, six, THolidaySortColumn::RequiredTime), 0);
}

TEST_F(HolidaySortTest, TheFirstKeyThatDiffersDecides) {
    struct Case {
        const char* what;
        std::shared_ptr<THoliday> a, b;
        THolidaySortColumn column;
        int expected;
    };
    const std::vector<Case> cases = {
        {"name before date", Holiday(1, 2, "Alpha", "04:00"), Holiday(1, 1, "beta", "04:00"), THolidaySortColumn::Name,
         -1},
        {"names without regard to case, then the date", Holiday(1, 2, "alpha", "04:00"),
         Holiday(1, 1, "Alpha", "04:00"), THolidaySortColumn::Name, 1},
        {"date before name", Holiday(1, 1, "Zulu", "04:00"), Holiday(1, 2, "Alpha", "04:00"), THolidaySortColumn::Date,
         -1},
        {"required time before date", Holiday(1, 2, "A", "02:00"), Holiday(1, 1, "B", "03:00"),
         THolidaySortColumn::RequiredTime, -1},
        {"equal required times, then the date", Holiday(1, 2, "A", "50%"), Holiday(1, 1, "B", "04:00"),
         THolidaySortColumn::RequiredTime, 1},
        {"a relative rule on the reference day", Holiday(1, 1, "A", "+01:00"), Holiday(1, 2, "B", "08:30"),
         THolidaySortColumn::RequiredTime, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Compare(c.a, c.b, c.column), c.expected) << c.what;
        EXPECT_EQ(Compare(c.a, c.b, c.column, false), -c.expected) << c.what << ", descending";
    }
    const auto same = Holiday(1, 1, "Same", "04:00");
    EXPECT_EQ(Compare(same, Holiday(1, 1, "same", "50%"), THolidaySortColumn::Date), 0);
}

} // namespace
