#include "reports/ReportDocument.h"
#include "foundation/VRNException.h"

#include "support/TestEnvironment.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

TEST(ReportPage, MarginsInTwipsAndTheirLimits) {
    TReportPage page;
    page.size = QPageSize(QPageSize::A4);
    QMarginsF mm = page.Layout().margins(QPageLayout::Millimeter);
    EXPECT_NEAR(mm.left(), 10.0, 0.01) << "567 twips are one centimetre";
    EXPECT_NEAR(page.Layout().margins(QPageLayout::Inch).top(), 0.39, 0.005);

    // A page setup dialog's answer comes back in whole twips.
    QPageLayout chosen = page.Layout();
    chosen.setMargins(QMarginsF(25.4, 10, 10, 20));
    page.SetLayout(chosen);
    EXPECT_EQ(page.marginsTwips, QMarginsF(1440, 567, 567, 1134));

    // Margins as large as the page leave an inch of it.
    page.marginsTwips = QMarginsF(20000, 20000, 20000, 20000);
    const QRectF paint = page.Layout().paintRect(QPageLayout::Millimeter);
    EXPECT_NEAR(paint.width(), 25.4, 0.01);
    EXPECT_NEAR(paint.height(), 25.4, 0.01);
}

TEST(ReportDocument, LongReportsAreNeverCutAndHugeMarginsStillGivePages) {
    TempHome home;
    TReportDocument document;
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(10);
    const QString line = QString(70, QLatin1Char('x'));
    for (int i = 0; i < 15000; ++i)
        document.WriteLine(line, font);
    document.WriteLine(QStringLiteral("the end"), font);
    EXPECT_GT(document.Document().characterCount(), 1000000);
    EXPECT_TRUE(document.Document().toPlainText().contains(QStringLiteral("the end")));

    TReportPage page;
    page.size = QPageSize(QPageSize::A4);
    const int pages = document.Paginate(page);
    EXPECT_GT(pages, 100);

    TReportDocument small;
    small.WriteLine(QStringLiteral("one line"), font);
    page.marginsTwips = QMarginsF(20000, 20000, 20000, 20000);
    const QString file = home.Path(QStringLiteral("margins.pdf"));
    small.WritePdf(file, page, QStringLiteral("Title"));
    EXPECT_EQ(small.PageCount(), 1);
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.read(5).startsWith("%PDF"));
}

TEST(ReportDocument, AFileThatCannotBeWrittenIsReported) {
    TReportDocument document;
    document.WriteLine(QStringLiteral("text"), QFont());
    EXPECT_THROW(document.WritePdf(QStringLiteral("/nonexistent-folder/report.pdf"), TReportPage(), QString()),
                 EVRNException);
}

} // namespace
