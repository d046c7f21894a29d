#include "calendar_ui/PlannedBreakEdit.h"
#include "activities_ui/ActivityComboBox.h"
#include "controls/VRNIntegerEdit.h"
#include "controls/VRNTimeEdit.h"
#include "foundation/DateTime.h"
#include "foundation/Translation.h"
#include "foundation/VRNTools.h"
#include "model/ActivityTree.h"
#include "model/PropertyList.h"
#include "ui/MessageBox.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

double Time(int hour, int minute) {
    return EncodeTime(hour, minute, 0, 0);
}

// Work (Meeting, Coding) and Lunch; Meeting also hangs under Lunch.
class PlannedBreakEditTest : public testing::Test {
protected:
    PlannedBreakEditTest() : m_tree(TActivityTree::Create()) {
        work = m_tree->Childs()->AddNew();
        work->SetName("Work");
        meeting = work->Childs()->AddNew();
        meeting->SetName("Meeting");
        coding = work->Childs()->AddNew();
        coding->SetName("Coding");
        lunch = m_tree->Childs()->AddNew();
        lunch->SetName("Lunch");
        lunch->SetIsBreak(true);
        lunch->Childs()->Add(meeting);
        plannedBreak = breaks.AddNew();
        TMessageBoxSeam::ClearAnswers();
        TMessageBoxSeam::ClearHistory();
    }
    ~PlannedBreakEditTest() override {
        TMessageBoxSeam::ClearAnswers();
        SwitchLanguage(QString());
        ReleaseAndCleanup(m_tree);
    }

    ActivityTreePtr Tree() const { return m_tree; }

    void SetWindow(TfrmPlannedBreakEdit& dialog, int fromH, int fromM, int toH, int toM, int minutes) {
        dialog.FromTimeEdit()->SetValue(Time(fromH, fromM));
        dialog.ToTimeEdit()->SetValue(Time(toH, toM));
        dialog.DurationEdit()->SetValue(minutes);
    }

    std::shared_ptr<TActivityTree> m_tree;
    ActivityPtr work, meeting, coding, lunch;
    TPlannedBreakList breaks;
    PlannedBreakPtr plannedBreak;
};

QStringList Texts(const TActivityComboBox& box) {
    QStringList texts;
    for (int i = 0; i < box.Count(); ++i)
        texts << box.ItemText(i);
    return texts;
}

QString SelectedText(const TActivityComboBox& box) {
    return box.ItemText(box.SelectedIndex());
}

} // namespace

TEST_F(PlannedBreakEditTest, HeldButtonStepsFasterAndRoundsDown) {
    TfrmPlannedBreakEdit dialog(Tree());
    const TVRNIntegerEdit& edit = *dialog.DurationEdit();
    EXPECT_EQ(edit.HeldIncrement(0), 1);
    EXPECT_EQ(edit.HeldIncrement(2000), 1);
    EXPECT_EQ(edit.HeldIncrement(2001), 5);
    EXPECT_EQ(edit.HeldIncrement(5000), 5);
    EXPECT_EQ(edit.HeldIncrement(5001), 10);
    EXPECT_EQ(TVRNIntegerEdit::StepValue(7, 5, 1, 180), 10);
    EXPECT_EQ(TVRNIntegerEdit::StepValue(12, -5, 1, 180), 5);
    EXPECT_EQ(TVRNIntegerEdit::StepValue(3, -5, 1, 180), 1);
    EXPECT_EQ(TVRNIntegerEdit::StepValue(178, 10, 1, 180), 180);
    EXPECT_EQ(TVRNIntegerEdit::StepValue(30, 1, 1, 180), 31);
}

TEST_F(PlannedBreakEditTest, ActivitiesAreListedOnceByNameWithTheirPath) {
    const auto choices = BreakActivityChoices(Tree());
    ASSERT_EQ(choices.size(), 4u);
    EXPECT_EQ(choices[0].Text, "Coding");
    EXPECT_EQ(choices[1].Text, "Lunch");
    EXPECT_EQ(choices[2].Text, "Meeting");
    EXPECT_EQ(choices[3].Text, "Work");
    EXPECT_EQ(choices[2].Locator->ID(), meeting->ID());
    EXPECT_EQ(choices[2].Locator->Path(), work->ID().ToString() + "/"); // the first place it is met
    EXPECT_TRUE(choices[1].Locator->IsBreak());
    EXPECT_TRUE(BreakActivityChoices(nullptr).empty());
}

