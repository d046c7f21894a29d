#include "reports/ReportOptions.h"

#include "foundation/DateTime.h"
#include "foundation/VRNException.h"
#include "model/PropertyHelpers.h"
#include "model/PropertyList.h"
#include "support/TestEnvironment.h"

#include <QDateTime>
#include <gtest/gtest.h>

namespace {

PropertyListPtr NewList() {
    return std::make_shared<TPropertyList>();
}

TEST(ReportAlignment, TextForms) {
    const std::vector<std::pair<QString, TReportAlignment>> cases = {
        {"leftjustify", TReportAlignment::Left},
        {"RightJustify", TReportAlignment::Right},
        {"CENTER", TReportAlignment::Center},
    };
    for (const auto& [text, alignment] : cases) {
        EXPECT_EQ(ReportAlignmentFromText(text), alignment) << text.toStdString();
        EXPECT_EQ(ReportAlignmentFromText(ReportAlignmentToText(alignment)), alignment);
    }
    try {
        ReportAlignmentFromText("middle");
        FAIL() << "no error";
    } catch (const EVRNConvertError& e) {
        EXPECT_EQ(e.Message(), "'middle' is not a valid TAlignment value");
    }
    EXPECT_THROW(ReportAlignmentToText(static_cast<TReportAlignment>(5)), EVRNConvertError);
}

TEST(ReportColumn, StoredForm) {
    TReportColumn column;
    column.id = TGUID::NewGuid();
    column.name = column.caption = "Work";
    column.alignment = TReportAlignment::Right;
    const auto list = NewList();
    column.Save(list);
    EXPECT_EQ(list->Find("caption"), nullptr) << "a caption equal to the name is not stored";
    EXPECT_EQ(FindStringDef(list, "alignment", ""), "rightjustify");
    TReportColumn loaded;
    loaded.Load(list);
    EXPECT_EQ(loaded.id, column.id);
    EXPECT_EQ(loaded.caption, "Work");
    EXPECT_EQ(loaded.alignment, TReportAlignment::Right);

    // A damaged alignment and a missing id: the column still loads.
    list->Items("alignment")->SetAsString("sideways");
    list->Remove("id");
    loaded.Load(list);
    EXPECT_EQ(loaded.alignment, TReportAlignment::Left);
    EXPECT_FALSE(loaded.id.IsNull());
}

TEST(ReportColumnSelection, KnownColumnsAreAddedAndFollowTheirNames) {
    TReportColumnSelection columns;
    const TGUID date = TGUID::NewGuid();
    const TGUID work = TGUID::NewGuid();
    columns.Ensure(date, "Date", TReportAlignment::Left);
    columns.Ensure(work, "Work", TReportAlignment::Right);
    ASSERT_EQ(columns.selected.size(), 2u);
    columns.selected[1].caption = "Hours";
    columns.available.push_back(columns.selected[0]);
    columns.selected.erase(columns.selected.begin());

    // After a change of language: an unchanged caption follows the name, a changed one stays.
    columns.Ensure(date, "Datum", TReportAlignment::Left);
    columns.Ensure(work, "Arbeit", TReportAlignment::Right);
    ASSERT_EQ(columns.selected.size(), 1u) << "a column the user put aside stays aside";
    EXPECT_EQ(columns.available[0].caption, "Datum");
    EXPECT_EQ(columns.selected[0].name, "Arbeit");
    EXPECT_EQ(columns.selected[0].caption, "Hours");

    const auto list = NewList();
    columns.Save(list);
    TReportColumnSelection loaded;
    loaded.Load(list);
    ASSERT_EQ(loaded.available.size(), 1u);
    ASSERT_EQ(loaded.selected.size(), 1u);
    EXPECT_EQ(loaded.selected[0].caption, "Hours");
    EXPECT_EQ(loaded.available[0].id, date);
}

TEST(ReportOptions, FeaturesInUseAreStoredAndTheIntervalNever) {
    ScopedFixedClock clock(QDateTime(QDate(2026, 3, 18), QTime(10, 0)));
    TReportOptions options;
    options.useFont = options.useInterval = true;
    options.interval = {1, 2};
    options.font.SetFont(QFont("DejaVu Serif", 12));
    const auto reportList = NewList();
    reportList->Items("generic")->AsPropertyList()->Items("columns")->AsPropertyList();
    options.Save(reportList);
    const auto generic = reportList->Find("generic")->AsPropertyList();
    EXPECT_EQ(generic->Find("columns"), nullptr) << "a feature not in use is removed";
    ASSERT_NE(generic->Find("interval"), nullptr);
    EXPECT_EQ(generic->Find("interval")->AsPropertyList()->Count(), 0);

    TReportOptions loaded;
    loaded.useFont = loaded.useInterval = true;
    loaded.Load(reportList);
    EXPECT_EQ(loaded.font.Font().family(), "DejaVu Serif");
    EXPECT_EQ(loaded.font.PointSize(), 12);
    EXPECT_EQ(QDateFromDate(loaded.interval.start), QDate(2026, 3, 1));
    EXPECT_EQ(QDateFromDate(loaded.interval.end), QDate(2026, 3, 18));
}

TEST(ReportOptions, TheDefaultFontIsArialAtTenPoints) {
    const TReportFont font;
    EXPECT_EQ(font.record.lfFaceName, "Arial");
    EXPECT_EQ(font.PointSize(), 10);
    EXPECT_EQ(font.record.lfCharSet, 1);
    EXPECT_EQ(font.record.lfOutPrecision, 7);
}

TEST(ReportOptions, TheReportListIsACopyUntilWrittenBack) {
    const auto section = NewList();
    const auto list = ReadReportList(section, "BaseDayReport");
    CustomReportSettings(list)->Items("hide zeros")->SetAsBoolean(false);
    EXPECT_EQ(section->Find("BaseDayReport"), nullptr);
    WriteReportList(section, "BaseDayReport", list);
    const auto stored = ReadReportList(section, "BaseDayReport");
    EXPECT_FALSE(FindBooleanDef(CustomReportSettings(stored), "hide zeros", true));
}

} // namespace
