#include "StorageTestSupport.h"

#include "foundation/DateTime.h"
#include "foundation/XMZErrors.h"
#include "foundation/XMZFile.h"
#include "storage/StorageExceptions.h"
#include "storage/StorageFileData.h"
#include "storage/StoragePropertyLists.h"

#include <QDir>
#include <QFile>

namespace {

/// A data file whose first replace of a file named like the pattern fails in the worst way: the
/// temporary file is gone and the file object no longer knows where the new data is.
class TCriticalOnceFile : public TXMZFile {
public:
    TCriticalOnceFile(std::shared_ptr<int> left, QString pattern) : m_left(std::move(left)), m_pattern(pattern) {}
    void Flush_() override {
        if (*m_left > 0 && FileName().contains(m_pattern) && !TempFileName().isEmpty()) {
            --*m_left;
            QFile::remove(TempFileName());
            throw EXMZFailureCritical(QStringLiteral("TXMZFile._Flush: the temporary file is gone"));
        }
        TXMZFile::Flush_();
    }

private:
    std::shared_ptr<int> m_left;
    QString m_pattern;
};

class StorageFailureTest : public TStorageFixture {
protected:
    /// A history in 2006 written while today was in 2010 (no window): data2006.hx holds
    /// 2006-06-01 and 2006-06-02.
    void WriteYear2006() {
        SetToday(2010, 5, 5);
        AddEntry(Day(2006, 6, 1), 9, 10);
        AddEntry(Day(2006, 6, 2), 9, 10);
        Typed()->Save();
        ASSERT_TRUE(Files().contains(QStringLiteral("data2006.hx")));
    }
    bool AnyQuestionMentions(const QString& text) const {
        for (const TStorageQuestionText& q : m_questions->asked)
            if (q.message.contains(text))
                return true;
        return false;
    }
};

TEST_F(StorageFailureTest, MissingYearFileOffersCreateNew) {
    WriteYear2006();
    m_host.reset();
    QFile::remove(FilePath(QStringLiteral("data2006.hx")));
    Reopen();
    m_questions->Script({StorageAnswer::CreateNew});
    const DayEntryListPtr list = Typed()->GetDayEntries(Day(2006, 6, 1));
    EXPECT_EQ(list->Count(), 0);
    ASSERT_EQ(m_questions->asked.size(), 1u);
    EXPECT_TRUE(m_questions->asked[0].allowed.createNew);
    EXPECT_EQ(m_questions->asked[0].message, QStringLiteral("EStorageFileNotFoundError: File not found"));
    EXPECT_TRUE(QFile::exists(FilePath(QStringLiteral("data2006.hx")))) << "Create New writes an empty file";
}

// A recorded window that reaches outside its year, or is longer than a window is ever cut, comes
// from a damaged file: it is asked about at once instead of being walked day by day.
TEST_F(StorageFailureTest, DamagedWindowIntervalIsAskedAbout) {
    struct TCase {
        const char* what;
        double start;
        double end;
    };
    const TCase cases[] = {
        {"two hundred years back", Day(1806, 1, 1), Day(2006, 3, 22)},
        {"inside the year, but 80 days", Day(2006, 1, 1), Day(2006, 3, 22)},
        {"beyond the year", Day(2006, 3, 7), Day(2007, 1, 5)},
    };
    AddEntry(Day(2006, 3, 14), 9, 10);
    Typed()->Save();
    m_host.reset();
    const QByteArray saved = FileBytes(FilePath(QStringLiteral("cdem.hx")));
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        {
            QFile file(FilePath(QStringLiteral("cdem.hx")));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(saved);
        }
        EditContent(FilePath(QStringLiteral("cdem.hx")), [&](const TvrnDomElement& content) {
            const TvrnDomElement element = XMLFirstChildElement(XMLFindChild(content, QStringLiteral("substorages")));
            const PropertyListPtr list = StorageLists::LoadFromElement(element);
            const PropertyListPtr window = StorageLists::Nested(list, QStringLiteral("storage current"));
            TDateInfo(hxditLimited, c.start)
                .SaveToPropertyList(StorageLists::Nested(window, QStringLiteral("startinfo")));
            TDateInfo(hxditLimited, c.end).SaveToPropertyList(StorageLists::Nested(window, QStringLiteral("endinfo")));
            XMLRemoveAllChildren(element);
            StorageLists::SaveToElement(list, element);
        });
        Reopen();
        m_questions->asked.clear();
        m_questions->Script({StorageAnswer::Cancel});
        EXPECT_THROW(Typed()->GetDayEntries(Day(2006, 3, 14)), EUserCancel);
        ASSERT_EQ(m_questions->asked.size(), 1u);
        EXPECT_TRUE(m_questions->asked[0].message.contains(QStringLiteral("damaged")))
            << m_questions->asked[0].message.toStdString();
        m_host.reset();
    }
}

