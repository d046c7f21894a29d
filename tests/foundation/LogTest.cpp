#include "foundation/Log.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {
class LogTest : public ::testing::Test {
protected:
    void SetUp() override { m_saved = GetLogSettings(); }
    void TearDown() override { GetLogSettings() = m_saved; }
    QByteArray ReadFile(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    TempHome m_home;
    ScopedFixedClock m_clock{QDateTime(QDate(2024, 12, 31), QTime(23, 59, 58))};
    LogSettings m_saved;
};
} // namespace

TEST_F(LogTest, FileLinesCarryDateAndTimeEmptyTextOnlyLineBreak) {
    const QString path = m_home.Path(QStringLiteral("h.log"));
    GetLogSettings() = {LogTarget::File, LogLevelNormal, path};
    WriteLog(QStringLiteral("Program Start"));
    WriteLog(QString());
    WriteLogLevel(QStringLiteral("leak list"), LogLevelLeaks); // not in the mask
    EXPECT_EQ(ReadFile(path), QByteArray("2024-12-31 23:59:58 Program Start\n\n"));
}

TEST_F(LogTest, NothingBeforeTheMaskIsSetAndUnopenableFileLosesTheLine) {
    const QString path = m_home.Path(QStringLiteral("h.log"));
    GetLogSettings() = {LogTarget::File, 0, path};
    EXPECT_TRUE(WriteLog(QStringLiteral("early")));
    EXPECT_FALSE(QFile::exists(path));
    GetLogSettings() = {LogTarget::File, LogLevelNormal, m_home.Path(QStringLiteral("no/such/folder/h.log"))};
    EXPECT_TRUE(WriteLog(QStringLiteral("lost")));
}

TEST_F(LogTest, ConsoleGetsTextWithoutDate) {
    GetLogSettings() = {LogTarget::Console, LogLevelNormal, QString()};
    testing::internal::CaptureStdout();
    WriteLog(QStringLiteral("Command line processed"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Command line processed\n");
}
