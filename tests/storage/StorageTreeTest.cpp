#include "StorageTestSupport.h"

#include "foundation/DateTime.h"
#include "model/Entry.h"
#include "storage/SearchResults.h"
#include "storage/StorageExceptions.h"
#include "storage/StorageFileData.h"
#include "storage/StorageInterfaces.h"
#include "storage/StorageManager.h"
#include "storage/StoragePropertyLists.h"
#include "storage/TypedStorage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

class StorageTreeTest : public TStorageFixture {};

TEST_F(StorageTreeTest, FirstAccessCreatesOnlyTheRootFile) {
    Typed()->GetDayEntries(Day(2006, 3, 14));
    EXPECT_EQ(Files(), QStringList{QStringLiteral("cdroot.hx")});
    EXPECT_FALSE(ReadOwnInfo(FilePath(QStringLiteral("cdroot.hx")))) << "an empty envelope";
}

// Today 2006-03-14: one entry for today and a save write exactly the root, the entry manager and
// the window; the year file is not written, its days so far are all in the window.
TEST_F(StorageTreeTest, FirstSaveWritesRootEntryManagerAndWindow) {
    AddEntry(Day(2006, 3, 14), 9, 10);
    Typed()->Save();
    EXPECT_EQ(Files(),
              (QStringList{QStringLiteral("cdem.hx"), QStringLiteral("cdroot.hx"), QStringLiteral("current.hx")}));

    const PropertyListPtr window = ReadOwnInfo(FilePath(QStringLiteral("current.hx")));
    ASSERT_TRUE(window);
    EXPECT_EQ(InfoType(window), StorageTypeFileCurrent);
    EXPECT_EQ(InfoText(window, QStringLiteral("path")), QStringLiteral("current.hx"));
    EXPECT_EQ(InfoDate(window, QStringLiteral("startinfo")), QStringLiteral("2006-03-07"));
    EXPECT_EQ(InfoDate(window, QStringLiteral("endinfo")), QStringLiteral("2006-03-22"));
    EXPECT_EQ(ReadDays(FilePath(QStringLiteral("current.hx"))), QStringList{QStringLiteral("2006-03-14")});

    const std::vector<PropertyListPtr> years = ReadSubStorages(FilePath(QStringLiteral("cdem.hx")));
    ASSERT_EQ(years.size(), 1u);
    EXPECT_EQ(InfoType(years[0]), StorageTypeFileData);
    EXPECT_EQ(InfoText(years[0], QStringLiteral("path")), QString());
    EXPECT_EQ(InfoDate(years[0], QStringLiteral("startinfo")), QStringLiteral("2006-01-01"));
    EXPECT_EQ(InfoDate(years[0], QStringLiteral("endinfo")), QStringLiteral("2007-01-01"));
    const PropertyListPtr current = InfoNested(years[0], QStringLiteral("storage current"));
    ASSERT_TRUE(current);
    EXPECT_EQ(InfoText(current, QStringLiteral("path")), QStringLiteral("current.hx"));

    const PropertyListPtr managerInfo = ReadOwnInfo(FilePath(QStringLiteral("cdem.hx")));
    EXPECT_EQ(InfoText(managerInfo, QStringLiteral("path")), QStringLiteral("cdem.hx"));
    const std::vector<PropertyListPtr> managers = ReadSubStorages(FilePath(QStringLiteral("cdroot.hx")));
    ASSERT_EQ(managers.size(), 1u);
    EXPECT_EQ(InfoType(managers[0]), StorageTypeEntryManager);
    EXPECT_EQ(InfoText(managers[0], QStringLiteral("path")), QStringLiteral("cdem.hx"));
    const PropertyListPtr rootInfo = ReadOwnInfo(FilePath(QStringLiteral("cdroot.hx")));
    EXPECT_EQ(InfoType(rootInfo), StorageTypeRoot);
    EXPECT_EQ(InfoText(rootInfo, QStringLiteral("path")), QStringLiteral("cdroot.hx"));
}

