// The plausibility check of one day and the break rules.

#include "worksheet/PlausibilityCheck.h"
#include "../model/ModelTestSupport.h"
#include "foundation/DateTime.h"
#include "model/ActivityLocator.h"
#include "model/Entry.h"
#include "model/EntryList.h"

#include <gtest/gtest.h>

namespace {

struct TEntryDef {
    const char* name;
    int from, to, duration; // minutes of the day
    bool unconfirmed = true;
    bool isBreak = false;
};

/// A day with the entries; each entry's locator carries its name.
DayEntryListPtr Day(const std::vector<TEntryDef>& entries) {
    auto list = std::make_shared<TDayEntryList>(std::make_shared<TestActivityEntryProvider>(), EncodeDate(2026, 3, 2));
    for (const TEntryDef& def : entries) {
        auto entry = std::dynamic_pointer_cast<IHXActivityEntry_>(list->AddNew());
        entry->SetTime(def.from * OneMinute, def.to * OneMinute);
        entry->SetDuration(def.duration * OneMinute);
        entry->SetIsProblem(def.unconfirmed);
        std::dynamic_pointer_cast<TActivityLocator>(entry->Locator())
            ->Load(TGUID::Constant("{AAAAAAAA-0000-0000-0000-000000000001}"), QString(), def.isBreak,
                   QString::fromLatin1(def.name));
    }
    return list;
}

QString Names(const std::vector<ActivityEntryPtr>& entries) {
    QStringList names;
    for (const auto& entry : entries)
        names << entry->Locator()->Name();
    return names.join(QLatin1Char(','));
}

constexpr int H = 60;

} // namespace

TEST(PlausibilityCheck, ReportsLongEntriesAndOverfullGroupsWithAnUnconfirmedMember) {
    struct Case {
        const char* what;
        std::vector<TEntryDef> entries;
        const char* reported;
    };
    const Case cases[] = {
        {"an entry longer than its span", {{"A", 9 * H, 10 * H, 90}}, "A"},
        {"the same entry marked as correct", {{"A", 9 * H, 10 * H, 90, false}}, ""},
        {"an overlapping pair summing more than it covers",
         {{"A", 9 * H, 10 * H, 60, false}, {"B", 9 * H + 30, 10 * H + 30, 60}},
         "A,B"},
        {"an overlapping pair within what it covers",
         {{"A", 9 * H, 10 * H, 45}, {"B", 9 * H + 30, 10 * H + 30, 45}},
         ""},
        {"touching entries", {{"A", 9 * H, 10 * H, 60}, {"B", 10 * H, 11 * H, 60}}, ""},
        {"equal starts overlap", {{"A", 9 * H, 9 * H + 30, 30}, {"B", 9 * H, 9 * H + 20, 20}}, "A,B"},
        {"a group of confirmed entries only",
         {{"A", 9 * H, 10 * H, 60, false}, {"B", 9 * H + 30, 10 * H + 30, 60, false}},
         ""},
        {"A and B are found before C is considered",
         {{"A", 9 * H, 10 * H, 60}, {"B", 9 * H + 30, 9 * H + 45, 15}, {"C", 9 * H + 50, 11 * H, 70}},
         "A,B"},
        {"a group reached through a member that overlaps only the second",
         {{"A", 8 * H, 9 * H, 60, false}, {"B", 8 * H + 50, 10 * H, 60}, {"C", 9 * H + 30, 10 * H, 30}},
         "A,B,C"},
    };
    for (const Case& c : cases) {
        std::vector<ActivityEntryPtr> problems{nullptr};
        const bool found = CheckDayPlausibility(*Day(c.entries), problems);
        EXPECT_EQ(found, *c.reported != 0) << c.what;
        EXPECT_EQ(Names(problems), QString::fromLatin1(c.reported)) << c.what;
    }
}

// Fourteen entries that do not overlap each other and an all-day vacation entry: every group of
// the vacation entry with some of the others is within the day, so the search must look at all of
// them; remembering the sets searched without a find keeps that to one visit each. Cancel stops it.
TEST(PlausibilityCheck, ManyEntriesUnderAnAllDayEntryAreCheckedAndCanBeCancelled) {
    std::vector<TEntryDef> entries;
    for (int i = 0; i < 14; ++i)
        entries.push_back({"E", 6 * H + i * H, 6 * H + i * H + 30, 30});
    entries.push_back({"V", 0, 24 * H, 8 * H});
    const DayEntryListPtr day = Day(entries);
    std::vector<ActivityEntryPtr> problems;
    int asked = 0;
    EXPECT_FALSE(CheckDayPlausibility(*day, problems, [&] {
        ++asked;
        return false;
    }));
    EXPECT_TRUE(problems.empty());
    EXPECT_LT(asked, 2000) << "the search visits each set of members once";

    asked = 0;
    CheckDayPlausibility(*day, problems, [&] { return ++asked >= 1; });
    EXPECT_EQ(asked, 1) << "the first answer 'cancelled' ends the search";
}

TEST(PlausibilityCheck, BreakRulesCompareWorkAndBreaks) {
    const std::vector<TBreakRule> rules = {{9 * H * OneMinute, 45 * OneMinute}, {6 * H * OneMinute, 30 * OneMinute}};
    struct Case {
        int work, breaks, rule;
    };
    const Case cases[] = {
        {6 * H, 0, -1},      // exactly six hours need no break
        {6 * H + 1, 29, 1},  // just over six hours with too short a break
        {7 * H, 30, -1},     // enough
        {9 * H + 30, 30, 0}, // over nine hours: 45 minutes
        {10 * H, 45, -1},
    };
    for (const Case& c : cases) {
        const DayEntryListPtr day =
            Day({{"W", 0, c.work, c.work}, {"P", c.work, c.work + c.breaks, c.breaks, true, true}});
        double work = 0;
        double breaks = 0;
        EXPECT_EQ(BrokenBreakRule(*day, rules, work, breaks), c.rule) << c.work << " " << c.breaks;
        EXPECT_NEAR(work, c.work * OneMinute, OneMillisecond);
        EXPECT_NEAR(breaks, c.breaks * OneMinute, OneMillisecond);
    }
}
