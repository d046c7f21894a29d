// Daylight saving changes of the local clock (Europe/Berlin, 2026): entries and the period asked
// about stay on the wall clock, but the manager counts the real time that passed.
#include "TrackingTestFixture.h"

#include "foundation/DateTime.h"
#include "foundation/WallClock.h"

#include <cstdlib>
#include <ctime>

namespace {

/// Sets TZ for its lifetime and restores the previous value afterwards.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone) {
        const char* previous = std::getenv("TZ");
        m_had = previous != nullptr;
        if (previous)
            m_previous = previous;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ScopedTimeZone() {
        if (m_had)
            setenv("TZ", m_previous.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    bool m_had = false;
    std::string m_previous;
};

QDateTime UTC(int year, int month, int day, int hour, int minute) {
    return QDateTime(QDate(year, month, day), QTime(hour, minute), Qt::UTC);
}

class TrackingClockChange : public TrackingTestBase {
protected:
    /// The wall-clock time of the fixed clock.
    double WallNow() const { return RealTimeToWallClock(NowRealTime()); }
    bool ImpossibleNoticeGiven() const { return Recorder.Count(QStringLiteral("Impossible")) > 0; }

    ScopedTimeZone m_zone{"Europe/Berlin"};
};

TEST_F(TrackingClockChange, TheWallClockFollowsTheZone) {
    // 2026-10-25 01:00 UTC: 03:00 summer time becomes 02:00 winter time.
    const double twoForty = DT(2026, 10, 25, 2, 40);
    EXPECT_DOUBLE_EQ(WallClockToRealTime(twoForty), DT(2026, 10, 25, 0, 40)) << "first occurrence";
    EXPECT_DOUBLE_EQ(WallClockToRealTime(twoForty, DT(2026, 10, 25, 0, 41)), DT(2026, 10, 25, 1, 40));
    EXPECT_DOUBLE_EQ(WallClockToRealTime(twoForty, DT(2026, 10, 25, 2, 0)), DT(2026, 10, 25, 1, 40))
        << "both passed: the later one";
    EXPECT_DOUBLE_EQ(RealTimeToWallClock(DT(2026, 10, 25, 1, 40)), twoForty);
    // 2026-03-29 01:00 UTC: 02:00 winter time becomes 03:00 summer time; 02:30 never occurs.
    EXPECT_DOUBLE_EQ(WallClockToRealTime(DT(2026, 3, 29, 2, 30)), DT(2026, 3, 29, 1, 30));
    EXPECT_DOUBLE_EQ(RealTimeToWallClock(DT(2026, 3, 29, 1, 30)), DT(2026, 3, 29, 3, 30));
    EXPECT_NEAR(RealTimeBetween(DT(2026, 3, 29, 1, 30), DT(2026, 3, 29, 3, 30)), OneHour, OneMillisecond);
    EXPECT_NEAR(RealTimeBetween(DT(2026, 10, 25, 1, 0), DT(2026, 10, 25, 4, 0)), 4 * OneHour, OneMillisecond);
    EXPECT_NEAR(RealTimeBetween(DT(2026, 7, 1, 9, 0), DT(2026, 7, 1, 10, 0)), OneHour, OneMillisecond);
    EXPECT_DOUBLE_EQ(RoundDownWallClockMinutes(DT(2026, 10, 25, 1, 44) + 0.5 * OneMinute, 15), DT(2026, 10, 25, 1, 30));
}

// Work booked until 02:40 summer time. When the clock goes back at 03:00 to 02:00, that entry lies
// in the past: tracking stays possible, and the question covers the real time since 02:40 summer
// time. It comes once its end can be booked as the user saw it, at 03:00 winter time.
TEST_F(TrackingClockChange, AutumnAsksAboutTheRepeatedHourAndNeverCallsItBooked) {
    Host.Book(DT(2026, 10, 25, 1, 0), DT(2026, 10, 25, 2, 40), Work);
    SetNow(UTC(2026, 10, 24, 23, 0)); // 01:00 summer time
    Start();
    SetNow(UTC(2026, 10, 25, 0, 40)); // 02:40 summer time
    Manager->UpdateTracking();

    std::optional<double> shownAt;
    int updatesInsideAnEntry = 0;
    while (!shownAt && NowRealTime() < DT(2026, 10, 25, 3, 0)) {
        m_clock->AdvanceSecs(5);
        Manager->UpdateTracking();
        if (Manager->DataTimeState() == TDataTimeState::InEntry)
            ++updatesInsideAnEntry;
        if (Window()->IsVisible())
            shownAt = NowRealTime();
    }
    EXPECT_EQ(updatesInsideAnEntry, 0);
    EXPECT_FALSE(ImpossibleNoticeGiven());
    ASSERT_TRUE(shownAt);
    EXPECT_DOUBLE_EQ(*shownAt, DT(2026, 10, 25, 2, 0)) << "03:00 winter time";
    ASSERT_EQ(Window()->Shown.size(), 1u);
    const auto shown = Window()->Shown[0];
    EXPECT_DOUBLE_EQ(shown.From, DT(2026, 10, 25, 2, 40));
    EXPECT_DOUBLE_EQ(shown.To, DT(2026, 10, 25, 3, 0));
    EXPECT_NEAR(RealTimeBetween(shown.From, shown.To), 80 * OneMinute, OneMillisecond) << "the real time that passed";

    // Booked as shown, the next question follows on without a gap or a repeat.
    Host.Book(shown.From, shown.To, Work);
    Window()->HideTracking();
    Manager->ResetTrackingData();
    const std::optional<double> next = RunUntilShown(UTC(2026, 10, 25, 6, 0));
    ASSERT_TRUE(next);
    EXPECT_DOUBLE_EQ(WallNow(), DT(2026, 10, 25, 4, 0));
    EXPECT_DOUBLE_EQ(Window()->Shown.back().From, DT(2026, 10, 25, 3, 0));
    EXPECT_DOUBLE_EQ(Window()->Shown.back().To, DT(2026, 10, 25, 4, 0));
    EXPECT_FALSE(ImpossibleNoticeGiven());
}

// An hour of real time after 01:30 winter time the clock shows 03:30 summer time: the question
// comes then, about 01:30-03:30 on the wall clock, which is one real hour.
TEST_F(TrackingClockChange, SpringAsksAfterARealIntervalAboutTheWallClockPeriod) {
    Host.Book(DT(2026, 3, 29, 0, 30), DT(2026, 3, 29, 1, 30), Work);
    SetNow(UTC(2026, 3, 29, 0, 30)); // 01:30 winter time
    Start();
    const std::optional<double> shownAt = RunUntilShown(UTC(2026, 3, 29, 3, 0));
    ASSERT_TRUE(shownAt);
    EXPECT_DOUBLE_EQ(NowRealTime(), DT(2026, 3, 29, 1, 30));
    EXPECT_DOUBLE_EQ(WallNow(), DT(2026, 3, 29, 3, 30));
    ASSERT_EQ(Window()->Shown.size(), 1u);
    const auto shown = Window()->Shown[0];
    EXPECT_DOUBLE_EQ(shown.From, DT(2026, 3, 29, 1, 30));
    EXPECT_DOUBLE_EQ(shown.To, DT(2026, 3, 29, 3, 30));
    EXPECT_NEAR(RealTimeBetween(shown.From, shown.To), OneHour, OneMillisecond);
    ASSERT_FALSE(Recorder.NextTracking.empty());
    EXPECT_DOUBLE_EQ(Recorder.NextTracking.front(), DT(2026, 3, 29, 3, 30)) << "the tray names the wall-clock time";

    Host.Book(shown.From, shown.To, Work);
    Window()->HideTracking();
    Manager->ResetTrackingData();
    ASSERT_TRUE(RunUntilShown(UTC(2026, 3, 29, 4, 0)));
    EXPECT_DOUBLE_EQ(WallNow(), DT(2026, 3, 29, 4, 30));
    EXPECT_DOUBLE_EQ(Window()->Shown.back().From, DT(2026, 3, 29, 3, 30));
}

// An entry booked in advance across the autumn change still covers the present in both passes of
// the repeated hour.
TEST_F(TrackingClockChange, AnEntryAcrossTheChangeCoversBothPassesOfTheRepeatedHour) {
    Host.Book(DT(2026, 10, 25, 1, 0), DT(2026, 10, 25, 4, 0), Work); // four real hours
    for (const QDateTime& now : {UTC(2026, 10, 25, 0, 30), UTC(2026, 10, 25, 1, 30), UTC(2026, 10, 25, 2, 59)}) {
        SCOPED_TRACE(now.toString(Qt::ISODate).toStdString());
        SetNow(now);
        Start().UpdateTracking();
        EXPECT_EQ(Manager->DataTimeState(), TDataTimeState::InEntry);
        EXPECT_TRUE(ImpossibleNoticeGiven());
        Recorder = NotificationRecorder{};
    }
    SetNow(UTC(2026, 10, 25, 3, 1));
    Start().UpdateTracking();
    EXPECT_EQ(Manager->DataTimeState(), TDataTimeState::InGap);
}

} // namespace
