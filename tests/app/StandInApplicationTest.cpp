#include "app/StandInApplication.h"
#include "TestEnvironment.h"
#include "app/LaunchWindow.h"
#include "app/ProgramEnd.h"
#include "foundation/platform/InstanceLock.h"
#include "foundation/platform/InstanceProtocol.h"

#include <QCoreApplication>
#include <QPointer>
#include <gtest/gtest.h>

namespace {

class StandInApplicationTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetTerminateApplicationHandler([this] { ++m_terminated; });
        ProgramEndReason() = TProgramEnd::Normal;
    }
    void TearDown() override {
        SetTerminateApplicationHandler({});
        ProgramEndReason() = TProgramEnd::Normal;
        ProgramInstanceLock().Release();
    }
    static void ProcessPosted() {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    TempHome m_home;
    int m_terminated = 0;
};

} // namespace

TEST_F(StandInApplicationTest, QuitRequestEndsTheProgramThroughTheMainWindow) {
    ASSERT_TRUE(ProgramInstanceLock().TryAcquire());
    std::weak_ptr<TStandInApplication> controller;
    TfrmLaunch::Options options;
    options.createApplication = [&](TfrmLaunch& launch) {
        auto application = std::make_shared<TStandInApplication>();
        application->Initialize(&launch);
        controller = application;
        return std::shared_ptr<void>(application);
    };
    TfrmLaunch launch(options);
    ProcessPosted(); // creates the controller, which reports its main window
    ProcessPosted();
    QPointer<QObject> mainWindow = launch.MainWindow();
    ASSERT_NE(mainWindow, nullptr);
    EXPECT_FALSE(controller.expired()); // the main window keeps the controller

    EXPECT_EQ(launch.HandleInstanceMessage(WM_HXQUIT), QCoreApplication::applicationPid());
    ProcessPosted();
    EXPECT_EQ(ProgramEndReason(), TProgramEnd::QuitByOtherInstance);
    EXPECT_EQ(m_terminated, 1);
    EXPECT_TRUE(controller.expired());
    EXPECT_FALSE(ProgramInstanceLock().IsHeld());
    EXPECT_EQ(mainWindow, nullptr); // deleted once control was back in the loop
}

TEST_F(StandInApplicationTest, NormalCloseEndsNormallyOnce) {
    auto application = std::make_shared<TStandInApplication>();
    application->Initialize(nullptr);
    std::weak_ptr<TStandInApplication> weak = application;
    TStandInMainWindow* mainWindow = application->MainWindow();
    application.reset();
    ASSERT_FALSE(weak.expired());
    mainWindow->CloseNormally();
    mainWindow->CloseNormally(); // a second request while closing does nothing
    EXPECT_EQ(ProgramEndReason(), TProgramEnd::Normal);
    EXPECT_EQ(m_terminated, 1);
    EXPECT_TRUE(weak.expired());
    ProcessPosted();
}
