#include "app/MainWindow.h"

#include "app/AddInWindows.h"
#include "app/AppEvents.h"
#include "app/Application.h"
#include "app/ProgramEnd.h"
#include "foundation/International.h"
#include "foundation/Log.h"
#include "foundation/Translation.h"
#include "foundation/VRNTools.h"
#include "foundation/platform/InstanceLock.h"
#include "model/HotKeyProperty.h"
#include "model/PropertyInterfaces.h"
#include "tracking/TrackingManagerLinkInterface.h"
#include "ui/Action.h"
#include "ui/MessageBox.h"
#include "ui/ProgramClosing.h"
#include "ui/platform/GlobalHotKeys.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QSessionManager>
#include <QThread>

namespace {

const QString ProductName = QStringLiteral("Varnelo Horalux");
// Balloon tips stay up for a minute unless the user closes them.
constexpr int BalloonTimeoutMs = 60000;

QSystemTrayIcon::MessageIcon ToTrayIcon(TBalloonIcon icon) {
    switch (icon) {
    case TBalloonIcon::Information:
        return QSystemTrayIcon::Information;
    case TBalloonIcon::Warning:
        return QSystemTrayIcon::Warning;
    case TBalloonIcon::Error:
        return QSystemTrayIcon::Critical;
    case TBalloonIcon::None:
        break;
    }
    return QSystemTrayIcon::NoIcon;
}

} // namespace

TfrmMain::TfrmMain(QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::Tool), m_trayIcon(new QSystemTrayIcon(this)),
      m_trayMenu(new QMenu(this)), m_hotKeys(new TGlobalHotKeys(this)) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(ProductName);
    m_trayMenu->setObjectName(QStringLiteral("TrayPopupMenu"));
    m_trayIcon->setObjectName(QStringLiteral("TrayIcon"));
    m_trayIcon->setIcon(m_icons.ForPercent(m_iconPercent));
    m_trayIcon->setToolTip(ProductName);
    m_regularTimer.setInterval(5000);
    m_unwindTimer.setInterval(10);
    connect(&m_unwindTimer, &QTimer::timeout, this, &TfrmMain::ContinueDeferredClose);
    connect(&m_regularTimer, &QTimer::timeout, this, [this] {
        if (m_application)
            m_application->UpdateTracking();
    });
    // The toolkit hides the menu before it runs the chosen entry, inside exec(): from then on the
    // menu no longer counts as active, so that the entry may open its window.
    connect(m_trayMenu, &QMenu::aboutToHide, this, [this] { m_trayMenuActive = false; });
    connect(m_trayIcon, &QSystemTrayIcon::activated, this, &TfrmMain::OnTrayActivated);
    connect(m_hotKeys, &TGlobalHotKeys::Activated, this, &TfrmMain::HotkeyPressed);
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &TfrmMain::OnCommitDataRequest);
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::SetController(std::shared_ptr<THXApplication> controller) {
    m_controller = std::move(controller);
}

void TfrmMain::SetHint(const QString& hint) {
    // The tracking manager repeats its hint at every tick; the tray host hears only of changes.
    if (m_trayIcon->toolTip() != hint)
        m_trayIcon->setToolTip(hint);
}

QString TfrmMain::Hint() const {
    return m_trayIcon->toolTip();
}

int TfrmMain::ShowBalloonHint(const QString& title, const QString& text, TBalloonIcon icon) {
    if (!m_trayIcon->isVisible() || !QSystemTrayIcon::isSystemTrayAvailable() || !QSystemTrayIcon::supportsMessages())
        return 1;
    m_trayIcon->showMessage(title, text, ToTrayIcon(icon), BalloonTimeoutMs);
    return 0;
}

int TfrmMain::HideBalloonHint() {
    if (!m_trayIcon->isVisible() || !QSystemTrayIcon::isSystemTrayAvailable() || !QSystemTrayIcon::supportsMessages())
        return 1;
    // A message without text closes the shown one at once.
    m_trayIcon->showMessage(QString(), QString(), QSystemTrayIcon::NoIcon, 1);
    return 0;
}

void TfrmMain::SetIconPercent(int percent) {
    const bool changed = ClockQuartersForPercent(percent) != ClockQuartersForPercent(m_iconPercent);
    m_iconPercent = percent;
    // Most ticks change nothing; the tray host redraws only when the image does.
    if (changed)
        m_trayIcon->setIcon(m_icons.ForPercent(percent));
}

std::uint16_t TfrmMain::ReadHotkey(const QString& section) const {
    if (!m_controller)
        return 0;
    const auto options = m_controller->GetOptions(section);
    const auto property = options ? options->Find(QStringLiteral("hotkey")) : nullptr;
    return property ? HotKeyFromProperty(property, 0) : 0;
}

void TfrmMain::ReloadHotkeys() {
    UnregisterHotkeys();
    // The tracking-window hot key counts only while a tracker opens a tracking window.
    const auto tracking = m_controller ? m_controller->GetTrackingManager() : nullptr;
    m_trackingHotKey = tracking && tracking->HasTrackingTracker() ? ReadHotkey(QStringLiteral("tracking manager")) : 0;
    m_menuHotKey = ReadHotkey(QStringLiteral("general"));
    RegisterHotkeys();
}

