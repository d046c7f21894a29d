#pragma once

#include "foundation/VRNException.h"

#include <QByteArray>
#include <QString>

/// An error the operating system reported for a data file (open, read, write, sync, close).
class EXMZStreamError : public EVRNException {
public:
    EXMZStreamError(const QString& message, int errorCode) : EVRNException(message), m_errorCode(errorCode) {}
    QString ClassName() const override { return QStringLiteral("EXMZStreamError"); }
    /// The errno value behind the error (0 if none).
    int ErrorCode() const { return m_errorCode; }

private:
    int m_errorCode;
};

enum class TXMZAccess { Read, ReadWrite };
enum class TXMZCreation { OpenExisting, CreateNew };

/// One open data file. Sharing: a stream opened for reading and writing holds the file's advisory
/// write lock for as long as it is open, so other processes may read the file at the same time but
/// a second writer is refused; a stream opened for reading takes no lock. (The Windows model of
/// "share for reading first, exclusively as a fallback" has no second case here: a lock that
/// cannot be had means another writer holds the file.)
///
/// All calls go through XMZFileSystem(), so tests can make them fail.
class TXMZStream {
public:
    /// Opens or creates the file; raises EXMZStreamError with the system's reason. CreateNew fails
    /// if the file exists.
    TXMZStream(const QString& fileName, TXMZAccess access, TXMZCreation creation);
    /// Closes the handle; errors are ignored here (call Close to see them).
    ~TXMZStream();
    TXMZStream(const TXMZStream&) = delete;
    TXMZStream& operator=(const TXMZStream&) = delete;

    const QString& FileName() const { return m_fileName; }
    /// Records the file's new name after it was renamed while open.
    void SetFileName(const QString& fileName);
    bool IsOpen() const { return m_fd >= 0; }

    /// The whole file from position 0.
    QByteArray ReadAll() const;
    /// Replaces the content by data and returns only once the data has reached the disk (truncate,
    /// write, fsync). After a failure the content of the file is undefined.
    void Rewrite(const QByteArray& data);
    /// Gives this file the permission bits of another open file (best effort: failures are ignored,
    /// the file keeps the ones it was created with).
    void CopyPermissionsFrom(const TXMZStream& other);
    /// Whether the open file is still the one its name refers to (false once it was deleted or
    /// another file took its name).
    bool IsStillNamed() const;
    /// Closes the handle; raises EXMZStreamError if the system reports an error. The stream is closed
    /// afterwards either way.
    void Close();

private:
    [[noreturn]] void Fail(const char* what, int errorCode) const;

    QString m_fileName;
    QByteArray m_encodedName;
    int m_fd = -1;
};
