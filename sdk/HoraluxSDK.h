#pragma once

// The Horalux SDK: the interfaces through which add-ins and the program talk to each other.
//
// Every interface derives from IHXDispatch (three slots of IHXUnknown, four of IHXDispatch), so its
// first member sits at slot 7 of the table. Members stand in their slot order; a property reader
// (get_X) comes before its writer (put_X). Every member returns an HXRESULT, never throws, and
// hands its result back through the last parameter. Interface pointers in out parameters are
// referenced for the caller (who releases them); strings in out parameters belong to the caller
// (HXSysFreeString). The destructors are protected and not virtual: objects go with Release.
//
// Each interface carries its GUID (IID) and, for late binding, the table of its members in slot
// order with their dispatch ids (Members); HoraluxSDKDispatch.h adds the thunks that call them.
// The ids do not always follow the slot order (IHXActivityEntry, IHXDayEntryList,
// IHXActivityLocatorHistoryList); dispatch id 0 is the default member (Items) of the lists.
//
// No type of any C++ library appears in a signature: an add-in may be built with another standard
// library than the program's.

#include "HoraluxRuntime.h"

#include <stddef.h>
#include <stdint.h>

namespace HoraluxSDK {

namespace detail {
constexpr uint32_t HexDigit(char c) {
    return c >= '0' && c <= '9'   ? uint32_t(c - '0')
           : c >= 'a' && c <= 'f' ? uint32_t(c - 'a' + 10)
           : c >= 'A' && c <= 'F' ? uint32_t(c - 'A' + 10)
                                  : throw "not a hexadecimal digit";
}
constexpr uint32_t Hex(const char* text, int first, int count) {
    uint32_t value = 0;
    for (int i = 0; i < count; ++i)
        value = value * 16 + HexDigit(text[first + i]);
    return value;
}
} // namespace detail

/// A GUID from its registry form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"; at compile time a
/// malformed text does not compile.
constexpr HXGUID HXGuidFromText(const char (&text)[39]) {
    if (text[0] != '{' || text[9] != '-' || text[14] != '-' || text[19] != '-' || text[24] != '-' || text[37] != '}')
        throw "not a GUID in braces form";
    HXGUID guid{detail::Hex(text, 1, 8), uint16_t(detail::Hex(text, 10, 4)), uint16_t(detail::Hex(text, 15, 4)), {}};
    guid.Data4[0] = uint8_t(detail::Hex(text, 20, 2));
    guid.Data4[1] = uint8_t(detail::Hex(text, 22, 2));
    for (int i = 0; i < 6; ++i)
        guid.Data4[2 + i] = uint8_t(detail::Hex(text, 25 + 2 * i, 2));
    return guid;
}

constexpr bool HXEqualGuid(const HXGUID& a, const HXGUID& b) {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3)
        return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i])
            return false;
    return true;
}

/// The type library: its identity and version (checked against an add-in's HoraluxModuleInfo).
constexpr HXGUID LIBID_HoraluxSDK = HXGuidFromText("{A432CC88-3901-468E-8A5F-929156D5B9A5}");
constexpr uint16_t HoraluxSDKMajorVersion = HX_SDK_MAJOR_VERSION;
constexpr uint16_t HoraluxSDKMinorVersion = HX_SDK_MINOR_VERSION;

/// The constants of the SDK. {DFE1E2D3-2AE7-4AFC-A2E7-01580F12D5DC}
enum HoraluxConstants : int32_t {
    hxpdtLowType_ = 0,
    hxpdtHighType_ = 12,
    hxpdtUnused = 0,
    hxpdtString = 1,
    hxpdtInteger = 2,
    hxpdtDouble = 3,
    hxpdtDateTime = 4,
    hxpdtValueList = 5,
    hxpdtPropertyList = 6,
    hxpdtBoolean = 7,
    hxpdtDate = 8,
    hxpdtTime = 9,
    hxpdtGUID = 10,
    hxpdtDuration = 11,
    hxpdtUnknown = 12,
    hxditLimited = 0,
    hxditUnlimited = 1,
    hxeitAll = 0,
    hxeitSingle = 1,
    hxstOK = 0,
    hxstError = 1,
    hxstDayswitch = 2,
};
constexpr HXGUID TYPEID_HoraluxConstants = HXGuidFromText("{DFE1E2D3-2AE7-4AFC-A2E7-01580F12D5DC}");

/// The relevance result of IHXActivityLocator::FindActivity. {53505614-5907-44AA-8F75-9ED2C304C8A7}
using TLocatorRelevance = int32_t;
constexpr HXGUID TYPEID_TLocatorRelevance = HXGuidFromText("{53505614-5907-44AA-8F75-9ED2C304C8A7}");

/// How a member is reached by late binding.
enum class HXMemberKind : uint8_t { Method, Get, Put };

/// One row of an interface's member table.
struct HXMemberInfo {
    int32_t dispid;
    HXMemberKind kind;
    const char* name;
};

/// {00000000-0000-0000-C000-000000000046}
struct IHXUnknown {
    static constexpr HXGUID IID = HXGuidFromText("{00000000-0000-0000-C000-000000000046}");
    virtual HXRESULT QueryInterface(const HXGUID& iid, void** object) noexcept = 0;
    virtual uint32_t AddRef() noexcept = 0;
    virtual uint32_t Release() noexcept = 0;

protected:
    ~IHXUnknown() = default;
};

/// {00020400-0000-0000-C000-000000000046}
struct IHXDispatch : IHXUnknown {
    static constexpr HXGUID IID = HXGuidFromText("{00020400-0000-0000-C000-000000000046}");
    /// 0: the SDK carries no type information objects; the member tables stand in for them.
    virtual HXRESULT GetTypeInfoCount(uint32_t* count) noexcept = 0;
    virtual HXRESULT GetTypeInfo(uint32_t index, void** typeInfo) noexcept = 0;
    /// The dispatch ids of the members named (case-insensitive ASCII names, UTF-16).
    virtual HXRESULT GetIDsOfNames(const char16_t* const* names, uint32_t count, int32_t* dispids) noexcept = 0;
    /// A late-bound call: args in the order of the parameters (not reversed), result may be null.
    virtual HXRESULT Invoke(int32_t dispid, uint16_t flags, HXVARIANT* args, uint32_t argc,
                            HXVARIANT* result) noexcept = 0;

protected:
    ~IHXDispatch() = default;
};

struct Global_;
struct IHXProperty;
struct IHXPropertyList;
struct IHXPropertyValueList;
struct IHXActivity;
struct IHXActivityList;
struct IHXActivityTree;
struct IHXActivitySource;
struct IHXEntry;
struct IHXActivityEntry;
struct IHXActivityLocator;
struct IHXAddIn;
struct IHXEntryInfo;
struct IHXDateInfo;
struct IHXStorageInfo;
struct IHXActionExecute;
struct IHXAction;
struct IHXMenuControl;
struct IHXStorage;
struct IHXDayEntryList;
struct IHXEntryList;
struct IHXTools;
struct IHXDay;
struct IHXWeek;
struct IHXPlannedBreak;
struct IHXPlannedBreakList;
struct IHXActivityLocatorList;
struct IHXActivityLocatorHistoryList;
struct IHXHoliday;
struct IHXHolidayList;
struct IHXCalendar;
struct IHXDisplayInfo;

