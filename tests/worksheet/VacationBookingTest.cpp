// A vacation over a range of days: one all-day entry a day with the day's required time, or
// nothing at all when a day of the range cannot be loaded.

#include "worksheet/VacationBooking.h"
#include "../model/ModelTestSupport.h"
#include "foundation/DateTime.h"
#include "foundation/VRNException.h"
#include "model/ActivityLocator.h"
#include "model/Entry.h"
#include "model/EntryList.h"

#include <gtest/gtest.h>
#include <map>

namespace {

const double Friday = EncodeDate(2026, 3, 6);

class VacationBookingTest : public testing::Test {
protected:
    DayEntryListPtr Copy(double date) {
        if (missing == date)
            return nullptr;
        auto& list = days[date];
        if (!list)
            list = std::make_shared<TDayEntryList>(std::make_shared<TestActivityEntryProvider>(), date);
        return list;
    }
    TWorkingCopyOf WorkingCopy() {
        return [this](double date) { return Copy(date); };
    }
    static double Required(double date) {
        const int weekday = QDateFromDate(date).dayOfWeek();
        return weekday >= 6 ? 0.0 : 8 * OneHour;
    }
    ActivityLocatorPtr Vacation() {
        auto locator = std::make_shared<TActivityLocator>();
        locator->Load(TGUID::Constant("{AAAAAAAA-0000-0000-0000-000000000001}"), QString(), false,
                      QStringLiteral("Vacation"));
        return locator;
    }

    std::map<double, DayEntryListPtr> days;
    double missing = -1;
};

} // namespace

TEST_F(VacationBookingTest, FridayToMondayBooksEachDaysRequiredTime) {
    auto monday = Copy(Friday + 3);
    auto existing = std::dynamic_pointer_cast<IHXActivityEntry_>(monday->AddNew());
    existing->SetTime(8 * OneHour, 9 * OneHour);
    EXPECT_EQ(DaysWithEntries(WorkingCopy(), Friday, Friday + 3), 1);

    BookVacation(WorkingCopy(), Required, Friday, Friday + 3, Vacation());
    const double expected[] = {8 * OneHour, 0, 0, 8 * OneHour};
    for (int i = 0; i < 4; ++i) {
        const DayEntryListPtr list = days[Friday + i];
        ASSERT_EQ(list->Count(), i == 3 ? 2 : 1) << i;
        const auto entry = std::dynamic_pointer_cast<IHXActivityEntry_>(list->Items(list->Count() - 1));
        EXPECT_EQ(entry->StartTime(), 0.0);
        EXPECT_EQ(entry->EndTime(), 1.0);
        EXPECT_NEAR(entry->Duration(), expected[i], OneMillisecond) << i;
        EXPECT_EQ(entry->Locator()->Name(), QStringLiteral("Vacation"));
        EXPECT_TRUE(entry->IsProblem());
    }
    EXPECT_EQ(DaysWithEntries(WorkingCopy(), Friday, Friday + 3), 4);
}

TEST_F(VacationBookingTest, ADayThatCannotBeLoadedIsNamedAndNothingIsBooked) {
    missing = Friday + 2;
    try {
        BookVacation(WorkingCopy(), Required, Friday, Friday + 3, Vacation());
        FAIL() << "no error";
    } catch (const EVRNException& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("2026-03-08"))) << e.Message().toStdString();
    }
    for (const auto& [date, list] : days)
        EXPECT_EQ(list->Count(), 0) << DateToISO(date).toStdString();
}
