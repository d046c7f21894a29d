// The storage, its day entry lists and their entries as an add-in sees them: through the SDK
// interfaces only, over a real storage folder.

#include "addins/StorageCompanions.h"
#include "addins/Companion.h"
#include "addins/EntryCompanions.h"
#include "foundation/VRNException.h"
#include "model/ActivityLocator.h"
#include "model/Entry.h"
#include "model/EntryList.h"
#include "model/PropertyInterfaces.h"
#include "storage/StorageInfo.h"
#include "storage/TypedStorage.h"
#include "support/SdkTestSupport.h"

#include "../storage/StorageTestSupport.h"

#include <gtest/gtest.h>

using namespace HoraluxSDK;

namespace {

/// An entry an add-in made itself: nothing of the program behind it.
class ForeignEntry : public AddInObject<IHXEntry> {
public:
    HXRESULT get_Changed(HXBOOL*) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT get_Date(HXDATE* value) noexcept override {
        *value = Day(2006, 3, 14);
        return HX_S_OK;
    }
    HXRESULT put_Date(HXDATE) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT get_EndTime(HXDATE*) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT get_StartTime(HXDATE*) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT CompareDateTime(IHXEntry*, int32_t*) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT SetTime(HXDATE, HXDATE) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT get_AdditionalProperties(IHXPropertyList**) noexcept override { return HX_E_NOTIMPL; }
};

class StorageCompanionsTest : public TStorageFixture {
protected:
    StorageCompanionsTest() { *m_storage.Out() = NewStorageCompanion(Host().GetStorage()); }

    /// The add-in's day entry list of activity entries for that day.
    IHXDayEntryList* DayList(double date) {
        HXBSTR type = NewHXText(ActivityEntryTypeID.ToString());
        IHXDayEntryList* list = nullptr;
        EXPECT_EQ(m_storage->GetDayEntries(date, type, &list), HX_S_OK) << TakeErrorDescription().toStdString();
        HXSysFreeString(type);
        return list;
    }

