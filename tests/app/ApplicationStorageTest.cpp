// The controller's storage: the root on first use, its questions, the tracking re-check after a
// save, and the work data saved with everything else.

#include "app/Application.h"

#include "ControllerTestSupport.h"
#include "app/MainWindow.h"
#include "app/ProgramEnd.h"
#include "foundation/DateTime.h"
#include "foundation/XMZFileSystem.h"
#include "foundation/platform/InstanceLock.h"
#include "model/Entry.h"
#include "storage/StorageInterfaces.h"
#include "storage/StorageNotifications.h"
#include "support/TestEnvironment.h"
#include "ui/MessageBox.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
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

/// The real file system, except that creating a file whose name contains the pattern fails.
class TFailingCreationFileSystem : public TPosixXMZFileSystem {
public:
    explicit TFailingCreationFileSystem(QByteArray pattern) : m_pattern(std::move(pattern)) {}
    int Open(const QByteArray& path, int flags, mode_t mode) override {
        if ((flags & O_CREAT) && path.contains(m_pattern)) {
            errno = ENOSPC;
            return -1;
        }
        return TPosixXMZFileSystem::Open(path, flags, mode);
    }

private:
    QByteArray m_pattern;
};

// One file that cannot be written and the user's Ignore: the booking in the other files is kept,
// and the program's end warns that not all the work data was saved.
TEST_F(ApplicationStorageTest, IgnoredFailureKeepsTheOtherBookingsAndTheEndWarns) {
    m_clock->Set(QDateTime(QDate(2006, 3, 22), QTime(12, 0)));
    const double today = EncodeDate(2006, 3, 22);
    const double lastYear = EncodeDate(2005, 6, 1);
    Start();
    m_app->GetTypedStorage()->GetDayEntries(lastYear)->AddNew()->SetTime(9.0 / 24, 10.0 / 24);
    m_app->SaveAll();
    ASSERT_TRUE(QFileInfo::exists(Folder() + QStringLiteral("data2005.hx")));
    Stop();

    Start();
    m_app->GetTypedStorage()->GetDayEntries(today)->AddNew()->SetTime(9.0 / 24, 10.0 / 24);
    m_app->GetTypedStorage()->GetDayEntries(lastYear)->AddNew()->SetTime(11.0 / 24, 12.0 / 24);
    TMessageBoxSeam::ClearHistory();
    {
        SetXMZFileSystem(std::make_shared<TFailingCreationFileSystem>("data2005"));
        // The storage's question (first save and its repetition), then the work-data error box.
        for (int i = 0; i < 2; ++i)
            TMessageBoxSeam::SetNextAnswer(StorageAnswer::Ignore);
        TMessageBoxSeam::SetNextAnswer(MessageBoxResult::Ignore);
        m_app->SaveAllAtShutdown();
        SetXMZFileSystem(nullptr);
    }
    bool warned = false;
    for (const TMessageBoxRecord& box : TMessageBoxSeam::History())
        warned = warned || box.text.contains(QStringLiteral("work data"));
    EXPECT_TRUE(warned) << "the end says that not everything was saved";
    Stop();

    Start();
    EXPECT_EQ(m_app->GetTypedStorage()->GetDayEntries(today)->Count(), 1) << "today's booking survived";
    EXPECT_EQ(m_app->GetTypedStorage()->GetDayEntries(lastYear)->Count(), 1);
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
