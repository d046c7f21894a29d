#include "addins/SdkClassFactory.h"

#include "addins/CalendarCompanions.h"
#include "addins/Companion.h"
#include "addins/EntryCompanions.h"
#include "addins/GlobalCompanion.h"
#include "addins/ModelCompanions.h"
#include "addins/PlannedBreakCompanions.h"
#include "addins/StorageCompanions.h"
#include "foundation/DateTime.h"
#include "model/DisplayInfo.h"
#include "model/Entry.h"
#include "model/EntryInfo.h"
#include "model/EntryList.h"
#include "model/Property.h"
#include "model/PropertyList.h"
#include "model/PropertyValueList.h"

#include <mutex>

using namespace HoraluxSDK;

namespace {

/// The application the classes bound to it are made with.
struct TFactoryApplication {
    std::mutex mutex;
    std::weak_ptr<IApplication_> application;
    const IApplication_* installed = nullptr;
};
TFactoryApplication& FactoryApplication() {
    static TFactoryApplication state;
    return state;
}

/// The running application, or null when none is.
std::shared_ptr<IApplication_> RunningApplication() {
    TFactoryApplication& state = FactoryApplication();
    const std::lock_guard lock(state.mutex);
    return state.application.lock();
}

/// The number of tracked locators a new history list keeps, as the tracking dialog's histories do.
constexpr int HistoryListSize = 10;

/// The application's tools companion, as Global_.Tools hands it out; its failure is raised with
/// the description it left.
IHXTools* NewTools(const std::shared_ptr<IApplication_>& application) {
    Global_* global = NewGlobalCompanion(application);
    IHXTools* tools = nullptr;
    BeginHXCall();
    const HXRESULT result = global->get_Tools(&tools);
    global->Release();
    CheckHXResult(result, "Global.Tools");
    return tools;
}

/// A new calendar with the week's times and the holidays (their names and both rules) of original.
std::shared_ptr<TCalendar> CopyOfCalendar(const IHXCalendar_& original) {
    auto copy = std::make_shared<TCalendar>();
    const std::shared_ptr<IHXWeek_> week = original.Week();
    for (int day = 1; day <= 7; ++day)
        copy->WeekObject()->GetDay(day)->SetWorkTime(week->GetDay(day)->WorkTime());
    const std::shared_ptr<IHXHolidayList_> holidays = original.Holidays();
    for (int i = 0; i < holidays->Count(); ++i) {
        const std::shared_ptr<IHXHoliday_> holiday = holidays->Items(i);
        auto same = std::make_shared<THoliday>(holiday->Date());
        same->SetName(holiday->Name());
        same->DefaultWorktime()->Assign(*holiday->DefaultWorktime());
        same->OverrideWorktime()->Assign(*holiday->OverrideWorktime());
        same->SetOverrideWorktimeDefault(holiday->OverrideWorktimeDefault());
        copy->HolidayListObject()->Add(same);
    }
    return copy;
}

// The makers: a new object of the class with one reference, or null when the application it is
// bound to is not running.

IHXUnknown* MakeApplication() {
    const std::shared_ptr<IApplication_> application = RunningApplication();
    return application ? NewGlobalCompanion(application) : nullptr;
}

IHXUnknown* MakeTools() {
    const std::shared_ptr<IApplication_> application = RunningApplication();
    return application ? NewTools(application) : nullptr;
}

IHXUnknown* MakeAction() {
    const std::shared_ptr<IApplication_> application = RunningApplication();
    if (!application)
        return nullptr;
    IHXTools* tools = NewTools(application);
    IHXAction* action = nullptr;
    BeginHXCall();
    const HXRESULT result = tools->CreateNewAction(&action);
    tools->Release();
    CheckHXResult(result, "Tools.CreateNewAction");
    return action;
}

IHXUnknown* MakeCalendar() {
    const std::shared_ptr<IApplication_> application = RunningApplication();
    const std::shared_ptr<IHXCalendar_> calendar = application ? application->GetCalendar() : nullptr;
    return calendar ? NewCalendarCompanion(CopyOfCalendar(*calendar)) : nullptr;
}

IHXUnknown* MakeProperty() {
    return NewPropertyCompanion(std::make_shared<TProperty>());
}
IHXUnknown* MakePropertyList() {
    return NewPropertyListCompanion(std::make_shared<TPropertyList>());
}
IHXUnknown* MakePropertyValueList() {
    return NewPropertyValueListCompanion(std::make_shared<TPropertyValueList>());
}
IHXUnknown* MakeEntry() {
    return NewEntryCompanion(std::make_shared<TEntry>());
}
IHXUnknown* MakeActivityEntry() {
    return NewEntryCompanion(std::make_shared<TActivityEntry>());
}
IHXUnknown* MakeEntryList() {
    return NewEntryListCompanion(std::make_shared<TEntryList>());
}
IHXUnknown* MakeActivityLocator() {
    return NewActivityLocatorCompanion(std::make_shared<TActivityLocator>());
}
IHXUnknown* MakeActivityLocatorList() {
    return NewActivityLocatorListCompanion(std::make_shared<TActivityLocatorList>());
}
IHXUnknown* MakeActivityLocatorHistoryList() {
    return NewActivityLocatorHistoryListCompanion(std::make_shared<TActivityLocatorHistoryList>(HistoryListSize));
}
/// Covers all entry types.
IHXUnknown* MakeEntryInfo() {
    return NewEntryInfoCompanion(std::make_shared<TEntryInfo>());
}
/// Open-ended.
IHXUnknown* MakeDateInfo() {
    return NewDateInfoCompanion(std::make_shared<TDateInfo>());
}
IHXUnknown* MakePlannedBreak() {
    return NewPlannedBreakCompanion(std::make_shared<TPlannedBreak>());
}
IHXUnknown* MakePlannedBreakList() {
    return NewPlannedBreakListCompanion(std::make_shared<TPlannedBreakList>());
}
/// Monday (a day's number is fixed when it is made), no work time.
IHXUnknown* MakeDay() {
    return NewDayCompanion(std::make_shared<TDay>(1));
}
IHXUnknown* MakeWeek() {
    return NewWeekCompanion(std::make_shared<TWeek>());
}
/// Today's holiday (its date is fixed when it is made), without a name.
IHXUnknown* MakeHoliday() {
    return NewHolidayCompanion(std::make_shared<THoliday>(TodayDate()));
}
IHXUnknown* MakeHolidayList() {
    return NewHolidayListCompanion(std::make_shared<THolidayList>());
}
/// The dialog font and its size 8.
IHXUnknown* MakeDisplayInfo() {
    return NewDisplayInfoCompanion(std::make_shared<TDisplayInfo>());
}

/// A class of the SDK: how it is made, or why it is not.
struct TSdkClass {
    const HXGUID& id;
    const char* name;
    IHXUnknown* (*make)();
    const char* refusal;
};

const TSdkClass SdkClasses[] = {
    {CLSID::HoraluxApplication, "HoraluxApplication", &MakeApplication, nullptr},
    {CLSID::Property_, "Property_", &MakeProperty, nullptr},
    {CLSID::PropertyList, "PropertyList", &MakePropertyList, nullptr},
    {CLSID::PropertyValueList, "PropertyValueList", &MakePropertyValueList, nullptr},
    {CLSID::Activity, "Activity", nullptr,
     "activities belong to the activity tree; make them with AddNew or InsertNew of an activity list"},
    {CLSID::ActivityList, "ActivityList", nullptr, "activity lists belong to the activity tree and its activities"},
    {CLSID::ActivityTree, "ActivityTree", nullptr, "the activity tree is the program's: Global_.ActivityTree"},
    {CLSID::ActivitySource, "ActivitySource", nullptr,
     "activity sources belong to the activity tree: ActivityTree.Sources and LocalSource"},
    {CLSID::Entry, "Entry", &MakeEntry, nullptr},
    {CLSID::ActivityEntry, "ActivityEntry", &MakeActivityEntry, nullptr},
    {CLSID::ActivityLocator, "ActivityLocator", &MakeActivityLocator, nullptr},
    {CLSID::AddIn, "AddIn", nullptr, "add-ins implement IHXAddIn themselves"},
    {CLSID::EntryInfo, "EntryInfo", &MakeEntryInfo, nullptr},
    {CLSID::DateInfo, "DateInfo", &MakeDateInfo, nullptr},
    {CLSID::StorageInfo, "StorageInfo", nullptr,
     "a storage info describes one storage of the program: Global_.Storage.Info"},
    {CLSID::ActionExecute, "ActionExecute", nullptr, "add-ins implement IHXActionExecute themselves"},
    {CLSID::Action, "Action", &MakeAction, nullptr},
    {CLSID::MenuControl, "MenuControl", nullptr, "the tray menu is the program's: Global_.TrayMenu"},
    {CLSID::Storage, "Storage", nullptr, "the work data are the program's storage: Global_.Storage"},
    {CLSID::DayEntryList, "DayEntryList", nullptr,
     "the entries of a day belong to the storage: Global_.Storage.GetDayEntries"},
    {CLSID::EntryList, "EntryList", &MakeEntryList, nullptr},
    {CLSID::Tools, "Tools", &MakeTools, nullptr},
    {CLSID::Day, "Day", &MakeDay, nullptr},
    {CLSID::Week, "Week", &MakeWeek, nullptr},
    {CLSID::PlannedBreak, "PlannedBreak", &MakePlannedBreak, nullptr},
    {CLSID::PlannedBreakList, "PlannedBreakList", &MakePlannedBreakList, nullptr},
    {CLSID::ActivityLocatorList, "ActivityLocatorList", &MakeActivityLocatorList, nullptr},
    {CLSID::ActivityLocatorHistoryList, "ActivityLocatorHistoryList", &MakeActivityLocatorHistoryList, nullptr},
    {CLSID::Holiday, "Holiday", &MakeHoliday, nullptr},
    {CLSID::HolidayList, "HolidayList", &MakeHolidayList, nullptr},
    {CLSID::Calendar, "Calendar", &MakeCalendar, nullptr},
    {CLSID::DisplayInfo, "DisplayInfo", &MakeDisplayInfo, nullptr},
};

/// Leaves the description (source HXCreateInstance) and returns result.
HXRESULT Failure(HXRESULT result, const QString& description) {
    HXSetErrorInfo(u"HXCreateInstance", reinterpret_cast<const char16_t*>(description.utf16()));
    return result;
}

QString GuidText(const HXGUID& guid) {
    return FromHXGuid(guid).ToString();
}

/// The internal classes (the program's storage kinds) are refused like unknown ones.
const TSdkClass* FindClass(const HXGUID& id) {
    for (const TSdkClass& sdkClass : SdkClasses)
        if (HXEqualGuid(sdkClass.id, id))
            return &sdkClass;
    return nullptr;
}

} // namespace