void TfrmMain::UnregisterHotkeys() {
    if (m_hotKey1Registered)
        m_hotKeys->Unregister(1);
    if (m_hotKey2Registered)
        m_hotKeys->Unregister(2);
    m_hotKey1Registered = false;
    m_hotKey2Registered = false;
}

void TfrmMain::RegisterHotkeys() {
    // A key that another program holds stays unregistered, without a message.
    if (m_trackingHotKey != 0 && !m_hotKey1Registered)
        m_hotKey1Registered = m_hotKeys->Register(1, m_trackingHotKey);
    if (m_menuHotKey != 0 && !m_hotKey2Registered)
        m_hotKey2Registered = m_hotKeys->Register(2, m_menuHotKey);
}

void TfrmMain::OnTrayActivated(QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::Trigger)
        TrayIconClicked(Qt::LeftButton);
    else if (reason == QSystemTrayIcon::Context)
        TrayIconClicked(Qt::RightButton);
    else if (reason == QSystemTrayIcon::MiddleClick)
        TrayIconClicked(Qt::MiddleButton);
}

void TfrmMain::TrayIconClicked(Qt::MouseButton button) {
    if (!m_controller || m_closing)
        return;
    try {
        if (QWidget* current = m_controller->GetCurrentWindow()) {
            // An add-in's window stands on the stack as an invisible stand-in: the add-in's to
            // bring forward, never to be shown in its place.
            if (AddInWindowNumber(current))
                return;
            QWidget* front = current;
            if (!current->isEnabled() && QApplication::activeModalWidget())
                front = QApplication::activeModalWidget(); // a modal window of its own is in front
            if (front->isMinimized())
                front->showNormal();
            else if (front->isHidden())
                front->show();
            front->raise();
            front->activateWindow();
            return;
        }
        if (button == Qt::RightButton) {
            // Run from the loop, not from inside the tray icon's mouse handling.
            QMetaObject::invokeMethod(this, &TfrmMain::ShowTrayMenu, Qt::QueuedConnection);
        } else if (button == Qt::LeftButton) {
            if (const auto tracking = m_controller->GetTrackingManager())
                tracking->TrackNow();
        }
    } catch (const std::exception& e) {
        HandleUnexpectedError(e);
    }
}

void TfrmMain::ShowTrayMenu() {
    if (m_trayMenuActive || m_closing)
        return;
    const QPoint position = QCursor::pos();
    m_trayMenuActive = true;
    QCoreApplication::processEvents();
    if (m_menuRunner)
        m_menuRunner(m_trayMenu);
    else
        m_trayMenu->exec(position);
    m_trayMenuActive = false;
}

void TfrmMain::HotkeyPressed(int id) {
    if (!m_controller || m_closing)
        return;
    if (id == 2) {
        TrayIconClicked(Qt::RightButton);
        return;
    }
    if (id != 1)
        return;
    try {
        if (const auto tracking = m_controller->GetTrackingManager())
            tracking->TrackNow();
    } catch (const std::exception& e) {
        HandleUnexpectedError(e);
    }
}

void TfrmMain::Start() {
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        WriteLog(
            QStringLiteral("TfrmMain.Start: there is no system tray; the program runs and tracks without its icon"));
    // Shown even without a tray: the icon appears as soon as a tray host starts.
    m_trayIcon->show();
    m_regularTimer.start();
    if (m_pendingClose == PendingClose::None)
        return;
    const PendingClose pending = m_pendingClose;
    m_pendingClose = PendingClose::None;
    QMetaObject::invokeMethod(
        this,
        [this, pending] {
            if (pending == PendingClose::Quit)
                QuitByOtherInstance();
            else if (pending == PendingClose::Signal)
                CloseBySignal();
            else
                CloseNormally();
        },
        Qt::QueuedConnection);
}

bool TfrmMain::DeferWhileLoading(PendingClose kind) {
    if (!m_controller || m_controller->IsInitialized())
        return false;
    if (m_pendingClose != PendingClose::Close)
        m_pendingClose = kind;
    return true;
}

void TfrmMain::PostRecheckTracking() {
    QCoreApplication::postEvent(this, new QEvent(HXEventType(WM_HXRECHECKTRACKING)));
}

void TfrmMain::PostUpdateTracking() {
    QCoreApplication::postEvent(this, new QEvent(HXEventType(WM_HXUPDATETRACKING)));
}

bool TfrmMain::event(QEvent* event) {
    const int type = event->type();
    if (type == WM_HXQUIT) {
        QuitByOtherInstance();
        return true;
    }
    if (type == WM_HXRECHECKTRACKING || type == WM_HXUPDATETRACKING) {
        try {
            if (m_application && !m_closing) {
                if (type == WM_HXRECHECKTRACKING)
                    m_application->RecheckTracking();
                else if (m_controller && m_controller->GetTrackingManager())
                    m_controller->GetTrackingManager()->UpdateTracking();
            }
        } catch (const std::exception& e) {
            HandleUnexpectedError(e);
        }
        return true;
    }
    if (type == QEvent::LocaleChange) {
        // The regional settings changed: renew the snapshot and tell every listener.
        RefreshFormatSettings();
    }
    return QWidget::event(event);
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    // The close is always allowed (the window itself is never shown); Exit posts it.
    event->accept();
    CloseNormally();
}

