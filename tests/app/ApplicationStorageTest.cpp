// The controller's storage: the root on first use, its questions, the tracking re-check after a
// save, and the work data saved with everything else.

#include "app/Application.h"

#include "TestEnvironment.h"
#include "app/MainWindow.h"
#include "app/MessageBox.h"
#include "app/ProgramEnd.h"
#include "foundation/DateTime.h"
#include "foundation/platform/InstanceLock.h"
#include "model/Entry.h"
#include "storage/StorageInterfaces.h"
#include "storage/StorageNotifications.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

class FakeTracking : public IHXTrackingManagerLink {
public:
    void UpdateTracking() override {}
    void ResetTrackingData() override { ++resets; }
    void TrackNow() override {}
    void ReloadSettings() override {}
    void FinishTracking() override {}
    bool HideTrackingWindow() override { return true; }
    bool HasIntervalTracker() override { return false; }
    int TrackingIntervalMinutes() override { return 60; }
    void TrackingImpossibleNoticeGiven() override {}
    void Cleanup() override {}
    int resets = 0;
};

class ApplicationStorageTest : public testing::Test {
protected:
    void SetUp() override {
        TMessageBoxSeam::ClearAnswers();
        TMessageBoxSeam::ClearHistory();
        SetTerminateApplicationHandler([] {});
        ApplicationStart() = TApplicationStart{};
    }
    void TearDown() override {
        Stop();
        SetTerminateApplicationHandler({});
        ProgramInstanceLock().Release();
        TMessageBoxSeam::ClearAnswers();
        TMessageBoxSeam::ClearHistory();
    }
    void Start() {
        PrepareApplicationModule();
        THXApplication::Options options;
        options.showSplash = false;
        options.programPath = QStringLiteral("/usr/bin/horalux");
        options.createTrackingManager = [this](THXApplication&) {
            m_tracking = std::make_shared<FakeTracking>();
            return m_tracking;
        };
        m_app = std::make_shared<THXApplication>(options);
        m_app->Initialize();
    }
    void Stop() {
        if (m_app)
            m_app->Cleanup();
        m_app.reset();
        ApplicationStart() = TApplicationStart{};
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    QString Folder() const { return m_home.DataHome() + QStringLiteral("/Horalux/"); }

    TempHome m_home;
    ScopedFixedClock m_clock{QDateTime(QDate(2006, 3, 14), QTime(12, 0))};
    std::shared_ptr<THXApplication> m_app;
    std::shared_ptr<FakeTracking> m_tracking;
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
