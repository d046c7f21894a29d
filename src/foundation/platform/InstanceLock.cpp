#include "foundation/platform/InstanceLock.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <sys/stat.h>
#include <unistd.h>

QString InstanceRuntimeFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime) && QFileInfo(runtime).isDir())
        return QDir::cleanPath(runtime);

    const QString folder = QDir::tempPath() + QStringLiteral("/horalux-") + QString::number(::getuid());
    const QByteArray native = QFile::encodeName(folder);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return QString();
    struct stat info {};
    if (::lstat(native.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid() ||
        (info.st_mode & (S_IRWXG | S_IRWXO)) != 0)
        return QString();
    return folder;
}

TInstanceLock::TInstanceLock(QString folder) : m_folder(std::move(folder)) {}

QString TInstanceLock::FileName() const {
    if (m_lock)
        return m_heldFileName;
    const QString folder = m_folder.isEmpty() ? InstanceRuntimeFolder() : m_folder;
    return folder.isEmpty() ? QString()
                            : folder + u'/' + QLatin1StringView(InstanceMutexName) + QStringLiteral(".lock");
}

TInstanceLock::~TInstanceLock() = default;

bool TInstanceLock::TryAcquire() {
    if (m_lock)
        return true;
    const QString fileName = FileName();
    if (fileName.isEmpty())
        return false;
    auto lock = std::make_unique<QLockFile>(fileName);
    // The instance runs for days: only a dead owner makes the lock stale, never its age.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;
    m_lock = std::move(lock);
    m_heldFileName = fileName;
    return true;
}

void TInstanceLock::Release() {
    m_lock.reset(); // unlocks
}

bool TInstanceLock::IsHeld() const {
    return m_lock != nullptr;
}

TInstanceLock& ProgramInstanceLock() {
    static TInstanceLock lock;
    return lock;
}
