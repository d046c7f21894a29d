// What survives each kind of failure while saving, with the failures injected into single
// file-system calls.

#include "foundation/XMZFile.h"

#include "support/FaultyXMZFileSystem.h"
#include "support/TestEnvironment.h"
#include "support/XMZTestFiles.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>

using xmztest::ReadBytes;
using xmztest::ReadEnvelope;

namespace {
class XMZFileFaultTest : public testing::Test {
protected:
    TempHome home;
    ScopedFixedClock clock{QDateTime(QDate(2024, 5, 2), QTime(8, 0))};
    std::shared_ptr<FaultyXMZFileSystem> fs = std::make_shared<FaultyXMZFileSystem>();
    ScopedXMZFileSystem installed{fs};
    QString name = home.Path(QStringLiteral("data.hx"));
    TXMZFile file;

    void SetUp() override {
        file.AssignNewFile_(name, TGUID());
        SetItems(3);
        file.Save();
    }
    /// The content becomes n items.
    void SetItems(int n) {
        const TvrnDomElement content = file.GetContent();
        XMLRemoveAllChildren(content);
        for (int i = 0; i < n; ++i)
            XMLAddChild(content, QStringLiteral("item"));
    }
    int ItemsOnDisk(const QString& path) const { return static_cast<int>(ReadEnvelope(path).contentChildren.size()); }
    static bool IsTemp(const QByteArray& path) { return path.endsWith(".TMP"); }
    template <typename E> static QString Fails(const std::function<void()>& call) {
        try {
            call();
        } catch (const E& e) {
            return ExceptionClassName(e) + QStringLiteral(": ") + e.Message();
        } catch (const std::exception& e) {
            return QStringLiteral("wrong class ") + ExceptionToText(e);
        }
        return QStringLiteral("no exception");
    }
};
} // namespace

TEST_F(XMZFileFaultTest, WriteThatFailsHalfwayLeavesMainFileAndKeepsDocument) {
    const QByteArray before = ReadBytes(name);
    struct Fault {
        const char* what;
        std::function<void()> arm;
    };
    const std::vector<Fault> faults = {
        {"disk full halfway",
         [&] {
             fs->onWrite = [](int, size_t count, size_t* allowed) {
                 *allowed = count / 2;
                 return ENOSPC;
             };
         }},
        {"failing device", [&] { fs->onWrite = [](int, size_t, size_t*) { return EIO; }; }},
        {"data never reaches the disk", [&] { fs->onSync = [](int) { return EIO; }; }},
        {"temporary file cannot be created",
         [&] { fs->onOpen = [](const QByteArray& path, int) { return IsTemp(path) ? EACCES : 0; }; }},
    };
    for (const Fault& fault : faults) {
        SetItems(7);
        fault.arm();
        const QString error = Fails<EXMZFailure>([&] { file.Save(); });
        EXPECT_TRUE(error.startsWith(QStringLiteral("EXMZFailure: TXMZFile._Save:  (")))
            << fault.what << ": " << error.toStdString();
        fs->onWrite = nullptr;
        fs->onSync = nullptr;
        fs->onOpen = nullptr;

        EXPECT_EQ(ReadBytes(name), before) << fault.what;
        EXPECT_TRUE(file.TempFileName().isEmpty()) << fault.what;
        EXPECT_FALSE(QFileInfo::exists(name + QStringLiteral(".TMP"))) << fault.what;
        // The newest data is only in memory: it must not be dropped.
        EXPECT_TRUE(file.HasUnsavedDocument()) << fault.what;
        file.FreeDocument_();
        ASSERT_TRUE(file.HasDocument()) << fault.what;
        EXPECT_EQ(XMLChildNodeCount(file.GetContent()), 7) << fault.what;
    }
    // Once the disk works again, the same document is saved.
    file.Save();
    EXPECT_FALSE(file.HasUnsavedDocument());
    EXPECT_EQ(ItemsOnDisk(name), 7);
}

