#include "ReportFixture.h"

#include "formatting/DurationFormatter.h"
#include "reports/DayReport.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextLayout>
#include <gtest/gtest.h>

namespace {

class DayReportTest : public ::testing::Test, public ReportFixture {
protected:
    DayReportTest() {
        m_generic.useFont = m_generic.useInterval = m_generic.useColumns = true;
        EnsureDayReportColumns(m_generic.columns);
        m_options.durationFormat = DefaultDurationFormatterHM()->Id();
    }

    /// The report's lines, each split into its cells (a leading tab stays an empty first cell).
    QList<QStringList> Lines(double from, double to) {
        m_generic.interval = {from, to};
        WriteDayReport(m_document, TReportPage(), m_sources, m_generic, m_options);
        QList<QStringList> lines;
        for (const QString& line : m_document.Document().toPlainText().split(QLatin1Char('\n')))
            lines.append(line.split(QLatin1Char('\t')));
        return lines;
    }

    /// The line whose first cell is text, or an empty list.
    static QStringList LineOf(const QList<QStringList>& lines, const QString& text) {
        for (const QStringList& line : lines)
            if (line.value(0) == text)
                return line;
        return {};
    }

    TReportOptions m_generic;
    TDayReportOptions m_options;
    TReportDocument m_document;
};

TEST_F(DayReportTest, WorkBelowRequiredShowsANegativeDifferenceThatAccumulates) {
    Book(D(2026, 3, 2), m_work, T(6, 30)); // Monday
    Book(D(2026, 3, 2), m_pause, T(0, 30), 15);
    Book(D(2026, 3, 3), m_work, T(8));
    const auto entries = ComputeDayReportEntries(m_sources, D(2026, 3, 2), D(2026, 3, 3), false);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_NEAR(entries[0].work, T(6, 30), 1e-9);
    EXPECT_NEAR(entries[0].breaks, T(0, 30), 1e-9);
    EXPECT_NEAR(entries[0].accumulatedDifference, -T(1, 30), 1e-9);
    EXPECT_NEAR(entries[1].accumulatedDifference, -T(1, 30), 1e-9);

    const auto lines = Lines(D(2026, 3, 2), D(2026, 3, 3));
    EXPECT_EQ(lines[0], (QStringList{"Date", "Work", "Breaks", "Required", "Difference", "Acc. Difference"}));
    EXPECT_EQ(lines[1], QStringList{""}) << "an empty line follows the header";
    EXPECT_EQ(lines[2], (QStringList{"02.03.2026", "06:30", "00:30", "08:00", "-01:30", "-01:30"}));
    // Work equal to the required time: no difference and no breaks shown.
    EXPECT_EQ(lines[3], (QStringList{"03.03.2026", "08:00", "", "08:00", "", "-01:30"}));
}

TEST_F(DayReportTest, FreeDaysAreListedOnlyOnRequest) {
    Book(D(2026, 3, 7), m_work, T(2)); // a Saturday with work
    // Sunday 2026-03-08 has neither work nor required time.
    auto entries = ComputeDayReportEntries(m_sources, D(2026, 3, 7), D(2026, 3, 8), false);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].required, 0);
    EXPECT_NEAR(entries[0].accumulatedDifference, T(2), 1e-9);
    entries = ComputeDayReportEntries(m_sources, D(2026, 3, 7), D(2026, 3, 8), true);
    EXPECT_EQ(entries.size(), 2u);
}

TEST_F(DayReportTest, BreakActivitiesNeverCountAsWorkWhateverTheLocatorSays) {
    auto locator = Locator(m_pause);
    locator->SetIsBreak(false); // stale flag: the tree decides
    TActivityBooker booker;
    booker.SetFrom(D(2026, 3, 2) + T(8));
    booker.SetTo(D(2026, 3, 2) + T(9));
    booker.AddItem(locator, T(1));
    booker.Book(*m_host.GetStorage());
    const auto entries = ComputeDayReportEntries(m_sources, D(2026, 3, 2), D(2026, 3, 2), false);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].work, 0);
    EXPECT_NEAR(entries[0].breaks, T(1), 1e-9);
}

TEST_F(DayReportTest, WeekTotalOfAnIntervalEndingOnAWednesday) {
    m_options.weekTotal = true;
    for (double day = D(2026, 3, 2); day <= D(2026, 3, 4); day += 1)
        Book(day, m_work, T(7));
    const auto lines = Lines(D(2026, 2, 27), D(2026, 3, 4)); // Friday to Wednesday
    // Friday's week ends with its own total, then Monday to Wednesday.
    EXPECT_EQ(lines[2].value(0), "27.02.2026");
    EXPECT_EQ(lines[3], (QStringList{"Week total", "", "", "08:00", "-08:00", ""}));
    EXPECT_EQ(lines[4], QStringList{""});
    EXPECT_EQ(lines.last(), (QStringList{"Week total", "21:00", "", "24:00", "-03:00", ""}));
    EXPECT_EQ(lines[lines.size() - 2].value(0), "04.03.2026");
}

