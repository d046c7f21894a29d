#include "foundation/XMZFileSystem.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::shared_ptr<IXMZFileSystem>& Installed() {
    static std::shared_ptr<IXMZFileSystem> instance = std::make_shared<TPosixXMZFileSystem>();
    return instance;
}

template <typename Call> auto RetryOnInterrupt(Call call) {
    decltype(call()) result;
    do {
        result = call();
    } while (result == -1 && errno == EINTR);
    return result;
}
} // namespace

int TPosixXMZFileSystem::Open(const QByteArray& path, int flags, mode_t mode) {
    return RetryOnInterrupt([&] { return ::open(path.constData(), flags | O_CLOEXEC, mode); });
}

int TPosixXMZFileSystem::Close(int fd) {
    // No retry after EINTR: the descriptor is released either way on Linux.
    return ::close(fd);
}

ssize_t TPosixXMZFileSystem::Read(int fd, void* buffer, size_t count, off_t offset) {
    return RetryOnInterrupt([&] { return ::pread(fd, buffer, count, offset); });
}

ssize_t TPosixXMZFileSystem::Write(int fd, const void* buffer, size_t count) {
    return RetryOnInterrupt([&] { return ::write(fd, buffer, count); });
}

int TPosixXMZFileSystem::Truncate(int fd, off_t length) {
    return RetryOnInterrupt([&] { return ::ftruncate(fd, length); });
}

int TPosixXMZFileSystem::Sync(int fd) {
    return RetryOnInterrupt([&] { return ::fsync(fd); });
}

int TPosixXMZFileSystem::LockForWriting(int fd) {
    return RetryOnInterrupt([&] { return ::flock(fd, LOCK_EX | LOCK_NB); });
}

int TPosixXMZFileSystem::Rename(const QByteArray& from, const QByteArray& to) {
    return ::rename(from.constData(), to.constData());
}

int TPosixXMZFileSystem::Remove(const QByteArray& path) {
    return ::unlink(path.constData());
}

int TPosixXMZFileSystem::FileExists(const QByteArray& path) {
    struct stat info {};
    if (::stat(path.constData(), &info) == 0)
        return S_ISREG(info.st_mode) ? 1 : 0;
    return (errno == ENOENT || errno == ENOTDIR) ? 0 : -1;
}

IXMZFileSystem& XMZFileSystem() {
    return *Installed();
}

void SetXMZFileSystem(std::shared_ptr<IXMZFileSystem> fileSystem) {
    Installed() = fileSystem ? std::move(fileSystem) : std::make_shared<TPosixXMZFileSystem>();
}
