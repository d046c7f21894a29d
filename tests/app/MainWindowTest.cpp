// The tray window: icon, hint, balloons, clicks, hot keys, menu order. Offscreen there is no tray
// and no X server, so balloons and hot-key grabs fail quietly; the X tests cover the real ones.
#include "app/MainWindow.h"
#include "ControllerTestSupport.h"
#include "app/Application.h"
#include "app/ProgramEnd.h"
#include "foundation/platform/InstanceLock.h"
#include "model/HotKeyProperty.h"
#include "model/PropertyInterfaces.h"
#include "support/TestEnvironment.h"
#include "tracking/TrackingManagerLinkInterface.h"
#include "ui/MessageBox.h"
#include "ui/platform/HotKeyKeys.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEventLoop>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class MainWindowTest : public ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        StartController(TestOptions());
        m_window = m_app->MainWindow();
        ASSERT_NE(m_window, nullptr);
    }
    static QStringList VisibleCaptions(QMenu* menu) {
        QStringList captions;
        for (const QAction* item : menu->actions())
            if (item->isVisible())
                captions << (item->isSeparator() ? QStringLiteral("-") : item->text());
        return captions;
    }

    QPointer<TfrmMain> m_window;
};

} // namespace

TEST_F(MainWindowTest, StartedWindowShowsTheIconAndRunsTheFiveSecondTimer) {
    EXPECT_TRUE(m_window->IsStarted());
    EXPECT_TRUE(m_window->TrayIcon()->isVisible());
    EXPECT_FALSE(m_window->isVisible());
    m_window->SetHint(QStringLiteral("Next tracking is at 10:45."));
    EXPECT_EQ(m_window->Hint(), QStringLiteral("Next tracking is at 10:45."));
    EXPECT_EQ(m_window->TrayIcon()->toolTip(), QStringLiteral("Next tracking is at 10:45."));
    // Without a tray host the notice goes to a window instead of a balloon.
    EXPECT_NE(m_window->ShowBalloonHint(QStringLiteral("Varnelo Horalux"), QStringLiteral("x"), TBalloonIcon::Warning),
              0);
}

TEST_F(MainWindowTest, IconFillFollowsThePercentageInQuarters) {
    const struct {
        int percent;
        int quarters;
    } cases[] = {{24, 0}, {25, 1}, {99, 3}, {100, 4}, {0, 0}, {50, 2}};
    for (const auto& c : cases) {
        m_window->SetIconPercent(c.percent);
        EXPECT_EQ(m_window->IconQuarters(), c.quarters) << c.percent;
        const QImage shown = m_window->TrayIcon()->icon().pixmap(16).toImage();
        EXPECT_EQ(shown, QIcon(QPixmap::fromImage(DrawClockFace(c.quarters, 16))).pixmap(16).toImage()) << c.percent;
    }
    m_window->SetIconQuarter();
    EXPECT_EQ(m_window->IconQuarters(), 1);
}

TEST_F(MainWindowTest, RightClickOpensTheMenuInItsOrderWhileTheMenuFlagIsSet) {
    bool flagWhileOpen = false;
    bool canShowWhileOpen = true;
    QStringList captions;
    m_window->SetMenuRunner([&](QMenu* menu) {
        flagWhileOpen = m_window->IsTrayMenuActive();
        canShowWhileOpen = m_app->CanShowWindow();
        captions = VisibleCaptions(menu);
    });
    m_window->TrayIconClicked(Qt::RightButton);
    ProcessPosted();
    EXPECT_TRUE(flagWhileOpen);
    EXPECT_FALSE(canShowWhileOpen);
    EXPECT_FALSE(m_window->IsTrayMenuActive());
    ASSERT_FALSE(captions.isEmpty());
    EXPECT_EQ(captions.first(), QStringLiteral("Show Tracking"));
    EXPECT_EQ(captions.last(), QStringLiteral("Exit"));
    EXPECT_FALSE(m_tracking->calls.contains(QStringLiteral("TrackNow")));
}

TEST_F(MainWindowTest, LeftClickTracksNowUnlessAWindowIsOpenWhichComesForwardInstead) {
    m_window->TrayIconClicked(Qt::LeftButton);
    EXPECT_EQ(m_tracking->calls.count(QStringLiteral("TrackNow")), 1);
    m_window->TrayIconClicked(Qt::MiddleButton);
    EXPECT_EQ(m_tracking->calls.count(QStringLiteral("TrackNow")), 1);

    QWidget worksheet;
    m_app->AddCurrentWindow(&worksheet);
    int menus = 0;
    m_window->SetMenuRunner([&](QMenu*) { ++menus; });
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        worksheet.hide();
        m_window->TrayIconClicked(button);
        ProcessPosted();
        EXPECT_TRUE(worksheet.isVisible());
    }
    EXPECT_EQ(m_tracking->calls.count(QStringLiteral("TrackNow")), 1);
    EXPECT_EQ(menus, 0);
    m_app->RemoveCurrentWindow(&worksheet);
}

