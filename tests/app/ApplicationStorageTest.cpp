// The controller's storage: the root on first use, its questions, the tracking re-check after a
// save, and the work data saved with everything else.

#include "app/Application.h"

#include "ControllerTestSupport.h"
#include "app/MainWindow.h"
#include "app/ProgramEnd.h"
#include "foundation/DateTime.h"
#include "foundation/platform/InstanceLock.h"
#include "model/Entry.h"
#include "storage/StorageInterfaces.h"
#include "storage/StorageNotifications.h"
#include "support/TestEnvironment.h"
#include "ui/MessageBox.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

class ApplicationStorageTest : public ControllerTest {
protected:
    void Start() { StartController(TestOptions()); }
    void Stop() { StopController(); }

    ScopedFixedClock m_clock{QDateTime(QDate(2006, 3, 14), QTime(12, 0))};
};

TEST_F(ApplicationStorageTest, BookedDayIsSavedWithEverythingElseAndReadBackAtTheNextStart) {
    Start();
    const double today = EncodeDate(2006, 3, 14);
    const EntryPtr entry = m_app->GetTypedStorage()->GetDayEntries(today)->AddNew();
    entry->SetTime(9.0 / 24, 10.0 / 24);
    m_app->SaveAll();
    for (const char* name : {"cdroot.hx", "cdem.hx", "current.hx"})
        EXPECT_TRUE(QFileInfo::exists(Folder() + QLatin1String(name))) << name;
    EXPECT_FALSE(m_app->GetStorage()->Changed());
    // The saved data is checked again by the tracking manager.
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(m_tracking->resets, 1);
    EXPECT_TRUE(TMessageBoxSeam::History().empty());

    Stop();
    Start();
    EXPECT_EQ(m_app->GetTypedStorage()->GetDayEntries(today)->Count(), 1);
    EXPECT_EQ(m_app->GetStorage().get(), m_app->GetStorage().get()) << "one root for the whole run";
}

// A year file that cannot be read is asked about with the program's message box.
TEST_F(ApplicationStorageTest, UnreadableYearFileIsAskedAbout) {
    Start();
    m_clock->Set(QDateTime(QDate(2010, 5, 5), QTime(12, 0)));
    m_app->GetTypedStorage()->GetDayEntries(EncodeDate(2006, 6, 1))->AddNew()->SetTime(0.4, 0.5);
    m_app->SaveAll();
    Stop();
    QFile year(Folder() + QStringLiteral("data2006.hx"));
    ASSERT_TRUE(year.open(QIODevice::WriteOnly | QIODevice::Truncate));
    year.write("not a data file");
    year.close();

    Start();
    TMessageBoxSeam::SetNextAnswer(StorageAnswer::Ignore);
    EXPECT_EQ(m_app->GetTypedStorage()->GetDayEntries(EncodeDate(2006, 6, 1))->Count(), 0);
    EXPECT_EQ(TMessageBoxSeam::History().size(), 1u);
}

} // namespace
