// The regular tracker's "Enter Activity" dialog in the running controller: the period it shows,
// what OK books, the reminders it hands to the tracking manager, the histories it keeps, a
// proposed break, the final question and a booking that fails.

#include "ControllerTestSupport.h"
#include "activities_ui/ActivityComboBox.h"
#include "app/Application.h"
#include "controls/VRNIntegerEdit.h"
#include "foundation/DateTime.h"
#include "foundation/session/SessionAbsence.h"
#include "model/ActivityLocator.h"
#include "model/Entry.h"
#include "model/FriendlyDuration.h"
#include "model/PropertyInterfaces.h"
#include "storage/StorageInterfaces.h"
#include "support/FaultyXMZFileSystem.h"
#include "support/TestEnvironment.h"
#include "tracking_ui/BaseTrackingAddIn.h"
#include "tracking_ui/RegularTrackingForm.h"
#include "tracking_ui/TrackingNotices.h"
#include "ui/MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

double DT(int hour, int minute) {
    return EncodeDate(2026, 3, 4) + EncodeTime(hour, minute, 0, 0);
}

ActivityLocatorPtr LocatorOf(const ActivityPtr& activity) {
    auto locator = std::make_shared<TActivityLocator>();
    locator->SetActivity(activity);
    return locator;
}

/// Absences told by the test instead of the desktop.
class FixedAbsences : public ISessionAbsence {
public:
    bool Available() const override { return true; }
    std::vector<TAbsencePeriod> AbsencesBetween(double from, double to) const override {
        std::vector<TAbsencePeriod> clipped;
        for (TAbsencePeriod absence : absences)
            if (absence.to > from && absence.from < to) {
                absence.from = std::max(absence.from, from);
                absence.to = std::min(absence.to, to);
                clipped.push_back(absence);
            }
        return clipped;
    }
    std::vector<TAbsencePeriod> absences;
};

class TrackingDialogTest : public ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        StartController(TestOptions());
        ASSERT_EQ(m_tracking->trackers.size(), 2u);
        m_tracker = std::dynamic_pointer_cast<TBaseTrackingAddIn>(m_tracking->trackers[1]);
        ASSERT_NE(m_tracker, nullptr);
        m_handle = m_tracker->CreateTrackingWindow();
        m_dialog = dynamic_cast<TfrmBaseTracking2*>(m_tracker->Window());
        ASSERT_NE(m_dialog, nullptr);
        m_work = m_app->GetActivityTree()->Childs()->AddNew();
        m_work->SetName(QStringLiteral("Work"));
        m_lunch = m_app->GetActivityTree()->Childs()->AddNew();
        m_lunch->SetName(QStringLiteral("Lunch"));
        m_lunch->SetIsBreak(true);
    }
    void TearDown() override {
        m_handle.reset();
        m_tracker.reset();
        ControllerTest::TearDown();
    }

    /// The entries booked on 2026-03-04: activity name and duration in minutes.
    std::vector<std::pair<QString, int>> Booked() {
        std::vector<std::pair<QString, int>> booked;
        const DayEntryListPtr list = m_app->GetTypedStorage()->GetDayEntries(EncodeDate(2026, 3, 4));
        for (int i = 0; i < list->Count(); ++i) {
            auto entry = std::dynamic_pointer_cast<IHXActivityEntry_>(list->Items(i));
            booked.emplace_back(entry->Locator()->GetActivityName(m_app->GetActivityTree()),
                                static_cast<int>(std::lround(entry->Duration() / OneMinute)));
        }
        return booked;
    }

    void Answer(const ActivityPtr& activity) {
        m_dialog->ActivityBox()->SetSelectedLocator(LocatorOf(activity));
        ASSERT_TRUE(m_dialog->OKButton()->isEnabled());
        m_dialog->OKButton()->click();
    }

    ScopedFixedClock m_clock{QDateTime(QDate(2026, 3, 4), QTime(14, 10))};
    ScopedUserLocale m_locale{QStringLiteral("de_DE")};
    std::shared_ptr<TBaseTrackingAddIn> m_tracker;
    TrackingWindowPtr m_handle;
    TfrmBaseTracking2* m_dialog = nullptr;
    ActivityPtr m_work;
    ActivityPtr m_lunch;
};

