// A process that saves over and over is killed at random moments; the main file must always read
// back as one complete document, the one before or the one after a save, never a mixture.

#include "foundation/XMZFile.h"

#include "TestEnvironment.h"

#include <QDir>
#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
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

[[noreturn]] void SaveForever(const QString& name) {
    try {
        TXMZFile file;
        file.AssignFile_(name, false, TGUID());
        int generation = CheckedGeneration(file);
        for (;;) {
            ++generation;
            file.SetCompress(generation % 2 == 0);
            WriteGeneration(file, generation);
            file.Save();
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
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(12);
    int lastGeneration = 0;
    int rounds = 0;
    int advanced = 0;
    while (rounds < 300 && std::chrono::steady_clock::now() < deadline) {
        ++rounds;
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            SaveForever(name);
        ::usleep(1000 + random() % 40000);
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving process stopped by itself with " << WEXITSTATUS(status);

        TXMZFile reader;
        ASSERT_NO_THROW(reader.AssignFile_(name, true, TGUID())) << "round " << rounds;
        const int generation = CheckedGeneration(reader);
        ASSERT_GE(generation, lastGeneration) << "round " << rounds << ": a mixture or an older document";
        if (generation > lastGeneration)
            ++advanced;
        lastGeneration = generation;

        // Temporary files of killed processes stay behind by design; clear them so the folder
        // does not fill up.
        for (const QString& leftover : QDir(home.Root()).entryList({QStringLiteral("crash.hx*.TMP")}, QDir::Files))
            QFile::remove(home.Path(leftover));
    }
    std::printf("%d rounds, %d advanced, last generation %d\n", rounds, advanced, lastGeneration);
    EXPECT_GE(rounds, 100);
    // Enough kills landed between saves and within them for the test to mean something.
    EXPECT_GT(advanced, rounds / 10) << advanced << " of " << rounds << " rounds saw a new generation";
}