// A missing entry manager file is a missing file, also behind the list that could not be read:
// Create New is offered and makes the storage usable again.
TEST_F(StorageFailureTest, MissingEntryManagerFileOffersCreateNew) {
    WriteYear2006();
    m_host.reset();
    QFile::remove(FilePath(QStringLiteral("cdem.hx")));
    Reopen();
    m_questions->Script({StorageAnswer::CreateNew});
    AddEntry(Day(2010, 5, 5), 9, 10);
    ASSERT_EQ(m_questions->asked.size(), 1u);
    EXPECT_TRUE(m_questions->asked[0].allowed.createNew) << m_questions->asked[0].message.toStdString();
    EXPECT_TRUE(m_questions->asked[0].message.startsWith(QStringLiteral("ESubStorageInfosLoadError")));
    Typed()->Save();
    Reopen();
    EXPECT_EQ(CountEntries(Day(2010, 5, 5)), 1);
    EXPECT_EQ(m_questions->asked.size(), 1u);
}

// The day tree is one tree whatever the letter case of its names: a booking goes into the day
// that is read, a deletion removes it, and the range of dates sees it.
TEST_F(StorageFailureTest, DayTreeNamesInAnyLetterCaseAreOneTree) {
    WriteYear2006();
    m_host.reset();
    EditContent(FilePath(QStringLiteral("data2006.hx")), [](const TvrnDomElement& content) {
        const TvrnDomElement data = XMLFindChild(content, QStringLiteral("data"));
        const TvrnDomElement year = XMLFindChild(data, QStringLiteral("year"));
        QString text = XMLElementToText(year);
        text.replace(QStringLiteral("<year"), QStringLiteral("<Year"))
            .replace(QStringLiteral("</year>"), QStringLiteral("</Year>"));
        text.replace(QStringLiteral("<day "), QStringLiteral("<DAY "))
            .replace(QStringLiteral("</day>"), QStringLiteral("</DAY>"));
        XMLReplaceWithText(year, text);
    });
    Reopen();
    ASSERT_EQ(CountEntries(Day(2006, 6, 1)), 1);
    AddEntry(Day(2006, 6, 1), 10, 11);
    Typed()->GetDayEntries(Day(2006, 6, 2))->Delete(0);
    Typed()->Save();
    Reopen();
    EXPECT_EQ(CountEntries(Day(2006, 6, 1)), 2) << "the booking lists";
    EXPECT_EQ(CountEntries(Day(2006, 6, 2)), 0) << "the deletion holds";
    double min = 0, max = 0;
    bool found = false;
    Reopen();
    Typed()->GetExistingMinMaxDate(min, max, found);
    ASSERT_TRUE(found);
    EXPECT_EQ(DateOf(min), Day(2006, 6, 1));
    EXPECT_EQ(DateOf(max), Day(2006, 6, 1));
    EXPECT_TRUE(m_questions->asked.empty());
}

TEST_F(StorageFailureTest, WithoutAnswersAMissingFileCancelsAndNothingIsCreated) {
    WriteYear2006();
    m_host.reset();
    QFile::remove(FilePath(QStringLiteral("data2006.hx")));
    Reopen();
    Host().Notifications().SetOnLoadFailed(nullptr);
    try {
        Typed()->GetDayEntries(Day(2006, 6, 1));
        FAIL() << "no error";
    } catch (const EUserCancel& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("TStorageFileDataBase._LoadDayEntries  (EStorageFileNotFoundError: "
                                              "File not found)"));
    }
    EXPECT_FALSE(QFile::exists(FilePath(QStringLiteral("data2006.hx"))));
}

