#include "ModelTestSupport.h"

#include "foundation/DateTime.h"
#include "model/ActivityBooker.h"
#include "model/ActivityLocator.h"
#include "model/EntryList.h"
#include "model/PropertyList.h"

#include <gtest/gtest.h>
#include <map>
#include <optional>

namespace {

double T(int hours, int minutes = 0) {
    return (hours * 60 + minutes) / 1440.0;
}

const double Day = EncodeDate(2006, 3, 14);
const TGUID MeetingId = TGUID::Constant("{B40C0736-B5B4-446E-AA59-50EDA798BF1E}");
const TGUID LunchId = TGUID::Constant("{DE0F0C40-C4F7-4C6D-A027-AA3F05BC94D0}");

/// Day lists kept in memory, as the storage hands them out.
class MemoryStorage : public IHXDayEntryStorage {
public:
    void Save() override { ++saves; }
    DayEntryListPtr GetDayEntries(const TGUID& entryTypeId, double date) override {
        EXPECT_EQ(entryTypeId, ActivityEntryTypeID);
        if (failOn && date == *failOn)
            throw EUserCancel(QStringLiteral("TStorageRoot._GetDayEntries"));
        auto& list = lists[date];
        if (!list)
            list = std::make_shared<TDayEntryList>(std::make_shared<TestActivityEntryProvider>(), date);
        return list;
    }
    std::shared_ptr<TDayEntryList> List(double date) {
        return std::dynamic_pointer_cast<TDayEntryList>(GetDayEntries(ActivityEntryTypeID, date));
    }
    ActivityEntryPtr Entry(double date, int index) {
        return std::dynamic_pointer_cast<IHXActivityEntry_>(List(date)->Items(index));
    }

    std::map<double, DayEntryListPtr> lists;
    int saves = 0;
    std::optional<double> failOn;
};

ActivityLocatorPtr Locator(const TGUID& id, bool isBreak = false) {
    auto values = std::make_shared<TPropertyList>(30, 1);
    values->Items("id")->SetAsGUID(id);
    values->Items("break")->SetAsBoolean(isBreak);
    auto locator = std::make_shared<TActivityLocator>();
    locator->LoadFromPropertyList(values);
    return locator;
}

constexpr double Ms = 1.0 / 86400000.0;

} // namespace

TEST(ActivityBooker, MeetingWithALunchInterruptionSharesThePeriod) {
    MemoryStorage storage;
    TActivityBooker booker;
    booker.SetFrom(Day + T(9));
    booker.SetTo(Day + T(10, 45));
    booker.AddItem(Locator(MeetingId), T(1, 45));
    booker.AddInterruption(Locator(LunchId, true), T(0, 30));
    booker.Book(storage);

    EXPECT_EQ(storage.saves, 1);
    ASSERT_EQ(storage.List(Day)->Count(), 2);
    auto meeting = storage.Entry(Day, 0);
    auto lunch = storage.Entry(Day, 1);
    for (const auto& entry : {meeting, lunch}) {
        EXPECT_NEAR(entry->StartTime(), T(9), Ms);
        EXPECT_NEAR(entry->EndTime(), T(10, 45), Ms);
        EXPECT_EQ(entry->Date(), Day);
        EXPECT_TRUE(entry->IsProblem());
    }
    EXPECT_EQ(meeting->Locator()->ID(), MeetingId);
    EXPECT_NEAR(meeting->Duration(), T(1, 15), Ms);
    EXPECT_EQ(lunch->Locator()->ID(), LunchId);
    EXPECT_TRUE(lunch->Locator()->IsBreak());
    EXPECT_NEAR(lunch->Duration(), T(0, 30), Ms);
}