/// {5D52FB98-B4EE-4438-959E-841D34988C19}
struct Global_ : IHXDispatch {
    static constexpr HXGUID IID = HXGuidFromText("{5D52FB98-B4EE-4438-959E-841D34988C19}");
    virtual HXRESULT GetCurrentWindow(int32_t* result) noexcept = 0;
    virtual HXRESULT get_Options(HXBSTR section, IHXPropertyList** value) noexcept = 0;
    virtual HXRESULT get_ActivityTree(IHXActivityTree** value) noexcept = 0;
    virtual HXRESULT get_Tools(IHXTools** value) noexcept = 0;
    virtual HXRESULT get_TrayMenu(IHXMenuControl** value) noexcept = 0;
    virtual HXRESULT AddCurrentWindow(int32_t wnd) noexcept = 0;
    virtual HXRESULT get_CanShowWindow(HXBOOL* value) noexcept = 0;
    virtual HXRESULT get_PlannedBreaks(IHXPlannedBreakList** value) noexcept = 0;
    virtual HXRESULT get_Storage(IHXStorage** value) noexcept = 0;
    virtual HXRESULT RemoveCurrentWindow(int32_t wnd) noexcept = 0;
    /// The members in slot order: dispatch id, kind, name.
    static constexpr HXMemberInfo Members[] = {
        {201, HXMemberKind::Method, "GetCurrentWindow"},
        {202, HXMemberKind::Get, "Options"},
        {203, HXMemberKind::Get, "ActivityTree"},
        {204, HXMemberKind::Get, "Tools"},
        {205, HXMemberKind::Get, "TrayMenu"},
        {206, HXMemberKind::Method, "AddCurrentWindow"},
        {207, HXMemberKind::Get, "CanShowWindow"},
        {208, HXMemberKind::Get, "PlannedBreaks"},
        {209, HXMemberKind::Get, "Storage"},
        {210, HXMemberKind::Method, "RemoveCurrentWindow"},
    };

protected:
    ~Global_() = default;
};

/// {358B1F03-B5F1-457C-9692-CA98A3450522}
struct IHXProperty : IHXDispatch {
    static constexpr HXGUID IID = HXGuidFromText("{358B1F03-B5F1-457C-9692-CA98A3450522}");
    virtual HXRESULT get_DataType(HoraluxConstants* value) noexcept = 0;
    virtual HXRESULT get_AsString(HXBSTR* value) noexcept = 0;
    virtual HXRESULT put_AsString(HXBSTR value) noexcept = 0;
    virtual HXRESULT get_AsInteger(int32_t* value) noexcept = 0;
    virtual HXRESULT put_AsInteger(int32_t value) noexcept = 0;
    virtual HXRESULT get_AsDateTime(HXDATE* value) noexcept = 0;
    virtual HXRESULT put_AsDateTime(HXDATE value) noexcept = 0;
    virtual HXRESULT get_AsDouble(double* value) noexcept = 0;
    virtual HXRESULT put_AsDouble(double value) noexcept = 0;
    virtual HXRESULT get_AsBoolean(HXBOOL* value) noexcept = 0;
    virtual HXRESULT put_AsBoolean(HXBOOL value) noexcept = 0;
    virtual HXRESULT get_AsPropertyList(IHXPropertyList** value) noexcept = 0;
    virtual HXRESULT get_AsValueList(IHXPropertyValueList** value) noexcept = 0;
    /// The members in slot order: dispatch id, kind, name.
    static constexpr HXMemberInfo Members[] = {
        {201, HXMemberKind::Get, "DataType"},    {202, HXMemberKind::Get, "AsString"},
        {202, HXMemberKind::Put, "AsString"},    {203, HXMemberKind::Get, "AsInteger"},
        {203, HXMemberKind::Put, "AsInteger"},   {204, HXMemberKind::Get, "AsDateTime"},
        {204, HXMemberKind::Put, "AsDateTime"},  {205, HXMemberKind::Get, "AsDouble"},
        {205, HXMemberKind::Put, "AsDouble"},    {206, HXMemberKind::Get, "AsBoolean"},
        {206, HXMemberKind::Put, "AsBoolean"},   {207, HXMemberKind::Get, "AsPropertyList"},
        {208, HXMemberKind::Get, "AsValueList"},
    };

protected:
    ~IHXProperty() = default;
};

/// {3DC64BF7-A8E6-4922-93C9-210578096726}
struct IHXPropertyList : IHXDispatch {
    static constexpr HXGUID IID = HXGuidFromText("{3DC64BF7-A8E6-4922-93C9-210578096726}");
    virtual HXRESULT get_Count(int32_t* value) noexcept = 0;
    virtual HXRESULT get_Changed(int32_t* value) noexcept = 0;
    virtual HXRESULT get_Items(HXBSTR name, IHXProperty** value) noexcept = 0;
    virtual HXRESULT put_Items(HXBSTR name, IHXProperty* value) noexcept = 0;
    virtual HXRESULT Find(HXBSTR name, IHXProperty** result) noexcept = 0;
    /// The members in slot order: dispatch id, kind, name.
    static constexpr HXMemberInfo Members[] = {
        {201, HXMemberKind::Get, "Count"}, {202, HXMemberKind::Get, "Changed"}, {0, HXMemberKind::Get, "Items"},
        {0, HXMemberKind::Put, "Items"},   {203, HXMemberKind::Method, "Find"},
    };

protected:
    ~IHXPropertyList() = default;
};

/// {CF4ACEA9-EE15-45DC-8013-A5F3A4C7FD61}
struct IHXPropertyValueList : IHXDispatch {
    static constexpr HXGUID IID = HXGuidFromText("{CF4ACEA9-EE15-45DC-8013-A5F3A4C7FD61}");
    virtual HXRESULT get_Count(int32_t* value) noexcept = 0;
    virtual HXRESULT AddItem(IHXProperty** result) noexcept = 0;
    virtual HXRESULT get_Items(int32_t index, IHXProperty** value) noexcept = 0;
    /// The members in slot order: dispatch id, kind, name.
    static constexpr HXMemberInfo Members[] = {
        {201, HXMemberKind::Get, "Count"},
        {202, HXMemberKind::Method, "AddItem"},
        {0, HXMemberKind::Get, "Items"},
    };

protected:
    ~IHXPropertyValueList() = default;
};

