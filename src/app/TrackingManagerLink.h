#pragma once

// The tracking manager as the controller owns it: the manager with its host over the controller,
// its seven notifications routed to the controller's tray reactions.

#include "app/ApplicationTrackingHost.h"
#include "tracking/TrackingManager.h"
#include "tracking/TrackingManagerLinkInterface.h"

#include <memory>

class THXApplication;

class TTrackingManagerLink : public IHXTrackingManagerLink {
public:
    /// application must outlive the link (the controller owns it and calls Cleanup first).
    TTrackingManagerLink(THXApplication& application, TDayEntryStorageSource entries);
    ~TTrackingManagerLink() override;

    /// The manager itself, for the parts that register trackers or answer its questions (until
    /// Cleanup).
    TTrackingManager& Manager() { return *m_manager; }

    // After Cleanup the manager is gone and every call does nothing (the controller it asked is
    // being torn down).
    void UpdateTracking() override;
    void ResetTrackingData() override;
    void TrackNow() override;
    /// The settings are read at every update; what was derived from them is forgotten here.
    void ReloadSettings() override;
    void FinishTracking() override;
    bool HideTrackingWindow() override;
    bool HasIntervalTracker() override;
    bool HasTrackingTracker() override;
    int TrackingIntervalMinutes() override;
    /// Only meaningful inside the tracking-impossible notification: the notice is given again at
    /// the next update.
    void TrackingImpossibleNoticeGiven() override;
    void SetNextTrackingTime(double time) override;
    void SetRemindNotBefore(double time) override;
    void RecordProgramStart() override;
    bool CanShowWorksheet() override;
    void ShowWorksheet() override;
    void SetWorksheetShower(const std::shared_ptr<IHXWorksheetShower_>& shower) override;
    void AddTracker(const TrackerAddInPtr& tracker) override;
    int GetTrackerCount() override;
    TrackerAddInPtr GetTracker(int index) override;
    TrackerAddInPtr GetCurrentTracker() override;
    void Cleanup() override;

private:
    void ConnectNotifications(THXApplication& application);

    std::unique_ptr<TApplicationTrackingHost> m_host;
    /// Shared so that a call in progress (a modal question, say) keeps the manager alive when the
    /// program ends meanwhile.
    std::shared_ptr<TTrackingManager> m_manager;
    /// The next-notice time of the tracking-impossible notification while it runs.
    double* m_nextNotice = nullptr;
};