// Each new file names itself in its own description, so a folder in which exactly one save
// happened reads back in a new process without any question.
TEST_F(StorageTreeTest, OneSaveReadsBackWithoutQuestions) {
    AddEntry(Day(2006, 3, 14), 9, 10);
    Typed()->Save();
    for (const QString& name : {QStringLiteral("current.hx"), QStringLiteral("cdem.hx")})
        EXPECT_EQ(InfoText(ReadOwnInfo(FilePath(name)), QStringLiteral("path")), name);

    Reopen();
    EXPECT_EQ(CountEntries(Day(2006, 3, 14)), 1);
    EXPECT_TRUE(m_questions->asked.empty());
}

// The example continued after the year: the window folds back into the year file, which is written
// for the first time, and the window file goes.
TEST_F(StorageTreeTest, WindowFoldsBackIntoANewYearFileAndItsFileIsGone) {
    AddEntry(Day(2006, 3, 14), 9, 10);
    Typed()->Save();
    for (const bool restart : {false, true}) {
        if (restart) {
            QDir(Folder()).removeRecursively();
            QDir().mkpath(Folder());
            SetToday(2006, 3, 14);
            Reopen();
            AddEntry(Day(2006, 3, 14), 9, 10);
            Typed()->Save();
        }
        SetToday(2007, 1, 5);
        if (restart)
            Reopen();
        EXPECT_EQ(CountEntries(Day(2006, 3, 14)), 1);
        Typed()->Save();
        EXPECT_EQ(Files(),
                  (QStringList{QStringLiteral("cdem.hx"), QStringLiteral("cdroot.hx"), QStringLiteral("data2006.hx")}));
        EXPECT_EQ(ReadDays(FilePath(QStringLiteral("data2006.hx"))), QStringList{QStringLiteral("2006-03-14")});
        const std::vector<PropertyListPtr> years = ReadSubStorages(FilePath(QStringLiteral("cdem.hx")));
        ASSERT_EQ(years.size(), 1u);
        EXPECT_EQ(InfoText(years[0], QStringLiteral("path")), QStringLiteral("data2006.hx"));
        EXPECT_FALSE(InfoNested(years[0], QStringLiteral("storage current")));
        EXPECT_EQ(InfoText(ReadOwnInfo(FilePath(QStringLiteral("data2006.hx"))), QStringLiteral("path")),
                  QStringLiteral("data2006.hx"));
        Reopen();
        EXPECT_EQ(CountEntries(Day(2006, 3, 14)), 1);
        EXPECT_TRUE(m_questions->asked.empty());
    }
}

