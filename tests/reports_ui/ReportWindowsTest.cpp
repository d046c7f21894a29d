#include "ReportWindowFixture.h"

#include "formatting/DurationFormatter.h"
#include "model/PropertyHelpers.h"
#include "reports_ui/ActivityReportWindow.h"
#include "reports_ui/ColumnsDialog.h"
#include "reports_ui/DayReportWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPrintPreviewWidget>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

class ReportWindowsTest : public ::testing::Test, public ReportFixture {
protected:
    ScopedFixedClock m_clock{QDateTime(QDate(2026, 3, 18), QTime(10, 0))};
    std::shared_ptr<ReportApplication> m_application = std::make_shared<ReportApplication>(*this);

    PropertyListPtr StoredReport(const QString& name) {
        return ReadReportList(m_application->GetOptions(ReportingSectionName), name);
    }
};

TEST_F(ReportWindowsTest, TheDayReportRemembersFontAndColumnsButNeverTheInterval) {
    Book(D(2026, 3, 2), m_work, T(6, 30));
    {
        TfrmSimpleRichTextDayReport window(m_application);
        window.Initialize(DayReportName);
        EXPECT_EQ(window.windowTitle(), "Varnelo Horalux Day Report");
        EXPECT_EQ(QDateFromDate(window.Options().interval.start), QDate(2026, 3, 1));
        EXPECT_EQ(QDateFromDate(window.Options().interval.end), QDate(2026, 3, 18));
        EXPECT_TRUE(window.Document().Document().toPlainText().contains("02.03.2026"));
        window.Options().interval = {D(2025, 1, 1), D(2025, 2, 1)};
        window.Options().font.record.lfFaceName = "DejaVu Sans";
        window.Options().columns.selected[1].caption = "Hours";
        window.DayOptions().weekTotal = true;
        window.SaveOptions();
    }
    EXPECT_TRUE(m_application->applied.contains(ReportingSectionName));
    const PropertyListPtr stored = StoredReport(DayReportName);
    EXPECT_TRUE(FindBooleanDef(CustomReportSettings(stored), "week total", false));

    TfrmSimpleRichTextDayReport again(m_application);
    again.Initialize(DayReportName);
    EXPECT_EQ(QDateFromDate(again.Options().interval.start), QDate(2026, 3, 1));
    EXPECT_EQ(again.Options().font.record.lfFaceName, "DejaVu Sans");
    EXPECT_EQ(again.Options().columns.selected[1].caption, "Hours");
    EXPECT_EQ(again.Options().columns.selected.size(), 6u);
    EXPECT_TRUE(again.DayOptions().weekTotal);
}

TEST_F(ReportWindowsTest, ADamagedStoredAlignmentStillOpensTheReport) {
    {
        TfrmSimpleRichTextDayReport window(m_application);
        window.Initialize(DayReportName);
        window.SaveOptions();
    }
    PropertyListPtr stored = StoredReport(DayReportName);
    const auto selected =
        stored->Find("generic")->AsPropertyList()->Find("columns")->AsPropertyList()->Find("selected");
    selected->AsValueList()->Items(1)->AsPropertyList()->Items("alignment")->SetAsString("diagonal");
    WriteReportList(m_application->GetOptions(ReportingSectionName), DayReportName, stored);

    TfrmSimpleRichTextDayReport window(m_application);
    window.Initialize(DayReportName);
    EXPECT_EQ(window.Options().columns.selected[1].alignment, TReportAlignment::Left);
}

TEST_F(ReportWindowsTest, PickedDatesStayInOrderAndTakeEffectOnceWhenTheTimerFires) {
    TfrmSimpleRichTextDayReport window(m_application);
    window.Initialize(DayReportName);
    const int written = window.RefreshCount();
    window.StartPicker()->setDate(QDate(2026, 3, 25));
    EXPECT_EQ(window.EndPicker()->date(), QDate(2026, 3, 25)) << "the end follows a later start";
    window.EndPicker()->setDate(QDate(2026, 3, 20));
    EXPECT_EQ(window.StartPicker()->date(), QDate(2026, 3, 20)) << "the start follows an earlier end";
    EXPECT_TRUE(window.IntervalTimer()->isActive());
    EXPECT_EQ(window.IntervalTimer()->interval(), 1000);
    EXPECT_EQ(window.RefreshCount(), written) << "nothing is written before the timer fires";
    window.TakePickedDates();
    EXPECT_EQ(window.RefreshCount(), written + 1);
    EXPECT_FALSE(window.IntervalTimer()->isActive());
    EXPECT_EQ(QDateFromDate(window.Options().interval.start), QDate(2026, 3, 20));
    window.TakePickedDates();
    EXPECT_EQ(window.RefreshCount(), written + 1) << "unchanged dates write nothing";
}

TEST_F(ReportWindowsTest, ZoomListAndPages) {
    TfrmSimpleRichTextDayReport window(m_application);
    window.Initialize(DayReportName);
    QStringList entries;
    for (int i = 0; i < window.ZoomBox()->count(); ++i)
        entries.append(window.ZoomBox()->itemText(i));
    EXPECT_EQ(entries, (QStringList{"500%", "300%", "200%", "100%", "75%", "50%", "25%", "Whole page", "Page width"}));
    EXPECT_EQ(window.CurrentZoomMode(), TfrmRichPrint::ZoomPageWidth);
    EXPECT_EQ(window.ZoomBox()->currentIndex(), 8);
    window.SetZoom(TfrmRichPrint::ZoomFullPage);
    EXPECT_EQ(window.ZoomBox()->currentIndex(), 7);
    EXPECT_EQ(window.Preview()->zoomMode(), QPrintPreviewWidget::FitInView);
    window.SetZoom(TfrmRichPrint::ZoomCustom, 75);
    EXPECT_EQ(window.ZoomBox()->currentIndex(), 4);
    EXPECT_DOUBLE_EQ(window.Preview()->zoomFactor(), 0.75);

    window.show();
    QApplication::processEvents();
    EXPECT_GE(window.PageBox()->count(), 1);
    EXPECT_FALSE(window.PrevPageAction()->isEnabled());
    const QString file = m_home.Path("day.pdf");
    EXPECT_TRUE(window.SavePdfTo(file));
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.read(4) == "%PDF");
    window.close();
}

