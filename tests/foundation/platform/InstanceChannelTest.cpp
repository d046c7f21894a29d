#include "foundation/ipc/InstanceChannel.h"
#include "foundation/platform/InstanceLock.h"
#include "support/TestEnvironment.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <future>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

/// Runs f on a thread of its own (the client side blocks) while this thread serves events (the
/// server side), and returns f's result.
template <typename F> auto RunClient(F f) {
    auto future = std::async(std::launch::async, std::move(f));
    const QDeadlineTimer deadline(60000);
    while (future.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return future.get();
}

class InstanceChannel : public ::testing::Test {
protected:
    TempHome m_home;
    QString m_name = InstanceServerName();
};

} // namespace

TEST_F(InstanceChannel, NameIsDerivedFromTheCaptionAndTheUser) {
    EXPECT_EQ(m_name, m_home.RuntimeDir() + QStringLiteral("/Varnelo Horalux Invisible Control Window-") +
                          QString::number(::getuid()));
    // A runtime folder so long that the socket path would not fit: a short derived name.
    const qsizetype pad = 100 - m_home.Root().size() - 1 - 20 - 2; // room for "/hx-" and 16 digits
    ASSERT_GT(pad, 10);
    const QString longFolder = m_home.Root() + u'/' + QString(pad, u'r');
    ASSERT_TRUE(QDir().mkpath(longFolder));
    qputenv("XDG_RUNTIME_DIR", longFolder.toUtf8());
    const QString shortName = InstanceServerName();
    EXPECT_TRUE(shortName.startsWith(longFolder + QStringLiteral("/hx-")));
    EXPECT_LE(QFile::encodeName(shortName).size(), 100);
    EXPECT_EQ(shortName, InstanceServerName());
}

TEST_F(InstanceChannel, RequestsAndAnswers) {
    QList<int> received;
    TInstanceServer server([&](int message) -> qint64 {
        received << message;
        if (message == WM_HXPING)
            return HX_PING_REPLY;
        if (message == 4711)
            throw std::runtime_error("handler failed");
        return message == WM_HXQUIT ? 0x1122334455LL : 0;
    });
    ASSERT_TRUE(server.Listen(m_name));
    EXPECT_EQ(RunClient([&] { return SendInstanceMessage(m_name, WM_HXPING); }), HX_PING_REPLY);
    EXPECT_EQ(RunClient([&] { return SendInstanceMessage(m_name, WM_HXQUIT); }), 0x1122334455LL);
    EXPECT_EQ(RunClient([&] { return SendInstanceMessage(m_name, 12345); }), 0);
    EXPECT_EQ(RunClient([&] { return SendInstanceMessage(m_name, 4711); }), 0); // a failing handler answers 0
    EXPECT_EQ(received, (QList<int>{WM_HXPING, WM_HXQUIT, 12345, 4711}));
    server.Close();
    EXPECT_EQ(RunClient([&] { return SendInstanceMessage(m_name, WM_HXPING, 500); }), std::nullopt);
}

TEST_F(InstanceChannel, NoListenerNoAnswer) {
    EXPECT_EQ(SendInstanceMessage(m_name, WM_HXPING, 500), std::nullopt);
    EXPECT_EQ(SendInstanceMessage(QString(), WM_HXPING, 500), std::nullopt);
    EXPECT_EQ(RequestRunningInstanceQuit(m_name), TQuitRequestResult::NoInstance);
}

TEST_F(InstanceChannel, SocketLeftByACrashIsReplaced) {
    {
        TInstanceServer crashed([](int) { return qint64(1); });
        ASSERT_TRUE(crashed.Listen(m_name));
    }
    // Leave a plain file where the socket was, as a process killed hard would leave its socket.
    QFile leftover(m_name);
    ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    leftover.close();
    TInstanceServer server([](int) { return HX_PING_REPLY; });
    ASSERT_TRUE(server.Listen(m_name));
    EXPECT_EQ(RunClient([&] { return SendInstanceMessage(m_name, WM_HXPING); }), HX_PING_REPLY);
}

TEST_F(InstanceChannel, SilentClientDoesNotBlockOthers) {
    TInstanceServer server([](int) { return HX_PING_REPLY; });
    ASSERT_TRUE(server.Listen(m_name));
    QLocalSocket silent;
    silent.connectToServer(m_name);
    ASSERT_TRUE(silent.waitForConnected(5000));
    silent.write("\x01", 1); // part of a request only
    silent.flush();
    EXPECT_EQ(RunClient([&] { return SendInstanceMessage(m_name, WM_HXPING); }), HX_PING_REPLY);
}

TEST_F(InstanceChannel, QuitRequestOutcomes) {
    // A listener that answers the ping wrongly is not the program.
    {
        TInstanceServer stranger([](int) { return qint64(42); });
        ASSERT_TRUE(stranger.Listen(m_name));
        EXPECT_EQ(RunClient([&] { return RequestRunningInstanceQuit(m_name); }), TQuitRequestResult::NoPingReply);
    }
    // An instance that is still starting answers the quit with 0: nothing to wait for.
    {
        TInstanceServer starting([](int message) { return message == WM_HXPING ? HX_PING_REPLY : 0; });
        ASSERT_TRUE(starting.Listen(m_name));
        EXPECT_EQ(RunClient([&] { return RequestRunningInstanceQuit(m_name); }), TQuitRequestResult::InstanceStarting);
    }
    // A running instance: its process (here a child that ends when told) is waited for.
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        char byte;
        ::close(pipeFds[1]);
        [[maybe_unused]] const ssize_t n = ::read(pipeFds[0], &byte, 1);
        ::_exit(0);
    }
    ::close(pipeFds[0]);
    bool quitReceived = false;
    TInstanceServer running([&](int message) -> qint64 {
        if (message == WM_HXPING)
            return HX_PING_REPLY;
        if (message == WM_HXQUIT) {
            quitReceived = true;
            ::close(pipeFds[1]); // the "instance" starts to end
            return child;
        }
        return 0;
    });
    ASSERT_TRUE(running.Listen(m_name));
    EXPECT_EQ(RunClient([&] { return RequestRunningInstanceQuit(m_name); }), TQuitRequestResult::InstanceEnded);
    EXPECT_TRUE(quitReceived);
    ::waitpid(child, nullptr, 0);
}
