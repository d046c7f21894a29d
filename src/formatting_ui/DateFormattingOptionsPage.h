#pragma once

// The "Date Formatting" options page: which date formatters the date format choosers offer, in
// which order, and how the choosers show them; the user's own formats are defined, changed and
// deleted here. The page edits its own copy of the date formatting options, read from and written
// to "formatting options" -> "date formatting options" of the options dialog's working copy.

#include "formatting/DateFormattingOptions.h"
#include "foundation/International.h"
#include "ui/OptionsPages.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QComboBox;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class TDateFormatterLocDepUser;

class TfrmDateFormattingOptions : public TfrmOptionsPage, public IvrnFormatSettingsNotify {
    Q_OBJECT
public:
    /// Edits a user-defined formatter in the date format dialog (nullptr: a new one, handed back);
    /// true on OK.
    using TEditFormatter = std::function<bool(QWidget* parent, std::shared_ptr<TDateFormatterLocDepUser>& formatter)>;

    /// editFormatter: how the date format dialog is shown (empty: modally, without current-window
    /// registration).
    TfrmDateFormattingOptions(QWidget* parent, IHXOptionsControl_* control, TEditFormatter editFormatter = {});
    ~TfrmDateFormattingOptions() override;

    void LoadPage() override;
    /// Refuses when no format is checked: "Please select at least one format.", nothing written.
    bool SavePage() override;

    /// The commands of the buttons (and of the double click and the Delete key).
    void MoveUp();
    void MoveDown();
    void NewFormat();
    void EditFormat();
    void DeleteFormat();

    void FormatSettingsChanged() override;

    QTreeWidget* List() const { return m_list; }
    QComboBox* DisplayBox() const { return m_display; }
    QPushButton* UpButton() const { return m_up; }
    QPushButton* DownButton() const { return m_down; }
    QPushButton* EditButton() const { return m_edit; }
    QPushButton* NewButton() const { return m_new; }
    QPushButton* DeleteButton() const { return m_delete; }
    /// The page's own copy of the options (after LoadPage).
    const std::shared_ptr<TDateFormattingOptions>& Options() const { return m_options; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TEntry {
        DateFormatterPtr formatter;
        bool checked = false;
        bool isNew = false;
    };

    void AddRow(const TEntry& entry);
    void ShowRow(int row);
    void SelectRow(int row);
    void MoveSelected(int delta);
    int SelectedRow() const;
    std::shared_ptr<TDateFormatterLocDepUser> SelectedUserFormatter() const;
    void UpdateButtons();
    void RowChanged(QTreeWidgetItem* item, int column);
    void DisplayChosen(int index);

    TEditFormatter m_editFormatter;
    std::shared_ptr<TDateFormattingOptions> m_options;
    std::vector<TEntry> m_entries;
    bool m_loading = false;
    QTreeWidget* m_list;
    QPushButton* m_up;
    QPushButton* m_down;
    QPushButton* m_edit;
    QPushButton* m_new;
    QPushButton* m_delete;
    QComboBox* m_display;
};
