#pragma once
// What the tests of the controller and the tray window share: a tracking manager stand-in that
// records its calls, and a fixture that resets the process-wide program state around each test.
#include "app/Application.h"
#include "support/TestEnvironment.h"
#include "tracking/TrackingManagerInterface.h"
#include "tracking/TrackingManagerLinkInterface.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

/// Records the calls it receives; the flags shape its answers.
class FakeTrackingManager : public IHXTrackingManagerLink {
public:
    void UpdateTracking() override { calls << QStringLiteral("UpdateTracking"); }
    void ResetTrackingData() override {
        calls << QStringLiteral("ResetTrackingData");
        ++resets;
    }
    void TrackNow() override { calls << QStringLiteral("TrackNow"); }
    void ReloadSettings() override { calls << QStringLiteral("ReloadSettings"); }
    void FinishTracking() override;
    bool HideTrackingWindow() override { return !worksheetOpen; }
    bool HasIntervalTracker() override { return intervalTracker; }
    int TrackingIntervalMinutes() override { return 60; }
    void TrackingImpossibleNoticeGiven() override { calls << QStringLiteral("NoticeGiven"); }
    void SetNextTrackingTime(double time) override {
        calls << QStringLiteral("SetNextTrackingTime");
        nextTrackingTime = time;
    }
    void SetRemindNotBefore(double time) override {
        calls << QStringLiteral("SetRemindNotBefore");
        remindNotBefore = time;
    }
    void RecordProgramStart() override { calls << QStringLiteral("RecordProgramStart"); }
    bool CanShowWorksheet() override { return false; }
    void ShowWorksheet() override { calls << QStringLiteral("ShowWorksheet"); }
    void SetWorksheetShower(const std::shared_ptr<IHXWorksheetShower_>& shower) override { worksheetShower = shower; }
    void AddTracker(const TrackerAddInPtr& tracker) override { trackers.push_back(tracker); }
    int GetTrackerCount() override { return static_cast<int>(trackers.size()); }
    TrackerAddInPtr GetTracker(int index) override { return trackers.at(static_cast<size_t>(index)); }
    TrackerAddInPtr GetCurrentTracker() override { return currentTracker; }
    /// Forgets the trackers as the manager does (a tracker add-in keeps the controller).
    void Cleanup() override {
        calls << QStringLiteral("Cleanup");
        worksheetShower.reset();
        trackers.clear();
    }

    QStringList calls;
    /// Set by the worksheet add-in when it is launched.
    std::shared_ptr<IHXWorksheetShower_> worksheetShower;
    double nextTrackingTime = 0;
    double remindNotBefore = 0;
    /// The trackers registered by the add-ins.
    std::vector<TrackerAddInPtr> trackers;
    /// What GetCurrentTracker answers.
    TrackerAddInPtr currentTracker;
    int resets = 0;
    bool intervalTracker = true;
    /// The last question of the day fails.
    bool failFinish = false;
    /// The worksheet is open through the tracking manager: the tracking window cannot be hidden.
    bool worksheetOpen = false;
};

/// Runs every test in a temporary home with the message box seam, the program-end state and the
/// start values reset before and after it; the controller is released at the end.
class ControllerTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    /// Delivers posted events and deferred deletions, as the message loop would.
    static void ProcessPosted();
    /// The options the tests start the controller with: no splash window, a fixed program path
    /// and a new FakeTrackingManager in m_tracking at every start.
    THXApplication::Options TestOptions(bool showSplash = false);
    /// Module preparation and a controller with these options, initialised.
    void StartController(const THXApplication::Options& options);
    /// Releases the controller and the start values (the process "ends": the files close).
    void StopController();
    /// The storage folder of the temporary home.
    QString Folder() const { return m_home.DataHome() + QStringLiteral("/Horalux/"); }

    TempHome m_home;
    std::shared_ptr<THXApplication> m_app;
    std::shared_ptr<FakeTrackingManager> m_tracking;
    int m_terminated = 0;
};
