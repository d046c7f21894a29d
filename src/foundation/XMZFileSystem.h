#pragma once

#include <QByteArray>
#include <memory>
#include <sys/types.h>

/// The file-system calls that data files use, in POSIX form (-1 and errno on failure). All of
/// TXMZStream and TXMZFile go through the installed instance, so tests can make single calls fail
/// (a full disk halfway through a write, a temporary file that cannot be created, a rename that is
/// refused) and check what survives.
class IXMZFileSystem {
public:
    IXMZFileSystem() = default;
    virtual ~IXMZFileSystem() = default;
    IXMZFileSystem(const IXMZFileSystem&) = delete;
    IXMZFileSystem& operator=(const IXMZFileSystem&) = delete;

    virtual int Open(const QByteArray& path, int flags, mode_t mode) = 0;
    virtual int Close(int fd) = 0;
    /// Reads at an absolute offset (pread).
    virtual ssize_t Read(int fd, void* buffer, size_t count, off_t offset) = 0;
    virtual ssize_t Write(int fd, const void* buffer, size_t count) = 0;
    virtual int Truncate(int fd, off_t length) = 0;
    /// Makes the file's data and size durable (fsync).
    virtual int Sync(int fd) = 0;
    /// Takes the advisory write lock of a data file without waiting (flock LOCK_EX | LOCK_NB).
    virtual int LockForWriting(int fd) = 0;
    virtual int Rename(const QByteArray& from, const QByteArray& to) = 0;
    virtual int Remove(const QByteArray& path) = 0;
    /// 1 if a regular file of that name exists, 0 if not, -1 if that cannot be told.
    virtual int FileExists(const QByteArray& path) = 0;
};

/// The real calls.
class TPosixXMZFileSystem : public IXMZFileSystem {
public:
    int Open(const QByteArray& path, int flags, mode_t mode) override;
    int Close(int fd) override;
    ssize_t Read(int fd, void* buffer, size_t count, off_t offset) override;
    ssize_t Write(int fd, const void* buffer, size_t count) override;
    int Truncate(int fd, off_t length) override;
    int Sync(int fd) override;
    int LockForWriting(int fd) override;
    int Rename(const QByteArray& from, const QByteArray& to) override;
    int Remove(const QByteArray& path) override;
    int FileExists(const QByteArray& path) override;
};

/// The instance in use (the real one unless a test installed another).
IXMZFileSystem& XMZFileSystem();
/// Installs a file system; nullptr restores the real one. Tests only.
void SetXMZFileSystem(std::shared_ptr<IXMZFileSystem> fileSystem);