/// {1A953A64-C35E-4035-AE1E-039FF59B77D9}
struct IHXActivity : IHXDispatch {
    static constexpr HXGUID IID = HXGuidFromText("{1A953A64-C35E-4035-AE1E-039FF59B77D9}");
    virtual HXRESULT get_Name(HXBSTR* value) noexcept = 0;
    virtual HXRESULT put_Name(HXBSTR value) noexcept = 0;
    virtual HXRESULT get_Values(IHXPropertyList** value) noexcept = 0;
    virtual HXRESULT get_ID(HXBSTR* value) noexcept = 0;
    virtual HXRESULT get_InstanceCount(int32_t* value) noexcept = 0;
    virtual HXRESULT put_InstanceCount(int32_t value) noexcept = 0;
    virtual HXRESULT get_IsBreak(HXBOOL* value) noexcept = 0;
    virtual HXRESULT put_IsBreak(HXBOOL value) noexcept = 0;
    virtual HXRESULT get_IsReadOnly(HXBOOL* value) noexcept = 0;
    virtual HXRESULT get_Childs(IHXActivityList** value) noexcept = 0;
    virtual HXRESULT get_TempStorage(IHXPropertyList** value) noexcept = 0;
    /// The members in slot order: dispatch id, kind, name.
    static constexpr HXMemberInfo Members[] = {
        {201, HXMemberKind::Get, "Name"},          {201, HXMemberKind::Put, "Name"},
        {202, HXMemberKind::Get, "Values"},        {203, HXMemberKind::Get, "ID"},
        {204, HXMemberKind::Get, "InstanceCount"}, {204, HXMemberKind::Put, "InstanceCount"},
        {205, HXMemberKind::Get, "IsBreak"},       {205, HXMemberKind::Put, "IsBreak"},
        {206, HXMemberKind::Get, "IsReadOnly"},    {207, HXMemberKind::Get, "Childs"},
        {208, HXMemberKind::Get, "TempStorage"},
    };

protected:
    ~IHXActivity() = default;
};

/// {1C175A6A-A30F-482C-8EBD-AED1321AE6C7}
struct IHXActivityList : IHXDispatch {
    static constexpr HXGUID IID = HXGuidFromText("{1C175A6A-A30F-482C-8EBD-AED1321AE6C7}");
    virtual HXRESULT get_Count(int32_t* value) noexcept = 0;
    virtual HXRESULT get_Items(int32_t index, IHXActivity** value) noexcept = 0;
    virtual HXRESULT AddNew(IHXActivity** result) noexcept = 0;
    virtual HXRESULT InsertNew(int32_t index, IHXActivity** result) noexcept = 0;
    virtual HXRESULT Contains(IHXActivity* activity, HXBOOL* result) noexcept = 0;
    virtual HXRESULT Remove(IHXActivity* activity) noexcept = 0;
    virtual HXRESULT IndexOf(IHXActivity* activity, int32_t* result) noexcept = 0;
    /// The members in slot order: dispatch id, kind, name.
    static constexpr HXMemberInfo Members[] = {
        {201, HXMemberKind::Get, "Count"},       {0, HXMemberKind::Get, "Items"},
        {202, HXMemberKind::Method, "AddNew"},   {203, HXMemberKind::Method, "InsertNew"},
        {204, HXMemberKind::Method, "Contains"}, {205, HXMemberKind::Method, "Remove"},
        {206, HXMemberKind::Method, "IndexOf"},
    };

protected:
    ~IHXActivityList() = default;
};

/// {633BBD2C-0A04-4E39-A411-2509F34363B8}
struct IHXActivityTree : IHXDispatch {
    static constexpr HXGUID IID = HXGuidFromText("{633BBD2C-0A04-4E39-A411-2509F34363B8}");
    virtual HXRESULT get_Childs(IHXActivityList** value) noexcept = 0;
    virtual HXRESULT Assign_(IHXActivityTree* otherTree) noexcept = 0;
    virtual HXRESULT get_SourcesCount(int32_t* value) noexcept = 0;
    virtual HXRESULT get_Sources(int32_t index, IHXActivitySource** value) noexcept = 0;
    virtual HXRESULT get_LocalSource(IHXActivitySource** value) noexcept = 0;
    /// The members in slot order: dispatch id, kind, name.
    static constexpr HXMemberInfo Members[] = {
        {201, HXMemberKind::Get, "Childs"},       {202, HXMemberKind::Method, "Assign_"},
        {203, HXMemberKind::Get, "SourcesCount"}, {204, HXMemberKind::Get, "Sources"},
        {205, HXMemberKind::Get, "LocalSource"},
    };

protected:
    ~IHXActivityTree() = default;
};

/// {75DD47CF-92FF-4814-80DD-3D5C18B3564E}
struct IHXActivitySource : IHXDispatch {
    static constexpr HXGUID IID = HXGuidFromText("{75DD47CF-92FF-4814-80DD-3D5C18B3564E}");
    virtual HXRESULT get_ID(HXBSTR* value) noexcept = 0;
    virtual HXRESULT get_URL(HXBSTR* value) noexcept = 0;
    /// The members in slot order: dispatch id, kind, name.
    static constexpr HXMemberInfo Members[] = {
        {201, HXMemberKind::Get, "ID"},
        {202, HXMemberKind::Get, "URL"},
    };

protected:
    ~IHXActivitySource() = default;
};

/// {3B649418-4665-4E67-BC21-A5A008CFBE86}
struct IHXEntry : IHXDispatch {
    static constexpr HXGUID IID = HXGuidFromText("{3B649418-4665-4E67-BC21-A5A008CFBE86}");
    virtual HXRESULT get_Changed(HXBOOL* value) noexcept = 0;
    virtual HXRESULT get_Date(HXDATE* value) noexcept = 0;
    virtual HXRESULT put_Date(HXDATE value) noexcept = 0;
    virtual HXRESULT get_EndTime(HXDATE* value) noexcept = 0;
    virtual HXRESULT get_StartTime(HXDATE* value) noexcept = 0;
    virtual HXRESULT CompareDateTime(IHXEntry* aEntry, int32_t* result) noexcept = 0;
    virtual HXRESULT SetTime(HXDATE startTime, HXDATE endTime) noexcept = 0;
    virtual HXRESULT get_AdditionalProperties(IHXPropertyList** value) noexcept = 0;
    /// The members in slot order: dispatch id, kind, name.
    static constexpr HXMemberInfo Members[] = {
        {201, HXMemberKind::Get, "Changed"},    {202, HXMemberKind::Get, "Date"},
        {202, HXMemberKind::Put, "Date"},       {203, HXMemberKind::Get, "EndTime"},
        {204, HXMemberKind::Get, "StartTime"},  {205, HXMemberKind::Method, "CompareDateTime"},
        {206, HXMemberKind::Method, "SetTime"}, {207, HXMemberKind::Get, "AdditionalProperties"},
    };

protected:
    ~IHXEntry() = default;
};

/// {FE5FA95C-3C60-489C-810A-064756C1A954}
struct IHXActivityEntry : IHXDispatch {
    static constexpr HXGUID IID = HXGuidFromText("{FE5FA95C-3C60-489C-810A-064756C1A954}");
    virtual HXRESULT get_Changed(HXBOOL* value) noexcept = 0;
    virtual HXRESULT get_Date(HXDATE* value) noexcept = 0;
    virtual HXRESULT put_Date(HXDATE value) noexcept = 0;
    virtual HXRESULT get_EndTime(HXDATE* value) noexcept = 0;
    virtual HXRESULT get_StartTime(HXDATE* value) noexcept = 0;
    virtual HXRESULT CompareDateTime(IHXEntry* aEntry, int32_t* result) noexcept = 0;
    virtual HXRESULT get_Duration(HXDATE* value) noexcept = 0;
    virtual HXRESULT put_Duration(HXDATE value) noexcept = 0;
    virtual HXRESULT get_Locator(IHXActivityLocator** value) noexcept = 0;
    virtual HXRESULT CalculateDuration() noexcept = 0;
    virtual HXRESULT SetTime(HXDATE startTime, HXDATE endTime) noexcept = 0;
    /// The members in slot order: dispatch id, kind, name.
    static constexpr HXMemberInfo Members[] = {
        {201, HXMemberKind::Get, "Changed"},    {202, HXMemberKind::Get, "Date"},
        {202, HXMemberKind::Put, "Date"},       {203, HXMemberKind::Get, "EndTime"},
        {204, HXMemberKind::Get, "StartTime"},  {205, HXMemberKind::Method, "CompareDateTime"},
        {209, HXMemberKind::Get, "Duration"},   {209, HXMemberKind::Put, "Duration"},
        {207, HXMemberKind::Get, "Locator"},    {208, HXMemberKind::Method, "CalculateDuration"},
        {206, HXMemberKind::Method, "SetTime"},
    };

protected:
    ~IHXActivityEntry() = default;
};

