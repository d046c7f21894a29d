#include "app/StandInApplication.h"

#include "app/AppEvents.h"
#include "app/ProgramEnd.h"
#include "foundation/platform/InstanceLock.h"

#include <QCoreApplication>

TStandInApplication::~TStandInApplication() = default;

void TStandInApplication::Initialize(QObject* launchWindow) {
    m_mainWindow = new TStandInMainWindow(shared_from_this());
    if (launchWindow)
        QCoreApplication::postEvent(launchWindow, new TMainWindowReadyEvent(m_mainWindow));
}

void TStandInApplication::SaveAll(bool /*atShutdown*/) {}

void TStandInApplication::Cleanup() {
    if (m_mainWindow) {
        m_mainWindow->DropController();
        m_mainWindow->deleteLater();
        m_mainWindow = nullptr;
    }
}

TStandInMainWindow::TStandInMainWindow(std::shared_ptr<TStandInApplication> controller)
    : m_controller(std::move(controller)) {
    setObjectName(QStringLiteral("frmMain"));
}

TStandInMainWindow::~TStandInMainWindow() = default;

bool TStandInMainWindow::event(QEvent* event) {
    if (event->type() == HXEventType(WM_HXQUIT)) {
        QuitByOtherInstance();
        return true;
    }
    return QWidget::event(event);
}

TCloseSteps TStandInMainWindow::CloseSteps() {
    TCloseSteps steps;
    // No hotkeys, tray icon, tracking or timer yet.
    steps.saveAll = [this] {
        if (m_controller)
            m_controller->SaveAll(true);
    };
    steps.releaseController = [this] {
        std::shared_ptr<TStandInApplication> controller = std::move(m_controller);
        ReleaseAndCleanup(controller);
    };
    steps.releaseSingleInstance = [] { ProgramInstanceLock().Release(); };
    return steps;
}

void TStandInMainWindow::QuitByOtherInstance() {
    if (m_closing)
        return;
    m_closing = true;
    MakeCloseSequence(QStringLiteral("TfrmMain.WMHXQuit"), CloseSteps(), false).Run();
    ProgramEndReason() = TProgramEnd::QuitByOtherInstance;
    TerminateApplication();
}

void TStandInMainWindow::CloseNormally() {
    if (m_closing)
        return;
    m_closing = true;
    MakeCloseSequence(QStringLiteral("TfrmMain.FormCloseQuery"), CloseSteps(), true).Run();
    ProgramEndReason() = TProgramEnd::Normal;
    TerminateApplication();
}
