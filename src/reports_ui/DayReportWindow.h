#pragma once

// The day report window and its options dialog "Day Report Options".

#include "reports/DayReport.h"
#include "reports_ui/BaseRichTextReport.h"
#include "reports_ui/FormatComboBoxes.h"

class QCheckBox;
class TOKCancelPanel;

class TfrmDayReportOptions : public ThxBaseForm {
    Q_OBJECT
public:
    TfrmDayReportOptions(const TDayReportOptions& options, const IHXFormattingOptions_* formatting,
                         QWidget* parent = nullptr);
    TDayReportOptions Options() const;

    QCheckBox* ShowFreeDays() const { return m_showFreeDays; }
    QCheckBox* HideZeros() const { return m_hideZeros; }
    QCheckBox* MonthTotal() const { return m_monthTotal; }
    QCheckBox* WeekTotal() const { return m_weekTotal; }
    QCheckBox* YearTotal() const { return m_yearTotal; }
    TvrnDateFormatComboBox* DateFormats() const { return m_dates; }
    TvrnDurationFormatComboBox* DurationFormats() const { return m_durations; }

private:
    QCheckBox* m_showFreeDays;
    TvrnDateFormatComboBox* m_dates;
    TvrnDurationFormatComboBox* m_durations;
    QCheckBox* m_hideZeros;
    QCheckBox* m_monthTotal;
    QCheckBox* m_weekTotal;
    QCheckBox* m_yearTotal;
    TOKCancelPanel* m_panel;
};

class TfrmSimpleRichTextDayReport : public TfrmBaseRichTextReport {
    Q_OBJECT
public:
    explicit TfrmSimpleRichTextDayReport(std::shared_ptr<IApplication_> application, QWidget* parent = nullptr);

    TDayReportOptions& DayOptions() { return m_dayOptions; }
    bool ShowOptionsDialog() override;

protected:
    void WriteReport() override;
    void ColumnsLoaded() override;
    void LoadCustom(const PropertyListPtr& custom) override;
    void SaveCustom(const PropertyListPtr& custom) const override;

private:
    TDayReportOptions m_dayOptions;
};
