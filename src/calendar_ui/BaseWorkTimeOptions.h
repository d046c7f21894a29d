#pragma once

// The "Work" options page: the required working time of each weekday ("calendar" -> "week"), the
// hours that make one working day ("formatting options" -> "duration formatting options" ->
// "hours per day") and the breaks that regularly occur every day ("planned breaks"). The page
// edits copies of its own and writes them only when the options dialog saves it.
//
// The seven day rows begin with the first day of the week of the user's locale; each row's edit
// keeps the number (1 Monday .. 7 Sunday) of the weekday it edits.

#include "calendar/PlannedBreak.h"
#include "calendar/Week.h"
#include "model/ActivityInterfaces.h"
#include "ui/OptionsPages.h"

#include <array>
#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QTreeWidget;
class TVRNDurationEdit;
class TVRNFloatEdit;

class TfrmBaseWorkTimeOptions : public TfrmOptionsPage {
    Q_OBJECT
public:
    /// The designed size of the page.
    static constexpr int DesignedWidth = 440;
    static constexpr int DesignedHeight = 350;

    /// tree: where the breaks' activities are looked up and chosen from (may be nullptr).
    TfrmBaseWorkTimeOptions(QWidget* parent, IHXOptionsControl_* control, ActivityTreePtr tree);

    void LoadPage() override;
    /// Refuses (telling the user which value) while a day or the hours per day are not valid;
    /// then nothing is written. Otherwise writes the week, the breaks and the hours per day.
    bool SavePage() override;

    /// The row of the weekday: 0 is the first day of the week of the user's locale.
    QLabel* DayLabel(int row) const { return m_days.at(static_cast<size_t>(row)).label; }
    TVRNDurationEdit* DayEdit(int row) const { return m_days.at(static_cast<size_t>(row)).edit; }
    /// The weekday (1 Monday .. 7 Sunday) the row edits.
    int DayNumber(int row) const { return m_days.at(static_cast<size_t>(row)).day; }
    QLabel* WeekSumLabel() const { return m_weekSum; }
    TVRNFloatEdit* HoursPerDayEdit() const { return m_hoursPerDay; }
    QTreeWidget* BreakList() const { return m_breakList; }
    QPushButton* NewButton() const { return m_new; }
    QPushButton* EditButton() const { return m_edit; }
    QPushButton* DeleteButton() const { return m_delete; }
    /// The page's own copy of the planned breaks.
    const TPlannedBreakList& Breaks() const { return *m_breaks; }

    /// The commands of the buttons (also a double click and the Delete key on the list).
    void NewBreak();
    void EditBreak();
    void DeleteBreak();

    /// Opens the break edit dialog and returns whether the user confirmed (tests replace it).
    using TEditBreak = std::function<bool(QWidget* parent, const ActivityTreePtr& tree, const PlannedBreakPtr&)>;
    void SetBreakEditor(TEditBreak editor) { m_editBreak = std::move(editor); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TDayRow {
        QLabel* label = nullptr;
        TVRNDurationEdit* edit = nullptr;
        int day = 1;
    };

    void DayChanged(const TDayRow& row);
    void ShowWeekSum();
    /// Refills the break list selecting that break (else the first row).
    void FillBreaks(const PlannedBreakPtr& select);
    PlannedBreakPtr SelectedBreak() const;
    void UpdateButtons();
    void UserChanged();

    ActivityTreePtr m_tree;
    std::shared_ptr<TWeek> m_week = std::make_shared<TWeek>();
    std::shared_ptr<TPlannedBreakList> m_breaks = std::make_shared<TPlannedBreakList>();
    std::array<TDayRow, 7> m_days;
    QLabel* m_weekSum;
    TVRNFloatEdit* m_hoursPerDay;
    QTreeWidget* m_breakList;
    QPushButton* m_new;
    QPushButton* m_edit;
    QPushButton* m_delete;
    TEditBreak m_editBreak;
    bool m_loading = false;
};
