#pragma once

// A grid of text cells in which the current cell is edited by an editor control of its column.
// The editor stands over the current cell while the grid (or the editor) has the focus ("editor
// on") and is hidden otherwise. Each row can hold one object of the grid's owner; the grid frees
// it with the row.
//
// Keys: the arrow keys, Home, End, Page Up and Page Down move between cells (with or without Ctrl;
// the editors hand over Ctrl+arrows without Ctrl, since they use the plain arrows themselves).
// Tab and Shift+Tab move cell by cell; Tab on the last cell and Shift+Tab on the first leave the
// grid. Enter moves one row down. Escape shows the cell's value again in the editor; without an
// editor it goes to the window (which closes a dialog).
//
// Rows count from 0 below the header; the last row is the owner's new-line row.

#include <QTableWidget>
#include <memory>
#include <vector>

class TvrnStringGrid;

/// The object a grid row holds.
class TGridRowObject {
public:
    virtual ~TGridRowObject() = default;
};

/// What a column's editor offers the grid.
class IGridCellEditor {
public:
    virtual ~IGridCellEditor() = default;
    virtual void BindToGrid(TvrnStringGrid* grid) = 0;
    /// Shows the value of the cell; ignored while the editor itself changes the grid.
    virtual void SetCell(int column, int row) = 0;
    virtual QWidget* EditorWidget() = 0;
    /// Whether the editor shows a text that was not written into the row (an invalid one).
    virtual bool ShowsUnappliedText() const { return false; }
};

class TvrnStringGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit TvrnStringGrid(QWidget* parent = nullptr);
    ~TvrnStringGrid() override;

    /// The editor of a column (not owned; nullptr: the column is not edited).
    void SetColumnEditor(int column, IGridCellEditor* editor);
    IGridCellEditor* ColumnEditor(int column) const;

    /// Sets the number of rows below the header; objects of dropped rows are freed.
    void SetRowCount(int rows);
    TGridRowObject* RowObject(int row) const;
    /// Gives the row an object (the former one is freed).
    void SetRowObject(int row, std::unique_ptr<TGridRowObject> object);
    std::unique_ptr<TGridRowObject> TakeRowObject(int row);
    /// Frees every row object.
    void ClearRowObjects();
    /// Puts the row objects in a new order: order[i] is the former row of row i.
    void ReorderRowObjects(const std::vector<int>& order);

    /// Shows the current column's editor over the current cell (and gives it the focus when the
    /// grid has it), or hides every editor.
    void SetEditorMode(bool on);
    bool EditorMode() const { return m_editorMode; }
    /// The editor shown now, or nullptr.
    QWidget* ShownEditor() const;
    /// Selects a cell (bounded to the grid) and shows its value in the editor.
    void SelectCell(int column, int row);
    /// Asks the current editor to show its cell again (after the row was redrawn).
    void RefreshEditor();

    /// The owner's new line: raised by the editors when they type into the new-line row.
    void RequestNewLine();
    /// Key handling of the grid, also for keys the editors pass on.
    void HandleKey(QKeyEvent* event);
    /// Whether the widget is the grid or one of its editors (or inside one).
    bool OwnsFocusWidget(const QWidget* widget) const;

signals:
    void NewLineRequested();
    void FontChanged();
    /// The current cell changed (also by the program).
    void CellSelected(int column, int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PlaceEditor(bool focus);
    void HideEditor(QWidget* widget);
    void LeaveGrid(bool forward);
    int PageRows() const;

    std::vector<IGridCellEditor*> m_editors;
    std::vector<std::unique_ptr<TGridRowObject>> m_rowObjects;
    bool m_editorMode = false;
    /// Raised while the grid moves the focus itself (between itself and its editors).
    int m_ownFocusChanges = 0;
};
