#include "export_ui/ExportWindow.h"

#include "../export/ExportFixture.h"
#include "ui/FileDialog.h"
#include "ui/MessageBox.h"
#include "ui/OKCancelPanel.h"

#include <QDateEdit>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const double Day = EncodeDate(2006, 3, 14);

class ExportWindowTest : public testing::Test, public ExportFixture {
protected:
    void SetUp() override {
        TFileDialogSeam::ClearAnswers();
        TFileDialogSeam::ClearHistory();
        TMessageBoxSeam::ClearAnswers();
        TMessageBoxSeam::ClearHistory();
    }
    void TearDown() override { SetUp(); }

    QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    ScopedFixedClock m_clock{QDateTime(QDate(2006, 5, 2), QTime(12, 0))};
    ScopedUserLocale m_locale{QStringLiteral("en_US")};
};

TEST_F(ExportWindowTest, PickersStartAtTheEarliestAndLatestDatesOrTodayWithoutEntries) {
    {
        TfrmBaseExport empty(m_host.GetTypedStorage(), m_tree);
        EXPECT_EQ(empty.StartDate(), EncodeDate(2006, 5, 2));
        EXPECT_EQ(empty.EndDate(), EncodeDate(2006, 5, 2));
    }
    Book(Day + T(9), Day + T(10), m_meeting);
    Book(Day + 20 + T(9), Day + 20 + T(10), m_meeting);
    TfrmBaseExport window(m_host.GetTypedStorage(), m_tree);
    EXPECT_EQ(window.StartDate(), Day);
    EXPECT_EQ(window.EndDate(), Day + 20);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Varnelo Horalux Export"));
    EXPECT_TRUE(window.Panel()->ApplyButton()->isHidden());
}

TEST_F(ExportWindowTest, TheStartNeverLiesAfterTheEnd) {
    TfrmBaseExport window(m_host.GetTypedStorage(), m_tree);
    window.SetStartDate(Day);
    window.SetEndDate(Day + 5);
    window.SetStartDate(Day + 9); // after the end: the end follows
    EXPECT_EQ(window.EndDate(), Day + 9);
    window.SetEndDate(Day + 2); // before the start: the start follows
    EXPECT_EQ(window.StartDate(), Day + 2);
    EXPECT_EQ(window.EndDate(), Day + 2);
}

TEST_F(ExportWindowTest, OKAsksForTheFileAndWritesTheChosenFormat) {
    Book(Day + T(9), Day + T(10, 30), m_meeting);
    TfrmBaseExport window(m_host.GetTypedStorage(), m_tree);
    window.show();
    // Cancelling the save dialog leaves the window open and writes nothing.
    TFileDialogSeam::SetNextFileName(QString());
    QTest::mouseClick(window.Panel()->OKButton(), Qt::LeftButton);
    EXPECT_TRUE(window.isVisible());
    ASSERT_EQ(TFileDialogSeam::History().size(), 1u);
    EXPECT_EQ(TFileDialogSeam::History()[0].filters, TfrmBaseExport::Filters());
    // UTF-8 (the third filter), typed without an extension: ".txt" is added.
    const QString chosen = m_home.Path(QStringLiteral("week"));
    TFileDialogSeam::SetNextFileName(chosen, 2);
    QTest::mouseClick(window.Panel()->OKButton(), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(Read(chosen + QStringLiteral(".txt")),
              QByteArray("2006-03-14\tCom\"mon/Meeting\t09:00:00\t10:30:00\t1.50\r\n"));
}

TEST_F(ExportWindowTest, AFailedExportIsReportedAndTheWindowStaysOpen) {
    TfrmBaseExport window(m_host.GetTypedStorage(), m_tree);
    window.show();
    TFileDialogSeam::SetNextFileName(m_home.Path(QStringLiteral("no/such/folder/out.csv")), 0);
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::OK);
    EXPECT_FALSE(window.ExportNow());
    EXPECT_TRUE(window.isVisible());
    ASSERT_TRUE(TMessageBoxSeam::Last().has_value());
    EXPECT_TRUE(TMessageBoxSeam::Last()->text.contains(QStringLiteral("out.csv")));
}

} // namespace
