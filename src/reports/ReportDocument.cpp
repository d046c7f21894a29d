#include "reports/ReportDocument.h"

#include "foundation/VRNException.h"
#include "foundation/platform/NationalLanguage.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kMillimetresPerTwip = 25.4 / 1440.0;
/// What the margins leave of a page at least, in millimetres.
constexpr double kMinimumPrintable = 25.4;
/// The resolution documents for PDF files are laid out at.
constexpr int kPdfResolution = 1200;

/// Shrinks the two margins of one direction so that at least kMinimumPrintable of length stays.
void FitMargins(double length, qreal& first, qreal& second) {
    const double room = length - kMinimumPrintable;
    if (first + second <= room)
        return;
    if (room <= 0 || first + second <= 0) {
        first = second = 0;
        return;
    }
    const double factor = room / (first + second);
    first *= factor;
    second *= factor;
}

} // namespace

bool UsesInches() {
    return GetLocaleInfoInt(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, 0) == 1;
}

QPageSize TReportPage::DefaultPageSize() {
    return QPageSize(UsesInches() ? QPageSize::Letter : QPageSize::A4);
}

QPageLayout TReportPage::Layout() const {
    QMarginsF margins = marginsTwips * kMillimetresPerTwip;
    const QSizeF paper = size.size(QPageSize::Millimeter);
    const bool landscape = orientation == QPageLayout::Landscape;
    qreal left = margins.left(), right = margins.right(), top = margins.top(), bottom = margins.bottom();
    FitMargins(landscape ? paper.height() : paper.width(), left, right);
    FitMargins(landscape ? paper.width() : paper.height(), top, bottom);
    QPageLayout layout(size, orientation, QMarginsF(left, top, right, bottom), QPageLayout::Millimeter);
    layout.setMode(QPageLayout::StandardMode);
    return layout;
}

void TReportPage::SetLayout(const QPageLayout& layout) {
    size = layout.pageSize();
    orientation = layout.orientation();
    const QMarginsF mm = layout.margins(QPageLayout::Millimeter);
    auto twips = [](qreal millimetres) { return std::round(millimetres / kMillimetresPerTwip); };
    marginsTwips = QMarginsF(twips(mm.left()), twips(mm.top()), twips(mm.right()), twips(mm.bottom()));
}

TReportDocument::TReportDocument(QPagedPaintDevice* layoutDevice) : m_document(std::make_unique<QTextDocument>()) {
    m_document->setDocumentMargin(0);
    m_document->setUndoRedoEnabled(false);
    // Lines are never wrapped: a report line is a row of columns.
    QTextOption option = m_document->defaultTextOption();
    option.setWrapMode(QTextOption::NoWrap);
    m_document->setDefaultTextOption(option);
    if (!layoutDevice) {
        // A PDF writer into memory stands for the printer: it is never painted on, only measured.
        m_pdfBuffer = std::make_unique<QBuffer>();
        m_pdfBuffer->open(QIODevice::WriteOnly);
        m_pdfDevice = std::make_unique<QPdfWriter>(m_pdfBuffer.get());
        m_pdfDevice->setResolution(kPdfResolution);
        layoutDevice = m_pdfDevice.get();
    }
    SetLayoutDevice(layoutDevice);
}

TReportDocument::~TReportDocument() = default;

void TReportDocument::SetLayoutDevice(QPagedPaintDevice* device) {
    m_device = device;
    m_unitsPerPoint = 0;
    m_document->documentLayout()->setPaintDevice(device);
}

void TReportDocument::Clear() {
    m_document->clear();
    m_empty = true;
}

void TReportDocument::Write(const QString& text, const QFont& font) {
    QTextCursor cursor(m_document.get());
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat format;
    format.setFont(font, QTextCharFormat::FontPropertiesAll);
    cursor.insertText(text, format);
    if (!text.isEmpty())
        m_empty = false;
}

void TReportDocument::WriteLine(const QString& text, const QFont& font) {
    Write(text, font);
    EndLine();
}

void TReportDocument::EndLine() {
    QTextCursor cursor(m_document.get());
    cursor.movePosition(QTextCursor::End);
    // The new paragraph starts plain: no tab stops, no page break of the one before.
    cursor.insertBlock(QTextBlockFormat());
    m_empty = false;
}

void TReportDocument::BreakPageBeforeNext() {
    QTextCursor cursor(m_document.get());
    cursor.movePosition(QTextCursor::End);
    QTextBlockFormat format = cursor.blockFormat();
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    cursor.setBlockFormat(format);
}

