// The worksheet in the running controller: new lines, typing into cells, the keys of the grid,
// sorting, totals, the close question, saving, and the ways in from the tray and the tracker.

#include "ControllerTestSupport.h"
#include "activities_ui/ActivityComboBox.h"
#include "app/Application.h"
#include "app/MainWindow.h"
#include "calendar/Calendar.h"
#include "calendar/Day.h"
#include "controls/MonthCalendar.h"
#include "formatting/DateFormatterBuiltIn.h"
#include "formatting/DateFormatterList.h"
#include "formatting/DateFormatterLocDep.h"
#include "formatting/DateFormattingOptions.h"
#include "formatting/FormattingOptions.h"
#include "foundation/DateTime.h"
#include "model/ActivityLocator.h"
#include "model/ActivityTree.h"
#include "model/Entry.h"
#include "model/EntryList.h"
#include "model/PropertyHelpers.h"
#include "model/PropertyInterfaces.h"
#include "storage/StorageInterfaces.h"
#include "support/TestEnvironment.h"
#include "tracking/TrackingManagerInterface.h"
#include "ui/MessageBox.h"
#include "ui/OKCancelPanel.h"
#include "ui/ProgramClosing.h"
#include "worksheet_ui/GridEditors.h"
#include "worksheet_ui/HolidayBookerForm.h"
#include "worksheet_ui/StringGrid.h"
#include "worksheet_ui/WorksheetForm.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const double Monday = EncodeDate(2026, 3, 2);
const double Tuesday = EncodeDate(2026, 3, 3);

double T(int hour, int minute) {
    return EncodeTime(hour, minute, 0, 0);
}

QString Times(const ActivityEntryPtr& entry) {
    if (!entry)
        return QStringLiteral("none");
    return TimeOfDayToISO(entry->StartTime()).left(5) + QLatin1Char('-') + TimeOfDayToISO(entry->EndTime()).left(5) +
           QLatin1Char(' ') + QString::number(DurationTotalMinutes(entry->Duration()));
}

class WorksheetTest : public ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        StartController(TestOptions());
        m_work = m_app->GetActivityTree()->Childs()->AddNew();
        m_work->SetName(QStringLiteral("Work"));
        m_lunch = m_app->GetActivityTree()->Childs()->AddNew();
        m_lunch->SetName(QStringLiteral("Lunch"));
        m_lunch->SetIsBreak(true);
    }
    void TearDown() override {
        m_window.reset();
        ControllerTest::TearDown();
    }

    /// Books an entry into the stored day (saved with the next save).
    void Book(double date, double from, double to, const ActivityPtr& activity, double duration = -1) {
        const DayEntryListPtr list = m_app->GetTypedStorage()->GetDayEntries(date);
        auto entry = std::dynamic_pointer_cast<IHXActivityEntry_>(list->AddNew());
        entry->SetTime(from, to);
        if (duration < 0)
            entry->CalculateDuration();
        else
            entry->SetDuration(duration);
        entry->Locator()->SetActivity(activity);
    }

    TfrmWorksheet& Open(double date) {
        m_window = std::make_unique<TfrmWorksheet>();
        m_window->Initialize(*m_app);
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        m_window->activateWindow();
        m_window->GoToDate(date);
        return *m_window;
    }

    TvrnStringGrid& Grid() { return *m_window->Grid(); }
    int LastRow() { return Grid().rowCount() - 1; }

    ActivityPtr m_work;
    ActivityPtr m_lunch;
    std::unique_ptr<TfrmWorksheet> m_window;
};

} // namespace