TEST_F(StorageFailureTest, DamagedOrForeignYearFileIsAskedAboutAndNeverOverwritten) {
    enum class Kind { Damaged, Foreign, OtherStorage };
    for (Kind kind : {Kind::Damaged, Kind::Foreign, Kind::OtherStorage}) {
        QDir(Folder()).removeRecursively();
        QDir().mkpath(Folder());
        Reopen();
        m_questions->asked.clear();
        WriteYear2006();
        m_host.reset();
        const QString year = FilePath(QStringLiteral("data2006.hx"));
        if (kind == Kind::Damaged) {
            DamageFile(year);
        } else if (kind == Kind::Foreign) {
            // A data file of another kind (the options file of the program, say).
            QFile::remove(year);
            TXMZFile file;
            file.AssignNewFile_(year, TGUID::NewGuid());
            XMLAddChild(file.GetContent(), QStringLiteral("options"));
            file.Save();
            file.Close_();
        } else {
            // Another storage file under the year file's name.
            QFile::remove(year);
            QFile::copy(FilePath(QStringLiteral("cdem.hx")), year);
        }
        const QByteArray before = FileBytes(year);
        Reopen();
        m_questions->Script({StorageAnswer::Retry, StorageAnswer::Ignore});
        const DayEntryListPtr list = Typed()->GetDayEntries(Day(2006, 6, 1));
        EXPECT_EQ(list->Count(), 0) << int(kind);
        ASSERT_EQ(m_questions->asked.size(), 2u) << int(kind);
        EXPECT_FALSE(m_questions->asked[0].allowed.createNew);
        EXPECT_TRUE(m_questions->asked[0].allowed.ignore);
        EXPECT_FALSE(AnyQuestionMentions(QStringLiteral("EMustNotHappen")));

        // A booking on that day cannot be saved into the file: asked, refused, the file stays.
        list->AddNew()->SetTime(0.5, 0.6);
        m_questions->Script({StorageAnswer::Cancel});
        EXPECT_THROW(Typed()->Save(), EUserCancel);
        EXPECT_EQ(FileBytes(year), before) << int(kind);
        EXPECT_TRUE(Host().GetStorage()->Changed()) << "the booking is still in memory";
    }
}

TEST_F(StorageFailureTest, FailedSaveKeepsTheDataUntilASaveSucceeds) {
    AddEntry(Day(2006, 3, 14), 9, 10);
    Typed()->Save();
    Reopen();
    const DayEntryListPtr list = AddEntry(Day(2006, 3, 14), 10, 11);
    {
        TFailingCreation failing(QStringLiteral("current.hx"));
        m_questions->Script({StorageAnswer::Ignore});
        Typed()->Save(); // Ignore: the save ends without an error
        EXPECT_GT(failing.Failed(), 0);
        ASSERT_EQ(m_questions->asked.size(), 1u);
        EXPECT_EQ(m_questions->asked[0].kind, TStorageQuestionKind::Save);
        EXPECT_TRUE(list->Changed()) << "the day is only in memory";
        EXPECT_TRUE(Host().GetStorage()->Changed());
        Typed()->ClearCache();
        EXPECT_EQ(Typed()->GetDayEntries(Day(2006, 3, 14)).get(), list.get()) << "the cache keeps unsaved days";
    }
    Typed()->Save();
    EXPECT_FALSE(list->Changed());
    EXPECT_FALSE(Host().GetStorage()->Changed());
    Reopen();
    EXPECT_EQ(CountEntries(Day(2006, 3, 14)), 2);
}