QTextOption::Tab TReportDocument::ToDocument(const QTextOption::Tab& tab) const {
    QTextOption::Tab converted = tab;
    converted.position = tab.position * UnitsPerPoint();
    return converted;
}

void TReportDocument::SetTabs(const QList<QTextOption::Tab>& tabsInPoints) {
    QList<QTextOption::Tab> tabs;
    for (const QTextOption::Tab& tab : tabsInPoints)
        tabs.append(ToDocument(tab));
    QTextCursor cursor(m_document.get());
    cursor.movePosition(QTextCursor::End);
    QTextBlockFormat format = cursor.blockFormat();
    format.setTabPositions(tabs);
    cursor.setBlockFormat(format);
}

void TReportDocument::SetTabsEverywhere(const QList<QTextOption::Tab>& tabsInPoints) {
    QList<QTextOption::Tab> tabs;
    for (const QTextOption::Tab& tab : tabsInPoints)
        tabs.append(ToDocument(tab));
    QTextCursor cursor(m_document.get());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setTabPositions(tabs);
    cursor.mergeBlockFormat(format);
}

bool TReportDocument::IsEmpty() const {
    return m_empty;
}

double TReportDocument::TextWidth(const QString& text, const QFont& font) const {
    const QFontMetricsF metrics(font, m_device);
    return metrics.horizontalAdvance(text) * 72.0 / m_device->logicalDpiX();
}

double TReportDocument::UnitsPerPoint() const {
    if (m_unitsPerPoint > 0)
        return m_unitsPerPoint;
    // Tab positions are given in units the layout scales to the device by a factor of its own; a
    // tab stop at a known position shows the factor.
    constexpr double probe = 1000;
    QTextDocument document;
    document.setDocumentMargin(0);
    document.documentLayout()->setPaintDevice(m_device);
    QTextCursor cursor(&document);
    QTextBlockFormat format;
    format.setTabPositions({QTextOption::Tab(probe, QTextOption::LeftTab)});
    cursor.setBlockFormat(format);
    cursor.insertText(QStringLiteral("\tx"));
    document.setTextWidth(probe * 100);
    document.documentLayout()->documentSize(); // lays the probe out
    const QTextLayout* layout = document.firstBlock().layout();
    const double devicePixels = layout->lineCount() > 0 ? layout->lineAt(0).cursorToX(1) : 0;
    const double pixelsPerUnit = devicePixels > 0 ? devicePixels / probe : m_device->logicalDpiX() / 96.0;
    const double pixelsPerPoint = m_device->logicalDpiX() / 72.0;
    m_unitsPerPoint = pixelsPerPoint / pixelsPerUnit;
    return m_unitsPerPoint;
}

int TReportDocument::Paginate(const TReportPage& page) {
    const QRect paint = page.Layout().paintRectPixels(m_device->logicalDpiX());
    m_document->setPageSize(QSizeF(paint.width(), paint.height()));
    return PageCount();
}

int TReportDocument::PageCount() const {
    return std::max(1, m_document->pageCount());
}

void TReportDocument::Render(QPainter& painter, QPagedPaintDevice& target) const {
    const QSizeF pageSize = m_document->pageSize();
    const double scaleX = static_cast<double>(target.logicalDpiX()) / m_device->logicalDpiX();
    const double scaleY = static_cast<double>(target.logicalDpiY()) / m_device->logicalDpiY();
    const int pages = PageCount();
    for (int index = 0; index < pages; ++index) {
        if (index > 0)
            target.newPage();
        painter.save();
        painter.scale(scaleX, scaleY);
        const QRectF clip(0, index * pageSize.height(), pageSize.width(), pageSize.height());
        painter.translate(0, -clip.top());
        painter.setClipRect(clip);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = clip;
        context.palette.setColor(QPalette::Text, Qt::black);
        m_document->documentLayout()->draw(&painter, context);
        painter.restore();
    }
}

void TReportDocument::WritePdf(const QString& fileName, const TReportPage& page, const QString& title) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EVRNException(QStringLiteral("Cannot create \"%1\": %2").arg(fileName, file.errorString()));
    {
        QPdfWriter writer(&file);
        writer.setResolution(m_device->logicalDpiX());
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Horalux"));
        writer.setPageLayout(page.Layout());
        Paginate(page);
        QPainter painter(&writer);
        if (!painter.isActive())
            throw EVRNException(QStringLiteral("Cannot write \"%1\"").arg(fileName));
        Render(painter, writer);
        painter.end();
    }
    if (!file.commit())
        throw EVRNException(QStringLiteral("Cannot write \"%1\": %2").arg(fileName, file.errorString()));
}