// A new line follows the row visually above it: an hour from its end, at most up to 24:00.
TEST_F(WorksheetTest, ANewLineFollowsTheRowAboveAndEndsAtMidnightAtTheLatest) {
    Book(Tuesday, T(22, 30), T(23, 30), m_work);
    TfrmWorksheet& window = Open(Monday);
    ASSERT_NE(window.CurrentDayList(), nullptr);
    EXPECT_FALSE(window.ApplyEnabled());
    window.Action(TfrmWorksheet::actNew)->trigger();
    EXPECT_EQ(Times(window.RowEntry(0)), QStringLiteral("08:00-09:00 60"));
    EXPECT_EQ(Grid().currentRow(), 0);
    EXPECT_TRUE(window.ApplyEnabled());

    window.GoToDate(Tuesday);
    window.Action(TfrmWorksheet::actNew)->trigger();
    EXPECT_EQ(Times(window.RowEntry(1)), QStringLiteral("23:30-24:00 30"));
    EXPECT_EQ(Grid().rowCount(), 3) << "two entries and the new-line row";
}

// Typing into the new-line row creates the entry first; the typed start is then applied against
// the end the new entry got.
TEST_F(WorksheetTest, TypingIntoTheNewLineRowCreatesTheEntryAndAppliesTheTypedValue) {
    Book(Monday, T(10, 0), T(11, 0), m_work);
    TfrmWorksheet& window = Open(Monday);
    Grid().setFocus();
    Grid().SelectCell(0, LastRow());
    Grid().SetEditorMode(true);
    ASSERT_TRUE(window.StartEditor()->isVisible());
    EXPECT_EQ(window.StartEditor()->Text(), QStringLiteral("11:00"));
    window.StartEditor()->selectAll();
    QTest::keyClicks(window.StartEditor(), QStringLiteral("1130"));
    EXPECT_EQ(Times(window.RowEntry(1)), QStringLiteral("11:30-12:00 30"));
    EXPECT_TRUE(window.RowEntry(1)->IsProblem());
    EXPECT_EQ(window.CurrentDayList()->Count(), 2);
    EXPECT_EQ(Grid().rowCount(), 3);
    EXPECT_EQ(Grid().item(1, 0)->text(), QStringLiteral("11:30"));

    // The duration editor changes the duration only.
    Grid().SelectCell(3, 0);
    ASSERT_TRUE(window.DurationEditor()->isVisible());
    window.DurationEditor()->selectAll();
    QTest::keyClicks(window.DurationEditor(), QStringLiteral("0:30"));
    EXPECT_EQ(Times(window.RowEntry(0)), QStringLiteral("10:00-11:00 30"));

    // A start typed past the end collapses the entry only until it is corrected.
    Grid().SelectCell(0, 0);
    window.StartEditor()->selectAll();
    QTest::keyClicks(window.StartEditor(), QStringLiteral("1200"));
    EXPECT_EQ(Times(window.RowEntry(0)), QStringLiteral("12:00-12:00 0"));
    window.StartEditor()->selectAll();
    QTest::keyClicks(window.StartEditor(), QStringLiteral("0930"));
    EXPECT_EQ(Times(window.RowEntry(0)), QStringLiteral("09:30-11:00 90"));

    // Moving down the column starts a new editing session: the row below is not checked against
    // the row above.
    QTest::keyClick(window.StartEditor(), Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(Grid().currentRow(), 1);
    window.StartEditor()->selectAll();
    QTest::keyClicks(window.StartEditor(), QStringLiteral("1145"));
    EXPECT_EQ(Times(window.RowEntry(1)), QStringLiteral("11:45-12:00 15"));
}

TEST_F(WorksheetTest, TheEditorsHandTabEnterAndCtrlArrowsToTheGrid) {
    Book(Monday, T(8, 0), T(9, 0), m_work);
    TfrmWorksheet& window = Open(Monday);
    Grid().setFocus();
    Grid().SelectCell(0, 0);
    Grid().SetEditorMode(true);
    QTest::keyClick(window.StartEditor(), Qt::Key_Tab);
    EXPECT_EQ(Grid().currentColumn(), 1);
    QTest::keyClick(window.EndEditor(), Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(Grid().currentColumn(), 2);
    Grid().SelectCell(3, 0);
    QTest::keyClick(window.DurationEditor(), Qt::Key_Return);
    EXPECT_EQ(Grid().currentRow(), 1);
    EXPECT_EQ(Grid().currentColumn(), 3);
    // The plain Up key steps the value instead of moving.
    Grid().SelectCell(1, 0);
    QTest::keyClick(window.EndEditor(), Qt::Key_Up);
    EXPECT_EQ(Grid().currentRow(), 0);
    EXPECT_EQ(Times(window.RowEntry(0)), QStringLiteral("08:00-09:01 61"));
    // Tab on the last cell leaves the grid.
    Grid().SelectCell(3, LastRow());
    ASSERT_TRUE(window.DurationEditor()->hasFocus());
    QTest::keyClick(window.DurationEditor(), Qt::Key_Tab);
    EXPECT_FALSE(Grid().OwnsFocusWidget(QApplication::focusWidget()));
    EXPECT_FALSE(window.DurationEditor()->isVisible());
}

TEST_F(WorksheetTest, SortingTogglesTheDirectionAndMovesOnlyTheRows) {
    Book(Monday, T(9, 0), T(10, 0), m_work);
    Book(Monday, T(8, 0), T(9, 0), m_lunch);
    TfrmWorksheet& window = Open(Monday);
    EXPECT_EQ(Times(window.RowEntry(0)), QStringLiteral("08:00-09:00 60")) << "sorted by start when shown";
    window.SortBy(2);
    EXPECT_EQ(Grid().item(0, 2)->text(), QStringLiteral("Lunch"));
    window.SortBy(2);
    EXPECT_FALSE(window.SortAscending());
    EXPECT_EQ(Grid().item(0, 2)->text(), QStringLiteral("Work"));
    window.SortBy(3);
    EXPECT_TRUE(window.SortAscending());
    EXPECT_TRUE(window.Action(TfrmWorksheet::actSortDuration)->isChecked());
    // The day list keeps its own order.
    EXPECT_EQ(std::dynamic_pointer_cast<IHXActivityEntry_>(window.CurrentDayList()->Items(0))->StartTime(), T(9, 0));
    EXPECT_FALSE(window.ApplyEnabled());
}

TEST_F(WorksheetTest, TotalsLeaveBreaksOutAndShowAShortDayInRed) {
    // Monday requires 8 hours.
    m_app->GetCalendar()->Week()->Monday()->SetWorkTime(T(8, 0));
    Book(Monday, T(8, 0), T(12, 0), m_work);
    Book(Monday, T(12, 0), T(13, 0), m_lunch);
    TfrmWorksheet& window = Open(Monday);
    window.UpdateTotals();
    EXPECT_EQ(window.TotalLabel()->text(), QStringLiteral("Total: 04:00"));
    EXPECT_EQ(window.RequiredLabel()->text(), QStringLiteral("Required time: 08:00"));
    EXPECT_TRUE(window.RequiredLabel()->font().bold());

    Grid().SelectCell(3, 0);
    Grid().setFocus();
    Grid().SetEditorMode(true);
    window.DurationEditor()->selectAll();
    QTest::keyClicks(window.DurationEditor(), QStringLiteral("8:00"));
    QCoreApplication::processEvents();
    EXPECT_EQ(window.TotalLabel()->text(), QStringLiteral("Total: 08:00"));
    EXPECT_FALSE(window.RequiredLabel()->font().bold()) << "exactly the required time is enough";
}

// One changed day asks in the singular, two in the plural; No closes without saving.
TEST_F(WorksheetTest, TheCloseQuestionCountsTheChangedDays) {
    TfrmWorksheet& window = Open(Monday);
    window.Action(TfrmWorksheet::actNew)->trigger();
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::Cancel);
    window.reject();
    ASSERT_TRUE(TMessageBoxSeam::Last().has_value());
    EXPECT_EQ(TMessageBoxSeam::Last()->text,
              QStringLiteral("You have changed the data for 1 day. Do you want to save these changes?"));
    EXPECT_TRUE(window.isVisible()) << "Cancel keeps the window open";

    window.GoToDate(Tuesday);
    window.Action(TfrmWorksheet::actNew)->trigger();
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::No);
    window.reject();
    EXPECT_EQ(TMessageBoxSeam::Last()->text,
              QStringLiteral("You have changed the data for 2 days. Do you want to save these changes?"));
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(m_app->GetTypedStorage()->GetDayEntries(Monday)->Count(), 0);
}

