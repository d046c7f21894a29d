// The tray window on a real X server with a tray host (run-with-xvfb.sh starts both): the icon is
// embedded, a right click opens the tray menu whose Exit ends the program, and the hot keys from
// the options fire their actions and follow the current windows. Without an X server the tests are
// skipped.

#include "ControllerTestSupport.h"
#include "X11TestSupport.h"
#include "app/Application.h"
#include "app/MainWindow.h"
#include "app/ProgramEnd.h"
#include "foundation/platform/InstanceLock.h"
#include "model/HotKeyProperty.h"
#include "model/PropertyInterfaces.h"
#include "options_ui/OptionsDialog.h"
#include "support/TestEnvironment.h"
#include "tracking/TrackingManagerLinkInterface.h"
#include "ui/MessageBox.h"
#include "ui/platform/GlobalHotKeys.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr int Patience = 15000; // ms; a bound for a loaded machine, not a speed goal

class MainWindowX11Test : public ControllerTest {
protected:
    void SetUp() override {
        if (!TGlobalHotKeys::IsAvailable())
            GTEST_SKIP() << "no X server (run through run-with-xvfb.sh)";
        ControllerTest::SetUp();
        StartController(TestOptions());
        m_window = m_app->MainWindow();
    }

    /// Waits until the tray host has embedded the icon's window and laid it out (the position has
    /// stayed the same for a moment); its centre on the screen.
    static std::optional<QPoint> EmbeddedIcon() {
        std::optional<QPoint> centre;
        QElapsedTimer stable;
        const bool embedded = QTest::qWaitFor(
            [&] {
                std::optional<QPoint> now;
                for (QWidget* window : QApplication::topLevelWidgets())
                    if (qstrcmp(window->metaObject()->className(), "QSystemTrayIconSys") == 0)
                        now = EmbeddedWindowCentre(static_cast<std::uint32_t>(window->winId()));
                if (now != centre || !now) {
                    centre = now;
                    stable.start();
                }
                return centre && stable.elapsed() >= 300;
            },
            Patience);
        return embedded ? centre : std::nullopt;
    }

    QPointer<TfrmMain> m_window;
};

} // namespace

TEST_F(MainWindowX11Test, RightClickOnTheEmbeddedIconOpensTheMenuAndExitEndsTheProgram) {
    ASSERT_TRUE(QSystemTrayIcon::isSystemTrayAvailable()) << "the tray host runs";
    const std::optional<QPoint> icon = EmbeddedIcon();
    ASSERT_TRUE(icon.has_value()) << "the tray host did not embed the icon";

    // The menu runs its own loop; a timer inside that loop reads it and clicks "Exit".
    QMenu* menu = m_window->GetTrayPopupMenu();
    QStringList captions;
    bool menuFlagWhileOpen = false;
    QTimer watcher;
    watcher.setInterval(50);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (!menu->isVisible() || !captions.isEmpty())
            return;
        menuFlagWhileOpen = m_window->IsTrayMenuActive();
        QAction* exitItem = nullptr;
        for (QAction* item : menu->actions()) {
            if (!item->isVisible())
                continue;
            captions << (item->isSeparator() ? QStringLiteral("-") : item->text());
            if (item->text() == QStringLiteral("Exit"))
                exitItem = item;
        }
        if (exitItem)
            ClickAt(menu->mapToGlobal(menu->actionGeometry(exitItem).center()), 1);
    });
    watcher.start();
    const std::shared_ptr<FakeTrackingManager> tracking = m_tracking;
    m_app.reset(); // the main window keeps the controller until the close releases it
    ASSERT_TRUE(ClickAt(*icon, 3));
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_terminated == 1; }, Patience)) << "Exit did not end the program";
    watcher.stop();

    EXPECT_EQ(captions, (QStringList{"Show Tracking", "-", "Worksheet", "Reports", "Export", "Edit Activities", "-",
                                     "About", "Options", "Exit"}));
    EXPECT_TRUE(menuFlagWhileOpen);
    EXPECT_TRUE(tracking->calls.contains(QStringLiteral("FinishTracking")));
    EXPECT_EQ(ProgramEndReason(), TProgramEnd::Normal);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(m_window, nullptr);
}

TEST_F(MainWindowX11Test, HotKeysFromTheOptionsFireTheirActionsWhileNoWindowIsOpen) {
    HotKeyToProperty(m_app->GetOptions(QStringLiteral("tracking manager"))->Items(QStringLiteral("hotkey")),
                     ShiftControlT);
    m_app->ApplyOptions(QStringLiteral("tracking manager"));
    ASSERT_TRUE(m_window->IsHotkeyRegistered(1));

    ASSERT_TRUE(PressKeys(QStringLiteral("ctrl+shift+t")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_tracking->calls.count(QStringLiteral("TrackNow")) == 1; }, Patience));

    // A program window is open: the hot keys give way to it, and come back when it closes.
    QWidget window;
    m_app->AddCurrentWindow(&window);
    EXPECT_FALSE(m_window->IsHotkeyRegistered(1));
    m_app->RemoveCurrentWindow(&window);
    EXPECT_TRUE(m_window->IsHotkeyRegistered(1));
}

