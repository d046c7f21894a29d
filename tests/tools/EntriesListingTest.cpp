// The listing of entries against an independent reading of the same storage: several years of
// generated entries (equal times booked on different activities, entries out of time order, an
// activity the tree does not know, the window around today) are listed for many ranges and must
// come out line for line as the day lists of an ordinary storage read them.

#include "CtlTestSupport.h"

#include "foundation/DateTime.h"
#include "model/ActivityList.h"
#include "model/ActivityLocator.h"
#include "model/ActivityTree.h"
#include "model/DefaultActivities.h"
#include "model/Entry.h"
#include "storage/StorageHost.h"
#include "support/TestEnvironment.h"

#include <QDate>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

/// The locators of the default tree's activities, one with a parent the tree does not know, and
/// one marked as a break.
std::vector<ActivityLocatorPtr> Locators(const std::shared_ptr<TActivityTree>& tree) {
    std::vector<ActivityLocatorPtr> result;
    for (int i = 0; i < tree->Childs()->Count(); ++i) {
        const ActivityPtr parent = tree->Childs()->Items(i);
        auto own = std::make_shared<TActivityLocator>();
        own->SetActivity(parent);
        result.push_back(own);
        for (int k = 0; k < parent->Childs()->Count(); ++k) {
            auto locator = std::make_shared<TActivityLocator>();
            locator->SetActivity(parent->Childs()->Items(k));
            locator->AddParentActivity(parent->ID());
            result.push_back(locator);
        }
    }
    auto unknownParent = std::make_shared<TActivityLocator>();
    unknownParent->Assign(result.back());
    unknownParent->AddParentActivity(TGUID::Constant("{0A2B9C1D-3E4F-4A5B-8C6D-7E8F9A0B1C2D}"));
    result.push_back(unknownParent);
    auto brk = std::make_shared<TActivityLocator>();
    brk->Assign(result.front());
    brk->SetIsBreak(true);
    result.push_back(brk);
    return result;
}

class EntriesListingTest : public testing::Test {
protected:
    TempHome home;
    ScopedFixedClock clock{QDateTime(QDate(2006, 3, 14), QTime(18, 0))};
    QString folder = home.Path(QStringLiteral("store"));
    std::shared_ptr<TActivityTree> tree = TActivityTree::Create();

    void SetUp() override { BuildDefaultActivityTree(tree); }
    void TearDown() override { ReleaseAndCleanup(tree); }

    /// 2003 to mid-2007, saved a month at a time as the program saves.
    void WriteHistory() {
        const std::vector<ActivityLocatorPtr> locators = Locators(tree);
        std::mt19937 random(20060314);
        auto below = [&random](int n) { return int(random() % unsigned(n)); };
        TStorageHost host(folder);
        const TypedStoragePtr typed = host.GetTypedStorage();
        for (QDate date(2003, 1, 1); date <= QDate(2007, 6, 30); date = date.addDays(1)) {
            if (date.day() == 1)
                typed->Save();
            if (below(3) != 0)
                continue;
            const DayEntryListPtr list = typed->GetDayEntries(DateFromQDate(date));
            const int count = below(7);
            double start = 0, end = 0;
            for (int i = 0; i < count; ++i) {
                auto entry = std::dynamic_pointer_cast<IHXActivityEntry_>(list->AddNew());
                if (i == 0 || below(4) != 0) { // else: the period of the entry before, shared
                    start = below(1380) * OneMinute;
                    end = start + (1 + below(60)) * OneMinute;
                }
                entry->SetTime(start, end);
                entry->CalculateDuration();
                if (below(3) == 0)
                    entry->SetDuration(entry->Duration() / 2);
                entry->Locator()->Assign(locators[size_t(below(int(locators.size())))]);
                entry->SetIsProblem(below(2) == 0);
            }
        }
        typed->Save();
    }

    /// The listing as the day lists of an ordinary storage give it, ordered as the entries
    /// compare.
    QString ReadDayByDay(const QDate& from, const QDate& to) {
        TStorageHost host(folder);
        const TypedStoragePtr typed = host.GetTypedStorage();
        std::vector<EntryPtr> entries;
        for (QDate date = from; date <= to; date = date.addDays(1)) {
            const DayEntryListPtr list = typed->GetDayEntries(DateFromQDate(date));
            for (int i = 0; i < list->Count(); ++i)
                entries.push_back(list->Items(i));
        }
        std::stable_sort(entries.begin(), entries.end(),
                         [](const EntryPtr& a, const EntryPtr& b) { return a->CompareDateTime(b) < 0; });
        QString text;
        for (const EntryPtr& entry : entries) {
            auto activityEntry = std::dynamic_pointer_cast<IHXActivityEntry_>(entry);
            const std::int64_t minutes = DurationTotalMinutes(activityEntry->Duration());
            text += DateToISO(entry->Date()) + QLatin1Char('\t') + TimeToISOExport(entry->StartTime()).left(5) +
                    QLatin1Char('\t') + TimeToISOExport(entry->EndTime()).left(5) + QLatin1Char('\t') +
                    activityEntry->Locator()->GetActivityPathName(tree) + QLatin1Char('\t') +
                    QString::number(minutes / 60) + QLatin1Char(':') +
                    QString::number(minutes % 60).rightJustified(2, QLatin1Char('0')) + QLatin1Char('\n');
        }
        return text;
    }

    void ExpectListedAsReadDayByDay(const char* when) {
        const QDate ranges[][2] = {
            {QDate(2002, 1, 1), QDate(2008, 12, 31)},  {QDate(2004, 1, 1), QDate(2004, 12, 31)},
            {QDate(2004, 12, 20), QDate(2005, 1, 10)}, {QDate(2006, 3, 1), QDate(2006, 3, 31)},
            {QDate(2006, 3, 14), QDate(2006, 3, 14)},  {QDate(2006, 3, 22), QDate(2006, 4, 2)},
            {QDate(2005, 7, 1), QDate(2007, 2, 28)},   {QDate(2010, 1, 1), QDate(2010, 12, 31)},
        };
        for (const auto& range : ranges) {
            const CtlRun listed = Ctl({QStringLiteral("entries"), QStringLiteral("list"), QStringLiteral("--from"),
                                       range[0].toString(Qt::ISODate), QStringLiteral("--to"),
                                       range[1].toString(Qt::ISODate), QStringLiteral("--storage"), folder});
            const std::string name = std::string(when) + ": " + range[0].toString(Qt::ISODate).toStdString() + " to " +
                                     range[1].toString(Qt::ISODate).toStdString();
            ASSERT_EQ(listed.code, 0) << name << listed.err.toStdString();
            EXPECT_EQ(listed.out, ReadDayByDay(range[0], range[1])) << name;
        }
    }
};

TEST_F(EntriesListingTest, EveryRangeIsListedEntryForEntryAsTheDayListsHoldIt) {
    WriteHistory();
    ASSERT_GT(ReadDayByDay(QDate(2003, 1, 1), QDate(2007, 6, 30)).count(QLatin1Char('\n')), 1000);
    // Today inside the window of its year, later in that year (the window moves), and after
    // every year of the storage (the window goes back into its year).
    ExpectListedAsReadDayByDay("in the window");
    clock->Set(QDateTime(QDate(2006, 5, 2), QTime(9, 0)));
    ExpectListedAsReadDayByDay("later that year");
    clock->Set(QDateTime(QDate(2009, 1, 5), QTime(9, 0)));
    ExpectListedAsReadDayByDay("years later");
}

} // namespace
