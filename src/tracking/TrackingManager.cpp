#include "tracking/TrackingManager.h"

#include "foundation/DateTime.h"
#include "foundation/Log.h"
#include "foundation/VRNException.h"
#include "foundation/WallClock.h"
#include "tracking/TrackingSettings.h"

#include <cstdlib>

// The manager keeps every moment in real time (see WallClock.h), so that a clock going back or
// forward for daylight saving neither hides the time that passed nor counts an hour that did not.
// Entries, options and the window get wall-clock values: what the user's clock showed.

namespace {
constexpr std::int64_t MSecsPerMinute = 60000;

/// x (real time) without seconds and milliseconds.
double CutSeconds(double x) {
    return RoundDownWallClockMinutes(x, 1);
}

/// x (real time) without seconds, its minute on the local clock rounded down to a multiple of step
/// within the hour.
double RoundDownMinutes(double x, int step) {
    return RoundDownWallClockMinutes(x, step);
}

double Wall(double real) {
    return RealTimeToWallClock(real);
}

/// The real start and end of an entry. A time that the clock showed twice is read at its first
/// occurrence (the end: the first one not before the start), so an entry that ends in the hour
/// repeated in autumn counts as booked before the clock went back. The periods the manager asks
/// about are chosen so that they read back the same (see ReadsBack).
struct TRealSpan {
    double Start;
    double End;
};
TRealSpan RealSpan(const TTrackingEntry& entry) {
    const double start = WallClockToRealTime(entry.Start());
    return {start, WallClockToRealTime(entry.End(), start)};
}

/// Whether the wall-clock period of the real times from..to reads back as the same period: its
/// end is not before its start on the wall clock and is not mistaken for an earlier occurrence.
bool ReadsBack(double from, double to) {
    const double wallTo = Wall(to);
    return TimeNotAfter(Wall(from), wallTo) && TimesEqual(WallClockToRealTime(wallTo, from), to);
}

/// lo <= x <= hi with the millisecond tolerance.
bool Within(double lo, double hi, double x) {
    return TimeNotBefore(x, lo) && TimeNotAfter(x, hi);
}

/// Runs one stage; a failure is logged with the stage's context and passed on.
template <typename F> auto RunStage(const char* context, F&& stage) -> decltype(stage()) {
    try {
        return stage();
    } catch (const std::exception& e) {
        LogException(QString::fromLatin1(context), e);
        throw;
    } catch (...) {
        WriteLog(QString::fromLatin1(context) + QStringLiteral(": unknown exception"));
        throw;
    }
}
} // namespace

bool SameTrackingEntry(const TTrackingEntry& a, const TTrackingEntry& b) {
    return TimesEqual(a.Start(), b.Start()) && TimesEqual(a.End(), b.End()) && a.ActivityId == b.ActivityId;
}

TTrackingManager::TTrackingManager(ITrackingHost_& host) : m_host(host), m_terminate([] { std::_Exit(EXIT_FAILURE); }) {
    const double now = NowRealTime();
    m_programStart = now;
    m_lastUpdate = now;
}

TTrackingManager::~TTrackingManager() {
    try {
        Cleanup();
    } catch (const std::exception& e) {
        LogException(QStringLiteral("TTrackingManager.Destroy"), e);
    }
}

void TTrackingManager::Cleanup() {
    if (m_currentTracker && m_trackerWindow)
        m_currentTracker->FreeTrackingWindow();
    m_trackerWindow.reset();
    m_currentTracker.reset();
    m_trackers.clear();
    m_worksheetShower.reset();
}

// --- Operations -------------------------------------------------------------------------------

void TTrackingManager::ResetTracking() {
    m_workStartKnown = false;
    m_programStartRecorded = false;
    m_nextTrackingTimeSet = false;
    m_dataLoaded = false;
    m_remindNotBeforeSet = false;
    UpdateTracking_(TUpdateReason::Reset);
}

void TTrackingManager::UpdateTracking() {
    UpdateTracking_(TUpdateReason::Timer);
}

void TTrackingManager::ResetTrackingData() {
    m_dataTimeState = TDataTimeState::NothingLoaded;
    m_nextTrackingTimeSet = false;
    m_dataLoaded = false;
    UpdateTracking_(TUpdateReason::Reset);
}

bool TTrackingManager::FinishTracking() {
    UpdateTracking_(TUpdateReason::FinalQuestion);
    UpdateTracking_(TUpdateReason::Finish);
    return true;
}