// OK saves the changed days (not while the grid has the focus); they read back after a restart.
TEST_F(WorksheetTest, OKSavesTheChangedDaysAndTheyReadBackAfterARestart) {
    TfrmWorksheet& window = Open(Monday);
    window.Action(TfrmWorksheet::actNew)->trigger();
    window.RowEntry(0)->Locator()->SetActivity(m_work);
    Grid().setFocus();
    window.accept();
    EXPECT_TRUE(window.isVisible()) << "Enter stays with the grid";
    window.Panel()->OKButton()->setFocus();
    window.accept();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(TMessageBoxSeam::History().empty());
    m_window.reset();

    StopController();
    StartController(TestOptions());
    const DayEntryListPtr stored = m_app->GetTypedStorage()->GetDayEntries(Monday);
    ASSERT_EQ(stored->Count(), 1);
    const auto entry = std::dynamic_pointer_cast<IHXActivityEntry_>(stored->Items(0));
    EXPECT_EQ(Times(entry), QStringLiteral("08:00-09:00 60"));
    EXPECT_TRUE(entry->IsProblem());
    EXPECT_EQ(entry->Locator()->Name(), QStringLiteral("Work"));
}

// Apply saves, keeps the window open and shows fresh copies.
TEST_F(WorksheetTest, ApplySavesAndShowsTheDayAgain) {
    TfrmWorksheet& window = Open(Monday);
    window.Action(TfrmWorksheet::actNew)->trigger();
    const DayEntryListPtr before = window.CurrentDayList();
    EXPECT_TRUE(window.Apply());
    EXPECT_FALSE(window.ApplyEnabled());
    EXPECT_NE(window.CurrentDayList(), before);
    EXPECT_EQ(window.CurrentDayList()->Count(), 1);
    EXPECT_EQ(window.ChangedDayCount(), 0);
    EXPECT_EQ(m_app->GetTypedStorage()->GetDayEntries(Monday)->Count(), 1);
}

