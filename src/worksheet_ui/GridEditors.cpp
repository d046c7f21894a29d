#include "worksheet_ui/GridEditors.h"

#include "model/ActivityLocator.h"
#include "worksheet_ui/ActivityEntryHolder.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QToolButton>

bool PassKeyToGrid(TvrnStringGrid* grid, QKeyEvent* event) {
    if (!grid)
        return false;
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Return || key == Qt::Key_Enter ||
        key == Qt::Key_Escape) {
        if (modifiers & (Qt::ControlModifier | Qt::AltModifier))
            return false;
        QKeyEvent passed(QEvent::KeyPress, key, modifiers & Qt::ShiftModifier);
        grid->HandleKey(&passed);
        return passed.isAccepted();
    }
    const bool moveKey = key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down ||
                         key == Qt::Key_Home || key == Qt::Key_End || key == Qt::Key_PageUp || key == Qt::Key_PageDown;
    if (moveKey && (modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier)) {
        QKeyEvent passed(QEvent::KeyPress, key, modifiers & ~Qt::ControlModifier);
        grid->HandleKey(&passed);
        return passed.isAccepted();
    }
    return false;
}

bool IsTabPress(QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    return key == Qt::Key_Tab || key == Qt::Key_Backtab;
}

bool WriteTypedValue(TvrnStringGrid* grid, int row, TCellColumn column, double value, TRememberedBound& bound,
                     int& reentrancy) {
    TCellEditRow cellRow{EntryOfRow(grid, row), [grid, row, &reentrancy] {
                             ++reentrancy;
                             grid->RequestNewLine();
                             --reentrancy;
                             return EntryOfRow(grid, row);
                         }};
    return ApplyCellChange(column, value, cellRow, bound) != nullptr;
}

// --- start and end

TVRNActivityTimeEdit::TVRNActivityTimeEdit(TCellColumn column, QWidget* parent)
    : TVRNGridTimeEdit(parent), m_kind(column) {
    connect(this, &TVRNCustomSpinEdit::Changed, this, &TVRNActivityTimeEdit::Change);
}

void TVRNActivityTimeEdit::SetCell(int column, int row) {
    if (m_reentrancy > 0)
        return;
    TVRNGridTimeEdit::SetCell(column, row);
    // A new cell starts a new editing session: its own other bound is remembered afresh.
    m_bound.Forget();
    const ActivityEntryPtr entry = EntryOfRow(m_grid, row);
    const ActivityEntryPtr above = entry ? nullptr : EntryOfRow(m_grid, row - 1);
    SetValue(m_kind == TCellColumn::Start ? CellStartValue(entry.get(), above.get())
                                          : CellEndValue(entry.get(), above.get()));
}

void TVRNActivityTimeEdit::Change() {
    if (!m_grid || SettingText() || !Valid())
        return;
    const int row = m_row;
    if (!WriteTypedValue(m_grid, row, m_kind, Value(), m_bound, m_reentrancy))
        return;
    ++m_reentrancy;
    emit EntryChanged(row);
    --m_reentrancy;
    ShowValidity(true);
}

void TVRNActivityTimeEdit::showEvent(QShowEvent* event) {
    m_bound.Forget();
    TVRNGridTimeEdit::showEvent(event);
}

void TVRNActivityTimeEdit::hideEvent(QHideEvent* event) {
    m_bound.Forget();
    TVRNGridTimeEdit::hideEvent(event);
}

// --- duration

TVRNActivityDurationEdit::TVRNActivityDurationEdit(QWidget* parent) : TVRNGridDurationEdit(parent) {
    connect(this, &TVRNCustomSpinEdit::Changed, this, &TVRNActivityDurationEdit::Change);
}

void TVRNActivityDurationEdit::SetCell(int column, int row) {
    if (m_reentrancy > 0)
        return;
    TVRNGridDurationEdit::SetCell(column, row);
    SetValue(CellDurationValue(EntryOfRow(m_grid, row).get()));
}

void TVRNActivityDurationEdit::Change() {
    if (!m_grid || SettingText() || !Valid())
        return;
    const int row = m_row;
    if (!WriteTypedValue(m_grid, row, TCellColumn::Duration, Value(), m_bound, m_reentrancy))
        return;
    ++m_reentrancy;
    emit EntryChanged(row);
    --m_reentrancy;
    ShowValidity(true);
}

// --- activity

TVRNActivityActivityEdit::TVRNActivityActivityEdit(QWidget* parent) : TActivityComboBox(parent) {
    SetShowPath(true);
    ComboBox()->setFrame(false);
    ComboBox()->installEventFilter(this);
    connect(this, &TActivityComboBox::Changed, this, &TVRNActivityActivityEdit::Change);
}

void TVRNActivityActivityEdit::SetCell(int column, int row) {
    if (m_reentrancy > 0)
        return;
    m_column = column;
    m_row = row;
    const ActivityEntryPtr entry = EntryOfRow(m_grid, row);
    BeginUpdate();
    if (entry && entry->Locator())
        SetSelectedLocator(entry->Locator());
    else
        SetSelectedLocator(std::make_shared<TActivityLocator>());
    EndUpdate();
}

void TVRNActivityActivityEdit::Change() {
    if (!m_grid)
        return;
    const ActivityLocatorPtr chosen = SelectedLocator();
    if (!chosen || chosen->ID().IsNull())
        return;
    const int row = m_row;
    ActivityEntryPtr entry = EntryOfRow(m_grid, row);
    if (!entry) {
        ++m_reentrancy;
        m_grid->RequestNewLine();
        --m_reentrancy;
        entry = EntryOfRow(m_grid, row);
        if (!entry)
            return;
    }
    entry->Locator()->Assign(chosen);
    entry->SetIsProblem(true);
    ++m_reentrancy;
    emit EntryChanged(row);
    --m_reentrancy;
}

bool TVRNActivityActivityEdit::ChildKeyPress(QKeyEvent* event) {
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool tab = event->key() == Qt::Key_Tab && !shift;
    const bool backtab = event->key() == Qt::Key_Backtab || (event->key() == Qt::Key_Tab && shift);
    if (tab && ComboBox()->hasFocus() && ShowButton() && Button()->isVisible()) {
        Button()->setFocus(Qt::TabFocusReason);
        return true;
    }
    if (backtab && Button()->hasFocus()) {
        ComboBox()->setFocus(Qt::BacktabFocusReason);
        return true;
    }
    // An open list keeps its keys.
    if (ComboBox()->view() && ComboBox()->view()->isVisible())
        return false;
    return PassKeyToGrid(m_grid, event);
}

bool TVRNActivityActivityEdit::eventFilter(QObject* watched, QEvent* event) {
    // Entered backwards (Shift held), the editor starts at its button.
    if (watched == ComboBox() && event->type() == QEvent::FocusIn && ShowButton() && Button()->isVisible() &&
        (QApplication::keyboardModifiers() & Qt::ShiftModifier)) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::MouseFocusReason && reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            Button()->setFocus(Qt::BacktabFocusReason);
            return false;
        }
    }
    return TActivityComboBox::eventFilter(watched, event);
}
