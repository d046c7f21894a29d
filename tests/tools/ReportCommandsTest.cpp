#include "CtlTestSupport.h"

#include "formatting/DurationFormatter.h"
#include "foundation/International.h"
#include "foundation/XMZFile.h"
#include "model/PropertyList.h"
#include "support/TestEnvironment.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

const TGUID OptionsFileType = TGUID::Constant("{0901CCC3-22C0-4278-A651-D132998E8B25}");

class ReportCommandsTest : public testing::Test {
protected:
    TempHome home;
    ScopedFixedClock clock{QDateTime(QDate(2026, 3, 20), QTime(18, 0))};
    ScopedUserLocale locale{QStringLiteral("en_US")};
    QString folder = home.Path(QStringLiteral("store"));
    QString pdf = home.Path(QStringLiteral("report.pdf"));

    /// Two weeks from Monday 2026-03-02: on every weekday the hours 08:00 to 08:00 + 6 + the day's
    /// number in the week, booked through horaluxctl.
    void WriteTwoWeeks() {
        for (QDate date(2026, 3, 2); date <= QDate(2026, 3, 13); date = date.addDays(1)) {
            if (date.dayOfWeek() > 5)
                continue;
            const QString day = date.toString(Qt::ISODate);
            const QString end = QStringLiteral("%1:00").arg(8 + 6 + date.dayOfWeek(), 2, 10, QLatin1Char('0'));
            const CtlRun run = Ctl({"entries", "book", "--from", day + " 08:00", "--to", day + " " + end, "--activity",
                                    "Common", "--storage", folder});
            ASSERT_EQ(run.code, 0) << run.err.toStdString();
        }
    }

    /// The program's options: both reports show hours and minutes, the day report week totals.
    void WriteOptions() {
        TPropertyList options(40);
        const auto reporting = options.Items("reporting")->AsPropertyList();
        const auto day = reporting->Items("BaseDayReport")->AsPropertyList()->Items("custom")->AsPropertyList();
        day->Items("week total")->SetAsBoolean(true);
        day->Items("duration display format")->SetAsGUID(DefaultDurationFormatterHM()->Id());
        const auto activity =
            reporting->Items("BaseActivityReport")->AsPropertyList()->Items("custom")->AsPropertyList();
        activity->Items("durationformat")->SetAsGUID(DefaultDurationFormatterHM()->Id());
        TXMZFile file;
        file.AssignNewFile_(folder + "/options.hx", OptionsFileType);
        options.SaveToXML(file.GetContent());
        file.Save();
        file.Close_();
    }

    CtlRun Report(const QString& kind, const QString& from, const QString& to) {
        return Ctl({"report", kind, "--from", from, "--to", to, "--pdf", pdf, "--storage", folder});
    }

    static QString PdfText(const QString& file) {
        QProcess process;
        process.start("pdftotext", {"-layout", file, "-"});
        process.waitForFinished(60000);
        return QString::fromUtf8(process.readAllStandardOutput());
    }
};

TEST_F(ReportCommandsTest, DayReportShowsEveryDayInAlignedColumns) {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    WriteTwoWeeks();
    WriteOptions();
    const CtlRun run = Report("day", "2026-03-02", "2026-03-15");
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    const QString text = PdfText(pdf);
    const QStringList lines = text.split('\n');
    // One line per weekday with its work: 7:00 on Monday up to 11:00 on Friday.
    QList<int> workEnds;
    int days = 0;
    for (const QString& line : lines) {
        const QRegularExpressionMatch match = QRegularExpression(R"(^\s*(\d+/\d+/\d+)\s+(\d+:\d\d))").match(line);
        if (!match.hasMatch())
            continue;
        ++days;
        workEnds.append(match.capturedEnd(2));
    }
    EXPECT_EQ(days, 10) << text.toStdString();
    for (const char* work : {"07:00", "08:00", "09:00", "10:00", "11:00"})
        EXPECT_EQ(text.count(QRegularExpression(QStringLiteral(R"(\d+/\d+/\d+\s+%1\s)").arg(work))), 2) << work;
    // The right-aligned Work column ends at the same place on every line.
    ASSERT_FALSE(workEnds.isEmpty());
    for (int end : workEnds)
        EXPECT_EQ(end, workEnds.first()) << text.toStdString();
    // The stored setting: week totals, 45:00 of work in each week.
    EXPECT_EQ(text.count(QRegularExpression(R"(Week total\s+45:00)")), 2) << text.toStdString();
    EXPECT_TRUE(lines.first().contains("Date")) << text.toStdString();
}

TEST_F(ReportCommandsTest, ActivityReportAndRefusals) {
    WriteTwoWeeks();
    WriteOptions();
    CtlRun run = Report("activity", "2026-03-02", "2026-03-08");
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    if (!QStandardPaths::findExecutable("pdftotext").isEmpty()) {
        const QString text = PdfText(pdf);
        EXPECT_TRUE(text.contains(QRegularExpression(R"(Total\s+45:00)"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QRegularExpression(R"(Common\s+45:00)"))) << text.toStdString();
    }

    run = Report("week", "2026-03-02", "2026-03-08");
    EXPECT_EQ(run.code, CtlExitUsage);
    run = Report("day", "2026-03-09", "2026-03-08");
    EXPECT_EQ(run.code, CtlExitUsage);
    EXPECT_TRUE(run.err.contains("--from")) << run.err.toStdString();
    run = Ctl({"report", "day", "--from", "2026-03-02", "--to", "2026-03-08", "--pdf", home.Path("missing/report.pdf"),
               "--storage", folder});
    EXPECT_EQ(run.code, CtlExitFailure);
}

} // namespace

// The horaluxctl program hands its reports to horaluxctl-report, which lies next to it: the
// other commands start without the GUI library.
TEST_F(ReportCommandsTest, TheProgramHandsTheReportToItsReportProgram) {
    QString buildDir = qEnvironmentVariable("HORALUX_BINARY_DIR");
    if (buildDir.isEmpty()) // run by hand: this program is <build>/tests/tools/tools_report_tests
        buildDir = QCoreApplication::applicationDirPath() + QStringLiteral("/../..");
    const QString program = buildDir + QStringLiteral("/tools/horaluxctl/horaluxctl");
    ASSERT_TRUE(QFileInfo(program).isExecutable()) << program.toStdString();
    WriteTwoWeeks();
    QProcess process;
    process.start(program,
                  {"report", "day", "--from", "2026-03-02", "--to", "2026-03-13", "--pdf", pdf, "--storage", folder});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    QFile written(pdf);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.read(5) == "%PDF-");

    process.start(program, {"report", "day", "--from", "2026-03-13", "--to", "2026-03-02", "--pdf", pdf});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 2) << "the report program's own exit code";
}
