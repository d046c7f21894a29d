#pragma once

#include "foundation/XMZFileSystem.h"

#include <cerrno>
#include <functional>

/// The real file system with hooks that can make single calls fail. A hook returns 0 to let the
/// call through, or an errno value to fail it. Install it with ScopedXMZFileSystem.
class FaultyXMZFileSystem : public TPosixXMZFileSystem {
public:
    std::function<int(const QByteArray& path, int flags)> onOpen;
    /// Writes at most *allowed bytes of this call (set by the hook; default all of them); a
    /// non-zero result fails the call once the allowed part has been written.
    std::function<int(int fd, size_t count, size_t* allowed)> onWrite;
    std::function<int(int fd)> onSync;
    std::function<int(int fd)> onClose;
    std::function<int(const QByteArray& from, const QByteArray& to)> onRename;
    std::function<int(const QByteArray& path)> onRemove;

    int Open(const QByteArray& path, int flags, mode_t mode) override {
        if (onOpen)
            if (int error = onOpen(path, flags))
                return Fail(error);
        return TPosixXMZFileSystem::Open(path, flags, mode);
    }
    ssize_t Write(int fd, const void* buffer, size_t count) override {
        if (onWrite) {
            size_t allowed = count;
            if (int error = onWrite(fd, count, &allowed)) {
                if (allowed > 0 && allowed < count)
                    return TPosixXMZFileSystem::Write(fd, buffer, allowed); // the error comes next call
                return Fail(error);
            }
        }
        return TPosixXMZFileSystem::Write(fd, buffer, count);
    }
    int Sync(int fd) override {
        if (onSync)
            if (int error = onSync(fd))
                return Fail(error);
        return TPosixXMZFileSystem::Sync(fd);
    }
    int Close(int fd) override {
        if (onClose)
            if (int error = onClose(fd)) {
                TPosixXMZFileSystem::Close(fd); // the descriptor is gone either way, as on Linux
                return Fail(error);
            }
        return TPosixXMZFileSystem::Close(fd);
    }
    int Rename(const QByteArray& from, const QByteArray& to) override {
        if (onRename)
            if (int error = onRename(from, to))
                return Fail(error);
        return TPosixXMZFileSystem::Rename(from, to);
    }
    int Remove(const QByteArray& path) override {
        if (onRemove)
            if (int error = onRemove(path))
                return Fail(error);
        return TPosixXMZFileSystem::Remove(path);
    }

private:
    static int Fail(int error) {
        errno = error;
        return -1;
    }
};

/// Installs a file system for the lifetime of the object.
class ScopedXMZFileSystem {
public:
    explicit ScopedXMZFileSystem(std::shared_ptr<IXMZFileSystem> fs) { SetXMZFileSystem(std::move(fs)); }
    ~ScopedXMZFileSystem() { SetXMZFileSystem(nullptr); }
    ScopedXMZFileSystem(const ScopedXMZFileSystem&) = delete;
    ScopedXMZFileSystem& operator=(const ScopedXMZFileSystem&) = delete;
};
