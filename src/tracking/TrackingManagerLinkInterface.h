#pragma once

// The application's view of the tracking manager: the calls the controller, the main window and
// the add-ins make. The tracking manager (or an adapter around it) implements it and is handed to
// the controller when the load sequence prepares tracking; its notifications come back through
// the THXApplication::OnDaySwitch ... OnTrackingShown handlers.

#include "tracking/TrackerInterfaces.h"

class IHXWorksheetShower_;

#include <memory>

class IHXTrackingManagerLink {
public:
    IHXTrackingManagerLink() = default;
    virtual ~IHXTrackingManagerLink() = default;
    IHXTrackingManagerLink(const IHXTrackingManagerLink&) = delete;
    IHXTrackingManagerLink& operator=(const IHXTrackingManagerLink&) = delete;

    /// The regular check (reason 0): the main window's timer and regional-settings changes.
    virtual void UpdateTracking() = 0;
    /// Drops the loaded data and checks again (reason 4), after the stored data changed.
    virtual void ResetTrackingData() = 0;
    /// Opens the tracking window for the period to explain now (reason 3).
    virtual void TrackNow() = 0;
    /// Reads the options again (after ApplyOptions).
    virtual void ReloadSettings() = 0;
    /// The last, modal explanation of the day (normal close only).
    virtual void FinishTracking() = 0;
    /// Hides the tracking window before the session ends; false when it cannot.
    virtual bool HideTrackingWindow() = 0;
    /// Whether the current tracker asks at intervals (the "Show Tracking" action is visible then).
    virtual bool HasIntervalTracker() = 0;
    /// Whether the current tracker tracks at all (its tracking-window hot key counts then).
    virtual bool HasTrackingTracker() { return HasIntervalTracker(); }
    /// The tracking interval in minutes.
    virtual int TrackingIntervalMinutes() = 0;
    /// The tracking-impossible notice could not be shown: it counts as given now.
    virtual void TrackingImpossibleNoticeGiven() = 0;
    /// The next question is due at this date-time (a remind-later choice of the tracking window).
    virtual void SetNextTrackingTime(double time) = 0;
    /// Due questions wait until this date-time ("Remind automatically").
    virtual void SetRemindNotBefore(double time) = 0;
    /// "Start Tracking for Today": the working day's program start becomes now.
    virtual void RecordProgramStart() = 0;
    /// Whether the worksheet can be opened from the tracking window.
    virtual bool CanShowWorksheet() = 0;
    /// Opens the worksheet (blocks until it has closed).
    virtual void ShowWorksheet() = 0;
    /// Who opens the worksheet (the worksheet add-in, when it is launched); none: no worksheet.
    virtual void SetWorksheetShower(const std::shared_ptr<IHXWorksheetShower_>& shower) = 0;
    /// Adds a tracker to the manager's list (trackers register themselves when they are launched).
    virtual void AddTracker(const TrackerAddInPtr& tracker) = 0;
    /// The registered trackers, in registration order.
    virtual int GetTrackerCount() = 0;
    /// Raises EVRNListError for an index outside the list.
    virtual TrackerAddInPtr GetTracker(int index) = 0;
    /// The tracker the manager uses now (none before it first chose one).
    virtual TrackerAddInPtr GetCurrentTracker() = 0;
    /// Breaks the manager's references (called when the controller shuts down).
    virtual void Cleanup() = 0;
};
using TrackingManagerLinkPtr = std::shared_ptr<IHXTrackingManagerLink>;