TEST_F(StorageTreeTest, WindowFoldsBackIntoTheYearFileAndMovesOn) {
    AddEntry(Day(2006, 3, 14), 9, 10);
    Typed()->Save();

    SetToday(2006, 3, 22);
    AddEntry(Day(2006, 3, 22), 9, 10);
    Typed()->Save();
    EXPECT_EQ(Files(), (QStringList{QStringLiteral("cdem.hx"), QStringLiteral("cdroot.hx"),
                                    QStringLiteral("current1.hx"), QStringLiteral("data2006.hx")}));
    EXPECT_EQ(ReadDays(FilePath(QStringLiteral("data2006.hx"))), QStringList{QStringLiteral("2006-03-14")});
    EXPECT_EQ(ReadDays(FilePath(QStringLiteral("current1.hx"))), QStringList{QStringLiteral("2006-03-22")});
    const PropertyListPtr window = ReadOwnInfo(FilePath(QStringLiteral("current1.hx")));
    EXPECT_EQ(InfoDate(window, QStringLiteral("startinfo")), QStringLiteral("2006-03-15"));
    EXPECT_EQ(InfoDate(window, QStringLiteral("endinfo")), QStringLiteral("2006-03-30"));
    const std::vector<PropertyListPtr> years = ReadSubStorages(FilePath(QStringLiteral("cdem.hx")));
    ASSERT_EQ(years.size(), 1u);
    EXPECT_EQ(InfoText(years[0], QStringLiteral("path")), QStringLiteral("data2006.hx"));
    EXPECT_EQ(InfoText(InfoNested(years[0], QStringLiteral("storage current")), QStringLiteral("path")),
              QStringLiteral("current1.hx"));
    EXPECT_EQ(InfoText(ReadOwnInfo(FilePath(QStringLiteral("data2006.hx"))), QStringLiteral("path")),
              QStringLiteral("data2006.hx"));

    // A day outside the year: the window goes back into the year file and its file goes away. The
    // year file on disk changes its own description (no window any more), so its data goes to a new
    // file, which the entry manager names before the old one is deleted: a kill at any moment leaves
    // files that agree with their parents.
    SetToday(2007, 1, 5);
    Reopen();
    EXPECT_EQ(CountEntries(Day(2006, 6, 1)), 0);
    Typed()->Save();
    EXPECT_EQ(Files(),
              (QStringList{QStringLiteral("cdem.hx"), QStringLiteral("cdroot.hx"), QStringLiteral("data20061.hx")}));
    EXPECT_EQ(ReadDays(FilePath(QStringLiteral("data20061.hx"))),
              (QStringList{QStringLiteral("2006-03-14"), QStringLiteral("2006-03-22")}));
    const std::vector<PropertyListPtr> after = ReadSubStorages(FilePath(QStringLiteral("cdem.hx")));
    ASSERT_EQ(after.size(), 1u);
    EXPECT_FALSE(InfoNested(after[0], QStringLiteral("storage current")));

    Reopen();
    EXPECT_EQ(CountEntries(Day(2006, 3, 14)), 1);
    EXPECT_EQ(CountEntries(Day(2006, 3, 22)), 1);
    EXPECT_TRUE(m_questions->asked.empty());
}

TEST_F(StorageTreeTest, WindowIsCutToTheYear) {
    SetToday(2006, 12, 28);
    AddEntry(Day(2006, 12, 28), 9, 10);
    SetToday(2007, 1, 2);
    AddEntry(Day(2007, 1, 2), 9, 10);
    auto root = std::dynamic_pointer_cast<IHXStorageManager_>(Host().GetStorage());
    const auto managers = std::static_pointer_cast<TStorageInfoListByEntryInfo>(root->GetSubStorageInfos());
    auto manager = std::dynamic_pointer_cast<IHXStorageManager_>(
        managers->GetStorage(managers->FindByEntryType(ActivityEntryTypeID), false));
    const auto years = manager->GetSubStorageInfos();
    ASSERT_EQ(years->Count(), 2);
    auto windowOf = [&](int index) {
        const StorageInfoPtr current =
            std::dynamic_pointer_cast<IHXStorageFileDataInfo_>(years->Items(index))->CurrentInfo();
        return current ? current->SaveAsPropertyList() : nullptr;
    };
    // The 2006 file keeps its window until it is next accessed on a day outside it.
    const PropertyListPtr window2006 = windowOf(0);
    ASSERT_TRUE(window2006);
    EXPECT_EQ(InfoDate(window2006, QStringLiteral("startinfo")), QStringLiteral("2006-12-21"));
    EXPECT_EQ(InfoDate(window2006, QStringLiteral("endinfo")), QStringLiteral("2007-01-01"));
    const PropertyListPtr window2007 = windowOf(1);
    ASSERT_TRUE(window2007);
    EXPECT_EQ(InfoDate(window2007, QStringLiteral("startinfo")), QStringLiteral("2007-01-01"));
    EXPECT_EQ(InfoDate(window2007, QStringLiteral("endinfo")), QStringLiteral("2007-01-10"));

    // The save accesses the 2006 file: its window goes back into the year.
    Typed()->Save();
    EXPECT_EQ(Files(), (QStringList{QStringLiteral("cdem.hx"), QStringLiteral("cdroot.hx"),
                                    QStringLiteral("current.hx"), QStringLiteral("data2006.hx")}));
    EXPECT_EQ(ReadDays(FilePath(QStringLiteral("data2006.hx"))), QStringList{QStringLiteral("2006-12-28")});
    EXPECT_EQ(ReadDays(FilePath(QStringLiteral("current.hx"))), QStringList{QStringLiteral("2007-01-02")});
}

