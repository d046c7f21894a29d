// A save in which one file fails: what the other files committed is named by their parents and
// survives a restart; only the failed part stays in memory, and the storage says so.

#include "StorageTestSupport.h"

#include "foundation/DateTime.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

class StoragePartialSaveTest : public TStorageFixture {
protected:
    /// An empty storage folder of its own, with a new host and no questions asked yet.
    void UseNewFolder(const QString& name) {
        m_folder = m_home.Path(QStringLiteral("folder") + name);
        QDir().mkpath(m_folder);
        m_questions->asked.clear();
        Reopen();
    }
    /// A saved history: 2005-06-01 holds one entry in data2005.hx; today is 2006-03-22.
    void WriteHistory() {
        SetToday(2006, 3, 22);
        AddEntry(Day(2005, 6, 1), 9, 10);
        Typed()->Save();
        ASSERT_TRUE(Files().contains(QStringLiteral("data2005.hx")));
        Reopen();
    }
};

TEST_F(StoragePartialSaveTest, CommittedFilesSurviveARestartWhateverOtherFileFailed) {
    struct TCase {
        const char* failing; // files whose creation fails (their temporary files too)
        int today;           // entries of today after the restart
        int lastYear;        // entries of 2005-06-01 after the restart
    };
    const TCase cases[] = {
        {"data2005", 1, 1}, // the edit of last year fails: today's booking is kept
        {"current", 0, 2},  // today's window fails: the edit of last year is kept
        {"cdem", 0, 2},     // their parent fails: the year file, rewritten in place, keeps the edit;
                            // the new window is named by no file and waits in memory
    };
    int folder = 0;
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.failing);
        UseNewFolder(QString::number(++folder));
        WriteHistory();
        AddEntry(Day(2006, 3, 22), 9, 10);
        AddEntry(Day(2005, 6, 1), 10, 11);
        {
            TFailingCreation failing(QString::fromLatin1(c.failing));
            m_questions->Script({StorageAnswer::Ignore});
            Typed()->Save(); // Ignore: the save returns normally
            EXPECT_GT(failing.Failed(), 0);
            EXPECT_EQ(m_questions->asked.size(), 1u);
            EXPECT_TRUE(Host().GetStorage()->Changed()) << "the failed part is only in memory";
        }
        Reopen();
        EXPECT_EQ(CountEntries(Day(2006, 3, 22)), c.today);
        EXPECT_EQ(CountEntries(Day(2005, 6, 1)), c.lastYear);
    }
}

// The failed part stays changed in memory and reaches disk with the next save.
TEST_F(StoragePartialSaveTest, FailedPartIsWrittenByTheNextSave) {
    WriteHistory();
    AddEntry(Day(2006, 3, 22), 9, 10);
    AddEntry(Day(2005, 6, 1), 10, 11);
    {
        TFailingCreation failing(QStringLiteral("data2005"));
        m_questions->Script({StorageAnswer::Ignore});
        Typed()->Save();
    }
    Typed()->Save();
    EXPECT_FALSE(Host().GetStorage()->Changed());
    Reopen();
    EXPECT_EQ(CountEntries(Day(2006, 3, 22)), 1);
    EXPECT_EQ(CountEntries(Day(2005, 6, 1)), 2);
    EXPECT_EQ(m_questions->asked.size(), 1u);
}

// Attempts that failed before their file existed leave no trace in the names: the write that
// succeeds takes the first name.
TEST_F(StoragePartialSaveTest, RetriedWritesKeepTheirReservedName) {
    AddEntry(Day(2006, 3, 14), 9, 10);
    TFailingCreation failing(QStringLiteral("current"), 3);
    m_questions->Script({StorageAnswer::Retry, StorageAnswer::Retry, StorageAnswer::Retry});
    Typed()->Save();
    EXPECT_EQ(failing.Failed(), 3);
    EXPECT_EQ(Files(),
              (QStringList{QStringLiteral("cdem.hx"), QStringLiteral("cdroot.hx"), QStringLiteral("current.hx")}));
    Reopen();
    EXPECT_EQ(CountEntries(Day(2006, 3, 14)), 1);
}

// Storage files that no parent names are moved into "lost+found" when the tree is first read; the
// program's other files in the folder and every named file stay.
TEST_F(StoragePartialSaveTest, UnreferencedFilesGoToLostAndFound) {
    WriteHistory();
    AddEntry(Day(2006, 3, 22), 9, 10);
    Typed()->Save();
    m_host.reset();
    const QByteArray copy = FileBytes(FilePath(QStringLiteral("data2005.hx")));
    for (const char* name : {"data1999.hx", "current7.hx", "activities.hx", "notes.txt"}) {
        QFile file(FilePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(copy);
    }
    const QStringList named = Files();
    Reopen();
    EXPECT_EQ(CountEntries(Day(2005, 6, 1)), 1);
    const QStringList left = Files();
    EXPECT_FALSE(left.contains(QStringLiteral("data1999.hx")));
    EXPECT_FALSE(left.contains(QStringLiteral("current7.hx")));
    for (const char* name : {"cdroot.hx", "cdem.hx", "data2005.hx", "current.hx", "activities.hx", "notes.txt"})
        EXPECT_TRUE(left.contains(QString::fromLatin1(name))) << name;
    const QString lost = FilePath(QStringLiteral("lost+found/"));
    EXPECT_EQ(FileBytes(lost + QStringLiteral("data1999.hx")), copy) << "moved, never deleted";
    EXPECT_TRUE(QFile::exists(lost + QStringLiteral("current7.hx")));
    EXPECT_EQ(CountEntries(Day(2006, 3, 22)), 1);
    EXPECT_TRUE(m_questions->asked.empty());
}

// A tree that cannot be read completely sweeps nothing: what it names is unknown.
TEST_F(StoragePartialSaveTest, UnreadableTreeSweepsNothing) {
    WriteHistory();
    m_host.reset();
    DamageFile(FilePath(QStringLiteral("cdem.hx")));
    Reopen();
    m_questions->Script({StorageAnswer::Cancel});
    EXPECT_THROW(Typed()->GetDayEntries(Day(2005, 6, 1)), EUserCancel);
    EXPECT_TRUE(Files().contains(QStringLiteral("data2005.hx")));
    EXPECT_FALSE(QFileInfo::exists(FilePath(QStringLiteral("lost+found"))));
}

} // namespace
