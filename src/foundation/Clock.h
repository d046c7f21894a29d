#pragma once

#include <QDateTime>
#include <memory>

/// The one source of "now". Domain code never reads the system clock directly; tests install a
/// FixedClock.
class Clock {
public:
    virtual ~Clock() = default;
    /// The current local date and time, to the millisecond.
    virtual QDateTime CurrentDateTime() const = 0;

    /// The clock in use (the system clock unless a test installed another one).
    static const Clock& Instance();
    /// Installs a clock; nullptr restores the system clock.
    static void SetInstance(std::shared_ptr<Clock> clock);
};

class SystemClock : public Clock {
public:
    QDateTime CurrentDateTime() const override { return QDateTime::currentDateTime(); }
};

/// A clock that stands still until told to move.
class FixedClock : public Clock {
public:
    explicit FixedClock(QDateTime now) : m_now(std::move(now)) {}
    QDateTime CurrentDateTime() const override { return m_now; }
    void Set(QDateTime now) { m_now = std::move(now); }
    void AdvanceMSecs(qint64 ms) { m_now = m_now.addMSecs(ms); }
    void AdvanceSecs(qint64 s) { m_now = m_now.addSecs(s); }

private:
    QDateTime m_now;
};