TCloseSteps TfrmMain::CloseSteps() {
    TCloseSteps steps;
    steps.unregisterHotkeys = [this] {
        UnregisterHotkeys();
        m_hotKeys->UnregisterAll();
    };
    steps.hideTrayIcon = [this] { m_trayIcon->hide(); };
    steps.finishTracking = [this] {
        if (m_controller)
            if (const auto manager = m_controller->GetTrackingManager())
                manager->FinishTracking();
    };
    steps.disableRegularTimer = [this] { m_regularTimer.stop(); };
    steps.saveAll = [this] {
        if (m_application)
            m_application->SaveAllAtShutdown();
    };
    steps.releaseController = [this] {
        m_application = nullptr;
        std::shared_ptr<THXApplication> controller = std::move(m_controller);
        ReleaseAndCleanup(controller);
    };
    steps.releaseSingleInstance = [] { ProgramInstanceLock().Release(); };
    return steps;
}

void TfrmMain::RunClose(bool withFinalQuestion, const QString& context) {
    m_closing = true;
    MakeCloseSequence(context, CloseSteps(), withFinalQuestion).Run();
}

void TfrmMain::CloseOpenWindows() {
    if (m_trayMenu->isVisible())
        m_trayMenu->close();
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget == this || !widget->isVisible())
            continue;
        if (auto* dialog = qobject_cast<QDialog*>(widget))
            dialog->reject();
        else if (auto* menu = qobject_cast<QMenu*>(widget))
            menu->close();
    }
}

void TfrmMain::CloseWhenUnwound(std::function<void()> close) {
    // No other close request starts from now on, and nothing new opens from the tray; open
    // windows close without asking.
    m_closing = true;
    SetProgramClosing(true);
    CloseOpenWindows();
    // Level 1 is the program's own loop; 0 means it has not started (or a test drives the window).
    if (QThread::currentThread()->loopLevel() <= 1) {
        close();
        return;
    }
    m_deferredClose = std::move(close);
    m_unwindTimer.start();
}

void TfrmMain::ContinueDeferredClose() {
    if (QThread::currentThread()->loopLevel() > 1) {
        // A window's loop is still running, or its Cancel path opened another window.
        CloseOpenWindows();
        return;
    }
    m_unwindTimer.stop();
    const std::function<void()> close = std::move(m_deferredClose);
    m_deferredClose = nullptr;
    if (close)
        close();
}

void TfrmMain::CloseNormally() {
    if (m_closing || DeferWhileLoading(PendingClose::Close))
        return;
    CloseWhenUnwound([this] {
        RunClose(true, QStringLiteral("TfrmMain.FormCloseQuery"));
        ProgramEndReason() = TProgramEnd::Normal;
        TerminateApplication();
    });
}

void TfrmMain::CloseBySignal() {
    if (m_closing || DeferWhileLoading(PendingClose::Signal))
        return;
    CloseWhenUnwound([this] {
        RunClose(false, QStringLiteral("TfrmMain.Terminate"));
        ProgramEndReason() = TProgramEnd::Normal;
        TerminateApplication();
    });
}

void TfrmMain::QuitByOtherInstance() {
    if (m_closing || DeferWhileLoading(PendingClose::Quit))
        return;
    CloseWhenUnwound([this] {
        RunClose(false, QStringLiteral("TfrmMain.WMHXQuit"));
        ProgramEndReason() = TProgramEnd::QuitByOtherInstance;
        TerminateApplication();
    });
}

void TfrmMain::OnCommitDataRequest(QSessionManager& manager) {
    if (manager.allowsInteraction()) {
        const bool mayEnd = AnswerSessionEnd(true);
        manager.release();
        if (!mayEnd)
            manager.cancel();
        return;
    }
    if (!AnswerSessionEnd(false))
        manager.cancel();
}

bool TfrmMain::AnswerSessionEnd(bool mayAsk) {
    if (!m_controller || m_closing)
        return true;
    try {
        const auto tracking = m_controller->GetTrackingManager();
        const bool hidden = !tracking || tracking->HideTrackingWindow();
        if (!hidden && m_controller->HasCurrentWindow()) {
            // The worksheet is open through the tracking manager: its edits must not be lost.
            if (mayAsk)
                ShowMessageBox(nullptr, QStringLiteral("Varnelo Horalux"),
                               FormatPlaceholders(Tr("%1 has some open windows. Please close these windows before "
                                                     "closing Windows."),
                                                  {QStringLiteral("Varnelo Horalux")}),
                               MessageBoxKind::Warning);
            return false;
        }
    } catch (const std::exception& e) {
        LogException(QStringLiteral("TfrmMain.CommitDataRequest"), e);
    }
    // The session ends: close as the user would, so that everything is saved (the last question
    // of the day included).
    CloseNormally();
    return true;
}