/// {FAF5AD25-A2D2-46E8-8229-38E4C9BCD664}
struct IHXActivityLocator : IHXDispatch {
    static constexpr HXGUID IID = HXGuidFromText("{FAF5AD25-A2D2-46E8-8229-38E4C9BCD664}");
    virtual HXRESULT get_IsBreak(HXBOOL* value) noexcept = 0;
    virtual HXRESULT put_IsBreak(HXBOOL value) noexcept = 0;
    virtual HXRESULT Eq(IHXActivityLocator* otherLocator, HXBOOL* result) noexcept = 0;
    virtual HXRESULT FindActivity(IHXActivityTree* activityTree, IHXActivity** activity,
                                  TLocatorRelevance* relevance) noexcept = 0;
    virtual HXRESULT GetActivityName(IHXActivityTree* activityTree, HXBSTR* result) noexcept = 0;
    virtual HXRESULT GetActivityPathName(IHXActivityTree* activityTree, HXBSTR* result) noexcept = 0;
    virtual HXRESULT SetActivity(IHXActivity* activity) noexcept = 0;
    virtual HXRESULT AddParentActivity(HXBSTR parentID) noexcept = 0;
    virtual HXRESULT Assign_(IHXActivityLocator* otherLocator) noexcept = 0;
    /// The members in slot order: dispatch id, kind, name.
    static constexpr HXMemberInfo Members[] = {
        {201, HXMemberKind::Get, "IsBreak"},
        {201, HXMemberKind::Put, "IsBreak"},
        {202, HXMemberKind::Method, "Eq"},
        {203, HXMemberKind::Method, "FindActivity"},
        {204, HXMemberKind::Method, "GetActivityName"},
        {205, HXMemberKind::Method, "GetActivityPathName"},
        {206, HXMemberKind::Method, "SetActivity"},
        {207, HXMemberKind::Method, "AddParentActivity"},
        {208, HXMemberKind::Method, "Assign_"},
    };

protected:
    ~IHXActivityLocator() = default;
};

/// {0DC8A7F2-3959-4FAA-97E4-95D2876EFF4F}
struct IHXAddIn : IHXDispatch {
    static constexpr HXGUID IID = HXGuidFromText("{0DC8A7F2-3959-4FAA-97E4-95D2876EFF4F}");
    virtual HXRESULT GetID(HXBSTR* result) noexcept = 0;
    virtual HXRESULT GetName(HXBSTR* result) noexcept = 0;
    virtual HXRESULT AllowDeactivate(HXBOOL* result) noexcept = 0;
    virtual HXRESULT RequiresAddInsCount(int32_t* result) noexcept = 0;
    virtual HXRESULT GetRequiredAddInsID(int32_t index, HXBSTR* result) noexcept = 0;
    virtual HXRESULT Loaded() noexcept = 0;
    virtual HXRESULT LaunchAddIn(Global_* aApplication) noexcept = 0;
    virtual HXRESULT GetAboutText(HXBSTR* result) noexcept = 0;
    /// The members in slot order: dispatch id, kind, name.
    static constexpr HXMemberInfo Members[] = {
        {201, HXMemberKind::Method, "GetID"},
        {202, HXMemberKind::Method, "GetName"},
        {203, HXMemberKind::Method, "AllowDeactivate"},
        {204, HXMemberKind::Method, "RequiresAddInsCount"},
        {205, HXMemberKind::Method, "GetRequiredAddInsID"},
        {206, HXMemberKind::Method, "Loaded"},
        {207, HXMemberKind::Method, "LaunchAddIn"},
        {208, HXMemberKind::Method, "GetAboutText"},
    };

protected:
    ~IHXAddIn() = default;
};

/// {FBDA62B8-7C2A-4329-84B8-E99388E2A614}
struct IHXEntryInfo : IHXDispatch {
    static constexpr HXGUID IID = HXGuidFromText("{FBDA62B8-7C2A-4329-84B8-E99388E2A614}");
    virtual HXRESULT get_EntryTypeID(HXBSTR* value) noexcept = 0;
    virtual HXRESULT get_InfoType(HoraluxConstants* value) noexcept = 0;
    /// The members in slot order: dispatch id, kind, name.
    static constexpr HXMemberInfo Members[] = {
        {201, HXMemberKind::Get, "EntryTypeID"},
        {202, HXMemberKind::Get, "InfoType"},
    };

protected:
    ~IHXEntryInfo() = default;
};

/// {0EB4D987-80FE-49B8-9BBE-9BF6B8B3849E}
struct IHXDateInfo : IHXDispatch {
    static constexpr HXGUID IID = HXGuidFromText("{0EB4D987-80FE-49B8-9BBE-9BF6B8B3849E}");
    virtual HXRESULT get_Date(HXDATE* value) noexcept = 0;
    virtual HXRESULT get_InfoType(HoraluxConstants* value) noexcept = 0;
    virtual HXRESULT Equals(IHXDateInfo* aDateInfo, HXBOOL* result) noexcept = 0;
    /// The members in slot order: dispatch id, kind, name.
    static constexpr HXMemberInfo Members[] = {
        {201, HXMemberKind::Get, "Date"},
        {202, HXMemberKind::Get, "InfoType"},
        {203, HXMemberKind::Method, "Equals"},
    };

protected:
    ~IHXDateInfo() = default;
};

/// {1C542C45-7892-4118-B41E-EDD85867ED88}
struct IHXStorageInfo : IHXDispatch {
    static constexpr HXGUID IID = HXGuidFromText("{1C542C45-7892-4118-B41E-EDD85867ED88}");
    virtual HXRESULT get_Changed(HXBOOL* value) noexcept = 0;
    virtual HXRESULT get_EndInfo(IHXDateInfo** value) noexcept = 0;
    virtual HXRESULT get_EntryInfo(IHXEntryInfo** value) noexcept = 0;
    virtual HXRESULT get_StartInfo(IHXDateInfo** value) noexcept = 0;
    virtual HXRESULT get_StorageTypeID(HXBSTR* value) noexcept = 0;
    virtual HXRESULT Compare(HXDATE aDate, int32_t* result) noexcept = 0;
    virtual HXRESULT Contains(IHXStorageInfo* aStorageInfo, HXBOOL* result) noexcept = 0;
    virtual HXRESULT LoadFromPropertyList(IHXPropertyList* aProperties) noexcept = 0;
    virtual HXRESULT SaveAsPropertyList(IHXPropertyList** result) noexcept = 0;
    virtual HXRESULT UpdateFromPropertyList(IHXPropertyList* aPropertyList) noexcept = 0;
    /// The members in slot order: dispatch id, kind, name.
    static constexpr HXMemberInfo Members[] = {
        {201, HXMemberKind::Get, "Changed"},
        {202, HXMemberKind::Get, "EndInfo"},
        {203, HXMemberKind::Get, "EntryInfo"},
        {204, HXMemberKind::Get, "StartInfo"},
        {205, HXMemberKind::Get, "StorageTypeID"},
        {206, HXMemberKind::Method, "Compare"},
        {207, HXMemberKind::Method, "Contains"},
        {208, HXMemberKind::Method, "LoadFromPropertyList"},
        {209, HXMemberKind::Method, "SaveAsPropertyList"},
        {210, HXMemberKind::Method, "UpdateFromPropertyList"},
    };

protected:
    ~IHXStorageInfo() = default;
};

