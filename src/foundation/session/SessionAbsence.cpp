#include "foundation/session/SessionAbsence.h"

#include "foundation/DateTime.h"
#include "foundation/Log.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {
const QString Login1Service = QStringLiteral("org.freedesktop.login1");
const QString Login1Path = QStringLiteral("/org/freedesktop/login1");
const QString Login1Manager = QStringLiteral("org.freedesktop.login1.Manager");
const QString Login1Session = QStringLiteral("org.freedesktop.login1.Session");
const QString PropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
// The login manager answers at once; a bus that does not must not hold anything up.
constexpr int SessionQueryTimeoutMSecs = 10000;

QString BusError(const QDBusConnection& bus) {
    const QString message = bus.lastError().message();
    return message.isEmpty() ? QStringLiteral("not connected") : message;
}
} // namespace

TSessionAbsenceMonitor::TSessionAbsenceMonitor(QObject* parent) : QObject(parent) {
    QString sessionReason;
    QString systemReason;
    const bool session = ConnectSessionBus(sessionReason);
    const bool system = ConnectSystemBus(systemReason);
    m_available = session || system;
    if (!m_available)
        WriteLog(QStringLiteral("Session absence detection is off: no session bus (%1) and no system bus (%2)")
                     .arg(sessionReason, systemReason));
}

bool TSessionAbsenceMonitor::ConnectSessionBus(QString& reason) {
    // Without an address the bus library would start a bus of its own (dbus-launch): a session
    // without a bus stays without one.
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) {
        reason = QStringLiteral("DBUS_SESSION_BUS_ADDRESS is not set");
        return false;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        reason = BusError(bus);
        return false;
    }
    // Screen savers report locking and blanking alike; both mean the user is not at the desktop.
    // Any sender is accepted: the screen saver need not own its well-known name.
    const struct {
        QString path;
        QString interfaceName;
    } screenSavers[] = {
        {QStringLiteral("/org/freedesktop/ScreenSaver"), QStringLiteral("org.freedesktop.ScreenSaver")},
        {QStringLiteral("/ScreenSaver"), QStringLiteral("org.freedesktop.ScreenSaver")},
        {QStringLiteral("/org/gnome/ScreenSaver"), QStringLiteral("org.gnome.ScreenSaver")},
    };
    for (const auto& saver : screenSavers)
        bus.connect(QString(), saver.path, saver.interfaceName, QStringLiteral("ActiveChanged"), this,
                    SLOT(ScreenSaverActiveChanged(bool)));
    return true;
}

bool TSessionAbsenceMonitor::ConnectSystemBus(QString& reason) {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        reason = BusError(bus);
        return false;
    }
    bus.connect(QString(), Login1Path, Login1Manager, QStringLiteral("PrepareForSleep"), this,
                SLOT(PrepareForSleep(bool)));

    // The lock signals come from the object of our own session, which the login manager names.
    // The question is asked without waiting, so that a slow bus never delays the start.
    const QString sessionId = qEnvironmentVariable("XDG_SESSION_ID");
    QDBusMessage query;
    if (sessionId.isEmpty()) {
        query =
            QDBusMessage::createMethodCall(Login1Service, Login1Path, Login1Manager, QStringLiteral("GetSessionByPID"));
        query << static_cast<quint32>(QCoreApplication::applicationPid());
    } else {
        query = QDBusMessage::createMethodCall(Login1Service, Login1Path, Login1Manager, QStringLiteral("GetSession"));
        query << sessionId;
    }
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(query, SessionQueryTimeoutMSecs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &TSessionAbsenceMonitor::SessionPathFound);
    return true;
}

void TSessionAbsenceMonitor::SessionPathFound(QDBusPendingCallWatcher* watcher) {
    watcher->deleteLater();
    const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
    if (reply.isError()) {
        WriteLog(QStringLiteral("Session lock signals of the login manager are not observed: ") +
                 reply.error().message());
        return;
    }
    const QString path = reply.value().path();
    QDBusConnection bus = QDBusConnection::systemBus();
    bus.connect(QString(), path, Login1Session, QStringLiteral("Lock"), this, SLOT(SessionLock()));
    bus.connect(QString(), path, Login1Session, QStringLiteral("Unlock"), this, SLOT(SessionUnlock()));
    bus.connect(QString(), path, PropertiesInterface, QStringLiteral("PropertiesChanged"), this,
                SLOT(SessionPropertiesChanged(QString, QVariantMap, QStringList)));
    m_sessionPath = path;
}

std::vector<TAbsencePeriod> TSessionAbsenceMonitor::AbsencesBetween(double from, double to) const {
    return m_log.Between(from, to, NowDateTime());
}

void TSessionAbsenceMonitor::Locked() {
    m_log.Lock(NowDateTime());
    emit Changed();
}

void TSessionAbsenceMonitor::Unlocked() {
    m_log.Unlock(NowDateTime());
    emit Changed();
}

void TSessionAbsenceMonitor::Suspending() {
    m_log.Suspend(NowDateTime());
    emit Changed();
}

void TSessionAbsenceMonitor::Resumed() {
    m_log.Resume(NowDateTime());
    emit Changed();
}

void TSessionAbsenceMonitor::ScreenSaverActiveChanged(bool active) {
    active ? Locked() : Unlocked();
}

void TSessionAbsenceMonitor::PrepareForSleep(bool start) {
    start ? Suspending() : Resumed();
}

void TSessionAbsenceMonitor::SessionLock() {
    Locked();
}

void TSessionAbsenceMonitor::SessionUnlock() {
    Unlocked();
}

void TSessionAbsenceMonitor::SessionPropertiesChanged(const QString& interfaceName, const QVariantMap& changed,
                                                      const QStringList&) {
    const auto hint = changed.constFind(QStringLiteral("LockedHint"));
    if (interfaceName == Login1Session && hint != changed.constEnd())
        hint->toBool() ? Locked() : Unlocked();
}
