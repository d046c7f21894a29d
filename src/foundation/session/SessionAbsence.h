#pragma once

// Notices when the user leaves the desktop: the screen gets locked or the machine goes to sleep.
// When the program later asks what was done in a period, it offers these absences as proposed
// interruptions; it never books them on its own. The moments come from the desktop's buses: the
// login manager on the system bus (sleep, lock and unlock of our session) and the screen savers on
// the session bus. Every source is optional; without any the program simply proposes nothing.

#include "foundation/session/AbsenceLog.h"
#include "foundation/session/AbsencePeriod.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <memory>
#include <vector>

class QDBusPendingCallWatcher;

class ISessionAbsence {
public:
    virtual ~ISessionAbsence() = default;
    /// Whether absences are observed at all (false without a usable bus).
    virtual bool Available() const = 0;
    /// The absences that overlap from..to, each clipped to from..to, oldest first; an absence
    /// still going on ends at "now" (clipped to to). Overlapping lock and suspend periods are
    /// merged into one (the kind of the longer one).
    virtual std::vector<TAbsencePeriod> AbsencesBetween(double from, double to) const = 0;
};

/// Observes the session. Created once by the program at start-up.
class TSessionAbsenceMonitor : public QObject, public ISessionAbsence {
    Q_OBJECT
public:
    /// Connects to the buses; without a session bus and without a system bus Available() is false
    /// and one log line says so: "Session absence detection is off: <reason>".
    explicit TSessionAbsenceMonitor(QObject* parent = nullptr);

    bool Available() const override { return m_available; }
    std::vector<TAbsencePeriod> AbsencesBetween(double from, double to) const override;

    // What the bus signals call, and the seam of the tests: the session became locked / unlocked,
    // the machine goes to sleep / woke up, at the clock's present.
    void Locked();
    void Unlocked();
    void Suspending();
    void Resumed();

    /// The periods recorded so far.
    const TAbsenceLog& Log() const { return m_log; }
    /// The object path of our login session once the login manager named it (its lock signals are
    /// observed from then on); empty before and without one.
    QString SessionPath() const { return m_sessionPath; }

signals:
    /// A lock, unlock, sleep or wake-up was reported (and recorded where it changed anything).
    void Changed();

private slots:
    void ScreenSaverActiveChanged(bool active);
    void PrepareForSleep(bool start);
    void SessionLock();
    void SessionUnlock();
    void SessionPropertiesChanged(const QString& interfaceName, const QVariantMap& changed,
                                  const QStringList& invalidated);
    void SessionPathFound(QDBusPendingCallWatcher* watcher);

private:
    bool ConnectSessionBus(QString& reason);
    bool ConnectSystemBus(QString& reason);

    TAbsenceLog m_log;
    bool m_available = false;
    QString m_sessionPath;
};
