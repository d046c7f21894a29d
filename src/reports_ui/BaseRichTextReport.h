#pragma once

// The report window: the print preview with the report's settings: the interval on a tool bar of
// its own (a change takes effect a second after the last one), the Report menu with Interval,
// Font, Columns and Options, and the settings read from and written back to the options section
// "reporting". Each report writes its document in WriteReport.

#include "reports/ReportOptions.h"
#include "reports/ReportSources.h"
#include "reports_ui/RichPrintWindow.h"

#include <memory>

class IApplication_;
class QDateEdit;
class QTimer;

class TfrmBaseRichTextReport : public TfrmRichPrint {
    Q_OBJECT
public:
    explicit TfrmBaseRichTextReport(std::shared_ptr<IApplication_> application, QWidget* parent = nullptr);
    ~TfrmBaseRichTextReport() override;

    /// Reads the report's settings from the options section "reporting" and writes the document.
    void Initialize(const QString& reportName);
    /// Writes the report's settings back into the options section.
    void SaveOptions();
    /// Shows the settings in the controls and writes the document again.
    void Refresh();

    TReportOptions& Options() { return m_options; }
    QString ReportName() const { return m_reportName; }
    QDateEdit* StartPicker() const { return m_start; }
    QDateEdit* EndPicker() const { return m_end; }
    QTimer* IntervalTimer() const { return m_timer; }
    QAction* IntervalAction() const { return m_interval; }
    QAction* FontAction() const { return m_font; }
    QAction* ColumnsAction() const { return m_columns; }
    QAction* OptionsAction() const { return m_optionsAction; }
    /// How many times the document was written (for the window's tests).
    int RefreshCount() const { return m_refreshCount; }

    /// The commands of the Report menu; each returns whether the user confirmed.
    bool ShowIntervalDialog();
    bool ShowFontDialog();
    bool ShowColumnsDialog();
    virtual bool ShowOptionsDialog() = 0;
    /// Takes the picked dates when they differ from the interval, and writes the document again.
    void TakePickedDates();

protected:
    /// The features of the report; set in the constructor of the report.
    void SetFeatures(bool font, bool interval, bool columns);
    TReportSources Sources() const;
    const std::shared_ptr<IApplication_>& Application_() const { return m_application; }

    virtual void WriteReport() = 0;
    /// After the columns were read: the report adds or renames its own.
    virtual void ColumnsLoaded() {}
    virtual void LoadCustom(const PropertyListPtr& custom) = 0;
    virtual void SaveCustom(const PropertyListPtr& custom) const = 0;

private:
    void PickerChanged();

    std::shared_ptr<IApplication_> m_application;
    QString m_reportName;
    PropertyListPtr m_reportList;
    TReportOptions m_options;
    QToolBar* m_dateBar;
    QDateEdit* m_start;
    QDateEdit* m_end;
    QTimer* m_timer;
    QAction* m_interval;
    QAction* m_font;
    QAction* m_columns;
    QAction* m_optionsAction;
    int m_refreshCount = 0;
    bool m_showing = false;
};

/// The life of a report window: shown modally as the current window, its settings written back
/// afterwards.
void ShowReportWindow(TfrmBaseRichTextReport& window, const std::shared_ptr<IApplication_>& application,
                      const QString& reportName);
