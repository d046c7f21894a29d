// A process that saves over and over is killed at random moments; the main file must always read
// back as one complete document, the one before or the one after a save, never a mixture.

#include "foundation/XMZFile.h"

#include "support/TestEnvironment.h"

#include <QDir>
#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <poll.h>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// Every generation has its own number of items, and every item names its generation, so a file
// made of parts of two generations is told apart from either.
int ItemsFor(int generation) {
    return 20 + (generation % 7) * 40;
}

void WriteGeneration(TXMZFile& file, int generation) {
    const TvrnDomElement content = file.GetContent();
    XMLRemoveAllChildren(content);
    const QString payload(120, QChar(u'a' + generation % 26));
    for (int i = 0; i < ItemsFor(generation); ++i) {
        const TvrnDomElement item = XMLAddChild(content, QStringLiteral("item"));
        XMLSetValue(item, QStringLiteral("gen"), QString::number(generation), xsoAttribute);
        XMLSetValue(item, QStringLiteral("text"), payload);
    }
}

/// The generation the file holds, or -1 if it is not one complete generation.
int CheckedGeneration(TXMZFile& file) {
    int generation = -2;
    int count = 0;
    const TvrnDomElement content = file.GetContent();
    for (TvrnDomElement item = XMLFirstChildElement(content); item.Assigned(); item = XMLNextSiblingElement(item)) {
        const int gen = XMLGetValue(item, QStringLiteral("gen")).toInt();
        if (generation == -2)
            generation = gen;
        else if (gen != generation)
            return -1;
        ++count;
    }
    return count == ItemsFor(generation) ? generation : -1;
}

/// Saves new generations until it is killed; after each save that returned, one byte on reported.
[[noreturn]] void SaveForever(const QString& name, int reported) {
    try {
        TXMZFile file;
        file.AssignFile_(name, false, TGUID());
        int generation = CheckedGeneration(file);
        for (;;) {
            ++generation;
            file.SetCompress(generation % 2 == 0);
            WriteGeneration(file, generation);
            file.Save();
            if (::write(reported, "s", 1) != 1)
                _exit(4);
        }
    } catch (...) {
        _exit(3);
    }
}
} // namespace

TEST(XMZCrashSafety, KilledWhileSavingLeavesTheOldOrTheNewDocument) {
    TempHome home;
    const QString name = home.Path(QStringLiteral("crash.hx"));
    {
        TXMZFile file;
        file.AssignNewFile_(name, TGUID());
        WriteGeneration(file, 0);
        file.Save();
    }
    std::mt19937 random(20240501);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    int lastGeneration = 0;
    int rounds = 0;
    int midSave = 0;
    // How long one save takes here (under load it can be many times the unloaded figure); kills
    // are spread over that time, so they land within saves as well as between them.
    std::int64_t saveMicros = 20000;
    while (rounds < 300 && std::chrono::steady_clock::now() < deadline) {
        ++rounds;
        int pipe[2];
        ASSERT_EQ(::pipe(pipe), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(pipe[0]);
            SaveForever(name, pipe[1]);
        }
        ::close(pipe[1]);
        // Mostly wait until a save has returned, then kill somewhere in the next one; now and then
        // kill while the file is still being opened or the first save runs.
        int confirmed = 0;
        if (random() % 5 < 3) {
            const auto started = std::chrono::steady_clock::now();
            pollfd wait{pipe[0], POLLIN, 0};
            char byte = 0;
            if (::poll(&wait, 1, 10000) == 1 && ::read(pipe[0], &byte, 1) == 1) {
                confirmed = 1;
                const auto took =
                    std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started);
                saveMicros = (saveMicros + took.count()) / 2;
            }
        }
        ::usleep(static_cast<useconds_t>(random() % (saveMicros + 1)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving process stopped by itself with " << WEXITSTATUS(status);
        char drain[256];
        int reportedSaves = confirmed;
        for (ssize_t got; (got = ::read(pipe[0], drain, sizeof drain)) > 0;)
            reportedSaves += static_cast<int>(got);
        ::close(pipe[0]);

        TXMZFile reader;
        ASSERT_NO_THROW(reader.AssignFile_(name, true, TGUID())) << "round " << rounds;
        const int generation = CheckedGeneration(reader);
        ASSERT_GE(generation, 0) << "round " << rounds << ": a mixture of two documents";
        // Every save that returned is in the file; at most the one that was cut off is missing.
        ASSERT_GE(generation, lastGeneration + reportedSaves) << "round " << rounds << ": a saved state was lost";
        ASSERT_LE(generation, lastGeneration + reportedSaves + 1) << "round " << rounds;
        if (generation == lastGeneration + reportedSaves + 1)
            ++midSave; // killed after the rename, before the save could report
        lastGeneration = generation;

        // Temporary files of killed processes stay behind by design; clear them so the folder
        // does not fill up.
        for (const QString& leftover : QDir(home.Root()).entryList({QStringLiteral("crash.hx*.TMP")}, QDir::Files))
            QFile::remove(home.Path(leftover));
    }
    std::printf("%d rounds, last generation %d, %d kills between the rename and the return\n", rounds, lastGeneration,
                midSave);
    EXPECT_GE(rounds, 20);
    EXPECT_GT(lastGeneration, rounds / 2);
}
