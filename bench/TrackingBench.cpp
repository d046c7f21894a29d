// Speed of the tracking manager's update: the 5-second timer must stay cheap. Its reload is
// measured over entries held in memory and over the storage with twenty years of history (see
// BenchHistory.h), in a running program and as the first update after a start.
#include "BenchHistory.h"
#include "foundation/Clock.h"
#include "foundation/DateTime.h"
#include "model/ActivityBooker.h"
#include "model/Entry.h"
#include "storage/StorageHost.h"
#include "tracking/TrackingEntries.h"
#include "tracking/TrackingManager.h"

#include <benchmark/benchmark.h>

namespace {
class BenchWindow : public IHXTrackingWindow_ {
public:
    bool IsVisible() override { return false; }
    void SetPeriod(double, double) override {}
    void ShowTracking(double, double) override {}
    void ShowTrackingModal(double, double) override {}
    void SetPlannedBreak(const TPlannedBreakValues*) override {}
    void HideTracking() override {}
    void SetApplication(const std::shared_ptr<IApplication_>&) override {}
};

class BenchTracker : public IHXTrackingWindowAddIn_ {
public:
    TrackingWindowPtr CreateTrackingWindow() override { return m_window; }
    void FreeTrackingWindow() override {}
    QString GetName() override { return RegularTrackerName; }
    QString GetID() override { return RegularTrackerID; }
    TTrackingType GetTrackingType() override { return TTrackingType::Interval; }
    bool NeedsFallbackTracker() override { return false; }

private:
    TrackingWindowPtr m_window = std::make_shared<BenchWindow>();
};

/// Two days of 40 entries each, held in memory as the storage's cache would hold them.
class BenchHost : public ITrackingHost_ {
public:
    explicit BenchHost(double today) {
        for (double date : {today - 1.0, today}) {
            for (int i = 0; i < 40; ++i)
                m_entries.push_back(TTrackingEntry{date, (6 * 60 + i * 10) * OneMinute,
                                                   (6 * 60 + i * 10 + 10) * OneMinute, i % 5 == 0 ? m_lunch : m_work});
        }
    }
    std::optional<QString> ReadStringOption(const QString&) override { return std::nullopt; }
    std::optional<qint64> ReadIntegerOption(const QString&) override { return std::nullopt; }
    std::optional<double> ReadDateTimeOption(const QString&) override { return std::nullopt; }
    void WriteStringOption(const QString&, const QString&) override {}
    void WriteDateTimeOption(const QString&, double) override {}
    void GetActivityEntries(double, double, std::vector<TTrackingEntry>& entries) override {
        entries.insert(entries.end(), m_entries.begin(), m_entries.end());
    }
    std::vector<TPlannedBreakValues> LoadPlannedBreaks() override {
        return {TPlannedBreakValues{12.0 / 24, 13.0 / 24, 30 * OneMinute, m_lunch}};
    }
    TrackerAddInPtr FindTracker(const QString&) override { return nullptr; }
    bool HasCurrentWindow() override { return false; }
    bool IsTrayMenuActive() override { return false; }
    bool CanShowWindow() override { return true; }
    void SaveAll() override {}

private:
    TGUID m_work = TGUID::Constant("{11111111-2222-3333-4444-555555555555}");
    TGUID m_lunch = TGUID::Constant("{AAAAAAAA-2222-3333-4444-555555555555}");
    std::vector<TTrackingEntry> m_entries;
};

struct BenchSetup {
    BenchSetup() : clock(std::make_shared<FixedClock>(QDateTime(QDate(2026, 3, 2), QTime(14, 0)))) {
        Clock::SetInstance(clock);
        host = std::make_unique<BenchHost>(TodayDate());
        manager = std::make_unique<TTrackingManager>(*host);
        manager->AddTracker(std::make_shared<BenchTracker>());
        manager->UpdateTracking();
    }
    ~BenchSetup() { Clock::SetInstance(nullptr); }
    std::shared_ptr<FixedClock> clock;
    std::unique_ptr<BenchHost> host;
    std::unique_ptr<TTrackingManager> manager;
};

void BM_UpdateWithoutReload(benchmark::State& state) {
    BenchSetup s;
    for (auto _ : state) {
        s.manager->UpdateTracking();
    }
}
BENCHMARK(BM_UpdateWithoutReload);

void BM_UpdateReloadingTwoDaysOf40Entries(benchmark::State& state) {
    BenchSetup s;
    for (auto _ : state) {
        s.manager->ResetTrackingData();
    }
}
BENCHMARK(BM_UpdateReloadingTwoDaysOf40Entries);

/// The manager's entries read from the storage folder, as in the program.
class StorageBenchHost : public BenchHost {
public:
    StorageBenchHost(double today, IHXDayEntryStorage& storage) : BenchHost(today), m_storage(storage) {}
    void GetActivityEntries(double fromDate, double toDate, std::vector<TTrackingEntry>& entries) override {
        ReadTrackingEntries(m_storage, fromDate, toDate, entries);
    }

private:
    IHXDayEntryStorage& m_storage;
};

/// The history with today's work from 06:00 to 15:40 booked (once per folder).
QString HistoryWithToday() {
    const QString folder = HistoryFolder(true);
    TStorageHost host(folder);
    const StoragePtr storage = host.GetStorage();
    const double today = DateFromQDate(kToday);
    if (storage->GetDayEntries(ActivityEntryTypeID, today)->Count() == 0) {
        for (int i = 0; i < kEntriesPerDay; ++i) {
            TActivityBooker booker;
            const double from = today + (6 * 60 + i * 29) * OneMinute;
            booker.SetFrom(from);
            booker.SetTo(from + 29 * OneMinute);
            booker.AddItem(Locator(i % 5), 29 * OneMinute);
            booker.Book(*storage);
        }
    }
    return folder;
}

/// A running program: the storage has read yesterday and today before; each iteration is the
/// reload after a booking (ResetTrackingData).
void BM_ReloadOverTheStorageOfTwentyYears(benchmark::State& state) {
    const QString folder = HistoryWithToday();
    TStorageHost storageHost(folder);
    StorageBenchHost host(DateFromQDate(kToday), *storageHost.GetStorage());
    TTrackingManager manager(host);
    manager.AddTracker(std::make_shared<BenchTracker>());
    manager.UpdateTracking();
    for (auto _ : state)
        manager.ResetTrackingData();
    Clock::SetInstance(nullptr);
}
BENCHMARK(BM_ReloadOverTheStorageOfTwentyYears)->Unit(benchmark::kMicrosecond);

/// The first update after a program start: the storage opens its files and the manager reads
/// yesterday and today from disk. Median of single runs; opening and closing the storage
/// themselves are not counted.
void BM_FirstReloadAfterStartOverTheStorageOfTwentyYears(benchmark::State& state) {
    const QString folder = HistoryWithToday();
    for (auto _ : state) {
        state.PauseTiming();
        auto storageHost = std::make_unique<TStorageHost>(folder);
        auto host = std::make_unique<StorageBenchHost>(DateFromQDate(kToday), *storageHost->GetStorage());
        auto manager = std::make_unique<TTrackingManager>(*host);
        manager->AddTracker(std::make_shared<BenchTracker>());
        state.ResumeTiming();
        manager->UpdateTracking();
        state.PauseTiming();
        benchmark::DoNotOptimize(manager->DataFrom());
        manager.reset();
        host.reset();
        storageHost.reset();
        state.ResumeTiming();
    }
    Clock::SetInstance(nullptr);
}
BENCHMARK(BM_FirstReloadAfterStartOverTheStorageOfTwentyYears)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(21)
    ->ReportAggregatesOnly(true);
} // namespace