TEST_F(MainWindowX11Test, AHotKeyHeldByAnotherProgramStaysUnregisteredWithoutAMessage) {
    HotKeyToProperty(m_app->GetOptions(QStringLiteral("general"))->Items(QStringLiteral("hotkey")), ShiftControlT);
    {
        OtherClientGrab other;
        ASSERT_TRUE(other.Grabbed());
        m_app->ApplyOptions(QStringLiteral("tracking manager"));
        EXPECT_EQ(m_window->MenuHotkey(), ShiftControlT);
        EXPECT_FALSE(m_window->IsHotkeyRegistered(2));
        EXPECT_TRUE(TMessageBoxSeam::History().empty());
    }
    // Once the other program has let go, the next registration takes the key.
    m_app->ApplyOptions(QStringLiteral("tracking manager"));
    EXPECT_TRUE(m_window->IsHotkeyRegistered(2));
}

namespace {

/// Clicks the tray menu's item of that caption once the menu is open.
void ClickMenuItemWhenOpen(QMenu* menu, const QString& caption) {
    QTimer::singleShot(50, menu, [menu, caption] {
        if (!menu->isVisible()) {
            ClickMenuItemWhenOpen(menu, caption);
            return;
        }
        for (QAction* item : menu->actions())
            if (item->text() == caption)
                ClickAt(menu->mapToGlobal(menu->actionGeometry(item).center()), 1);
    });
}

} // namespace

// Options from the tray menu with the mouse, then keys on the desktop: the tabs stand in their
// order, Escape without a change closes at once, and after a change it asks first.
TEST_F(MainWindowX11Test, OptionsFromTheTrayMenuAskBeforeCancelOnlyAfterAChange) {
    const std::optional<QPoint> icon = EmbeddedIcon();
    ASSERT_TRUE(icon.has_value()) << "the tray host did not embed the icon";
    QMenu* menu = m_window->GetTrayPopupMenu();

    QStringList tabs;
    int questions = -1;
    bool closedAtOnce = false;

    // First round: no change.
    QTimer first;
    first.setInterval(50);
    QObject::connect(&first, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<TfrmOptions*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isActiveWindow() || !tabs.isEmpty())
            return;
        for (int i = 0; i < dialog->TabCount(); ++i)
            tabs << dialog->TabCaption(i);
        PressKeys(QStringLiteral("Escape"));
        closedAtOnce = QTest::qWaitFor([dialog] { return !dialog->isVisible(); }, Patience);
        questions = static_cast<int>(TMessageBoxSeam::History().size());
    });
    first.start();
    ClickMenuItemWhenOpen(menu, QStringLiteral("Options"));
    ASSERT_TRUE(ClickAt(*icon, 3));
    ASSERT_TRUE(QTest::qWaitFor([&] { return closedAtOnce; }, Patience)) << "the dialog did not open and close";
    first.stop();
    EXPECT_EQ(tabs, (QStringList{"General", "Tracking", "Work", "Holidays", "Date Formatting", "Language Options",
                                 "Add-Ins"}));
    EXPECT_EQ(questions, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_app->GetCurrentWindow() == nullptr; }, Patience));

    // Second round: Space on the first control changes it; Escape asks (Cancel stays, No closes).
    bool asked = false;
    bool stayed = false;
    bool closed = false;
    QByteArray focused;
    QTimer second;
    second.setInterval(50);
    QObject::connect(&second, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<TfrmOptions*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isActiveWindow() || asked)
            return;
        asked = true;
        // The first control has the focus (the autostart box): Space clicks it.
        (void)QTest::qWaitFor(
            [dialog] { return QApplication::focusWidget() && QApplication::focusWidget()->window() == dialog; },
            Patience);
        focused = QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className() : "none";
        QTest::qWait(200);
        PressKeys(QStringLiteral("space"));
        if (!QTest::qWaitFor([dialog] { return dialog->IsModified(); }, Patience))
            return;
        TMessageBoxSeam::SetNextAnswer(MessageBoxResult::Cancel);
        PressKeys(QStringLiteral("Escape"));
        stayed =
            QTest::qWaitFor([] { return TMessageBoxSeam::History().size() == 1; }, Patience) && dialog->isVisible();
        TMessageBoxSeam::SetNextAnswer(MessageBoxResult::No);
        PressKeys(QStringLiteral("Escape"));
        closed = QTest::qWaitFor([dialog] { return !dialog->isVisible(); }, Patience);
    });
    second.start();
    ClickMenuItemWhenOpen(menu, QStringLiteral("Options"));
    ASSERT_TRUE(ClickAt(*icon, 3));
    ASSERT_TRUE(QTest::qWaitFor([&] { return closed; }, Patience))
        << "the dialog did not close after No; the focus was on " << focused.constData();
    second.stop();
    EXPECT_TRUE(stayed) << "Cancel in the question keeps the dialog open";
    ASSERT_EQ(TMessageBoxSeam::History().size(), 2u);
    EXPECT_EQ(TMessageBoxSeam::History()[0].text,
              QStringLiteral("Some options have been changed. Do you want to save these changes?"));
}
