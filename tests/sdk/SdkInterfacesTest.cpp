// The SDK's interfaces against the published table of the type library: each member's slot in
// the interface table (read from the member pointer, as this ABI encodes it), its dispatch id,
// kind and name, and each interface's GUID. An add-in built against an older copy of the header
// calls through these slots, so none may move.

#include "HoraluxSDK.h"

#include <QString>
#include <QUuid>
#include <cstddef>
#include <cstring>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

using namespace HoraluxSDK;

namespace {

/// The slot of a virtual member function: on this ABI its member pointer holds one more than the
/// byte offset of the slot in the table; -1 for a member that is not virtual.
template <typename Member> int SlotOf(Member member) {
    struct {
        std::uintptr_t ptr;
        std::ptrdiff_t adjustment;
    } raw;
    static_assert(sizeof(Member) == sizeof(raw));
    std::memcpy(&raw, &member, sizeof raw);
    if ((raw.ptr & 1) == 0)
        return -1;
    return static_cast<int>((raw.ptr - 1) / sizeof(void*));
}

struct ExpectedMember {
    int slot;
    int dispid;
    std::string kind;
    std::string name;
};

struct ExpectedInterface {
    const char* name;
    HXGUID iid;
    const char* guidText;
    const HXMemberInfo* members;
    std::size_t memberCount;
    std::vector<ExpectedMember> expected;
};

#define SLOT(Interface, Function, dispid, kind, name)                                                                  \
    ExpectedMember {                                                                                                   \
        SlotOf(&Interface::Function), dispid, kind, name                                                               \
    }

const char* KindName(HXMemberKind kind) {
    switch (kind) {
    case HXMemberKind::Get:
        return "get";
    case HXMemberKind::Put:
        return "put";
    case HXMemberKind::Method:
        return "method";
    }
    return "?";
}

bool SameGuid(const HXGUID& guid, const char* text) {
    const QUuid uuid(QString::fromLatin1(text));
    if (uuid.isNull() || uuid.data1 != guid.Data1 || uuid.data2 != guid.Data2 || uuid.data3 != guid.Data3)
        return false;
    return std::memcmp(uuid.data4, guid.Data4, 8) == 0;
}

// The table of the type library: interface, GUID, and in slot order each member with its dispatch
// id; a property readable and writable has its reader, then its writer.
const std::vector<ExpectedInterface>& TypeLibrary() {
    static const std::vector<ExpectedInterface> table = {
        {"Global_",
         Global_::IID,
         "{5D52FB98-B4EE-4438-959E-841D34988C19}",
         Global_::Members,
         std::size(Global_::Members),
         {
             SLOT(Global_, GetCurrentWindow, 201, "method", "GetCurrentWindow"),
             SLOT(Global_, get_Options, 202, "get", "Options"),
             SLOT(Global_, get_ActivityTree, 203, "get", "ActivityTree"),
             SLOT(Global_, get_Tools, 204, "get", "Tools"),
             SLOT(Global_, get_TrayMenu, 205, "get", "TrayMenu"),
             SLOT(Global_, AddCurrentWindow, 206, "method", "AddCurrentWindow"),
             SLOT(Global_, get_CanShowWindow, 207, "get", "CanShowWindow"),
             SLOT(Global_, get_PlannedBreaks, 208, "get", "PlannedBreaks"),
             SLOT(Global_, get_Storage, 209, "get", "Storage"),
             SLOT(Global_, RemoveCurrentWindow, 210, "method", "RemoveCurrentWindow"),
         }},
        {"IHXProperty",
         IHXProperty::IID,
         "{358B1F03-B5F1-457C-9692-CA98A3450522}",
         IHXProperty::Members,
         std::size(IHXProperty::Members),
         {
             SLOT(IHXProperty, get_DataType, 201, "get", "DataType"),
             SLOT(IHXProperty, get_AsString, 202, "get", "AsString"),
             SLOT(IHXProperty, put_AsString, 202, "put", "AsString"),
             SLOT(IHXProperty, get_AsInteger, 203, "get", "AsInteger"),
             SLOT(IHXProperty, put_AsInteger, 203, "put", "AsInteger"),
             SLOT(IHXProperty, get_AsDateTime, 204, "get", "AsDateTime"),
             SLOT(IHXProperty, put_AsDateTime, 204, "put", "AsDateTime"),
             SLOT(IHXProperty, get_AsDouble, 205, "get", "AsDouble"),
             SLOT(IHXProperty, put_AsDouble, 205, "put", "AsDouble"),
             SLOT(IHXProperty, get_AsBoolean, 206, "get", "AsBoolean"),
             SLOT(IHXProperty, put_AsBoolean, 206, "put", "AsBoolean"),
             SLOT(IHXProperty, get_AsPropertyList, 207, "get", "AsPropertyList"),
             SLOT(IHXProperty, get_AsValueList, 208, "get", "AsValueList"),
         }},
        {"IHXPropertyList",
         IHXPropertyList::IID,
         "{3DC64BF7-A8E6-4922-93C9-210578096726}",
         IHXPropertyList::Members,
         std::size(IHXPropertyList::Members),
         {
             SLOT(IHXPropertyList, get_Count, 201, "get", "Count"),
             SLOT(IHXPropertyList, get_Changed, 202, "get", "Changed"),
             SLOT(IHXPropertyList, get_Items, 0, "get", "Items"),
             SLOT(IHXPropertyList, put_Items, 0, "put", "Items"),
             SLOT(IHXPropertyList, Find, 203, "method", "Find"),
         }},
        {"IHXPropertyValueList",
         IHXPropertyValueList::IID,
         "{CF4ACEA9-EE15-45DC-8013-A5F3A4C7FD61}",
         IHXPropertyValueList::Members,
         std::size(IHXPropertyValueList::Members),
         {
             SLOT(IHXPropertyValueList, get_Count, 201, "get", "Count"),
             SLOT(IHXPropertyValueList, AddItem, 202, "method", "AddItem"),
             SLOT(IHXPropertyValueList, get_Items, 0, "get", "Items"),
         }},
        {"IHXActivity",
         IHXActivity::IID,
         "{1A953A64-C35E-4035-AE1E-039FF59B77D9}",
         IHXActivity::Members,
         std::size(IHXActivity::Members),
         {
             SLOT(IHXActivity, get_Name, 201, "get", "Name"),
             SLOT(IHXActivity, put_Name, 201, "put", "Name"),
             SLOT(IHXActivity, get_Values, 202, "get", "Values"),
             SLOT(IHXActivity, get_ID, 203, "get", "ID"),
             SLOT(IHXActivity, get_InstanceCount, 204, "get", "InstanceCount"),
             SLOT(IHXActivity, put_InstanceCount, 204, "put", "InstanceCount"),
             SLOT(IHXActivity, get_IsBreak, 205, "get", "IsBreak"),
             SLOT(IHXActivity, put_IsBreak, 205, "put", "IsBreak"),
             SLOT(IHXActivity, get_IsReadOnly, 206, "get", "IsReadOnly"),
             SLOT(IHXActivity, get_Childs, 207, "get", "Childs"),
             SLOT(IHXActivity, get_TempStorage, 208, "get", "TempStorage"),
         }},
        {"IHXActivityList",
         IHXActivityList::IID,
         "{1C175A6A-A30F-482C-8EBD-AED1321AE6C7}",
         IHXActivityList::Members,
         std::size(IHXActivityList::Members),
         {
             SLOT(IHXActivityList, get_Count, 201, "get", "Count"),
             SLOT(IHXActivityList, get_Items, 0, "get", "Items"),
             SLOT(IHXActivityList, AddNew, 202, "method", "AddNew"),
             SLOT(IHXActivityList, InsertNew, 203, "method", "InsertNew"),
             SLOT(IHXActivityList, Contains, 204, "method", "Contains"),
             SLOT(IHXActivityList, Remove, 205, "method", "Remove"),
             SLOT(IHXActivityList, IndexOf, 206, "method", "IndexOf"),
         }},
        {"IHXActivityTree",
         IHXActivityTree::IID,
         "{633BBD2C-0A04-4E39-A411-2509F34363B8}",
         IHXActivityTree::Members,
         std::size(IHXActivityTree::Members),
         {
             SLOT(IHXActivityTree, get_Childs, 201, "get", "Childs"),
             SLOT(IHXActivityTree, Assign_, 202, "method", "Assign_"),
             SLOT(IHXActivityTree, get_SourcesCount, 203, "get", "SourcesCount"),
             SLOT(IHXActivityTree, get_Sources, 204, "get", "Sources"),
             SLOT(IHXActivityTree, get_LocalSource, 205, "get", "LocalSource"),
         }},
        {"IHXActivitySource",
         IHXActivitySource::IID,
         "{75DD47CF-92FF-4814-80DD-3D5C18B3564E}",
         IHXActivitySource::Members,
         std::size(IHXActivitySource::Members),
         {
             SLOT(IHXActivitySource, get_ID, 201, "get", "ID"),
             SLOT(IHXActivitySource, get_URL, 202, "get", "URL"),
         }},
        {"IHXEntry",
         IHXEntry::IID,
         "{3B649418-4665-4E67-BC21-A5A008CFBE86}",
         IHXEntry::Members,
         std::size(IHXEntry::Members),
         {
             SLOT(IHXEntry, get_Changed, 201, "get", "Changed"),
             SLOT(IHXEntry, get_Date, 202, "get", "Date"),
             SLOT(IHXEntry, put_Date, 202, "put", "Date"),
             SLOT(IHXEntry, get_EndTime, 203, "get", "EndTime"),
             SLOT(IHXEntry, get_StartTime, 204, "get", "StartTime"),
             SLOT(IHXEntry, CompareDateTime, 205, "method", "CompareDateTime"),
             SLOT(IHXEntry, SetTime, 206, "method", "SetTime"),
             SLOT(IHXEntry, get_AdditionalProperties, 207, "get", "AdditionalProperties"),
         }},
        {"IHXActivityEntry",
         IHXActivityEntry::IID,
         "{FE5FA95C-3C60-489C-810A-064756C1A954}",
         IHXActivityEntry::Members,
         std::size(IHXActivityEntry::Members),
         {
             SLOT(IHXActivityEntry, get_Changed, 201, "get", "Changed"),
             SLOT(IHXActivityEntry, get_Date, 202, "get", "Date"),
             SLOT(IHXActivityEntry, put_Date, 202, "put", "Date"),
             SLOT(IHXActivityEntry, get_EndTime, 203, "get", "EndTime"),
             SLOT(IHXActivityEntry, get_StartTime, 204, "get", "StartTime"),
             SLOT(IHXActivityEntry, CompareDateTime, 205, "method", "CompareDateTime"),
             SLOT(IHXActivityEntry, get_Duration, 209, "get", "Duration"),
             SLOT(IHXActivityEntry, put_Duration, 209, "put", "Duration"),
             SLOT(IHXActivityEntry, get_Locator, 207, "get", "Locator"),
             SLOT(IHXActivityEntry, CalculateDuration, 208, "method", "CalculateDuration"),
             SLOT(IHXActivityEntry, SetTime, 206, "method", "SetTime"),
         }},
        {"IHXActivityLocator",
         IHXActivityLocator::IID,
         "{FAF5AD25-A2D2-46E8-8229-38E4C9BCD664}",
         IHXActivityLocator::Members,
         std::size(IHXActivityLocator::Members),
         {
             SLOT(IHXActivityLocator, get_IsBreak, 201, "get", "IsBreak"),
             SLOT(IHXActivityLocator, put_IsBreak, 201, "put", "IsBreak"),
             SLOT(IHXActivityLocator, Eq, 202, "method", "Eq"),
             SLOT(IHXActivityLocator, FindActivity, 203, "method", "FindActivity"),
             SLOT(IHXActivityLocator, GetActivityName, 204, "method", "GetActivityName"),
             SLOT(IHXActivityLocator, GetActivityPathName, 205, "method", "GetActivityPathName"),
             SLOT(IHXActivityLocator, SetActivity, 206, "method", "SetActivity"),
             SLOT(IHXActivityLocator, AddParentActivity, 207, "method", "AddParentActivity"),
             SLOT(IHXActivityLocator, Assign_, 208, "method", "Assign_"),
         }},
        {"IHXAddIn",
         IHXAddIn::IID,
         "{0DC8A7F2-3959-4FAA-97E4-95D2876EFF4F}",
         IHXAddIn::Members,
         std::size(IHXAddIn::Members),
         {
             SLOT(IHXAddIn, GetID, 201, "method", "GetID"),
             SLOT(IHXAddIn, GetName, 202, "method", "GetName"),
             SLOT(IHXAddIn, AllowDeactivate, 203, "method", "AllowDeactivate"),
             SLOT(IHXAddIn, RequiresAddInsCount, 204, "method", "RequiresAddInsCount"),
             SLOT(IHXAddIn, GetRequiredAddInsID, 205, "method", "GetRequiredAddInsID"),
             SLOT(IHXAddIn, Loaded, 206, "method", "Loaded"),
             SLOT(IHXAddIn, LaunchAddIn, 207, "method", "LaunchAddIn"),
             SLOT(IHXAddIn, GetAboutText, 208, "method", "GetAboutText"),
         }},
        {"IHXEntryInfo",
         IHXEntryInfo::IID,
         "{FBDA62B8-7C2A-4329-84B8-E99388E2A614}",
         IHXEntryInfo::Members,
         std::size(IHXEntryInfo::Members),
         {
             SLOT(IHXEntryInfo, get_EntryTypeID, 201, "get", "EntryTypeID"),
             SLOT(IHXEntryInfo, get_InfoType, 202, "get", "InfoType"),
         }},
        {"IHXDateInfo",
         IHXDateInfo::IID,
         "{0EB4D987-80FE-49B8-9BBE-9BF6B8B3849E}",
         IHXDateInfo::Members,
         std::size(IHXDateInfo::Members),
         {
             SLOT(IHXDateInfo, get_Date, 201, "get", "Date"),
             SLOT(IHXDateInfo, get_InfoType, 202, "get", "InfoType"),
             SLOT(IHXDateInfo, Equals, 203, "method", "Equals"),
         }},
        {"IHXStorageInfo",
         IHXStorageInfo::IID,
         "{1C542C45-7892-4118-B41E-EDD85867ED88}",
         IHXStorageInfo::Members,
         std::size(IHXStorageInfo::Members),
         {
             SLOT(IHXStorageInfo, get_Changed, 201, "get", "Changed"),
             SLOT(IHXStorageInfo, get_EndInfo, 202, "get", "EndInfo"),
             SLOT(IHXStorageInfo, get_EntryInfo, 203, "get", "EntryInfo"),
             SLOT(IHXStorageInfo, get_StartInfo, 204, "get", "StartInfo"),
             SLOT(IHXStorageInfo, get_StorageTypeID, 205, "get", "StorageTypeID"),
             SLOT(IHXStorageInfo, Compare, 206, "method", "Compare"),
             SLOT(IHXStorageInfo, Contains, 207, "method", "Contains"),
             SLOT(IHXStorageInfo, LoadFromPropertyList, 208, "method", "LoadFromPropertyList"),
             SLOT(IHXStorageInfo, SaveAsPropertyList, 209, "method", "SaveAsPropertyList"),
             SLOT(IHXStorageInfo, UpdateFromPropertyList, 210, "method", "UpdateFromPropertyList"),
         }},
        {"IHXActionExecute",
         IHXActionExecute::IID,
         "{A282E9CA-F27B-4578-916C-556B1443D034}",
         IHXActionExecute::Members,
         std::size(IHXActionExecute::Members),
         {
             SLOT(IHXActionExecute, Execute, 201, "method", "Execute"),
         }},
        {"IHXAction",
         IHXAction::IID,
         "{F02EFA2F-1976-4EC3-A9F5-2C71ABB3C7DE}",
         IHXAction::Members,
         std::size(IHXAction::Members),
         {
             SLOT(IHXAction, get_IsDefault, 201, "get", "IsDefault"),
             SLOT(IHXAction, put_IsDefault, 201, "put", "IsDefault"),
             SLOT(IHXAction, get_OrderPosition, 202, "get", "OrderPosition"),
             SLOT(IHXAction, put_OrderPosition, 202, "put", "OrderPosition"),
             SLOT(IHXAction, get_Caption, 203, "get", "Caption"),
             SLOT(IHXAction, put_Caption, 203, "put", "Caption"),
             SLOT(IHXAction, get_ID, 204, "get", "ID"),
             SLOT(IHXAction, AddExecute, 205, "method", "AddExecute"),
             SLOT(IHXAction, RemoveExecute, 206, "method", "RemoveExecute"),
         }},
        {"IHXMenuControl",
         IHXMenuControl::IID,
         "{5AD4B841-EDAB-497D-8C27-4C3963141642}",
         IHXMenuControl::Members,
         std::size(IHXMenuControl::Members),
         {
             SLOT(IHXMenuControl, AddToMenu, 201, "method", "AddToMenu"),
             SLOT(IHXMenuControl, AddToReportMenu, 202, "method", "AddToReportMenu"),
         }},
        {"IHXStorage",
         IHXStorage::IID,
         "{9A3AD563-0D05-4C12-9E04-ACBF98C6AC13}",
         IHXStorage::Members,
         std::size(IHXStorage::Members),
         {
             SLOT(IHXStorage, get_Changed, 201, "get", "Changed"),
             SLOT(IHXStorage, get_Info, 202, "get", "Info"),
             SLOT(IHXStorage, ClearCache, 203, "method", "ClearCache"),
             SLOT(IHXStorage, GetDayEntries, 204, "method", "GetDayEntries"),
             SLOT(IHXStorage, GetExistingMaxDate, 205, "method", "GetExistingMaxDate"),
             SLOT(IHXStorage, GetExistingMinDate, 206, "method", "GetExistingMinDate"),
             SLOT(IHXStorage, GetExistingMinMaxDate, 207, "method", "GetExistingMinMaxDate"),
             SLOT(IHXStorage, Save, 208, "method", "Save"),
         }},
        {"IHXDayEntryList",
         IHXDayEntryList::IID,
         "{55CEE326-707D-436C-9C6C-32939B8488BA}",
         IHXDayEntryList::Members,
         std::size(IHXDayEntryList::Members),
         {
             SLOT(IHXDayEntryList, get_Count, 201, "get", "Count"),
             SLOT(IHXDayEntryList, get_Items, 0, "get", "Items"),
             SLOT(IHXDayEntryList, get_Date, 204, "get", "Date"),
             SLOT(IHXDayEntryList, AddNew, 203, "method", "AddNew"),
             SLOT(IHXDayEntryList, Sort, 202, "method", "Sort"),
             SLOT(IHXDayEntryList, Remove, 205, "method", "Remove"),
             SLOT(IHXDayEntryList, Delete, 206, "method", "Delete"),
         }},
        {"IHXEntryList",
         IHXEntryList::IID,
         "{792D3F07-969B-489F-AF2E-305C21CF501C}",
         IHXEntryList::Members,
         std::size(IHXEntryList::Members),
         {
             SLOT(IHXEntryList, get_Count, 201, "get", "Count"),
             SLOT(IHXEntryList, get_Items, 0, "get", "Items"),
             SLOT(IHXEntryList, Sort, 202, "method", "Sort"),
         }},
        {"IHXTools",
         IHXTools::IID,
         "{8C1FA8A1-E5B3-4BA0-AE25-D71B6B112FAF}",
         IHXTools::Members,
         std::size(IHXTools::Members),
         {
             SLOT(IHXTools, CreateNewAction, 201, "method", "CreateNewAction"),
             SLOT(IHXTools, CreateNewPlannedBreakList, 202, "method", "CreateNewPlannedBreakList"),
             SLOT(IHXTools, CreateNewActivityLocator, 203, "method", "CreateNewActivityLocator"),
         }},
        {"IHXDay",
         IHXDay::IID,
         "{0D6FDE8C-058C-4D6B-9530-4EC81BC0F84A}",
         IHXDay::Members,
         std::size(IHXDay::Members),
         {
             SLOT(IHXDay, get_Day, 201, "get", "Day"),
             SLOT(IHXDay, get_WorkTime, 202, "get", "WorkTime"),
             SLOT(IHXDay, put_WorkTime, 202, "put", "WorkTime"),
         }},
        {"IHXWeek",
         IHXWeek::IID,
         "{0D548C65-6095-4FB0-A325-8D3BEEE5E8CC}",
         IHXWeek::Members,
         std::size(IHXWeek::Members),
         {
             SLOT(IHXWeek, get_Monday, 201, "get", "Monday"),
             SLOT(IHXWeek, get_Tuesday, 202, "get", "Tuesday"),
             SLOT(IHXWeek, get_Wednesday, 203, "get", "Wednesday"),
             SLOT(IHXWeek, get_Thursday, 204, "get", "Thursday"),
             SLOT(IHXWeek, get_Friday, 205, "get", "Friday"),
             SLOT(IHXWeek, get_Saturday, 206, "get", "Saturday"),
             SLOT(IHXWeek, get_Sunday, 207, "get", "Sunday"),
             SLOT(IHXWeek, GetDay, 208, "method", "GetDay"),
             SLOT(IHXWeek, GetDayByDate, 209, "method", "GetDayByDate"),
         }},
        {"IHXPlannedBreak",
         IHXPlannedBreak::IID,
         "{04141627-A1C1-4D4E-AC8F-4F328E79E02C}",
         IHXPlannedBreak::Members,
         std::size(IHXPlannedBreak::Members),
         {
             SLOT(IHXPlannedBreak, get_FromTime, 201, "get", "FromTime"),
             SLOT(IHXPlannedBreak, put_FromTime, 201, "put", "FromTime"),
             SLOT(IHXPlannedBreak, get_ToTime, 202, "get", "ToTime"),
             SLOT(IHXPlannedBreak, put_ToTime, 202, "put", "ToTime"),
             SLOT(IHXPlannedBreak, get_Duration, 203, "get", "Duration"),
             SLOT(IHXPlannedBreak, put_Duration, 203, "put", "Duration"),
             SLOT(IHXPlannedBreak, get_ActivityLocator, 204, "get", "ActivityLocator"),
         }},
        {"IHXPlannedBreakList",
         IHXPlannedBreakList::IID,
         "{03B8894A-2B78-4148-9C25-9023F32DFED1}",
         IHXPlannedBreakList::Members,
         std::size(IHXPlannedBreakList::Members),
         {
             SLOT(IHXPlannedBreakList, AddNew, 201, "method", "AddNew"),
             SLOT(IHXPlannedBreakList, Clear, 202, "method", "Clear"),
             SLOT(IHXPlannedBreakList, get_Count, 203, "get", "Count"),
             SLOT(IHXPlannedBreakList, get_Items, 0, "get", "Items"),
             SLOT(IHXPlannedBreakList, LoadFromValueList, 204, "method", "LoadFromValueList"),
             SLOT(IHXPlannedBreakList, SaveToValueList, 205, "method", "SaveToValueList"),
             SLOT(IHXPlannedBreakList, Remove, 206, "method", "Remove"),
         }},
        {"IHXActivityLocatorList",
         IHXActivityLocatorList::IID,
         "{575105E0-0667-4C7A-B1B2-C8C44E97F468}",
         IHXActivityLocatorList::Members,
         std::size(IHXActivityLocatorList::Members),
         {
             SLOT(IHXActivityLocatorList, get_Items, 0, "get", "Items"),
             SLOT(IHXActivityLocatorList, get_Count, 202, "get", "Count"),
             SLOT(IHXActivityLocatorList, AddNew, 203, "method", "AddNew"),
             SLOT(IHXActivityLocatorList, Remove, 204, "method", "Remove"),
             SLOT(IHXActivityLocatorList, LoadFromValueList, 205, "method", "LoadFromValueList"),
             SLOT(IHXActivityLocatorList, SaveToValueList, 206, "method", "SaveToValueList"),
         }},
        {"IHXActivityLocatorHistoryList",
         IHXActivityLocatorHistoryList::IID,
         "{8E1479E0-9AAF-4F6F-98F9-A7DAA4B171D4}",
         IHXActivityLocatorHistoryList::Members,
         std::size(IHXActivityLocatorHistoryList::Members),
         {
             SLOT(IHXActivityLocatorHistoryList, get_Items, 0, "get", "Items"),
             SLOT(IHXActivityLocatorHistoryList, get_Count, 202, "get", "Count"),
             SLOT(IHXActivityLocatorHistoryList, AddNew, 203, "method", "AddNew"),
             SLOT(IHXActivityLocatorHistoryList, Remove, 204, "method", "Remove"),
             SLOT(IHXActivityLocatorHistoryList, LoadFromValueList, 205, "method", "LoadFromValueList"),
             SLOT(IHXActivityLocatorHistoryList, SaveToValueList, 206, "method", "SaveToValueList"),
             SLOT(IHXActivityLocatorHistoryList, get_MaxElements, 201, "get", "MaxElements"),
             SLOT(IHXActivityLocatorHistoryList, put_MaxElements, 201, "put", "MaxElements"),
         }},
        {"IHXHoliday",
         IHXHoliday::IID,
         "{47378181-33BA-4AA8-B214-CE111A258F84}",
         IHXHoliday::Members,
         std::size(IHXHoliday::Members),
         {
             SLOT(IHXHoliday, get_Date, 201, "get", "Date"),
             SLOT(IHXHoliday, get_Name, 203, "get", "Name"),
             SLOT(IHXHoliday, put_Name, 203, "put", "Name"),
         }},
        {"IHXHolidayList",
         IHXHolidayList::IID,
         "{DEBC67FB-0E2F-4E2B-B621-62787BE53CCE}",
         IHXHolidayList::Members,
         std::size(IHXHolidayList::Members),
         {
             SLOT(IHXHolidayList, get_Count, 201, "get", "Count"),
             SLOT(IHXHolidayList, get_Items, 0, "get", "Items"),
             SLOT(IHXHolidayList, AddNew, 202, "method", "AddNew"),
             SLOT(IHXHolidayList, Delete, 203, "method", "Delete"),
             SLOT(IHXHolidayList, DeleteByDate, 204, "method", "DeleteByDate"),
             SLOT(IHXHolidayList, FindDate, 205, "method", "FindDate"),
             SLOT(IHXHolidayList, Remove, 206, "method", "Remove"),
         }},
        {"IHXCalendar",
         IHXCalendar::IID,
         "{90A48264-9C95-4C06-ADB0-E8C34EF192A9}",
         IHXCalendar::Members,
         std::size(IHXCalendar::Members),
         {
             SLOT(IHXCalendar, get_Holidays, 201, "get", "Holidays"),
             SLOT(IHXCalendar, get_Week, 202, "get", "Week"),
             SLOT(IHXCalendar, GetDay, 203, "method", "GetDay"),
             SLOT(IHXCalendar, GetWorkTime, 204, "method", "GetWorkTime"),
         }},
        {"IHXDisplayInfo",
         IHXDisplayInfo::IID,
         "{C26089EE-22DA-4DC9-A2BA-18B672336391}",
         IHXDisplayInfo::Members,
         std::size(IHXDisplayInfo::Members),
         {
             SLOT(IHXDisplayInfo, get_FontName, 201, "get", "FontName"),
             SLOT(IHXDisplayInfo, get_FontSize, 202, "get", "FontSize"),
         }},
    };
    return table;
}

TEST(SdkInterfaces, SlotsDispatchIdsAndGuidsFollowTheTypeLibrary) {
    EXPECT_EQ(SlotOf(&IHXUnknown::QueryInterface), 0);
    EXPECT_EQ(SlotOf(&IHXUnknown::Release), 2);
    EXPECT_EQ(SlotOf(&IHXDispatch::Invoke), 6);
    EXPECT_EQ(TypeLibrary().size(), 32u);
    for (const ExpectedInterface& iface : TypeLibrary()) {
        SCOPED_TRACE(iface.name);
        EXPECT_TRUE(SameGuid(iface.iid, iface.guidText));
        ASSERT_EQ(iface.memberCount, iface.expected.size()) << "members in the table of the header";
        for (std::size_t i = 0; i < iface.expected.size(); ++i) {
            const ExpectedMember& want = iface.expected[i];
            const HXMemberInfo& have = iface.members[i];
            SCOPED_TRACE(want.name);
            EXPECT_EQ(want.slot, static_cast<int>(7 + i)) << "slot of the member function";
            EXPECT_EQ(have.dispid, want.dispid);
            EXPECT_EQ(KindName(have.kind), want.kind);
            EXPECT_EQ(std::string(have.name), want.name);
        }
    }
}

TEST(SdkInterfaces, DispatchIdsOutOfSlotOrderAndTheDefaultMember) {
    // The entry repeats the plain entry's first members; its own ids are not in slot order.
    EXPECT_EQ(HXFindDispId(IHXActivityEntry::Members, u"Duration"), 209);
    EXPECT_EQ(HXFindDispId(IHXActivityEntry::Members, u"setTIME"), 206);
    EXPECT_EQ(HXFindDispId(IHXActivityLocatorHistoryList::Members, u"MaxElements"), 201);
    EXPECT_EQ(HXFindDispId(IHXDayEntryList::Members, u"Sort"), 202);
    EXPECT_EQ(HXFindDispId(IHXDayEntryList::Members, u"Sor"), -1);
    EXPECT_EQ(HXFindDispId(IHXDayEntryList::Members, u"Sorted"), -1);
    // Items is the default member of every list.
    const int32_t items[] = {
        HXFindDispId(IHXPropertyList::Members, u"Items"),
        HXFindDispId(IHXPropertyValueList::Members, u"Items"),
        HXFindDispId(IHXActivityList::Members, u"Items"),
        HXFindDispId(IHXDayEntryList::Members, u"Items"),
        HXFindDispId(IHXEntryList::Members, u"Items"),
        HXFindDispId(IHXPlannedBreakList::Members, u"Items"),
        HXFindDispId(IHXActivityLocatorList::Members, u"Items"),
        HXFindDispId(IHXActivityLocatorHistoryList::Members, u"Items"),
        HXFindDispId(IHXHolidayList::Members, u"Items"),
    };
    for (int32_t id : items)
        EXPECT_EQ(id, 0);
}

TEST(SdkInterfaces, ClassAndLibraryIdentities) {
    struct Row {
        HXGUID guid;
        const char* text;
    };
    const Row rows[] = {
        {LIBID_HoraluxSDK, "{A432CC88-3901-468E-8A5F-929156D5B9A5}"},
        {TYPEID_HoraluxConstants, "{DFE1E2D3-2AE7-4AFC-A2E7-01580F12D5DC}"},
        {CLSID::HoraluxApplication, "{42021C09-3CB8-41A4-8F51-CE43FFB427C1}"},
        {CLSID::AddIn, "{424608F8-A223-447B-A635-5EE3182137C3}"},
        {CLSID::ActivityEntry, "{3EB87AD5-0328-407C-AF84-68D293C3E999}"},
        {CLSID::DisplayInfo, "{28092142-7854-44EE-953F-6FD31B3AAD52}"},
        {HiddenCLSID::StorageRoot__, "{353E4F60-D890-4167-B02E-356C619A390D}"},
        {HiddenCLSID::StorageFileCurrentInfo__, "{F94D7D2F-DBEB-4AE1-9383-4D03DBE9092D}"},
        {HiddenCLSID::Dummy1__, "{73EB54A3-B569-49A2-B9A9-37F730E071B6}"},
    };
    for (const Row& row : rows)
        EXPECT_TRUE(SameGuid(row.guid, row.text)) << row.text;
    EXPECT_EQ(HoraluxSDKMajorVersion, 1);
    EXPECT_EQ(HoraluxSDKMinorVersion, 0);
    EXPECT_EQ(hxpdtHighType_, hxpdtUnknown);
    EXPECT_EQ(hxstDayswitch, 2);
}

} // namespace
