#pragma once

// The export window: asks for the interval (start and end date, the start never after the end),
// then for the file and its format, and writes the export. It starts at the earliest and the
// latest date that hold entries (today when there are none) and keeps its place, not its size,
// under "frmBaseExport".

#include "export/DataExport.h"
#include "ui/BaseForm.h"

#include <functional>
#include <memory>

class QDateEdit;
class TOKCancelPanel;

class TfrmBaseExport : public ThxBaseForm {
    Q_OBJECT
public:
    TfrmBaseExport(std::shared_ptr<IHXTypedStorage_> storage, ActivityTreePtr tree, QWidget* parent = nullptr);

    double StartDate() const;
    double EndDate() const;
    /// Sets a picker as the user would: the other one follows where needed.
    void SetStartDate(double date);
    void SetEndDate(double date);
    QDateEdit* StartPicker() const { return m_start; }
    QDateEdit* EndPicker() const { return m_end; }
    TOKCancelPanel* Panel() const { return m_panel; }

    /// The three filters of the save dialog, in format order.
    static QStringList Filters();
    /// The OK command: asks for the file; exports into it and closes the window unless the user
    /// cancelled. Returns whether it exported. A failure is shown and leaves the window open.
    bool ExportNow();

private:
    void StartChanged();
    void EndChanged();

    std::shared_ptr<IHXTypedStorage_> m_storage;
    ActivityTreePtr m_tree;
    QDateEdit* m_start;
    QDateEdit* m_end;
    TOKCancelPanel* m_panel;
};

/// The "Export" action: the window, shown modally while it is a current window (addCurrent and
/// removeCurrent register it with the application; either may be empty).
void ShowExportWindow(const std::shared_ptr<IHXTypedStorage_>& storage, const ActivityTreePtr& tree,
                      const std::function<void(QWidget*)>& addCurrent,
                      const std::function<void(QWidget*)>& removeCurrent);
