#pragma once

// The worksheet's four cell editors. Each writes what the user types straight into the time entry
// of its row: the time and duration editors by the cell-edit rules, the activity editor by
// assigning the chosen activity. Typing into the new-line row first asks the grid for a new line.
// While an editor asks for a new line or passes its change on, it ignores the grid's requests to
// show a cell (its re-entrancy counter is raised), so the redraw that follows never resets it.
//
// Keys: Tab, Enter and Escape go to the grid; Ctrl+arrows go to the grid without Ctrl; the plain
// arrows stay with the editor (they step the value or the list).

#include "activities_ui/ActivityComboBox.h"
#include "controls/CellEditRules.h"
#include "controls/VRNDurationEdit.h"
#include "controls/VRNTimeEdit.h"
#include "worksheet_ui/StringGrid.h"

#include <QKeyEvent>

/// Passes a key of an editor to the grid when it belongs there: Tab, Backtab, Enter, Escape, and
/// Ctrl+arrows (Ctrl+Home/End/Page keys) without Ctrl. Returns whether the grid took it.
bool PassKeyToGrid(TvrnStringGrid* grid, QKeyEvent* event);

/// Whether the event is a Tab or Shift+Tab key press (which reaches a widget's event() before its
/// key handling, to move the focus).
bool IsTabPress(QEvent* event);

/// A value edit in a grid cell: borderless, not a tab stop, its keys routed as described above.
template <typename Edit> class TGridValueEdit : public Edit, public IGridCellEditor {
public:
    explicit TGridValueEdit(QWidget* parent) : Edit(parent) {
        this->setFrame(false);
        this->setFocusPolicy(Qt::ClickFocus);
    }
    void BindToGrid(TvrnStringGrid* grid) override { m_grid = grid; }
    void SetCell(int column, int row) override {
        m_column = column;
        m_row = row;
    }
    QWidget* EditorWidget() override { return this; }
    bool ShowsUnappliedText() const override { return this->MarkedInvalid(); }
    TvrnStringGrid* Grid() const { return m_grid; }
    int Column() const { return m_column; }
    int Row() const { return m_row; }

protected:
    bool event(QEvent* event) override {
        if (IsTabPress(event) && PassKeyToGrid(m_grid, static_cast<QKeyEvent*>(event)))
            return true;
        return Edit::event(event);
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (!PassKeyToGrid(m_grid, event))
            Edit::keyPressEvent(event);
    }

    TvrnStringGrid* m_grid = nullptr;
    int m_column = -1;
    int m_row = -1;
};

/// A time edit in a grid cell.
class TVRNGridTimeEdit : public TGridValueEdit<TVRNTimeEdit> {
    Q_OBJECT
public:
    explicit TVRNGridTimeEdit(QWidget* parent = nullptr) : TGridValueEdit(parent) {}
};

/// A duration edit in a grid cell.
class TVRNGridDurationEdit : public TGridValueEdit<TVRNDurationEdit> {
    Q_OBJECT
public:
    explicit TVRNGridDurationEdit(QWidget* parent = nullptr) : TGridValueEdit(parent) {}
};

/// The common steps of a typed start, end or duration in the grid: the row's entry (a new line
/// first in the new-line row, with reentrancy raised), the value written by the column's rule.
/// Returns whether an entry was written.
bool WriteTypedValue(TvrnStringGrid* grid, int row, TCellColumn column, double value, TRememberedBound& bound,
                     int& reentrancy);

/// The start or end editor of the worksheet.
class TVRNActivityTimeEdit : public TVRNGridTimeEdit {
    Q_OBJECT
public:
    TVRNActivityTimeEdit(TCellColumn column, QWidget* parent = nullptr);
    void SetCell(int column, int row) override;
    /// Writes the typed value into the row's entry (see the header comment).
    void Change();

signals:
    /// The row's entry was changed.
    void EntryChanged(int row);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    TCellColumn m_kind;
    TRememberedBound m_bound;
    int m_reentrancy = 0;
};

/// The start editor: a typed start later than the end collapses the entry to the start.
class TVRNActivityFromTimeEdit : public TVRNActivityTimeEdit {
    Q_OBJECT
public:
    explicit TVRNActivityFromTimeEdit(QWidget* parent = nullptr) : TVRNActivityTimeEdit(TCellColumn::Start, parent) {}
};

/// The end editor: a typed end before the start collapses the entry to the end.
class TVRNActivityToTimeEdit : public TVRNActivityTimeEdit {
    Q_OBJECT
public:
    explicit TVRNActivityToTimeEdit(QWidget* parent = nullptr) : TVRNActivityTimeEdit(TCellColumn::End, parent) {}
};

/// The duration editor: the typed duration, start and end stay.
class TVRNActivityDurationEdit : public TVRNGridDurationEdit {
    Q_OBJECT
public:
    explicit TVRNActivityDurationEdit(QWidget* parent = nullptr);
    void SetCell(int column, int row) override;
    void Change();

signals:
    void EntryChanged(int row);

private:
    TRememberedBound m_bound;
    int m_reentrancy = 0;
};

/// The activity editor: a box of the activities of the days around the shown one, with the
/// "..." button for the whole tree. Tab moves from the box to the button (when shown) and on to
/// the grid; Shift+Tab from the button goes back to the box.
class TVRNActivityActivityEdit : public TActivityComboBox, public IGridCellEditor {
    Q_OBJECT
public:
    explicit TVRNActivityActivityEdit(QWidget* parent = nullptr);
    void BindToGrid(TvrnStringGrid* grid) override { m_grid = grid; }
    void SetCell(int column, int row) override;
    QWidget* EditorWidget() override { return this; }
    void Change();

signals:
    void EntryChanged(int row);

protected:
    bool ChildKeyPress(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TvrnStringGrid* m_grid = nullptr;
    int m_column = -1;
    int m_row = -1;
    int m_reentrancy = 0;
};
