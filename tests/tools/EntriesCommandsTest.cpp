#include "CtlTestSupport.h"

#include "foundation/Registry.h"
#include "foundation/platform/InstanceLock.h"
#include "storage/StoragePath.h"
#include "support/TestEnvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

class EntriesCommandsTest : public testing::Test {
protected:
    TempHome home;
    ScopedFixedClock clock{QDateTime(QDate(2006, 3, 14), QTime(18, 0))};
    QString folder = home.Path(QStringLiteral("store"));

    CtlRun Book(const QString& from, const QString& to, const QString& activity, QStringList more = {}) {
        QStringList args{QStringLiteral("entries"),    QStringLiteral("book"),
                         QStringLiteral("--from"),     from,
                         QStringLiteral("--to"),       to,
                         QStringLiteral("--activity"), activity,
                         QStringLiteral("--storage"),  folder};
        return Ctl(args + more);
    }
    CtlRun List(const QString& from, const QString& to) {
        return Ctl({QStringLiteral("entries"), QStringLiteral("list"), QStringLiteral("--from"), from,
                    QStringLiteral("--to"), to, QStringLiteral("--storage"), folder});
    }
};

TEST_F(EntriesCommandsTest, BookedPeriodsAreListed) {
    const CtlRun booked =
        Book(QStringLiteral("2006-03-14 09:00"), QStringLiteral("2006-03-14 10:30"), QStringLiteral("Common/Meeting"),
             {QStringLiteral("--interruption"), QStringLiteral("Breaks/Lunch=0:15")});
    ASSERT_EQ(booked.code, 0) << booked.err.toStdString();
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("/activities.hx"))) << "written as at the first start";
    ASSERT_EQ(Book(QStringLiteral("2006-03-13T16:00"), QStringLiteral("2006-03-13T17:00"),
                   QStringLiteral("projects/add your projects here"))
                  .code,
              0);

    const CtlRun listed = List(QStringLiteral("2006-03-13"), QStringLiteral("2006-03-14"));
    ASSERT_EQ(listed.code, 0) << listed.err.toStdString();
    EXPECT_EQ(listed.out, QStringLiteral("2006-03-13\t16:00\t17:00\tProjects/Add your projects here\t1:00\n"
                                         "2006-03-14\t09:00\t10:30\tCommon/Meeting\t1:15\n"
                                         "2006-03-14\t09:00\t10:30\tBreaks/Lunch\t0:15\n"));
    EXPECT_EQ(List(QStringLiteral("2006-03-15"), QStringLiteral("2006-03-20")).out, QString());
}

TEST_F(EntriesCommandsTest, WrongCommandLinesAreRefused) {
    struct TCase {
        QStringList args;
        int code;
    };
    const TCase cases[] = {
        {{QStringLiteral("entries")}, 2},
        {{QStringLiteral("entries"), QStringLiteral("list"), QStringLiteral("--from"), QStringLiteral("2006-13-01"),
          QStringLiteral("--to"), QStringLiteral("2006-03-01")},
         2},
        {{QStringLiteral("entries"), QStringLiteral("book"), QStringLiteral("--from"),
          QStringLiteral("2006-03-01 10:00"), QStringLiteral("--to"), QStringLiteral("2006-03-01 09:00"),
          QStringLiteral("--activity"), QStringLiteral("Common"), QStringLiteral("--storage"),
          QStringLiteral("/nonexistent/x")},
         2},
        {{QStringLiteral("entries"), QStringLiteral("book"), QStringLiteral("--from"),
          QStringLiteral("2006-03-01 09:00"), QStringLiteral("--to"), QStringLiteral("2006-03-01 10:00"),
          QStringLiteral("--activity"), QStringLiteral("No/Such/Activity")},
         2},
    };
    for (const TCase& c : cases) {
        QStringList args = c.args;
        if (!args.contains(QStringLiteral("--storage")) && args.size() > 1)
            args << QStringLiteral("--storage") << folder;
        const CtlRun run = Ctl(args);
        EXPECT_EQ(run.code, c.code) << args.join(' ').toStdString() << run.err.toStdString();
        EXPECT_FALSE(run.err.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/cdroot.hx"))) << "nothing was written";
}

TEST_F(EntriesCommandsTest, BookingIsRefusedWhileTheProgramRuns) {
    TInstanceLock program;
    ASSERT_TRUE(program.TryAcquire());
    const CtlRun run =
        Book(QStringLiteral("2006-03-14 09:00"), QStringLiteral("2006-03-14 10:00"), QStringLiteral("Common"));
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("running")));
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/cdroot.hx")));
    program.Release();
    EXPECT_EQ(
        Book(QStringLiteral("2006-03-14 09:00"), QStringLiteral("2006-03-14 10:00"), QStringLiteral("Common")).code, 0);
}

