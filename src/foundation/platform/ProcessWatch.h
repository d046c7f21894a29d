#pragma once

#include <QtGlobal>

/// Watches another process until it ends. Open takes a handle on the process (a pidfd where the
/// kernel offers one, so that a reused process id cannot be mistaken for the process); a process
/// that has ended, zombies included, no longer runs.
class TProcessWatch {
public:
    TProcessWatch() = default;
    ~TProcessWatch();
    TProcessWatch(const TProcessWatch&) = delete;
    TProcessWatch& operator=(const TProcessWatch&) = delete;

    /// False for ids <= 0 and for processes that do not exist.
    bool Open(qint64 pid);
    /// True while the opened process has not ended; false if nothing is open.
    bool IsRunning() const;
    /// Checks every pollMs milliseconds until the process has ended. There is no time limit.
    void WaitForEnd(int pollMs = 10) const;

private:
    qint64 m_pid = 0;
    int m_pidfd = -1;
};
