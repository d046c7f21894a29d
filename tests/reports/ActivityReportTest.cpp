#include "ReportFixture.h"

#include "formatting/DurationFormatter.h"
#include "model/PropertyList.h"
#include "reports/ActivityReport.h"

#include <QTextBlock>
#include <gtest/gtest.h>

namespace {

class ActivityReportTest : public ::testing::Test, public ReportFixture {
protected:
    ActivityReportTest() {
        m_generic.useFont = m_generic.useInterval = true;
        m_options.durationFormat = DefaultDurationFormatterHM()->Id();
    }

    QStringList Lines(double from, double to) {
        m_generic.interval = {from, to};
        WriteActivityReport(m_document, TReportPage(), m_sources, m_generic, m_options);
        QStringList lines = m_document.Document().toPlainText().split(QLatin1Char('\n'));
        while (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }

    /// Expands the outline at activity (under parent, the root when none).
    std::shared_ptr<TActivityOutlineNode> Expand(const ActivityPtr& activity,
                                                 const std::shared_ptr<TActivityOutlineNode>& parent = nullptr) {
        auto node = std::make_shared<TActivityOutlineNode>();
        node->activity = activity;
        node->expanded = true;
        (parent ? parent : m_options.outline)->children.push_back(node);
        return node;
    }

    TReportOptions m_generic;
    TActivityReportOptions m_options;
    TReportDocument m_document;
};

struct PeriodCase {
    const char* name;
    double from;
    double to;
    TActivityGrouping grouping;
    std::vector<std::pair<double, double>> expected;
};

TEST(ActivityReportPeriods, SplitAtWeeksAndMonths) {
    const auto D = ReportFixture::D;
    const std::vector<PeriodCase> cases = {
        {"none", D(2026, 3, 4), D(2026, 3, 17), TActivityGrouping::None, {{D(2026, 3, 4), D(2026, 3, 17)}}},
        {"Wednesday to the Tuesday two weeks later",
         D(2026, 3, 4),
         D(2026, 3, 17),
         TActivityGrouping::Week,
         {{D(2026, 3, 4), D(2026, 3, 8)}, {D(2026, 3, 9), D(2026, 3, 15)}, {D(2026, 3, 16), D(2026, 3, 17)}}},
        {"starting on a Monday",
         D(2026, 3, 9),
         D(2026, 3, 15),
         TActivityGrouping::Week,
         {{D(2026, 3, 9), D(2026, 3, 15)}}},
        {"months across a year",
         D(2025, 11, 20),
         D(2026, 1, 10),
         TActivityGrouping::Month,
         {{D(2025, 11, 20), D(2025, 11, 30)}, {D(2025, 12, 1), D(2025, 12, 31)}, {D(2026, 1, 1), D(2026, 1, 10)}}},
    };
    for (const PeriodCase& c : cases) {
        std::vector<std::pair<double, double>> actual;
        for (const TReportPeriod& period : ReportPeriods(c.from, c.to, c.grouping, 0))
            actual.emplace_back(period.start, period.end);
        EXPECT_EQ(actual, c.expected) << c.name;
    }
}

TEST_F(ActivityReportTest, AnActivityWithTwoParentsIsListedUnderBothAndCountsOnce) {
    m_tree->AddChild(m_other, m_project);
    Book(D(2026, 3, 2), m_project, T(2));
    Book(D(2026, 3, 2), m_work, T(1), 12);
    Book(D(2026, 3, 2), m_pause, T(0, 30), 14);
    Expand(m_work);
    Expand(m_other);
    const TActivityTotals totals = ComputeActivityTimes(m_sources, D(2026, 3, 2), D(2026, 3, 2));
    EXPECT_NEAR(totals.work, T(3), 1e-9);
    EXPECT_NEAR(totals.breaks, T(0, 30), 1e-9);
    EXPECT_NEAR(ActivityTime(m_work, ActivityWorkTimeValue), T(3), 1e-9);
    EXPECT_NEAR(ActivityTime(m_other, ActivityWorkTimeValue), T(2), 1e-9);
    EXPECT_NEAR(ActivityTime(m_work, ActivityDurationValue), T(1), 1e-9);

    const QStringList lines = Lines(D(2026, 3, 2), D(2026, 3, 2));
    EXPECT_EQ(lines, (QStringList{"Activity report from 02.03.2026 to 02.03.2026.", "Total\t03:00", "Work\t03:00",
                                  "\tProject\t02:00", "Other\t02:00", "\tProject\t02:00", "Pause\t00:30",
                                  "<Unknown>\t00:00", "<Unknown break>\t00:00"}));
}

TEST_F(ActivityReportTest, AnActivityTwiceInOneSubtreeCountsOnce) {
    m_tree->AddChild(m_other, m_project);
    m_tree->AddChild(m_work, m_other); // Work holds Project directly and through Other
    Book(D(2026, 3, 2), m_project, T(2));
    ComputeActivityTimes(m_sources, D(2026, 3, 2), D(2026, 3, 2));
    EXPECT_NEAR(ActivityTime(m_work, ActivityWorkTimeValue), T(2), 1e-9);
}

TEST_F(ActivityReportTest, HiddenZerosBreaksAndACollapsedRoot) {
    Book(D(2026, 3, 2), m_work, T(1));
    Book(D(2026, 3, 2), m_pause, T(0, 30), 14);
    Expand(m_work);
    m_options.hideZeros = true;
    EXPECT_EQ(Lines(D(2026, 3, 2), D(2026, 3, 2)).mid(2), (QStringList{"Work\t01:00", "Pause\t00:30"}))
        << "Project and Other have no time";
    m_options.breaks = TActivityBreaks::Hide;
    EXPECT_EQ(Lines(D(2026, 3, 2), D(2026, 3, 2)).mid(2), QStringList{"Work\t01:00"});
    m_options.outline->expanded = false;
    EXPECT_EQ(Lines(D(2026, 3, 2), D(2026, 3, 2)).size(), 2);
}

TEST_F(ActivityReportTest, BreaksInItalics) {
    Book(D(2026, 3, 2), m_pause, T(0, 30));
    Lines(D(2026, 3, 2), D(2026, 3, 2));
    bool found = false;
    for (QTextBlock block = m_document.Document().firstBlock(); block.isValid(); block = block.next()) {
        if (!block.text().startsWith("Pause") && !block.text().startsWith("Work"))
            continue;
        const bool italic = block.begin().fragment().charFormat().fontItalic();
        EXPECT_EQ(italic, block.text().startsWith("Pause")) << block.text().toStdString();
        found = true;
    }
    EXPECT_TRUE(found);
}

TEST_F(ActivityReportTest, WeekPartsWithTheirOwnHeadingsAndPageBreaksByMonth) {
    m_options.grouping = TActivityGrouping::Week;
    Book(D(2026, 3, 5), m_work, T(1));
    Book(D(2026, 3, 10), m_work, T(2));
    QStringList headings;
    for (const QString& line : Lines(D(2026, 3, 4), D(2026, 3, 17)))
        if (line.startsWith("Activity report") || line.startsWith("Total"))
            headings.append(line);
    EXPECT_EQ(headings, (QStringList{"Activity report from 04.03.2026 to 08.03.2026.", "Total\t01:00",
                                     "Activity report from 09.03.2026 to 15.03.2026.", "Total\t02:00",
                                     "Activity report from 16.03.2026 to 17.03.2026.", "Total\t00:00"}));

    m_options.grouping = TActivityGrouping::Month;
    m_options.newPage = true;
    m_options.outline->expanded = false;
    m_generic.interval = {D(2026, 1, 20), D(2026, 3, 5)};
    WriteActivityReport(m_document, TReportPage(), m_sources, m_generic, m_options);
    EXPECT_EQ(m_document.PageCount(), 3);
    int breaks = 0;
    for (QTextBlock block = m_document.Document().firstBlock(); block.isValid(); block = block.next())
        breaks += block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore ? 1 : 0;
    EXPECT_EQ(breaks, 2);
}

TEST(ActivityReportOptionsTest, StoredValuesOutsideTheKnownOnesReadAsDefaults) {
    auto custom = std::make_shared<TPropertyList>();
    TActivityReportOptions options;
    options.Load(custom);
    EXPECT_EQ(options.grouping, TActivityGrouping::None);
    EXPECT_EQ(options.breaks, TActivityBreaks::Italic);
    EXPECT_EQ(options.indent, 2000);
    EXPECT_EQ(options.sumPosition, 20000);
    EXPECT_TRUE(options.outline->expanded);
    options.grouping = TActivityGrouping::Month;
    options.breaks = TActivityBreaks::Hide;
    options.newPage = true;
    options.indent = 1234;
    options.Save(custom);
    TActivityReportOptions loaded;
    loaded.Load(custom);
    EXPECT_EQ(loaded.grouping, TActivityGrouping::Month);
    EXPECT_EQ(loaded.breaks, TActivityBreaks::Hide);
    EXPECT_TRUE(loaded.newPage);
    EXPECT_EQ(loaded.indent, 1234);
    custom->Items("grouping")->SetAsInteger(7);
    custom->Items("breaks")->SetAsInteger(-1);
    loaded.Load(custom);
    EXPECT_EQ(loaded.grouping, TActivityGrouping::None);
    EXPECT_EQ(loaded.breaks, TActivityBreaks::Italic);
}

} // namespace