TEST_F(TrackingDialogTest, ThePeriodIsExplainedAndTheInterruptionFitsIntoIt) {
    m_handle->ShowTracking(DT(10, 0), DT(10, 30));
    EXPECT_TRUE(m_handle->IsVisible());
    EXPECT_EQ(m_app->GetCurrentWindow(), m_dialog) << "a current window while it is shown";
    EXPECT_EQ(m_dialog->windowTitle(), QStringLiteral("Enter Activity"));
    EXPECT_EQ(m_dialog->PeriodLabel()->text(), QStringLiteral("Please explain your work from 10:00 to 10:30 (") +
                                                   DurationToFriendlyText(2, 30 * OneMinute) + QStringLiteral(")."));
    EXPECT_FALSE(m_dialog->OKButton()->isEnabled()) << "no activity chosen yet";
    EXPECT_EQ(m_dialog->RemindList()->count(), 11);
    EXPECT_EQ(m_dialog->RemindList()->currentIndex(), 0);

    m_handle->SetPeriod(DT(10, 0), DT(10, 45));
    EXPECT_EQ(m_dialog->MinutesEdit()->MaxValue(), 44);

    // One minute: no interruption, and the user is told why.
    m_handle->SetPeriod(DT(10, 0), DT(10, 1));
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::OK);
    m_dialog->InterruptCheck()->setChecked(true);
    EXPECT_FALSE(m_dialog->InterruptCheck()->isChecked());
    ASSERT_TRUE(TMessageBoxSeam::Last().has_value());
    EXPECT_EQ(TMessageBoxSeam::Last()->text,
              QStringLiteral("The time period to explain is too short to enter an interruption."));
    EXPECT_EQ(m_dialog->MinutesEdit()->MaxValue(), 44) << "the old maximum stays";

    // No time at all: the notice instead of the data, and no OK.
    m_handle->SetPeriod(DT(10, 0), DT(10, 0));
    EXPECT_TRUE(m_dialog->ShowsTooShortNotice());
    EXPECT_FALSE(m_dialog->OKButton()->isEnabled());
    m_handle->HideTracking();
    EXPECT_FALSE(m_handle->IsVisible());
    EXPECT_EQ(m_app->GetCurrentWindow(), nullptr);
}

TEST_F(TrackingDialogTest, OKBooksTheActivityAndTheInterruptionOverTheSamePeriod) {
    m_handle->ShowTracking(DT(13, 0), DT(14, 0));
    m_dialog->ActivityBox()->SetSelectedLocator(LocatorOf(m_work));
    m_dialog->InterruptCheck()->setChecked(true);
    EXPECT_FALSE(m_dialog->OKButton()->isEnabled()) << "the interruption needs its activity";
    m_dialog->MinutesEdit()->SetValue(15);
    m_dialog->InterruptBox()->SetSelectedLocator(LocatorOf(m_lunch));
    ASSERT_TRUE(m_dialog->OKButton()->isEnabled());
    m_dialog->OKButton()->click();
    EXPECT_FALSE(m_handle->IsVisible());
    EXPECT_EQ(Booked(), (std::vector<std::pair<QString, int>>{{"Work", 45}, {"Lunch", 15}}));
    const DayEntryListPtr list = m_app->GetTypedStorage()->GetDayEntries(EncodeDate(2026, 3, 4));
    for (int i = 0; i < list->Count(); ++i) {
        EXPECT_TRUE(TimesEqual(list->Items(i)->StartTime(), EncodeTime(13, 0, 0, 0)));
        EXPECT_TRUE(TimesEqual(list->Items(i)->EndTime(), EncodeTime(14, 0, 0, 0)));
    }
    EXPECT_FALSE(m_tracking->calls.contains(QStringLiteral("SetNextTrackingTime"))) << "answered: no reminder";
    EXPECT_FALSE(m_tracking->calls.contains(QStringLiteral("SetRemindNotBefore")));
}

TEST_F(TrackingDialogTest, RemindLaterHandsTheChoiceToTheTrackingManager) {
    struct Case {
        int index;
        const char* call;
        double expected;
    };
    const std::vector<Case> cases = {
        {5, "SetNextTrackingTime", DT(14, 40)},                         // in 30 minutes
        {10, "SetNextTrackingTime", EncodeDate(2026, 3, 5) + 5.0 / 24}, // not again today: 05:00 tomorrow
        {0, "SetRemindNotBefore", DT(14, 20)},                          // automatically: not before 10 minutes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        m_tracking->calls.clear();
        m_handle->ShowTracking(DT(13, 0), DT(14, 0));
        m_dialog->RemindList()->setCurrentIndex(c.index);
        m_dialog->RemindButton()->click();
        EXPECT_FALSE(m_handle->IsVisible());
        ASSERT_TRUE(m_tracking->calls.contains(QString::fromLatin1(c.call)));
        const double got = QString::fromLatin1(c.call) == QStringLiteral("SetNextTrackingTime")
                               ? m_tracking->nextTrackingTime
                               : m_tracking->remindNotBefore;
        EXPECT_TRUE(TimesEqual(got, c.expected)) << DateTimeToISO(got).toStdString();
    }
    EXPECT_TRUE(Booked().empty());
    EXPECT_TRUE(TimesEqual(RemindTime(-1, DT(4, 0), 5.0 / 24), DT(5, 0))) << "before the work start: today";
}

