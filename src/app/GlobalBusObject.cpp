#include "app/GlobalBusObject.h"

#include "app/AddInWindows.h"
#include "foundation/Log.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QWidget>

const char* const HoraluxBusService = "com.varnelo.Horalux";
const char* const HoraluxBusObjectPath = "/com/varnelo/Horalux/Application";

TGlobalBusObject::TGlobalBusObject(std::weak_ptr<IApplication_> application) : m_application(std::move(application)) {}

TGlobalBusObject::~TGlobalBusObject() {
    Unregister();
}

bool TGlobalBusObject::Register() {
    // Without an address the bus library would start a bus of its own (dbus-launch): a session
    // without a bus stays without one.
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) {
        WriteLog(QStringLiteral("The application object is not offered on the session bus: "
                                "DBUS_SESSION_BUS_ADDRESS is not set"));
        return false;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        WriteLog(QStringLiteral("The application object is not offered on the session bus: ") +
                 (bus.lastError().isValid() ? bus.lastError().message() : QStringLiteral("no session bus")));
        return false;
    }
    if (!bus.registerObject(QLatin1StringView(HoraluxBusObjectPath), this, QDBusConnection::ExportScriptableSlots)) {
        WriteLog(QStringLiteral("The application object is not offered on the session bus: the object path is taken"));
        return false;
    }
    if (!bus.registerService(QLatin1StringView(HoraluxBusService))) {
        bus.unregisterObject(QLatin1StringView(HoraluxBusObjectPath));
        WriteLog(QStringLiteral("The application object is not offered on the session bus: ") +
                 bus.lastError().message());
        return false;
    }
    m_registered = true;
    return true;
}

void TGlobalBusObject::Unregister() {
    if (!m_registered)
        return;
    m_registered = false;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterService(QLatin1StringView(HoraluxBusService));
    bus.unregisterObject(QLatin1StringView(HoraluxBusObjectPath));
}

std::shared_ptr<IApplication_> TGlobalBusObject::Application() const {
    return m_application.lock();
}

bool TGlobalBusObject::CanShowWindow() {
    const std::shared_ptr<IApplication_> application = Application();
    return application && application->CanShowWindow();
}

qlonglong TGlobalBusObject::GetCurrentWindow() {
    const std::shared_ptr<IApplication_> application = Application();
    QWidget* window = application ? application->GetCurrentWindow() : nullptr;
    if (const std::int32_t addInWindow = AddInWindowNumber(window))
        return addInWindow;
    return window ? static_cast<qlonglong>(window->winId()) : 0;
}