TEST_F(PlannedBreakEditTest, OpensWithTheBreaksValuesAndTheActivityBoxFocused) {
    plannedBreak->SetFromTime(Time(12, 0));
    plannedBreak->SetToTime(Time(13, 30));
    plannedBreak->SetDuration(EncodeDuration(0, 45, 59, 0)); // seconds are dropped
    plannedBreak->ActivityLocator()->SetActivity(lunch);

    TfrmPlannedBreakEdit dialog(Tree());
    dialog.SetPlannedBreak(plannedBreak);
    EXPECT_EQ(dialog.windowTitle(), "Regular Break");
    EXPECT_EQ(dialog.size(), QSize(370, 281));
    EXPECT_EQ(dialog.FromTimeEdit()->Text(), "12:00");
    EXPECT_EQ(dialog.ToTimeEdit()->Text(), "13:30");
    EXPECT_EQ(dialog.DurationEdit()->Value(), 45);
    EXPECT_EQ(dialog.DurationEdit()->MinValue(), 1);
    EXPECT_EQ(dialog.DurationEdit()->MaxValue(), 180);
    EXPECT_EQ(Texts(*dialog.ActivityBox()), QStringList({"Coding", "Lunch", "Meeting", "Work"}));
    EXPECT_EQ(SelectedText(*dialog.ActivityBox()), "Lunch");
    EXPECT_FALSE(dialog.ActivityBox()->IsTemporary(dialog.ActivityBox()->SelectedIndex()));
    EXPECT_EQ(dialog.focusWidget(), dialog.ActivityBox()->ComboBox());
}

TEST_F(PlannedBreakEditTest, NewBreakPicksTheFirstActivityAndUnknownActivitiesStaySelectable) {
    TfrmPlannedBreakEdit dialog(Tree());
    dialog.SetPlannedBreak(plannedBreak); // booked to the break pseudo-activity
    EXPECT_EQ(SelectedText(*dialog.ActivityBox()), "Coding");
    EXPECT_EQ(dialog.DurationEdit()->Value(), 1); // duration 0 shows the minimum

    // A break booked to an activity that is no longer in the tree keeps it as a listed item.
    auto stored = std::make_shared<TPropertyList>();
    stored->Items("id")->SetAsGUID(TGUID::Constant("{5B0C2B7E-0D57-4C67-9C1B-7A2E3C6B1A01}"));
    stored->Items("name")->SetAsString("Old lunch");
    stored->Items("break")->SetAsBoolean(true);
    plannedBreak->ActivityLocator()->LoadFromPropertyList(stored);
    dialog.SetPlannedBreak(plannedBreak);
    EXPECT_EQ(dialog.ActivityBox()->Count(), 5);
    EXPECT_TRUE(dialog.ActivityBox()->IsTemporary(dialog.ActivityBox()->SelectedIndex()));
    const QString gone = SelectedText(*dialog.ActivityBox());
    EXPECT_FALSE(gone.isEmpty());
    SetWindow(dialog, 12, 0, 13, 0, 30);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(plannedBreak->ActivityLocator()->Name(), "Old lunch");

    // Without a tree only the break's own activity is offered.
    TfrmPlannedBreakEdit treeless(nullptr);
    treeless.SetPlannedBreak(plannedBreak);
    EXPECT_EQ(Texts(*treeless.ActivityBox()), QStringList({"???"}));
}

TEST_F(PlannedBreakEditTest, OkStoresTheInputIntoTheSameLocator) {
    const auto locator = plannedBreak->ActivityLocator();
    TfrmPlannedBreakEdit dialog(Tree());
    dialog.SetPlannedBreak(plannedBreak);
    dialog.ActivityBox()->ComboBox()->setCurrentIndex(dialog.ActivityBox()->ComboBox()->findText("Meeting"));
    SetWindow(dialog, 23, 50, 0, 20, 30);     // crosses midnight: 30 minutes fit exactly
    EXPECT_EQ(plannedBreak->FromTime(), 0.0); // nothing changes before OK
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(TMessageBoxSeam::History().empty());
    EXPECT_TRUE(TimesEqual(plannedBreak->FromTime(), Time(23, 50)));
    EXPECT_TRUE(TimesEqual(plannedBreak->ToTime(), Time(0, 20)));
    EXPECT_TRUE(TimesEqual(plannedBreak->Duration(), 30 * OneMinute));
    EXPECT_EQ(plannedBreak->ActivityLocator(), locator);
    EXPECT_EQ(locator->ID(), meeting->ID());
    EXPECT_FALSE(locator->IsBreak());
    EXPECT_EQ(locator->Path(), work->ID().ToString() + "/");
}

