#pragma once

// The tracking manager as the controller owns it: the manager with its host over the controller,
// its seven notifications routed to the controller's tray reactions.

#include "app/ApplicationTrackingHost.h"
#include "app/TrackingLink.h"
#include "tracking/TrackingManager.h"

#include <memory>

class THXApplication;

class TTrackingManagerLink : public IHXTrackingManagerLink {
public:
    /// application must outlive the link (the controller owns it and calls Cleanup first).
    TTrackingManagerLink(THXApplication& application, TDayEntryStorageSource entries);
    ~TTrackingManagerLink() override;

    /// The manager itself, for the parts that register trackers or answer its questions.
    TTrackingManager& Manager() { return *m_manager; }

    void UpdateTracking() override { m_manager->UpdateTracking(); }
    void ResetTrackingData() override { m_manager->ResetTrackingData(); }
    void TrackNow() override { m_manager->TrackNow(); }
    /// The settings are read at every update; what was derived from them is forgotten here.
    void ReloadSettings() override { m_manager->ResetTracking(); }
    void FinishTracking() override { m_manager->FinishTracking(); }
    bool HideTrackingWindow() override { return m_manager->HideTrackingWindow(); }
    bool HasIntervalTracker() override;
    int TrackingIntervalMinutes() override { return m_manager->GetTrackingInterval(); }
    /// Only meaningful inside the tracking-impossible notification: the notice is given again at
    /// the next update.
    void TrackingImpossibleNoticeGiven() override;
    void Cleanup() override;

private:
    void ConnectNotifications(THXApplication& application);

    std::unique_ptr<TApplicationTrackingHost> m_host;
    std::unique_ptr<TTrackingManager> m_manager;
    /// The next-notice time of the tracking-impossible notification while it runs.
    double* m_nextNotice = nullptr;
};