// While the program closes nobody answers: the changed days go into the stored days, which the
// program saves on its way out.
TEST_F(WorksheetTest, AClosingProgramKeepsTheChangedDays) {
    TfrmWorksheet& window = Open(Monday);
    window.Action(TfrmWorksheet::actNew)->trigger();
    SetProgramClosing(true);
    window.reject();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(TMessageBoxSeam::History().empty());
    EXPECT_EQ(m_app->GetTypedStorage()->GetDayEntries(Monday)->Count(), 1);
}

TEST_F(WorksheetTest, DeleteJoinAndMoveBetweenDays) {
    Book(Monday, T(9, 0), T(10, 0), m_work);
    Book(Monday, T(10, 0), T(11, 0), m_work);
    Book(Monday, T(11, 0), T(11, 0), m_lunch);
    TfrmWorksheet& window = Open(Monday);
    EXPECT_TRUE(window.Action(TfrmWorksheet::actWork)->isEnabled());
    window.Action(TfrmWorksheet::actWork)->trigger();
    EXPECT_EQ(window.CurrentDayList()->Count(), 1);
    EXPECT_EQ(Times(window.RowEntry(0)), QStringLiteral("09:00-11:00 120"));
    EXPECT_TRUE(window.ApplyEnabled());

    Grid().SelectCell(0, 0);
    window.Action(TfrmWorksheet::actDelete)->trigger();
    EXPECT_EQ(window.CurrentDayList()->Count(), 0);
    EXPECT_EQ(Grid().rowCount(), 1);
    EXPECT_FALSE(window.Action(TfrmWorksheet::actDelete)->isEnabled());

    window.Action(TfrmWorksheet::actNextDay)->trigger();
    EXPECT_EQ(window.ShownDate(), Tuesday);
    EXPECT_EQ(window.Calendar()->selectedDate(), QDateFromDate(Tuesday));
    QTest::keyClick(window.Grid(), Qt::Key_PageUp, Qt::AltModifier);
    EXPECT_EQ(window.ShownDate(), EncodeDate(2026, 2, 3));
    // The changed Monday is still a working copy.
    window.GoToDate(Monday);
    EXPECT_EQ(window.CurrentDayList()->Count(), 0);
    EXPECT_EQ(window.ChangedDayCount(), 1);
}