TEST_F(StorageTreeTest, DaysAreRoutedToTheFileOfTheirYear) {
    SetToday(2010, 5, 5); // no window in the years below
    AddEntry(Day(2006, 12, 31), 9, 10);
    AddEntry(Day(2007, 1, 1), 9, 10);
    AddEntry(Day(2006, 6, 1), 9, 10);
    Typed()->Save();
    EXPECT_EQ(Files(), (QStringList{QStringLiteral("cdem.hx"), QStringLiteral("cdroot.hx"),
                                    QStringLiteral("data2006.hx"), QStringLiteral("data2007.hx")}));
    EXPECT_EQ(ReadDays(FilePath(QStringLiteral("data2006.hx"))),
              (QStringList{QStringLiteral("2006-06-01"), QStringLiteral("2006-12-31")}));
    EXPECT_EQ(ReadDays(FilePath(QStringLiteral("data2007.hx"))), QStringList{QStringLiteral("2007-01-01")});
}

TEST_F(StorageTreeTest, SameDayListWhileCached) {
    const DayEntryListPtr first = Typed()->GetDayEntries(Day(2006, 3, 14));
    EXPECT_EQ(Typed()->GetDayEntries(Day(2006, 3, 14)).get(), first.get());
    EXPECT_EQ(Typed()->GetDayEntries(Day(2006, 3, 14) + 0.75).get(), first.get()) << "times are cut to the day";
}

// Yesterday and today across the year boundary: day by day through GetEntriesOfDays, and as the
// tracking manager reads them, through one search of the root for activity entries.
TEST_F(StorageTreeTest, EntriesOfDaysComeDayByDayAcrossFiles) {
    SetToday(2007, 1, 1);
    AddEntry(Day(2007, 1, 1), 8, 9);
    AddEntry(Day(2006, 12, 31), 10, 11);
    AddEntry(Day(2006, 12, 31), 9, 10);
    Typed()->Save();
    Reopen();
    const std::vector<EntryPtr> entries = GetEntriesOfDays(*Typed(), Day(2006, 12, 31), Day(2007, 1, 1) + 0.5);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(DateToISO(entries[0]->Date()), QStringLiteral("2006-12-31"));
    EXPECT_EQ(TimeToISOExport(entries[0]->StartTime()).left(5), QStringLiteral("10:00"));
    EXPECT_EQ(TimeToISOExport(entries[1]->StartTime()).left(5), QStringLiteral("09:00"));
    EXPECT_EQ(DateToISO(entries[2]->Date()), QStringLiteral("2007-01-01"));
    EXPECT_TRUE(GetEntriesOfDays(*Typed(), Day(2007, 1, 1), Day(2006, 12, 31)).empty());

    QStringList searched;
    const SearchResultPtr result =
        Host().GetStorage()->SearchEntries(ActivityEntryTypeID, Day(2006, 12, 31), Day(2007, 1, 1));
    for (result->First(); !result->Eof(); result->Next())
        searched << DateToISO(result->Current()->Date()) + u' ' + TimeToISOExport(result->Current()->StartTime());
    searched.sort();
    EXPECT_EQ(searched, (QStringList{QStringLiteral("2006-12-31 09:00:00"), QStringLiteral("2006-12-31 10:00:00"),
                                     QStringLiteral("2007-01-01 08:00:00")}));
}