// A critical failure drops the file object, but not the newest document: the day stays changed in
// memory (also through Ignore and ClearCache), and the next save writes it to a new file.
TEST_F(StorageFailureTest, CriticalFailureKeepsTheDocumentUntilASaveSucceeds) {
    AddEntry(Day(2006, 3, 14), 9, 10);
    Typed()->Save();
    Reopen();
    auto left = std::make_shared<int>(1);
    Host().SetFileFactory([left] { return std::make_shared<TCriticalOnceFile>(left, QStringLiteral("current")); });
    const DayEntryListPtr list = AddEntry(Day(2006, 3, 14), 10, 11);
    m_questions->Script({StorageAnswer::Ignore});
    Typed()->Save();
    ASSERT_EQ(*left, 0);
    ASSERT_EQ(m_questions->asked.size(), 1u);
    EXPECT_TRUE(m_questions->asked[0].message.startsWith(QStringLiteral("EXMZFailureCritical")));
    EXPECT_TRUE(list->Changed());
    EXPECT_TRUE(Host().GetStorage()->Changed());
    Typed()->ClearCache();
    EXPECT_EQ(Typed()->GetDayEntries(Day(2006, 3, 14)).get(), list.get());

    Typed()->Save();
    EXPECT_FALSE(Host().GetStorage()->Changed());
    EXPECT_FALSE(Files().contains(QStringLiteral("current.hx"))) << "the file of unknown state is gone";
    Reopen();
    EXPECT_EQ(CountEntries(Day(2006, 3, 14)), 2);
    EXPECT_EQ(m_questions->asked.size(), 1u);
}

TEST_F(StorageFailureTest, RetryWritesWhatFailed) {
    AddEntry(Day(2006, 3, 14), 9, 10);
    TFailingCreation failing(QStringLiteral("current"), 1);
    m_questions->Script({StorageAnswer::Retry});
    Typed()->Save();
    EXPECT_EQ(failing.Failed(), 1);
    EXPECT_EQ(m_questions->asked.size(), 1u);
    EXPECT_FALSE(Host().GetStorage()->Changed());
    Reopen();
    EXPECT_EQ(CountEntries(Day(2006, 3, 14)), 1);
    EXPECT_TRUE(m_questions->asked.size() == 1u);
}

TEST_F(StorageFailureTest, TwoFailingFilesAreAskedOnce) {
    SetToday(2010, 5, 5);
    AddEntry(Day(2006, 6, 1), 9, 10);
    AddEntry(Day(2007, 6, 1), 9, 10);
    TFailingCreation failing(QStringLiteral("data200"));
    m_questions->Script({StorageAnswer::Ignore});
    Typed()->Save();
    ASSERT_EQ(m_questions->asked.size(), 1u);
    EXPECT_TRUE(m_questions->asked[0].message.contains(QStringLiteral("data2006.hx")))
        << m_questions->asked[0].message.toStdString();
    EXPECT_EQ(Files(), QStringList{QStringLiteral("cdroot.hx")}) << "no parent names a file that is not there";
    failing.Stop();
    Typed()->Save();
    Reopen();
    EXPECT_EQ(CountEntries(Day(2006, 6, 1)), 1);
    EXPECT_EQ(CountEntries(Day(2007, 6, 1)), 1);
}

TEST_F(StorageFailureTest, DataChangedIsReportedAlsoAfterAFailedSave) {
    int changed = 0;
    Host().Notifications().SetOnDataChanged([&] { ++changed; });
    AddEntry(Day(2006, 3, 14), 9, 10);
    {
        TFailingCreation failing(QStringLiteral("current"));
        m_questions->Script({StorageAnswer::Cancel});
        EXPECT_THROW(Typed()->Save(), EUserCancel);
    }
    EXPECT_EQ(changed, 1);
    Typed()->Save();
    EXPECT_EQ(changed, 2);
}

TEST_F(StorageFailureTest, UnreadableYearFileLeavesTheDayFileWithoutWindowAndAsks) {
    WriteYear2006();
    m_host.reset();
    const QString year = FilePath(QStringLiteral("data2006.hx"));
    DamageFile(year);
    const QByteArray before = FileBytes(year);
    SetToday(2006, 6, 1);
    Reopen();
    m_questions->Script({StorageAnswer::Cancel});
    EXPECT_THROW(Typed()->GetDayEntries(Day(2006, 6, 1)), EUserCancel);
    ASSERT_FALSE(m_questions->asked.empty());
    EXPECT_FALSE(AnyQuestionMentions(QStringLiteral("EMustNotHappen")));
    EXPECT_TRUE(AnyQuestionMentions(QStringLiteral("EXMZ")));
    Typed()->Save();
    EXPECT_EQ(FileBytes(year), before);
    EXPECT_FALSE(QFile::exists(FilePath(QStringLiteral("current.hx"))));
}

