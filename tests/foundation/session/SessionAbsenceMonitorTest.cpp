// The monitor on real buses. These cases run in CTest tests of their own: WithoutBuses with bus
// addresses that lead nowhere, PrivateBus under run-on-private-bus.sh, whose private bus stands in
// for both the session and the system bus. Elsewhere they skip themselves, since a process keeps
// the bus addresses it saw first.

#include "foundation/DateTime.h"
#include "foundation/Log.h"
#include "foundation/session/SessionAbsence.h"
#include "support/TestEnvironment.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusObjectPath>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {
constexpr int SignalTimeoutMSecs = 10000;

bool BusesAre(const char* setting) {
    return qEnvironmentVariable("HORALUX_TEST_BUSES") == QLatin1String(setting);
}

QDateTime On(int hour, int minute) {
    return QDateTime(QDate(2024, 3, 5), QTime(hour, minute));
}

double At(int hour, int minute) {
    return EncodeDateTime(2024, 3, 5, hour, minute, 0, 0);
}

class WithoutBuses : public ::testing::Test {
protected:
    void SetUp() override {
        if (!BusesAre("none"))
            GTEST_SKIP() << "runs as the CTest test foundation_session.WithoutBuses";
        m_saved = GetLogSettings();
    }
    void TearDown() override { GetLogSettings() = m_saved; }
    TempHome m_home;
    ScopedFixedClock m_clock{On(10, 0)};
    LogSettings m_saved;
};
} // namespace

TEST_F(WithoutBuses, MonitorIsOffSaysSoAndStillRecords) {
    const QString logPath = m_home.Path(QStringLiteral("h.log"));
    GetLogSettings() = {LogTarget::File, LogLevelNormal, logPath};
    TSessionAbsenceMonitor monitor;
    EXPECT_FALSE(monitor.Available());
    QFile log(logPath);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(log.readAll());
    EXPECT_EQ(text.count(QLatin1Char('\n')), 1) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Session absence detection is off: "))) << text.toStdString();

    monitor.Locked();
    m_clock->Set(On(10, 20));
    monitor.Unlocked();
    const auto absences = monitor.AbsencesBetween(At(9, 0), At(11, 0));
    ASSERT_EQ(absences.size(), 1u);
    EXPECT_TRUE(TimesEqual(absences[0].from, At(10, 0)));
    EXPECT_TRUE(TimesEqual(absences[0].to, At(10, 20)));
}

namespace {
// A stand-in for the login manager on the private bus: it names one session for every question.
class FakeLoginManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    static QString SessionPath() { return QStringLiteral("/org/freedesktop/login1/session/horalux_test"); }
public slots:
    QDBusObjectPath GetSessionByPID(uint) { return QDBusObjectPath(SessionPath()); }
    QDBusObjectPath GetSession(const QString&) { return QDBusObjectPath(SessionPath()); }
};

class PrivateBus : public ::testing::Test {
protected:
    void SetUp() override {
        if (!BusesAre("private"))
            GTEST_SKIP() << "runs as the CTest test foundation_session.PrivateBus";
        m_gdbus = QStandardPaths::findExecutable(QStringLiteral("gdbus"));
        if (m_gdbus.isEmpty())
            GTEST_SKIP() << "gdbus is not installed";
    }

    // Sends a signal from another process, once the monitor's subscriptions have reached the bus
    // daemon: it handles a connection's messages in order, so a round trip after them suffices.
    void Emit(const char* bus, const QString& path, const QString& signal, const QStringList& arguments) {
        QDBusConnection connection = QString::fromLatin1(bus) == QLatin1String("--system")
                                         ? QDBusConnection::systemBus()
                                         : QDBusConnection::sessionBus();
        ASSERT_TRUE(connection.interface()->isServiceRegistered(QStringLiteral("org.freedesktop.DBus")).value());
        QProcess gdbus;
        gdbus.setProcessChannelMode(QProcess::ForwardedChannels);
        gdbus.start(m_gdbus, QStringList{QStringLiteral("emit"), QString::fromLatin1(bus),
                                         QStringLiteral("--object-path"), path, QStringLiteral("--signal"), signal} +
                                 arguments);
        ASSERT_TRUE(gdbus.waitForFinished(SignalTimeoutMSecs));
        ASSERT_EQ(gdbus.exitStatus(), QProcess::NormalExit);
        ASSERT_EQ(gdbus.exitCode(), 0);
    }

    // Emits the signal and waits until the monitor recorded something.
    void EmitAndWait(TSessionAbsenceMonitor& monitor, const char* bus, const QString& path, const QString& signal,
                     const QStringList& arguments) {
        QSignalSpy changed(&monitor, &TSessionAbsenceMonitor::Changed);
        Emit(bus, path, signal, arguments);
        ASSERT_TRUE(!changed.isEmpty() || changed.wait(SignalTimeoutMSecs)) << signal.toStdString();
    }

