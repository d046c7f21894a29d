#include "app/TrackingManagerLink.h"

#include "app/Application.h"
#include "foundation/DateTime.h"

TTrackingManagerLink::TTrackingManagerLink(THXApplication& application, TDayEntryStorageSource entries)
    : m_host(std::make_unique<TApplicationTrackingHost>(application, std::move(entries))),
      m_manager(std::make_unique<TTrackingManager>(*m_host)) {
    m_host->SetManager(m_manager.get());
    ConnectNotifications(application);
}

TTrackingManagerLink::~TTrackingManagerLink() {
    Cleanup();
}

void TTrackingManagerLink::ConnectNotifications(THXApplication& application) {
    THXApplication* app = &application;
    TTrackingManagerNotifications& notifications = m_manager->GetNotifications();
    notifications.OnDaySwitch = [app] { app->OnDaySwitch(); };
    notifications.OnDaySwitchEnd = [app] { app->OnDaySwitchEnd(); };
    notifications.OnTrackingImpossible = [this, app](const TTrackingEntry&, double& nextNotice) {
        m_nextNotice = &nextNotice;
        try {
            app->OnTrackingImpossible();
        } catch (...) {
            m_nextNotice = nullptr;
            throw;
        }
        m_nextNotice = nullptr;
    };
    notifications.OnTrackingPossible = [app] { app->OnTrackingPossible(); };
    notifications.OnNextTracking = [app](double time) { app->OnNextTracking(time); };
    notifications.OnNoTracker = [app] { app->OnNoTracker(); };
    notifications.OnTrackingShown = [app] { app->OnTrackingShown(); };
}

bool TTrackingManagerLink::HasIntervalTracker() {
    const TrackerAddInPtr tracker = m_manager->GetCurrentTracker();
    return tracker && tracker->GetTrackingType() == TTrackingType::Interval;
}

void TTrackingManagerLink::TrackingImpossibleNoticeGiven() {
    if (m_nextNotice)
        *m_nextNotice = NowDateTime();
}

void TTrackingManagerLink::Cleanup() {
    if (!m_manager)
        return;
    m_manager->GetNotifications() = TTrackingManagerNotifications{};
    m_manager->Cleanup();
    m_host->SetManager(nullptr);
}
