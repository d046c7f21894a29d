// What the worksheet loads to show a day of the storage with twenty years of history: the day
// itself, the 18 days around it whose activities fill the activity box, and the 42 days of the
// calendar page whose bold state is asked for. Measured as the first day shown after the storage
// was opened (cold) and as a day of another month in an open storage (the user moves on).
// Also the plausibility check of a day with fourteen entries under an all-day vacation entry, whose
// group search must look at every combination of the vacation entry with the others.
// Every figure is the median of single runs (the "_median" rows).

#include "BenchHistory.h"
#include "foundation/DateTime.h"
#include "model/EntryList.h"
#include "storage/StorageHost.h"
#include "storage/StorageProviders.h"
#include "worksheet/DaySheet.h"
#include "worksheet/PlausibilityCheck.h"
#include "worksheet/WorkingDays.h"

#include <benchmark/benchmark.h>

namespace {

/// Loads what the worksheet loads to show date; returns the number of entries seen.
int ShowDay(TWorkingDays& days, const QDate& date) {
    int entries = 0;
    const double shown = DateFromQDate(date);
    if (const DayEntryListPtr list = days.Get(shown))
        entries += list->Count();
    for (double day = shown - 8; day <= shown + 9; ++day)
        if (const DayEntryListPtr list = days.Get(day))
            entries += list->Count();
    // The calendar page: from the Monday on or before the first of the month, six weeks.
    const QDate first(date.year(), date.month(), 1);
    const double pageStart = DateFromQDate(first.addDays(1 - first.dayOfWeek()));
    for (int i = 0; i < 42; ++i)
        if (const DayEntryListPtr list = days.Get(pageStart + i))
            entries += static_cast<int>(WorkedTime(*list) > 0);
    return entries;
}

void BM_Worksheet_FirstDayAfterOpening(benchmark::State& state) {
    const QString folder = HistoryFolder(true);
    for (auto _ : state) {
        TStorageHost host(folder);
        TWorkingDays days(host.GetTypedStorage());
        benchmark::DoNotOptimize(ShowDay(days, QDate(2015, 6, 17)));
    }
}

void BM_Worksheet_DayOfAnotherMonth(benchmark::State& state) {
    const QString folder = HistoryFolder(true);
    TStorageHost host(folder);
    TWorkingDays days(host.GetTypedStorage());
    ShowDay(days, QDate(2015, 6, 17));
    QDate date(2015, 7, 15);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ShowDay(days, date));
        date = date.addMonths(1);
    }
}

void BM_Plausibility_FourteenEntriesUnderAVacation(benchmark::State& state) {
    auto day = std::make_shared<TDayEntryList>(std::make_shared<TActivityEntryProvider>(), DateFromQDate(kToday));
    for (int i = 0; i < 14; ++i) {
        auto entry = std::dynamic_pointer_cast<IHXActivityEntry_>(day->AddNew());
        entry->SetTime((6 + i) / 24.0, (6 + i) / 24.0 + 30 * OneMinute);
        entry->CalculateDuration();
    }
    auto vacation = std::dynamic_pointer_cast<IHXActivityEntry_>(day->AddNew());
    vacation->SetTime(0.0, 1.0);
    vacation->SetDuration(8 / 24.0);
    for (auto _ : state) {
        std::vector<ActivityEntryPtr> problems;
        benchmark::DoNotOptimize(CheckDayPlausibility(*day, problems));
    }
}

void Median(benchmark::internal::Benchmark* b, int repetitions) {
    b->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(repetitions)->ReportAggregatesOnly(true);
}

} // namespace

BENCHMARK(BM_Worksheet_FirstDayAfterOpening)->Apply([](auto* b) { Median(b, 11); });
BENCHMARK(BM_Worksheet_DayOfAnotherMonth)->Apply([](auto* b) { Median(b, 21); });
BENCHMARK(BM_Plausibility_FourteenEntriesUnderAVacation)->Apply([](auto* b) { Median(b, 5); });
