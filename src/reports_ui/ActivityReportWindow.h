#pragma once

// The activity report window and its options dialog "Activity Report": the activity tree with the
// times of the chosen dates, whose expanded items become the outline of the report, and the
// formatting of the report.

#include "reports/ActivityReport.h"
#include "reports_ui/BaseRichTextReport.h"
#include "reports_ui/FormatComboBoxes.h"

#include <functional>

class QCheckBox;
class QDateEdit;
class QLabel;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class TOKCancelPanel;
class TVRNFloatEdit;

class TfrmBaseActivityReportOptions : public ThxBaseForm {
    Q_OBJECT
public:
    /// apply takes the settings and the interval into the report (Apply and OK call it).
    TfrmBaseActivityReportOptions(const TActivityReportOptions& options, const TReportInterval& interval,
                                  TReportSources sources,
                                  std::function<void(const TActivityReportOptions&, const TReportInterval&)> apply,
                                  QWidget* parent = nullptr);

    /// The settings as the dialog shows them, the outline taken from the expanded items.
    TActivityReportOptions Options() const;
    TReportInterval Interval() const;

    QTreeWidget* Tree() const { return m_tree; }
    QTreeWidgetItem* RootItem() const { return m_root; }
    /// The item of activity directly under parent (none: the top level).
    QTreeWidgetItem* FindItem(QTreeWidgetItem* parent, const ActivityPtr& activity) const;
    QDateEdit* StartPicker() const { return m_start; }
    QDateEdit* EndPicker() const { return m_end; }
    QComboBox* Grouping() const { return m_grouping; }
    QComboBox* Breaks() const { return m_breaks; }
    QCheckBox* HideZeros() const { return m_hideZeros; }
    TVRNFloatEdit* IndentEdit() const { return m_indent; }
    TVRNFloatEdit* SumPositionEdit() const { return m_sumPosition; }
    TvrnDurationFormatComboBox* DurationFormats() const { return m_durations; }
    TvrnDateFormatComboBox* DateFormats() const { return m_dates; }
    TOKCancelPanel* Panel() const { return m_panel; }
    void Apply();

    /// Hundredths of a point as centimetres or inches, and back.
    static double FromHundredths(int hundredths, bool inches);
    static int ToHundredths(double value, bool inches);

private:
    void LoadChilds(QTreeWidgetItem* item);
    void ExpandFromOutline(QTreeWidgetItem* item, const TActivityOutlineNode& node);
    std::shared_ptr<TActivityOutlineNode> OutlineOf(QTreeWidgetItem* item) const;
    void ComputeTimes();
    void ShowTimes(QTreeWidgetItem* item);

    TActivityReportOptions m_options;
    TReportSources m_sources;
    std::function<void(const TActivityReportOptions&, const TReportInterval&)> m_apply;
    TActivityTotals m_totals;
    bool m_inches;
    QTabWidget* m_pages;
    QTreeWidget* m_tree;
    QTreeWidgetItem* m_root;
    QDateEdit* m_start;
    QDateEdit* m_end;
    TvrnDurationFormatComboBox* m_durations;
    TvrnDateFormatComboBox* m_dates;
    QComboBox* m_grouping;
    QCheckBox* m_hideZeros;
    QComboBox* m_breaks;
    TVRNFloatEdit* m_indent;
    TVRNFloatEdit* m_sumPosition;
    TOKCancelPanel* m_panel;
};

class TfrmBaseActivityReport : public TfrmBaseRichTextReport {
    Q_OBJECT
public:
    explicit TfrmBaseActivityReport(std::shared_ptr<IApplication_> application, QWidget* parent = nullptr);

    TActivityReportOptions& ActivityOptions() { return m_activityOptions; }
    bool ShowOptionsDialog() override;
    /// Whether the options dialog opens by itself when the window is first shown.
    void SetOptionsOnFirstShow(bool value) { m_firstShow = value; }
    /// The open options dialog, if any.
    TfrmBaseActivityReportOptions* OptionsDialog() const { return m_dialog; }

protected:
    void WriteReport() override;
    void LoadCustom(const PropertyListPtr& custom) override;
    void SaveCustom(const PropertyListPtr& custom) const override;
    void showEvent(QShowEvent* event) override;

private:
    TActivityReportOptions m_activityOptions;
    TfrmBaseActivityReportOptions* m_dialog = nullptr;
    bool m_firstShow = true;
};
