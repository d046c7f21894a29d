#pragma once

// The worksheet: a month calendar on the left, the entries of the chosen day in an editable grid
// on the right, the day's total against its required time below, and a tool bar of day-level
// commands. Every change is made on working copies of the days; nothing reaches the storage
// until Apply or OK (or "Yes" to the close question).

#include "model/ActivityInterfaces.h"
#include "model/EntryInterfaces.h"
#include "ui/BaseForm.h"
#include "worksheet/DaySheet.h"
#include "worksheet/PlausibilityCheck.h"

#include <memory>

class IApplication_;
class IHXTypedStorage_;
class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QToolBar;
class QToolButton;
class TActivityEntryList;
class IHXDateFormatter_;
class TDurationFormatterHM;
class TOKCancelPanel;
class TVRNActivityActivityEdit;
class TVRNActivityDurationEdit;
class TVRNActivityFromTimeEdit;
class TVRNActivityToTimeEdit;
class TWorkingDays;
class TvrnMonthCalendar;
class TvrnStringGrid;

class TfrmWorksheet : public ThxBaseForm, public IActivityTreeNotify {
    Q_OBJECT
public:
    /// The commands of the tool bar, the sort menu and the day header.
    enum Command {
        actNew,
        actWork,
        actDelete,
        actSort,
        actSortFromTime,
        actSortToTime,
        actSortActivity,
        actSortDuration,
        actHoliday,
        actFindProblems,
        actSolveProblem,
        actPrevDay,
        actNextDay,
        CommandCount
    };

    explicit TfrmWorksheet(QWidget* parent = nullptr);
    ~TfrmWorksheet() override;

    /// Binds the window to the application: its storage, calendar, activity tree and options.
    void Initialize(IApplication_& application);

    QAction* Action(Command command) const;
    TvrnStringGrid* Grid() const { return m_grid; }
    TvrnMonthCalendar* Calendar() const { return m_calendar; }
    QComboBox* MarkerBox() const { return m_marker; }
    TOKCancelPanel* Panel() const { return m_panel; }
    QLabel* TotalLabel() const { return m_lblTotal; }
    QLabel* RequiredLabel() const { return m_lblShould; }
    QLabel* BalanceLabel() const { return m_lblBalance; }
    /// Worked minus required time from the first of the shown month to the shown day.
    double MonthBalance();
    QLabel* DayLabel() const { return m_dayLabel; }
    TVRNActivityFromTimeEdit* StartEditor() const { return m_startEdit; }
    TVRNActivityToTimeEdit* EndEditor() const { return m_endEdit; }
    TVRNActivityActivityEdit* ActivityEditor() const { return m_activityEdit; }
    TVRNActivityDurationEdit* DurationEditor() const { return m_durationEdit; }

    /// The working copy of the day of date (see TWorkingDays); nullptr when it is not available.
    DayEntryListPtr WorkingCopy(double date);
    /// The day shown and its working copy (nullptr when the day is not available).
    double ShownDate() const { return m_shownDate; }
    const DayEntryListPtr& CurrentDayList() const { return m_current; }
    /// The entry of a grid row (rows count from 0 below the header), nullptr for the new-line row.
    ActivityEntryPtr RowEntry(int row) const;

    /// Moves the calendar to the date and shows that day.
    void GoToDate(double date);
    /// Shows the calendar's day (see the class comment).
    void ShowDay(double date);
    /// Sorts by a column as the sort commands do: the sort column again toggles the direction,
    /// another column sorts ascending; a column outside 0..3 resets to the start, ascending.
    void SortBy(int column);
    int SortColumn() const { return m_sortColumn; }
    bool SortAscending() const { return m_sortAscending; }
    /// Computes the totals now, if they are due.
    void UpdateTotals();
    /// The number of working copies with changes.
    int ChangedDayCount() const;
    bool ApplyEnabled() const;
    /// Apply: saves the changed days; false when saving failed or was cancelled (the changes stay).
    bool Apply();
    /// The problem list of the last plausibility test (may be nullptr).
    const std::shared_ptr<TActivityEntryList>& Problems() const { return m_problems; }
    /// Marks the entries of the problem list as correct.
    void SolveProblems();
    /// The plausibility test: walks back from the calendar's day to the earliest day with data
    /// and shows the first day with implausible entries highlighted.
    void FindProblems();
    /// "Enter Vacation Time" into the working copies.
    void EnterVacation();

