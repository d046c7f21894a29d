#pragma once

#include "tracking/TrackerInterfaces.h"
#include "tracking/TrackingHost.h"

#include <functional>
#include <memory>

/// What the tracking manager tells the application besides showing the tracking window. Each
/// slot is empty until the application assigns it (right after creating the manager).
struct TTrackingManagerNotifications {
    /// End of work detected: show the end-of-work notice.
    std::function<void()> OnDaySwitch;
    /// Hide the end-of-work notice.
    std::function<void()> OnDaySwitchEnd;
    /// The present is covered by entry: tracking is disabled. The handler may move nextNotice
    /// (to now when it could not show the notice, so that it is given again at the next update).
    std::function<void(const TTrackingEntry& entry, double& nextNotice)> OnTrackingImpossible;
    /// Hide the tracking-impossible notice.
    std::function<void()> OnTrackingPossible;
    /// The next question is expected at this date-time.
    std::function<void(double time)> OnNextTracking;
    /// No tracking window is available.
    std::function<void()> OnNoTracker;
    /// The tracking window is visible.
    std::function<void()> OnTrackingShown;
};

/// Opens the worksheet for the tracking manager (blocks until it has closed).
class IHXWorksheetShower_ {
public:
    IHXWorksheetShower_() = default;
    virtual ~IHXWorksheetShower_() = default;
    IHXWorksheetShower_(const IHXWorksheetShower_&) = delete;
    IHXWorksheetShower_& operator=(const IHXWorksheetShower_&) = delete;
    virtual void ShowWorksheet() = 0;
};

/// The tracking manager as the application reaches it.
class IHXTrackingManager_ {
public:
    IHXTrackingManager_() = default;
    virtual ~IHXTrackingManager_() = default;
    IHXTrackingManager_(const IHXTrackingManager_&) = delete;
    IHXTrackingManager_& operator=(const IHXTrackingManager_&) = delete;

    /// After the options changed: forgets what was derived from them and checks again.
    virtual void ResetTracking() = 0;
    /// The regular check; the main window's timer calls it every 5 seconds.
    virtual void UpdateTracking() = 0;
    /// After the stored entries changed: reloads them at once.
    virtual void ResetTrackingData() = 0;
    /// At a normal program end: the last, modal explanation; returns true.
    virtual bool FinishTracking() = 0;
    /// The next question is due at this date-time (a remind-later choice).
    virtual void SetNextTrackingTime(double time) = 0;
    /// Due questions wait until this date-time ("Remind automatically").
    virtual void SetRemindNotBefore(double time) = 0;
    /// The user asked to explain the time now.
    virtual void TrackNow() = 0;
    virtual TTrackingManagerNotifications& GetNotifications() = 0;
    /// "Start Tracking for Today": the working day's program start becomes now.
    virtual void RecordProgramStart() = 0;
    virtual TrackerAddInPtr GetCurrentTracker() = 0;
    /// "interval" in minutes.
    virtual int GetTrackingInterval() = 0;
    /// Hides the active tracking window; false while the worksheet is open through the manager.
    virtual bool HideTrackingWindow() = 0;
    virtual bool CanShowWorksheet() = 0;
    virtual void ShowWorksheet() = 0;
    virtual void SetWorksheetShower(const std::shared_ptr<IHXWorksheetShower_>& shower) = 0;
    virtual void AddTracker(const TrackerAddInPtr& tracker) = 0;
    virtual int GetTrackerCount() = 0;
    /// Raises EVRNListError for an index outside the list.
    virtual TrackerAddInPtr GetTracker(int index) = 0;
};
using TrackingManagerPtr = std::shared_ptr<IHXTrackingManager_>;