TEST_F(DayReportTest, DecemberEndsWithAMonthTotalThenAYearTotal) {
    m_options.monthTotal = m_options.yearTotal = m_options.weekTotal = true;
    Book(D(2025, 12, 31), m_work, T(8));
    Book(D(2026, 1, 2), m_work, T(8));
    const auto lines = Lines(D(2025, 12, 31), D(2026, 1, 2));
    QStringList firstCells;
    for (const QStringList& line : lines)
        firstCells.append(line.value(0));
    // 2025-12-31 (Wednesday) and 2026-01-02 (Friday) share a week, so no week total between them.
    // New Year's Day requires 8:00 in this calendar, so it is listed too.
    EXPECT_EQ(firstCells, (QStringList{"Date", "", "31.12.2025", "Month total", "Year total", "", "01.01.2026",
                                       "02.01.2026", "Week total", "Month total", "Year total"}));
}

TEST_F(DayReportTest, DaysAYearApartNeverShareAWeekOrMonthTotal) {
    m_options.weekTotal = m_options.monthTotal = true;
    m_sources.calendar = std::make_shared<TCalendar>(); // nothing required: only days with work are listed
    Book(D(2025, 3, 5), m_work, T(1));                  // week 10 of 2025
    Book(D(2026, 3, 4), m_work, T(2));                  // week 10 of 2026
    const auto lines = Lines(D(2025, 3, 1), D(2026, 3, 31));
    int weekTotals = 0;
    for (const QStringList& line : lines)
        weekTotals += line.value(0) == "Week total" ? 1 : 0;
    EXPECT_EQ(weekTotals, 2);
    EXPECT_EQ(LineOf(lines, "Month total").value(1), "01:00");
}

TEST_F(DayReportTest, ColumnsFollowTheSelectionAndItsAlignment) {
    Book(D(2026, 3, 2), m_work, T(8));
    m_generic.columns.available.push_back(m_generic.columns.selected[2]); // Breaks
    m_generic.columns.selected.erase(m_generic.columns.selected.begin() + 2);
    std::swap(m_generic.columns.selected[0], m_generic.columns.selected[1]); // Work first
    m_generic.columns.selected[1].caption = "Day";
    const auto lines = Lines(D(2026, 3, 2), D(2026, 3, 2));
    // A right-aligned first column starts after a tab.
    EXPECT_EQ(lines[0], (QStringList{"", "Work", "Day", "Required", "Difference", "Acc. Difference"}));
    EXPECT_EQ(lines[2], (QStringList{"", "08:00", "02.03.2026", "08:00", "", ""}));
}

// Every cell lies in its column as the printer lays it out: right-aligned cells end at the same
// place on every line, and no cell reaches into the next column.
TEST_F(DayReportTest, ColumnsNeverOverlapOnThePrinter) {
    m_options.weekTotal = m_options.monthTotal = true;
    m_options.hideZeros = false;
    for (double day = D(2026, 3, 2); day <= D(2026, 3, 13); day += 1)
        Book(day, m_work, T(9, 45));
    m_generic.font.record.lfHeight = -40; // a large font makes overlaps plain
    m_generic.interval = {D(2026, 3, 1), D(2026, 3, 14)};
    TReportPage page;
    page.orientation = QPageLayout::Landscape;
    WriteDayReport(m_document, page, m_sources, m_generic, m_options);
    QTextDocument& document = m_document.Document();
    document.documentLayout()->documentSize();
    QList<double> rightEnds;
    for (QTextBlock block = document.firstBlock(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        if (text.isEmpty())
            continue;
        const QTextLayout* layout = block.layout();
        ASSERT_EQ(layout->lineCount(), 1) << text.toStdString();
        const QTextLine line = layout->lineAt(0);
        const QStringList cells = text.split(QLatin1Char('\t'));
        int position = 0;
        double previousEnd = -1;
        for (int c = 0; c < cells.size(); ++c) {
            const double start = line.cursorToX(position);
            const double end = line.cursorToX(position + cells[c].size());
            if (!cells[c].isEmpty()) {
                EXPECT_GT(start, previousEnd) << "column " << c << " of " << text.toStdString();
                previousEnd = end;
            }
            if (c == 1 && !cells[c].isEmpty())
                rightEnds.append(end);
            position += cells[c].size() + 1;
        }
    }
    ASSERT_FALSE(rightEnds.isEmpty());
    for (double end : rightEnds)
        EXPECT_NEAR(end, rightEnds.first(), 2.0);
}

} // namespace
