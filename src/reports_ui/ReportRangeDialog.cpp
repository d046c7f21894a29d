#include "reports_ui/ReportRangeDialog.h"

#include "foundation/DateTime.h"
#include "foundation/Translation.h"
#include "ui/DateEditFormat.h"
#include "ui/DateRangeLayout.h"
#include "ui/OKCancelPanel.h"

#include <QDateEdit>
#include <QLabel>

void CoupleDatePickers(QDateEdit* start, QDateEdit* end) {
    QObject::connect(start, &QDateEdit::dateChanged, end, [start, end] {
        if (start->date() > end->date())
            end->setDate(start->date());
    });
    QObject::connect(end, &QDateEdit::dateChanged, start, [start, end] {
        if (end->date() < start->date())
            start->setDate(end->date());
    });
}

QDateEdit* NewReportDatePicker(QWidget* parent) {
    auto* picker = new QDateEdit(parent);
    SetupDatePicker(picker);
    picker->setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));
    return picker;
}

TfrmReportRange::TfrmReportRange(double start, double end, QWidget* parent) : ThxBaseForm(parent) {
    setWindowTitle(Tr("Report Range"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto* explanation = new QLabel(Tr("Please specify the start date and the end date for this report."), this);
    explanation->setWordWrap(true);
    m_start = NewReportDatePicker(this);
    m_end = NewReportDatePicker(this);
    m_start->setDate(QDateFromDate(start));
    m_end->setDate(QDateFromDate(end));
    CoupleDatePickers(m_start, m_end);
    m_panel = new TOKCancelPanel(this);
    m_panel->SetButtons(true, true, false);
    LayOutDateRangeDialog(this, explanation, m_start, m_end, m_panel);
    setFixedSize(sizeHint().expandedTo(QSize(280, 170)));
    connect(m_panel, &TOKCancelPanel::OKClicked, this, &QDialog::accept);
}

double TfrmReportRange::StartDate() const {
    return DateFromQDate(m_start->date());
}

double TfrmReportRange::EndDate() const {
    return DateFromQDate(m_end->date());
}