void TTrackingManager::SetNextTrackingTime(double time) {
    // A reminder lies ahead: of a wall-clock time that occurs twice, the occurrence still to come.
    m_nextTrackingTime = WallClockToRealTime(time, NowRealTime());
    m_nextTrackingTimeSet = true;
}

void TTrackingManager::SetRemindNotBefore(double time) {
    m_remindNotBefore = WallClockToRealTime(time, NowRealTime());
    m_remindNotBeforeSet = true;
}

void TTrackingManager::TrackNow() {
    UpdateTracking_(TUpdateReason::TrackNow);
}

void TTrackingManager::RecordProgramStart() {
    m_programStart = NowRealTime();
    m_host.WriteDateTimeOption(TrackingSettings::ProgramStartKey, Wall(m_programStart));
    m_programStartRecorded = true;
    m_host.SaveAll();
}

int TTrackingManager::GetTrackingInterval() {
    return TrackingSettings::Interval(m_host);
}

bool TTrackingManager::HideTrackingWindow() {
    if (m_showingWorksheet)
        return false;
    const TrackingWindowPtr window = ActiveWindow();
    if (window && window->IsVisible())
        window->HideTracking();
    return true;
}

void TTrackingManager::ShowWorksheet() {
    m_showingWorksheet = true;
    try {
        if (m_worksheetShower)
            m_worksheetShower->ShowWorksheet();
    } catch (const std::exception& e) {
        LogException(QStringLiteral("TTrackingManager._ShowWorksheet: unexpected error showing the worksheet"), e);
    } catch (...) {
        WriteLog(QStringLiteral("TTrackingManager._ShowWorksheet: unexpected error showing the worksheet"));
    }
    m_showingWorksheet = false;
    UpdateTracking_(TUpdateReason::Timer);
}

void TTrackingManager::SetWorksheetShower(const std::shared_ptr<IHXWorksheetShower_>& shower) {
    m_worksheetShower = shower;
}

void TTrackingManager::AddTracker(const TrackerAddInPtr& tracker) {
    if (!tracker)
        throw EUnassignedArgumentError(QStringLiteral("TTrackingManager.AddTracker"));
    m_trackers.push_back(tracker);
}

TrackerAddInPtr TTrackingManager::GetTracker(int index) {
    if (index < 0 || index >= GetTrackerCount())
        throw EVRNListError(QStringLiteral("TTrackingManager.GetTracker: index %1 out of range"),
                            {QString::number(index)});
    return m_trackers[static_cast<std::size_t>(index)];
}

// --- The update -------------------------------------------------------------------------------

void TTrackingManager::UpdateTracking_(TUpdateReason reason) {
    if (m_finished || m_showingWorksheet)
        return;
    try {
        RunUpdate(reason, NowRealTime());
        return;
    } catch (const std::exception& e) {
        // A failing update must never reach the timer.
        LogException(QStringLiteral("TTrackingManager._UpdateTracking"), e);
    } catch (...) {
        WriteLog(QStringLiteral("TTrackingManager._UpdateTracking: unknown exception"));
    }
    // Do not leave the program inside a modal question the manager no longer controls.
    try {
        if (m_modalWindow)
            m_modalWindow->HideTracking();
    } catch (...) {
        WriteLog(QStringLiteral("TTrackingManager._UpdateTracking: Unrecoverable"));
        m_terminate();
    }
}

void TTrackingManager::RunUpdate(TUpdateReason reason, double now) {
    m_coveringEntry.reset();
    if (!m_modalWindow)
        RunStage("TTrackingManager._UpdateTracking: error in part 1", [&] { SelectTracker(); });

    const TrackingWindowPtr active = ActiveWindow();
    if (!active) {
        if (m_notifications.OnNoTracker)
            m_notifications.OnNoTracker();
        return;
    }

    const bool reload = NeedsReload(now);
    m_lastUpdate = now;
    if (reload)
        RunStage("TTrackingManager._UpdateTracking: error in ReloadData", [&] { ReloadData(now); });

    const TExecMode mode =
        RunStage("TTrackingManager._UpdateTracking: error in part tcmValid", [&] { return Evaluate(now); });
    switch (mode) {
    case TExecMode::Update:
        RunStage("TTrackingManager._UpdateTracking: error temUpdate", [&] { RunUpdateMode(reason, now); });
        break;
    case TExecMode::Home:
        RunStage("TTrackingManager._UpdateTracking: error temHome", [&] { RunHomeMode(); });
        break;
    case TExecMode::Impossible:
        RunStage("TTrackingManager._UpdateTracking: error temImpossible", [&] { RunImpossibleMode(reason, now); });
        break;
    default:
        throw EMustNotHappen(QStringLiteral("TTrackingManager._UpdateTracing - invalid ExecMode"));
    }
}

