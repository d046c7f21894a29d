// The worksheet's working copies: loading, days that cannot be loaded, and saving that touches
// the stored days only when every one of them could be fetched.

#include "worksheet/WorkingDays.h"
#include "../model/ModelTestSupport.h"
#include "foundation/DateTime.h"
#include "foundation/VRNException.h"
#include "model/Entry.h"
#include "model/EntryList.h"
#include "storage/StorageInterfaces.h"

#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

const double Day1 = EncodeDate(2026, 3, 2);
const double Day2 = EncodeDate(2026, 3, 3);

/// Day lists by date; dates can be made to fail with a cancel or another error.
class FakeTypedStorage : public IHXTypedStorage_ {
public:
    void Save() override {}
    SearchResultPtr SearchEntries(double, double) override { return nullptr; }
    DayEntryListPtr GetDayEntries(double date) override {
        ++requests[static_cast<int>(date)];
        if (cancelled.count(static_cast<int>(date)))
            throw EUserCancel(QStringLiteral("cancelled"));
        if (failing.count(static_cast<int>(date)))
            throw EVRNException(QStringLiteral("damaged"));
        auto& list = lists[static_cast<int>(date)];
        if (!list)
            list = std::make_shared<TDayEntryList>(std::make_shared<TestActivityEntryProvider>(), date);
        return list;
    }
    void GetExistingMinDate(double&, bool& found) override { found = false; }
    void GetExistingMaxDate(double&, bool& found) override { found = false; }
    void GetExistingMinMaxDate(double&, double&, bool& found) override { found = false; }
    void ClearCache() override {}

    std::map<int, DayEntryListPtr> lists;
    std::map<int, int> requests;
    std::set<int> cancelled;
    std::set<int> failing;
};

void AddEntry(const DayEntryListPtr& list, int fromHour, int toHour) {
    auto entry = std::dynamic_pointer_cast<IHXActivityEntry_>(list->AddNew());
    entry->SetTime(EncodeTime(fromHour, 0, 0, 0), EncodeTime(toHour, 0, 0, 0));
    entry->CalculateDuration();
}

} // namespace

TEST(WorkingDays, ACopyIsTakenOnceAndChangesStayInItUntilSaved) {
    auto storage = std::make_shared<FakeTypedStorage>();
    AddEntry(storage->GetDayEntries(Day1), 8, 9);
    storage->lists[static_cast<int>(Day1)]->SetChanged(false);
    TWorkingDays days(storage);

    const DayEntryListPtr copy = days.Get(Day1 + 0.5);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, storage->lists[static_cast<int>(Day1)]);
    EXPECT_EQ(days.Get(Day1), copy);
    AddEntry(copy, 9, 10);
    EXPECT_EQ(storage->lists[static_cast<int>(Day1)]->Count(), 1);
    EXPECT_EQ(days.ModifiedCount(), 1);

    int saves = 0;
    days.Save([&] { ++saves; });
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(storage->lists[static_cast<int>(Day1)]->Count(), 2);
    EXPECT_EQ(days.Loaded(Day1), nullptr) << "the set is cleared after saving";
}

TEST(WorkingDays, ACancelledDayStaysUnavailableAndAFailedDayIsTriedAgain) {
    auto storage = std::make_shared<FakeTypedStorage>();
    storage->cancelled.insert(static_cast<int>(Day1));
    storage->failing.insert(static_cast<int>(Day2));
    TWorkingDays days(storage);

    EXPECT_EQ(days.Get(Day1), nullptr);
    EXPECT_EQ(days.Get(Day1), nullptr);
    EXPECT_TRUE(days.IsDead(Day1));
    EXPECT_EQ(storage->requests[static_cast<int>(Day1)], 1);

    EXPECT_EQ(days.Get(Day2), nullptr);
    EXPECT_FALSE(days.IsDead(Day2));
    storage->failing.clear();
    EXPECT_NE(days.Get(Day2), nullptr);
    EXPECT_EQ(storage->requests[static_cast<int>(Day2)], 2);

    days.Clear();
    storage->cancelled.clear();
    EXPECT_NE(days.Get(Day1), nullptr) << "clearing forgets the cancelled days";
}

// A day that cannot be fetched while saving leaves every stored day as it was, and the working
// copies stay for another try.
TEST(WorkingDays, SavingChangesNoStoredDayWhenALaterDayCannotBeFetched) {
    for (const bool cancel : {true, false}) {
        auto storage = std::make_shared<FakeTypedStorage>();
        TWorkingDays days(storage);
        AddEntry(days.Get(Day1), 8, 9);
        AddEntry(days.Get(Day2), 8, 9);
        (cancel ? storage->cancelled : storage->failing).insert(static_cast<int>(Day2));
        int saves = 0;
        if (cancel)
            EXPECT_THROW(days.Save([&] { ++saves; }), EUserCancel);
        else
            EXPECT_THROW(days.Save([&] { ++saves; }), EVRNException);
        EXPECT_EQ(saves, 0);
        EXPECT_EQ(storage->lists[static_cast<int>(Day1)]->Count(), 0) << "cancel " << cancel;
        EXPECT_EQ(days.ModifiedCount(), 2);

        (cancel ? storage->cancelled : storage->failing).clear();
        days.Save([&] { ++saves; });
        EXPECT_EQ(storage->lists[static_cast<int>(Day1)]->Count(), 1);
        EXPECT_EQ(storage->lists[static_cast<int>(Day2)]->Count(), 1);
    }
}
