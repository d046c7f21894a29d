#include "app/MainWindow.h"

#include "app/Action.h"
#include "app/AppEvents.h"
#include "app/Application.h"
#include "app/MessageBox.h"
#include "app/ProgramEnd.h"
#include "app/TrackingLink.h"
#include "app/Translation.h"
#include "foundation/Log.h"
#include "foundation/VRNTools.h"
#include "foundation/platform/InstanceLock.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QSessionManager>

TfrmMain::TfrmMain(QWidget* parent) : QWidget(parent), m_trayMenu(new QMenu(this)) {
    setObjectName(QStringLiteral("frmMain"));
    m_regularTimer.setInterval(5000);
    connect(&m_regularTimer, &QTimer::timeout, this, [this] {
        if (m_application)
            m_application->UpdateTracking();
    });
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &TfrmMain::OnCommitDataRequest);
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::SetController(std::shared_ptr<THXApplication> controller) {
    m_controller = std::move(controller);
}

int TfrmMain::ShowBalloonHint(const QString& /*title*/, const QString& /*text*/, TBalloonIcon /*icon*/) {
    // No tray icon yet: the caller shows its notice in a window instead.
    return 1;
}

int TfrmMain::HideBalloonHint() {
    return 1;
}

void TfrmMain::Start() {
    m_regularTimer.start();
    if (m_pendingClose == PendingClose::None)
        return;
    const bool quit = m_pendingClose == PendingClose::Quit;
    m_pendingClose = PendingClose::None;
    QMetaObject::invokeMethod(
        this, [this, quit] { quit ? QuitByOtherInstance() : CloseNormally(); }, Qt::QueuedConnection);
}

bool TfrmMain::DeferWhileLoading(bool quit) {
    if (!m_controller || m_controller->IsInitialized())
        return false;
    if (m_pendingClose != PendingClose::Close)
        m_pendingClose = quit ? PendingClose::Quit : PendingClose::Close;
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
    return QWidget::event(event);
}

TCloseSteps TfrmMain::CloseSteps() {
    TCloseSteps steps;
    steps.unregisterHotkeys = [this] { UnregisterHotkeys(); };
    steps.hideTrayIcon = [this] { HideBalloonHint(); };
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

void TfrmMain::CloseNormally() {
    if (m_closing || DeferWhileLoading(false))
        return;
    RunClose(true, QStringLiteral("TfrmMain.FormCloseQuery"));
    ProgramEndReason() = TProgramEnd::Normal;
    TerminateApplication();
}

void TfrmMain::QuitByOtherInstance() {
    if (m_closing || DeferWhileLoading(true))
        return;
    RunClose(false, QStringLiteral("TfrmMain.WMHXQuit"));
    ProgramEndReason() = TProgramEnd::QuitByOtherInstance;
    TerminateApplication();
}

void TfrmMain::OnCommitDataRequest(QSessionManager& manager) {
    if (!m_controller || m_closing)
        return;
    try {
        const auto tracking = m_controller->GetTrackingManager();
        const bool hidden = !tracking || tracking->HideTrackingWindow();
        if (!hidden && m_controller->HasCurrentWindow()) {
            if (manager.allowsInteraction()) {
                ShowMessageBox(nullptr, QStringLiteral("Varnelo Horalux"),
                               FormatPlaceholders(Tr("%1 has some open windows. Please close these windows before "
                                                     "closing Windows."),
                                                  {QStringLiteral("Varnelo Horalux")}),
                               MessageBoxKind::Warning);
                manager.release();
            }
            manager.cancel();
            return;
        }
    } catch (const std::exception& e) {
        LogException(QStringLiteral("TfrmMain.CommitDataRequest"), e);
    }
    // The session ends: close as the user would, so that everything is saved.
    CloseNormally();
}
