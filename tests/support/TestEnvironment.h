#pragma once

#include "foundation/Clock.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <map>
#include <memory>

/// Points HOME and the XDG folders at fresh temporary folders for its lifetime and restores the
/// previous values afterwards. Every test that touches files uses one, so no test ever reaches
/// the real home folder.
class TempHome {
public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    QString Root() const { return m_dir.path(); }
    QString Home() const;
    QString ConfigHome() const; // $XDG_CONFIG_HOME
    QString DataHome() const;   // $XDG_DATA_HOME
    QString RuntimeDir() const; // $XDG_RUNTIME_DIR
    QString Path(const QString& relative) const { return m_dir.filePath(relative); }

private:
    QTemporaryDir m_dir;
    std::map<QByteArray, std::pair<bool, QByteArray>> m_saved;
};

/// Installs a FixedClock for its lifetime and restores the system clock afterwards.
class ScopedFixedClock {
public:
    explicit ScopedFixedClock(const QDateTime& now);
    ~ScopedFixedClock();
    ScopedFixedClock(const ScopedFixedClock&) = delete;
    ScopedFixedClock& operator=(const ScopedFixedClock&) = delete;

    FixedClock& operator*() { return *m_clock; }
    FixedClock* operator->() { return m_clock.get(); }

private:
    std::shared_ptr<FixedClock> m_clock;
};

/// Called by the test mains before any test runs: a process-wide temporary home, LANG=C.UTF-8,
/// LC_NUMERIC "C".
void PrepareTestProcess();
