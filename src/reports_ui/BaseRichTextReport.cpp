#include "reports_ui/BaseRichTextReport.h"

#include "addins/ApplicationInterface.h"
#include "foundation/DateTime.h"
#include "foundation/Translation.h"
#include "reports_ui/ColumnsDialog.h"
#include "reports_ui/ReportRangeDialog.h"
#include "ui/BusyCursor.h"
#include "ui/MessageBox.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QFontDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

TfrmBaseRichTextReport::TfrmBaseRichTextReport(std::shared_ptr<IApplication_> application, QWidget* parent)
    : TfrmRichPrint(parent), m_application(std::move(application)) {
    m_interval = new QAction(Tr("Interval"), this);
    m_font = new QAction(Tr("Font"), this);
    m_columns = new QAction(Tr("Columns"), this);
    m_optionsAction = new QAction(Tr("Options"), this);
    QMenu* report = MenuBar()->addMenu(Tr("Report"));
    report->addAction(m_interval);
    report->addAction(m_font);
    report->addAction(m_columns);
    report->addAction(m_optionsAction);

    m_dateBar = new QToolBar(this);
    m_start = NewReportDatePicker(m_dateBar);
    m_end = NewReportDatePicker(m_dateBar);
    m_dateBar->addWidget(new QLabel(Tr("Start date:"), m_dateBar));
    m_dateBar->addWidget(m_start);
    m_dateBar->addSeparator();
    m_dateBar->addWidget(new QLabel(Tr("End date:"), m_dateBar));
    m_dateBar->addWidget(m_end);
    MainLayout()->insertWidget(1, m_dateBar);
    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    m_timer->setInterval(1000);

    CoupleDatePickers(m_start, m_end);
    connect(m_start, &QDateEdit::dateChanged, this, &TfrmBaseRichTextReport::PickerChanged);
    connect(m_end, &QDateEdit::dateChanged, this, &TfrmBaseRichTextReport::PickerChanged);
    for (QDateEdit* picker : {m_start, m_end})
        if (QCalendarWidget* calendar = picker->calendarWidget())
            connect(calendar, &QCalendarWidget::clicked, this, &TfrmBaseRichTextReport::TakePickedDates,
                    Qt::QueuedConnection);
    connect(m_timer, &QTimer::timeout, this, &TfrmBaseRichTextReport::TakePickedDates);
    connect(m_interval, &QAction::triggered, this, &TfrmBaseRichTextReport::ShowIntervalDialog);
    connect(m_font, &QAction::triggered, this, &TfrmBaseRichTextReport::ShowFontDialog);
    connect(m_columns, &QAction::triggered, this, &TfrmBaseRichTextReport::ShowColumnsDialog);
    connect(m_optionsAction, &QAction::triggered, this, [this] { ShowOptionsDialog(); });
    SetFeatures(false, false, false);
}

TfrmBaseRichTextReport::~TfrmBaseRichTextReport() = default;

void TfrmBaseRichTextReport::SetFeatures(bool font, bool interval, bool columns) {
    m_options.useFont = font;
    m_options.useInterval = interval;
    m_options.useColumns = columns;
    m_font->setVisible(font);
    m_interval->setVisible(interval);
    m_dateBar->setVisible(interval);
    m_columns->setVisible(columns);
}

TReportSources TfrmBaseRichTextReport::Sources() const {
    TReportSources sources;
    if (m_application) {
        sources.storage = m_application->GetTypedStorage();
        sources.tree = m_application->GetActivityTree();
        sources.calendar = m_application->GetCalendar();
        sources.formatting = m_application->GetFormattingOptions();
    }
    return sources;
}

void TfrmBaseRichTextReport::Initialize(const QString& reportName) {
    m_reportName = reportName;
    m_reportList =
        ReadReportList(m_application ? m_application->GetOptions(ReportingSectionName) : nullptr, reportName);
    m_options.Load(m_reportList);
    if (m_options.useColumns)
        ColumnsLoaded();
    LoadCustom(CustomReportSettings(m_reportList));
    Refresh();
}

void TfrmBaseRichTextReport::SaveOptions() {
    if (!m_reportList || !m_application)
        return;
    m_options.Save(m_reportList);
    SaveCustom(CustomReportSettings(m_reportList));
    WriteReportList(m_application->GetOptions(ReportingSectionName), m_reportName, m_reportList);
    m_application->ApplyOptions(ReportingSectionName);
}

void TfrmBaseRichTextReport::Refresh() {
    m_showing = true;
    m_start->setDate(QDateFromDate(m_options.interval.start));
    m_end->setDate(QDateFromDate(m_options.interval.end));
    m_showing = false;
    m_timer->stop();
    try {
        TBusyCursor busy;
        WriteReport();
    } catch (const std::exception& e) {
        // The window stays open with what was written.
        ShowErrorBox(this, windowTitle(), Tr("The report could not be created completely."), e);
    }
    ++m_refreshCount;
    UpdatePreview();
}

void TfrmBaseRichTextReport::PickerChanged() {
    if (!m_showing)
        m_timer->start();
}

void TfrmBaseRichTextReport::TakePickedDates() {
    const double start = DateFromQDate(m_start->date());
    const double end = DateFromQDate(m_end->date());
    if (start == DateOf(m_options.interval.start) && end == DateOf(m_options.interval.end))
        return;
    m_timer->stop();
    m_options.interval = {start, end};
    Refresh();
}

bool TfrmBaseRichTextReport::ShowIntervalDialog() {
    TfrmReportRange dialog(m_options.interval.start, m_options.interval.end, this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    m_options.interval = {dialog.StartDate(), dialog.EndDate()};
    Refresh();
    return true;
}

bool TfrmBaseRichTextReport::ShowFontDialog() {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, m_options.font.Font(), this, Tr("Font"));
    if (!ok)
        return false;
    m_options.font.SetFont(font);
    Refresh();
    return true;
}

bool TfrmBaseRichTextReport::ShowColumnsDialog() {
    TfrmReportColumns dialog(m_options.columns, this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    m_options.columns = dialog.Columns();
    Refresh();
    return true;
}

void ShowReportWindow(TfrmBaseRichTextReport& window, const std::shared_ptr<IApplication_>& application,
                      const QString& reportName) {
    window.Initialize(reportName);
    ExecAsCurrentWindow(
        window, [application](QWidget* w) { application->AddCurrentWindow(w); },
        [application](QWidget* w) { application->RemoveCurrentWindow(w); });
    window.SaveOptions();
}