TEST_F(EntriesCommandsTest, DamagedYearFileFailsClearlyAndStaysAsItIs) {
    clock->Set(QDateTime(QDate(2010, 5, 5), QTime(12, 0)));
    ASSERT_EQ(
        Book(QStringLiteral("2006-06-01 09:00"), QStringLiteral("2006-06-01 10:00"), QStringLiteral("Common")).code, 0);
    const QString year = folder + QStringLiteral("/data2006.hx");
    ASSERT_TRUE(QFile::exists(year));
    {
        QFile file(year);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("not a data file");
    }
    const CtlRun listed = List(QStringLiteral("2006-01-01"), QStringLiteral("2006-12-31"));
    EXPECT_EQ(listed.code, 1);
    EXPECT_TRUE(listed.err.contains(QStringLiteral("EXMZ"))) << listed.err.toStdString();
    const CtlRun booked =
        Book(QStringLiteral("2006-06-01 11:00"), QStringLiteral("2006-06-01 12:00"), QStringLiteral("Common"));
    EXPECT_EQ(booked.code, 1);
    QFile file(year);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("not a data file"));

    QFile::remove(year);
    const CtlRun missing = List(QStringLiteral("2006-01-01"), QStringLiteral("2006-12-31"));
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("File not found"))) << missing.err.toStdString();
    EXPECT_FALSE(QFile::exists(year)) << "a missing file is never created by the tool";
}

TEST_F(EntriesCommandsTest, StorageFolderComesFromTheRegistryStore) {
    QDir().mkpath(folder);
    RegWriteString(QStringLiteral("HKEY_CURRENT_USER\\Software\\Varnelo\\Horalux"), QStringLiteral("StoragePath"),
                   folder + QStringLiteral("/"));
    const CtlRun run =
        Ctl({QStringLiteral("entries"), QStringLiteral("book"), QStringLiteral("--from"),
             QStringLiteral("2006-03-14 09:00"), QStringLiteral("--to"), QStringLiteral("2006-03-14 10:00"),
             QStringLiteral("--activity"), QStringLiteral("Common")});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("/cdroot.hx")));
}

// The program's own rule decides the folder: a relative recorded path names no fixed folder, so
// both use the default folder, which the program would use too.
TEST_F(EntriesCommandsTest, StorageFolderIsTheProgramsForARelativeRecordedPath) {
    const QString previous = QDir::currentPath();
    QDir::setCurrent(home.Root());
    QDir().mkpath(home.Path(QStringLiteral("relative")));
    RegWriteString(QStringLiteral("HKEY_CURRENT_USER\\Software\\Varnelo\\Horalux"), QStringLiteral("StoragePath"),
                   QStringLiteral("relative"));
    const CtlRun run =
        Ctl({QStringLiteral("entries"), QStringLiteral("book"), QStringLiteral("--from"),
             QStringLiteral("2006-03-14 09:00"), QStringLiteral("--to"), QStringLiteral("2006-03-14 10:00"),
             QStringLiteral("--activity"), QStringLiteral("Common")});
    QDir::setCurrent(previous);
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    const QString programs = DetermineStoragePath(RegistryStoragePathStore());
    EXPECT_EQ(programs, home.DataHome() + QStringLiteral("/Horalux/"));
    EXPECT_TRUE(QFile::exists(programs + QStringLiteral("cdroot.hx")));
    EXPECT_FALSE(QFile::exists(home.Path(QStringLiteral("relative/cdroot.hx"))));
}

// The lock inside the storage folder keeps a second writer out even where the instance check
// cannot run (no usable runtime folder).
TEST_F(EntriesCommandsTest, BookingIsRefusedWhileAnotherWriterHoldsTheFolder) {
    QDir().mkpath(folder);
    qunsetenv("XDG_RUNTIME_DIR");
    const std::unique_ptr<TInstanceLock> writer = AcquireStorageFolderLock(folder);
    ASSERT_TRUE(writer);
    const CtlRun run =
        Book(QStringLiteral("2006-03-14 09:00"), QStringLiteral("2006-03-14 10:00"), QStringLiteral("Common"));
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("in use"))) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/cdroot.hx")));
}

// One booking is one save and the process ends: a new process reads the folder back without any
// question (each new file names itself in its own description).
TEST_F(EntriesCommandsTest, OneBookingReadsBackInANewProcess) {
    QString buildDir = qEnvironmentVariable("HORALUX_BINARY_DIR");
    if (buildDir.isEmpty()) // run by hand: this program is <build>/tests/tools/tools_tests
        buildDir = QCoreApplication::applicationDirPath() + QStringLiteral("/../..");
    const QString program = buildDir + QStringLiteral("/tools/horaluxctl/horaluxctl");
    ASSERT_TRUE(QFileInfo(program).isExecutable()) << program.toStdString();
    QProcess process;
    process.start(program,
                  {QStringLiteral("entries"), QStringLiteral("book"), QStringLiteral("--from"),
                   QStringLiteral("2006-03-14 09:00"), QStringLiteral("--to"), QStringLiteral("2006-03-14 10:00"),
                   QStringLiteral("--activity"), QStringLiteral("Common"), QStringLiteral("--storage"), folder});
    ASSERT_TRUE(process.waitForFinished(60000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    process.start(program, {QStringLiteral("entries"), QStringLiteral("list"), QStringLiteral("--from"),
                            QStringLiteral("2006-03-14"), QStringLiteral("--to"), QStringLiteral("2006-03-14"),
                            QStringLiteral("--storage"), folder});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardOutput()),
              QStringLiteral("2006-03-14\t09:00\t10:00\tCommon\t1:00\n"));
}

} // namespace