    void accept() override;
    void reject() override;

    // IActivityTreeNotify
    void ActivityDeleted(const ActivityPtr& activity) override;
    void ActivityChanged(const ActivityPtr& activity) override;
    void ChildsChanged(const ActivityPtr& activity) override;
    void TreeAssigned() override;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateActions();
    QToolBar* CreateToolBar();
    QWidget* CreateDayHeader();
    void FirstShow();
    void Execute(Command command);

    void DrawRow(int row);
    void DrawEmptyRow(int row);
    void RedrawAllRows();
    void RowChanged(int row);
    void SetModified();
    void UpdateActions();
    void ScheduleTotals();
    void RefreshDayStates();
    void DayState(double date, bool& bold);
    void FillActivitySuggestions(double date);
    void SetColumnWidths();
    /// The date formats the user selected, offered by the day header's menu.
    void ShowDateFormatMenu(const QPoint& position);
    void UseStoredDateFormat();
    /// The break rules of the options (none unless switched on).
    std::vector<TBreakRule> BreakRules() const;

    void NewLineRequested();
    void NewEntry();
    void DeleteEntry();
    void JoinEntries();
    void SortGrid();
    void CheckSortMenu();
    void StepDays(int days);
    void StepMonths(int months);
    void MoveToMonthEdge(bool first);
    void HandleMoveKey(int key);

    /// Saves the changed days; withSaveAll false only copies them into the stored lists (the
    /// program saves them on its way out). False when it failed or was cancelled.
    bool SaveChanges(bool withSaveAll);
    void StoreMarker();
    void ReleaseStorage();

    IApplication_* m_application = nullptr;
    ActivityTreePtr m_tree;
    std::shared_ptr<IHXTypedStorage_> m_storage;
    std::unique_ptr<TWorkingDays> m_days;
    DayEntryListPtr m_current;
    double m_shownDate = 0;
    std::shared_ptr<TActivityEntryList> m_problems;
    int m_sortColumn = 0;
    bool m_sortAscending = true;
    bool m_firstShowPending = true;
    bool m_suppressCalendarClicks = false;
    bool m_totalsPending = false;
    bool m_closed = false;
    std::shared_ptr<TDurationFormatterHM> m_durationFormatter;
    /// The day header's format: the long date unless the user chose another of the formats.
    std::shared_ptr<IHXDateFormatter_> m_dateFormatter;

    QAction* m_actions[CommandCount] = {};
    QToolBar* m_toolBar = nullptr;
    QComboBox* m_marker = nullptr;
    QMenu* m_sortMenu = nullptr;
    TvrnMonthCalendar* m_calendar = nullptr;
    QWidget* m_dayHeader = nullptr;
    QToolButton* m_prevDayButton = nullptr;
    QToolButton* m_nextDayButton = nullptr;
    QLabel* m_dayLabel = nullptr;
    TvrnStringGrid* m_grid = nullptr;
    QLabel* m_lblTotal = nullptr;
    QLabel* m_lblShould = nullptr;
    QLabel* m_lblBalance = nullptr;
    TOKCancelPanel* m_panel = nullptr;
    /// Only measured: the width and height of a single-line edit for the time columns.
    QComboBox* m_reference = nullptr;
    TVRNActivityFromTimeEdit* m_startEdit = nullptr;
    TVRNActivityToTimeEdit* m_endEdit = nullptr;
    TVRNActivityActivityEdit* m_activityEdit = nullptr;
    TVRNActivityDurationEdit* m_durationEdit = nullptr;
};