TEST_F(StorageFailureTest, UnreadableWindowIsNotFoldedBack) {
    AddEntry(Day(2006, 3, 14), 9, 10);
    Typed()->Save();
    m_host.reset();
    const QString window = FilePath(QStringLiteral("current.hx"));
    DamageFile(window);
    const QByteArray before = FileBytes(window);
    SetToday(2006, 3, 22);
    Reopen();
    // Today lies outside the old window, which cannot be read: today is kept in the year file.
    AddEntry(Day(2006, 3, 22), 9, 10);
    EXPECT_TRUE(m_questions->asked.empty());
    Typed()->Save();
    EXPECT_EQ(FileBytes(window), before);
    m_questions->Script({StorageAnswer::Cancel});
    EXPECT_THROW(Typed()->GetDayEntries(Day(2006, 3, 14)), EUserCancel);
    EXPECT_FALSE(AnyQuestionMentions(QStringLiteral("EMustNotHappen")));
    Reopen();
    m_questions->asked.clear();
    EXPECT_EQ(CountEntries(Day(2006, 3, 22)), 1);
    EXPECT_TRUE(m_questions->asked.empty());
}

TEST_F(StorageFailureTest, PathsFromFilesStayInTheStorageFolder) {
    WriteYear2006();
    m_host.reset();
    const QString outside = m_home.Path(QStringLiteral("data/outside.hx"));
    for (const QString& hostile : {QStringLiteral("../outside.hx"), outside, QStringLiteral("..")}) {
        EditContent(FilePath(QStringLiteral("cdem.hx")), [&](const TvrnDomElement& content) {
            EditDescription(XMLFirstChildElement(XMLFindChild(content, QStringLiteral("substorages"))),
                            QStringLiteral("path"), hostile);
        });
        Reopen();
        m_questions->asked.clear();
        m_questions->Script({StorageAnswer::CreateNew, StorageAnswer::CreateNew, StorageAnswer::Cancel});
        EXPECT_THROW(Typed()->GetDayEntries(Day(2006, 6, 1)), EUserCancel) << hostile.toStdString();
        ASSERT_FALSE(m_questions->asked.empty());
        EXPECT_FALSE(m_questions->asked[0].allowed.createNew);
        EXPECT_TRUE(AnyQuestionMentions(QStringLiteral("EStorageFileNameError")));
        Typed()->Save();
        EXPECT_FALSE(QFile::exists(outside));
        m_host.reset();
    }
    EXPECT_TRUE(QFile::exists(FilePath(QStringLiteral("data2006.hx"))));
}

TEST_F(StorageFailureTest, EmptyOwnPathOfEarlierVersionsAgreesWithTheParent) {
    AddEntry(Day(2006, 3, 14), 9, 10);
    SetToday(2010, 5, 5);
    AddEntry(Day(2007, 6, 1), 9, 10);
    SetToday(2006, 3, 14);
    Typed()->Save();
    m_host.reset();
    for (const QString& name : {QStringLiteral("current.hx"), QStringLiteral("cdem.hx"), QStringLiteral("data2007.hx")})
        EditContent(FilePath(name), [](const TvrnDomElement& content) {
            EditDescription(XMLFindChild(content, QStringLiteral("info")), QStringLiteral("path"), QString());
        });
    Reopen();
    EXPECT_EQ(CountEntries(Day(2006, 3, 14)), 1);
    EXPECT_EQ(CountEntries(Day(2007, 6, 1)), 1);
    EXPECT_TRUE(m_questions->asked.empty());
    AddEntry(Day(2006, 3, 14), 10, 11);
    Typed()->Save();
    EXPECT_EQ(InfoText(ReadOwnInfo(FilePath(QStringLiteral("current.hx"))), QStringLiteral("path")),
              QStringLiteral("current.hx"));
    Reopen();
    EXPECT_EQ(CountEntries(Day(2006, 3, 14)), 2);
    EXPECT_TRUE(m_questions->asked.empty());
}

