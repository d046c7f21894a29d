#pragma once

// The holidays page of the options: the user's holidays with their dates and required times, a
// dialog to add and edit them, and the import of holiday files. The page works on its own copy of
// the holiday list, which goes back into the options only when the options dialog applies, so
// cancelling the dialog undoes every change, an import included.

#include "calendar/HolidayList.h"
#include "calendar/HolidaySort.h"
#include "foundation/International.h"
#include "foundation/XMZFile.h"
#include "ui/OptionsPages.h"

#include <functional>
#include <memory>
#include <vector>

class IApplication_;
class QCheckBox;
class QPushButton;
class QTreeWidget;

/// Whether the pages offer the import of holiday files (switched on by the import add-in for the
/// rest of the process).
bool HolidayImportEnabled();
void SetHolidayImportEnabled(bool on);
/// Whether the pages offer the export of holiday files. Nothing offers it yet.
bool HolidayExportEnabled();
/// The caption of the import/export button: "Import/Export", "Import", "Export", or empty when
/// the button is hidden.
QString HolidayImportExportCaption(bool import, bool exportOn);

/// The file dialog filters of holiday files: the holiday files, then the program's data files and
/// all files.
QStringList HolidayFileFilters();

/// What the page needs of the application.
struct THolidayPageServices {
    /// Creates the file objects for holiday files (the user's compression option applies).
    TXMZFileFactory createFile;
    std::function<void(QWidget*)> addCurrentWindow;
    std::function<void(QWidget*)> removeCurrentWindow;
};

class TfrmBaseHolidays : public TfrmOptionsPage, public IvrnFormatSettingsNotify {
    Q_OBJECT
public:
    TfrmBaseHolidays(QWidget* parent, IHXOptionsControl_* control, THolidayPageServices services);
    ~TfrmBaseHolidays() override;

    /// Loads the list from "calendar" / "holidaylist" and the reference day's "hours per day".
    void LoadPage() override;
    /// Writes the list into "calendar" / "holidaylist".
    bool SavePage() override;

    /// The commands of the buttons.
    void NewHoliday();
    void EditHoliday();
    void DeleteHoliday();
    void ImportExport();
    void Import();
    /// A click on a column header: the same column reverses the direction; another column sorts
    /// ascending, except the date column, which starts descending.
    void HeaderClicked(int column);

    /// Dates are shown anew in the new regional settings.
    void FormatSettingsChanged() override;

    const std::shared_ptr<THolidayList>& Holidays() const { return m_holidays; }
    /// The holiday of each row, top to bottom.
    const std::vector<std::shared_ptr<IHXHoliday_>>& RowHolidays() const { return m_rows; }
    /// The holiday of the selected row, or nullptr.
    std::shared_ptr<IHXHoliday_> SelectedHoliday() const;
    const THolidaySortOrder& SortOrder() const { return m_order; }

    QTreeWidget* List() const { return m_list; }
    QCheckBox* CurrentYearOnly() const { return m_currentYearOnly; }
    QPushButton* ImportExportButton() const { return m_importExport; }
    QPushButton* NewButton() const { return m_new; }
    QPushButton* EditButton() const { return m_edit; }
    QPushButton* DeleteButton() const { return m_delete; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// Fills the rows and selects the row of select (or the first row).
    void FillList(const std::shared_ptr<IHXHoliday_>& select);
    void SelectRow(int row);
    void UpdateButtons();

    THolidayPageServices m_services;
    std::shared_ptr<THolidayList> m_holidays;
    std::vector<std::shared_ptr<IHXHoliday_>> m_rows;
    THolidaySortOrder m_order;
    bool m_loading = false;
    QTreeWidget* m_list;
    QCheckBox* m_currentYearOnly;
    QPushButton* m_importExport;
    QPushButton* m_new;
    QPushButton* m_edit;
    QPushButton* m_delete;
};

/// The "Holidays" options page (order 300, 476 x 400) for the application.
std::shared_ptr<TOptionsPage> CreateHolidaysOptionsPage(const std::weak_ptr<IApplication_>& application);
