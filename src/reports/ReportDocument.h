#pragma once

// The document of a report: rich text written at its end (text runs with a font, paragraphs with
// tab stops, page breaks), laid out for the page of the printer that prints it and drawn page by
// page onto a printer, a preview or a PDF file.
//
// Sizes the reports compute are in points. Text is measured on the layout device, the printer's
// own metrics, so that columns measured for the printout never overlap there; the screen plays
// no part.

#include <QFont>
#include <QPageLayout>
#include <QString>
#include <QTextDocument>
#include <QTextOption>
#include <memory>

class QBuffer;
class QPagedPaintDevice;
class QPainter;
class QPdfWriter;

/// 567 twips (twentieths of a point) are one centimetre.
constexpr int DefaultReportMarginTwips = 567;

/// The page a report is laid out for: paper size, orientation and margins (in twips).
struct TReportPage {
    QPageSize size = DefaultPageSize();
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF marginsTwips{DefaultReportMarginTwips, DefaultReportMarginTwips, DefaultReportMarginTwips,
                           DefaultReportMarginTwips};

    /// Letter where the user's locale measures in inches, else A4.
    static QPageSize DefaultPageSize();
    /// The layout with the margins in millimetres. Margins that would leave less than an inch of
    /// the page in either direction are made smaller, so that every page holds text.
    QPageLayout Layout() const;
    /// Takes the margins of a layout (as a page setup dialog returns it), rounded to whole twips.
    void SetLayout(const QPageLayout& layout);
};

/// Whether the user's locale measures in inches.
bool UsesInches();

class TReportDocument {
public:
    /// layoutDevice: the printer the document is laid out for (it must outlive the document);
    /// none lays it out for a PDF file.
    explicit TReportDocument(QPagedPaintDevice* layoutDevice = nullptr);
    ~TReportDocument();
    TReportDocument(const TReportDocument&) = delete;
    TReportDocument& operator=(const TReportDocument&) = delete;

    QTextDocument& Document() { return *m_document; }
    QPagedPaintDevice* LayoutDevice() const { return m_device; }
    /// Lays the document out for another printer (it must outlive the document).
    void SetLayoutDevice(QPagedPaintDevice* device);

    /// Empties the document; the next text starts its first paragraph.
    void Clear();
    /// Appends text in font (a tab moves to the paragraph's next tab stop).
    void Write(const QString& text, const QFont& font);
    /// Appends text and ends the paragraph.
    void WriteLine(const QString& text, const QFont& font);
    /// Ends the paragraph.
    void EndLine();
    /// The next paragraph starts on a new page.
    void BreakPageBeforeNext();
    /// Sets the tab stops of the current (last) paragraph; positions in points.
    void SetTabs(const QList<QTextOption::Tab>& tabsInPoints);
    /// Sets the tab stops of every paragraph; positions in points.
    void SetTabsEverywhere(const QList<QTextOption::Tab>& tabsInPoints);
    /// Whether anything was written since Clear.
    bool IsEmpty() const;

    /// The width of text in font on the layout device, in points.
    double TextWidth(const QString& text, const QFont& font) const;

    /// Lays the document out for page; returns the number of pages (at least 1).
    int Paginate(const TReportPage& page);
    int PageCount() const;
    /// Draws every page onto target, which must have page's layout; painter is active on target.
    void Render(QPainter& painter, QPagedPaintDevice& target) const;
    /// Writes the document laid out for page into a PDF file; raises EVRNException on failure.
    void WritePdf(const QString& fileName, const TReportPage& page, const QString& title);

private:
    /// Document units (tab positions) per point on the layout device.
    double UnitsPerPoint() const;
    QTextOption::Tab ToDocument(const QTextOption::Tab& tab) const;

    std::unique_ptr<QTextDocument> m_document;
    std::unique_ptr<QBuffer> m_pdfBuffer;
    std::unique_ptr<QPdfWriter> m_pdfDevice;
    QPagedPaintDevice* m_device = nullptr;
    mutable double m_unitsPerPoint = 0;
    bool m_empty = true;
};
