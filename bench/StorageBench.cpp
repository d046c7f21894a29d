// Speed of the storage with twenty years of history (2006 to 2025, 250 working days a year, 20
// entries a day, written through the storage itself), today being 2025-12-15:
//   - booking one answer for today and saving, flush to disk included (also with an empty history),
//     in a program that has saved before and as the first save after a start;
//   - a cold start of the storage and the first GetDayEntries for today;
//   - a range search over all twenty years and over one year, in the program and in a reader
//     (a storage opened for reading only, as horaluxctl opens it), and over one day in a reader;
//   - the earliest and latest date with data.
// Every figure is the median of single runs (the "_median" rows).

#include "BenchHistory.h"
#include "foundation/Clock.h"
#include "foundation/DateTime.h"
#include "model/ActivityBooker.h"
#include "model/ActivityList.h"
#include "model/ActivityLocator.h"
#include "model/ActivityTree.h"
#include "model/DefaultActivities.h"
#include "model/Entry.h"
#include "storage/StorageHost.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>
#include <vector>

namespace {

/// Books the next five minutes of today (every booking takes a new period, also across
/// repetitions) and saves.
void BookNext(IHXDayEntryStorage& storage, bool withHistory) {
    static double nextStart[2] = {DateFromQDate(kToday) + 6.0 / 24.0, DateFromQDate(kToday) + 6.0 / 24.0};
    double& start = nextStart[withHistory ? 1 : 0];
    TActivityBooker booker;
    booker.SetFrom(start);
    booker.SetTo(start + 5 * OneMinute);
    booker.AddItem(Locator(int(std::lround(start / (6 * OneMinute))) % 3), 5 * OneMinute);
    booker.Book(storage);
    start += 6 * OneMinute;
    if (start > DateFromQDate(kToday) + 0.99)
        start = DateFromQDate(kToday) + 6.0 / 24.0;
}

/// One booking of a running program: today's entries are loaded, and unless firstAfterStart the
/// program has booked and saved an answer before (as it does at every interval).
void BookAndSave(benchmark::State& state, bool withHistory, bool firstAfterStart) {
    const QString folder = HistoryFolder(withHistory);
    TStorageHost host(folder);
    const StoragePtr storage = host.GetStorage();
    storage->GetDayEntries(ActivityEntryTypeID, DateFromQDate(kToday));
    if (!firstAfterStart)
        BookNext(*storage, withHistory);
    for (auto _ : state)
        BookNext(*storage, withHistory);
}

void BM_BookAndSave_History(benchmark::State& state) {
    BookAndSave(state, true, false);
}
void BM_BookAndSave_EmptyHistory(benchmark::State& state) {
    BookAndSave(state, false, false);
}
void BM_BookAndSave_FirstAfterStart_History(benchmark::State& state) {
    BookAndSave(state, true, true);
}
void BM_BookAndSave_FirstAfterStart_EmptyHistory(benchmark::State& state) {
    BookAndSave(state, false, true);
}

void BM_ColdStartAndToday(benchmark::State& state) {
    const QString folder = HistoryFolder(true);
    for (auto _ : state) {
        TStorageHost host(folder);
        const DayEntryListPtr list = host.GetTypedStorage()->GetDayEntries(DateFromQDate(kToday));
        benchmark::DoNotOptimize(list->Count());
    }
}

void Search(benchmark::State& state, const QDate& from, const QDate& to, bool reader = false) {
    const QString folder = HistoryFolder(true);
    for (auto _ : state) {
        // A fresh start, then the search and a walk over its result; setting up and releasing
        // the storage are not counted.
        state.PauseTiming();
        auto host = std::make_unique<TStorageHost>(folder);
        host->SetReadOnly(reader);
        const TypedStoragePtr typed = host->GetTypedStorage();
        state.ResumeTiming();
        SearchResultPtr result = typed->SearchEntries(DateFromQDate(from), DateFromQDate(to));
        int count = 0;
        for (result->First(); !result->Eof(); result->Next())
            ++count;
        state.PauseTiming();
        state.counters["entries"] = count;
        result.reset();
        host.reset();
        state.ResumeTiming();
    }
}

void BM_SearchAllYears(benchmark::State& state) {
    Search(state, QDate(kFirstYear, 1, 1), kToday);
}
void BM_SearchOneYear(benchmark::State& state) {
    Search(state, QDate(2024, 1, 1), QDate(2024, 12, 31));
}

void BM_ReaderSearchAllYears(benchmark::State& state) {
    Search(state, QDate(kFirstYear, 1, 1), kToday, true);
}
void BM_ReaderSearchOneYear(benchmark::State& state) {
    Search(state, QDate(2024, 1, 1), QDate(2024, 12, 31), true);
}
void BM_ReaderSearchOneDay(benchmark::State& state) {
    Search(state, QDate(2024, 6, 12), QDate(2024, 6, 12), true);
}

void BM_EarliestAndLatestDate(benchmark::State& state) {
    const QString folder = HistoryFolder(true);
    for (auto _ : state) {
        TStorageHost host(folder);
        double min = 0, max = 0;
        bool found = false;
        host.GetTypedStorage()->GetExistingMinMaxDate(min, max, found);
        benchmark::DoNotOptimize(found);
    }
}

void Median(benchmark::internal::Benchmark* b, int repetitions) {
    b->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(repetitions)->ReportAggregatesOnly(true);
}

} // namespace

BENCHMARK(BM_BookAndSave_History)->Apply([](auto* b) { Median(b, 41); });
BENCHMARK(BM_BookAndSave_EmptyHistory)->Apply([](auto* b) { Median(b, 41); });
BENCHMARK(BM_BookAndSave_FirstAfterStart_History)->Apply([](auto* b) { Median(b, 21); });
BENCHMARK(BM_BookAndSave_FirstAfterStart_EmptyHistory)->Apply([](auto* b) { Median(b, 21); });
BENCHMARK(BM_ColdStartAndToday)->Apply([](auto* b) { Median(b, 21); });
BENCHMARK(BM_SearchAllYears)->Apply([](auto* b) { Median(b, 5); });
BENCHMARK(BM_SearchOneYear)->Apply([](auto* b) { Median(b, 11); });
BENCHMARK(BM_ReaderSearchAllYears)->Apply([](auto* b) { Median(b, 5); });
BENCHMARK(BM_ReaderSearchOneYear)->Apply([](auto* b) { Median(b, 11); });
BENCHMARK(BM_ReaderSearchOneDay)->Apply([](auto* b) { Median(b, 21); });
BENCHMARK(BM_EarliestAndLatestDate)->Apply([](auto* b) { Median(b, 11); });