TEST_F(StorageTreeTest, EmptiedYearFileIsDeletedAndForgotten) {
    SetToday(2010, 5, 5);
    AddEntry(Day(2006, 6, 1), 9, 10);
    Typed()->Save();
    ASSERT_TRUE(Files().contains(QStringLiteral("data2006.hx")));
    Reopen();
    const DayEntryListPtr list = Typed()->GetDayEntries(Day(2006, 6, 1));
    list->Delete(0);
    Typed()->Save();
    EXPECT_FALSE(Files().contains(QStringLiteral("data2006.hx")));
    const std::vector<PropertyListPtr> years = ReadSubStorages(FilePath(QStringLiteral("cdem.hx")));
    ASSERT_EQ(years.size(), 1u);
    EXPECT_EQ(InfoText(years[0], QStringLiteral("path")), QString());
    Reopen();
    EXPECT_EQ(CountEntries(Day(2006, 6, 1)), 0);
    EXPECT_TRUE(m_questions->asked.empty());
}

// Saves that change nothing on disk write nothing: an unchanged history costs nothing per save.
TEST_F(StorageTreeTest, OnlyTheWindowFileIsRewrittenForTodaysBookings) {
    SetToday(2006, 3, 14);
    const DayEntryListPtr january = AddEntry(Day(2006, 1, 10), 9, 10);
    AddEntry(Day(2006, 3, 14), 9, 10);
    Typed()->Save();
    // Written entries are no longer changed, so the saved day is not written again.
    EXPECT_FALSE(january->Changed());
    EXPECT_FALSE(january->Items(0)->Changed());
    EXPECT_FALSE(Host().GetStorage()->Changed());
    const QByteArray year = FileBytes(FilePath(QStringLiteral("data2006.hx")));
    const QByteArray manager = FileBytes(FilePath(QStringLiteral("cdem.hx")));
    Typed()->Save();
    EXPECT_EQ(FileBytes(FilePath(QStringLiteral("data2006.hx"))), year);

    Reopen();
    AddEntry(Day(2006, 3, 14), 10, 11);
    Typed()->Save();
    EXPECT_EQ(FileBytes(FilePath(QStringLiteral("data2006.hx"))), year);
    EXPECT_EQ(FileBytes(FilePath(QStringLiteral("cdem.hx"))), manager);
    EXPECT_EQ(ReadDays(FilePath(QStringLiteral("current.hx"))), QStringList{QStringLiteral("2006-03-14")});
    Reopen();
    EXPECT_EQ(CountEntries(Day(2006, 3, 14)), 2);
}

TEST_F(StorageTreeTest, SubStorageElementNames) {
    SetToday(2010, 5, 5);
    AddEntry(Day(2006, 6, 1), 9, 10);
    Typed()->Save();
    m_host.reset();
    // A description element in other letter case is read...
    EditContent(FilePath(QStringLiteral("cdem.hx")), [](const TvrnDomElement& content) {
        const TvrnDomElement subStorages = XMLFindChild(content, QStringLiteral("substorages"));
        const TvrnDomElement original = XMLFirstChildElement(subStorages);
        StorageLists::SaveToElement(StorageLists::LoadFromElement(original),
                                    XMLAddChild(subStorages, QStringLiteral("StorageInfo")));
        XMLRemoveChild(subStorages, original);
    });
    Reopen();
    EXPECT_EQ(CountEntries(Day(2006, 6, 1)), 1);
    m_host.reset();
    // ...but the list element itself is only found under its exact name.
    EditContent(FilePath(QStringLiteral("cdem.hx")), [](const TvrnDomElement& content) {
        const TvrnDomElement subStorages = XMLFindChild(content, QStringLiteral("substorages"));
        const TvrnDomElement renamed = XMLAddChild(content, QStringLiteral("SubStorages"));
        StorageLists::SaveToElement(StorageLists::LoadFromElement(XMLFirstChildElement(subStorages)),
                                    XMLAddChild(renamed, QStringLiteral("storageinfo")));
        XMLRemoveChild(content, subStorages);
    });
    Reopen();
    EXPECT_EQ(CountEntries(Day(2006, 6, 1)), 0);
    EXPECT_TRUE(m_questions->asked.empty());
}