/// {A282E9CA-F27B-4578-916C-556B1443D034}
struct IHXActionExecute : IHXDispatch {
    static constexpr HXGUID IID = HXGuidFromText("{A282E9CA-F27B-4578-916C-556B1443D034}");
    virtual HXRESULT Execute(HXBSTR actionID) noexcept = 0;
    /// The members in slot order: dispatch id, kind, name.
    static constexpr HXMemberInfo Members[] = {
        {201, HXMemberKind::Method, "Execute"},
    };

protected:
    ~IHXActionExecute() = default;
};

/// {F02EFA2F-1976-4EC3-A9F5-2C71ABB3C7DE}
struct IHXAction : IHXDispatch {
    static constexpr HXGUID IID = HXGuidFromText("{F02EFA2F-1976-4EC3-A9F5-2C71ABB3C7DE}");
    virtual HXRESULT get_IsDefault(HXBOOL* value) noexcept = 0;
    virtual HXRESULT put_IsDefault(HXBOOL value) noexcept = 0;
    virtual HXRESULT get_OrderPosition(int32_t* value) noexcept = 0;
    virtual HXRESULT put_OrderPosition(int32_t value) noexcept = 0;
    virtual HXRESULT get_Caption(HXBSTR* value) noexcept = 0;
    virtual HXRESULT put_Caption(HXBSTR value) noexcept = 0;
    virtual HXRESULT get_ID(HXBSTR* value) noexcept = 0;
    virtual HXRESULT AddExecute(IHXActionExecute* exec) noexcept = 0;
    virtual HXRESULT RemoveExecute(IHXActionExecute* exec) noexcept = 0;
    /// The members in slot order: dispatch id, kind, name.
    static constexpr HXMemberInfo Members[] = {
        {201, HXMemberKind::Get, "IsDefault"},
        {201, HXMemberKind::Put, "IsDefault"},
        {202, HXMemberKind::Get, "OrderPosition"},
        {202, HXMemberKind::Put, "OrderPosition"},
        {203, HXMemberKind::Get, "Caption"},
        {203, HXMemberKind::Put, "Caption"},
        {204, HXMemberKind::Get, "ID"},
        {205, HXMemberKind::Method, "AddExecute"},
        {206, HXMemberKind::Method, "RemoveExecute"},
    };

protected:
    ~IHXAction() = default;
};

/// {5AD4B841-EDAB-497D-8C27-4C3963141642}
struct IHXMenuControl : IHXDispatch {
    static constexpr HXGUID IID = HXGuidFromText("{5AD4B841-EDAB-497D-8C27-4C3963141642}");
    virtual HXRESULT AddToMenu(HXBSTR actionID) noexcept = 0;
    virtual HXRESULT AddToReportMenu(HXBSTR actionID) noexcept = 0;
    /// The members in slot order: dispatch id, kind, name.
    static constexpr HXMemberInfo Members[] = {
        {201, HXMemberKind::Method, "AddToMenu"},
        {202, HXMemberKind::Method, "AddToReportMenu"},
    };

protected:
    ~IHXMenuControl() = default;
};

/// {9A3AD563-0D05-4C12-9E04-ACBF98C6AC13}
struct IHXStorage : IHXDispatch {
    static constexpr HXGUID IID = HXGuidFromText("{9A3AD563-0D05-4C12-9E04-ACBF98C6AC13}");
    virtual HXRESULT get_Changed(HXBOOL* value) noexcept = 0;
    virtual HXRESULT get_Info(IHXStorageInfo** value) noexcept = 0;
    virtual HXRESULT ClearCache() noexcept = 0;
    virtual HXRESULT GetDayEntries(HXDATE aDate, HXBSTR entryTypeID, IHXDayEntryList** result) noexcept = 0;
    virtual HXRESULT GetExistingMaxDate(HXDATE* max, HXBOOL* hasData) noexcept = 0;
    virtual HXRESULT GetExistingMinDate(HXDATE* min, HXBOOL* hasData) noexcept = 0;
    virtual HXRESULT GetExistingMinMaxDate(HXDATE* min, HXDATE* max, HXBOOL* hasData) noexcept = 0;
    virtual HXRESULT Save() noexcept = 0;
    /// The members in slot order: dispatch id, kind, name.
    static constexpr HXMemberInfo Members[] = {
        {201, HXMemberKind::Get, "Changed"},
        {202, HXMemberKind::Get, "Info"},
        {203, HXMemberKind::Method, "ClearCache"},
        {204, HXMemberKind::Method, "GetDayEntries"},
        {205, HXMemberKind::Method, "GetExistingMaxDate"},
        {206, HXMemberKind::Method, "GetExistingMinDate"},
        {207, HXMemberKind::Method, "GetExistingMinMaxDate"},
        {208, HXMemberKind::Method, "Save"},
    };

protected:
    ~IHXStorage() = default;
};

/// {55CEE326-707D-436C-9C6C-32939B8488BA}
struct IHXDayEntryList : IHXDispatch {
    static constexpr HXGUID IID = HXGuidFromText("{55CEE326-707D-436C-9C6C-32939B8488BA}");
    virtual HXRESULT get_Count(int32_t* value) noexcept = 0;
    virtual HXRESULT get_Items(int32_t index, IHXEntry** value) noexcept = 0;
    virtual HXRESULT get_Date(HXDATE* value) noexcept = 0;
    virtual HXRESULT AddNew(IHXEntry** result) noexcept = 0;
    virtual HXRESULT Sort() noexcept = 0;
    virtual HXRESULT Remove(IHXEntry* entry) noexcept = 0;
    virtual HXRESULT Delete(int32_t index) noexcept = 0;
    /// The members in slot order: dispatch id, kind, name.
    static constexpr HXMemberInfo Members[] = {
        {201, HXMemberKind::Get, "Count"},     {0, HXMemberKind::Get, "Items"},
        {204, HXMemberKind::Get, "Date"},      {203, HXMemberKind::Method, "AddNew"},
        {202, HXMemberKind::Method, "Sort"},   {205, HXMemberKind::Method, "Remove"},
        {206, HXMemberKind::Method, "Delete"},
    };

protected:
    ~IHXDayEntryList() = default;
};

