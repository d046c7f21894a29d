#pragma once

#include "calendar/BreakRecognition.h"
#include "foundation/WallClock.h"
#include "tracking/TrackingManagerInterface.h"

#include <functional>
#include <optional>
#include <vector>

/// Why _UpdateTracking runs.
enum class TUpdateReason : int {
    /// The regular timer.
    Timer = 0,
    /// The final, modal explanation at program end.
    FinalQuestion = 1,
    /// After the final question: nothing more is asked in this run.
    Finish = 2,
    /// The user asked to explain now.
    TrackNow = 3,
    /// After a reset of options or data.
    Reset = 4,
};

/// What the present moment lies in, as found by the last reload.
enum class TDataTimeState : int { NothingLoaded = 0, InGap = 1, InEntry = 2 };

/// What an update does.
enum class TExecMode : int { Update, Home, Impossible };

/// Decides when to ask the user to explain the time since the last booked work, and about which
/// period; detects the end of the working day and a present already covered by an entry.
///
/// "Now" is read through Clock::Instance(). Storage is read only when the loaded view is stale, so
/// most updates only re-evaluate values held in memory. Date-times held by the manager are real
/// time (UTC), those it exchanges are local wall-clock times, so that daylight saving changes
/// neither hide nor add time.
class TTrackingManager : public IHXTrackingManager_ {
public:
    /// host must outlive the manager.
    explicit TTrackingManager(ITrackingHost_& host);
    ~TTrackingManager() override;

    void ResetTracking() override;
    void UpdateTracking() override;
    void ResetTrackingData() override;
    bool FinishTracking() override;
    void SetNextTrackingTime(double time) override;
    void SetRemindNotBefore(double time) override;
    void TrackNow() override;
    TTrackingManagerNotifications& GetNotifications() override { return m_notifications; }
    void RecordProgramStart() override;
    TrackerAddInPtr GetCurrentTracker() override { return m_currentTracker; }
    int GetTrackingInterval() override;
    bool HideTrackingWindow() override;
    bool CanShowWorksheet() override { return m_worksheetShower != nullptr; }
    void ShowWorksheet() override;
    void SetWorksheetShower(const std::shared_ptr<IHXWorksheetShower_>& shower) override;
    void AddTracker(const TrackerAddInPtr& tracker) override;
    int GetTrackerCount() override { return static_cast<int>(m_trackers.size()); }
    TrackerAddInPtr GetTracker(int index) override;

    /// Frees the current tracker's window and forgets the trackers (ends reference cycles).
    void Cleanup();

    /// What happens when even the recovery of a failed update fails. The default ends the
    /// process; tests install their own.
    void SetTerminateHandler(std::function<void()> handler) { m_terminate = std::move(handler); }

    // Read-only views of the state, for the controller and for tests; date-times on the wall clock.
    TDataTimeState DataTimeState() const { return m_dataTimeState; }
    double DataFrom() const { return RealTimeToWallClock(m_dataFrom); }
    double DataTo() const { return RealTimeToWallClock(m_dataTo); }
    double ExplainFrom() const { return RealTimeToWallClock(m_explainFrom); }
    double ExplainTo() const { return RealTimeToWallClock(m_explainTo); }
    double ProgramStartTime() const { return RealTimeToWallClock(m_programStart); }
    bool IsFinished() const { return m_finished; }
    bool IsDataLoaded() const { return m_dataLoaded; }
    /// The active tracking window: the modal one while in use, else the current tracker's.
    TrackingWindowPtr ActiveWindow() const { return m_modalWindow ? m_modalWindow : m_trackerWindow; }

private:
    void UpdateTracking_(TUpdateReason reason);
    void RunUpdate(TUpdateReason reason, double now);
    void SelectTracker();
    bool NeedsReload(double now) const;
    void ReloadData(double now);
    TExecMode Evaluate(double now);
    void RunUpdateMode(TUpdateReason reason, double now);
    void RunHomeMode();
    void RunImpossibleMode(TUpdateReason reason, double now);
    bool IsQuestionDue(TUpdateReason reason, double now, int granularity);
    void ShowFinalQuestion();
    void ForgetImpossibleAfterPossible();

    ITrackingHost_& m_host;
    TTrackingManagerNotifications m_notifications;
    std::function<void()> m_terminate;

    TDataTimeState m_dataTimeState = TDataTimeState::NothingLoaded;
    double m_dataFrom = 0.0;
    double m_dataTo = 0.0;
    bool m_dataLoaded = false;
    /// Reused between reloads so that a reload does not allocate once the sizes have settled.
    std::vector<TTrackingEntry> m_entries;
    /// The real end of each of m_entries.
    std::vector<double> m_entryEnds;
    std::vector<TBookedBreakEntry> m_bookedBreakEntries;
    std::vector<TPlannedBreakValues> m_plannedBreaks;
    /// The entry covering the present, found by this update's reload (none without a reload).
    std::optional<TTrackingEntry> m_coveringEntry;

    double m_workStart = 0.0;
    double m_nextWorkStart = 0.0;
    bool m_workStartKnown = false;
    double m_programStart = 0.0;
    bool m_programStartRecorded = false;
    double m_explainFrom = 0.0;
    double m_explainTo = 0.0;
    double m_nextTrackingTime = 0.0;
    bool m_nextTrackingTimeSet = false;
    double m_remindNotBefore = 0.0;
    bool m_remindNotBeforeSet = false;
    double m_lastUpdate = 0.0;
    std::optional<TTrackingEntry> m_impossibleEntry;
    double m_nextImpossibleNotice = 0.0;
    bool m_finished = false;
    bool m_showingWorksheet = false;

    TrackingWindowPtr m_modalWindow;
    double m_modalShownAt = 0.0;
    std::vector<TrackerAddInPtr> m_trackers;
    TrackerAddInPtr m_currentTracker;
    TrackingWindowPtr m_trackerWindow;
    std::shared_ptr<IHXWorksheetShower_> m_worksheetShower;
};
