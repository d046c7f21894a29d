#include "foundation/XMZStream.h"

#include "foundation/XMZFileSystem.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QString SystemReason(int errorCode) {
    return QString::fromLocal8Bit(std::strerror(errorCode));
}
} // namespace

TXMZStream::TXMZStream(const QString& fileName, TXMZAccess access, TXMZCreation creation)
    : m_fileName(fileName), m_encodedName(QFile::encodeName(fileName)) {
    IXMZFileSystem& fs = XMZFileSystem();
    int flags = access == TXMZAccess::Read ? O_RDONLY : O_RDWR;
    if (creation == TXMZCreation::CreateNew)
        flags |= O_CREAT | O_EXCL;
    // A person's time records: readable by the user alone, from the first byte on.
    const int fd = fs.Open(m_encodedName, flags, 0600);
    if (fd < 0)
        Fail(creation == TXMZCreation::CreateNew ? "Cannot create file" : "Cannot open file", errno);
    m_fd = fd;
    if (access == TXMZAccess::ReadWrite && fs.LockForWriting(m_fd) != 0) {
        const int error = errno;
        fs.Close(m_fd);
        m_fd = -1;
        if (creation == TXMZCreation::CreateNew)
            fs.Remove(m_encodedName); // we created it, nobody else may have it
        if (error == EWOULDBLOCK)
            throw EXMZStreamError(
                QStringLiteral("Cannot open file \"%1\". It is being written by another program.").arg(m_fileName),
                error);
        Fail("Cannot lock file", error);
    }
}

TXMZStream::~TXMZStream() {
    if (m_fd >= 0)
        XMZFileSystem().Close(m_fd);
}

void TXMZStream::Fail(const char* what, int errorCode) const {
    throw EXMZStreamError(QStringLiteral("%1 \"%2\". %3").arg(QLatin1String(what), m_fileName, SystemReason(errorCode)),
                          errorCode);
}

QByteArray TXMZStream::ReadAll() const {
    if (m_fd < 0)
        Fail("Cannot read closed file", EBADF);
    IXMZFileSystem& fs = XMZFileSystem();
    struct stat info {};
    QByteArray data;
    if (::fstat(m_fd, &info) == 0 && info.st_size > 0)
        data.reserve(static_cast<qsizetype>(info.st_size) + 1);
    constexpr qsizetype chunk = 65536;
    qsizetype used = 0;
    for (;;) {
        if (data.size() < used + chunk)
            data.resize(std::max<qsizetype>(used + chunk, data.capacity()));
        const ssize_t got = fs.Read(m_fd, data.data() + used, static_cast<size_t>(data.size() - used), used);
        if (got < 0)
            Fail("Cannot read file", errno);
        if (got == 0)
            break;
        used += got;
    }
    data.resize(used);
    return data;
}

void TXMZStream::Rewrite(const QByteArray& data) {
    if (m_fd < 0)
        Fail("Cannot write closed file", EBADF);
    IXMZFileSystem& fs = XMZFileSystem();
    if (fs.Truncate(m_fd, 0) != 0)
        Fail("Cannot write file", errno);
    // The descriptor's offset may be anywhere after earlier writes; ReadAll uses pread, so the
    // offset only matters here.
    if (::lseek(m_fd, 0, SEEK_SET) < 0)
        Fail("Cannot write file", errno);
    const char* next = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t written = fs.Write(m_fd, next, static_cast<size_t>(left));
        if (written < 0)
            Fail("Cannot write file", errno);
        if (written == 0)
            Fail("Cannot write file", EIO);
        next += written;
        left -= written;
    }
    if (fs.Sync(m_fd) != 0)
        Fail("Cannot write file", errno);
}

void TXMZStream::CopyPermissionsFrom(const TXMZStream& other) {
    struct stat info {};
    if (m_fd >= 0 && other.m_fd >= 0 && ::fstat(other.m_fd, &info) == 0)
        (void)::fchmod(m_fd, info.st_mode & 07777);
}

void TXMZStream::SetFileName(const QString& fileName) {
    m_fileName = fileName;
    m_encodedName = QFile::encodeName(fileName);
}

bool TXMZStream::IsStillNamed() const {
    struct stat opened {};
    struct stat named {};
    if (m_fd < 0 || ::fstat(m_fd, &opened) != 0 || ::stat(m_encodedName.constData(), &named) != 0)
        return false;
    return opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

void TXMZStream::Close() {
    if (m_fd < 0)
        return;
    const int fd = m_fd;
    m_fd = -1;
    if (XMZFileSystem().Close(fd) != 0)
        Fail("Cannot close file", errno);
}