    std::vector<TAbsencePeriod> Absences(const TSessionAbsenceMonitor& monitor) {
        return monitor.AbsencesBetween(At(9, 0), At(11, 0));
    }

    void ExpectOneAbsence(const TSessionAbsenceMonitor& monitor, TAbsenceKind kind) {
        const auto absences = Absences(monitor);
        ASSERT_EQ(absences.size(), 1u);
        EXPECT_TRUE(TimesEqual(absences[0].from, At(10, 0))) << DateTimeToISO(absences[0].from).toStdString();
        EXPECT_TRUE(TimesEqual(absences[0].to, At(10, 20))) << DateTimeToISO(absences[0].to).toStdString();
        EXPECT_EQ(absences[0].kind, kind);
    }

    TempHome m_home;
    ScopedFixedClock m_clock{On(10, 0)};
    QString m_gdbus;
};
} // namespace

TEST_F(PrivateBus, ScreenSaversReportLockAndUnlock) {
    const struct {
        const char* path;
        const char* interfaceName;
    } savers[] = {
        {"/org/freedesktop/ScreenSaver", "org.freedesktop.ScreenSaver"},
        {"/ScreenSaver", "org.freedesktop.ScreenSaver"},
        {"/org/gnome/ScreenSaver", "org.gnome.ScreenSaver"},
    };
    for (const auto& saver : savers) {
        SCOPED_TRACE(saver.path);
        m_clock->Set(On(10, 0));
        TSessionAbsenceMonitor monitor;
        ASSERT_TRUE(monitor.Available());
        const QString path = QString::fromLatin1(saver.path);
        const QString signal = QString::fromLatin1(saver.interfaceName) + QStringLiteral(".ActiveChanged");
        EmitAndWait(monitor, "--session", path, signal, {QStringLiteral("true")});
        EXPECT_TRUE(monitor.Log().IsLocked());
        m_clock->Set(On(10, 20));
        EmitAndWait(monitor, "--session", path, signal, {QStringLiteral("false")});
        ExpectOneAbsence(monitor, TAbsenceKind::Locked);
    }
}

TEST_F(PrivateBus, LoginManagerReportsSleepAndWakeUp) {
    TSessionAbsenceMonitor monitor;
    const QString path = QStringLiteral("/org/freedesktop/login1");
    const QString signal = QStringLiteral("org.freedesktop.login1.Manager.PrepareForSleep");
    EmitAndWait(monitor, "--system", path, signal, {QStringLiteral("true")});
    EXPECT_TRUE(monitor.Log().IsSuspended());
    m_clock->Set(On(10, 20));
    EmitAndWait(monitor, "--system", path, signal, {QStringLiteral("false")});
    ExpectOneAbsence(monitor, TAbsenceKind::Suspended);
}

TEST_F(PrivateBus, LoginSessionReportsLockAndLockedHint) {
    QDBusConnection system = QDBusConnection::systemBus();
    FakeLoginManager manager;
    ASSERT_TRUE(
        system.registerObject(QStringLiteral("/org/freedesktop/login1"), &manager, QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(system.registerService(QStringLiteral("org.freedesktop.login1")));

    TSessionAbsenceMonitor monitor;
    const QDeadlineTimer deadline(SignalTimeoutMSecs);
    while (monitor.SessionPath().isEmpty() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    ASSERT_EQ(monitor.SessionPath(), FakeLoginManager::SessionPath());

    const QString session = FakeLoginManager::SessionPath();
    EmitAndWait(monitor, "--system", session, QStringLiteral("org.freedesktop.login1.Session.Lock"), {});
    m_clock->Set(On(10, 20));
    EmitAndWait(monitor, "--system", session, QStringLiteral("org.freedesktop.login1.Session.Unlock"), {});
    ExpectOneAbsence(monitor, TAbsenceKind::Locked);

    m_clock->Set(On(10, 30));
    const QString properties = QStringLiteral("org.freedesktop.DBus.Properties.PropertiesChanged");
    EmitAndWait(monitor, "--system", session, properties,
                {QStringLiteral("org.freedesktop.login1.Session"), QStringLiteral("{'LockedHint': <true>}"),
                 QStringLiteral("@as []")});
    EXPECT_TRUE(monitor.Log().IsLocked());
    m_clock->Set(On(10, 40));
    EmitAndWait(monitor, "--system", session, properties,
                {QStringLiteral("org.freedesktop.login1.Session"), QStringLiteral("{'LockedHint': <false>}"),
                 QStringLiteral("@as []")});
    EXPECT_EQ(Absences(monitor).size(), 2u);

    system.unregisterService(QStringLiteral("org.freedesktop.login1"));
    system.unregisterObject(QStringLiteral("/org/freedesktop/login1"));
}

#include "SessionAbsenceMonitorTest.moc"