void TTrackingManager::SelectTracker() {
    const QString wanted = TrackingSettings::CurrentTracker(m_host);
    if (m_currentTracker && SameTrackerID(m_currentTracker->GetID(), wanted))
        return;

    if (m_currentTracker && m_trackerWindow)
        m_currentTracker->FreeTrackingWindow();
    m_currentTracker.reset();
    m_trackerWindow.reset();
    // An empty list simply leaves the manager without a tracker.
    m_currentTracker = ChooseTracker(m_trackers, wanted);
    if (m_currentTracker && m_currentTracker->GetTrackingType() != TTrackingType::None) {
        m_trackerWindow = m_currentTracker->CreateTrackingWindow();
        const QString id = m_currentTracker->GetID();
        if (!SameTrackerID(id, wanted))
            m_host.WriteStringOption(TrackingSettings::CurrentTrackerKey, id);
    }
}

bool TTrackingManager::NeedsReload(double now) const {
    if (m_dataTimeState == TDataTimeState::NothingLoaded || !m_dataLoaded)
        return true;
    if (!Within(m_dataFrom, m_dataTo, now))
        return true;
    if (m_dataTimeState == TDataTimeState::InEntry && !m_impossibleEntry)
        return true;
    // Standby of more than an hour, or the clock went back.
    return !Within(m_lastUpdate, m_lastUpdate + OneHour, now);
}

void TTrackingManager::ReloadData(double now) {
    m_dataTimeState = TDataTimeState::NothingLoaded;
    const bool wasLoaded = m_dataLoaded;
    // Stays false when anything below fails, so that the next update tries again.
    m_dataLoaded = false;
    const double today = DateOf(Wall(now));

    m_entries.clear();
    m_host.GetActivityEntries(today - 1.0, today, m_entries);

    bool anyPast = false;
    double latestPastEnd = 0.0;
    const TTrackingEntry* earliestFuture = nullptr;
    TRealSpan future{};
    m_entryEnds.clear();
    for (const TTrackingEntry& entry : m_entries) {
        const TRealSpan span = RealSpan(entry);
        m_entryEnds.push_back(span.End);
        if (TimeNotAfter(span.End, now)) {
            if (!anyPast || TimeAfter(span.End, latestPastEnd))
                latestPastEnd = span.End;
            anyPast = true;
        } else if (!earliestFuture || TimeBefore(span.Start, future.Start)) {
            earliestFuture = &entry;
            future = span;
        }
    }

    const double yesterday = WallClockToRealTime(today - 1.0);
    if (!earliestFuture) {
        m_dataFrom = anyPast ? latestPastEnd : yesterday;
        m_dataTo = WallClockToRealTime(today + 1.0);
        m_dataTimeState = TDataTimeState::InGap;
    } else if (TimeAfter(future.Start, now)) {
        m_dataFrom = anyPast ? latestPastEnd : yesterday;
        m_dataTo = future.Start;
        m_dataTimeState = TDataTimeState::InGap;
    } else {
        m_dataFrom = future.Start;
        m_dataTo = future.End;
        m_dataTimeState = TDataTimeState::InEntry;
        m_coveringEntry = *earliestFuture;
    }

    if (!wasLoaded)
        m_plannedBreaks = m_host.LoadPlannedBreaks();
    m_bookedBreakEntries.clear();
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const TTrackingEntry& entry = m_entries[i];
        if (!TimeNotAfter(m_entryEnds[i], now))
            continue;
        for (const TPlannedBreakValues& plannedBreak : m_plannedBreaks) {
            if (entry.ActivityId == plannedBreak.ActivityId)
                m_bookedBreakEntries.push_back(TBookedBreakEntry{entry.ActivityId, entry.End()});
        }
    }
    m_dataLoaded = true;
}