TEST_F(TrackingDialogTest, TheHistoryKeepsTheTenMostRecentActivitiesNewestFirst) {
    std::vector<ActivityPtr> activities;
    for (int i = 1; i <= 11; ++i) {
        ActivityPtr activity = m_app->GetActivityTree()->Childs()->AddNew();
        activity->SetName(QStringLiteral("Task %1").arg(i));
        activities.push_back(activity);
    }
    for (int i = 0; i < 11; ++i) {
        m_handle->ShowTracking(DT(8, i * 2), DT(8, i * 2 + 1));
        Answer(activities[static_cast<size_t>(i)]);
        EXPECT_FALSE(m_handle->IsVisible());
    }
    QStringList shown;
    for (int i = 0; i < m_dialog->ActivityBox()->Count(); ++i)
        shown << m_dialog->ActivityBox()->ItemLocator(i)->GetActivityName(m_app->GetActivityTree());
    EXPECT_EQ(shown, (QStringList{"Task 11", "Task 10", "Task 9", "Task 8", "Task 7", "Task 6", "Task 5", "Task 4",
                                  "Task 3", "Task 2"}));
    const auto stored = m_app->GetOptions(RegularTrackingSection)->Find(ActivityHistoryKey);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->AsValueList()->Count(), 10);

    // A new dialog (the next start) reads the same history back.
    m_tracker->FreeTrackingWindow();
    m_handle = m_tracker->CreateTrackingWindow();
    auto* again = dynamic_cast<TfrmBaseTracking2*>(m_tracker->Window());
    ASSERT_NE(again, nullptr);
    ASSERT_EQ(again->ActivityBox()->Count(), 10);
    EXPECT_EQ(again->ActivityBox()->ItemLocator(0)->GetActivityName(m_app->GetActivityTree()), "Task 11");
}

TEST_F(TrackingDialogTest, AProposedBreakFillsTheInterruptionOnceAndKeepsTheUsersChanges) {
    m_handle->ShowTracking(DT(11, 0), DT(13, 0));
    TPlannedBreakValues lunch;
    lunch.FromTime = EncodeTime(12, 0, 0, 0);
    lunch.ToTime = EncodeTime(13, 0, 0, 0);
    lunch.Duration = 30 * OneMinute;
    lunch.ActivityId = m_lunch->ID();
    m_handle->SetPlannedBreak(&lunch);
    EXPECT_TRUE(m_dialog->BreakNotice()->isVisible());
    EXPECT_TRUE(m_dialog->InterruptCheck()->isChecked());
    EXPECT_EQ(m_dialog->MinutesEdit()->Value(), 30);
    ASSERT_NE(m_dialog->InterruptBox()->SelectedLocator(), nullptr);
    EXPECT_EQ(m_dialog->InterruptBox()->SelectedLocator()->ID(), m_lunch->ID());
    m_dialog->MinutesEdit()->SetValue(20);
    m_handle->SetPlannedBreak(&lunch); // the manager proposes it at every update
    EXPECT_EQ(m_dialog->MinutesEdit()->Value(), 20) << "proposing the same break again changes nothing";
    Answer(m_work);
    EXPECT_EQ(Booked(), (std::vector<std::pair<QString, int>>{{"Work", 100}, {"Lunch", 20}}));
}

TEST_F(TrackingDialogTest, AtProgramEndTheQuestionIsModalWithExit) {
    bool checked = false;
    QTimer::singleShot(0, [&] {
        checked = true;
        EXPECT_TRUE(m_dialog->isModal() || m_dialog->IsModal());
        EXPECT_EQ(m_dialog->RemindButton()->text(), QStringLiteral("E&xit"));
        EXPECT_FALSE(m_dialog->RemindList()->isVisible());
        EXPECT_EQ(m_app->GetCurrentWindow(), m_dialog);
        Answer(m_work);
    });
    m_handle->ShowTrackingModal(DT(16, 0), DT(17, 0));
    EXPECT_TRUE(checked);
    EXPECT_EQ(Booked(), (std::vector<std::pair<QString, int>>{{"Work", 60}}));
    EXPECT_EQ(m_app->GetCurrentWindow(), nullptr);
    // Shown again without blocking, it offers its reminders again.
    m_handle->ShowTracking(DT(17, 0), DT(17, 30));
    EXPECT_EQ(m_dialog->RemindButton()->text(), QStringLiteral("Remind &Later"));
    EXPECT_TRUE(m_dialog->RemindList()->isVisible());
    m_handle->HideTracking();
}

