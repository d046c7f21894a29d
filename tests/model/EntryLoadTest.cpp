// An entry reads a list of its own kind (names folded a to z, the form files are read into)
// without copying date and times first, and any other list through a full copy. Both ways must
// give the same entry, the same kept properties and the same refusals.

#include "ModelTestSupport.h"

#include "foundation/DateTime.h"
#include "foundation/VRNException.h"
#include "model/ActivityLocator.h"
#include "model/Entry.h"
#include "model/PropertyList.h"

#include <functional>
#include <gtest/gtest.h>
#include <typeinfo>

namespace {

const double Day = EncodeDate(2011, 5, 20);

double T(int hours, int minutes = 0) {
    return (hours * 60 + minutes) / 1440.0;
}

using Fill = std::function<void(TPropertyList&)>;

void Times(TPropertyList& list, double start, double end) {
    list.Items("date")->SetAsDate(Day);
    list.Items("starttime")->SetAsTime(start);
    list.Items("endtime")->SetAsTime(end);
}

struct Case {
    const char* name;
    Fill fill;
};

const Case Cases[] = {
    {"complete",
     [](TPropertyList& l) {
         Times(l, T(8), T(9, 30));
         l.Items("duration")->SetAsDuration(T(1));
         l.Items("isproblem")->SetAsBoolean(false);
         auto locator = l.Items("activitylocator")->AsPropertyList();
         locator->Items("id")->SetAsGUID(IdA);
         locator->Items("path")->SetAsString(GUIDToWideString(IdM) + "/");
         locator->Items("name")->SetAsString("Writing");
         locator->Items("break")->SetAsBoolean(true);
         l.Items("addin note")->SetAsString("keep me");
         l.Items("dates")->SetAsInteger(7);
         l.Items("addin nested")->AsPropertyList()->Items("x")->SetAsDouble(1.5);
     }},
    {"names in other letter case",
     [](TPropertyList& l) {
         l.Items("Date")->SetAsDate(Day);
         l.Items("STARTTIME")->SetAsTime(T(10));
         l.Items("EndTime")->SetAsTime(T(11));
         l.Items("Duration")->SetAsDuration(T(0, 45));
     }},
    {"date and times as date-times",
     [](TPropertyList& l) {
         l.Items("date")->SetAsDateTime(Day + T(13));
         l.Items("starttime")->SetAsDateTime(T(13));
         l.Items("endtime")->SetAsDateTime(T(14));
     }},
    {"only the required values", [](TPropertyList& l) { Times(l, T(0), T(0)); }},
    {"date missing",
     [](TPropertyList& l) {
         l.Items("starttime")->SetAsTime(T(1));
         l.Items("endtime")->SetAsTime(T(2));
     }},
    {"end time missing",
     [](TPropertyList& l) {
         l.Items("date")->SetAsDate(Day);
         l.Items("starttime")->SetAsTime(T(1));
     }},
    {"date as text",
     [](TPropertyList& l) {
         Times(l, T(1), T(2));
         l.Items("date")->SetAsString("2011-05-20");
     }},
    {"start as an integer",
     [](TPropertyList& l) {
         Times(l, T(1), T(2));
         l.Items("starttime")->SetAsInteger(1);
     }},
    {"start after end", [](TPropertyList& l) { Times(l, T(11), T(10)); }},
    {"bad locator id",
     [](TPropertyList& l) {
         Times(l, T(1), T(2));
         l.Items("activitylocator")->AsPropertyList()->Items("id")->SetAsString("abc");
     }},
};

/// What loading gave: the refusal, or the entry's values and kept properties.
struct Outcome {
    QString error;
    double date = 0, start = 0, end = 0, duration = 0;
    bool isProblem = false, changed = false;
    TGUID id;
    QString path, name;
    bool isBreak = false;
    QStringList keptNames;
    std::shared_ptr<IHXPropertyList_> kept;
};

Outcome Load(const std::shared_ptr<TPropertyList>& values) {
    Outcome outcome;
    TActivityEntry entry;
    try {
        entry.LoadFromPropertyList(values);
    } catch (const std::exception& e) {
        outcome.error = QString::fromLatin1(typeid(e).name()) + ": " + GetExceptionMessage(e);
        return outcome;
    }
    outcome.date = entry.Date();
    outcome.start = entry.StartTime();
    outcome.end = entry.EndTime();
    outcome.duration = entry.Duration();
    outcome.isProblem = entry.IsProblem();
    outcome.changed = entry.Changed();
    outcome.id = entry.Locator()->ID();
    outcome.path = entry.Locator()->Path();
    outcome.name = entry.Locator()->Name();
    outcome.isBreak = entry.Locator()->IsBreak();
    outcome.kept = entry.AdditionalProperties();
    for (outcome.kept->First(); !outcome.kept->EndOfList(); outcome.kept->Next())
        outcome.keptNames << outcome.kept->CurrentName();
    return outcome;
}

TEST(EntryLoad, OwnKindOfListAndAnyOtherListGiveTheSameEntry) {
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.name);
        auto folded = std::make_shared<TPropertyList>(30, 1);
        auto exact = std::make_shared<TPropertyList>(30, 0);
        c.fill(*folded);
        c.fill(*exact);
        auto before = std::make_shared<TPropertyList>(30, 1);
        before->Assign(folded);

        const Outcome fast = Load(folded);
        const Outcome copied = Load(exact);
        EXPECT_TRUE(folded->Equals(before)) << "the caller's list is not changed";
        EXPECT_EQ(folded->Count(), before->Count());
        EXPECT_EQ(fast.error, copied.error);
        if (!fast.error.isEmpty() || !copied.error.isEmpty())
            continue;
        EXPECT_EQ(fast.date, copied.date);
        EXPECT_EQ(fast.start, copied.start);
        EXPECT_EQ(fast.end, copied.end);
        EXPECT_EQ(fast.duration, copied.duration);
        EXPECT_EQ(fast.isProblem, copied.isProblem);
        EXPECT_EQ(fast.changed, copied.changed);
        EXPECT_EQ(fast.id, copied.id);
        EXPECT_EQ(fast.path, copied.path);
        EXPECT_EQ(fast.name, copied.name);
        EXPECT_EQ(fast.isBreak, copied.isBreak);
        EXPECT_EQ(fast.keptNames, copied.keptNames);
        EXPECT_TRUE(fast.kept->Equals(copied.kept));
        EXPECT_EQ(fast.kept->Changed(), copied.kept->Changed());
        EXPECT_NE(fast.kept.get(), static_cast<IHXPropertyList_*>(folded.get())) << "the entry keeps its own list";
    }
}

TEST(EntryLoad, KeptPropertiesAreIndependentOfTheCallersList) {
    auto values = std::make_shared<TPropertyList>(30, 1);
    Cases[0].fill(*values);
    TActivityEntry entry;
    entry.LoadFromPropertyList(values);
    values->Items("addin note")->SetAsString("changed");
    values->Items("addin nested")->AsPropertyList()->Items("x")->SetAsDouble(2.5);
    EXPECT_EQ(entry.AdditionalProperties()->Items("addin note")->AsString(), "keep me");
    EXPECT_EQ(entry.AdditionalProperties()->Items("addin nested")->AsPropertyList()->Items("x")->AsDouble(), 1.5);
    EXPECT_EQ(entry.AdditionalProperties()->Find("date"), nullptr);
    EXPECT_EQ(entry.AdditionalProperties()->Find("dates")->AsInteger(), 7);
}

} // namespace