TEST_F(WorksheetTest, TheMarkerIsReadAndWrittenInTheOptions) {
    m_app->GetOptions(QStringLiteral("worksheet"))
        ->Items(QStringLiteral("marker"))
        ->SetAsString(QStringLiteral("Changed"));
    Open(Monday);
    EXPECT_EQ(m_window->MarkerBox()->currentIndex(), 2);
    m_window->MarkerBox()->setCurrentIndex(1);
    m_window.reset();
    EXPECT_EQ(FindStringDef(m_app->GetOptions(QStringLiteral("worksheet")), QStringLiteral("marker"), QString()),
              QStringLiteral("incomplete"));
}

// The tray menu offers the worksheet, and the add-in opens it for the tracking manager.
TEST_F(WorksheetTest, TheTrayMenuAndTheTrackingManagerOpenTheWorksheet) {
    QStringList captions;
    QAction* item = nullptr;
    for (QAction* action : m_app->MainWindow()->GetTrayPopupMenu()->actions()) {
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
        if (action->text() == QStringLiteral("Worksheet"))
            item = action;
    }
    EXPECT_EQ(captions.mid(0, 3), (QStringList{"Show Tracking", "-", "Worksheet"}));
    ASSERT_NE(item, nullptr);
    ASSERT_NE(m_tracking->worksheetShower, nullptr);

    for (const bool fromTracker : {false, true}) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* window = dynamic_cast<TfrmWorksheet*>(m_app->GetCurrentWindow());
            seen = window != nullptr;
            if (window) {
                EXPECT_EQ(window->windowTitle(), QStringLiteral("Varnelo Horalux Worksheet"));
                window->reject();
            }
        });
        if (fromTracker)
            m_tracking->worksheetShower->ShowWorksheet();
        else
            item->trigger();
        EXPECT_TRUE(seen) << "from the tracker " << fromTracker;
        EXPECT_EQ(m_app->GetCurrentWindow(), nullptr);
    }
}

