#pragma once

#include <QString>
#include <memory>

class QLockFile;

/// The per-user folder for the single-instance lock and the instance channel: $XDG_RUNTIME_DIR
/// when it is set to an existing absolute folder, else "<temp>/horalux-<uid>" (temp is
/// QDir::tempPath(), normally /tmp), created with mode 0700. That fallback is refused (empty
/// result) when it is not a real folder owned by this user and closed to others, so that nobody
/// else can plant a lock or a socket there.
QString InstanceRuntimeFolder();

/// The name of the program's single-instance guard.
inline constexpr char InstanceMutexName[] = "Varnelo Horalux";

/// The guard that lets only one instance run per user: a lock file named after the guard in the
/// runtime folder. A lock left behind by a process that no longer runs (after a crash) is taken
/// over; a lock is never considered stale by its age.
class TInstanceLock {
public:
    /// folder empty: InstanceRuntimeFolder() at the time of TryAcquire.
    explicit TInstanceLock(QString folder = QString());
    ~TInstanceLock();
    TInstanceLock(const TInstanceLock&) = delete;
    TInstanceLock& operator=(const TInstanceLock&) = delete;

    /// Takes the lock; false if another live process holds it or the lock cannot be created.
    bool TryAcquire();
    /// Gives the lock up (nothing if not held).
    void Release();
    bool IsHeld() const;
    /// The lock file's path; empty if there is no runtime folder.
    QString FileName() const;

private:
    QString m_folder;
    QString m_heldFileName;
    std::unique_ptr<QLockFile> m_lock;
};

/// The program's own guard, held from the single-instance step until the controller shuts down
/// (and released at process end in any case).
TInstanceLock& ProgramInstanceLock();
