#include "foundation/platform/ProcessWatch.h"

#include <QCoreApplication>
#include <QProcess>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

TEST(ProcessWatch, OpensOnlyLiveProcesses) {
    TProcessWatch watch;
    EXPECT_FALSE(watch.Open(0));
    EXPECT_FALSE(watch.Open(-5));
    EXPECT_FALSE(watch.IsRunning());
    EXPECT_TRUE(watch.Open(QCoreApplication::applicationPid()));
    EXPECT_TRUE(watch.IsRunning());
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    EXPECT_FALSE(watch.Open(child));
}

TEST(ProcessWatch, SeesTheEndOfAProcessThatIsNotReapedYet) {
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        char byte;
        ::close(pipeFds[1]);
        [[maybe_unused]] const ssize_t n = ::read(pipeFds[0], &byte, 1); // until the parent says so
        ::_exit(0);
    }
    ::close(pipeFds[0]);
    TProcessWatch watch;
    ASSERT_TRUE(watch.Open(child));
    EXPECT_TRUE(watch.IsRunning());
    ::close(pipeFds[1]); // the child ends and stays a zombie: nobody reaps it yet
    watch.WaitForEnd(10);
    EXPECT_FALSE(watch.IsRunning());
    ::waitpid(child, nullptr, 0);
}
