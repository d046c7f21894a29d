#include "foundation/XMZStream.h"

#include "support/FaultyXMZFileSystem.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {
class XMZStreamTest : public testing::Test {
protected:
    TempHome home;
    QString Name(const char* name) const { return home.Path(QString::fromLatin1(name)); }
    static void WriteFile(const QString& name, const QByteArray& data) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data);
    }
    static int ErrorOf(const std::function<void()>& call) {
        try {
            call();
        } catch (const EXMZStreamError& e) {
            return e.ErrorCode();
        }
        return 0;
    }
};
} // namespace

TEST_F(XMZStreamTest, OpenAndCreateModes) {
    const QString name = Name("a.hx");
    EXPECT_EQ(ErrorOf([&] { TXMZStream s(name, TXMZAccess::Read, TXMZCreation::OpenExisting); }), ENOENT);
    EXPECT_EQ(ErrorOf([&] { TXMZStream s(name, TXMZAccess::ReadWrite, TXMZCreation::OpenExisting); }), ENOENT);
    {
        TXMZStream created(name, TXMZAccess::ReadWrite, TXMZCreation::CreateNew);
        EXPECT_TRUE(created.IsOpen());
        EXPECT_EQ(created.ReadAll(), QByteArray());
    }
    EXPECT_EQ(ErrorOf([&] { TXMZStream s(name, TXMZAccess::ReadWrite, TXMZCreation::CreateNew); }), EEXIST);
    try {
        TXMZStream s(Name("missing.hx"), TXMZAccess::Read, TXMZCreation::OpenExisting);
        FAIL();
    } catch (const EXMZStreamError& e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Cannot open file \"") + Name("missing.hx") + u'"'));
    }
}

TEST_F(XMZStreamTest, RewriteReplacesTheWholeContent) {
    const QString name = Name("b.hx");
    TXMZStream stream(name, TXMZAccess::ReadWrite, TXMZCreation::CreateNew);
    QByteArray large(300000, 'x');
    large[123456] = 'y';
    stream.Rewrite(large);
    EXPECT_EQ(stream.ReadAll(), large);
    stream.Rewrite("short");
    EXPECT_EQ(stream.ReadAll(), QByteArray("short"));
    stream.Close();
    EXPECT_FALSE(stream.IsOpen());
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("short"));
}

TEST_F(XMZStreamTest, OneWriterManyReaders) {
    const QString name = Name("c.hx");
    WriteFile(name, "data");
    auto writer = std::make_unique<TXMZStream>(name, TXMZAccess::ReadWrite, TXMZCreation::OpenExisting);
    // Others may read while the writer holds the file, but not write.
    TXMZStream reader(name, TXMZAccess::Read, TXMZCreation::OpenExisting);
    EXPECT_EQ(reader.ReadAll(), QByteArray("data"));
    try {
        TXMZStream second(name, TXMZAccess::ReadWrite, TXMZCreation::OpenExisting);
        FAIL() << "a second writer got the file";
    } catch (const EXMZStreamError& e) {
        EXPECT_EQ(e.ErrorCode(), EWOULDBLOCK);
        EXPECT_TRUE(e.Message().contains(QStringLiteral("another program")));
    }
    writer.reset();
    EXPECT_NO_THROW(TXMZStream(name, TXMZAccess::ReadWrite, TXMZCreation::OpenExisting));
}

TEST_F(XMZStreamTest, SystemErrorsOfWriteSyncAndCloseAreRaised) {
    auto fs = std::make_shared<FaultyXMZFileSystem>();
    ScopedXMZFileSystem installed(fs);
    const QString name = Name("d.hx");
    TXMZStream stream(name, TXMZAccess::ReadWrite, TXMZCreation::CreateNew);

    // A disk that fills up halfway through the write.
    fs->onWrite = [](int, size_t count, size_t* allowed) {
        *allowed = count / 2;
        return ENOSPC;
    };
    EXPECT_EQ(ErrorOf([&] { stream.Rewrite(QByteArray(100000, 'z')); }), ENOSPC);
    fs->onWrite = nullptr;

    fs->onSync = [](int) { return EIO; };
    EXPECT_EQ(ErrorOf([&] { stream.Rewrite("abc"); }), EIO);
    fs->onSync = nullptr;

    fs->onClose = [](int) { return EIO; };
    EXPECT_EQ(ErrorOf([&] { stream.Close(); }), EIO);
    EXPECT_FALSE(stream.IsOpen());
}