HXRESULT CreateSdkInstance(const HXGUID* classId, const HXGUID* interfaceId, void** object) noexcept {
    try {
        HXClearErrorInfo();
        if (object)
            *object = nullptr;
        if (!classId || !interfaceId || !object)
            return Failure(HX_E_POINTER, QStringLiteral("HXCreateInstance: the class id, the interface id and the "
                                                        "object pointer must not be null"));
        const TSdkClass* sdkClass = FindClass(*classId);
        if (!sdkClass)
            return Failure(
                HX_CLASS_E_CLASSNOTAVAILABLE,
                QStringLiteral("HXCreateInstance: %1 is not a class add-ins can create").arg(GuidText(*classId)));
        if (!sdkClass->make)
            return Failure(HX_CLASS_E_CLASSNOTAVAILABLE,
                           QStringLiteral("HXCreateInstance: the class %1 cannot be created: %2")
                               .arg(QString::fromLatin1(sdkClass->name), QString::fromLatin1(sdkClass->refusal)));
        // Never answered: it hands out no reference, and the new object goes below.
        if (HXEqualGuid(*interfaceId, IID_CompanionSelf))
            return Failure(HX_E_NOINTERFACE, QStringLiteral("HXCreateInstance: the class %1 does not answer %2")
                                                 .arg(QString::fromLatin1(sdkClass->name), GuidText(*interfaceId)));
        IHXUnknown* made = nullptr;
        const HXRESULT result = GuardHXCall([&] { made = sdkClass->make(); });
        if (HX_FAILED(result))
            return result;
        if (!made)
            return Failure(HX_CLASS_E_CLASSNOTAVAILABLE,
                           QStringLiteral("HXCreateInstance: the class %1 needs the running program, which has ended")
                               .arg(QString::fromLatin1(sdkClass->name)));
        const HXRESULT answer = made->QueryInterface(*interfaceId, object);
        made->Release();
        if (answer != HX_S_OK) {
            *object = nullptr;
            return Failure(HX_E_NOINTERFACE, QStringLiteral("HXCreateInstance: the class %1 does not answer %2")
                                                 .arg(QString::fromLatin1(sdkClass->name), GuidText(*interfaceId)));
        }
        return HX_S_OK;
    } catch (const std::bad_alloc&) {
        return HX_E_OUTOFMEMORY;
    } catch (...) {
        return HX_E_UNEXPECTED;
    }
}

void InstallSdkClassFactory(const std::shared_ptr<IApplication_>& application) {
    {
        TFactoryApplication& state = FactoryApplication();
        const std::lock_guard lock(state.mutex);
        state.application = application;
        state.installed = application.get();
    }
    HXSetInstanceCreator(&CreateSdkInstance);
}

void ReleaseSdkClassFactoryApplication(const IApplication_* application) {
    TFactoryApplication& state = FactoryApplication();
    const std::lock_guard lock(state.mutex);
    if (state.installed != application)
        return;
    state.application.reset();
    state.installed = nullptr;
}