TEST_F(ReportWindowsTest, TheColumnsDialogWorksOnACopy) {
    TReportColumnSelection columns;
    EnsureDayReportColumns(columns);
    TfrmReportColumns dialog(columns);
    dialog.SelectedList()->setCurrentRow(1); // Work
    dialog.RemoveColumn();
    EXPECT_EQ(dialog.AvailableList()->item(0)->text(), "Work");
    dialog.SelectedList()->setCurrentRow(2); // Difference
    dialog.AvailableList()->setCurrentRow(0);
    dialog.AddColumn();
    QStringList order;
    for (const TReportColumn& column : dialog.Columns().selected)
        order.append(column.name);
    EXPECT_EQ(order, (QStringList{"Date", "Breaks", "Required", "Work", "Difference", "Acc. Difference"}));
    dialog.PropertiesList()->setCurrentRow(0);
    dialog.CaptionEdit()->setText("Day");
    emit dialog.CaptionEdit()->textEdited("Day");
    dialog.AlignmentBox()->setCurrentIndex(2);
    emit dialog.AlignmentBox()->activated(2);
    EXPECT_EQ(dialog.Columns().selected[0].caption, "Day");
    EXPECT_EQ(dialog.Columns().selected[0].alignment, TReportAlignment::Center);
    EXPECT_EQ(columns.selected[0].caption, "Date") << "the report's own selection is untouched";
}

TEST_F(ReportWindowsTest, TheActivityReportFollowsTheExpandedItemsOfItsOptionsDialog) {
    Book(D(2026, 3, 2), m_project, T(2));
    TfrmBaseActivityReport window(m_application);
    window.Initialize(ActivityReportName);
    window.ActivityOptions().durationFormat = DefaultDurationFormatterHM()->Id();
    {
        TfrmBaseActivityReportOptions dialog(window.ActivityOptions(), window.Options().interval, m_sources, nullptr);
        EXPECT_TRUE(dialog.RootItem()->isExpanded());
        QTreeWidgetItem* work = dialog.FindItem(dialog.RootItem(), m_work);
        ASSERT_NE(work, nullptr);
        EXPECT_EQ(work->text(1), "02:00");
        EXPECT_EQ(work->text(2), "") << "no time of its own";
        work->setExpanded(true);
        ASSERT_EQ(work->childCount(), 1);
        EXPECT_EQ(work->child(0)->text(2), "02:00");
        EXPECT_EQ(dialog.Tree()->topLevelItemCount(), 3) << "the root item, the unknown activity and break";
        window.ActivityOptions() = dialog.Options();
    }
    window.Refresh();
    EXPECT_TRUE(window.Document().Document().toPlainText().contains("\tProject\t02:00"));
    {
        // Reopened, the dialog expands the same items.
        TfrmBaseActivityReportOptions dialog(window.ActivityOptions(), window.Options().interval, m_sources, nullptr);
        EXPECT_TRUE(dialog.FindItem(dialog.RootItem(), m_work)->isExpanded());
        dialog.RootItem()->setExpanded(false);
        window.ActivityOptions() = dialog.Options();
    }
    window.Refresh();
    EXPECT_EQ(window.Document().Document().toPlainText().trimmed().split('\n').size(), 2)
        << "only the heading and the total";
}

TEST_F(ReportWindowsTest, TheActivityOptionsDialogOpensByItselfTheFirstTime) {
    TfrmBaseActivityReport window(m_application);
    window.Initialize(ActivityReportName);
    bool opened = false;
    QTimer::singleShot(0, &window, [&] {
        QTimer::singleShot(50, &window, [&] {
            if (TfrmBaseActivityReportOptions* dialog = window.OptionsDialog()) {
                opened = true;
                dialog->StartPicker()->setDate(QDate(2026, 2, 1));
                dialog->Apply();
                dialog->reject();
            }
            window.reject();
        });
    });
    window.exec();
    EXPECT_TRUE(opened);
    EXPECT_EQ(QDateFromDate(window.Options().interval.start), QDate(2026, 2, 1)) << "Apply took the dates";
}

TEST(ActivityReportOptionsUnits, HundredthsOfAPointInCentimetresAndInches) {
    struct Case {
        int hundredths;
        bool inches;
        double shown;
    };
    for (const Case& c : {Case{2000, false, 0.705}, Case{2000, true, 0.278}, Case{20000, false, 7.055},
                          Case{7200, true, 1.0}, Case{0, false, 0}}) {
        EXPECT_NEAR(TfrmBaseActivityReportOptions::FromHundredths(c.hundredths, c.inches), c.shown, 0.001);
        EXPECT_EQ(TfrmBaseActivityReportOptions::ToHundredths(
                      TfrmBaseActivityReportOptions::FromHundredths(c.hundredths, c.inches), c.inches),
                  c.hundredths);
    }
    EXPECT_EQ(TfrmBaseActivityReportOptions::ToHundredths(1.0, false), 2835);
}

} // namespace