TEST_F(XMZFileFaultTest, FailedSaveOfAPendingStateKeepsNothingHalfWritten) {
    SetItems(4);
    file.Save_(); // pending: the temporary file holds 4 items
    SetItems(5);
    fs->onWrite = [](int, size_t count, size_t* allowed) {
        *allowed = count / 3;
        return ENOSPC;
    };
    EXPECT_THROW(file.Save_(), EXMZFailure);
    fs->onWrite = nullptr;
    // The half-written temporary file is gone, the main file still holds 3 items, memory holds 5.
    EXPECT_TRUE(file.TempFileName().isEmpty());
    EXPECT_EQ(ItemsOnDisk(name), 3);
    file.Flush_(); // nothing pending
    EXPECT_EQ(ItemsOnDisk(name), 3);
    file.Save();
    EXPECT_EQ(ItemsOnDisk(name), 5);
}

TEST_F(XMZFileFaultTest, RefusedRenameKeepsNewDataInTheTemporaryFile) {
    const QByteArray before = ReadBytes(name);
    SetItems(9);
    fs->onRename = [](const QByteArray&, const QByteArray&) { return EIO; };
    const QString error = Fails<EXMZFailure>([&] { file.Save(); });
    EXPECT_TRUE(error.startsWith(QStringLiteral("EXMZFailure: TXMZFile._Flush:  (EXMZStreamError: Cannot rename file")))
        << error.toStdString();
    fs->onRename = nullptr;

    EXPECT_EQ(ReadBytes(name), before);
    ASSERT_FALSE(file.TempFileName().isEmpty());
    EXPECT_EQ(ItemsOnDisk(file.TempFileName()), 9);
    EXPECT_FALSE(file.HasUnsavedDocument());
    // Reads come from the temporary file, and a later flush publishes it.
    file.FreeDocument_();
    EXPECT_EQ(XMLChildNodeCount(file.GetContent()), 9);
    file.Flush_();
    EXPECT_EQ(ItemsOnDisk(name), 9);
    EXPECT_TRUE(file.TempFileName().isEmpty());
}

TEST_F(XMZFileFaultTest, VanishedTemporaryFileMeansSaveAgainWhileMemoryHoldsTheData) {
    SetItems(6);
    file.Save_();
    ASSERT_TRUE(QFile::remove(file.TempFileName()));
    const QString error = Fails<EXMZFailureSaveAgain>([&] { file.Flush_(); });
    EXPECT_TRUE(error.startsWith(QStringLiteral("EXMZFailureSaveAgain: TXMZFile._Flush:  ("))) << error.toStdString();
    EXPECT_TRUE(file.TempFileName().isEmpty());
    EXPECT_EQ(ItemsOnDisk(name), 3);
    // The read stream no longer points at the deleted file, and the document is not given up.
    file.FreeDocument_();
    ASSERT_TRUE(file.HasDocument());
    EXPECT_EQ(XMLChildNodeCount(file.GetContent()), 6);
    file.Save();
    EXPECT_EQ(ItemsOnDisk(name), 6);
}

TEST_F(XMZFileFaultTest, VanishedTemporaryFileIsRescuedThroughItsHandle) {
    SetItems(8);
    file.Save_();
    file.FreeDocument_(); // the newest data is only in the temporary file now
    ASSERT_FALSE(file.HasDocument());
    ASSERT_TRUE(QFile::remove(file.TempFileName()));
    EXPECT_THROW(file.Flush_(), EXMZFailureSaveAgain);
    ASSERT_TRUE(file.HasDocument());
    EXPECT_EQ(XMLChildNodeCount(file.GetContent()), 8);
    file.Save();
    EXPECT_EQ(ItemsOnDisk(name), 8);
}

