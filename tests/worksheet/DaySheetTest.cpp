// The rules of the worksheet's day view: row order, worked time, highlighted days and shortened
// activity paths.

#include "worksheet/DaySheet.h"
#include "foundation/DateTime.h"
#include "foundation/VRNException.h"
#include "model/ActivityLocator.h"
#include "model/Entry.h"

#include "../model/ModelTestSupport.h"
#include "model/EntryList.h"

#include <gtest/gtest.h>

namespace {

std::shared_ptr<TActivityEntry> Entry(int fromMinute, int toMinute, int duration, const QString& path = {}) {
    auto entry = std::make_shared<TActivityEntry>();
    entry->SetTime(fromMinute * OneMinute, toMinute * OneMinute);
    entry->SetDuration(duration * OneMinute);
    entry->AdditionalProperties(); // an entry as the storage gives it
    if (!path.isEmpty())
        std::dynamic_pointer_cast<TActivityLocator>(entry->Locator())
            ->Load(TGUID::Constant("{AAAAAAAA-0000-0000-0000-000000000001}"), QString(), false, path);
    return entry;
}

QString PathOf(const IHXActivityEntry_& entry) {
    return entry.Locator()->Name();
}

std::vector<int> Starts(const std::vector<ActivityEntryPtr>& rows) {
    std::vector<int> starts;
    for (const auto& row : rows)
        starts.push_back(static_cast<int>(std::lround(row->StartTime() / OneMinute)));
    return starts;
}

} // namespace

TEST(DaySheet, SortingMovesOnlyRowsOutOfOrderAndKeepsEqualKeysInPlace) {
    // Rows named by their start; equal durations and equal (case-folded) names keep their order.
    const std::vector<ActivityEntryPtr> rows = {
        Entry(600, 660, 30, QStringLiteral("beta")), Entry(480, 540, 60, QStringLiteral("Alpha")),
        Entry(540, 600, 30, QStringLiteral("alpha")), Entry(480, 490, 10, QStringLiteral("Gamma"))};
    struct Case {
        int column;
        bool ascending;
        std::vector<int> starts;
    };
    const Case cases[] = {
        {0, true, {480, 480, 540, 600}},  // equal starts keep their order
        {0, false, {600, 540, 480, 480}}, // descending keeps equal starts in order too
        {1, true, {480, 480, 540, 600}},  // by end: 490, 540, 600, 660
        {2, true, {480, 540, 600, 480}},  // "Alpha" and "alpha" stay in list order
        {3, true, {480, 600, 540, 480}},  // 10, 30, 30, 60: the two 30s stay in list order
        {3, false, {480, 600, 540, 480}}, // 60, 30, 30, 10
    };
    for (const Case& c : cases) {
        std::vector<ActivityEntryPtr> sorted = rows;
        SortRows(sorted, c.column, c.ascending, PathOf);
        EXPECT_EQ(Starts(sorted), c.starts) << "column " << c.column << " ascending " << c.ascending;
    }
    std::vector<ActivityEntryPtr> sorted = rows;
    EXPECT_THROW(SortRows(sorted, 4, true, PathOf), EVRNException);
}

TEST(DaySheet, WorkedTimeLeavesBreaksOut) {
    auto list = std::make_shared<TDayEntryList>(std::make_shared<TestActivityEntryProvider>(), EncodeDate(2026, 3, 2));
    auto work = std::dynamic_pointer_cast<IHXActivityEntry_>(list->AddNew());
    work->SetTime(8 * OneHour, 12 * OneHour);
    work->SetDuration(4 * OneHour);
    auto lunch = std::dynamic_pointer_cast<IHXActivityEntry_>(list->AddNew());
    lunch->SetTime(12 * OneHour, 13 * OneHour);
    lunch->SetDuration(OneHour);
    lunch->Locator()->SetIsBreak(true);
    EXPECT_NEAR(WorkedTime(*list), 4 * OneHour, OneMillisecond);
}

TEST(DaySheet, HighlightedDaysByMarker) {
    const double today = EncodeDate(2026, 3, 4);
    auto empty = std::make_shared<TDayEntryList>(std::make_shared<TestActivityEntryProvider>(), today - 1);
    empty->SetChanged(false);
    auto worked = std::make_shared<TDayEntryList>(std::make_shared<TestActivityEntryProvider>(), today - 1);
    auto entry = std::dynamic_pointer_cast<IHXActivityEntry_>(worked->AddNew());
    entry->SetTime(8 * OneHour, 14 * OneHour);
    entry->SetDuration(6 * OneHour);
    struct Case {
        TDayMarker marker;
        double date;
        const IHXDayEntryList_* list;
        double required;
        bool bold;
    };
    const Case cases[] = {
        {TDayMarker::EmptyWorkdays, today - 1, empty.get(), 8 * OneHour, true},
        {TDayMarker::EmptyWorkdays, today + 1, empty.get(), 8 * OneHour, false}, // the future
        {TDayMarker::EmptyWorkdays, today - 1, nullptr, 8 * OneHour, false},     // not loaded
        {TDayMarker::EmptyWorkdays, today - 1, worked.get(), 8 * OneHour, false},
        {TDayMarker::IncompleteDays, today - 1, worked.get(), 8 * OneHour, true},
        {TDayMarker::IncompleteDays, today - 1, worked.get(), 6 * OneHour, false}, // exactly enough
        {TDayMarker::IncompleteDays, today - 1, empty.get(), 0, false},            // nothing required
        {TDayMarker::IncompleteDays, today + 1, empty.get(), 8 * OneHour, false},  // the future
        {TDayMarker::ChangedDays, today - 1, worked.get(), 0, true},
        {TDayMarker::ChangedDays, today - 1, empty.get(), 0, false},
    };
    int i = 0;
    for (const Case& c : cases)
        EXPECT_EQ(DayIsMarked(c.marker, c.date, today, c.list, c.required), c.bold) << "case " << i++;

    EXPECT_EQ(MarkerFromText(QStringLiteral("Incomplete")), TDayMarker::IncompleteDays);
    EXPECT_EQ(MarkerFromText(QStringLiteral("CHANGED")), TDayMarker::ChangedDays);
    EXPECT_EQ(MarkerFromText(QStringLiteral("bold")), TDayMarker::EmptyWorkdays);
    EXPECT_EQ(MarkerText(1), QStringLiteral("incomplete"));
    EXPECT_EQ(MarkerText(7), QStringLiteral("???"));
}

TEST(DaySheet, ALongPathKeepsItsLastNameAndGainsNamesFromBothEnds) {
    const QString path = QStringLiteral("Customer/Project/Phase/Task");
    struct Case {
        int width;
        QString shown;
    };
    // A text fits when it has at most width characters.
    const Case cases[] = {
        {100, path},
        {26, QStringLiteral("Customer/.../Phase/Task")},
        {22, QStringLiteral("Customer/.../Task")},
        {12, QStringLiteral(".../Task")},
        {3, QStringLiteral(".../Task")}, // nothing fits: the shortest form
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShortenActivityPath(path, [&](const QString& text) { return text.size() <= c.width; }), c.shown)
            << c.width;
}
