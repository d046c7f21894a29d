#include "worksheet_ui/StringGrid.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>

TvrnStringGrid::TvrnStringGrid(QWidget* parent) : QTableWidget(parent) {
    setColumnCount(4);
    verticalHeader()->hide();
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this] {
        if (m_editorMode)
            PlaceEditor(false);
    });
}

TvrnStringGrid::~TvrnStringGrid() {
    // Editors belong to the grid's owner; they must not hear from a grid that is going.
    for (IGridCellEditor* editor : m_editors)
        if (editor && editor->EditorWidget())
            editor->EditorWidget()->removeEventFilter(this);
}

void TvrnStringGrid::SetColumnEditor(int column, IGridCellEditor* editor) {
    if (column < 0)
        return;
    if (static_cast<size_t>(column) >= m_editors.size())
        m_editors.resize(static_cast<size_t>(column) + 1, nullptr);
    m_editors[static_cast<size_t>(column)] = editor;
    if (!editor)
        return;
    editor->BindToGrid(this);
    QWidget* widget = editor->EditorWidget();
    widget->hide();
    widget->setParent(viewport());
    widget->installEventFilter(this);
    // The editors are never tab stops: Tab moves between the cells.
    widget->setFocusPolicy(Qt::ClickFocus);
    for (QWidget* child : widget->findChildren<QWidget*>()) {
        child->installEventFilter(this);
        if (child->focusPolicy() != Qt::NoFocus)
            child->setFocusPolicy(Qt::ClickFocus);
    }
}

IGridCellEditor* TvrnStringGrid::ColumnEditor(int column) const {
    if (column < 0 || static_cast<size_t>(column) >= m_editors.size())
        return nullptr;
    return m_editors[static_cast<size_t>(column)];
}

void TvrnStringGrid::SetRowCount(int rows) {
    rows = std::max(rows, 0);
    if (static_cast<int>(m_rowObjects.size()) > rows)
        m_rowObjects.resize(static_cast<size_t>(rows));
    setRowCount(rows);
    m_rowObjects.resize(static_cast<size_t>(rows));
}

TGridRowObject* TvrnStringGrid::RowObject(int row) const {
    if (row < 0 || static_cast<size_t>(row) >= m_rowObjects.size())
        return nullptr;
    return m_rowObjects[static_cast<size_t>(row)].get();
}

void TvrnStringGrid::SetRowObject(int row, std::unique_ptr<TGridRowObject> object) {
    if (row < 0 || row >= rowCount())
        return;
    if (static_cast<size_t>(row) >= m_rowObjects.size())
        m_rowObjects.resize(static_cast<size_t>(rowCount()));
    m_rowObjects[static_cast<size_t>(row)] = std::move(object);
}

std::unique_ptr<TGridRowObject> TvrnStringGrid::TakeRowObject(int row) {
    if (row < 0 || static_cast<size_t>(row) >= m_rowObjects.size())
        return nullptr;
    return std::move(m_rowObjects[static_cast<size_t>(row)]);
}

void TvrnStringGrid::ClearRowObjects() {
    for (auto& object : m_rowObjects)
        object.reset();
}

void TvrnStringGrid::ReorderRowObjects(const std::vector<int>& order) {
    std::vector<std::unique_ptr<TGridRowObject>> reordered(m_rowObjects.size());
    std::vector<bool> taken(m_rowObjects.size(), false);
    for (size_t i = 0; i < order.size() && i < reordered.size(); ++i) {
        const int from = order[i];
        if (from < 0 || static_cast<size_t>(from) >= m_rowObjects.size() || taken[static_cast<size_t>(from)])
            continue;
        reordered[i] = std::move(m_rowObjects[static_cast<size_t>(from)]);
        taken[static_cast<size_t>(from)] = true;
    }
    // Rows the order does not mention keep their objects.
    for (size_t i = order.size(); i < reordered.size(); ++i)
        if (!taken[i])
            reordered[i] = std::move(m_rowObjects[i]);
    m_rowObjects = std::move(reordered);
}

void TvrnStringGrid::HideEditor(QWidget* widget) {
    if (!widget->isVisible())
        return;
    // A focused widget that hides hands the focus on as Tab would; the grid takes it instead.
    if (widget->hasFocus() || widget->isAncestorOf(QApplication::focusWidget())) {
        ++m_ownFocusChanges;
        setFocus(Qt::OtherFocusReason);
        widget->hide();
        --m_ownFocusChanges;
        return;
    }
    widget->hide();
}