/// {792D3F07-969B-489F-AF2E-305C21CF501C}
struct IHXEntryList : IHXDispatch {
    static constexpr HXGUID IID = HXGuidFromText("{792D3F07-969B-489F-AF2E-305C21CF501C}");
    virtual HXRESULT get_Count(int32_t* value) noexcept = 0;
    virtual HXRESULT get_Items(int32_t index, IHXEntry** value) noexcept = 0;
    virtual HXRESULT Sort() noexcept = 0;
    /// The members in slot order: dispatch id, kind, name.
    static constexpr HXMemberInfo Members[] = {
        {201, HXMemberKind::Get, "Count"},
        {0, HXMemberKind::Get, "Items"},
        {202, HXMemberKind::Method, "Sort"},
    };

protected:
    ~IHXEntryList() = default;
};

/// {8C1FA8A1-E5B3-4BA0-AE25-D71B6B112FAF}
struct IHXTools : IHXDispatch {
    static constexpr HXGUID IID = HXGuidFromText("{8C1FA8A1-E5B3-4BA0-AE25-D71B6B112FAF}");
    virtual HXRESULT CreateNewAction(IHXAction** result) noexcept = 0;
    virtual HXRESULT CreateNewPlannedBreakList(IHXPlannedBreakList** result) noexcept = 0;
    virtual HXRESULT CreateNewActivityLocator(IHXActivityLocator** result) noexcept = 0;
    /// The members in slot order: dispatch id, kind, name.
    static constexpr HXMemberInfo Members[] = {
        {201, HXMemberKind::Method, "CreateNewAction"},
        {202, HXMemberKind::Method, "CreateNewPlannedBreakList"},
        {203, HXMemberKind::Method, "CreateNewActivityLocator"},
    };

protected:
    ~IHXTools() = default;
};

/// {0D6FDE8C-058C-4D6B-9530-4EC81BC0F84A}
struct IHXDay : IHXDispatch {
    static constexpr HXGUID IID = HXGuidFromText("{0D6FDE8C-058C-4D6B-9530-4EC81BC0F84A}");
    virtual HXRESULT get_Day(int32_t* value) noexcept = 0;
    virtual HXRESULT get_WorkTime(HXDATE* value) noexcept = 0;
    virtual HXRESULT put_WorkTime(HXDATE value) noexcept = 0;
    /// The members in slot order: dispatch id, kind, name.
    static constexpr HXMemberInfo Members[] = {
        {201, HXMemberKind::Get, "Day"},
        {202, HXMemberKind::Get, "WorkTime"},
        {202, HXMemberKind::Put, "WorkTime"},
    };

protected:
    ~IHXDay() = default;
};

/// {0D548C65-6095-4FB0-A325-8D3BEEE5E8CC}
struct IHXWeek : IHXDispatch {
    static constexpr HXGUID IID = HXGuidFromText("{0D548C65-6095-4FB0-A325-8D3BEEE5E8CC}");
    virtual HXRESULT get_Monday(IHXDay** value) noexcept = 0;
    virtual HXRESULT get_Tuesday(IHXDay** value) noexcept = 0;
    virtual HXRESULT get_Wednesday(IHXDay** value) noexcept = 0;
    virtual HXRESULT get_Thursday(IHXDay** value) noexcept = 0;
    virtual HXRESULT get_Friday(IHXDay** value) noexcept = 0;
    virtual HXRESULT get_Saturday(IHXDay** value) noexcept = 0;
    virtual HXRESULT get_Sunday(IHXDay** value) noexcept = 0;
    virtual HXRESULT GetDay(int32_t dayOfTheWeek, IHXDay** result) noexcept = 0;
    virtual HXRESULT GetDayByDate(HXDATE date, IHXDay** result) noexcept = 0;
    /// The members in slot order: dispatch id, kind, name.
    static constexpr HXMemberInfo Members[] = {
        {201, HXMemberKind::Get, "Monday"},          {202, HXMemberKind::Get, "Tuesday"},
        {203, HXMemberKind::Get, "Wednesday"},       {204, HXMemberKind::Get, "Thursday"},
        {205, HXMemberKind::Get, "Friday"},          {206, HXMemberKind::Get, "Saturday"},
        {207, HXMemberKind::Get, "Sunday"},          {208, HXMemberKind::Method, "GetDay"},
        {209, HXMemberKind::Method, "GetDayByDate"},
    };

protected:
    ~IHXWeek() = default;
};

/// {04141627-A1C1-4D4E-AC8F-4F328E79E02C}
struct IHXPlannedBreak : IHXDispatch {
    static constexpr HXGUID IID = HXGuidFromText("{04141627-A1C1-4D4E-AC8F-4F328E79E02C}");
    virtual HXRESULT get_FromTime(HXDATE* value) noexcept = 0;
    virtual HXRESULT put_FromTime(HXDATE value) noexcept = 0;
    virtual HXRESULT get_ToTime(HXDATE* value) noexcept = 0;
    virtual HXRESULT put_ToTime(HXDATE value) noexcept = 0;
    virtual HXRESULT get_Duration(HXDATE* value) noexcept = 0;
    virtual HXRESULT put_Duration(HXDATE value) noexcept = 0;
    virtual HXRESULT get_ActivityLocator(IHXActivityLocator** value) noexcept = 0;
    /// The members in slot order: dispatch id, kind, name.
    static constexpr HXMemberInfo Members[] = {
        {201, HXMemberKind::Get, "FromTime"},        {201, HXMemberKind::Put, "FromTime"},
        {202, HXMemberKind::Get, "ToTime"},          {202, HXMemberKind::Put, "ToTime"},
        {203, HXMemberKind::Get, "Duration"},        {203, HXMemberKind::Put, "Duration"},
        {204, HXMemberKind::Get, "ActivityLocator"},
    };

protected:
    ~IHXPlannedBreak() = default;
};

/// {03B8894A-2B78-4148-9C25-9023F32DFED1}
struct IHXPlannedBreakList : IHXDispatch {
    static constexpr HXGUID IID = HXGuidFromText("{03B8894A-2B78-4148-9C25-9023F32DFED1}");
    virtual HXRESULT AddNew(IHXPlannedBreak** result) noexcept = 0;
    virtual HXRESULT Clear() noexcept = 0;
    virtual HXRESULT get_Count(int32_t* value) noexcept = 0;
    virtual HXRESULT get_Items(int32_t index, IHXPlannedBreak** value) noexcept = 0;
    virtual HXRESULT LoadFromValueList(IHXPropertyValueList* list) noexcept = 0;
    virtual HXRESULT SaveToValueList(IHXPropertyValueList* list) noexcept = 0;
    virtual HXRESULT Remove(IHXPlannedBreak* aBreak) noexcept = 0;
    /// The members in slot order: dispatch id, kind, name.
    static constexpr HXMemberInfo Members[] = {
        {201, HXMemberKind::Method, "AddNew"},
        {202, HXMemberKind::Method, "Clear"},
        {203, HXMemberKind::Get, "Count"},
        {0, HXMemberKind::Get, "Items"},
        {204, HXMemberKind::Method, "LoadFromValueList"},
        {205, HXMemberKind::Method, "SaveToValueList"},
        {206, HXMemberKind::Method, "Remove"},
    };

protected:
    ~IHXPlannedBreakList() = default;
};

