#include "TrackingTestFixture.h"

#include "tracking/TrackingSettings.h"

namespace {
using TS = TrackingTestBase;

struct TClampCase {
    const char* key;
    std::optional<qint64> stored;
    int expected;
};

class SettingsClamp : public TS, public ::testing::WithParamInterface<TClampCase> {};

TEST_P(SettingsClamp, IntegersAreClampedAndMissingValuesGiveTheDefault) {
    const TClampCase& c = GetParam();
    if (c.stored)
        Host.Options[QString::fromLatin1(c.key)] = *c.stored;
    const int value = QString::fromLatin1(c.key) == TrackingSettings::IntervalKey ? TrackingSettings::Interval(Host)
                                                                                  : TrackingSettings::Granularity(Host);
    EXPECT_EQ(value, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SettingsClamp,
    ::testing::Values(TClampCase{"interval", {}, 60}, TClampCase{"interval", 0, 1}, TClampCase{"interval", -5, 1},
                      TClampCase{"interval", 100, 100}, TClampCase{"interval", 4000000000LL, 100},
                      TClampCase{"tracking granularity", {}, 15}, TClampCase{"tracking granularity", 0, 1},
                      TClampCase{"tracking granularity", 7, 7}, TClampCase{"tracking granularity", 61, 60}));

TEST_F(TS, WorkStartAndTrackerFallBackToTheirDefaults) {
    EXPECT_DOUBLE_EQ(TrackingSettings::WorkStart(Host), 5.0 / 24);
    EXPECT_EQ(TrackingSettings::CurrentTracker(Host), RegularTrackerID);
    EXPECT_DOUBLE_EQ(TrackingSettings::ProgramStart(Host), 0.0);
    Host.Options[TrackingSettings::WorkStartKey] = 4.5 / 24;
    EXPECT_DOUBLE_EQ(TrackingSettings::WorkStart(Host), 4.5 / 24);
    Host.Options[TrackingSettings::WorkStartKey] = 3.0; // a date-time, not a time of day
    EXPECT_DOUBLE_EQ(TrackingSettings::WorkStart(Host), 5.0 / 24);
    Host.Options[TrackingSettings::IntervalKey] = QStringLiteral("ten"); // wrong type
    EXPECT_EQ(TrackingSettings::Interval(Host), 60);
}

TEST_F(TS, NoTrackingLeavesTheManagerWithoutAWindowOnEveryUpdate) {
    Host.Options[TrackingSettings::CurrentTrackerKey] = NoTrackingTrackerID;
    Start();
    RunUntil(QDT(2026, 3, 2, 12, 0));
    EXPECT_EQ(Manager->GetCurrentTracker(), NoTracking);
    EXPECT_EQ(Regular->CreateCount, 0);
    EXPECT_EQ(Recorder.Count("NoTracker"), Recorder.Events.size());
    EXPECT_EQ(Recorder.Count("NoTracker"), (12 * 60 - 8 * 60 - 10) * 12);
    EXPECT_EQ(Host.ReadCount, 0);
    EXPECT_EQ(std::get<QString>(Host.Options[TrackingSettings::CurrentTrackerKey]), NoTrackingTrackerID);

    // Choosing the regular tracker again in the options takes effect at the next update.
    Host.Options[TrackingSettings::CurrentTrackerKey] = RegularTrackerID;
    Manager->ResetTracking();
    EXPECT_EQ(Manager->GetCurrentTracker(), Regular);
    EXPECT_TRUE(Window()->IsVisible());
}

struct TSelectionCase {
    const char* name;
    std::vector<int> trackers; // tracking types; identifiers are {0...0N}
    QString wanted;
    int expectedIndex; // -1: none
    bool writtenBack;
};

class Selection : public TS, public ::testing::WithParamInterface<TSelectionCase> {};

QString TrackerId(int index) {
    return QStringLiteral("{00000000-0000-0000-0000-%1}").arg(index, 12, 10, QLatin1Char('0'));
}

TEST_P(Selection, ChoosesTheConfiguredTrackerOrAFallback) {
    const TSelectionCase& c = GetParam();
    std::vector<std::shared_ptr<FakeTracker>> trackers;
    Host.Trackers.clear();
    for (std::size_t i = 0; i < c.trackers.size(); ++i) {
        trackers.push_back(
            std::make_shared<FakeTracker>(TrackerId(static_cast<int>(i)), static_cast<TTrackingType>(c.trackers[i])));
        Host.Trackers.push_back(trackers.back());
    }
    Host.Options[TrackingSettings::CurrentTrackerKey] = c.wanted;
    Start();
    EXPECT_NO_THROW(Manager->UpdateTracking());
    if (c.expectedIndex < 0) {
        EXPECT_TRUE(Manager->GetCurrentTracker() == nullptr ||
                    Manager->GetCurrentTracker()->GetTrackingType() == TTrackingType::None);
        EXPECT_EQ(Recorder.Events.back(), "NoTracker");
    } else {
        ASSERT_EQ(Manager->GetCurrentTracker(), trackers[static_cast<std::size_t>(c.expectedIndex)]);
        EXPECT_EQ(trackers[static_cast<std::size_t>(c.expectedIndex)]->CreateCount, 1);
    }
    const QString stored = std::get<QString>(Host.Options[TrackingSettings::CurrentTrackerKey]);
    EXPECT_EQ(stored, c.writtenBack ? TrackerId(c.expectedIndex) : c.wanted);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Selection,
    ::testing::Values(TSelectionCase{"EmptyList", {}, RegularTrackerID, -1, false},
                      TSelectionCase{"Match", {1, 2}, TrackerId(1), 1, false},
                      TSelectionCase{"MatchIgnoresCase", {1, 2}, TrackerId(1).toLower(), 1, false},
                      // Unknown: the last tracker if it tracks ...
                      TSelectionCase{"UnknownLastTracks", {0, 1, 2}, "{12345678-0000-0000-0000-000000000000}", 2, true},
                      // ... else the first that does.
                      TSelectionCase{
                          "UnknownLastDoesNotTrack", {0, 1, 2, 0}, "{12345678-0000-0000-0000-000000000000}", 1, true},
                      TSelectionCase{"UnknownNoneTracks", {0, 0}, "{12345678-0000-0000-0000-000000000000}", -1, false},
                      // A non-tracking tracker chosen by name stays chosen.
                      TSelectionCase{"ChosenNonTracking", {1, 0}, TrackerId(1), -1, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TS, SwitchingTrackersFreesTheOldWindowAndTheTrackerListIsChecked) {
    auto other = std::make_shared<FakeTracker>("{00000000-0000-0000-0000-0000000000AA}", TTrackingType::Interval);
    Host.Trackers.push_back(other);
    Start();
    Manager->UpdateTracking();
    EXPECT_EQ(Regular->CreateCount, 1);
    Host.Options[TrackingSettings::CurrentTrackerKey] = other->GetID();
    Manager->UpdateTracking();
    EXPECT_EQ(Regular->FreeCount, 1);
    EXPECT_EQ(other->CreateCount, 1);
    EXPECT_EQ(Manager->GetTrackerCount(), 3);
    EXPECT_EQ(Manager->GetTracker(2), other);
    EXPECT_THROW(Manager->GetTracker(3), EVRNListError);
    EXPECT_THROW(Manager->GetTracker(-1), EVRNListError);
    EXPECT_THROW(Manager->AddTracker(nullptr), EUnassignedArgumentError);
    Manager.reset();
    EXPECT_EQ(other->FreeCount, 1);
}
} // namespace
