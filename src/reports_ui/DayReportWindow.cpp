#include "reports_ui/DayReportWindow.h"

#include "foundation/Translation.h"
#include "foundation/VRNTools.h"
#include "ui/OKCancelPanel.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QVBoxLayout>

TfrmDayReportOptions::TfrmDayReportOptions(const TDayReportOptions& options, const IHXFormattingOptions_* formatting,
                                           QWidget* parent)
    : ThxBaseForm(parent) {
    setWindowTitle(Tr("Day Report Options"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    m_showFreeDays = new QCheckBox(Tr("Show free days"), this);
    m_dates = new TvrnDateFormatComboBox(this);
    m_durations = new TvrnDurationFormatComboBox(this);
    m_hideZeros = new QCheckBox(Tr("Hide zeros"), this);
    m_monthTotal = new QCheckBox(Tr("Month total"), this);
    m_weekTotal = new QCheckBox(Tr("Week total"), this);
    m_yearTotal = new QCheckBox(Tr("Year total"), this);
    m_panel = new TOKCancelPanel(this);
    m_panel->SetButtons(true, true, false);

    m_showFreeDays->setChecked(options.showFreeDays);
    m_dates->Fill(formatting, options.dayFormat);
    m_durations->Fill(formatting, options.durationFormat);
    m_hideZeros->setChecked(options.hideZeros);
    m_monthTotal->setChecked(options.monthTotal);
    m_weekTotal->setChecked(options.weekTotal);
    m_yearTotal->setChecked(options.yearTotal);

    auto* form = new QFormLayout;
    form->addRow(m_showFreeDays);
    form->addRow(Tr("Date display format:"), m_dates);
    form->addRow(Tr("Duration display format:"), m_durations);
    form->addRow(m_hideZeros);
    form->addRow(m_monthTotal);
    form->addRow(m_weekTotal);
    form->addRow(m_yearTotal);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* content = new QVBoxLayout;
    content->setContentsMargins(14, 12, 14, 6);
    content->addLayout(form);
    layout->addLayout(content, 1);
    layout->addWidget(m_panel);
    connect(m_panel, &TOKCancelPanel::OKClicked, this, &QDialog::accept);
}

TDayReportOptions TfrmDayReportOptions::Options() const {
    TDayReportOptions options;
    options.showFreeDays = m_showFreeDays->isChecked();
    options.dayFormat = m_dates->SelectedId();
    options.durationFormat = m_durations->SelectedId();
    options.hideZeros = m_hideZeros->isChecked();
    options.monthTotal = m_monthTotal->isChecked();
    options.weekTotal = m_weekTotal->isChecked();
    options.yearTotal = m_yearTotal->isChecked();
    return options;
}

TfrmSimpleRichTextDayReport::TfrmSimpleRichTextDayReport(std::shared_ptr<IApplication_> application, QWidget* parent)
    : TfrmBaseRichTextReport(std::move(application), parent) {
    setWindowTitle(FormatPlaceholders(Tr("%1 Day Report"), {QStringLiteral("Varnelo Horalux")}));
    SetFeatures(true, true, true);
    SetPositionName(QStringLiteral("frmSimpleRichTextDayReport"), true);
}

bool TfrmSimpleRichTextDayReport::ShowOptionsDialog() {
    TfrmDayReportOptions dialog(m_dayOptions, Sources().formatting.get(), this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    m_dayOptions = dialog.Options();
    Refresh();
    return true;
}

void TfrmSimpleRichTextDayReport::WriteReport() {
    WriteDayReport(Document(), Page(), Sources(), Options(), m_dayOptions);
}

void TfrmSimpleRichTextDayReport::ColumnsLoaded() {
    EnsureDayReportColumns(Options().columns);
}

void TfrmSimpleRichTextDayReport::LoadCustom(const PropertyListPtr& custom) {
    m_dayOptions.Load(custom);
}

void TfrmSimpleRichTextDayReport::SaveCustom(const PropertyListPtr& custom) const {
    m_dayOptions.Save(custom);
}