/// {575105E0-0667-4C7A-B1B2-C8C44E97F468}
struct IHXActivityLocatorList : IHXDispatch {
    static constexpr HXGUID IID = HXGuidFromText("{575105E0-0667-4C7A-B1B2-C8C44E97F468}");
    virtual HXRESULT get_Items(int32_t index, IHXActivityLocator** value) noexcept = 0;
    virtual HXRESULT get_Count(int32_t* value) noexcept = 0;
    virtual HXRESULT AddNew(IHXActivityLocator** result) noexcept = 0;
    virtual HXRESULT Remove(IHXActivityLocator* locator) noexcept = 0;
    virtual HXRESULT LoadFromValueList(IHXPropertyValueList* list) noexcept = 0;
    virtual HXRESULT SaveToValueList(IHXPropertyValueList* list) noexcept = 0;
    /// The members in slot order: dispatch id, kind, name.
    static constexpr HXMemberInfo Members[] = {
        {0, HXMemberKind::Get, "Items"},
        {202, HXMemberKind::Get, "Count"},
        {203, HXMemberKind::Method, "AddNew"},
        {204, HXMemberKind::Method, "Remove"},
        {205, HXMemberKind::Method, "LoadFromValueList"},
        {206, HXMemberKind::Method, "SaveToValueList"},
    };

protected:
    ~IHXActivityLocatorList() = default;
};

/// {8E1479E0-9AAF-4F6F-98F9-A7DAA4B171D4}
struct IHXActivityLocatorHistoryList : IHXDispatch {
    static constexpr HXGUID IID = HXGuidFromText("{8E1479E0-9AAF-4F6F-98F9-A7DAA4B171D4}");
    virtual HXRESULT get_Items(int32_t index, IHXActivityLocator** value) noexcept = 0;
    virtual HXRESULT get_Count(int32_t* value) noexcept = 0;
    virtual HXRESULT AddNew(IHXActivityLocator** result) noexcept = 0;
    virtual HXRESULT Remove(IHXActivityLocator* locator) noexcept = 0;
    virtual HXRESULT LoadFromValueList(IHXPropertyValueList* list) noexcept = 0;
    virtual HXRESULT SaveToValueList(IHXPropertyValueList* list) noexcept = 0;
    virtual HXRESULT get_MaxElements(int32_t* value) noexcept = 0;
    virtual HXRESULT put_MaxElements(int32_t value) noexcept = 0;
    /// The members in slot order: dispatch id, kind, name.
    static constexpr HXMemberInfo Members[] = {
        {0, HXMemberKind::Get, "Items"},
        {202, HXMemberKind::Get, "Count"},
        {203, HXMemberKind::Method, "AddNew"},
        {204, HXMemberKind::Method, "Remove"},
        {205, HXMemberKind::Method, "LoadFromValueList"},
        {206, HXMemberKind::Method, "SaveToValueList"},
        {201, HXMemberKind::Get, "MaxElements"},
        {201, HXMemberKind::Put, "MaxElements"},
    };

protected:
    ~IHXActivityLocatorHistoryList() = default;
};

/// {47378181-33BA-4AA8-B214-CE111A258F84}
struct IHXHoliday : IHXDispatch {
    static constexpr HXGUID IID = HXGuidFromText("{47378181-33BA-4AA8-B214-CE111A258F84}");
    virtual HXRESULT get_Date(HXDATE* value) noexcept = 0;
    virtual HXRESULT get_Name(HXBSTR* value) noexcept = 0;
    virtual HXRESULT put_Name(HXBSTR value) noexcept = 0;
    /// The members in slot order: dispatch id, kind, name.
    static constexpr HXMemberInfo Members[] = {
        {201, HXMemberKind::Get, "Date"},
        {203, HXMemberKind::Get, "Name"},
        {203, HXMemberKind::Put, "Name"},
    };

protected:
    ~IHXHoliday() = default;
};

/// {DEBC67FB-0E2F-4E2B-B621-62787BE53CCE}
struct IHXHolidayList : IHXDispatch {
    static constexpr HXGUID IID = HXGuidFromText("{DEBC67FB-0E2F-4E2B-B621-62787BE53CCE}");
    virtual HXRESULT get_Count(int32_t* value) noexcept = 0;
    virtual HXRESULT get_Items(int32_t index, IHXHoliday** value) noexcept = 0;
    virtual HXRESULT AddNew(HXDATE date, IHXHoliday** result) noexcept = 0;
    virtual HXRESULT Delete(int32_t index) noexcept = 0;
    virtual HXRESULT DeleteByDate(HXDATE date, int32_t* result) noexcept = 0;
    virtual HXRESULT FindDate(HXDATE date, IHXHoliday** result) noexcept = 0;
    virtual HXRESULT Remove(IHXHoliday* aHoliday, int32_t* result) noexcept = 0;
    /// The members in slot order: dispatch id, kind, name.
    static constexpr HXMemberInfo Members[] = {
        {201, HXMemberKind::Get, "Count"},           {0, HXMemberKind::Get, "Items"},
        {202, HXMemberKind::Method, "AddNew"},       {203, HXMemberKind::Method, "Delete"},
        {204, HXMemberKind::Method, "DeleteByDate"}, {205, HXMemberKind::Method, "FindDate"},
        {206, HXMemberKind::Method, "Remove"},
    };

protected:
    ~IHXHolidayList() = default;
};

/// {90A48264-9C95-4C06-ADB0-E8C34EF192A9}
struct IHXCalendar : IHXDispatch {
    static constexpr HXGUID IID = HXGuidFromText("{90A48264-9C95-4C06-ADB0-E8C34EF192A9}");
    virtual HXRESULT get_Holidays(IHXHolidayList** value) noexcept = 0;
    virtual HXRESULT get_Week(IHXWeek** value) noexcept = 0;
    virtual HXRESULT GetDay(HXDATE aDate, IHXDay** result) noexcept = 0;
    virtual HXRESULT GetWorkTime(HXDATE aFrom, HXDATE aTo, HXDATE* result) noexcept = 0;
    /// The members in slot order: dispatch id, kind, name.
    static constexpr HXMemberInfo Members[] = {
        {201, HXMemberKind::Get, "Holidays"},
        {202, HXMemberKind::Get, "Week"},
        {203, HXMemberKind::Method, "GetDay"},
        {204, HXMemberKind::Method, "GetWorkTime"},
    };

protected:
    ~IHXCalendar() = default;
};

/// {C26089EE-22DA-4DC9-A2BA-18B672336391}
struct IHXDisplayInfo : IHXDispatch {
    static constexpr HXGUID IID = HXGuidFromText("{C26089EE-22DA-4DC9-A2BA-18B672336391}");
    virtual HXRESULT get_FontName(HXBSTR* value) noexcept = 0;
    virtual HXRESULT get_FontSize(int32_t* value) noexcept = 0;
    /// The members in slot order: dispatch id, kind, name.
    static constexpr HXMemberInfo Members[] = {
        {201, HXMemberKind::Get, "FontName"},
        {202, HXMemberKind::Get, "FontSize"},
    };

protected:
    ~IHXDisplayInfo() = default;
};

