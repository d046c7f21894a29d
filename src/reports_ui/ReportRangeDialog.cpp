#include "reports_ui/ReportRangeDialog.h"

#include "foundation/DateTime.h"
#include "foundation/Translation.h"
#include "ui/DateEditFormat.h"
#include "ui/OKCancelPanel.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

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
    auto* startLabel = new QLabel(Tr("Start date:"), this);
    auto* endLabel = new QLabel(Tr("End date:"), this);
    startLabel->setBuddy(m_start);
    endLabel->setBuddy(m_end);
    m_panel = new TOKCancelPanel(this);
    m_panel->SetButtons(true, true, false);

    auto* dates = new QGridLayout;
    dates->addWidget(startLabel, 0, 0);
    dates->addWidget(m_start, 0, 1);
    dates->addWidget(endLabel, 1, 0);
    dates->addWidget(m_end, 1, 1);
    dates->setColumnStretch(1, 1);
    auto* content = new QVBoxLayout;
    content->setContentsMargins(14, 12, 14, 6);
    content->addWidget(explanation);
    content->addLayout(dates);
    content->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(content, 1);
    layout->addWidget(m_panel);
    setFixedSize(sizeHint().expandedTo(QSize(280, 170)));
    connect(m_panel, &TOKCancelPanel::OKClicked, this, &QDialog::accept);
}

double TfrmReportRange::StartDate() const {
    return DateFromQDate(m_start->date());
}

double TfrmReportRange::EndDate() const {
    return DateFromQDate(m_end->date());
}