    HXRef<IHXStorage> m_storage;
};

TEST_F(StorageCompanionsTest, ExistingDatesOfAnEmptyAndOfAFilledStorage) {
    struct Answer {
        HXDATE min = -1;
        HXDATE max = -1;
        HXBOOL hasMinMax = 1;
        HXDATE onlyMin = -1;
        HXBOOL hasMin = 1;
        HXDATE onlyMax = -1;
        HXBOOL hasMax = 1;
    };
    const auto ask = [this] {
        Answer answer;
        EXPECT_EQ(m_storage->GetExistingMinMaxDate(&answer.min, &answer.max, &answer.hasMinMax), HX_S_OK);
        EXPECT_EQ(m_storage->GetExistingMinDate(&answer.onlyMin, &answer.hasMin), HX_S_OK);
        EXPECT_EQ(m_storage->GetExistingMaxDate(&answer.onlyMax, &answer.hasMax), HX_S_OK);
        return answer;
    };

    const Answer empty = ask();
    EXPECT_EQ(empty.hasMinMax, HX_FALSE);
    EXPECT_EQ(empty.hasMin, HX_FALSE);
    EXPECT_EQ(empty.hasMax, HX_FALSE);
    EXPECT_EQ(empty.min, 0.0);
    EXPECT_EQ(empty.max, 0.0);

    AddEntry(Day(2006, 3, 10), 8, 9);
    AddEntry(Day(2006, 3, 14), 10, 11);
    Typed()->Save();

    const Answer filled = ask();
    EXPECT_EQ(filled.hasMinMax, HX_TRUE);
    EXPECT_EQ(filled.min, Day(2006, 3, 10));
    EXPECT_EQ(filled.max, Day(2006, 3, 14));
    EXPECT_EQ(filled.hasMin, HX_TRUE);
    EXPECT_EQ(filled.onlyMin, Day(2006, 3, 10));
    EXPECT_EQ(filled.hasMax, HX_TRUE);
    EXPECT_EQ(filled.onlyMax, Day(2006, 3, 14));
}

TEST_F(StorageCompanionsTest, AnActivityEntryIsOneObjectForBothInterfaces) {
    HXRef<IHXDayEntryList> list(DayList(Day(2006, 3, 14)));
    ASSERT_TRUE(list);
    HXRef<IHXEntry> entry;
    ASSERT_EQ(list->AddNew(entry.Out()), HX_S_OK);
    HXRef<IHXActivityEntry> activity(Query<IHXActivityEntry>(entry.get()));
    ASSERT_TRUE(activity) << "an activity entry answers IHXActivityEntry";

    ASSERT_EQ(activity->SetTime(9.0 / 24, 10.5 / 24), HX_S_OK);
    HXDATE date = 0, start = 0, end = 0, activityDate = 0, activityStart = 0, activityEnd = 0;
    ASSERT_EQ(entry->get_Date(&date), HX_S_OK);
    ASSERT_EQ(entry->get_StartTime(&start), HX_S_OK);
    ASSERT_EQ(entry->get_EndTime(&end), HX_S_OK);
    ASSERT_EQ(activity->get_Date(&activityDate), HX_S_OK);
    ASSERT_EQ(activity->get_StartTime(&activityStart), HX_S_OK);
    ASSERT_EQ(activity->get_EndTime(&activityEnd), HX_S_OK);
    EXPECT_EQ(date, Day(2006, 3, 14));
    EXPECT_EQ(activityDate, date);
    EXPECT_DOUBLE_EQ(start, 9.0 / 24);
    EXPECT_EQ(activityStart, start);
    EXPECT_DOUBLE_EQ(end, 10.5 / 24);
    EXPECT_EQ(activityEnd, end);

    // One identity, and each interface leads back to the other.
    HXRef<IHXUnknown> identity(Query<IHXUnknown>(entry.get()));
    HXRef<IHXUnknown> activityIdentity(Query<IHXUnknown>(activity.get()));
    EXPECT_EQ(identity.get(), activityIdentity.get());
    HXRef<IHXEntry> back(Query<IHXEntry>(activity.get()));
    EXPECT_EQ(back.get(), entry.get());

    // The entry reached from either face is an entry of this program for CompareDateTime.
    int32_t order = 5;
    EXPECT_EQ(activity->CompareDateTime(back.get(), &order), HX_S_OK) << TakeErrorDescription().toStdString();
    EXPECT_EQ(order, 0);
    HXRef<IHXEntry> later;
    ASSERT_EQ(list->AddNew(later.Out()), HX_S_OK);
    ASSERT_EQ(later->SetTime(11.0 / 24, 12.0 / 24), HX_S_OK);
    EXPECT_EQ(activity->CompareDateTime(later.get(), &order), HX_S_OK);
    EXPECT_EQ(order, -1);
    EXPECT_EQ(later->CompareDateTime(entry.get(), &order), HX_S_OK);
    EXPECT_EQ(order, 1);
    ASSERT_EQ(activity->CalculateDuration(), HX_S_OK);
    HXDATE duration = 0;
    ASSERT_EQ(activity->get_Duration(&duration), HX_S_OK);
    EXPECT_DOUBLE_EQ(duration, 1.5 / 24);

    // Late binding reaches each face's own members: Duration (209) belongs to the activity face only.
    HXVARIANT lateDuration;
    HXVariantInit(&lateDuration);
    ASSERT_EQ(activity->Invoke(209, HX_DISPATCH_PROPERTYGET, nullptr, 0, &lateDuration), HX_S_OK);
    EXPECT_EQ(lateDuration.vt, HX_VT_DATE);
    EXPECT_DOUBLE_EQ(lateDuration.value.dblVal, 1.5 / 24);
    EXPECT_EQ(entry->Invoke(209, HX_DISPATCH_PROPERTYGET, nullptr, 0, &lateDuration), HX_DISP_E_MEMBERNOTFOUND);
    HXClearErrorInfo();

    // The day's list of the program holds what the add-in set.
    const EntryPtr stored = Typed()->GetDayEntries(Day(2006, 3, 14))->Items(0);
    EXPECT_DOUBLE_EQ(stored->StartTime(), 9.0 / 24);
}

TEST_F(StorageCompanionsTest, TheEntriesOfADayAreReachedByIndex) {
    AddEntry(Day(2006, 3, 14), 8, 9);
    AddEntry(Day(2006, 3, 14), 13, 15);
    HXRef<IHXDayEntryList> list(DayList(Day(2006, 3, 14)));
    ASSERT_TRUE(list);

    int32_t count = 0;
    ASSERT_EQ(list->get_Count(&count), HX_S_OK);
    ASSERT_EQ(count, 2);
    HXDATE date = 0;
    ASSERT_EQ(list->get_Date(&date), HX_S_OK);
    EXPECT_EQ(date, Day(2006, 3, 14));
    const double starts[] = {8.0 / 24, 13.0 / 24};
    for (int32_t i = 0; i < count; ++i) {
        HXRef<IHXEntry> entry;
        ASSERT_EQ(list->get_Items(i, entry.Out()), HX_S_OK);
        HXDATE start = 0;
        ASSERT_EQ(entry->get_StartTime(&start), HX_S_OK);
        EXPECT_DOUBLE_EQ(start, starts[i]) << i;
    }

    for (const int32_t index : {-1, 2}) {
        IHXEntry* outside = reinterpret_cast<IHXEntry*>(this);
        EXPECT_EQ(list->get_Items(index, &outside), HX_E_FAIL) << index;
        EXPECT_EQ(outside, nullptr) << "null on failure";
        EXPECT_FALSE(TakeErrorDescription().isEmpty()) << index;
    }
}

TEST_F(StorageCompanionsTest, AnEntryBookedThroughTheStorageIsSavedAndReadAfterARestart) {
    {
        HXRef<IHXDayEntryList> list(DayList(Day(2006, 3, 14)));
        ASSERT_TRUE(list);
        ASSERT_TRUE(AddBreakEntry(list.get(), 14.0 / 24, 14.5 / 24));

        HXBOOL changed = HX_FALSE;
        ASSERT_EQ(m_storage->get_Changed(&changed), HX_S_OK);
        EXPECT_EQ(changed, HX_TRUE);
        ASSERT_EQ(m_storage->Save(), HX_S_OK) << TakeErrorDescription().toStdString();
        ASSERT_EQ(m_storage->get_Changed(&changed), HX_S_OK);
        EXPECT_EQ(changed, HX_FALSE);
    }
    m_storage.Reset();
    Reopen();

    const DayEntryListPtr day = Typed()->GetDayEntries(Day(2006, 3, 14));
    ASSERT_EQ(day->Count(), 1);
    const auto entry = std::dynamic_pointer_cast<IHXActivityEntry_>(day->Items(0));
    ASSERT_NE(entry, nullptr);
    EXPECT_DOUBLE_EQ(entry->StartTime(), 14.0 / 24);
    EXPECT_DOUBLE_EQ(entry->EndTime(), 14.5 / 24);
    EXPECT_DOUBLE_EQ(entry->Duration(), 0.5 / 24);
    EXPECT_TRUE(entry->Locator()->IsBreak());
}

TEST_F(StorageCompanionsTest, BadArgumentsFailWithTheProgramsMessageAndChangeNothing) {
    AddEntry(Day(2006, 3, 14), 8, 9);
    const DayEntryListPtr programList = Typed()->GetDayEntries(Day(2006, 3, 14));
    HXRef<IHXDayEntryList> list(DayList(Day(2006, 3, 14)));
    ASSERT_TRUE(list);
    HXRef<IHXEntry> entry;
    ASSERT_EQ(list->get_Items(0, entry.Out()), HX_S_OK);

    // What the program's list says about the index.
    QString programMessage;
    try {
        programList->Clone()->Delete(7);
    } catch (const EVRNException& e) {
        programMessage = e.Message();
    }
    ASSERT_FALSE(programMessage.isEmpty());
    EXPECT_EQ(list->Delete(7), HX_E_FAIL);
    EXPECT_EQ(TakeErrorDescription(), programMessage);

    ForeignEntry foreign;
    int32_t order = 5;
    EXPECT_EQ(entry->CompareDateTime(&foreign, &order), HX_E_FAIL);
    EXPECT_EQ(TakeErrorDescription(), QStringLiteral("Entry.CompareDateTime: not an object of this program"));
    EXPECT_EQ(order, 5);
    EXPECT_EQ(list->Remove(&foreign), HX_E_FAIL);
    EXPECT_EQ(TakeErrorDescription(), QStringLiteral("DayEntryList.Remove: not an object of this program"));
    EXPECT_EQ(list->Remove(nullptr), HX_E_FAIL);
    EXPECT_FALSE(TakeErrorDescription().isEmpty());

    EXPECT_EQ(entry->SetTime(0.5, 0.25), HX_E_FAIL) << "start after end";
    EXPECT_FALSE(TakeErrorDescription().isEmpty());
    EXPECT_DOUBLE_EQ(programList->Items(0)->StartTime(), 8.0 / 24);

    HXBSTR notAGuid = NewHXText(QStringLiteral("activity entries"));
    IHXDayEntryList* none = reinterpret_cast<IHXDayEntryList*>(this);
    EXPECT_EQ(m_storage->GetDayEntries(Day(2006, 3, 14), notAGuid, &none), HX_E_FAIL);
    HXSysFreeString(notAGuid);
    EXPECT_EQ(none, nullptr);
    EXPECT_FALSE(TakeErrorDescription().isEmpty());

    EXPECT_EQ(programList->Count(), 1) << "nothing was removed";

    // Remove with an entry of this program takes it out.
    ASSERT_EQ(list->Remove(entry.get()), HX_S_OK);
    EXPECT_EQ(programList->Count(), 0);
}

TEST_F(StorageCompanionsTest, NullOutParametersAreRefused) {
    HXRef<IHXDayEntryList> list(DayList(Day(2006, 3, 14)));
    ASSERT_TRUE(list);
    HXRef<IHXEntry> entry;
    ASSERT_EQ(list->AddNew(entry.Out()), HX_S_OK);
    HXRef<IHXStorageInfo> info;
    ASSERT_EQ(m_storage->get_Info(info.Out()), HX_S_OK);
    const std::pair<const char*, std::function<HXRESULT()>> calls[] = {
        {"Storage.Changed", [&] { return m_storage->get_Changed(nullptr); }},
        {"Storage.Info", [&] { return m_storage->get_Info(nullptr); }},
        {"Storage.GetExistingMinMaxDate", [&] { return m_storage->GetExistingMinMaxDate(nullptr, nullptr, nullptr); }},
        {"DayEntryList.AddNew", [&] { return list->AddNew(nullptr); }},
        {"EntryList.Count", [&] { return list->get_Count(nullptr); }},
        {"Entry.Date", [&] { return entry->get_Date(nullptr); }},
        {"Entry.CompareDateTime", [&] { return entry->CompareDateTime(entry.get(), nullptr); }},
        {"StorageInfo.StartInfo", [&] { return info->get_StartInfo(nullptr); }},
    };
    for (const auto& [member, call] : calls) {
        EXPECT_EQ(call(), HX_E_FAIL) << member;
        EXPECT_TRUE(TakeErrorDescription().contains(QLatin1StringView(member))) << member;
    }
}

TEST_F(StorageCompanionsTest, TheStorageInfoDescribesTheRoot) {
    HXRef<IHXStorageInfo> info;
    ASSERT_EQ(m_storage->get_Info(info.Out()), HX_S_OK);
    const StorageInfoPtr programInfo = Host().GetStorage()->Info();

    HXBSTR type = nullptr;
    ASSERT_EQ(info->get_StorageTypeID(&type), HX_S_OK);
    EXPECT_EQ(QString::fromUtf16(type), programInfo->StorageTypeID().ToString());
    HXSysFreeString(type);

    HXRef<IHXEntryInfo> entryInfo;
    ASSERT_EQ(info->get_EntryInfo(entryInfo.Out()), HX_S_OK);
    HoraluxConstants entryInfoType = HoraluxSDK::hxeitSingle;
    ASSERT_EQ(entryInfo->get_InfoType(&entryInfoType), HX_S_OK);
    EXPECT_EQ(entryInfoType,
              programInfo->EntryInfo()->InfoType() == ::hxeitAll ? HoraluxSDK::hxeitAll : HoraluxSDK::hxeitSingle);

    HXRef<IHXDateInfo> start;
    HXRef<IHXDateInfo> end;
    ASSERT_EQ(info->get_StartInfo(start.Out()), HX_S_OK);
    ASSERT_EQ(info->get_EndInfo(end.Out()), HX_S_OK);
    HoraluxConstants startType = HoraluxSDK::hxditLimited;
    ASSERT_EQ(start->get_InfoType(&startType), HX_S_OK);
    EXPECT_EQ(startType, programInfo->StartInfo()->InfoType() == ::hxditUnlimited ? HoraluxSDK::hxditUnlimited
                                                                                  : HoraluxSDK::hxditLimited);
    HXBOOL equal = HX_FALSE;
    ASSERT_EQ(start->Equals(start.get(), &equal), HX_S_OK);
    EXPECT_EQ(equal, HX_TRUE);
    if (startType == HoraluxSDK::hxditUnlimited) {
        HXDATE date = 7;
        EXPECT_EQ(start->get_Date(&date), HX_E_FAIL) << "an open-ended info has no date";
        EXPECT_EQ(TakeErrorDescription(), QStringLiteral("No date available for infotype hxditUnlimited"));
    }

    int32_t position = 9;
    ASSERT_EQ(info->Compare(Day(2006, 3, 14), &position), HX_S_OK);
    EXPECT_EQ(position, programInfo->Compare(Day(2006, 3, 14)));
    HXBOOL contains = HX_FALSE;
    ASSERT_EQ(info->Contains(info.get(), &contains), HX_S_OK);
    EXPECT_EQ(contains, HX_TRUE);
    EXPECT_EQ(info->Contains(nullptr, &contains), HX_E_FAIL);
    EXPECT_FALSE(TakeErrorDescription().isEmpty());

    // Its property list form goes back into it unchanged.
    HXRef<IHXPropertyList> saved;
    ASSERT_EQ(info->SaveAsPropertyList(saved.Out()), HX_S_OK);
    int32_t count = 0;
    ASSERT_EQ(saved->get_Count(&count), HX_S_OK);
    EXPECT_GT(count, 0);
    ASSERT_EQ(info->UpdateFromPropertyList(saved.get()), HX_S_OK) << TakeErrorDescription().toStdString();
    ASSERT_EQ(info->get_StorageTypeID(&type), HX_S_OK);
    EXPECT_EQ(QString::fromUtf16(type), programInfo->StorageTypeID().ToString());
    HXSysFreeString(type);
}

TEST_F(StorageCompanionsTest, TheAdditionalPropertiesAreTheEntrysOwn) {
    const EntryPtr programEntry = AddEntry(Day(2006, 3, 14), 8, 9)->Items(0);
    programEntry->AdditionalProperties()->Items(QStringLiteral("note"))->SetAsString(QStringLiteral("call"));
    HXRef<IHXDayEntryList> list(DayList(Day(2006, 3, 14)));
    ASSERT_TRUE(list);
    HXRef<IHXEntry> entry;
    ASSERT_EQ(list->get_Items(0, entry.Out()), HX_S_OK);
    HXRef<IHXPropertyList> properties;
    ASSERT_EQ(entry->get_AdditionalProperties(properties.Out()), HX_S_OK);
    int32_t count = 0;
    ASSERT_EQ(properties->get_Count(&count), HX_S_OK);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(CompanionOwner<IHXPropertyList_>(properties.get()), programEntry->AdditionalProperties())
        << "the program's list, not a copy";
}

TEST_F(StorageCompanionsTest, AnEntryListIsCountedReachedAndSorted) {
    const auto entries = std::make_shared<TEntryList>();
    for (const double hour : {15.0, 9.0}) {
        const EntryPtr entry = entries->CreateEntry();
        entry->SetDate(Day(2006, 3, 14));
        entry->SetTime(hour / 24, (hour + 1) / 24);
        entries->Add(entry);
    }
    HXRef<IHXEntryList> list(NewEntryListCompanion(entries));
    int32_t count = 0;
    ASSERT_EQ(list->get_Count(&count), HX_S_OK);
    EXPECT_EQ(count, 2);
    ASSERT_EQ(list->Sort(), HX_S_OK);
    HXRef<IHXEntry> first;
    ASSERT_EQ(list->get_Items(0, first.Out()), HX_S_OK);
    HXDATE start = 0;
    ASSERT_EQ(first->get_StartTime(&start), HX_S_OK);
    EXPECT_DOUBLE_EQ(start, 9.0 / 24);
    HXRef<IHXActivityEntry> notActivity(Query<IHXActivityEntry>(first.get()));
    EXPECT_FALSE(notActivity) << "a plain entry is no activity entry";
}

TEST_F(StorageCompanionsTest, ACompanionKeepsItsListAfterTheProgramLetItGo) {
    AddEntry(Day(2006, 3, 14), 8, 9);
    HXRef<IHXDayEntryList> list(DayList(Day(2006, 3, 14)));
    ASSERT_TRUE(list);
    HXRef<IHXEntry> entry;
    ASSERT_EQ(list->get_Items(0, entry.Out()), HX_S_OK);
    list.Reset();
    m_storage.Reset();
    Host().ReleaseStorage();

    HXDATE start = 0;
    ASSERT_EQ(entry->get_StartTime(&start), HX_S_OK);
    EXPECT_DOUBLE_EQ(start, 8.0 / 24);
}

} // namespace
