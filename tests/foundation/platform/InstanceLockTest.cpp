#include "foundation/platform/InstanceLock.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

/// The id of a process that has ended and been reaped.
qint64 DeadProcessId() {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

} // namespace

TEST(InstanceLock, OneHolderAtATime) {
    TempHome home;
    TInstanceLock first;
    EXPECT_EQ(first.FileName(), home.RuntimeDir() + QStringLiteral("/Varnelo Horalux.lock"));
    ASSERT_TRUE(first.TryAcquire());
    EXPECT_TRUE(first.TryAcquire()); // already held by this object
    TInstanceLock second;
    EXPECT_FALSE(second.TryAcquire());
    EXPECT_FALSE(second.IsHeld());
    first.Release();
    EXPECT_FALSE(QFile::exists(first.FileName()));
    EXPECT_TRUE(second.TryAcquire());
}

TEST(InstanceLock, LockOfADeadProcessIsTakenOver) {
    TempHome home;
    TInstanceLock probe;
    // Write the lock a crashed instance would leave behind: our own lock's content with the id
    // of a process that no longer exists.
    QByteArray content;
    {
        QLockFile lock(probe.FileName());
        ASSERT_TRUE(lock.tryLock(0));
        QFile file(probe.FileName());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        content = file.readAll();
    }
    const qsizetype newline = content.indexOf('\n');
    ASSERT_GT(newline, 0);
    content = QByteArray::number(DeadProcessId()) + content.mid(newline);
    QFile stale(probe.FileName());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(content);
    stale.close();
    // Even a very old lock of a live process is not stale; a dead owner makes it stale at once.
    ASSERT_TRUE(probe.TryAcquire());
    EXPECT_TRUE(probe.IsHeld());
}

TEST(InstanceLock, RuntimeFolderFallsBackToAPrivateTempFolder) {
    TempHome home;
    const QByteArray savedTmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", home.Root().toUtf8());
    qunsetenv("XDG_RUNTIME_DIR");
    const QString expected = home.Root() + QStringLiteral("/horalux-") + QString::number(::getuid());
    EXPECT_EQ(InstanceRuntimeFolder(), expected);
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(expected).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(InstanceRuntimeFolder(), expected); // existing folder reused

    // A folder others can write into is refused, and so is the lock in it.
    ::chmod(QFile::encodeName(expected).constData(), 0777);
    EXPECT_EQ(InstanceRuntimeFolder(), QString());
    TInstanceLock refused;
    EXPECT_FALSE(refused.TryAcquire());
    ::chmod(QFile::encodeName(expected).constData(), 0700);

    // A relative or missing XDG_RUNTIME_DIR does not count.
    qputenv("XDG_RUNTIME_DIR", "relative");
    EXPECT_EQ(InstanceRuntimeFolder(), expected);
    qputenv("XDG_RUNTIME_DIR", (home.Root() + QStringLiteral("/missing")).toUtf8());
    EXPECT_EQ(InstanceRuntimeFolder(), expected);
    qputenv("TMPDIR", savedTmp);
    if (savedTmp.isEmpty())
        qunsetenv("TMPDIR");
}