TEST_F(StorageTreeTest, RangeOfDatesWithData) {
    SetToday(2010, 5, 5);
    auto typed = Typed();
    double min = 0, max = 0;
    bool found = false;
    typed->GetExistingMinMaxDate(min, max, found);
    EXPECT_FALSE(found);
    EXPECT_EQ(min, 0);

    AddEntry(Day(2007, 2, 3), 9, 10);
    AddEntry(Day(2006, 11, 30), 9, 10);
    AddEntry(Day(2010, 5, 6), 9, 10);
    AddEntry(Day(2008, 7, 7), 9, 10);
    Typed()->Save();
    Reopen();
    typed = Typed();
    found = false;
    typed->GetExistingMinMaxDate(min, max, found);
    ASSERT_TRUE(found);
    EXPECT_EQ(DateToISO(min), QStringLiteral("2006-11-30"));
    EXPECT_EQ(DateToISO(max), QStringLiteral("2010-05-06"));

    // The range known so far is only moved outward.
    min = Day(2005, 1, 1);
    max = Day(2008, 1, 1);
    found = true;
    typed->GetExistingMinMaxDate(min, max, found);
    EXPECT_EQ(DateToISO(min), QStringLiteral("2005-01-01"));
    EXPECT_EQ(DateToISO(max), QStringLiteral("2010-05-06"));

    found = false;
    typed->GetExistingMinDate(min, found);
    EXPECT_EQ(DateToISO(min), QStringLiteral("2006-11-30"));
    found = false;
    typed->GetExistingMaxDate(max, found);
    EXPECT_EQ(DateToISO(max), QStringLiteral("2010-05-06"));
}

QStringList EntryDays(const SearchResultPtr& result) {
    QStringList days;
    for (result->First(); !result->Eof(); result->Next())
        days << DateToISO(result->Current()->Date());
    return days;
}

TEST_F(StorageTreeTest, SearchFindsEntriesOfTheRangeInFileOrder) {
    AddEntry(Day(2005, 12, 31), 9, 10);
    AddEntry(Day(2006, 1, 2), 9, 10);
    AddEntry(Day(2006, 3, 13), 9, 10);
    AddEntry(Day(2006, 3, 14), 8, 9);
    AddEntry(Day(2006, 3, 14), 9, 10);
    AddEntry(Day(2006, 5, 1), 9, 10);
    Typed()->Save();
    Reopen();
    EXPECT_EQ(EntryDays(Typed()->SearchEntries(Day(2006, 1, 1), Day(2006, 3, 14))),
              (QStringList{QStringLiteral("2006-03-13"), QStringLiteral("2006-03-14"), QStringLiteral("2006-03-14"),
                           QStringLiteral("2006-01-02")}))
        << "the window's days come before the rest of its year";
    EXPECT_EQ(EntryDays(Typed()->SearchEntries(Day(2005, 1, 1), Day(2010, 1, 1))).size(), 6);
    EXPECT_TRUE(Typed()->SearchEntries(Day(2004, 1, 1), Day(2004, 12, 31))->Eof());
}

TEST_F(StorageTreeTest, SearchOfYesterdayAndTodayInsideTheWindow) {
    AddEntry(Day(2006, 3, 14), 9, 10);
    Typed()->Save();
    Reopen();
    const SearchResultPtr result =
        Host().GetStorage()->SearchEntries(ActivityEntryTypeID, Day(2006, 3, 13), Day(2006, 3, 14));
    auto manager = std::dynamic_pointer_cast<TSearchResultContainer>(result);
    ASSERT_TRUE(manager);
    ASSERT_EQ(manager->Count(), 1);
    auto dayFile = std::dynamic_pointer_cast<TSearchResultContainer>(manager->Items(0));
    ASSERT_TRUE(dayFile);
    ASSERT_EQ(dayFile->Count(), 2);
    EXPECT_TRUE(std::dynamic_pointer_cast<TEmptySearchResult>(dayFile->Items(1)));
    result->First();
    ASSERT_FALSE(result->Eof());
    EXPECT_EQ(DateToISO(result->Current()->Date()), QStringLiteral("2006-03-14"));
}

