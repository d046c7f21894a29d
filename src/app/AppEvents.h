#pragma once

#include "foundation/ipc/InstanceProtocol.h"

#include <QEvent>
#include <QPointer>

/// The program's own posted events; their types are the instance protocol's message numbers.
inline QEvent::Type HXEventType(int message) {
    return static_cast<QEvent::Type>(message);
}

/// WM_HXMAINWINDOWREADY: the controller tells the launch window that its main window exists.
class TMainWindowReadyEvent : public QEvent {
public:
    explicit TMainWindowReadyEvent(QObject* mainWindow)
        : QEvent(HXEventType(WM_HXMAINWINDOWREADY)), m_mainWindow(mainWindow) {}
    QObject* MainWindow() const { return m_mainWindow; }

private:
    QPointer<QObject> m_mainWindow;
};
