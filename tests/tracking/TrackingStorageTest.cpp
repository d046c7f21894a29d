// The tracking manager over the real storage: entries are booked into a storage folder as the
// tracking dialog books them, and read back the way the program reads them.
#include "TrackingTestFixture.h"

#include "foundation/DateTime.h"
#include "model/ActivityBooker.h"
#include "model/ActivityLocator.h"
#include "model/PropertyList.h"
#include "storage/StorageHost.h"
#include "tracking/TrackingEntries.h"

#include <QDir>
#include <set>

namespace {

ActivityLocatorPtr Locator(const TGUID& id) {
    auto values = std::make_shared<TPropertyList>(30, 1);
    values->Items(QStringLiteral("id"))->SetAsGUID(id);
    auto locator = std::make_shared<TActivityLocator>();
    locator->LoadFromPropertyList(values);
    return locator;
}

class TrackingStorage : public TrackingTestBase {
protected:
    TrackingStorage() {
        QDir().mkpath(Folder());
        Host.ReadEntries = [this](double fromDate, double toDate, std::vector<TTrackingEntry>& entries) {
            ReadTrackingEntries(*m_storage->GetStorage(), fromDate, toDate, entries);
        };
    }
    ~TrackingStorage() override {
        Manager.reset();
        m_storage.reset();
    }

    QString Folder() const { return m_home.Path(QStringLiteral("storage")); }
    /// A new storage on the same folder, as after a program restart.
    void OpenStorage() {
        m_storage.reset();
        m_storage = std::make_unique<TStorageHost>(Folder());
    }
    /// Books from..to to Work and saves, as the tracking dialog does with an answer.
    void BookWork(double from, double to) {
        TActivityBooker booker;
        booker.SetFrom(from);
        booker.SetTo(to);
        booker.AddItem(Locator(Work), to - from);
        booker.Book(*m_storage->GetStorage());
    }
    /// Every stored activity entry of these days as (start, end) date-times in milliseconds.
    std::set<std::pair<std::int64_t, std::int64_t>> Stored(double fromDate, double toDate) {
        std::vector<TTrackingEntry> entries;
        ReadTrackingEntries(*m_storage->GetStorage(), fromDate, toDate, entries);
        std::set<std::pair<std::int64_t, std::int64_t>> periods;
        for (const TTrackingEntry& entry : entries)
            periods.insert({DateTimeToMSecs(entry.Start()), DateTimeToMSecs(entry.End())});
        return periods;
    }

    TempHome m_home;
    std::unique_ptr<TStorageHost> m_storage;
};

// New Year's Eve with a storage opened ten days before, so that its window of recent days lies
// before the year end. The user answers every question at once; at 01:30 the program restarts
// and goes on where the answers ended, read back from the files.
TEST_F(TrackingStorage, ARunAcrossTheYearEndIsBookedWithoutGapsAndReadBackAfterRestarts) {
    // The storage was opened ten days ago, so its window of recent days lies before the year end.
    SetNow(QDT(2026, 12, 21, 9, 0));
    OpenStorage();
    SetNow(QDT(2026, 12, 31, 21, 0));
    BookWork(DT(2026, 12, 31, 20, 0), DT(2026, 12, 31, 21, 0));
    Start();

    std::vector<std::pair<double, double>> asked;
    const auto answerUntil = [&](const QDateTime& until) {
        while (const std::optional<double> shown = RunUntilShown(until)) {
            const FakeTrackingWindow::TShown period = Window()->Shown.back();
            asked.emplace_back(period.From, period.To);
            BookWork(period.From, period.To);
            Window()->HideTracking();
            Manager->ResetTrackingData();
        }
    };
    answerUntil(QDT(2027, 1, 1, 1, 30));
    Manager.reset();
    OpenStorage();
    Start().UpdateTracking();
    EXPECT_DOUBLE_EQ(Manager->DataFrom(), DT(2027, 1, 1, 1, 0)) << "the last answer, read back";
    answerUntil(QDT(2027, 1, 1, 3, 10));

    const std::vector<std::pair<double, double>> expected{
        {DT(2026, 12, 31, 21, 0), DT(2026, 12, 31, 22, 0)}, {DT(2026, 12, 31, 22, 0), DT(2026, 12, 31, 23, 0)},
        {DT(2026, 12, 31, 23, 0), DT(2027, 1, 1, 0, 0)},    {DT(2027, 1, 1, 0, 0), DT(2027, 1, 1, 1, 0)},
        {DT(2027, 1, 1, 1, 0), DT(2027, 1, 1, 2, 0)},       {DT(2027, 1, 1, 2, 0), DT(2027, 1, 1, 3, 0)},
    };
    ASSERT_EQ(asked.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_DOUBLE_EQ(asked[i].first, expected[i].first);
        EXPECT_DOUBLE_EQ(asked[i].second, expected[i].second);
    }
    EXPECT_EQ(Recorder.Count(QStringLiteral("DaySwitch")), 0);

    // Read again after another restart: one chain from 20:00 to 03:00.
    OpenStorage();
    const auto stored = Stored(DT(2026, 12, 31, 0, 0), DT(2027, 1, 1, 0, 0));
    std::int64_t previousEnd = DateTimeToMSecs(DT(2026, 12, 31, 20, 0));
    for (const auto& [from, to] : stored) {
        EXPECT_EQ(from, previousEnd);
        previousEnd = to;
    }
    EXPECT_EQ(previousEnd, DateTimeToMSecs(DT(2027, 1, 1, 3, 0)));
}

} // namespace
