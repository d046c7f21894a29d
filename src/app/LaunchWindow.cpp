#include "app/LaunchWindow.h"

#include "app/AppEvents.h"
#include "app/ProgramEnd.h"
#include "foundation/Log.h"
#include "foundation/VRNException.h"
#include "foundation/ipc/InstanceChannel.h"

#include <QCoreApplication>
#include <QGuiApplication>

TfrmLaunch::TfrmLaunch(Options options, QWidget* parent)
    : QWidget(parent), m_options(std::move(options)),
      m_server(new TInstanceServer([this](int message) { return HandleInstanceMessage(message); }, this)) {
    setObjectName(QStringLiteral("frmLaunch"));
    setWindowTitle(QStringLiteral("You Should not see this"));
    // Other processes find the running instance by this caption; the channel is named after it.
    setWindowTitle(QLatin1StringView(ControlWindowCaption));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Varnelo Horalux"));
    const QString name = m_options.serverName.isEmpty() ? InstanceServerName() : m_options.serverName;
    if (!m_server->Listen(name))
        WriteLog(QStringLiteral("TfrmLaunch.Create: cannot open the instance channel \"") + name +
                 QStringLiteral("\""));
    if (!m_options.startedByAutomation)
        QCoreApplication::postEvent(this, new QEvent(HXEventType(WM_HXCREATEAPPLICATION)));
}

TfrmLaunch::~TfrmLaunch() = default;

bool TfrmLaunch::IsListening() const {
    return m_server->IsListening();
}

qint64 TfrmLaunch::HandleInstanceMessage(int message) {
    switch (message) {
    case WM_HXPING:
        return HX_PING_REPLY;
    case WM_HXQUIT:
        if (!m_mainWindow)
            return 0; // still starting: the request is ignored
        QCoreApplication::postEvent(m_mainWindow, new QEvent(HXEventType(WM_HXQUIT)));
        return QCoreApplication::applicationPid();
    default:
        return 0;
    }
}

bool TfrmLaunch::event(QEvent* event) {
    if (event->type() == HXEventType(WM_HXCREATEAPPLICATION)) {
        CreateApplication();
        return true;
    }
    if (event->type() == HXEventType(WM_HXMAINWINDOWREADY)) {
        m_controller.reset();
        m_mainWindow = static_cast<TMainWindowReadyEvent*>(event)->MainWindow();
        return true;
    }
    return QWidget::event(event);
}

void TfrmLaunch::CreateApplication() {
    try {
        if (!m_options.createApplication)
            throw EMustNotHappen(QStringLiteral("TfrmLaunch.CreateApplication: no controller factory"));
        m_controller = m_options.createApplication(*this);
    } catch (const std::exception& e) {
        // The controller reports its own errors; here the program only ends.
        LogException(QStringLiteral("TfrmLaunch.CreateApplication"), e);
        m_controller.reset();
        m_options.terminate ? m_options.terminate() : TerminateApplication();
    } catch (...) {
        m_controller.reset();
        m_options.terminate ? m_options.terminate() : TerminateApplication();
    }
}