// The plausibility test walks back from the calendar's day and stops at the first day with a
// problem; marking the entries as correct takes them out of later tests.
TEST_F(WorksheetTest, ThePlausibilityTestShowsTheFirstProblemDayAndMarksEntriesAsCorrect) {
    Book(Monday, T(9, 0), T(10, 0), m_work);
    Book(Monday, T(9, 30), T(9, 45), m_work);
    Book(Monday, T(9, 50), T(11, 0), m_work, T(1, 10));
    m_app->GetTypedStorage()->Save();
    TfrmWorksheet& window = Open(Tuesday);
    window.Action(TfrmWorksheet::actFindProblems)->trigger();
    EXPECT_TRUE(window.isEnabled());
    EXPECT_EQ(window.ShownDate(), Monday);
    ASSERT_NE(window.Problems(), nullptr);
    ASSERT_EQ(window.Problems()->Count(), 2);
    EXPECT_EQ(Times(window.Problems()->Items(0)), QStringLiteral("09:00-10:00 60"));
    EXPECT_EQ(Times(window.Problems()->Items(1)), QStringLiteral("09:30-09:45 15"));
    EXPECT_EQ(Grid().item(0, 0)->background().color(), QColor(Qt::yellow));
    EXPECT_EQ(Grid().item(2, 0)->background().style(), Qt::NoBrush);
    EXPECT_TRUE(TMessageBoxSeam::History().empty()) << "a found problem is shown, not told";
    EXPECT_TRUE(window.Action(TfrmWorksheet::actSolveProblem)->isEnabled());

    window.Action(TfrmWorksheet::actSolveProblem)->trigger();
    EXPECT_FALSE(window.Action(TfrmWorksheet::actSolveProblem)->isEnabled());
    EXPECT_TRUE(window.ApplyEnabled());
    // Saved only with Apply.
    EXPECT_TRUE(std::dynamic_pointer_cast<IHXActivityEntry_>(m_app->GetTypedStorage()->GetDayEntries(Monday)->Items(0))
                    ->IsProblem());
    ASSERT_TRUE(window.Apply());
    EXPECT_FALSE(std::dynamic_pointer_cast<IHXActivityEntry_>(m_app->GetTypedStorage()->GetDayEntries(Monday)->Items(0))
                     ->IsProblem());

    // The confirmed A and B with the unconfirmed C still sum more than they cover.
    window.GoToDate(Tuesday);
    window.FindProblems();
    EXPECT_EQ(window.ShownDate(), Monday);
    ASSERT_EQ(window.Problems()->Count(), 3);
    window.SolveProblems();
    ASSERT_TRUE(window.Apply());
    window.GoToDate(Tuesday);
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::OK);
    window.FindProblems();
    EXPECT_EQ(window.ShownDate(), Tuesday);
    ASSERT_TRUE(TMessageBoxSeam::Last().has_value());
    EXPECT_TRUE(TMessageBoxSeam::Last()->text.startsWith(
        QStringLiteral("The plausibility test has successfully checked the data between ")))
        << TMessageBoxSeam::Last()->text.toStdString();
}

TEST_F(WorksheetTest, ApplyDropsTheProblemListAndAnEmptyStorageHasNoDataBeforeItsFirstDay) {
    TfrmWorksheet& window = Open(Monday);
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::OK);
    window.FindProblems();
    ASSERT_TRUE(TMessageBoxSeam::Last().has_value());
    EXPECT_TRUE(
        TMessageBoxSeam::Last()->text.startsWith(QStringLiteral("The plausibility test has found no data before ")));

    // An unsaved over-long entry counts as data and is found.
    window.Action(TfrmWorksheet::actNew)->trigger();
    window.RowEntry(0)->SetDuration(T(2, 0));
    window.FindProblems();
    ASSERT_NE(window.Problems(), nullptr);
    EXPECT_EQ(window.Problems()->Count(), 1);
    ASSERT_TRUE(window.Apply());
    EXPECT_EQ(window.Problems(), nullptr) << "the highlighted entries belonged to the saved copies";
    EXPECT_FALSE(window.Action(TfrmWorksheet::actSolveProblem)->isEnabled());
}

// The break rules of the options are findings of their own: they are listed when the test ends.
TEST_F(WorksheetTest, ThePlausibilityTestListsDaysWithTooFewBreaksWhenSwitchedOn) {
    Book(Monday, T(8, 0), T(15, 0), m_work);
    Book(Monday, T(15, 0), T(15, 15), m_lunch);
    m_app->GetTypedStorage()->Save();
    TfrmWorksheet& window = Open(Monday);
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::OK);
    window.FindProblems();
    EXPECT_FALSE(TMessageBoxSeam::Last()->text.contains(QStringLiteral("breaks"))) << "off by default";

    m_app->GetOptions(QStringLiteral("worksheet"))->Items(QStringLiteral("checkbreaks"))->SetAsBoolean(true);
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::OK);
    window.FindProblems();
    EXPECT_TRUE(TMessageBoxSeam::Last()->text.contains(
        QStringLiteral("07:00 of work with 00:15 of breaks (at least 00:30 after 06:00)")))
        << TMessageBoxSeam::Last()->text.toStdString();
}

