#include "app/TrackingManagerLink.h"

#include "app/Application.h"
#include "foundation/DateTime.h"
#include "foundation/VRNException.h"
#include "tracking/TrackingSettings.h"

TTrackingManagerLink::TTrackingManagerLink(THXApplication& application, TDayEntryStorageSource entries)
    : m_host(std::make_unique<TApplicationTrackingHost>(application, std::move(entries))),
      m_manager(std::make_shared<TTrackingManager>(*m_host)) {
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

void TTrackingManagerLink::UpdateTracking() {
    if (const auto manager = m_manager)
        manager->UpdateTracking();
}

void TTrackingManagerLink::ResetTrackingData() {
    if (const auto manager = m_manager)
        manager->ResetTrackingData();
}

void TTrackingManagerLink::TrackNow() {
    if (const auto manager = m_manager)
        manager->TrackNow();
}

void TTrackingManagerLink::ReloadSettings() {
    if (const auto manager = m_manager)
        manager->ResetTracking();
}

void TTrackingManagerLink::FinishTracking() {
    if (const auto manager = m_manager)
        manager->FinishTracking();
}

bool TTrackingManagerLink::HideTrackingWindow() {
    const auto manager = m_manager;
    return !manager || manager->HideTrackingWindow();
}

bool TTrackingManagerLink::HasIntervalTracker() {
    const TrackerAddInPtr tracker = m_manager ? m_manager->GetCurrentTracker() : nullptr;
    return tracker && tracker->GetTrackingType() == TTrackingType::Interval;
}

bool TTrackingManagerLink::HasTrackingTracker() {
    const TrackerAddInPtr tracker = m_manager ? m_manager->GetCurrentTracker() : nullptr;
    return tracker && tracker->GetTrackingType() != TTrackingType::None;
}

int TTrackingManagerLink::TrackingIntervalMinutes() {
    return m_manager ? m_manager->GetTrackingInterval() : TrackingSettings::DefaultInterval;
}

void TTrackingManagerLink::TrackingImpossibleNoticeGiven() {
    if (m_nextNotice)
        *m_nextNotice = NowDateTime();
}

void TTrackingManagerLink::SetNextTrackingTime(double time) {
    if (const auto manager = m_manager)
        manager->SetNextTrackingTime(time);
}

void TTrackingManagerLink::SetRemindNotBefore(double time) {
    if (const auto manager = m_manager)
        manager->SetRemindNotBefore(time);
}

void TTrackingManagerLink::RecordProgramStart() {
    if (const auto manager = m_manager)
        manager->RecordProgramStart();
}

bool TTrackingManagerLink::CanShowWorksheet() {
    const auto manager = m_manager;
    return manager && manager->CanShowWorksheet();
}

void TTrackingManagerLink::ShowWorksheet() {
    if (const auto manager = m_manager)
        manager->ShowWorksheet();
}

void TTrackingManagerLink::SetWorksheetShower(const std::shared_ptr<IHXWorksheetShower_>& shower) {
    if (const auto manager = m_manager)
        manager->SetWorksheetShower(shower);
}

void TTrackingManagerLink::AddTracker(const TrackerAddInPtr& tracker) {
    if (!m_manager)
        throw EVRNException(QStringLiteral("TTrackingManagerLink.AddTracker: the tracking manager is gone"));
    m_manager->AddTracker(tracker);
}

int TTrackingManagerLink::GetTrackerCount() {
    return m_manager ? m_manager->GetTrackerCount() : 0;
}

TrackerAddInPtr TTrackingManagerLink::GetTracker(int index) {
    if (!m_manager)
        throw EVRNListError(QStringLiteral("TTrackingManagerLink.GetTracker: index %1 out of range"),
                            {QString::number(index)});
    return m_manager->GetTracker(index);
}

TrackerAddInPtr TTrackingManagerLink::GetCurrentTracker() {
    return m_manager ? m_manager->GetCurrentTracker() : nullptr;
}

void TTrackingManagerLink::Cleanup() {
    if (!m_manager)
        return;
    m_manager->GetNotifications() = TTrackingManagerNotifications{};
    m_manager->Cleanup();
    m_host->SetManager(nullptr);
    m_manager.reset();
}