TEST_F(StorageTreeTest, InfoCompareAndContains) {
    TStorageFileDataInfo year(ActivityEntryTypeID, QString(), Day(2006, 1, 1), Day(2007, 1, 1));
    EXPECT_EQ(year.Compare(Day(2006, 12, 31)), 0);
    EXPECT_EQ(year.Compare(Day(2006, 12, 31) + 0.99), 0);
    EXPECT_EQ(year.Compare(Day(2007, 1, 1)), -1);
    EXPECT_EQ(year.Compare(Day(2005, 12, 31)), 1);
    EXPECT_THROW(TStorageFileDataInfo(ActivityEntryTypeID, QString(), Day(2007, 1, 2), Day(2007, 1, 1)),
                 EStorageInfoCreateError);
    EXPECT_NO_THROW(TStorageFileDataInfo(ActivityEntryTypeID, QString(), Day(2007, 1, 1), Day(2007, 1, 1)));

    TStorageEntryManagerInfo manager(ActivityEntryTypeID, QString());
    auto inside =
        std::make_shared<TStorageFileDataInfo>(ActivityEntryTypeID, QString(), Day(2006, 1, 1), Day(2007, 1, 1));
    auto otherType =
        std::make_shared<TStorageFileDataInfo>(TGUID::NewGuid(), QString(), Day(2006, 1, 1), Day(2007, 1, 1));
    EXPECT_TRUE(manager.Contains(inside));
    EXPECT_FALSE(manager.Contains(otherType));
    EXPECT_FALSE(manager.Contains(nullptr));
    EXPECT_FALSE(inside->Contains(std::make_shared<TStorageEntryManagerInfo>(ActivityEntryTypeID, QString())));
}

TEST_F(StorageTreeTest, InfoPropertyListRoundTripKeepsUnknownProperties) {
    auto window = std::make_shared<TStorageFileCurrentInfo>(ActivityEntryTypeID, QStringLiteral("current.hx"),
                                                            Day(2006, 3, 7), Day(2006, 3, 22));
    TStorageFileDataInfo year(ActivityEntryTypeID, QStringLiteral("data2006.hx"), Day(2006, 1, 1), Day(2007, 1, 1));
    year.SetCurrentInfo(window);
    PropertyListPtr list = year.SaveAsPropertyList();
    StorageLists::SetString(list, QStringLiteral("written by an add-in"), QStringLiteral("kept"));

    TStorageFileDataInfo loaded;
    loaded.LoadFromPropertyList(list);
    EXPECT_FALSE(loaded.Changed());
    EXPECT_EQ(loaded.Path(), QStringLiteral("data2006.hx"));
    ASSERT_TRUE(loaded.CurrentInfo());
    EXPECT_EQ(StorageInfoPath(loaded.CurrentInfo()), QStringLiteral("current.hx"));
    EXPECT_TRUE(StorageLists::Equals(loaded.SaveAsPropertyList(), list));

    loaded.SetCurrentInfo(nullptr);
    EXPECT_TRUE(loaded.Changed());
    EXPECT_FALSE(InfoNested(loaded.SaveAsPropertyList(), QStringLiteral("storage current")));
    EXPECT_THROW(loaded.LoadFromPropertyList(nullptr), EUnassignedArgumentError);
}

