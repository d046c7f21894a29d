#pragma once

// The main window: never shown. It owns the tray icon with its hint, balloon tips and menu, the
// regular timer that drives the tracking manager and the two global hot keys, and it ends the
// program: the normal close (Exit, the end of the session; SIGTERM/SIGINT without the last
// question) and the quit requested by another instance.

#include "app/MainFormInterface.h"
#include "app/ShutdownSequence.h"
#include "app/TrayIcons.h"

#include <QString>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

class QMenu;
class QSessionManager;
class TGlobalHotKeys;
class THXApplication;

/// Posted by the main window to itself: recheck tracking (drop the loaded data) / update tracking.
inline constexpr int WM_HXRECHECKTRACKING = 16004;
inline constexpr int WM_HXUPDATETRACKING = 16005;

class TfrmMain : public QWidget, public IHXMainFormInternal_ {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    /// The controller this window keeps alive until the program closes.
    void SetController(std::shared_ptr<THXApplication> controller);
    THXApplication* Controller() const { return m_controller.get(); }

    // IHXMainFormInternal_
    QWidget* GetHandle() override { return this; }
    QMenu* GetTrayPopupMenu() override { return m_trayMenu; }
    void HideTaskbarButton() override {}
    void ShowTaskbarButton() override {}
    void SetHint(const QString& hint) override;
    /// 0 when the balloon is shown; 1 when it cannot be (no tray, or no balloon support), so that
    /// the caller shows its notice in a window instead.
    int ShowBalloonHint(const QString& title, const QString& text, TBalloonIcon icon) override;
    int HideBalloonHint() override;
    bool IsTrayMenuActive() override { return m_trayMenuActive; }
    void SetApplication(IApplicationInternal_* application) override { m_application = application; }
    /// Shows the tray icon (it appears as soon as a tray host runs) and starts the regular timer.
    void Start() override;
    void PostRecheckTracking() override;
    void PostUpdateTracking() override;
    void SetIconPercent(int percent) override;
    void SetIconQuarter() override { SetIconPercent(25); }
    /// Reads both hot keys from the options and registers them again.
    void ReloadHotkeys() override;
    void UnregisterHotkeys() override;
    void RegisterHotkeys() override;

    QString Hint() const;
    /// The fill of the icon shown now, as the last percentage set.
    int IconPercent() const { return m_iconPercent; }
    /// The filled quarters of the icon shown now (0..4).
    int IconQuarters() const { return ClockQuartersForPercent(m_iconPercent); }
    bool IsStarted() const { return m_regularTimer.isActive(); }
    /// The timer that drives the tracking manager (tests deliver its ticks).
    QTimer* RegularTimer() { return &m_regularTimer; }
    /// Whether any hot key is registered now.
    bool HotkeysRegistered() const { return m_hotKey1Registered || m_hotKey2Registered; }
    bool IsHotkeyRegistered(int id) const { return id == 1 ? m_hotKey1Registered : m_hotKey2Registered; }
    std::uint16_t TrackingHotkey() const { return m_trackingHotKey; }
    std::uint16_t MenuHotkey() const { return m_menuHotKey; }
    QSystemTrayIcon* TrayIcon() const { return m_trayIcon; }

    /// A mouse button on the tray icon: with a current window, that window comes forward;
    /// otherwise the right button opens the tray menu and the left one the tracking window.
    void TrayIconClicked(Qt::MouseButton button);
    /// Global hot key 1 opens the tracking window, 2 acts as the right button on the tray icon.
    void HotkeyPressed(int id);
    /// Replaces how the tray menu runs (tests; by default modally at the cursor).
    void SetMenuRunner(std::function<void(QMenu*)> runner) { m_menuRunner = std::move(runner); }

    /// The normal close: hotkeys and tray icon off, the last question of the day, timer off, save
    /// everything, release the controller and the single-instance lock, end the message loop.
    /// Every step is guarded, so a failing step never skips the save. Runs once.
    void CloseNormally();
    /// The quit requested by another instance: the same without the last question; the program
    /// then logs "Program quit by other instance".
    void QuitByOtherInstance();
    /// A termination signal (SIGTERM, SIGINT): the normal close without the last question. Nobody
    /// can answer it, and a question left open would keep the data from being saved before the
    /// process is killed.
    void CloseBySignal();
    /// The session is about to end (log-off, shutdown). While the worksheet is open through the
    /// tracking manager and a program window is open, the end is refused (with a message when
    /// mayAsk); otherwise the tracking window is hidden, the normal close runs and the end is
    /// allowed.
    bool AnswerSessionEnd(bool mayAsk);
    bool IsClosing() const { return m_closing; }
    /// A close or quit that arrives while the controller is still loading waits until it has
    /// finished (Start), so that nothing is torn down under the load sequence.
    bool IsClosePending() const { return m_pendingClose != PendingClose::None; }
    /// The steps of the close (tests run them to see that each is guarded).
    TCloseSteps CloseSteps();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void OnCommitDataRequest(QSessionManager& manager);
    void OnTrayActivated(QSystemTrayIcon::ActivationReason reason);
    void ShowTrayMenu();
    std::uint16_t ReadHotkey(const QString& section) const;
    void RunClose(bool withFinalQuestion, const QString& context);
    /// Runs close from the program's top-level message loop. Windows that are open (dialogs, message
    /// boxes, the tray menu) are closed through their Cancel path first; while their own loops are
    /// still on the stack, close waits for them, so nothing is freed under a nested loop.
    void CloseWhenUnwound(std::function<void()> close);
    void ContinueDeferredClose();
    /// Closes every open window of the program (except this one) as Cancel or Escape would.
    void CloseOpenWindows();
    enum class PendingClose { None, Close, Quit, Signal };
    bool DeferWhileLoading(PendingClose kind);

    PendingClose m_pendingClose = PendingClose::None;

    std::shared_ptr<THXApplication> m_controller;
    IApplicationInternal_* m_application = nullptr;
    TTrayIcons m_icons;
    QSystemTrayIcon* m_trayIcon;
    QMenu* m_trayMenu;
    QTimer m_regularTimer;
    /// Polls until the nested message loops of closed windows have returned.
    QTimer m_unwindTimer;
    std::function<void()> m_deferredClose;
    TGlobalHotKeys* m_hotKeys;
    std::function<void(QMenu*)> m_menuRunner;
    int m_iconPercent = 25;
    bool m_trayMenuActive = false;
    std::uint16_t m_trackingHotKey = 0;
    std::uint16_t m_menuHotKey = 0;
    bool m_hotKey1Registered = false;
    bool m_hotKey2Registered = false;
    bool m_closing = false;
};