/// The creatable classes.
namespace CLSID {
constexpr HXGUID HoraluxApplication = HXGuidFromText("{42021C09-3CB8-41A4-8F51-CE43FFB427C1}");
constexpr HXGUID Property_ = HXGuidFromText("{9FD2D0B9-91F4-4357-9219-1CC09193D795}");
constexpr HXGUID PropertyList = HXGuidFromText("{73C9282C-6971-4D6A-936C-A6187A27667A}");
constexpr HXGUID PropertyValueList = HXGuidFromText("{92A1F27F-ED49-43DE-B501-6BD812178140}");
constexpr HXGUID Activity = HXGuidFromText("{41189185-3F76-4C58-A47E-6FF5B1C50EB7}");
constexpr HXGUID ActivityList = HXGuidFromText("{B5F2E51F-3580-44DB-B945-0D67AA7E2A2D}");
constexpr HXGUID ActivityTree = HXGuidFromText("{22452B7F-EE97-4AC4-BC41-3E83BAAB8976}");
constexpr HXGUID ActivitySource = HXGuidFromText("{6C977522-E476-4227-8CE0-AEC0A5F05B1F}");
constexpr HXGUID Entry = HXGuidFromText("{2454679F-FBDD-4885-961C-9BF698E5F347}");
constexpr HXGUID ActivityEntry = HXGuidFromText("{3EB87AD5-0328-407C-AF84-68D293C3E999}");
constexpr HXGUID ActivityLocator = HXGuidFromText("{DE7BF900-5421-48EC-BB30-99DED50B9111}");
constexpr HXGUID AddIn = HXGuidFromText("{424608F8-A223-447B-A635-5EE3182137C3}");
constexpr HXGUID EntryInfo = HXGuidFromText("{EDFF65E1-5BF0-407A-BD4F-E3E0CA90828A}");
constexpr HXGUID DateInfo = HXGuidFromText("{CA3CA7EC-B71B-4600-B859-5655EF731562}");
constexpr HXGUID StorageInfo = HXGuidFromText("{2A4945E2-B68E-4BAF-9CF6-F5E01A2D73CF}");
constexpr HXGUID ActionExecute = HXGuidFromText("{C997D9D2-27AA-4039-A953-B687031041CE}");
constexpr HXGUID Action = HXGuidFromText("{4EF82CAA-4352-43E8-A79C-C321E8FBBACA}");
constexpr HXGUID MenuControl = HXGuidFromText("{BF283904-FA6F-48EC-B3FA-01852D250F05}");
constexpr HXGUID Storage = HXGuidFromText("{30B8D820-342A-487A-AA79-90FC56F6B7C7}");
constexpr HXGUID DayEntryList = HXGuidFromText("{DF27B46A-3312-4777-B7CE-97441BC4AFE0}");
constexpr HXGUID EntryList = HXGuidFromText("{F8AFF09F-9A04-4088-8F47-4C5DCEF9072F}");
constexpr HXGUID Tools = HXGuidFromText("{CE1A0DB9-FEFD-4126-9B0A-02E9ACEEABA0}");
constexpr HXGUID Day = HXGuidFromText("{8BCB7097-6C67-42B3-A7DC-AAD2E61A8EF9}");
constexpr HXGUID Week = HXGuidFromText("{14E230EE-22D8-4E16-88B9-A4D027AF462C}");
constexpr HXGUID PlannedBreak = HXGuidFromText("{BAFEDC68-53F2-4D3F-8835-5C598C2E0750}");
constexpr HXGUID PlannedBreakList = HXGuidFromText("{EEC5CCFF-6CF7-4437-818A-253DD30139FD}");
constexpr HXGUID ActivityLocatorList = HXGuidFromText("{BCA615F9-8D41-4AE5-9EA6-A72EAA21CE7B}");
constexpr HXGUID ActivityLocatorHistoryList = HXGuidFromText("{5D46696B-44B9-41EB-B5B7-B6FBE3510A3C}");
constexpr HXGUID Holiday = HXGuidFromText("{E3317FE4-2B38-4F20-A764-7377F5FE681D}");
constexpr HXGUID HolidayList = HXGuidFromText("{1DB302B7-1C45-4CED-BB8D-B7E1D539E70E}");
constexpr HXGUID Calendar = HXGuidFromText("{8BA5BC99-7A82-4EDC-BDC4-A25807C7A2C6}");
constexpr HXGUID DisplayInfo = HXGuidFromText("{28092142-7854-44EE-953F-6FD31B3AAD52}");
} // namespace CLSID

/// The classes of the program's own storage kinds; not creatable. Their GUIDs are the storage
/// type ids of the storage infos.
namespace HiddenCLSID {
constexpr HXGUID StorageBase__ = HXGuidFromText("{CA198E5B-302B-439D-9485-ACF26EE4D03B}");
constexpr HXGUID StorageFileBase__ = HXGuidFromText("{CD6F43B8-7AAE-4444-8F10-CBCD159BAA96}");
constexpr HXGUID StorageRoot__ = HXGuidFromText("{353E4F60-D890-4167-B02E-356C619A390D}");
constexpr HXGUID StorageEntryManager__ = HXGuidFromText("{23AF7979-61F5-4E56-A29B-96882325C0B6}");
constexpr HXGUID StorageManagerBase__ = HXGuidFromText("{1D088B16-518C-49B1-B440-6194B58022CA}");
constexpr HXGUID StorageFileDataBase__ = HXGuidFromText("{7FC0D971-FF41-4005-A626-94B1C414636F}");
constexpr HXGUID StorageFileData__ = HXGuidFromText("{640E8210-403E-48A6-ADCD-01EE333D7ABE}");
constexpr HXGUID StorageFileDataCurrent__ = HXGuidFromText("{5150D5D0-7A18-49E8-964E-CA5B1A608354}");
constexpr HXGUID StorageInfoBase__ = HXGuidFromText("{28C014D4-018E-4ADE-8DE5-1A7EF995B930}");
constexpr HXGUID StorageFileInfoBase__ = HXGuidFromText("{7F96A2EE-7547-4283-A4AE-B9870AD139D0}");
constexpr HXGUID StorageRootInfo__ = HXGuidFromText("{CCB4C58D-4A55-4733-A461-5A96886804F1}");
constexpr HXGUID StorageEntryManagerInfo__ = HXGuidFromText("{1A21D50F-E788-4CA4-A546-C90E151A584A}");
constexpr HXGUID StorageFileInfo__ = HXGuidFromText("{AB6E1D28-699F-4D0B-BE32-D374B07545D1}");
constexpr HXGUID StorageFileDataInfo__ = HXGuidFromText("{A51EAA5A-6514-4B0B-9F0D-901EE59C2ECF}");
constexpr HXGUID StorageFileCurrentInfo__ = HXGuidFromText("{F94D7D2F-DBEB-4AE1-9383-4D03DBE9092D}");
constexpr HXGUID Dummy1__ = HXGuidFromText("{73EB54A3-B569-49A2-B9A9-37F730E071B6}");
} // namespace HiddenCLSID

/// The dispatch id of a member named in a member table (ASCII, without regard to case), or -1.
template <size_t N> constexpr int32_t HXFindDispId(const HXMemberInfo (&members)[N], const char16_t* name) {
    for (size_t i = 0; i < N; ++i) {
        const char* a = members[i].name;
        const char16_t* b = name;
        while (*a && *b) {
            const char16_t ca = char16_t(*a >= 'A' && *a <= 'Z' ? *a + 32 : *a);
            const char16_t cb = char16_t(*b >= u'A' && *b <= u'Z' ? *b + 32 : *b);
            if (ca != cb)
                break;
            ++a;
            ++b;
        }
        if (*a == 0 && *b == 0)
            return members[i].dispid;
    }
    return -1;
}

} // namespace HoraluxSDK