TEST_F(StorageTreeTest, EntryManagerNeedsAnOpenSingleTypeDescription) {
    auto limited = std::make_shared<TStorageEntryManagerInfo>(ActivityEntryTypeID, QString());
    PropertyListPtr list = limited->SaveAsPropertyList();
    TDateInfo(hxditLimited, Day(2006, 1, 1))
        .SaveToPropertyList(StorageLists::Nested(list, QStringLiteral("startinfo")));
    limited->LoadFromPropertyList(list);
    try {
        TStorageEntryManager manager(std::make_shared<TCollectingStorageNotifications>(), &Host(), limited);
        FAIL() << "created";
    } catch (const EStorageInfoCreateError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Cannot create TStorageEntryManager with the given StorageInfo"));
    }
    try {
        TStorageEntryManager manager(nullptr, nullptr, nullptr);
        FAIL() << "created";
    } catch (const EUnassignedArgumentError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("TStorageBase.Create (ANotificationObject, AControl, AStorageInfo)"));
    }
    try {
        TStorageFileData dayFile(std::make_shared<TCollectingStorageNotifications>(), &Host(),
                                 std::make_shared<TStorageEntryManagerInfo>(ActivityEntryTypeID, QString()));
        FAIL() << "created";
    } catch (const EStorageCreateError& e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("StorageInfo has wrong StorageType: should be '{69E08251")));
    }
}

/// A day-file description from start with an unlimited end, as an add-in would append it.
StorageInfoPtr OpenEndedDayFile(double start) {
    PropertyListPtr list = TStorageFileDataInfo(ActivityEntryTypeID, QString(), start, start).SaveAsPropertyList();
    TDateInfo().SaveToPropertyList(StorageLists::Nested(list, QStringLiteral("endinfo")));
    auto info = std::make_shared<TStorageFileDataInfo>();
    info->LoadFromPropertyList(list);
    return info;
}

TEST_F(StorageTreeTest, AppendSubStorageRefusesOverlappingDataAndCutsTheOpenLastOne) {
    SetToday(2010, 5, 5);
    for (double lastDay : {Day(2006, 7, 1), Day(2006, 6, 30)}) {
        Reopen();
        QDir(Folder()).removeRecursively();
        QDir().mkpath(Folder());
        Reopen();
        auto root = std::dynamic_pointer_cast<IHXStorageManager_>(Host().GetStorage());
        const StoragePtr managerStorage =
            root->AppendSubStorage(std::make_shared<TStorageEntryManagerInfo>(ActivityEntryTypeID, QString()));
        auto manager = std::dynamic_pointer_cast<IHXStorageManager_>(managerStorage);
        ASSERT_TRUE(manager);
        manager->AppendSubStorage(OpenEndedDayFile(Day(2006, 1, 1)));
        AddEntry(lastDay, 9, 10);
        if (lastDay == Day(2006, 7, 1)) {
            try {
                manager->AppendSubStorage(OpenEndedDayFile(Day(2006, 7, 1)));
                ADD_FAILURE() << "appended over existing data";
            } catch (const EStorageAppendError& e) {
                EXPECT_EQ(e.Message(),
                          QStringLiteral("cannot append substorage: data already exists for the given interval"));
            }
            continue;
        }
        manager->AppendSubStorage(OpenEndedDayFile(Day(2006, 7, 1)));
        const auto list = manager->GetSubStorageInfos();
        ASSERT_EQ(list->Count(), 2);
        EXPECT_EQ(InfoDate(list->Items(0)->SaveAsPropertyList(), QStringLiteral("endinfo")),
                  QStringLiteral("2006-07-01"));
        EXPECT_TRUE(list->Items(0)->Changed());
        EXPECT_THROW(manager->AppendSubStorage(std::make_shared<TStorageFileDataInfo>(
                         ActivityEntryTypeID, QString(), Day(2007, 1, 1), Day(2008, 1, 1))),
                     EStorageAppendError)
            << "the end must be the parent's";
        EXPECT_THROW(root->AppendSubStorage(std::make_shared<TStorageRootInfo>()), EStorageAppendError);
    }
}

} // namespace
