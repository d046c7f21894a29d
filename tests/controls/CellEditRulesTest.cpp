#include "controls/CellEditRules.h"
#include "foundation/DateTime.h"
#include "model/Entry.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

double T(int h, int m) {
    return EncodeTVRNTime(h, m, 0, 0);
}

std::shared_ptr<TActivityEntry> Entry(double start, double end) {
    auto entry = std::make_shared<TActivityEntry>();
    entry->SetTime(start, end);
    entry->CalculateDuration();
    entry->SetIsProblem(false);
    return entry;
}

std::string Describe(const IHXActivityEntry_& entry) {
    return (TimeOfDayToISO(entry.StartTime()) + "-" + TimeOfDayToISO(entry.EndTime()) + " " +
            QString::number(DurationTotalMinutes(entry.Duration())) + " min")
        .toStdString();
}

} // namespace

// Keystrokes typed into one cell (one editing session) and the entry afterwards.
TEST(CellEditRules, TypedValuesAgainstTheBoundRememberedWhenEditingBegan) {
    struct Case {
        TCellColumn column;
        std::vector<double> typed;
        double start, end;
        int minutes;
    };
    const Case cases[] = {
        {TCellColumn::Start, {T(11, 0)}, T(11, 0), T(11, 0), 0},
        {TCellColumn::Start, {T(11, 0), T(9, 30)}, T(9, 30), T(10, 0), 30},
        {TCellColumn::Start, {T(8, 0)}, T(8, 0), T(10, 0), 120},
        {TCellColumn::Start, {T(10, 0)}, T(10, 0), T(10, 0), 0},
        {TCellColumn::Start, {1.0}, 1.0, 1.0, 0},
        {TCellColumn::End, {T(8, 0)}, T(8, 0), T(8, 0), 0},
        {TCellColumn::End, {T(12, 0)}, T(9, 0), T(12, 0), 180},
        {TCellColumn::End, {T(8, 0), T(12, 0)}, T(9, 0), T(12, 0), 180},
        {TCellColumn::End, {T(0, 0), T(9, 15)}, T(9, 0), T(9, 15), 15},
        {TCellColumn::Duration, {T(0, 30)}, T(9, 0), T(10, 0), 30},
        {TCellColumn::Duration, {T(0, 30), EncodeDurationHours(3, 0, 0, 0)}, T(9, 0), T(10, 0), 180},
    };
    for (const Case& c : cases) {
        auto entry = Entry(T(9, 0), T(10, 0));
        TCellEditRow row{entry, nullptr};
        TRememberedBound bound;
        for (double typed : c.typed)
            EXPECT_EQ(ApplyCellChange(c.column, typed, row, bound), entry);
        const std::string what = "column " + std::to_string(int(c.column)) + " typed " +
                                 std::to_string(c.typed.size()) + " values: " + Describe(*entry);
        EXPECT_TRUE(TimesEqual(entry->StartTime(), c.start)) << what;
        EXPECT_TRUE(TimesEqual(entry->EndTime(), c.end)) << what;
        EXPECT_EQ(DurationTotalMinutes(entry->Duration()), c.minutes) << what;
        EXPECT_TRUE(entry->IsProblem()) << what; // every edit makes the entry unconfirmed again
    }
}

TEST(CellEditRules, ANewEditingSessionRemembersTheBoundAnew) {
    auto entry = Entry(T(9, 0), T(10, 0));
    TRememberedBound end;
    ApplyTypedStart(*entry, T(11, 0), end); // 11:00-11:00
    end.Forget();                           // the editor was hidden: the next session begins
    ApplyTypedStart(*entry, T(9, 30), end);
    EXPECT_EQ(Describe(*entry), "09:30:00-11:00:00 90 min");
    EXPECT_TRUE(end.Remembered());
}

TEST(CellEditRules, TypingIntoTheNewLineRowCreatesTheEntryFirst) {
    auto above = Entry(T(10, 0), T(11, 0));
    std::shared_ptr<TActivityEntry> created;
    int requests = 0;
    TCellEditRow row{nullptr, [&]() -> ActivityEntryPtr {
                         ++requests;
                         created = std::make_shared<TActivityEntry>();
                         InitNewLineEntry(*created, above.get());
                         return created;
                     }};
    EXPECT_EQ(Describe(*above), "10:00:00-11:00:00 60 min");
    TRememberedBound bound;
    EXPECT_EQ(ApplyCellChange(TCellColumn::Start, T(11, 30), row, bound), created);
    EXPECT_EQ(Describe(*created), "11:30:00-12:00:00 30 min");
    ApplyCellChange(TCellColumn::Start, T(11, 15), row, bound);
    EXPECT_EQ(requests, 1); // the row holds the new entry now
    EXPECT_EQ(Describe(*created), "11:15:00-12:00:00 45 min");

    // No entry and no new line: nothing is written.
    TCellEditRow empty{nullptr, [] { return ActivityEntryPtr(); }};
    TRememberedBound other;
    EXPECT_EQ(ApplyCellChange(TCellColumn::End, T(9, 0), empty, other), nullptr);
    EXPECT_FALSE(other.Remembered());
    EXPECT_THROW(ApplyCellChange(TCellColumn::Activity, 0, row, bound), EMustNotHappen);
}

TEST(CellEditRules, NewLineEntriesAndTheValuesTheEditorsShow) {
    auto entry = Entry(T(13, 0), T(14, 30));
    entry->SetDuration(T(1, 0));
    auto late = Entry(T(23, 0), T(23, 30));

    EXPECT_EQ(CellStartValue(entry.get(), late.get()), entry->StartTime());
    EXPECT_EQ(CellEndValue(entry.get(), nullptr), entry->EndTime());
    EXPECT_EQ(CellDurationValue(entry.get()), T(1, 0));
    EXPECT_EQ(CellStartValue(nullptr, entry.get()), T(14, 30)); // new-line row below an entry
    EXPECT_EQ(CellEndValue(nullptr, entry.get()), T(14, 30));
    EXPECT_TRUE(TimesEqual(CellStartValue(nullptr, nullptr), T(8, 0)));
    EXPECT_TRUE(TimesEqual(CellEndValue(nullptr, nullptr), T(9, 0)));
    EXPECT_TRUE(TimesEqual(CellDurationValue(nullptr), T(1, 0)));

    TActivityEntry first;
    InitNewLineEntry(first, nullptr);
    EXPECT_EQ(Describe(first), "08:00:00-09:00:00 60 min");
    TActivityEntry last;
    InitNewLineEntry(last, late.get()); // one hour at most up to the end of the day
    EXPECT_EQ(Describe(last), "23:30:00-24:00:00 30 min");
}
