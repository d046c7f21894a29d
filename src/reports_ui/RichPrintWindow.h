#pragma once

// The print-preview window of the reports: the report document laid out for the printer and shown
// page by page, with printing, saving as PDF, page setup, zoom and page navigation.

#include "reports/ReportDocument.h"
#include "ui/BaseForm.h"

#include <QPrinter>
#include <memory>

class QAction;
class QComboBox;
class QMenu;
class QMenuBar;
class QPrintPreviewWidget;
class QToolBar;
class QVBoxLayout;

class TfrmRichPrint : public ThxBaseForm {
    Q_OBJECT
public:
    /// The zoom list's entries in order: percentages, then the whole page and the page width.
    static const QList<int>& ZoomPercentages();
    enum ZoomMode { ZoomCustom, ZoomFullPage, ZoomPageWidth };

    explicit TfrmRichPrint(QWidget* parent = nullptr);
    ~TfrmRichPrint() override;

    TReportDocument& Document() { return *m_document; }
    const TReportPage& Page() const { return m_page; }
    void SetPage(const TReportPage& page);
    QPrinter& Printer() { return m_printer; }
    QPrintPreviewWidget* Preview() const { return m_preview; }
    QComboBox* ZoomBox() const { return m_zoomBox; }
    QComboBox* PageBox() const { return m_pageBox; }
    QAction* PrintAction() const { return m_print; }
    QAction* SavePdfAction() const { return m_savePdf; }
    QAction* PrevPageAction() const { return m_prevPage; }
    QAction* NextPageAction() const { return m_nextPage; }
    ZoomMode CurrentZoomMode() const { return m_zoomMode; }

    /// Lays the document out again and shows it.
    void UpdatePreview();
    int PageCount() const;
    /// The page at the top of the view (from 1).
    int CurrentPage() const;
    void GoToPage(int page);
    void SetZoom(ZoomMode mode, int percent = 100);

    /// The Print command: the print dialog where printers are installed, else saving as PDF.
    void PrintDocument();
    /// Saves the document as a PDF file the user chooses; returns whether it was written.
    bool SaveAsPdf();
    /// Writes the document into fileName; a failure is shown. Returns whether it was written.
    bool SavePdfTo(const QString& fileName);
    void PageSetup();

protected:
    QMenuBar* MenuBar() const { return m_menuBar; }
    QToolBar* MainToolBar() const { return m_toolBar; }
    QVBoxLayout* MainLayout() const { return m_layout; }
    void keyPressEvent(QKeyEvent* event) override;

private:
    void PaintRequested(QPrinter* printer);
    void PreviewChanged();
    void ZoomChosen(int index);
    void PageChosen(int index);
    void UpdateNavigation();

    QPrinter m_printer{QPrinter::HighResolution};
    std::unique_ptr<TReportDocument> m_document;
    TReportPage m_page;
    QVBoxLayout* m_layout;
    QMenuBar* m_menuBar;
    QToolBar* m_toolBar;
    QPrintPreviewWidget* m_preview;
    QComboBox* m_zoomBox;
    QComboBox* m_pageBox;
    QAction* m_print;
    QAction* m_savePdf;
    QAction* m_printSetup;
    QAction* m_close;
    QAction* m_wholePage;
    QAction* m_pageWidth;
    QAction* m_prevPage;
    QAction* m_nextPage;
    ZoomMode m_zoomMode = ZoomPageWidth;
    int m_pages = 0;
    bool m_updatingBoxes = false;
};