TEST_F(PlannedBreakEditTest, RefusalsShowTheirMessageMoveTheFocusAndChangeNothing) {
    plannedBreak->SetFromTime(Time(9, 0));
    TfrmPlannedBreakEdit dialog(Tree());
    dialog.show();
    dialog.SetPlannedBreak(plannedBreak);

    struct Case {
        int fromH, fromM, toH, toM, minutes;
        const char* message; // nullptr: accepted
    } cases[] = {
        {12, 0, 12, 30, 45, "The duration is longer than the time interval."},
        {12, 0, 12, 0, 1, "The duration is longer than the time interval."}, // equal times: no time at all
        {23, 50, 0, 20, 31, "The duration is longer than the time interval."},
        {12, 0, 12, 30, 30, nullptr},
    };
    for (const Case& c : cases) {
        TMessageBoxSeam::ClearHistory();
        TMessageBoxSeam::SetNextAnswer(MessageBoxResult::OK);
        SetWindow(dialog, c.fromH, c.fromM, c.toH, c.toM, c.minutes);
        const auto refusal = dialog.CheckInput();
        if (!c.message) {
            EXPECT_FALSE(refusal);
            continue;
        }
        ASSERT_TRUE(refusal);
        EXPECT_EQ(refusal->Message, c.message);
        EXPECT_EQ(refusal->Focus, dialog.ToTimeEdit());
        dialog.accept();
        ASSERT_EQ(TMessageBoxSeam::History().size(), 1u);
        EXPECT_EQ(TMessageBoxSeam::History()[0].caption, "Regular Break");
        EXPECT_EQ(TMessageBoxSeam::History()[0].text, c.message);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.focusWidget(), dialog.ToTimeEdit());
        EXPECT_TRUE(TimesEqual(plannedBreak->FromTime(), Time(9, 0)));
    }
    TMessageBoxSeam::ClearAnswers();

    // An emptied duration edit.
    dialog.DurationEdit()->setFocus();
    dialog.DurationEdit()->selectAll();
    QTest::keyClick(dialog.DurationEdit(), Qt::Key_Backspace);
    const auto refusal = dialog.CheckInput();
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->Message, "Please enter a valid duration.");
    EXPECT_EQ(refusal->Focus, dialog.DurationEdit());
}

TEST_F(PlannedBreakEditTest, TheEndOfTheDayStaysTwentyFourAndFourDigitsAreATime) {
    plannedBreak->SetFromTime(Time(23, 0));
    plannedBreak->SetToTime(1.0); // 24:00
    plannedBreak->SetDuration(30 * OneMinute);
    TfrmPlannedBreakEdit dialog(Tree());
    dialog.show();
    dialog.SetPlannedBreak(plannedBreak);
    EXPECT_EQ(dialog.ToTimeEdit()->Text(), "24:00");
    // Typed as four digits, as everywhere in the program.
    dialog.FromTimeEdit()->setFocus();
    dialog.FromTimeEdit()->selectAll();
    QTest::keyClicks(dialog.FromTimeEdit(), "2315");
    EXPECT_EQ(dialog.FromTimeEdit()->Text(), "23:15");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(TimesEqual(plannedBreak->FromTime(), Time(23, 15)));
    EXPECT_EQ(plannedBreak->ToTime(), 1.0) << "24:00 is saved as the end of the day, not as 0";

    // A text that is no time is marked and refused.
    TfrmPlannedBreakEdit again(Tree());
    again.show();
    again.SetPlannedBreak(plannedBreak);
    again.ToTimeEdit()->setFocus();
    again.ToTimeEdit()->selectAll();
    QTest::keyClicks(again.ToTimeEdit(), "25:70");
    EXPECT_TRUE(again.ToTimeEdit()->MarkedInvalid());
    const auto refusal = again.CheckInput();
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->Message, "Please enter a valid time.");
    EXPECT_EQ(refusal->Focus, again.ToTimeEdit());
}

TEST_F(PlannedBreakEditTest, CancelLeavesTheBreakAlone) {
    plannedBreak->SetDuration(20 * OneMinute);
    TfrmPlannedBreakEdit dialog(Tree());
    dialog.SetPlannedBreak(plannedBreak);
    SetWindow(dialog, 12, 0, 13, 0, 30);
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Ok)->text(), "OK");
    buttons->button(QDialogButtonBox::Cancel)->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(TimesEqual(plannedBreak->Duration(), 20 * OneMinute));
    EXPECT_EQ(plannedBreak->FromTime(), 0.0);
    EXPECT_TRUE(plannedBreak->ActivityLocator()->IsBreak());
}

TEST_F(PlannedBreakEditTest, GermanCatalogueTranslatesTheDialog) {
    SwitchLanguage("de");
    TfrmPlannedBreakEdit dialog(Tree());
    dialog.SetPlannedBreak(plannedBreak);
    EXPECT_EQ(dialog.windowTitle(), "Regelmäßige Pause");
    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        labels << label->text();
    EXPECT_TRUE(labels.filter("Varnelo Horalux erkennt diese Pause automatisch").size() == 1)
        << labels.join('|').toStdString();
    EXPECT_TRUE(labels.contains("Geben Sie die Dauer dieser Pause in Minuten an:"));
    EXPECT_EQ(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->text(), "Abbrechen");

    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::OK);
    SetWindow(dialog, 12, 0, 12, 30, 45);
    dialog.accept();
    ASSERT_EQ(TMessageBoxSeam::History().size(), 1u);
    EXPECT_EQ(TMessageBoxSeam::History()[0].caption, "Regelmäßige Pause");
    EXPECT_EQ(TMessageBoxSeam::History()[0].text, "Die Dauer ist länger als der Zeitraum.");
}