QWidget* TvrnStringGrid::ShownEditor() const {
    for (IGridCellEditor* editor : m_editors)
        if (editor && editor->EditorWidget()->isVisible())
            return editor->EditorWidget();
    return nullptr;
}

bool TvrnStringGrid::OwnsFocusWidget(const QWidget* widget) const {
    if (!widget)
        return false;
    if (widget == this)
        return true;
    for (IGridCellEditor* editor : m_editors)
        if (editor && (widget == editor->EditorWidget() || editor->EditorWidget()->isAncestorOf(widget)))
            return true;
    return false;
}

void TvrnStringGrid::SetEditorMode(bool on) {
    m_editorMode = on && isEnabled();
    if (!m_editorMode) {
        for (IGridCellEditor* editor : m_editors)
            if (editor)
                HideEditor(editor->EditorWidget());
        return;
    }
    PlaceEditor(OwnsFocusWidget(QApplication::focusWidget()));
}

void TvrnStringGrid::PlaceEditor(bool focus) {
    const int column = currentColumn();
    const int row = currentRow();
    IGridCellEditor* current = ColumnEditor(column);
    for (IGridCellEditor* editor : m_editors)
        if (editor && editor != current)
            HideEditor(editor->EditorWidget());
    if (!current || row < 0)
        return;
    QWidget* widget = current->EditorWidget();
    const QRect cell = visualRect(model()->index(row, column));
    widget->setGeometry(cell);
    if (!widget->isVisible()) {
        current->SetCell(column, row);
        widget->show();
        // Typing replaces the value of a cell just entered.
        if (auto* spin = qobject_cast<QAbstractSpinBox*>(widget))
            spin->selectAll();
    }
    if (focus && !widget->hasFocus() && !widget->isAncestorOf(QApplication::focusWidget())) {
        ++m_ownFocusChanges;
        widget->setFocus(Qt::OtherFocusReason);
        --m_ownFocusChanges;
    }
}

void TvrnStringGrid::SelectCell(int column, int row) {
    if (rowCount() == 0 || columnCount() == 0)
        return;
    column = std::clamp(column, 0, columnCount() - 1);
    row = std::clamp(row, 0, rowCount() - 1);
    if (column == currentColumn() && row == currentRow()) {
        RefreshEditor();
        return;
    }
    setCurrentCell(row, column);
}

void TvrnStringGrid::RefreshEditor() {
    if (IGridCellEditor* editor = ColumnEditor(currentColumn()))
        if (currentRow() >= 0)
            editor->SetCell(currentColumn(), currentRow());
}

void TvrnStringGrid::RequestNewLine() {
    emit NewLineRequested();
}

void TvrnStringGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableWidget::currentChanged(current, previous);
    const bool focus = OwnsFocusWidget(QApplication::focusWidget());
    // The editor of the new cell shows the new cell's value.
    for (IGridCellEditor* editor : m_editors)
        if (editor)
            HideEditor(editor->EditorWidget());
    if (m_editorMode && current.isValid())
        PlaceEditor(focus);
    emit CellSelected(current.column(), current.row());
}

int TvrnStringGrid::PageRows() const {
    const int rowHeight = std::max(1, verticalHeader()->defaultSectionSize());
    return std::max(1, viewport()->height() / rowHeight - 1);
}

void TvrnStringGrid::LeaveGrid(bool forward) {
    SetEditorMode(false);
    ++m_ownFocusChanges;
    setFocus(Qt::OtherFocusReason);
    // The window's own tab order takes over from the grid.
    QWidget::focusNextPrevChild(forward);
    --m_ownFocusChanges;
}