TExecMode TTrackingManager::Evaluate(double now) {
    switch (m_dataTimeState) {
    case TDataTimeState::InEntry:
        return TExecMode::Impossible;
    case TDataTimeState::InGap:
        break;
    default:
        throw EMustNotHappen(QStringLiteral("TTrackingManager._UpdateTracking - invalid FDataTimeState"));
    }

    if (!m_workStartKnown || !(TimeNotAfter(m_workStart, now) && TimeBefore(now, m_nextWorkStart))) {
        // The work-start time of the local clock, whatever the length of the day.
        double workStart = DateOf(Wall(now)) + TrackingSettings::WorkStart(m_host);
        if (TimeAfter(WallClockToRealTime(workStart), now))
            workStart -= 1.0;
        m_workStart = WallClockToRealTime(workStart);
        m_nextWorkStart = WallClockToRealTime(workStart + 1.0);
        m_workStartKnown = true;
    }

    // The gap began before the last work-start time and at least two hours ago.
    if (Within(m_dataFrom, m_dataTo, m_workStart) && Within(m_dataFrom, m_dataTo, now - 2.0 * OneHour)) {
        if (!m_programStartRecorded) {
            const double stored = TrackingSettings::ProgramStart(m_host);
            const double storedReal = stored > 0.0 ? WallClockToRealTime(stored) : stored;
            if (TimeBefore(storedReal, m_programStart) && TimeNotBefore(storedReal, m_workStart))
                m_programStart = storedReal;
            m_host.WriteDateTimeOption(TrackingSettings::ProgramStartKey, Wall(m_programStart));
            m_programStartRecorded = true;
        }
        if (TimeAfter(m_programStart, now)) {
            m_programStart = now;
            m_host.WriteDateTimeOption(TrackingSettings::ProgramStartKey, Wall(m_programStart));
        }
        if (TimeNotBefore(m_programStart, m_workStart)) {
            m_explainFrom = m_programStart;
            m_explainTo = now;
            return TExecMode::Update;
        }
        return TExecMode::Home;
    }
    m_explainFrom = m_dataFrom;
    m_explainTo = now;
    return TExecMode::Update;
}

void TTrackingManager::ForgetImpossibleAfterPossible() {
    if (m_notifications.OnTrackingPossible) {
        m_notifications.OnTrackingPossible();
        m_impossibleEntry.reset();
    }
}

bool TTrackingManager::IsQuestionDue(TUpdateReason reason, double now, int granularity) {
    switch (m_currentTracker ? m_currentTracker->GetTrackingType() : TTrackingType::Interval) {
    case TTrackingType::EveryUpdate:
        return true;
    case TTrackingType::Interval:
        break;
    default:
        throw EMustNotHappen(QStringLiteral("TTrackingManager._UpdateTracking - invalid _TrackingType"));
    }

    switch (reason) {
    case TUpdateReason::TrackNow:
        return true;
    case TUpdateReason::FinalQuestion:
    case TUpdateReason::Finish: {
        const std::int64_t minutes = (DateTimeToMSecs(m_explainTo) - DateTimeToMSecs(m_explainFrom)) / MSecsPerMinute;
        return minutes >= granularity;
    }
    default:
        break;
    }

    if (m_nextTrackingTimeSet) {
        if (m_notifications.OnNextTracking)
            m_notifications.OnNextTracking(Wall(m_nextTrackingTime));
        return TimeNotAfter(m_nextTrackingTime, now);
    }
    const double next = RoundDownMinutes(m_explainFrom, granularity) + TrackingSettings::Interval(m_host) * OneMinute;
    const bool due = TimeNotAfter(next, now);
    if (due && m_remindNotBeforeSet && TimeAfter(m_remindNotBefore, now)) {
        if (m_notifications.OnNextTracking)
            m_notifications.OnNextTracking(Wall(m_remindNotBefore));
        return false;
    }
    if (m_notifications.OnNextTracking)
        m_notifications.OnNextTracking(Wall(next));
    return due;
}

