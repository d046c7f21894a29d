#include "controls/MonthCalendar.h"
#include "foundation/DateTime.h"
#include "foundation/International.h"

#include <QTextCharFormat>
#include <gtest/gtest.h>
#include <map>

namespace {

bool Bold(const TvrnMonthCalendar& calendar, int y, int m, int d) {
    return calendar.dateTextFormat(QDate(y, m, d)).fontWeight() == QFont::Bold;
}

// Bold: the 15th of every month and every Sunday. Every question is counted.
class MonthCalendarTest : public testing::Test {
protected:
    MonthCalendarTest() {
        calendar.setCurrentPage(2024, 3);
        calendar.SetOnGetDayState([this](TvrnMonthCalendar& sender, double date, bool& bold) {
            EXPECT_EQ(&sender, &calendar);
            EXPECT_FALSE(bold);
            const QDate day = QDateFromDate(date);
            ++asked[day];
            bold = day.day() == 15 || day.dayOfWeek() == Qt::Sunday;
        });
    }

    ScopedUserLocale m_locale{QStringLiteral("en_US")};
    TvrnMonthCalendar calendar;
    std::map<QDate, int> asked;
};

} // namespace

TEST_F(MonthCalendarTest, AsksOnceForEveryDayOfTheShownMonthAndItsNeighbours) {
    ASSERT_EQ(asked.size(), 29u + 31u + 30u);
    EXPECT_EQ(asked.begin()->first, QDate(2024, 2, 1));
    EXPECT_EQ(asked.rbegin()->first, QDate(2024, 4, 30));
    for (const auto& [day, count] : asked)
        EXPECT_EQ(count, 1) << day.toString(Qt::ISODate).toStdString();
    EXPECT_EQ(calendar.FirstRequestedMonth(), std::make_pair(2024, 2));
    EXPECT_EQ(calendar.RequestedMonthCount(), 3);

    // March 2024: Sundays 3, 10, 17, 24, 31 and the 15th; bit k-1 for day k.
    const quint32 march = (1u << 2) | (1u << 9) | (1u << 14) | (1u << 16) | (1u << 23) | (1u << 30);
    EXPECT_EQ(calendar.DayStateMask(2024, 3), march);
    EXPECT_EQ(calendar.DayStateMask(2024, 5), 0u);
    EXPECT_TRUE(Bold(calendar, 2024, 3, 15));
    EXPECT_TRUE(Bold(calendar, 2024, 3, 31));
    EXPECT_TRUE(Bold(calendar, 2024, 2, 25)); // days of the neighbouring months in the grid
    EXPECT_FALSE(Bold(calendar, 2024, 3, 14));
}

TEST_F(MonthCalendarTest, AnotherMonthIsAskedForAndOldBoldDaysGo) {
    asked.clear();
    calendar.setCurrentPage(2024, 6);
    EXPECT_EQ(asked.size(), 31u + 30u + 31u);
    EXPECT_EQ(asked.begin()->first, QDate(2024, 5, 1));
    EXPECT_TRUE(Bold(calendar, 2024, 6, 15));
    EXPECT_FALSE(Bold(calendar, 2024, 3, 15));
    EXPECT_EQ(calendar.DayStateMask(2024, 3), 0u);

    // The owner's data changed: asked again; without a handler no day is bold.
    asked.clear();
    calendar.UpdateDayStates();
    EXPECT_EQ(asked.size(), 92u);
    calendar.SetOnGetDayState(nullptr);
    EXPECT_FALSE(Bold(calendar, 2024, 6, 15));
    EXPECT_EQ(calendar.DayStateMask(2024, 6), 0u);
}

TEST_F(MonthCalendarTest, OtherMarksOfADayStay) {
    QTextCharFormat red;
    red.setForeground(Qt::red);
    calendar.setDateTextFormat(QDate(2024, 3, 15), red);
    calendar.UpdateDayStates();
    EXPECT_TRUE(Bold(calendar, 2024, 3, 15));
    EXPECT_EQ(calendar.dateTextFormat(QDate(2024, 3, 15)).foreground().color(), QColor(Qt::red));
    calendar.SetOnGetDayState(nullptr);
    EXPECT_FALSE(Bold(calendar, 2024, 3, 15));
    EXPECT_EQ(calendar.dateTextFormat(QDate(2024, 3, 15)).foreground().color(), QColor(Qt::red));
}

TEST(MonthCalendar, FirstDayOfWeekFromTheRegionalSettingsAndMonthWidth) {
    {
        ScopedUserLocale english(QStringLiteral("en_US"));
        TvrnMonthCalendar calendar;
        EXPECT_EQ(calendar.firstDayOfWeek(), Qt::Sunday);
    }
    ScopedUserLocale german(QStringLiteral("de_DE"));
    TvrnMonthCalendar calendar;
    EXPECT_EQ(calendar.firstDayOfWeek(), Qt::Monday);
    EXPECT_EQ(calendar.locale().language(), QLocale::German);
    const int month = calendar.MonthWidth();
    ASSERT_GT(month, 0);
    EXPECT_EQ(calendar.RoundWidthToMonths(1), month);
    EXPECT_EQ(calendar.RoundWidthToMonths(month), month);
    EXPECT_EQ(calendar.RoundWidthToMonths(month + 1), 2 * month);
}
