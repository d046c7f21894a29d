#pragma once

#include "TrackingFakes.h"
#include "foundation/DateTime.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <memory>

/// A manager over a fake program with the two built-in trackers (the regular one as a fake
/// interval tracker) on a fixed clock. Granularity 15 and interval 60 unless a test sets others.
class TrackingTestBase : public ::testing::Test {
protected:
    TrackingTestBase() : m_clock(QDT(2026, 3, 2, 8, 10)) {
        Regular = std::make_shared<FakeTracker>(RegularTrackerID, TTrackingType::Interval);
        NoTracking = std::make_shared<TNoTrackingAddIn>();
        Host.Trackers = {Regular, NoTracking};
    }

    /// Creates the manager now (its creation time is the program start) and registers the trackers.
    TTrackingManager& Start() {
        Manager = std::make_unique<TTrackingManager>(Host);
        for (const TrackerAddInPtr& tracker : Host.Trackers)
            Manager->AddTracker(tracker);
        Recorder.Connect(Manager->GetNotifications());
        return *Manager;
    }

    void SetNow(const QDateTime& now) { m_clock->Set(now); }
    double Now() const { return DateTimeFromQDateTime(Clock::Instance().CurrentDateTime()); }

    /// Advances in 5-second steps, updating each time, until the window becomes visible or until
    /// is reached. Returns the time the window was shown, or nullopt.
    std::optional<double> RunUntilShown(const QDateTime& until) {
        while (m_clock->CurrentDateTime() < until) {
            m_clock->AdvanceSecs(5);
            Manager->UpdateTracking();
            if (Window() && Window()->IsVisible())
                return Now();
        }
        return std::nullopt;
    }

    /// Updates every 5 seconds up to (and including) until.
    void RunUntil(const QDateTime& until) {
        while (m_clock->CurrentDateTime() < until) {
            m_clock->AdvanceSecs(5);
            Manager->UpdateTracking();
        }
    }

    FakeTrackingWindow* Window() const { return Regular->Window.get(); }

    ScopedFixedClock m_clock;
    FakeTrackingHost Host;
    std::shared_ptr<FakeTracker> Regular;
    std::shared_ptr<TNoTrackingAddIn> NoTracking;
    std::unique_ptr<TTrackingManager> Manager;
    NotificationRecorder Recorder;
    const TGUID Work = TGUID::Constant("{11111111-2222-3333-4444-555555555555}");
    const TGUID Lunch = TGUID::Constant("{AAAAAAAA-2222-3333-4444-555555555555}");
};
