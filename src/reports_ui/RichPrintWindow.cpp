#include "reports_ui/RichPrintWindow.h"

#include "foundation/Translation.h"
#include "ui/BusyCursor.h"
#include "ui/FileDialog.h"
#include "ui/MessageBox.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QScrollBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

QIcon ThemeIcon(const char* name, QStyle::StandardPixmap fallback, const QWidget* widget) {
    return QIcon::fromTheme(QString::fromLatin1(name), widget->style()->standardIcon(fallback));
}

/// The scroll area inside the preview widget (its graphics view).
QScrollBar* VerticalBar(QPrintPreviewWidget* preview) {
    const auto bars = preview->findChildren<QScrollBar*>();
    for (QScrollBar* bar : bars)
        if (bar->orientation() == Qt::Vertical)
            return bar;
    return nullptr;
}

} // namespace

const QList<int>& TfrmRichPrint::ZoomPercentages() {
    static const QList<int> percentages = {500, 300, 200, 100, 75, 50, 25};
    return percentages;
}

TfrmRichPrint::TfrmRichPrint(QWidget* parent)
    : ThxBaseForm(parent), m_document(std::make_unique<TReportDocument>(&m_printer)) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    // The paper of the default printer where one is installed.
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (!defaultPrinter.isNull() && defaultPrinter.defaultPageSize().isValid())
        m_page.size = defaultPrinter.defaultPageSize();
    m_printer.setPageLayout(m_page.Layout());

    m_print = new QAction(ThemeIcon("document-print", QStyle::SP_DialogSaveButton, this), Tr("Print"), this);
    m_print->setToolTip(Tr("Print this document"));
    m_print->setShortcut(QKeySequence::Print);
    m_savePdf =
        new QAction(ThemeIcon("document-save-as", QStyle::SP_DialogSaveButton, this), Tr("Save as PDF..."), this);
    m_savePdf->setToolTip(Tr("Save this document as a PDF file"));
    m_printSetup = new QAction(ThemeIcon("document-page-setup", QStyle::SP_FileDialogDetailedView, this),
                               Tr("Print &Setup"), this);
    m_printSetup->setToolTip(Tr("Shows the print setup dialog"));
    m_close = new QAction(Tr("Close"), this);
    m_wholePage = new QAction(ThemeIcon("zoom-fit-best", QStyle::SP_TitleBarNormalButton, this), QString(), this);
    m_wholePage->setToolTip(Tr("Show whole page"));
    m_pageWidth = new QAction(ThemeIcon("zoom-fit-width", QStyle::SP_TitleBarMaxButton, this), QString(), this);
    m_pageWidth->setToolTip(Tr("Show page width"));
    m_prevPage = new QAction(ThemeIcon("go-previous", QStyle::SP_ArrowBack, this), QString(), this);
    m_prevPage->setToolTip(Tr("Show previous page"));
    m_nextPage = new QAction(ThemeIcon("go-next", QStyle::SP_ArrowForward, this), QString(), this);
    m_nextPage->setToolTip(Tr("Show next page"));

    m_menuBar = new QMenuBar(this);
    QMenu* file = m_menuBar->addMenu(Tr("File"));
    file->addAction(m_print);
    file->addAction(m_savePdf);
    file->addAction(m_printSetup);
    file->addSeparator();
    file->addAction(m_close);

    m_zoomBox = new QComboBox(this);
    for (int percent : ZoomPercentages())
        m_zoomBox->addItem(QStringLiteral("%1%").arg(percent));
    m_zoomBox->addItem(Tr("Whole page"));
    m_zoomBox->addItem(Tr("Page width"));
    m_pageBox = new QComboBox(this);
    m_pageBox->setMinimumContentsLength(4);

    m_toolBar = new QToolBar(this);
    m_toolBar->addAction(m_print);
    m_toolBar->addAction(m_printSetup);
    m_toolBar->addSeparator();
    m_toolBar->addWidget(m_zoomBox);
    m_toolBar->addAction(m_wholePage);
    m_toolBar->addAction(m_pageWidth);
    m_toolBar->addSeparator();
    m_toolBar->addAction(m_prevPage);
    m_toolBar->addWidget(m_pageBox);
    m_toolBar->addAction(m_nextPage);

    m_preview = new QPrintPreviewWidget(&m_printer, this);
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->setMenuBar(m_menuBar);
    m_layout->addWidget(m_toolBar);
    m_layout->addWidget(m_preview, 1);

    connect(m_preview, &QPrintPreviewWidget::paintRequested, this, &TfrmRichPrint::PaintRequested);
    connect(m_preview, &QPrintPreviewWidget::previewChanged, this, &TfrmRichPrint::PreviewChanged);
    connect(m_print, &QAction::triggered, this, &TfrmRichPrint::PrintDocument);
    connect(m_savePdf, &QAction::triggered, this, &TfrmRichPrint::SaveAsPdf);
    connect(m_printSetup, &QAction::triggered, this, &TfrmRichPrint::PageSetup);
    connect(m_close, &QAction::triggered, this, &QDialog::reject);
    connect(m_wholePage, &QAction::triggered, this, [this] { SetZoom(ZoomFullPage); });
    connect(m_pageWidth, &QAction::triggered, this, [this] { SetZoom(ZoomPageWidth); });
    connect(m_prevPage, &QAction::triggered, this, [this] { GoToPage(CurrentPage() - 1); });
    connect(m_nextPage, &QAction::triggered, this, [this] { GoToPage(CurrentPage() + 1); });
    connect(m_zoomBox, &QComboBox::activated, this, &TfrmRichPrint::ZoomChosen);
    connect(m_pageBox, &QComboBox::activated, this, &TfrmRichPrint::PageChosen);
    if (QScrollBar* bar = VerticalBar(m_preview))
        connect(bar, &QScrollBar::valueChanged, this, &TfrmRichPrint::UpdateNavigation);

    SetZoom(ZoomPageWidth);
    resize(760, 560);
}

