#include "app/LaunchWindow.h"
#include "app/AppEvents.h"
#include "foundation/ipc/InstanceChannel.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <future>
#include <gtest/gtest.h>

namespace {

/// Records the types of the events it receives.
class EventRecorder : public QObject {
public:
    QList<int> types;
    bool event(QEvent* e) override {
        if (e->type() >= QEvent::User)
            types << e->type();
        return QObject::event(e);
    }
};

class LaunchWindowTest : public ::testing::Test {
protected:
    TfrmLaunch::Options Options() {
        TfrmLaunch::Options options;
        options.createApplication = [this](TfrmLaunch&) {
            ++m_created;
            auto controller = std::make_shared<int>(7);
            m_controller = controller;
            return std::shared_ptr<void>(controller);
        };
        options.terminate = [this] { ++m_terminated; };
        return options;
    }
    static void ProcessPosted() { QCoreApplication::sendPostedEvents(); }

    TempHome m_home;
    int m_created = 0;
    int m_terminated = 0;
    std::weak_ptr<int> m_controller;
};

} // namespace

TEST_F(LaunchWindowTest, CreatesTheControllerFromTheLoopAndIsNeverShown) {
    TfrmLaunch launch(Options());
    EXPECT_EQ(launch.objectName(), QStringLiteral("frmLaunch"));
    EXPECT_EQ(launch.windowTitle(), QStringLiteral("Varnelo Horalux Invisible Control Window"));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("Varnelo Horalux"));
    EXPECT_TRUE(launch.IsListening());
    EXPECT_EQ(m_created, 0); // posted, not created in the constructor
    ProcessPosted();
    EXPECT_EQ(m_created, 1);
    EXPECT_TRUE(launch.HoldsController());
    EXPECT_FALSE(launch.isVisible());
    ProcessPosted();
    EXPECT_EQ(m_created, 1);
}

TEST_F(LaunchWindowTest, QuitIsIgnoredUntilTheMainWindowIsReady) {
    TfrmLaunch launch(Options());
    ProcessPosted();
    EXPECT_EQ(launch.HandleInstanceMessage(WM_HXPING), HX_PING_REPLY);
    EXPECT_EQ(launch.HandleInstanceMessage(WM_HXQUIT), 0);
    EXPECT_EQ(launch.HandleInstanceMessage(WM_HXCREATEAPPLICATION), 0);

    EventRecorder mainWindow;
    QCoreApplication::postEvent(&launch, new TMainWindowReadyEvent(&mainWindow));
    ProcessPosted();
    EXPECT_FALSE(launch.HoldsController());
    EXPECT_TRUE(m_controller.expired()); // the launch window held the only reference
    EXPECT_EQ(launch.MainWindow(), &mainWindow);
    EXPECT_EQ(launch.HandleInstanceMessage(WM_HXQUIT), QCoreApplication::applicationPid());
    ProcessPosted();
    EXPECT_EQ(mainWindow.types, QList<int>{WM_HXQUIT});
}

TEST_F(LaunchWindowTest, AnswersOtherProcessesThroughTheChannel) {
    TfrmLaunch launch(Options());
    const QString name = InstanceServerName();
    auto answer = std::async(std::launch::async, [name] { return SendInstanceMessage(name, WM_HXPING); });
    const QDeadlineTimer deadline(60000);
    while (answer.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(answer.get(), HX_PING_REPLY);
}

TEST_F(LaunchWindowTest, FailingControllerEndsTheLoopQuietly) {
    TfrmLaunch::Options options = Options();
    options.createApplication = [](TfrmLaunch&) -> std::shared_ptr<void> {
        throw std::runtime_error("options cannot be loaded");
    };
    TfrmLaunch launch(options);
    ProcessPosted();
    EXPECT_EQ(m_terminated, 1);
    EXPECT_FALSE(launch.HoldsController());
}

TEST_F(LaunchWindowTest, StartedByAutomationWaitsForTheClient) {
    TfrmLaunch::Options options = Options();
    options.startedByAutomation = true;
    TfrmLaunch launch(options);
    ProcessPosted();
    EXPECT_EQ(m_created, 0);
}