TEST(ActivityBooker, PeriodAcrossMidnightIsSplitOntoBothDays) {
    MemoryStorage storage;
    TActivityBooker booker;
    booker.SetFrom(Day + T(23));
    booker.SetTo(Day + 1 + T(0, 45));
    booker.AddItem(Locator(MeetingId), T(1, 15));
    booker.AddInterruption(Locator(LunchId, true), T(0, 30));
    booker.Book(storage);

    ASSERT_EQ(storage.List(Day)->Count(), 2);
    ASSERT_EQ(storage.List(Day + 1)->Count(), 2);
    EXPECT_NEAR(storage.Entry(Day, 0)->StartTime(), T(23), Ms);
    EXPECT_EQ(storage.Entry(Day, 0)->EndTime(), 1.0);
    EXPECT_EQ(storage.Entry(Day + 1, 0)->StartTime(), 0.0);
    EXPECT_NEAR(storage.Entry(Day + 1, 0)->EndTime(), T(0, 45), Ms);
    // Meeting has 45 of the 105 minutes, so it gets that share of the first day's 60 minutes.
    EXPECT_NEAR(storage.Entry(Day, 0)->Duration(), T(1) * 45.0 / 105.0, Ms);
    EXPECT_NEAR(storage.Entry(Day, 0)->Duration() + storage.Entry(Day + 1, 0)->Duration(), T(0, 45), 1e-12);
    EXPECT_NEAR(storage.Entry(Day, 1)->Duration() + storage.Entry(Day + 1, 1)->Duration(), T(0, 30), 1e-12);
}

TEST(ActivityBooker, ThreeDaysCarryTheSharesAndTheLastDayTheRemainder) {
    MemoryStorage storage;
    TActivityBooker booker;
    booker.SetFrom(Day + T(22));
    booker.SetTo(Day + 2 + T(2));
    booker.AddItem(Locator(MeetingId), T(20));
    booker.AddItem(Locator(LunchId, true), T(6));
    booker.Book(storage);

    const double first[] = {T(2) * 20 / 28, T(24) * 20 / 28};
    EXPECT_NEAR(storage.Entry(Day, 0)->Duration(), first[0], 1e-9);
    EXPECT_NEAR(storage.Entry(Day + 1, 0)->Duration(), first[1], 1e-9);
    EXPECT_NEAR(storage.Entry(Day + 2, 0)->Duration(), T(20) - first[0] - first[1], 1e-9);
    EXPECT_DOUBLE_EQ(storage.Entry(Day, 0)->Duration() + storage.Entry(Day + 1, 0)->Duration() +
                         storage.Entry(Day + 2, 0)->Duration(),
                     T(20));
    EXPECT_EQ(storage.Entry(Day + 1, 1)->StartTime(), 0.0);
    EXPECT_EQ(storage.Entry(Day + 1, 1)->EndTime(), 1.0);
    EXPECT_NEAR(storage.Entry(Day + 2, 1)->EndTime(), T(2), Ms);
    EXPECT_EQ(storage.saves, 1);
}

TEST(ActivityBooker, PeriodEndingAtMidnightStaysOnItsDay) {
    MemoryStorage storage;
    TActivityBooker booker;
    booker.SetFrom(Day + T(22));
    booker.SetTo(Day + 1);
    booker.AddItem(Locator(MeetingId), T(2));
    booker.Book(storage);
    ASSERT_EQ(storage.List(Day)->Count(), 1);
    EXPECT_EQ(storage.Entry(Day, 0)->EndTime(), 1.0);
    EXPECT_EQ(storage.lists.count(Day + 1), 0u);
}

TEST(ActivityBooker, BookingThatContinuesAnEqualEntryIsJoined) {
    MemoryStorage storage;
    auto earlier = std::dynamic_pointer_cast<IHXActivityEntry_>(storage.List(Day)->AddNew());
    earlier->SetTime(T(8), T(9));
    earlier->SetDuration(T(1));
    earlier->Locator()->Assign(Locator(MeetingId));

    TActivityBooker booker;
    booker.SetFrom(Day + T(9));
    booker.SetTo(Day + T(10));
    booker.AddItem(Locator(MeetingId), T(1));
    booker.Book(storage);
    ASSERT_EQ(storage.List(Day)->Count(), 1);
    EXPECT_NEAR(storage.Entry(Day, 0)->StartTime(), T(8), Ms);
    EXPECT_NEAR(storage.Entry(Day, 0)->EndTime(), T(10), Ms);
    EXPECT_NEAR(storage.Entry(Day, 0)->Duration(), T(2), Ms);
}

