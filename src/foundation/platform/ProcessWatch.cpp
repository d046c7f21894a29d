#include "foundation/platform/ProcessWatch.h"

#include <QFile>
#include <cerrno>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

namespace {

/// Without a pidfd: the process exists and is not a zombie.
bool ProcessIdRuns(qint64 pid) {
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM)
        return false;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true; // no /proc: existence is all we know
    // "pid (name) S ...": the state follows the last ')'.
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    return close < 0 || close + 2 >= line.size() || (line[close + 2] != 'Z' && line[close + 2] != 'X');
}

} // namespace

TProcessWatch::~TProcessWatch() {
    if (m_pidfd >= 0)
        ::close(m_pidfd);
}

bool TProcessWatch::Open(qint64 pid) {
    if (m_pidfd >= 0)
        ::close(m_pidfd);
    m_pidfd = -1;
    m_pid = 0;
    if (pid <= 0)
        return false;
    // Through syscall(): the C library's declaration lacks C linkage in this version.
    const int fd = static_cast<int>(::syscall(SYS_pidfd_open, static_cast<pid_t>(pid), 0));
    if (fd >= 0) {
        m_pidfd = fd;
        m_pid = pid;
        return true;
    }
    if (errno != ENOSYS || !ProcessIdRuns(pid))
        return false;
    m_pid = pid;
    return true;
}

bool TProcessWatch::IsRunning() const {
    if (m_pidfd >= 0) {
        pollfd entry{m_pidfd, POLLIN, 0};
        const int ready = ::poll(&entry, 1, 0);
        if (ready < 0)
            return errno == EINTR;
        return ready == 0; // the pidfd becomes readable when the process ends
    }
    return m_pid > 0 && ProcessIdRuns(m_pid);
}

void TProcessWatch::WaitForEnd(int pollMs) const {
    while (IsRunning())
        std::this_thread::sleep_for(std::chrono::milliseconds(pollMs));
}