TEST_F(MainWindowTest, HotkeysComeFromTheOptionsAndTheTrackingKeyNeedsATracker) {
    HotKeyToProperty(m_app->GetOptions(QStringLiteral("tracking manager"))->Items(QStringLiteral("hotkey")), 0x0354);
    HotKeyToProperty(m_app->GetOptions(QStringLiteral("general"))->Items(QStringLiteral("hotkey")), 0x0471);
    m_window->ReloadHotkeys();
    EXPECT_EQ(m_window->TrackingHotkey(), 0x0354);
    EXPECT_EQ(m_window->MenuHotkey(), 0x0471);
    // Offscreen there is no X server: registration fails quietly.
    EXPECT_FALSE(m_window->HotkeysRegistered());

    m_tracking->intervalTracker = false; // "No tracking"
    m_window->ReloadHotkeys();
    EXPECT_EQ(m_window->TrackingHotkey(), 0);
    EXPECT_EQ(m_window->MenuHotkey(), 0x0471);
}

TEST_F(MainWindowTest, HotkeyOneTracksNowAndHotkeyTwoOpensTheMenu) {
    int menus = 0;
    m_window->SetMenuRunner([&](QMenu*) { ++menus; });
    m_window->HotkeyPressed(1);
    m_window->HotkeyPressed(2);
    ProcessPosted();
    EXPECT_EQ(m_tracking->calls.count(QStringLiteral("TrackNow")), 1);
    EXPECT_EQ(menus, 1);
}

TEST_F(MainWindowTest, NormalCloseHidesTheIconAsksTheLastQuestionAndEndsTheProgram) {
    QSystemTrayIcon* icon = m_window->TrayIcon();
    EXPECT_TRUE(icon->isVisible());
    std::shared_ptr<FakeTrackingManager> tracking = m_tracking;
    m_app.reset(); // the main window keeps the controller
    m_window->CloseNormally();
    EXPECT_TRUE(tracking->calls.contains(QStringLiteral("FinishTracking")));
    EXPECT_EQ(m_terminated, 1);
    EXPECT_EQ(ProgramEndReason(), TProgramEnd::Normal);
    ProcessPosted();
    ApplicationStart() = TApplicationStart{};
}

// A close request that arrives while a modal window runs its own loop (the program's loop below
// it): the window is closed through its Cancel path, its loop returns, and only then, back in the
// program's loop, does the close sequence free the controller and the main window.
namespace {

struct CloseCase {
    const char* name;
    void (TfrmMain::*request)();
    TProgramEnd reason;
};

class MainWindowCloseTest : public MainWindowTest, public testing::WithParamInterface<CloseCase> {};

} // namespace

TEST_P(MainWindowCloseTest, ARequestInsideAModalWindowWaitsUntilItsLoopHasReturned) {
    m_app.reset(); // the main window keeps the controller
    QPointer<TfrmMain> window = m_window;
    QStringList order;
    QEventLoop programLoop; // stands in for the program's loop (level 1)
    QTimer::singleShot(0, [&] {
        QDialog modal;
        QTimer::singleShot(0, [&] {
            order << QStringLiteral("request");
            (window.data()->*GetParam().request)();
            EXPECT_EQ(m_terminated, 0) << "nothing may be closed while the modal loop runs";
        });
        const int result = modal.exec();
        order << QStringLiteral("modal returned");
        EXPECT_EQ(result, QDialog::Rejected);
        EXPECT_NE(window.data(), nullptr) << "the main window is alive after the modal loop";
    });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (m_terminated > 0) {
            order << QStringLiteral("closed");
            programLoop.quit();
        }
    });
    poll.start(5);
    QTimer::singleShot(20000, &programLoop, &QEventLoop::quit);
    programLoop.exec();
    EXPECT_EQ(order,
              (QStringList{QStringLiteral("request"), QStringLiteral("modal returned"), QStringLiteral("closed")}));
    EXPECT_EQ(ProgramEndReason(), GetParam().reason);
    ProcessPosted();
    EXPECT_EQ(window.data(), nullptr) << "the main window is freed once back in the program's loop";
    ApplicationStart() = TApplicationStart{};
}

INSTANTIATE_TEST_SUITE_P(Requests, MainWindowCloseTest,
                         testing::Values(CloseCase{"Signal", &TfrmMain::CloseBySignal, TProgramEnd::Normal},
                                         CloseCase{"QuitByOtherInstance", &TfrmMain::QuitByOtherInstance,
                                                   TProgramEnd::QuitByOtherInstance},
                                         CloseCase{"Exit", &TfrmMain::CloseNormally, TProgramEnd::Normal}),
                         [](const auto& info) { return std::string(info.param.name); });
