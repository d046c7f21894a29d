#pragma once

// "Report Range": the start and the end date of a report; the start is never after the end.

#include "ui/BaseForm.h"

class QDateEdit;
class TOKCancelPanel;

/// Keeps two date pickers in order: a start moved after the end takes the end along, an end moved
/// before the start takes the start along.
void CoupleDatePickers(QDateEdit* start, QDateEdit* end);
/// A date picker over the program's full range of dates.
QDateEdit* NewReportDatePicker(QWidget* parent);

class TfrmReportRange : public ThxBaseForm {
    Q_OBJECT
public:
    TfrmReportRange(double start, double end, QWidget* parent = nullptr);

    double StartDate() const;
    double EndDate() const;
    QDateEdit* StartPicker() const { return m_start; }
    QDateEdit* EndPicker() const { return m_end; }
    TOKCancelPanel* Panel() const { return m_panel; }

private:
    QDateEdit* m_start;
    QDateEdit* m_end;
    TOKCancelPanel* m_panel;
};