TEST_F(TrackingDialogTest, ABookingThatFailsIsShownAndTheAnswerStays) {
    m_handle->ShowTracking(DT(9, 0), DT(10, 0));
    {
        // The storage folder refuses to take the saved files, as a read-only folder does.
        auto fs = std::make_shared<FaultyXMZFileSystem>();
        fs->onRename = [](const QByteArray&, const QByteArray&) { return EACCES; };
        ScopedXMZFileSystem scoped(fs);
        // The storage asks about the failed save; the user gives up there.
        TMessageBoxSeam::SetAutoAnswer(true);
        m_dialog->ActivityBox()->SetSelectedLocator(LocatorOf(m_work));
        m_dialog->OKButton()->click();
        TMessageBoxSeam::SetAutoAnswer(false);
        ASSERT_TRUE(TMessageBoxSeam::Last().has_value());
        EXPECT_EQ(TMessageBoxSeam::Last()->kind, MessageBoxKind::Error);
        EXPECT_TRUE(TMessageBoxSeam::Last()->details.contains(QStringLiteral("Permission denied")))
            << TMessageBoxSeam::Last()->details.toStdString();
        EXPECT_TRUE(m_handle->IsVisible()) << "the dialog stays open";
        ASSERT_NE(m_dialog->ActivityBox()->SelectedLocator(), nullptr);
        EXPECT_EQ(m_dialog->ActivityBox()->SelectedLocator()->ID(), m_work->ID()) << "with the answer";
        EXPECT_TRUE(Booked().empty()) << "nothing half booked";
    }
    // Once the folder can be written again, the same answer books once.
    TMessageBoxSeam::ClearAnswers();
    m_dialog->OKButton()->click();
    EXPECT_FALSE(m_handle->IsVisible());
    EXPECT_EQ(Booked(), (std::vector<std::pair<QString, int>>{{"Work", 60}}));
}

TEST_F(TrackingDialogTest, ALockedScreenIsOfferedAsTheInterruptionNeverBookedAlone) {
    auto absences = std::make_shared<FixedAbsences>();
    absences->absences.push_back({DT(10, 5), DT(10, 25), TAbsenceKind::Locked});
    TfrmBaseTracking2::SetSessionAbsence(absences);
    struct Reset {
        ~Reset() { TfrmBaseTracking2::SetSessionAbsence(nullptr); }
    } reset;
    // The last interruption was lunch: the offer takes its activity.
    m_handle->ShowTracking(DT(9, 0), DT(9, 30));
    m_dialog->InterruptCheck()->setChecked(true);
    m_dialog->MinutesEdit()->SetValue(10);
    m_dialog->InterruptBox()->SetSelectedLocator(LocatorOf(m_lunch));
    Answer(m_work);

    m_handle->ShowTracking(DT(10, 0), DT(11, 0));
    EXPECT_TRUE(m_dialog->BreakNotice()->isVisible());
    EXPECT_EQ(m_dialog->NoticeHeading()->text(), QStringLiteral("Were you away?"));
    EXPECT_EQ(m_dialog->NoticeText()->text(), QStringLiteral("The screen was locked from 10:05 to 10:25."));
    EXPECT_TRUE(m_dialog->InterruptCheck()->isChecked());
    EXPECT_EQ(m_dialog->MinutesEdit()->Value(), 20);
    ASSERT_NE(m_dialog->InterruptBox()->SelectedLocator(), nullptr);
    EXPECT_EQ(m_dialog->InterruptBox()->SelectedLocator()->ID(), m_lunch->ID());
    EXPECT_EQ(Booked().size(), 2u) << "an offer only: nothing is booked before OK";

    // The user says no; the manager's next update does not offer it again.
    m_dialog->InterruptCheck()->setChecked(false);
    m_handle->SetPeriod(DT(10, 0), DT(11, 0));
    EXPECT_FALSE(m_dialog->InterruptCheck()->isChecked());
    Answer(m_work);
    EXPECT_EQ(Booked(), (std::vector<std::pair<QString, int>>{{"Work", 20}, {"Lunch", 10}, {"Work", 60}}));
}

TEST(EndOfWorkNotice, NamesTheWorkStartAndEscapeStartsTrackingLikeTheButton) {
    ScopedUserLocale locale(QStringLiteral("de_DE"));
    int starts = 0;
    TfrmDaySwitch notice(EncodeTime(4, 30, 0, 0), [&] { ++starts; });
    EXPECT_EQ(notice.windowTitle(), QStringLiteral("Varnelo Horalux End of Work Detection"));
    EXPECT_TRUE(notice.Explanation()->text().startsWith(QStringLiteral("Usually you're not working at 04:30.")))
        << notice.Explanation()->text().toStdString();
    notice.show();
    QTest::keyClick(&notice, Qt::Key_Escape);
    EXPECT_EQ(starts, 1);
    EXPECT_FALSE(notice.isVisible());
    // Closed by the program (at its end) it starts nothing.
    notice.show();
    notice.reject();
    EXPECT_EQ(starts, 1);
}

} // namespace
