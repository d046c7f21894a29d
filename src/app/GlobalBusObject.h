#pragma once

// The running program's application object on the session bus, for scripts and other programs:
// service com.varnelo.Horalux, object /com/varnelo/Horalux/Application, interface
// com.varnelo.Horalux.Global. It offers the members of the add-ins' application object that make
// sense in another process; objects that live only inside the program are not offered.

#include "addins/ApplicationInterface.h"

#include <QObject>
#include <memory>

class TGlobalBusObject : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.varnelo.Horalux.Global")
public:
    /// Keeps the application weakly: the bus object never keeps the program's objects alive.
    explicit TGlobalBusObject(std::weak_ptr<IApplication_> application);
    ~TGlobalBusObject() override;

    /// Offers the object on the session bus; without a bus, or with the name taken, the reason is
    /// logged and the program runs on. Returns whether it is offered.
    bool Register();
    /// Withdraws the object and the name (nothing when not offered).
    void Unregister();

public Q_SLOTS:
    /// Whether a window may be shown now (initialized, no current window, tray menu closed).
    Q_SCRIPTABLE bool CanShowWindow();
    /// The X window id of the window on top of the current-window stack, 0 when none.
    Q_SCRIPTABLE qlonglong GetCurrentWindow();

private:
    std::shared_ptr<IApplication_> Application() const;

    std::weak_ptr<IApplication_> m_application;
    bool m_registered = false;
};

extern const char* const HoraluxBusService;
extern const char* const HoraluxBusObjectPath;