void TvrnStringGrid::HandleKey(QKeyEvent* event) {
    const int column = currentColumn();
    const int row = currentRow();
    const int lastColumn = columnCount() - 1;
    const int lastRow = rowCount() - 1;
    if (event->modifiers() & Qt::AltModifier) {
        event->ignore();
        return;
    }
    event->accept();
    switch (event->key()) {
    case Qt::Key_Tab:
        if (event->modifiers() & Qt::ShiftModifier) {
            if (column <= 0 && row <= 0)
                LeaveGrid(false);
            else if (column <= 0)
                SelectCell(lastColumn, row - 1);
            else
                SelectCell(column - 1, row);
        } else if (column >= lastColumn && row >= lastRow) {
            LeaveGrid(true);
        } else if (column >= lastColumn) {
            SelectCell(0, row + 1);
        } else {
            SelectCell(column + 1, row);
        }
        break;
    case Qt::Key_Backtab:
        if (column <= 0 && row <= 0)
            LeaveGrid(false);
        else if (column <= 0)
            SelectCell(lastColumn, row - 1);
        else
            SelectCell(column - 1, row);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        SelectCell(column, row + 1);
        break;
    case Qt::Key_Escape: {
        IGridCellEditor* editor = ColumnEditor(column);
        if (editor && editor->EditorWidget()->isVisible() && editor->ShowsUnappliedText())
            RefreshEditor();
        else
            event->ignore();
        return;
    }
    case Qt::Key_Left:
        SelectCell(column - 1, row);
        break;
    case Qt::Key_Right:
        SelectCell(column + 1, row);
        break;
    case Qt::Key_Up:
        SelectCell(column, row - 1);
        break;
    case Qt::Key_Down:
        SelectCell(column, row + 1);
        break;
    case Qt::Key_Home:
        SelectCell(column, 0);
        break;
    case Qt::Key_End:
        SelectCell(column, lastRow);
        break;
    case Qt::Key_PageUp:
        SelectCell(column, row - PageRows());
        break;
    case Qt::Key_PageDown:
        SelectCell(column, row + PageRows());
        break;
    default:
        event->ignore();
        return;
    }
    if (event->key() != Qt::Key_Tab && event->key() != Qt::Key_Backtab)
        SetEditorMode(true);
    else if (OwnsFocusWidget(QApplication::focusWidget()))
        SetEditorMode(true);
}

void TvrnStringGrid::keyPressEvent(QKeyEvent* event) {
    HandleKey(event);
    if (!event->isAccepted())
        QTableWidget::keyPressEvent(event);
}

bool TvrnStringGrid::focusNextPrevChild(bool next) {
    if (m_ownFocusChanges > 0)
        return QWidget::focusNextPrevChild(next);
    // Tab inside the grid (from the grid or an editor) moves between the cells.
    QKeyEvent tab(QEvent::KeyPress, next ? Qt::Key_Tab : Qt::Key_Backtab, next ? Qt::NoModifier : Qt::ShiftModifier);
    HandleKey(&tab);
    return true;
}

void TvrnStringGrid::focusInEvent(QFocusEvent* event) {
    QTableWidget::focusInEvent(event);
    if (m_ownFocusChanges > 0)
        return;
    if (event->reason() == Qt::TabFocusReason)
        SelectCell(0, 0);
    else if (event->reason() == Qt::BacktabFocusReason)
        SelectCell(columnCount() - 1, rowCount() - 1);
    SetEditorMode(true);
}

void TvrnStringGrid::focusOutEvent(QFocusEvent* event) {
    QTableWidget::focusOutEvent(event);
    if (m_ownFocusChanges > 0)
        return;
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    if (!OwnsFocusWidget(QApplication::focusWidget()))
        SetEditorMode(false);
}

bool TvrnStringGrid::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && m_ownFocusChanges == 0) {
        const auto* focus = static_cast<QFocusEvent*>(event);
        if (focus->reason() != Qt::ActiveWindowFocusReason && focus->reason() != Qt::PopupFocusReason &&
            !OwnsFocusWidget(QApplication::focusWidget()) && QApplication::focusWidget() != nullptr) {
            m_editorMode = false;
            ++m_ownFocusChanges;
            for (IGridCellEditor* editor : m_editors)
                if (editor)
                    editor->EditorWidget()->hide();
            --m_ownFocusChanges;
        }
    }
    return QTableWidget::eventFilter(watched, event);
}

void TvrnStringGrid::changeEvent(QEvent* event) {
    QTableWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        emit FontChanged();
}

void TvrnStringGrid::resizeEvent(QResizeEvent* event) {
    QTableWidget::resizeEvent(event);
    if (m_editorMode)
        PlaceEditor(false);
}

void TvrnStringGrid::scrollContentsBy(int dx, int dy) {
    QTableWidget::scrollContentsBy(dx, dy);
    if (m_editorMode)
        PlaceEditor(false);
}