// The vacation dialog books into the worksheet's working copies; a day that holds data is asked
// about first.
TEST_F(WorksheetTest, AVacationIsBookedIntoTheWorkingCopies) {
    m_app->GetCalendar()->Week()->Monday()->SetWorkTime(T(8, 0));
    m_app->GetCalendar()->Week()->Friday()->SetWorkTime(T(6, 0));
    const double friday = Monday + 4;
    Book(friday + 3, T(8, 0), T(9, 0), m_work);
    TfrmWorksheet& window = Open(friday);
    TfrmHolidayBooker dialog(&window);
    dialog.Initialize(*m_app, [&window](double date) { return window.WorkingCopy(date); });
    dialog.EndPicker()->setDate(QDateFromDate(friday + 3));
    EXPECT_EQ(dialog.StartPicker()->date(), QDateFromDate(friday + 2)) << "the start follows the end";
    dialog.StartPicker()->setDate(QDateFromDate(friday + 3));
    EXPECT_EQ(dialog.EndPicker()->date(), QDateFromDate(friday + 4)) << "the end follows the start";
    dialog.EndPicker()->setDate(QDateFromDate(friday + 3));
    EXPECT_EQ(dialog.StartPicker()->date(), QDateFromDate(friday + 2));
    dialog.StartPicker()->setDate(QDateFromDate(friday));

    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::OK);
    dialog.accept();
    EXPECT_EQ(TMessageBoxSeam::Last()->text, QStringLiteral("Please select an activity."));

    auto vacation = std::make_shared<TActivityLocator>();
    vacation->SetActivity(m_work);
    dialog.ActivityBox()->SetSelectedLocator(vacation);
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::No);
    dialog.accept();
    EXPECT_EQ(TMessageBoxSeam::Last()->text,
              QStringLiteral("There is 1 day already containing data. Do you want to enter this vacation anyways?"));
    EXPECT_EQ(window.WorkingCopy(friday)->Count(), 0) << "No books nothing";

    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::Yes);
    dialog.accept();
    const double expected[] = {T(6, 0), 0, 0, T(8, 0)};
    for (int i = 0; i < 4; ++i) {
        const DayEntryListPtr list = window.WorkingCopy(friday + i);
        ASSERT_EQ(list->Count(), i == 3 ? 2 : 1) << i;
        const auto entry = std::dynamic_pointer_cast<IHXActivityEntry_>(list->Items(list->Count() - 1));
        EXPECT_EQ(entry->StartTime(), 0.0);
        EXPECT_EQ(entry->EndTime(), 1.0);
        EXPECT_NEAR(entry->Duration(), expected[i], OneMillisecond) << i;
    }
    EXPECT_EQ(m_app->GetTypedStorage()->GetDayEntries(friday)->Count(), 0) << "stored only when the worksheet saves";
    const auto history = m_app->GetOptions(QStringLiteral("holiday booker"))->Find(QStringLiteral("history"));
    ASSERT_NE(history, nullptr);
    EXPECT_EQ(history->AsValueList()->Count(), 1);
}

// The day header's menu offers the user's date formats, a user-defined one among them; the choice
// stays in the options.
TEST_F(WorksheetTest, TheDayHeaderShowsTheDateFormatTheUserChose) {
    auto own = std::make_shared<TDateFormatterLocDepUser>();
    own->SetName(QStringLiteral("Own"));
    own->SetFormatString(QStringLiteral("yyyy'/'MM'/'dd"));
    const auto dates = m_app->GetFormattingOptions()->DateFormattingOptions();
    dates->Definitions()->Add(own);
    dates->Selection()->Add(own);

    TfrmWorksheet& window = Open(Monday);
    EXPECT_EQ(window.DayLabel()->text(), TDateFormatterGregorianLongDate().Format(Monday)) << "the long date at first";
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* item : menu->actions())
            if (item->text().startsWith(QStringLiteral("Own\t")))
                item->trigger();
        menu->close();
    });
    emit window.DayLabel()->customContextMenuRequested(QPoint(5, 5));
    EXPECT_EQ(window.DayLabel()->text(), QStringLiteral("2026/03/02"));
    m_window.reset();

    TfrmWorksheet& again = Open(Tuesday);
    EXPECT_EQ(again.DayLabel()->text(), QStringLiteral("2026/03/03"));
}