TEST_F(XMZFileFaultTest, SaveNeverWritesIntoADeletedTemporaryFile) {
    SetItems(4);
    file.Save_();
    const QString temp = file.TempFileName();
    ASSERT_TRUE(QFile::remove(temp));
    // A document freed now would be lost with the deleted file: it is kept.
    file.FreeDocument_();
    EXPECT_TRUE(file.HasDocument());
    SetItems(5);
    file.Save_();
    EXPECT_TRUE(QFileInfo::exists(file.TempFileName()));
    EXPECT_EQ(ItemsOnDisk(file.TempFileName()), 5);
    file.Flush_();
    EXPECT_EQ(ItemsOnDisk(name), 5);
}

TEST_F(XMZFileFaultTest, RenameDoneButFolderNotSyncedIsNotReportedAsSuccess) {
    SetItems(2);
    int folderSyncs = 0;
    fs->onSync = [&](int fd) {
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
            ++folderSyncs;
            return EIO;
        }
        return 0;
    };
    EXPECT_THROW(file.Save(), EXMZFailure);
    fs->onSync = nullptr;
    EXPECT_EQ(folderSyncs, 1);
    EXPECT_EQ(ItemsOnDisk(name), 2);
    EXPECT_NO_THROW(file.Save());
}

TEST_F(XMZFileFaultTest, NewFileThatCannotBeWrittenIsRemovedAgain) {
    const QString fresh = home.Path(QStringLiteral("new.hx"));
    fs->onWrite = [](int, size_t count, size_t* allowed) {
        *allowed = count / 2;
        return ENOSPC;
    };
    TXMZFile created;
    const QString error = Fails<EXMZFailureCritical>([&] { created.AssignNewFile_(fresh, TGUID()); });
    EXPECT_TRUE(error.startsWith(QStringLiteral("EXMZFailureCritical: TXMZFile._AssignNewFile (EXMZStreamError:")))
        << error.toStdString();
    EXPECT_FALSE(created.IsAssigned());
    // No empty or half-written file is left that would block every later start.
    EXPECT_FALSE(QFileInfo::exists(fresh));
    fs->onWrite = nullptr;
    EXPECT_NO_THROW(created.AssignNewFile_(fresh, TGUID()));

    // A folder that cannot be created.
    TXMZFile blocked;
    const QString below = name + QStringLiteral("/sub/x.hx"); // name is a file, not a folder
    EXPECT_EQ(Fails<EXMZFailureCreateFile>([&] { blocked.AssignNewFile_(below, TGUID()); }),
              QStringLiteral("EXMZFailureCreateFile: TXMZFile._AssignNewFile: WideForceDirectories on \"") + below +
                  QStringLiteral("\" failed"));
}

TEST_F(XMZFileFaultTest, DocumentTravelsToANewFileObjectAfterACriticalFailure) {
    // An owner that must drop its file object takes the document along.
    SetItems(11);
    TvrnDomDocument document = file.DetachDocument();
    file.Close_();
    ASSERT_TRUE(QFile::remove(name));

    TXMZFile replacement;
    replacement.AdoptDocument(document);
    EXPECT_TRUE(replacement.HasUnsavedDocument());
    replacement.AssignNewFile_(name, TGUID());
    EXPECT_EQ(XMLChildNodeCount(replacement.GetContent()), 11);
    replacement.Save();
    EXPECT_EQ(ItemsOnDisk(name), 11);
    EXPECT_EQ(ReadEnvelope(name).header["stamp"], QStringLiteral("2")); // the header came along too

    TXMZFile other;
    EXPECT_THROW(other.AdoptDocument(XMLCreateDocument(QStringLiteral("other"))), EXMZInvalidData);
}

TEST_F(XMZFileFaultTest, FailingDeleteKeepsTheFileAssigned) {
    fs->onRemove = [&](const QByteArray& path) { return path.endsWith("data.hx") ? EACCES : 0; };
    EXPECT_EQ(Fails<EXMZFailure>([&] { file.Delete_(); }),
              QStringLiteral("EXMZFailure: Could not delete file '") + name + QStringLiteral("'"));
    fs->onRemove = nullptr;
    EXPECT_TRUE(file.IsAssigned());
    EXPECT_TRUE(QFileInfo::exists(name));
    EXPECT_NO_THROW(file.Save());
}
