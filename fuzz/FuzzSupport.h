#pragma once

// What the fuzz targets share: a failed check ends the run where the fuzzer sees it, and the
// targets that read files write each input into a scratch folder of their own.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <cstdlib>
#include <unistd.h>

/// Aborts when condition does not hold: the fuzzer reports the input.
inline void Check(bool condition) {
    if (!condition)
        std::abort();
}

/// A new folder named after prefix, made once per process; on a memory file system where there
/// is one, since saving syncs every file.
inline QString ScratchFolder(const char* prefix) {
    const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    QByteArray templ = base.toUtf8() + '/' + prefix + "_XXXXXX";
    Check(::mkdtemp(templ.data()) != nullptr);
    return QString::fromUtf8(templ);
}

/// Writes bytes as the whole file; false when that fails.
inline bool WriteFile(const QString& name, const QByteArray& bytes) {
    QFile file(name);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}
