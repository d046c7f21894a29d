#include "TrackingTestFixture.h"

#include "foundation/DateTime.h"
#include "foundation/Log.h"
#include "tracking/TrackingSettings.h"

#include <QFile>

namespace {
using TM = TrackingTestBase;

// --- When the question comes and which period it asks about ------------------------------------

struct TFirstQuestionCase {
    const char* name;
    int lastEntryEndHour, lastEntryEndMinute; // -1: no entry yesterday or today
    int startHour, startMinute;
    int dueHour, dueMinute;
    int fromHour, fromMinute;
};

class FirstQuestion : public TM, public ::testing::WithParamInterface<TFirstQuestionCase> {};

TEST_P(FirstQuestion, ComesWhenTheIntervalHasPassedSinceTheRoundedStartOfTheGap) {
    const TFirstQuestionCase& c = GetParam();
    if (c.lastEntryEndHour >= 0)
        Host.Book(DT(2026, 3, 2, 8, 0), DT(2026, 3, 2, c.lastEntryEndHour, c.lastEntryEndMinute), Work);
    SetNow(QDT(2026, 3, 2, c.startHour, c.startMinute));
    Start();
    const std::optional<double> shown = RunUntilShown(QDT(2026, 3, 2, 18, 0));
    ASSERT_TRUE(shown);
    EXPECT_DOUBLE_EQ(*shown, DT(2026, 3, 2, c.dueHour, c.dueMinute));
    ASSERT_EQ(Window()->Shown.size(), 1u);
    EXPECT_DOUBLE_EQ(Window()->Shown[0].From, DT(2026, 3, 2, c.fromHour, c.fromMinute));
    EXPECT_DOUBLE_EQ(Window()->Shown[0].To, DT(2026, 3, 2, c.dueHour, c.dueMinute));
    EXPECT_FALSE(Window()->Shown[0].Modal);
    EXPECT_EQ(Recorder.Events.back(), "Shown");
    // The tray was told the time of the question before it came.
    ASSERT_FALSE(Recorder.NextTracking.empty());
    EXPECT_DOUBLE_EQ(Recorder.NextTracking.front(), DT(2026, 3, 2, c.dueHour, c.dueMinute));
}

INSTANTIATE_TEST_SUITE_P(Scenarios, FirstQuestion,
                         ::testing::Values(
                             // Start 08:10 after "workstart" 05:00, nothing booked: 08:00 + 60.
                             TFirstQuestionCase{"StartAt0810", -1, 0, 8, 10, 9, 0, 8, 10},
                             // Last entry ended 12:05: 12:00 + 60.
                             TFirstQuestionCase{"LastEntry1205", 12, 5, 12, 5, 13, 0, 12, 5}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TM, TheEndOfThePeriodIsRoundedDownToTheGranularity) {
    Start();
    SetNow(QDT(2026, 3, 2, 9, 7, 30));
    Manager->UpdateTracking();
    ASSERT_EQ(Window()->Shown.size(), 1u);
    EXPECT_DOUBLE_EQ(Window()->Shown[0].From, DT(2026, 3, 2, 8, 10));
    EXPECT_DOUBLE_EQ(Window()->Shown[0].To, DT(2026, 3, 2, 9, 0));

    // While visible, the period follows the clock; granularity 7 rounds 10:44 to 10:42.
    Host.Options[TrackingSettings::GranularityKey] = qint64{7};
    SetNow(QDT(2026, 3, 2, 9, 44, 59));
    Manager->UpdateTracking();
    EXPECT_DOUBLE_EQ(*Window()->PeriodTo, DT(2026, 3, 2, 9, 42));
    EXPECT_EQ(Window()->Shown.size(), 1u);

    // A period shorter than one step ends at the present minute instead.
    Window()->HideTracking();
    Host.Book(DT(2026, 3, 2, 8, 10), DT(2026, 3, 2, 9, 43), Work);
    Manager->ResetTrackingData();
    Manager->TrackNow();
    EXPECT_DOUBLE_EQ(Window()->Shown.back().From, DT(2026, 3, 2, 9, 43));
    EXPECT_DOUBLE_EQ(Window()->Shown.back().To, DT(2026, 3, 2, 9, 44));
}

TEST_F(TM, NoQuestionWhileAProgramWindowOrTheTrayMenuIsOpen) {
    Start();
    Host.CurrentWindow = true;
    RunUntil(QDT(2026, 3, 2, 9, 30));
    EXPECT_TRUE(Window()->Shown.empty());
    Host.CurrentWindow = false;
    Host.TrayMenuOpen = true;
    RunUntil(QDT(2026, 3, 2, 9, 35));
    EXPECT_TRUE(Window()->Shown.empty());
    Host.TrayMenuOpen = false;
    Manager->UpdateTracking();
    ASSERT_EQ(Window()->Shown.size(), 1u);
    EXPECT_DOUBLE_EQ(Window()->Shown[0].To, DT(2026, 3, 2, 9, 30));
}

TEST_F(TM, AnEveryUpdateTrackerAsksAtOnceAndAPlannedBreakIsProposed) {
    Regular = std::make_shared<FakeTracker>(RegularTrackerID, TTrackingType::EveryUpdate);
    Host.Trackers = {Regular};
    Host.Breaks = {TPlannedBreakValues{12.0 / 24, 13.0 / 24, 30 * OneMinute, Lunch}};
    SetNow(QDT(2026, 3, 2, 11, 50));
    Start();
    Manager->UpdateTracking();
    ASSERT_EQ(Window()->Shown.size(), 1u);
    EXPECT_FALSE(Window()->ProposedBreak); // an empty period 11:50-11:50 has no room for it
    SetNow(QDT(2026, 3, 2, 13, 5));
    Manager->UpdateTracking();
    ASSERT_TRUE(Window()->ProposedBreak);
    EXPECT_EQ(Window()->ProposedBreak->ActivityId, Lunch);

    // Once lunch is booked today, it is no longer proposed.
    Window()->HideTracking();
    Host.Book(DT(2026, 3, 2, 11, 50), DT(2026, 3, 2, 12, 40), Lunch);
    Manager->ResetTrackingData();
    SetNow(QDT(2026, 3, 2, 13, 45));
    Manager->UpdateTracking();
    ASSERT_TRUE(Window()->IsVisible());
    EXPECT_FALSE(Window()->ProposedBreak);
    EXPECT_EQ(Host.BreakLoadCount, 2); // read again after each reset, not on every reload
}

// --- Tracking impossible -----------------------------------------------------------------------

TEST_F(TM, APreBookedEntryMakesTrackingImpossibleWithTheNoticeOnceAnHour) {
    Host.Book(DT(2026, 3, 2, 8, 0), DT(2026, 3, 2, 12, 0), Work);
    Host.Book(DT(2026, 3, 2, 14, 0), DT(2026, 3, 2, 16, 0), Work);
    SetNow(QDT(2026, 3, 2, 12, 0));
    Start();
    ASSERT_TRUE(RunUntilShown(QDT(2026, 3, 2, 14, 0)));
    EXPECT_DOUBLE_EQ(*Window()->PeriodFrom, DT(2026, 3, 2, 12, 0));

    RunUntil(QDT(2026, 3, 2, 14, 30));
    EXPECT_FALSE(Window()->IsVisible());
    EXPECT_EQ(Manager->DataTimeState(), TDataTimeState::InEntry);
    ASSERT_EQ(Recorder.Count("Impossible"), 1);
    EXPECT_DOUBLE_EQ(Recorder.Impossible[0].Start(), DT(2026, 3, 2, 14, 0));
    EXPECT_DOUBLE_EQ(Recorder.Impossible[0].End(), DT(2026, 3, 2, 16, 0));
    // Remembering the entry keeps the updates inside it from reading the storage.
    const int reads = Host.ReadCount;
    RunUntil(QDT(2026, 3, 2, 15, 0));
    EXPECT_EQ(Host.ReadCount, reads);
    EXPECT_EQ(Recorder.Count("Impossible"), 1);

    // Repeated an hour after the first notice (the first update after 14:00 gave it), with the same entry.
    RunUntil(QDT(2026, 3, 2, 15, 0, 5));
    EXPECT_EQ(Recorder.Count("Impossible"), 1);
    RunUntil(QDT(2026, 3, 2, 15, 0, 10));
    ASSERT_EQ(Recorder.Count("Impossible"), 2);
    EXPECT_DOUBLE_EQ(Recorder.Impossible[1].Start(), DT(2026, 3, 2, 14, 0));
    // ... and on an explicit request.
    Manager->TrackNow();
    EXPECT_EQ(Recorder.Count("Impossible"), 3);

    // When the entry ends, tracking is possible again.
    RunUntil(QDT(2026, 3, 2, 16, 0, 5));
    EXPECT_EQ(Manager->DataTimeState(), TDataTimeState::InGap);
    EXPECT_GT(Recorder.Count("Possible"), 0);
    EXPECT_EQ(Recorder.Count("Impossible"), 3);
}

TEST_F(TM, AnotherCoveringEntryGivesTheNoticeAgainAndAnUnshownNoticeIsRetried) {
    Host.Book(DT(2026, 3, 2, 8, 0), DT(2026, 3, 2, 9, 0), Work);
    Host.Book(DT(2026, 3, 2, 9, 0), DT(2026, 3, 2, 10, 0), Lunch);
    SetNow(QDT(2026, 3, 2, 8, 30));
    Start();
    Manager->UpdateTracking();
    EXPECT_EQ(Recorder.Count("Impossible"), 1);
    RunUntil(QDT(2026, 3, 2, 9, 0, 5));
    ASSERT_EQ(Recorder.Count("Impossible"), 2);
    EXPECT_EQ(Recorder.Impossible[1].ActivityId, Lunch);

    // The application could not show it: it asks for the notice again at the next update.
    Recorder.MoveNextNoticeTo = Now();
    Manager->TrackNow();
    Recorder.MoveNextNoticeTo.reset();
    RunUntil(QDT(2026, 3, 2, 9, 0, 20));
    EXPECT_EQ(Recorder.Count("Impossible"), 4);
    RunUntil(QDT(2026, 3, 2, 9, 30));
    EXPECT_EQ(Recorder.Count("Impossible"), 4);
}

// --- End of work -------------------------------------------------------------------------------

TEST_F(TM, OvernightEndOfWorkStopsTrackingUntilStartTrackingForToday) {
    SetNow(QDT(2026, 3, 1, 8, 0));
    Start();
    Host.Book(DT(2026, 3, 1, 8, 0), DT(2026, 3, 1, 18, 0), Work);
    Manager->ResetTrackingData();
    // The machine slept; the first update of the morning reloads and detects the end of work.
    SetNow(QDT(2026, 3, 2, 7, 0));
    Manager->UpdateTracking();
    EXPECT_EQ(Recorder.Events.back(), "DaySwitch");
    EXPECT_EQ(Recorder.Count("DaySwitch"), 1);
    ASSERT_TRUE(RunUntilShown(QDT(2026, 3, 2, 7, 5)) == std::nullopt);
    EXPECT_EQ(Recorder.Count("DaySwitch"), 61);

    // "Start Tracking for Today".
    Manager->RecordProgramStart();
    EXPECT_EQ(Host.SaveCount, 1);
    EXPECT_DOUBLE_EQ(*Host.ReadDateTimeOption(TrackingSettings::ProgramStartKey), DT(2026, 3, 2, 7, 5));
    const std::optional<double> shown = RunUntilShown(QDT(2026, 3, 2, 9, 0));
    ASSERT_TRUE(shown);
    EXPECT_DOUBLE_EQ(*shown, DT(2026, 3, 2, 8, 0));
    EXPECT_DOUBLE_EQ(Window()->Shown[0].From, DT(2026, 3, 2, 7, 5));
    EXPECT_DOUBLE_EQ(Window()->Shown[0].To, DT(2026, 3, 2, 8, 0));
    EXPECT_EQ(Recorder.Count("DaySwitch"), 61);
    EXPECT_GT(Recorder.Count("DaySwitchEnd"), 0);
}

struct TWorkStartCase {
    const char* name;
    QDateTime programStart;
    std::optional<double> storedProgramStart;
    double lastEntryEnd;
    bool home;
    double explainFrom; // when asked
};

class WorkStart : public TM, public ::testing::WithParamInterface<TWorkStartCase> {};

TEST_P(WorkStart, DecidesBetweenEndOfWorkAndAskingFromTheProgramStart) {
    const TWorkStartCase& c = GetParam();
    Host.Book(DT(2026, 3, 1, 8, 0), c.lastEntryEnd, Work);
    if (c.storedProgramStart)
        Host.Options[TrackingSettings::ProgramStartKey] = *c.storedProgramStart;
    SetNow(c.programStart);
    Start();
    SetNow(QDT(2026, 3, 2, 7, 0));
    Manager->TrackNow();
    if (c.home) {
        EXPECT_EQ(Recorder.Events.back(), "DaySwitch");
        EXPECT_TRUE(Window()->Shown.empty());
    } else {
        EXPECT_EQ(Recorder.Count("DaySwitch"), 0);
        ASSERT_EQ(Window()->Shown.size(), 1u);
        EXPECT_DOUBLE_EQ(Window()->Shown[0].From, c.explainFrom);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Scenarios, WorkStart,
    ::testing::Values(
        TWorkStartCase{"StartedBeforeWorkStart", QDT(2026, 3, 2, 4, 30), {}, DT(2026, 3, 1, 18, 0), true, 0},
        TWorkStartCase{
            "StartedAfterWorkStart", QDT(2026, 3, 2, 6, 0), {}, DT(2026, 3, 1, 18, 0), false, DT(2026, 3, 2, 6, 0)},
        // A restart at 06:30 keeps the working day's earlier start 06:00.
        TWorkStartCase{"RestartKeepsEarlierStart", QDT(2026, 3, 2, 6, 30), DT(2026, 3, 2, 6, 0), DT(2026, 3, 1, 18, 0),
                       false, DT(2026, 3, 2, 6, 0)},
        // A stored start of an earlier working day is ignored.
        TWorkStartCase{"StaleStoredStart", QDT(2026, 3, 2, 6, 30), DT(2026, 3, 1, 6, 0), DT(2026, 3, 1, 18, 0), false,
                       DT(2026, 3, 2, 6, 30)},
        // A gap that began less than two hours ago is asked about normally across the work start.
        TWorkStartCase{"RecentGap", QDT(2026, 3, 1, 8, 0), {}, DT(2026, 3, 2, 5, 30), false, DT(2026, 3, 2, 5, 30)}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Reloading ---------------------------------------------------------------------------------

TEST_F(TM, UpdatesReadTheStorageOnlyWhenTheViewIsStale) {
    Start();
    Manager->UpdateTracking();
    EXPECT_EQ(Host.ReadCount, 1);
    // Data booked behind the manager's back is not seen within the hour ...
    Host.Book(DT(2026, 3, 2, 8, 10), DT(2026, 3, 2, 8, 30), Work);
    RunUntil(QDT(2026, 3, 2, 8, 50));
    EXPECT_EQ(Host.ReadCount, 1);
    // ... standby of more than an hour forces a reload ...
    m_clock->AdvanceSecs(3601);
    Manager->UpdateTracking();
    EXPECT_EQ(Host.ReadCount, 2);
    EXPECT_DOUBLE_EQ(Manager->DataFrom(), DT(2026, 3, 2, 8, 30));
    // ... as does a clock that went back, and the storage's data-changed notification.
    m_clock->AdvanceSecs(-60);
    Manager->UpdateTracking();
    EXPECT_EQ(Host.ReadCount, 3);
    Manager->ResetTrackingData();
    EXPECT_EQ(Host.ReadCount, 4);
    // Leaving the loaded gap at midnight reloads as well.
    SetNow(QDT(2026, 3, 2, 23, 59, 58));
    Manager->UpdateTracking();
    const int reads = Host.ReadCount;
    RunUntil(QDT(2026, 3, 3, 0, 0, 3));
    EXPECT_EQ(Host.ReadCount, reads + 1);
}

TEST_F(TM, AFailedReloadIsLoggedSwallowedAndTriedAgain) {
    TempHome home;
    GetLogSettings() = LogSettings{LogTarget::File, LogLevelNormal, home.Path("log.txt")};
    Start();
    Host.FailReads = true;
    EXPECT_NO_THROW(Manager->UpdateTracking());
    EXPECT_FALSE(Manager->IsDataLoaded());
    EXPECT_NO_THROW(Manager->UpdateTracking());
    EXPECT_EQ(Host.ReadCount, 2);
    Host.FailReads = false;
    Manager->UpdateTracking();
    EXPECT_TRUE(Manager->IsDataLoaded());
    GetLogSettings() = LogSettings{};

    QFile log(home.Path("log.txt"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(log.readAll());
    EXPECT_TRUE(
        text.contains("TTrackingManager._UpdateTracking: error in ReloadData: EVRNException - \"FakeTrackingHost"));
    EXPECT_TRUE(text.contains("TTrackingManager._UpdateTracking: EVRNException - \"FakeTrackingHost"));
}

// --- Remind later ------------------------------------------------------------------------------

TEST_F(TM, RemindInThirtyMinutesOverridesTheIntervalUntilTheDataChanges) {
    SetNow(QDT(2026, 3, 2, 9, 0));
    Start();
    Host.Book(DT(2026, 3, 2, 8, 0), DT(2026, 3, 2, 9, 0), Work);
    ASSERT_EQ(*RunUntilShown(QDT(2026, 3, 2, 11, 0)), DT(2026, 3, 2, 10, 0));
    // "Remind in 30 minutes".
    Window()->HideTracking();
    Manager->SetNextTrackingTime(Now() + 30 * OneMinute);
    ASSERT_EQ(*RunUntilShown(QDT(2026, 3, 2, 11, 0)), DT(2026, 3, 2, 10, 30));
    EXPECT_DOUBLE_EQ(Recorder.NextTracking.back(), DT(2026, 3, 2, 10, 30));
    EXPECT_DOUBLE_EQ(Window()->Shown.back().To, DT(2026, 3, 2, 10, 30));

    // A reset of the data forgets it: the question is due again at once (09:00 + 60).
    Window()->HideTracking();
    Manager->SetNextTrackingTime(Now() + 30 * OneMinute);
    Manager->ResetTrackingData();
    EXPECT_TRUE(Window()->IsVisible());
}

TEST_F(TM, RemindAutomaticallyDelaysADueQuestionByTenMinutes) {
    SetNow(QDT(2026, 3, 2, 9, 0));
    Start();
    Host.Book(DT(2026, 3, 2, 8, 0), DT(2026, 3, 2, 9, 0), Work);
    ASSERT_EQ(*RunUntilShown(QDT(2026, 3, 2, 11, 0)), DT(2026, 3, 2, 10, 0));
    Window()->HideTracking();
    Manager->SetRemindNotBefore(Now() + 10 * OneMinute);
    RunUntil(QDT(2026, 3, 2, 10, 5));
    EXPECT_DOUBLE_EQ(Recorder.NextTracking.back(), DT(2026, 3, 2, 10, 10));
    // It survives a reset of the data ...
    Manager->ResetTrackingData();
    EXPECT_FALSE(Window()->IsVisible());
    ASSERT_EQ(*RunUntilShown(QDT(2026, 3, 2, 11, 0)), DT(2026, 3, 2, 10, 10));
    // ... but not a reset of the options.
    Window()->HideTracking();
    Manager->SetRemindNotBefore(Now() + 10 * OneMinute);
    Manager->ResetTracking();
    EXPECT_TRUE(Window()->IsVisible());
}

// --- The final question ------------------------------------------------------------------------

struct TFinalCase {
    int unexplainedMinutes;
    bool asked;
};

class FinalQuestion : public TM, public ::testing::WithParamInterface<TFinalCase> {};

TEST_P(FinalQuestion, IsAskedModallyWhenAtLeastOneGranularityStepIsUnexplained) {
    SetNow(QDT(2026, 3, 2, 17, 0));
    Start();
    Host.Book(DT(2026, 3, 2, 8, 0), DT(2026, 3, 2, 17, 0), Work);
    SetNow(QDT(2026, 3, 2, 17, GetParam().unexplainedMinutes));
    EXPECT_TRUE(Manager->FinishTracking());
    EXPECT_EQ(Manager->IsFinished(), GetParam().asked);
    if (!GetParam().asked) {
        EXPECT_TRUE(!Window() || Window()->Shown.empty());
        return;
    }
    ASSERT_EQ(Window()->Shown.size(), 1u);
    EXPECT_TRUE(Window()->Shown[0].Modal);
    EXPECT_DOUBLE_EQ(Window()->Shown[0].From, DT(2026, 3, 2, 17, 0));
    EXPECT_DOUBLE_EQ(Window()->Shown[0].To, DT(2026, 3, 2, 17, 15));
    // Inert afterwards.
    const int reads = Host.ReadCount;
    SetNow(QDT(2026, 3, 2, 19, 0));
    Manager->UpdateTracking();
    Manager->TrackNow();
    EXPECT_EQ(Host.ReadCount, reads);
    EXPECT_EQ(Window()->Shown.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Minutes, FinalQuestion, ::testing::Values(TFinalCase{10, false}, TFinalCase{20, true}));

TEST_F(TM, TheFinalQuestionReplacesAVisibleDialogAndClosesItselfAfterHalfAnHour) {
    Start();
    SetNow(QDT(2026, 3, 2, 9, 30));
    Manager->UpdateTracking();
    ASSERT_TRUE(Window()->IsVisible());
    int hiddenAt = -1;
    Window()->DuringModal = [&] {
        // The timer keeps running inside the modal loop.
        for (int i = 1; i <= 400 && Window()->IsVisible(); ++i) {
            m_clock->AdvanceSecs(5);
            Manager->UpdateTracking();
            if (!Window()->IsVisible())
                hiddenAt = i;
        }
    };
    Manager->FinishTracking();
    EXPECT_EQ(Window()->HideCount, 2); // the non-modal dialog, then the forgotten modal one
    EXPECT_EQ(hiddenAt, 360);          // 30 minutes of 5-second updates
    ASSERT_EQ(Window()->Shown.size(), 2u);
    EXPECT_TRUE(Window()->Shown[1].Modal);
    EXPECT_TRUE(Manager->IsFinished());
}

TEST_F(TM, ATrackerThatNeedsAFallbackUsesTheRegularWindowForTheFinalQuestion) {
    auto special =
        std::make_shared<FakeTracker>("{99999999-0000-0000-0000-000000000000}", TTrackingType::Interval, true);
    Host.Trackers.push_back(special);
    Host.Options[TrackingSettings::CurrentTrackerKey] = special->GetID();
    Start();
    SetNow(QDT(2026, 3, 2, 9, 0));
    Manager->FinishTracking();
    EXPECT_TRUE(special->Window->Shown.empty());
    EXPECT_EQ(Regular->CreateCount, 1);
    EXPECT_EQ(Regular->FreeCount, 1);
    EXPECT_TRUE(Manager->IsFinished());
}

TEST_F(TM, AFailureWhoseRecoveryFailsTooTerminates) {
    Start();
    bool terminated = false;
    Manager->SetTerminateHandler([&] { terminated = true; });
    Manager->UpdateTracking(); // creates the window
    SetNow(QDT(2026, 3, 2, 9, 30));
    Window()->DuringModal = [&] {
        Window()->FailHide = true;
        Host.FailReads = true;
        Manager->ResetTrackingData();
    };
    Manager->FinishTracking();
    EXPECT_TRUE(terminated);
    EXPECT_TRUE(Manager->IsFinished());
}

// --- The worksheet -----------------------------------------------------------------------------

TEST_F(TM, UpdatesPauseWhileTheWorksheetIsOpenAndItsFailuresStayInside) {
    struct Shower : IHXWorksheetShower_ {
        std::function<void()> Body;
        void ShowWorksheet() override { Body(); }
    };
    auto shower = std::make_shared<Shower>();
    Start();
    EXPECT_FALSE(Manager->CanShowWorksheet());
    Manager->SetWorksheetShower(shower);
    EXPECT_TRUE(Manager->CanShowWorksheet());
    SetNow(QDT(2026, 3, 2, 9, 30));
    shower->Body = [&] {
        Manager->UpdateTracking();
        EXPECT_FALSE(Manager->HideTrackingWindow());
        throw EVRNException(QStringLiteral("worksheet broke"));
    };
    EXPECT_NO_THROW(Manager->ShowWorksheet());
    // The update after the worksheet closed asks the due question.
    ASSERT_EQ(Window()->Shown.size(), 1u);
    EXPECT_TRUE(Manager->HideTrackingWindow());
    EXPECT_FALSE(Window()->IsVisible());
}
} // namespace
