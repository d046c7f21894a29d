#include "TrackingTestFixture.h"

#include "foundation/DateTime.h"

#include <algorithm>
#include <map>
#include <set>

namespace {

/// A working week on a clock advanced in 5-second steps. The user answers every question 90
/// seconds after it appears (booking the shown period, with the proposed lunch break as an
/// entry of the same answer), sometimes asks to be reminded later, presses "Start Tracking for
/// Today" on arrival, and puts the machine to sleep at 18:30 except on Wednesday night, when
/// the program keeps running. On Friday the program ends with the final question.
class TrackingWeek : public TrackingTestBase {
protected:
    bool UserPresent(const QDateTime& now) const {
        const QTime t = now.time();
        return t >= QTime(8, 0) && t < QTime(18, 25);
    }

    void Answer() {
        FakeTrackingWindow& window = *Window();
        const int k = m_questions++;
        window.HideTracking();
        if (k % 7 == 3) {
            Manager->SetNextTrackingTime(Now() + 30 * OneMinute); // "Remind in 30 minutes"
            return;
        }
        if (k % 7 == 5) {
            Manager->SetRemindNotBefore(Now() + 10 * OneMinute); // "Remind automatically"
            return;
        }
        BookShownPeriod();
        // The storage reports the change; the manager reloads.
        Manager->ResetTrackingData();
    }

    void BookShownPeriod() {
        FakeTrackingWindow& window = *Window();
        Host.Book(*window.PeriodFrom, *window.PeriodTo, Work);
        if (window.ProposedBreak)
            Host.Book(*window.PeriodFrom, *window.PeriodTo, window.ProposedBreak->ActivityId);
    }

    int m_questions = 0;
};

TEST_F(TrackingWeek, BooksEveryWorkingDayWithoutGapsOrOverlaps) {
    Host.Breaks = {TPlannedBreakValues{12.0 / 24, 13.0 / 24, 30 * OneMinute, Lunch}};
    SetNow(QDT(2026, 3, 2, 7, 50)); // Monday
    Start();

    std::optional<QDateTime> answerAt, startTrackingAt;
    std::map<QDate, double> dayStart{{QDate(2026, 3, 2), DT(2026, 3, 2, 7, 50)}};
    int daySwitches = 0;
    const QDateTime end = QDT(2026, 3, 6, 18, 20);
    while (m_clock->CurrentDateTime() < end) {
        QDateTime now = m_clock->CurrentDateTime();
        const bool wednesday = now.date() == QDate(2026, 3, 4);
        if (now.time() >= QTime(18, 30) && !wednesday) {
            // Standby until the next morning.
            m_clock->Set(QDateTime(now.date().addDays(1), QTime(8, 0)));
            answerAt.reset();
        } else {
            m_clock->AdvanceSecs(5);
        }
        now = m_clock->CurrentDateTime();

        const int before = Recorder.Count("DaySwitch");
        Manager->UpdateTracking();
        if (Recorder.Count("DaySwitch") > before && !startTrackingAt && UserPresent(now))
            startTrackingAt = now.addSecs(30);
        if (startTrackingAt && now >= *startTrackingAt) {
            Manager->RecordProgramStart();
            dayStart[now.date()] = DateTimeFromQDateTime(now);
            ++daySwitches;
            startTrackingAt.reset();
        }
        if (Window()->IsVisible() && !answerAt && UserPresent(now))
            answerAt = now.addSecs(90);
        if (answerAt && now >= *answerAt) {
            answerAt.reset();
            if (Window()->IsVisible())
                Answer();
        }
    }
    // Friday evening: the program ends with the last, modal question.
    Window()->DuringModal = [&] { BookShownPeriod(); };
    Manager->FinishTracking();
    EXPECT_TRUE(Manager->IsFinished());
    EXPECT_TRUE(Window()->Shown.back().Modal);

    // Tuesday to Friday began with the end-of-work notice and "Start Tracking for Today"
    // (Thursday after a night in which the program kept running).
    EXPECT_EQ(daySwitches, 4);
    ASSERT_EQ(dayStart.size(), 5u);

    std::map<double, std::set<std::pair<std::int64_t, std::int64_t>>> periodsByDay;
    std::map<double, int> lunches;
    for (const TTrackingEntry& entry : Host.Entries) {
        periodsByDay[entry.Date].insert({DateTimeToMSecs(entry.Start()), DateTimeToMSecs(entry.End())});
        if (entry.ActivityId == Lunch)
            ++lunches[entry.Date];
    }
    ASSERT_EQ(periodsByDay.size(), 5u);
    for (const auto& [date, periods] : periodsByDay) {
        SCOPED_TRACE(DateToISO(date).toStdString());
        const double start = dayStart.at(QDateFromDate(date));
        EXPECT_EQ(periods.begin()->first, DateTimeToMSecs(start) / 60000 * 60000);
        // Entries of one answer share their period; distinct periods follow each other exactly.
        std::int64_t previousEnd = periods.begin()->first;
        for (const auto& [from, to] : periods) {
            EXPECT_EQ(from, previousEnd);
            EXPECT_LT(from, to);
            previousEnd = to;
        }
        // The working day was explained until at least 17:00.
        EXPECT_GE(previousEnd, DateTimeToMSecs(date + 17.0 / 24));
        EXPECT_EQ(lunches[date], 1);
    }
}
} // namespace
