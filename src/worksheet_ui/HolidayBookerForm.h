#pragma once

// "Enter Vacation Time": books one activity on every day from a start date to an end date, each
// day with an all-day entry lasting the day's required time, into the worksheet's working
// copies. The start always stays before the end. The activities chosen before are offered again.

#include "ui/BaseForm.h"
#include "worksheet/VacationBooking.h"

class IApplication_;
class QDateEdit;
class TActivityComboBox;
class TOKCancelPanel;

class TfrmHolidayBooker : public ThxBaseForm {
    Q_OBJECT
public:
    static constexpr int HistorySize = 11;

    explicit TfrmHolidayBooker(QWidget* parent = nullptr);

    /// The application (activity tree, options, calendar) and the worksheet's working copies.
    void Initialize(IApplication_& application, TWorkingCopyOf workingCopy);

    QDateEdit* StartPicker() const { return m_start; }
    QDateEdit* EndPicker() const { return m_end; }
    TActivityComboBox* ActivityBox() const { return m_activity; }

    void accept() override;

private:
    void StartChanged();
    void EndChanged();
    void SaveHistory(const ActivityLocatorPtr& chosen);

    IApplication_* m_application = nullptr;
    TWorkingCopyOf m_workingCopy;
    QDateEdit* m_start;
    QDateEdit* m_end;
    TActivityComboBox* m_activity;
    TOKCancelPanel* m_panel;
};
