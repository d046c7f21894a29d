#pragma once

// The main window: never shown. It drives the controller (regular timer, tracking rechecks) and
// ends the program: the normal close (Exit, the end of the session, SIGTERM/SIGINT) and the quit
// requested by another instance. The tray icon with its menu and hotkeys joins it later; until
// then the tray-facing calls only keep their values.

#include "app/MainFormInterface.h"
#include "app/ShutdownSequence.h"

#include <QString>
#include <QTimer>
#include <QWidget>
#include <memory>

class QMenu;
class QSessionManager;
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
    void SetHint(const QString& hint) override { m_hint = hint; }
    int ShowBalloonHint(const QString& title, const QString& text, TBalloonIcon icon) override;
    int HideBalloonHint() override;
    bool IsTrayMenuActive() override { return m_trayMenuActive; }
    void SetApplication(IApplicationInternal_* application) override { m_application = application; }
    void Start() override;
    void PostRecheckTracking() override;
    void PostUpdateTracking() override;
    void SetIconPercent(int percent) override { m_iconPercent = percent; }
    void SetIconQuarter() override { m_iconPercent = 25; }
    void ReloadHotkeys() override {}
    void UnregisterHotkeys() override { m_hotkeysRegistered = false; }
    void RegisterHotkeys() override { m_hotkeysRegistered = true; }

    QString Hint() const { return m_hint; }
    int IconPercent() const { return m_iconPercent; }
    bool IsStarted() const { return m_regularTimer.isActive(); }
    bool HotkeysRegistered() const { return m_hotkeysRegistered; }

    /// The normal close: hotkeys and tray icon off, the last question of the day, timer off, save
    /// everything, release the controller and the single-instance lock, end the message loop.
    /// Every step is guarded, so a failing step never skips the save. Runs once.
    void CloseNormally();
    /// The quit requested by another instance: the same without the last question; the program
    /// then logs "Program quit by other instance".
    void QuitByOtherInstance();
    bool IsClosing() const { return m_closing; }
    /// A close or quit that arrives while the controller is still loading waits until it has
    /// finished (Start), so that nothing is torn down under the load sequence.
    bool IsClosePending() const { return m_pendingClose != PendingClose::None; }
    /// The steps of the close (tests run them to see that each is guarded).
    TCloseSteps CloseSteps();

protected:
    bool event(QEvent* event) override;

private:
    void OnCommitDataRequest(QSessionManager& manager);
    void RunClose(bool withFinalQuestion, const QString& context);
    bool DeferWhileLoading(bool quit);

    enum class PendingClose { None, Close, Quit };
    PendingClose m_pendingClose = PendingClose::None;

    std::shared_ptr<THXApplication> m_controller;
    IApplicationInternal_* m_application = nullptr;
    QMenu* m_trayMenu;
    QTimer m_regularTimer;
    QString m_hint;
    int m_iconPercent = 0;
    bool m_trayMenuActive = false;
    bool m_hotkeysRegistered = false;
    bool m_closing = false;
};
