#include "ui/FileDialog.h"
#include "ui/MessageBox.h"

#include "support/TestEnvironment.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

class FileDialogTest : public testing::Test {
protected:
    void SetUp() override {
        TFileDialogSeam::ClearAnswers();
        TFileDialogSeam::ClearHistory();
        TMessageBoxSeam::ClearAnswers();
        TMessageBoxSeam::ClearHistory();
    }
    void TearDown() override { SetUp(); }

    QString Existing() {
        const QString path = m_home.Path(QStringLiteral("export.csv"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return path;
    }

    static TFileDialogRequest SaveRequest() {
        TFileDialogRequest request;
        request.caption = QStringLiteral("Export");
        request.filters = {QStringLiteral("CSV (*.csv)"), QStringLiteral("Text (*.txt)")};
        request.defaultExtension = QStringLiteral("csv");
        return request;
    }

    TempHome m_home;
};

TEST(FileDialogExtension, AddsTheDefaultExtensionOnlyToANameWithoutOne) {
    EXPECT_EQ(WithDefaultExtension(QStringLiteral("/tmp/report"), QStringLiteral("csv")),
              QStringLiteral("/tmp/report.csv"));
    EXPECT_EQ(WithDefaultExtension(QStringLiteral("/tmp/report.txt"), QStringLiteral("csv")),
              QStringLiteral("/tmp/report.txt"));
    EXPECT_EQ(WithDefaultExtension(QStringLiteral("/tmp/report"), QString()), QStringLiteral("/tmp/report"));
    EXPECT_EQ(WithDefaultExtension(QString(), QStringLiteral("csv")), QString());
    EXPECT_EQ(FilterExtension(QStringLiteral("CSV (comma delimited) (*.csv)")), QStringLiteral("csv"));
    EXPECT_EQ(FilterExtension(QStringLiteral("All files (*)")), QString());
}

TEST_F(FileDialogTest, TheSeamAnswersInOrderAndRecordsEachRequest) {
    TFileDialogSeam::SetNextFileName(m_home.Path(QStringLiteral("a.hxh")), 1);
    TFileDialogSeam::SetNextFileName(QString());
    int filter = -1;
    TFileDialogRequest open;
    open.caption = QStringLiteral("Import");
    EXPECT_EQ(GetOpenFileName(nullptr, open, &filter), m_home.Path(QStringLiteral("a.hxh")));
    EXPECT_EQ(filter, 1);
    EXPECT_EQ(GetOpenFileName(nullptr, open), QString()); // cancelled
    ASSERT_EQ(TFileDialogSeam::History().size(), 2u);
    EXPECT_FALSE(TFileDialogSeam::History()[0].save);
    EXPECT_EQ(TFileDialogSeam::History()[0].caption, QStringLiteral("Import"));
}

TEST_F(FileDialogTest, SavingANewNameAsksNothingAndAddsTheExtension) {
    TFileDialogSeam::SetNextFileName(m_home.Path(QStringLiteral("new")));
    EXPECT_EQ(GetSaveFileName(nullptr, SaveRequest()), m_home.Path(QStringLiteral("new.csv")));
    EXPECT_TRUE(TMessageBoxSeam::History().empty());
}

TEST_F(FileDialogTest, ReplacingAFileNeedsAYes) {
    const QString existing = Existing();
    // Yes replaces.
    TFileDialogSeam::SetNextFileName(existing);
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::Yes);
    EXPECT_EQ(GetSaveFileName(nullptr, SaveRequest()), existing);
    ASSERT_TRUE(TMessageBoxSeam::Last().has_value());
    EXPECT_TRUE(TMessageBoxSeam::Last()->text.contains(QStringLiteral("export.csv")));
    // No goes back to the dialog, where another name is chosen.
    TFileDialogSeam::SetNextFileName(existing);
    TFileDialogSeam::SetNextFileName(m_home.Path(QStringLiteral("other.csv")));
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::No);
    EXPECT_EQ(GetSaveFileName(nullptr, SaveRequest()), m_home.Path(QStringLiteral("other.csv")));
    EXPECT_EQ(TFileDialogSeam::History().back().startPath, existing);
    // Closing the question cancels the save.
    TFileDialogSeam::SetNextFileName(existing);
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::Cancel);
    EXPECT_EQ(GetSaveFileName(nullptr, SaveRequest()), QString());
    EXPECT_FALSE(TFileDialogSeam::HasQueuedAnswers());
}

} // namespace