TEST(ActivityBooker, PlannedBreakIsBookedAsAnInterruptionOnEveryDay) {
    // The tracking manager recognised the 45-minute lunch break in a period of two days' worth.
    MemoryStorage storage;
    TActivityBooker booker;
    booker.SetFrom(Day + T(11));
    booker.SetTo(Day + 1 + T(13));
    booker.AddItem(Locator(MeetingId), T(26));
    booker.AddInterruption(Locator(LunchId, true), T(0, 45));
    booker.Book(storage);
    double lunch = 0, meeting = 0;
    for (double date : {Day, Day + 1}) {
        ASSERT_EQ(storage.List(date)->Count(), 2);
        meeting += storage.Entry(date, 0)->Duration();
        lunch += storage.Entry(date, 1)->Duration();
    }
    EXPECT_NEAR(lunch, T(0, 45), 1e-12);
    EXPECT_NEAR(meeting, T(25, 15), 1e-12);
}

TEST(ActivityBooker, RefusedBookingsWriteNothing) {
    MemoryStorage storage;
    {
        TActivityBooker booker;
        booker.SetFrom(Day + T(10));
        booker.SetTo(Day + T(9));
        booker.AddItem(Locator(MeetingId), T(1));
        EXPECT_THROW(booker.Book(storage), EActivityBookerError);
    }
    {
        TActivityBooker booker;
        booker.SetFrom(Day + T(9));
        booker.SetTo(Day + T(10));
        EXPECT_THROW(booker.AddInterruption(Locator(LunchId), T(0, 10)), EActivityBookerError);
        booker.AddItem(Locator(MeetingId), T(1));
        EXPECT_THROW(booker.AddInterruption(Locator(LunchId), T(1, 1)), EActivityBookerError);
        EXPECT_EQ(booker.Items().Count(), 1);
        EXPECT_NEAR(booker.Items().Items(0)->Duration(), T(1), Ms);
        booker.Items().Items(0)->SetDuration(-T(1));
        EXPECT_THROW(booker.Book(storage), EActivityBookerError);
    }
    {
        // The storage fails on the second day: the first day stays as it was.
        TActivityBooker booker;
        booker.SetFrom(Day + T(23));
        booker.SetTo(Day + 1 + T(1));
        booker.AddItem(Locator(MeetingId), T(2));
        storage.failOn = Day + 1;
        EXPECT_THROW(booker.Book(storage), EUserCancel);
        storage.failOn.reset();
    }
    for (const auto& [date, list] : storage.lists)
        EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(storage.saves, 0);
}

TEST(ActivityBooker, PeriodWithoutLengthBooksTheDurationsWithoutNaN) {
    MemoryStorage storage;
    TActivityBooker booker;
    booker.SetFrom(Day + T(9));
    booker.SetTo(Day + T(9));
    booker.AddItem(Locator(MeetingId), T(0, 5));
    booker.Book(storage);
    ASSERT_EQ(storage.List(Day)->Count(), 1);
    EXPECT_NEAR(storage.Entry(Day, 0)->Duration(), T(0, 5), Ms);
    EXPECT_EQ(booker.Items().Items(0)->Share(), 0.0);
}

TEST(ActivityBooker, ItemOfDurationZeroLeavesNoEntry) {
    // The entries of a booking are joined on every day after adding; an entry of no length and no
    // duration is dropped there, so an item of duration 0 leaves nothing behind.
    MemoryStorage storage;
    TActivityBooker booker;
    booker.SetFrom(Day + T(9));
    booker.SetTo(Day + T(10));
    booker.AddItem(Locator(MeetingId), T(1));
    booker.AddItem(Locator(LunchId), 0);
    booker.Book(storage);
    ASSERT_EQ(storage.List(Day)->Count(), 1);
    EXPECT_EQ(storage.Entry(Day, 0)->Locator()->ID(), MeetingId);
    EXPECT_NEAR(storage.Entry(Day, 0)->Duration(), T(1), Ms);
}