TEST_F(StorageFailureTest, IgnoredRangeFailureIsSkippedSilentlyAfterwards) {
    WriteYear2006();
    SetToday(2010, 5, 5);
    AddEntry(Day(2008, 1, 1), 9, 10);
    Typed()->Save();
    m_host.reset();
    DamageFile(FilePath(QStringLiteral("data2006.hx")));
    Reopen();
    m_questions->Script({StorageAnswer::Ignore});
    double min = 0;
    bool found = false;
    Typed()->GetExistingMinDate(min, found);
    EXPECT_EQ(m_questions->asked.size(), 1u);
    ASSERT_TRUE(found);
    EXPECT_EQ(DateToISO(min), QStringLiteral("2008-01-01"));
    found = false;
    Typed()->GetExistingMinDate(min, found);
    EXPECT_EQ(m_questions->asked.size(), 1u) << "not asked again";
}

TEST_F(StorageFailureTest, UnofferedAnswersNeverLoop) {
    WriteYear2006();
    m_host.reset();
    DamageFile(FilePath(QStringLiteral("data2006.hx")));
    Reopen();
    // A message box that cannot be shown answers 0; Create New is not offered for a damaged file.
    for (int answer : {0, StorageAnswer::CreateNew}) {
        m_questions->asked.clear();
        m_questions->Script(std::vector<int>(50, answer));
        const SearchResultPtr result = Typed()->SearchEntries(Day(2006, 1, 1), Day(2006, 12, 31));
        EXPECT_TRUE(result->Eof());
        EXPECT_LE(m_questions->asked.size(), 2u);
    }
}

// A broken entry is asked about like any other read failure, also on a day near today, where it
// keeps the window from being cut until the day was read with its question.
TEST_F(StorageFailureTest, BrokenEntryIsAskedAboutAndDroppedOnIgnore) {
    for (const bool nearToday : {false, true}) {
        QDir(Folder()).removeRecursively();
        QDir().mkpath(Folder());
        Reopen();
        WriteYear2006();
        AddEntry(Day(2006, 6, 1), 11, 12);
        Typed()->Save();
        m_host.reset();
        EditContent(FilePath(QStringLiteral("data2006.hx")), [](const TvrnDomElement& content) {
            const TvrnDomElement day = XMLFirstChildElement(
                XMLFirstChildElement(XMLFirstChildElement(XMLFindChild(content, QStringLiteral("data")))));
            const TvrnDomElement entry = XMLFirstChildElement(XMLFindChild(day, QStringLiteral("entries")));
            XMLRemoveAllChildren(entry); // no properties: the entry is broken
        });
        if (nearToday)
            SetToday(2006, 6, 3);
        Reopen();
        m_questions->asked.clear();
        m_questions->Script({StorageAnswer::Ignore});
        const DayEntryListPtr list = Typed()->GetDayEntries(Day(2006, 6, 1));
        EXPECT_EQ(list->Count(), 1) << nearToday;
        ASSERT_EQ(m_questions->asked.size(), 1u) << nearToday;
        EXPECT_TRUE(m_questions->asked[0].message.startsWith(QStringLiteral("EEntryLoadError")));
        EXPECT_TRUE(list->Changed());
        EXPECT_EQ(CountEntries(Day(2006, 6, 2)), 1);
        Typed()->Save();
        Reopen();
        m_questions->asked.clear();
        EXPECT_EQ(CountEntries(Day(2006, 6, 1)), 1) << nearToday;
        EXPECT_EQ(CountEntries(Day(2006, 6, 2)), 1) << nearToday;
        EXPECT_TRUE(m_questions->asked.empty()) << nearToday;
        if (nearToday) {
            EXPECT_TRUE(Files().contains(QStringLiteral("current.hx"))) << "the window is cut once the day reads";
        }
    }
}

} // namespace