void TTrackingManager::RunUpdateMode(TUpdateReason reason, double now) {
    if (m_notifications.OnDaySwitchEnd)
        m_notifications.OnDaySwitchEnd();
    ForgetImpossibleAfterPossible();

    m_explainFrom = CutSeconds(m_explainFrom);
    const int granularity = TrackingSettings::Granularity(m_host);
    const double rounded = RoundDownMinutes(now, granularity);
    m_explainTo = TimeAfter(rounded, m_explainFrom) ? rounded : CutSeconds(now);
    // The period goes out, and is booked, as wall-clock times. While the clock repeats an hour
    // in autumn, an end inside the repeat that began before it cannot be told apart from its
    // first occurrence: the question waits until the end can be booked as the user saw it.
    const bool bookable = ReadsBack(m_explainFrom, m_explainTo);

    TrackingWindowPtr active = ActiveWindow();
    bool decide = true;
    if (active->IsVisible()) {
        if (reason == TUpdateReason::FinalQuestion) {
            // The non-modal dialog gives way to the modal final question.
            active->HideTracking();
        } else {
            if (bookable)
                active->SetPeriod(Wall(m_explainFrom), Wall(m_explainTo));
            decide = false;
        }
    }

    if (decide && IsQuestionDue(reason, now, granularity) && bookable && m_host.CanShowWindow()) {
        switch (reason) {
        case TUpdateReason::FinalQuestion:
            ShowFinalQuestion();
            break;
        case TUpdateReason::Finish:
            m_finished = true;
            break;
        default:
            if (!m_host.HasCurrentWindow() && !m_host.IsTrayMenuActive())
                active->ShowTracking(Wall(m_explainFrom), Wall(m_explainTo));
            break;
        }
    }

    active = ActiveWindow();
    if (active && active->IsVisible()) {
        const double wallNow = Wall(now);
        const int index = RecognisePlannedBreak(Wall(m_explainFrom), Wall(m_explainTo), wallNow, DateOf(wallNow),
                                                m_plannedBreaks, m_bookedBreakEntries);
        active->SetPlannedBreak(index >= 0 ? &m_plannedBreaks[static_cast<std::size_t>(index)] : nullptr);
        if (m_notifications.OnTrackingShown)
            m_notifications.OnTrackingShown();
    }

    // A forgotten final question closes itself after half an hour.
    if (m_modalWindow && m_modalWindow->IsVisible() && TimeNotAfter(m_modalShownAt + 30.0 * OneMinute, now))
        m_modalWindow->HideTracking();
}

void TTrackingManager::ShowFinalQuestion() {
    TrackerAddInPtr fallback;
    TrackingWindowPtr window;
    if (m_currentTracker && m_currentTracker->NeedsFallbackTracker()) {
        TrackerAddInPtr regular = m_host.FindTracker(RegularTrackerID);
        if (regular && regular == m_currentTracker) {
            window = m_trackerWindow;
        } else if (regular) {
            fallback = regular;
            window = regular->CreateTrackingWindow();
        } else {
            WriteLog(QStringLiteral(
                "TTrackingManager._UpdateTracking: the regular tracker for the final question is missing"));
        }
    } else {
        window = ActiveWindow();
    }

    m_modalWindow = window;
    m_modalShownAt = NowRealTime();
    struct TFinally {
        TTrackingManager& self;
        TrackerAddInPtr fallback;
        ~TFinally() {
            self.m_finished = true;
            self.m_modalWindow.reset();
            if (fallback) {
                try {
                    fallback->FreeTrackingWindow();
                } catch (const std::exception& e) {
                    LogException(QStringLiteral("TTrackingManager._UpdateTracking: freeing the fallback window"), e);
                }
            }
        }
    } done{*this, fallback};
    if (window)
        window->ShowTrackingModal(Wall(m_explainFrom), Wall(m_explainTo));
}

void TTrackingManager::RunHomeMode() {
    if (m_modalWindow) {
        m_modalWindow->HideTracking();
        return;
    }
    const TrackingWindowPtr active = ActiveWindow();
    if (active->IsVisible())
        active->HideTracking();
    ForgetImpossibleAfterPossible();
    if (m_host.CanShowWindow() && m_notifications.OnDaySwitch)
        m_notifications.OnDaySwitch();
}

void TTrackingManager::RunImpossibleMode(TUpdateReason reason, double now) {
    if (m_modalWindow) {
        m_modalWindow->HideTracking();
        return;
    }
    const TrackingWindowPtr active = ActiveWindow();
    if (active->IsVisible())
        active->HideTracking();
    if (m_notifications.OnDaySwitchEnd)
        m_notifications.OnDaySwitchEnd();

    if (!m_notifications.OnTrackingImpossible || !m_host.CanShowWindow())
        return;
    const bool otherEntry =
        m_coveringEntry && (!m_impossibleEntry || !SameTrackingEntry(*m_coveringEntry, *m_impossibleEntry));
    if (!otherEntry && !TimeAfter(now, m_nextImpossibleNotice) && reason != TUpdateReason::TrackNow)
        return;
    // A repeat without this update's reload has no covering entry: the remembered one is meant.
    const std::optional<TTrackingEntry> entry = m_coveringEntry ? m_coveringEntry : m_impossibleEntry;
    if (!entry)
        return;
    m_nextImpossibleNotice = now + OneHour;
    m_impossibleEntry = entry;
    // The handler sees and moves the notice time on the wall clock.
    const double wallNotice = Wall(m_nextImpossibleNotice);
    double movedNotice = wallNotice;
    m_notifications.OnTrackingImpossible(*entry, movedNotice);
    if (!TimesEqual(movedNotice, wallNotice))
        m_nextImpossibleNotice = WallClockToRealTime(movedNotice);
}
