// Kills a process that books and saves entries at random moments (SIGKILL) and checks after each
// kill that every booking whose save had completed is there and that every file reads.

#include "StorageTestSupport.h"

#include "foundation/DateTime.h"
#include "foundation/XMZFile.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <set>

namespace {

double BookingStart(long i) {
    return EncodeDate(2006, 3, 1) + double(i / 2) + (8.0 + 4.0 * double(i % 2)) / 24.0;
}

class StorageCrashTest : public TStorageFixture {};

TEST_F(StorageCrashTest, EverySavedBookingSurvivesAKill) {
    m_host.reset(); // the driver owns the folder while it runs
    QRandomGenerator random(20060314);
    std::set<long> saved;
    long next = 0;
    int killedWhileRunning = 0;
    for (int round = 0; round < 20; ++round) {
        QProcess driver;
        driver.setProgram(QStringLiteral(HORALUX_STORAGE_CRASH_DRIVER));
        driver.setArguments({Folder(), QString::number(next)});
        driver.start();
        ASSERT_TRUE(driver.waitForStarted());
        // Most rounds let the driver complete one booking first, so that however slow the machine
        // is (a sanitizer build, say) kills also hit later bookings and their saves; every fourth
        // round is killed at any moment, also while the driver starts and reads.
        if (round % 4 != 3) {
            for (int wait = 0; wait < 10 && !driver.canReadLine() && driver.state() == QProcess::Running; ++wait)
                driver.waitForReadyRead(30000);
        }
        QThread::msleep(random.bounded(300));
        if (driver.state() == QProcess::Running)
            ++killedWhileRunning;
        driver.kill();
        driver.waitForFinished();
        // The driver never ends by itself; if it did, a booking failed.
        ASSERT_EQ(driver.exitStatus(), QProcess::CrashExit) << driver.readAllStandardError().toStdString();
        for (const QByteArray& line : driver.readAllStandardOutput().split('\n'))
            if (!line.isEmpty()) {
                saved.insert(line.toLong());
                next = std::max(next, line.toLong() + 1);
            }

        // A new start: everything that was saved is there, and nothing asks.
        SetToday(2006, 3, 1);
        if (next > 0)
            m_clock->Set(QDateTimeFromDateTime(BookingStart(next - 1)));
        Reopen();
        for (long i : saved) {
            const double start = BookingStart(i);
            const DayEntryListPtr list = Typed()->GetDayEntries(start);
            bool found = false;
            for (int k = 0; k < list->Count() && !found; ++k)
                found = TimesEqual(list->Items(k)->StartTime(), start - DateOf(start));
            ASSERT_TRUE(found) << "booking " << i << " lost after round " << round;
        }
        EXPECT_TRUE(m_questions->asked.empty()) << m_questions->asked.front().message.toStdString();
        m_host.reset();
        for (const QString& name : QDir(Folder()).entryList({QStringLiteral("*.hx")}, QDir::Files)) {
            TXMZFile file;
            EXPECT_NO_THROW(file.AssignFile_(FilePath(name), true, TGUID())) << name.toStdString();
        }
    }
    RecordProperty("saved", int(saved.size()));
    EXPECT_GE(saved.size(), 15u) << "the driver hardly ran";
    EXPECT_GT(killedWhileRunning, 10);
}

} // namespace