TfrmRichPrint::~TfrmRichPrint() = default;

void TfrmRichPrint::SetPage(const TReportPage& page) {
    m_page = page;
    m_printer.setPageLayout(m_page.Layout());
    UpdatePreview();
}

void TfrmRichPrint::UpdatePreview() {
    m_document->Paginate(m_page);
    m_preview->updatePreview();
}

int TfrmRichPrint::PageCount() const {
    return m_pages;
}

int TfrmRichPrint::CurrentPage() const {
    return m_preview->currentPage();
}

void TfrmRichPrint::GoToPage(int page) {
    if (page < 1 || page > m_preview->pageCount())
        return;
    m_preview->setCurrentPage(page);
    UpdateNavigation();
}

void TfrmRichPrint::SetZoom(ZoomMode mode, int percent) {
    m_zoomMode = mode;
    m_updatingBoxes = true;
    switch (mode) {
    case ZoomFullPage:
        m_preview->setZoomMode(QPrintPreviewWidget::FitInView);
        m_zoomBox->setCurrentIndex(ZoomPercentages().size());
        break;
    case ZoomPageWidth:
        m_preview->setZoomMode(QPrintPreviewWidget::FitToWidth);
        m_zoomBox->setCurrentIndex(ZoomPercentages().size() + 1);
        break;
    case ZoomCustom:
        m_preview->setZoomMode(QPrintPreviewWidget::CustomZoom);
        m_preview->setZoomFactor(percent / 100.0);
        m_zoomBox->setCurrentIndex(std::max<int>(0, ZoomPercentages().indexOf(percent)));
        break;
    }
    m_updatingBoxes = false;
}

void TfrmRichPrint::ZoomChosen(int index) {
    if (m_updatingBoxes)
        return;
    if (index < ZoomPercentages().size())
        SetZoom(ZoomCustom, ZoomPercentages()[index]);
    else
        SetZoom(index == ZoomPercentages().size() ? ZoomFullPage : ZoomPageWidth);
}

void TfrmRichPrint::PageChosen(int index) {
    if (!m_updatingBoxes)
        GoToPage(index + 1);
}

void TfrmRichPrint::PaintRequested(QPrinter* printer) {
    printer->setPageLayout(m_page.Layout());
    QPainter painter(printer);
    if (painter.isActive())
        m_document->Render(painter, *printer);
}

void TfrmRichPrint::PreviewChanged() {
    const int pages = m_preview->pageCount();
    if (pages != m_pages || m_pageBox->count() != pages) {
        m_pages = pages;
        m_updatingBoxes = true;
        m_pageBox->clear();
        for (int page = 1; page <= pages; ++page)
            m_pageBox->addItem(QString::number(page));
        m_updatingBoxes = false;
    }
    UpdateNavigation();
}

void TfrmRichPrint::UpdateNavigation() {
    const int current = CurrentPage();
    m_prevPage->setEnabled(current > 1);
    m_nextPage->setEnabled(current < m_preview->pageCount());
    m_updatingBoxes = true;
    m_pageBox->setCurrentIndex(current - 1);
    m_updatingBoxes = false;
}

void TfrmRichPrint::PrintDocument() {
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        // Without a printer the document can still be kept, as a PDF file.
        SaveAsPdf();
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(m_page.Layout());
    printer.setDocName(windowTitle());
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(Tr("Print"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    TBusyCursor busy;
    printer.setPageLayout(m_page.Layout());
    QPainter painter(&printer);
    if (painter.isActive())
        m_document->Render(painter, printer);
}

bool TfrmRichPrint::SaveAsPdf() {
    TFileDialogRequest request;
    request.save = true;
    request.caption = windowTitle();
    request.filters = QStringList{Tr("PDF files (*.pdf)")};
    request.defaultExtension = QStringLiteral("pdf");
    const QString fileName = GetSaveFileName(this, request);
    return !fileName.isEmpty() && SavePdfTo(fileName);
}

bool TfrmRichPrint::SavePdfTo(const QString& fileName) {
    try {
        TBusyCursor busy;
        m_document->WritePdf(fileName, m_page, windowTitle());
    } catch (const std::exception& e) {
        ShowErrorBox(this, windowTitle(), Tr("The report could not be saved."), e);
        m_document->Paginate(m_page);
        return false;
    }
    return true;
}

void TfrmRichPrint::PageSetup() {
    QPageLayout layout = m_page.Layout();
    layout.setUnits(UsesInches() ? QPageLayout::Inch : QPageLayout::Millimeter);
    m_printer.setPageLayout(layout);
    QPageSetupDialog dialog(&m_printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_page.SetLayout(m_printer.pageLayout());
    m_printer.setPageLayout(m_page.Layout());
    UpdatePreview();
}

void TfrmRichPrint::keyPressEvent(QKeyEvent* event) {
    QScrollBar* bar = VerticalBar(m_preview);
    if (!bar) {
        ThxBaseForm::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_PageUp:
        GoToPage(CurrentPage() - 1);
        break;
    case Qt::Key_PageDown:
        GoToPage(CurrentPage() + 1);
        break;
    case Qt::Key_Home:
        bar->setValue(bar->minimum());
        break;
    case Qt::Key_End:
        bar->setValue(bar->maximum());
        break;
    case Qt::Key_Up:
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case Qt::Key_Down:
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    default:
        ThxBaseForm::keyPressEvent(event);
        return;
    }
    event->accept();
}
