// The SDK's classes as an add-in creates them inside the running program (HXCreateInstance): which
// classes it makes and which it refuses, and that the objects bound to the program are the
// program's (its application object, its actions) or start from its settings (a calendar copy).

#include "app/Application.h"

#include "ControllerTestSupport.h"
#include "addins/Companion.h"
#include "calendar/Calendar.h"
#include "foundation/DateTime.h"
#include "support/SdkTestSupport.h"

#include <gtest/gtest.h>

using namespace HoraluxSDK;

namespace {

constexpr double Hours = 1.0 / 24;

class ApplicationSdkClassesTest : public ControllerTest {
protected:
    ScopedFixedClock m_clock{QDateTime(QDate(2024, 12, 20), QTime(12, 0))};
};

/// A new object of the class answering Interface, or null (the failure in result).
template <typename Interface> HXRef<Interface> Create(const HXGUID& classId, HXRESULT* result = nullptr) {
    void* object = nullptr;
    const HXRESULT answer = HXCreateInstance(&classId, &Interface::IID, &object);
    if (result)
        *result = answer;
    return HXRef<Interface>(static_cast<Interface*>(object));
}

TEST_F(ApplicationSdkClassesTest, TheProgramMakesItsPublicClassesAndRefusesTheOthersWithAReason) {
    StartController(TestOptions());
    constexpr HXRESULT Made = HX_S_OK;
    constexpr HXRESULT Refused = HX_CLASS_E_CLASSNOTAVAILABLE;
    constexpr HXRESULT NoInterface = HX_E_NOINTERFACE;
    struct Case {
        const char* name;
        const HXGUID& classId;
        const HXGUID& interfaceId;
        HXRESULT expected;
    };
    const Case cases[] = {
        {"HoraluxApplication", CLSID::HoraluxApplication, Global_::IID, Made},
        {"Property_", CLSID::Property_, IHXProperty::IID, Made},
        {"PropertyList", CLSID::PropertyList, IHXPropertyList::IID, Made},
        {"PropertyValueList", CLSID::PropertyValueList, IHXPropertyValueList::IID, Made},
        {"Activity", CLSID::Activity, IHXActivity::IID, Refused},
        {"ActivityList", CLSID::ActivityList, IHXActivityList::IID, Refused},
        {"ActivityTree", CLSID::ActivityTree, IHXActivityTree::IID, Refused},
        {"ActivitySource", CLSID::ActivitySource, IHXActivitySource::IID, Refused},
        {"Entry", CLSID::Entry, IHXEntry::IID, Made},
        {"Entry as an activity entry", CLSID::Entry, IHXActivityEntry::IID, NoInterface},
        {"ActivityEntry", CLSID::ActivityEntry, IHXActivityEntry::IID, Made},
        {"ActivityEntry as an entry", CLSID::ActivityEntry, IHXEntry::IID, Made},
        {"ActivityLocator", CLSID::ActivityLocator, IHXActivityLocator::IID, Made},
        {"AddIn", CLSID::AddIn, HoraluxSDK::IHXAddIn::IID, Refused},
        {"EntryInfo", CLSID::EntryInfo, IHXEntryInfo::IID, Made},
        {"DateInfo", CLSID::DateInfo, IHXDateInfo::IID, Made},
        {"StorageInfo", CLSID::StorageInfo, IHXStorageInfo::IID, Refused},
        {"ActionExecute", CLSID::ActionExecute, HoraluxSDK::IHXActionExecute::IID, Refused},
        {"Action", CLSID::Action, IHXAction::IID, Made},
        {"MenuControl", CLSID::MenuControl, IHXMenuControl::IID, Refused},
        {"Storage", CLSID::Storage, IHXStorage::IID, Refused},
        {"DayEntryList", CLSID::DayEntryList, IHXDayEntryList::IID, Refused},
        {"EntryList", CLSID::EntryList, IHXEntryList::IID, Made},
        {"Tools", CLSID::Tools, IHXTools::IID, Made},
        {"Day", CLSID::Day, IHXDay::IID, Made},
        {"Week", CLSID::Week, IHXWeek::IID, Made},
        {"PlannedBreak", CLSID::PlannedBreak, IHXPlannedBreak::IID, Made},
        {"PlannedBreakList", CLSID::PlannedBreakList, IHXPlannedBreakList::IID, Made},
        {"ActivityLocatorList", CLSID::ActivityLocatorList, IHXActivityLocatorList::IID, Made},
        {"ActivityLocatorHistoryList", CLSID::ActivityLocatorHistoryList, IHXActivityLocatorHistoryList::IID, Made},
        {"Holiday", CLSID::Holiday, IHXHoliday::IID, Made},
        {"HolidayList", CLSID::HolidayList, IHXHolidayList::IID, Made},
        {"Calendar", CLSID::Calendar, IHXCalendar::IID, Made},
        {"Calendar as plain dispatch", CLSID::Calendar, IHXDispatch::IID, Made},
        {"Calendar as a week", CLSID::Calendar, IHXWeek::IID, NoInterface},
        {"Calendar as the program's own face", CLSID::Calendar, IID_CompanionSelf, NoInterface},
        {"DisplayInfo", CLSID::DisplayInfo, IHXDisplayInfo::IID, Made},
        {"the library id", LIBID_HoraluxSDK, IHXDispatch::IID, Refused},
        {"__StorageBase", HiddenCLSID::StorageBase__, IHXStorage::IID, Refused},
        {"__StorageFileBase", HiddenCLSID::StorageFileBase__, IHXStorage::IID, Refused},
        {"__StorageRoot", HiddenCLSID::StorageRoot__, IHXStorage::IID, Refused},
        {"__StorageEntryManager", HiddenCLSID::StorageEntryManager__, IHXStorage::IID, Refused},
        {"__StorageManagerBase", HiddenCLSID::StorageManagerBase__, IHXStorage::IID, Refused},
        {"__StorageFileDataBase", HiddenCLSID::StorageFileDataBase__, IHXStorage::IID, Refused},
        {"__StorageFileData", HiddenCLSID::StorageFileData__, IHXStorage::IID, Refused},
        {"__StorageFileDataCurrent", HiddenCLSID::StorageFileDataCurrent__, IHXStorage::IID, Refused},
        {"__StorageInfoBase", HiddenCLSID::StorageInfoBase__, IHXStorageInfo::IID, Refused},
        {"__StorageFileInfoBase", HiddenCLSID::StorageFileInfoBase__, IHXStorageInfo::IID, Refused},
        {"__StorageRootInfo", HiddenCLSID::StorageRootInfo__, IHXStorageInfo::IID, Refused},
        {"__StorageEntryManagerInfo", HiddenCLSID::StorageEntryManagerInfo__, IHXStorageInfo::IID, Refused},
        {"__StorageFileInfo", HiddenCLSID::StorageFileInfo__, IHXStorageInfo::IID, Refused},
        {"__StorageFileDataInfo", HiddenCLSID::StorageFileDataInfo__, IHXStorageInfo::IID, Refused},
        {"__StorageFileCurrentInfo", HiddenCLSID::StorageFileCurrentInfo__, IHXStorageInfo::IID, Refused},
        {"__Dummy1", HiddenCLSID::Dummy1__, IHXDispatch::IID, Refused},
    };
    for (const Case& c : cases) {
        void* object = &m_app;
        const HXRESULT result = HXCreateInstance(&c.classId, &c.interfaceId, &object);
        EXPECT_EQ(result, c.expected) << c.name << ": " << TakeErrorDescription().toStdString();
        if (result != HX_S_OK) {
            EXPECT_EQ(object, nullptr) << c.name;
            continue;
        }
        ASSERT_NE(object, nullptr) << c.name;
        // Every object made answers late-bound calls and goes with its last Release.
        auto* made = static_cast<IHXDispatch*>(object);
        uint32_t count = 1;
        EXPECT_EQ(made->GetTypeInfoCount(&count), HX_S_OK) << c.name;
        made->Release();
    }

    // A refusal says why.
    EXPECT_FALSE(Create<IHXActivityTree>(CLSID::ActivityTree));
    EXPECT_EQ(TakeErrorDescription(), QStringLiteral("HXCreateInstance: the class ActivityTree cannot be created: the "
                                                     "activity tree is the program's: Global_.ActivityTree"));
    EXPECT_FALSE(Create<IHXStorage>(HiddenCLSID::StorageRoot__));
    EXPECT_EQ(TakeErrorDescription(), QStringLiteral("HXCreateInstance: {353E4F60-D890-4167-B02E-356C619A390D} is "
                                                     "not a class add-ins can create"));
}

TEST_F(ApplicationSdkClassesTest, ObjectsBoundToTheProgramAreItsOwnOrStartFromItsSettings) {
    StartController(TestOptions());
    // The user's calendar: 8 hours Monday to Friday, Christmas Eve a half day.
    const auto program = std::dynamic_pointer_cast<TCalendar>(m_app->GetCalendar());
    ASSERT_NE(program, nullptr);
    for (int day = 1; day <= 5; ++day)
        program->WeekObject()->GetDay(day)->SetWorkTime(8 * Hours);
    const double monday = EncodeDate(2024, 12, 23);
    const std::shared_ptr<IHXHoliday_> eve = program->Holidays()->AddNew(monday + 1);
    eve->SetName(QStringLiteral("Christmas Eve"));
    eve->DefaultWorktime()->SetIsPercentage(true);
    eve->DefaultWorktime()->SetWorktimePercentage(0.5);

    HXRESULT result = HX_E_FAIL;
    HXRef<IHXCalendar> calendar = Create<IHXCalendar>(CLSID::Calendar, &result);
    ASSERT_EQ(result, HX_S_OK) << TakeErrorDescription().toStdString();
    HXDATE week = 0;
    ASSERT_EQ(calendar->GetWorkTime(monday, monday + 6, &week), HX_S_OK);
    EXPECT_NEAR(week, 36 * Hours, 1e-9) << "the user's week with the half day";

    // The copy is the add-in's: what it changes leaves the program's calendar alone.
    HXRef<IHXWeek> copyWeek;
    ASSERT_EQ(calendar->get_Week(copyWeek.Out()), HX_S_OK);
    HXRef<IHXDay> copyMonday;
    ASSERT_EQ(copyWeek->get_Monday(copyMonday.Out()), HX_S_OK);
    ASSERT_EQ(copyMonday->put_WorkTime(0), HX_S_OK);
    HXRef<IHXHolidayList> holidays;
    ASSERT_EQ(calendar->get_Holidays(holidays.Out()), HX_S_OK);
    int32_t index = -2;
    ASSERT_EQ(holidays->DeleteByDate(monday + 1, &index), HX_S_OK);
    EXPECT_EQ(index, 0) << "the copy had the user's holiday";
    EXPECT_NEAR(program->GetWorkTime(monday, monday + 6), 36 * Hours, 1e-9);

    // The application object is the running program's; an action made is the program's action.
    HXRef<Global_> application = Create<Global_>(CLSID::HoraluxApplication);
    ASSERT_TRUE(application);
    EXPECT_EQ(CompanionOwner<IApplication_>(application.get()), std::static_pointer_cast<IApplication_>(m_app));
    HXRef<IHXAction> action = Create<IHXAction>(CLSID::Action, &result);
    ASSERT_EQ(result, HX_S_OK) << TakeErrorDescription().toStdString();
    HXBSTR id = nullptr;
    ASSERT_EQ(action->get_ID(&id), HX_S_OK);
    EXPECT_NE(m_app->GetAction(TGUID::FromString(TakeText(id))), nullptr);

    // Once the program has ended, what needs it is refused; the rest is still made.
    application.Reset();
    action.Reset();
    StopController();
    EXPECT_FALSE(Create<IHXCalendar>(CLSID::Calendar, &result));
    EXPECT_EQ(result, HX_CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(TakeErrorDescription(),
              QStringLiteral("HXCreateInstance: the class Calendar needs the running program, which has ended"));
    EXPECT_FALSE(Create<Global_>(CLSID::HoraluxApplication, &result));
    EXPECT_EQ(result, HX_CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_TRUE(Create<IHXHolidayList>(CLSID::HolidayList));
}

} // namespace
