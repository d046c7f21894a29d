#pragma once

// Late binding for the SDK's interfaces: IHXDispatch::Invoke over a table per interface.
//
//   HXRESULT Invoke(int32_t dispid, uint16_t flags, HXVARIANT* args, uint32_t argc,
//                   HXVARIANT* result) noexcept override {
//       return HoraluxSDK::HXDispatchInvoke<IHXAction>(this, dispid, flags, args, argc, result);
//   }
//
// HXDispatchTable<Interface>::Rows holds one thunk per member, in slot order, row i belonging to
// Interface::Members[i] (checked at compile time). A thunk converts the variant arguments to the
// member's parameters, calls the member through the interface's table and turns its out
// parameters into variants. The rules:
//
// - flags: HX_DISPATCH_PROPERTYPUT reaches the writer of a property, HX_DISPATCH_PROPERTYGET its
//   reader, HX_DISPATCH_METHOD a method; a dispatch id shared by a reader and a writer (Items 0,
//   AsString 202, ...) is told apart by the flag.
// - args stand in the order of the parameters (not reversed); the value written by a property
//   writer is its last argument.
// - The last out parameter of a member is its result: it goes to *result (a string the variant
//   owns, an interface as a referenced IHXDispatch); result may be null, the value is then freed.
//   *result is emptied first (not cleared: it is an out parameter, its old contents are not freed).
// - A member with several out parameters (IHXActivityLocator.FindActivity,
//   IHXStorage.GetExistingMinMaxDate, ...) takes one argument for each out parameter before the
//   last: that variant is cleared and receives the value (the caller clears it afterwards; a
//   VT_BYREF variant is refused there with HX_DISP_E_TYPEMISMATCH). So FindActivity takes two
//   arguments (the tree, then the variant for the activity) and gives the relevance as its result.
// - In parameters accept: a string from VT_BSTR or VT_EMPTY (the empty string); an integer or a
//   constant from VT_I4, VT_BOOL, or a VT_R8/VT_DATE holding a whole number in range; a double or a
//   date from VT_I4, VT_R8, VT_DATE; a boolean from VT_BOOL or VT_I4 (not 0 is true); an
//   interface from VT_DISPATCH/VT_UNKNOWN (queried for the interface's IID) or VT_EMPTY (null).
//   A VT_BYREF variant of one of these is read through its pointer.
// - Results: strings VT_BSTR, integers and constants VT_I4, doubles VT_R8, dates VT_DATE,
//   booleans VT_BOOL, interfaces VT_DISPATCH (null for none).
// - Errors: an unknown dispatch id, or a flag that fits no member of the id:
//   HX_DISP_E_MEMBERNOTFOUND; another number of arguments: HX_DISP_E_BADPARAMCOUNT; an argument
//   that cannot be converted: HX_DISP_E_TYPEMISMATCH; args null with arguments expected:
//   HX_E_POINTER. The HX_DISP_E_ results leave a description as the thread's error info. A failing
//   member returns its own result and leaves its own description; no result and no out argument
//   is set then.
//
// Templates only: they are compiled into whoever uses them; no library type crosses the interface.

#include "HoraluxSDK.h"

#include <stddef.h>
#include <stdint.h>
#include <tuple>
#include <type_traits>
#include <utility>

namespace HoraluxSDK {

/// A late-bound member: object is the interface the row belongs to, member its row of Members.
using HXDispatchThunk = HXRESULT (*)(const HXMemberInfo& member, IHXDispatch* object, HXVARIANT* args, uint32_t argc,
                                     HXVARIANT* result);

/// One row of an interface's thunk table: the member function's name (get_X, put_X or the
/// method's name) and its thunk.
struct HXDispatchRow {
    const char* function;
    HXDispatchThunk thunk;
};

/// The thunk table of an interface, specialised for each interface below: Rows in slot order.
template <typename Interface> struct HXDispatchTable;

namespace detail {

/// The description of a refused call, composed without the standard library's strings.
class ErrorText {
public:
    ErrorText& operator<<(const char* ascii) {
        while (*ascii && m_length + 1 < Capacity)
            m_text[m_length++] = char16_t(*ascii++);
        m_text[m_length] = 0;
        return *this;
    }
    ErrorText& operator<<(int64_t number) {
        char digits[24];
        int count = 0;
        const bool negative = number < 0;
        uint64_t rest = negative ? uint64_t(0) - uint64_t(number) : uint64_t(number);
        do {
            digits[count++] = char('0' + rest % 10);
            rest /= 10;
        } while (rest);
        if (negative)
            *this << "-";
        while (count > 0 && m_length + 1 < Capacity)
            m_text[m_length++] = char16_t(digits[--count]);
        m_text[m_length] = 0;
        return *this;
    }
    /// Leaves the text as the thread's error description and returns code.
    HXRESULT Raise(HXRESULT code) const {
        HXSetErrorInfo(u"IHXDispatch.Invoke", m_text);
        return code;
    }

private:
    static constexpr size_t Capacity = 160;
    char16_t m_text[Capacity] = {};
    size_t m_length = 0;
};

template <typename T> constexpr bool IsInterface = std::is_base_of_v<IHXUnknown, T>;

/// variant with one level of reference followed; false for a null or unknown reference.
inline bool PlainVariant(const HXVARIANT& variant, HXVARIANT& plain) {
    plain = variant;
    if ((variant.vt & HX_VT_BYREF) == 0)
        return true;
    plain.vt = uint16_t(variant.vt & ~HX_VT_BYREF);
    const void* at = variant.value.byref;
    if (!at)
        return false;
    switch (plain.vt) {
    case HX_VT_I4:
        plain.value.lVal = *static_cast<const int32_t*>(at);
        return true;
    case HX_VT_R8:
    case HX_VT_DATE:
        plain.value.dblVal = *static_cast<const double*>(at);
        return true;
    case HX_VT_BOOL:
        plain.value.boolVal = *static_cast<const HXBOOL*>(at);
        return true;
    case HX_VT_BSTR:
        plain.value.bstrVal = *static_cast<const HXBSTR*>(at);
        return true;
    case HX_VT_DISPATCH:
    case HX_VT_UNKNOWN:
        plain.value.punkVal = *static_cast<void* const*>(at);
        return true;
    default:
        return false;
    }
}

inline bool ToInteger(const HXVARIANT& plain, int32_t& value) {
    switch (plain.vt) {
    case HX_VT_I4:
        value = plain.value.lVal;
        return true;
    case HX_VT_BOOL:
        value = plain.value.boolVal;
        return true;
    case HX_VT_R8:
    case HX_VT_DATE: {
        const double d = plain.value.dblVal;
        // NaN fails both comparisons.
        if (!(d >= -2147483648.0 && d <= 2147483647.0) || d != double(int32_t(d)))
            return false;
        value = int32_t(d);
        return true;
    }
    default:
        return false;
    }
}

/// How a parameter of type T travels: in parameters are read from their argument, out parameters
/// are written to the result or back into their argument.
template <typename T, typename = void> struct Param {
    static_assert(sizeof(T) == 0, "a parameter type late binding does not know");
};

template <> struct Param<HXBSTR> {
    static constexpr bool isOut = false;
    struct Holder {
        HXBSTR value = nullptr; // the caller's string, not owned
        HXBSTR Pass() { return value; }
    };
    static bool Read(const HXVARIANT& plain, Holder& holder) {
        if (plain.vt == HX_VT_EMPTY)
            return true;
        if (plain.vt != HX_VT_BSTR)
            return false;
        holder.value = plain.value.bstrVal;
        return true;
    }
};

template <> struct Param<int32_t> {
    static constexpr bool isOut = false;
    struct Holder {
        int32_t value = 0;
        int32_t Pass() { return value; }
    };
    static bool Read(const HXVARIANT& plain, Holder& holder) { return ToInteger(plain, holder.value); }
};

template <> struct Param<HoraluxConstants> {
    static constexpr bool isOut = false;
    struct Holder {
        HoraluxConstants value{};
        HoraluxConstants Pass() { return value; }
    };
    static bool Read(const HXVARIANT& plain, Holder& holder) {
        int32_t value = 0;
        if (!ToInteger(plain, value))
            return false;
        holder.value = HoraluxConstants(value);
        return true;
    }
};

template <> struct Param<double> {
    static constexpr bool isOut = false;
    struct Holder {
        double value = 0;
        double Pass() { return value; }
    };
    static bool Read(const HXVARIANT& plain, Holder& holder) {
        if (plain.vt == HX_VT_I4)
            holder.value = plain.value.lVal;
        else if (plain.vt == HX_VT_R8 || plain.vt == HX_VT_DATE)
            holder.value = plain.value.dblVal;
        else
            return false;
        return true;
    }
};

template <> struct Param<HXBOOL> {
    static constexpr bool isOut = false;
    struct Holder {
        HXBOOL value = HX_FALSE;
        HXBOOL Pass() { return value; }
    };
    static bool Read(const HXVARIANT& plain, Holder& holder) {
        if (plain.vt == HX_VT_BOOL)
            holder.value = plain.value.boolVal ? HX_TRUE : HX_FALSE;
        else if (plain.vt == HX_VT_I4)
            holder.value = plain.value.lVal ? HX_TRUE : HX_FALSE;
        else
            return false;
        return true;
    }
};

template <typename I> struct Param<I*, std::enable_if_t<IsInterface<I>>> {
    static constexpr bool isOut = false;
    struct Holder {
        Holder() = default;
        Holder(const Holder&) = delete;
        Holder& operator=(const Holder&) = delete;
        ~Holder() {
            if (value)
                value->Release();
        }
        I* value = nullptr; // referenced by the query
        I* Pass() { return value; }
    };
    static bool Read(const HXVARIANT& plain, Holder& holder) {
        if (plain.vt == HX_VT_EMPTY)
            return true;
        if (plain.vt != HX_VT_DISPATCH && plain.vt != HX_VT_UNKNOWN)
            return false;
        auto* object = static_cast<IHXUnknown*>(plain.value.punkVal);
        if (!object)
            return true;
        void* queried = nullptr;
        if (HX_FAILED(object->QueryInterface(I::IID, &queried)) || !queried)
            return false;
        holder.value = static_cast<I*>(queried);
        return true;
    }
};

/// Out parameters: a value the member fills, handed on into a variant (or freed).
template <typename T> struct OutParam {
    static constexpr bool isOut = true;
    struct Holder {
        Holder() = default;
        Holder(const Holder&) = delete;
        Holder& operator=(const Holder&) = delete;
        ~Holder() { Discard(); }
        T value{};
        T* Pass() { return &value; }
        void Discard() {
            if constexpr (std::is_same_v<T, HXBSTR>) {
                HXSysFreeString(value);
            } else if constexpr (std::is_pointer_v<T>) {
                if (value)
                    value->Release();
            }
            value = T{};
        }
        /// Moves the value into variant (which must hold nothing that needs freeing).
        void MoveTo(HXVARIANT& variant, bool isDate) {
            HXVariantInit(&variant);
            if constexpr (std::is_same_v<T, HXBSTR>) {
                variant.vt = HX_VT_BSTR;
                variant.value.bstrVal = value;
            } else if constexpr (std::is_pointer_v<T>) {
                variant.vt = HX_VT_DISPATCH;
                variant.value.punkVal = static_cast<IHXDispatch*>(value);
            } else if constexpr (std::is_same_v<T, HXBOOL>) {
                variant.vt = HX_VT_BOOL;
                variant.value.boolVal = value ? HX_TRUE : HX_FALSE;
            } else if constexpr (std::is_same_v<T, double>) {
                variant.vt = isDate ? HX_VT_DATE : HX_VT_R8;
                variant.value.dblVal = value;
            } else {
                variant.vt = HX_VT_I4;
                variant.value.lVal = int32_t(value);
            }
            value = T{};
        }
    };
    static bool Read(const HXVARIANT&, Holder&) { return true; }
};

template <> struct Param<HXBSTR*> : OutParam<HXBSTR> {};
template <> struct Param<int32_t*> : OutParam<int32_t> {};
template <> struct Param<HoraluxConstants*> : OutParam<HoraluxConstants> {};
template <> struct Param<double*> : OutParam<double> {};
template <> struct Param<HXBOOL*> : OutParam<HXBOOL> {};
template <typename I> struct Param<I**, std::enable_if_t<IsInterface<I>>> : OutParam<I*> {
    static_assert(std::is_base_of_v<IHXDispatch, I>, "an interface result must be a dispatch interface");
};

template <typename Member> struct MemberCall;

template <typename I, typename... P> struct MemberCall<HXRESULT (I::*)(P...) noexcept> {
    static constexpr size_t count = sizeof...(P);
    static constexpr bool outs[count + 1] = {Param<P>::isOut..., false};
    static constexpr size_t FirstOut() {
        size_t i = 0;
        while (i < count && !outs[i])
            ++i;
        return i;
    }
    static constexpr bool OutsTrail() {
        for (size_t i = FirstOut(); i < count; ++i)
            if (!outs[i])
                return false;
        return true;
    }
    static_assert(OutsTrail(), "out parameters must follow the in parameters");
    /// The arguments a caller passes: the in parameters and the out parameters before the last.
    static constexpr uint32_t arguments = uint32_t(FirstOut() == count ? count : count - 1);

    template <auto Member, uint32_t Dates, size_t... N>
    static HXRESULT Call(std::index_sequence<N...>, const HXMemberInfo& member, IHXDispatch* object, HXVARIANT* args,
                         uint32_t argc, [[maybe_unused]] HXVARIANT* result) noexcept {
        if (argc != arguments)
            return (ErrorText() << member.name << ": wrong number of arguments (" << int64_t(arguments) << " expected, "
                                << int64_t(argc) << " given)")
                .Raise(HX_DISP_E_BADPARAMCOUNT);
        if (argc > 0 && !args)
            return HX_E_POINTER;
        std::tuple<typename Param<P>::Holder...> holders;
        size_t refused = count;
        ((refused = refused == count && !ReadArgument<P>(args, argc, N, std::get<N>(holders)) ? N : refused), ...);
        if (refused != count)
            return (ErrorText() << member.name << ": argument " << int64_t(refused + 1)
                                << " has a type that cannot be converted")
                .Raise(HX_DISP_E_TYPEMISMATCH);
        const HXRESULT hr = (static_cast<I*>(object)->*Member)(std::get<N>(holders).Pass()...);
        if (HX_FAILED(hr))
            return hr; // the holders free whatever a failing member left behind
        (HandOn<P>(args, result, N, (Dates >> N) & 1u, std::get<N>(holders)), ...);
        return hr;
    }

private:
    template <typename T>
    static bool ReadArgument(const HXVARIANT* args, uint32_t argc, size_t index, typename Param<T>::Holder& holder) {
        if constexpr (Param<T>::isOut) {
            // Written in place: a reference would not be written through, so it is refused.
            return index + 1 == count || (args[index].vt & HX_VT_BYREF) == 0;
        } else {
            HXVARIANT plain;
            return index < argc && PlainVariant(args[index], plain) && Param<T>::Read(plain, holder);
        }
    }
    template <typename T>
    static void HandOn(HXVARIANT* args, HXVARIANT* result, size_t index, bool isDate,
                       typename Param<T>::Holder& holder) {
        if constexpr (Param<T>::isOut) {
            if (index + 1 == count) {
                if (result)
                    holder.MoveTo(*result, isDate);
            } else {
                HXVariantClear(&args[index]);
                holder.MoveTo(args[index], isDate);
            }
        }
    }
};

/// The thunk of Member; bit n of Dates marks parameter n as a date (HXDATE, a VT_DATE result).
template <auto Member, uint32_t Dates = 0>
HXRESULT Thunk(const HXMemberInfo& member, IHXDispatch* object, HXVARIANT* args, uint32_t argc,
               HXVARIANT* result) noexcept {
    using Call = MemberCall<decltype(Member)>;
    return Call::template Call<Member, Dates>(std::make_index_sequence<Call::count>{}, member, object, args, argc,
                                              result);
}

constexpr bool SameText(const char* a, const char* b) {
    while (*a && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

constexpr bool RowFitsMember(const char* function, const HXMemberInfo& member) {
    if (member.kind == HXMemberKind::Method)
        return SameText(function, member.name);
    const char* prefix = member.kind == HXMemberKind::Get ? "get_" : "put_";
    for (int i = 0; i < 4; ++i)
        if (function[i] != prefix[i])
            return false;
    return SameText(function + 4, member.name);
}

} // namespace detail

/// True when the thunk table of Interface has a row for each member of Interface::Members, in the
/// same order.
template <typename Interface> constexpr bool HXDispatchTableFitsMembers() {
    constexpr size_t rows = sizeof(HXDispatchTable<Interface>::Rows) / sizeof(HXDispatchRow);
    constexpr size_t members = sizeof(Interface::Members) / sizeof(HXMemberInfo);
    if (rows != members)
        return false;
    for (size_t i = 0; i < rows; ++i)
        if (!detail::RowFitsMember(HXDispatchTable<Interface>::Rows[i].function, Interface::Members[i]))
            return false;
    return true;
}

/// IHXDispatch::Invoke for an object implementing Interface (see the rules at the top).
template <typename Interface>
HXRESULT HXDispatchInvoke(Interface* object, int32_t dispid, uint16_t flags, HXVARIANT* args, uint32_t argc,
                          HXVARIANT* result) noexcept {
    static_assert(HXDispatchTableFitsMembers<Interface>(), "the thunk table does not follow the member table");
    constexpr size_t members = sizeof(Interface::Members) / sizeof(HXMemberInfo);
    if (result)
        HXVariantInit(result);
    for (size_t i = 0; i < members; ++i) {
        const HXMemberInfo& member = Interface::Members[i];
        if (member.dispid != dispid)
            continue;
        const bool fits =
            member.kind == HXMemberKind::Put
                ? (flags & HX_DISPATCH_PROPERTYPUT) != 0
                : (flags & HX_DISPATCH_PROPERTYPUT) == 0 &&
                      (flags & (member.kind == HXMemberKind::Get ? HX_DISPATCH_PROPERTYGET : HX_DISPATCH_METHOD)) != 0;
        if (fits)
            return HXDispatchTable<Interface>::Rows[i].thunk(member, object, args, argc, result);
    }
    return (detail::ErrorText() << "no member with the dispatch id " << int64_t(dispid) << " for this call")
        .Raise(HX_DISP_E_MEMBERNOTFOUND);
}

// The thunk tables. Bit n of a thunk's second argument marks parameter n as a date.

template <> struct HXDispatchTable<Global_> {
    static constexpr HXDispatchRow Rows[] = {
        {"GetCurrentWindow", detail::Thunk<&Global_::GetCurrentWindow>},
        {"get_Options", detail::Thunk<&Global_::get_Options>},
        {"get_ActivityTree", detail::Thunk<&Global_::get_ActivityTree>},
        {"get_Tools", detail::Thunk<&Global_::get_Tools>},
        {"get_TrayMenu", detail::Thunk<&Global_::get_TrayMenu>},
        {"AddCurrentWindow", detail::Thunk<&Global_::AddCurrentWindow>},
        {"get_CanShowWindow", detail::Thunk<&Global_::get_CanShowWindow>},
        {"get_PlannedBreaks", detail::Thunk<&Global_::get_PlannedBreaks>},
        {"get_Storage", detail::Thunk<&Global_::get_Storage>},
        {"RemoveCurrentWindow", detail::Thunk<&Global_::RemoveCurrentWindow>},
    };
};

template <> struct HXDispatchTable<IHXProperty> {
    static constexpr HXDispatchRow Rows[] = {
        {"get_DataType", detail::Thunk<&IHXProperty::get_DataType>},
        {"get_AsString", detail::Thunk<&IHXProperty::get_AsString>},
        {"put_AsString", detail::Thunk<&IHXProperty::put_AsString>},
        {"get_AsInteger", detail::Thunk<&IHXProperty::get_AsInteger>},
        {"put_AsInteger", detail::Thunk<&IHXProperty::put_AsInteger>},
        {"get_AsDateTime", detail::Thunk<&IHXProperty::get_AsDateTime, 0b1>},
        {"put_AsDateTime", detail::Thunk<&IHXProperty::put_AsDateTime, 0b1>},
        {"get_AsDouble", detail::Thunk<&IHXProperty::get_AsDouble>},
        {"put_AsDouble", detail::Thunk<&IHXProperty::put_AsDouble>},
        {"get_AsBoolean", detail::Thunk<&IHXProperty::get_AsBoolean>},
        {"put_AsBoolean", detail::Thunk<&IHXProperty::put_AsBoolean>},
        {"get_AsPropertyList", detail::Thunk<&IHXProperty::get_AsPropertyList>},
        {"get_AsValueList", detail::Thunk<&IHXProperty::get_AsValueList>},
    };
};

template <> struct HXDispatchTable<IHXPropertyList> {
    static constexpr HXDispatchRow Rows[] = {
        {"get_Count", detail::Thunk<&IHXPropertyList::get_Count>},
        {"get_Changed", detail::Thunk<&IHXPropertyList::get_Changed>},
        {"get_Items", detail::Thunk<&IHXPropertyList::get_Items>},
        {"put_Items", detail::Thunk<&IHXPropertyList::put_Items>},
        {"Find", detail::Thunk<&IHXPropertyList::Find>},
    };
};

template <> struct HXDispatchTable<IHXPropertyValueList> {
    static constexpr HXDispatchRow Rows[] = {
        {"get_Count", detail::Thunk<&IHXPropertyValueList::get_Count>},
        {"AddItem", detail::Thunk<&IHXPropertyValueList::AddItem>},
        {"get_Items", detail::Thunk<&IHXPropertyValueList::get_Items>},
    };
};

template <> struct HXDispatchTable<IHXActivity> {
    static constexpr HXDispatchRow Rows[] = {
        {"get_Name", detail::Thunk<&IHXActivity::get_Name>},
        {"put_Name", detail::Thunk<&IHXActivity::put_Name>},
        {"get_Values", detail::Thunk<&IHXActivity::get_Values>},
        {"get_ID", detail::Thunk<&IHXActivity::get_ID>},
        {"get_InstanceCount", detail::Thunk<&IHXActivity::get_InstanceCount>},
        {"put_InstanceCount", detail::Thunk<&IHXActivity::put_InstanceCount>},
        {"get_IsBreak", detail::Thunk<&IHXActivity::get_IsBreak>},
        {"put_IsBreak", detail::Thunk<&IHXActivity::put_IsBreak>},
        {"get_IsReadOnly", detail::Thunk<&IHXActivity::get_IsReadOnly>},
        {"get_Childs", detail::Thunk<&IHXActivity::get_Childs>},
        {"get_TempStorage", detail::Thunk<&IHXActivity::get_TempStorage>},
    };
};

template <> struct HXDispatchTable<IHXActivityList> {
    static constexpr HXDispatchRow Rows[] = {
        {"get_Count", detail::Thunk<&IHXActivityList::get_Count>},
        {"get_Items", detail::Thunk<&IHXActivityList::get_Items>},
        {"AddNew", detail::Thunk<&IHXActivityList::AddNew>},
        {"InsertNew", detail::Thunk<&IHXActivityList::InsertNew>},
        {"Contains", detail::Thunk<&IHXActivityList::Contains>},
        {"Remove", detail::Thunk<&IHXActivityList::Remove>},
        {"IndexOf", detail::Thunk<&IHXActivityList::IndexOf>},
    };
};

template <> struct HXDispatchTable<IHXActivityTree> {
    static constexpr HXDispatchRow Rows[] = {
        {"get_Childs", detail::Thunk<&IHXActivityTree::get_Childs>},
        {"Assign_", detail::Thunk<&IHXActivityTree::Assign_>},
        {"get_SourcesCount", detail::Thunk<&IHXActivityTree::get_SourcesCount>},
        {"get_Sources", detail::Thunk<&IHXActivityTree::get_Sources>},
        {"get_LocalSource", detail::Thunk<&IHXActivityTree::get_LocalSource>},
    };
};

template <> struct HXDispatchTable<IHXActivitySource> {
    static constexpr HXDispatchRow Rows[] = {
        {"get_ID", detail::Thunk<&IHXActivitySource::get_ID>},
        {"get_URL", detail::Thunk<&IHXActivitySource::get_URL>},
    };
};

template <> struct HXDispatchTable<IHXEntry> {
    static constexpr HXDispatchRow Rows[] = {
        {"get_Changed", detail::Thunk<&IHXEntry::get_Changed>},
        {"get_Date", detail::Thunk<&IHXEntry::get_Date, 0b1>},
        {"put_Date", detail::Thunk<&IHXEntry::put_Date, 0b1>},
        {"get_EndTime", detail::Thunk<&IHXEntry::get_EndTime, 0b1>},
        {"get_StartTime", detail::Thunk<&IHXEntry::get_StartTime, 0b1>},
        {"CompareDateTime", detail::Thunk<&IHXEntry::CompareDateTime>},
        {"SetTime", detail::Thunk<&IHXEntry::SetTime, 0b11>},
        {"get_AdditionalProperties", detail::Thunk<&IHXEntry::get_AdditionalProperties>},
    };
};

template <> struct HXDispatchTable<IHXActivityEntry> {
    static constexpr HXDispatchRow Rows[] = {
        {"get_Changed", detail::Thunk<&IHXActivityEntry::get_Changed>},
        {"get_Date", detail::Thunk<&IHXActivityEntry::get_Date, 0b1>},
        {"put_Date", detail::Thunk<&IHXActivityEntry::put_Date, 0b1>},
        {"get_EndTime", detail::Thunk<&IHXActivityEntry::get_EndTime, 0b1>},
        {"get_StartTime", detail::Thunk<&IHXActivityEntry::get_StartTime, 0b1>},
        {"CompareDateTime", detail::Thunk<&IHXActivityEntry::CompareDateTime>},
        {"get_Duration", detail::Thunk<&IHXActivityEntry::get_Duration, 0b1>},
        {"put_Duration", detail::Thunk<&IHXActivityEntry::put_Duration, 0b1>},
        {"get_Locator", detail::Thunk<&IHXActivityEntry::get_Locator>},
        {"CalculateDuration", detail::Thunk<&IHXActivityEntry::CalculateDuration>},
        {"SetTime", detail::Thunk<&IHXActivityEntry::SetTime, 0b11>},
    };
};

template <> struct HXDispatchTable<IHXActivityLocator> {
    static constexpr HXDispatchRow Rows[] = {
        {"get_IsBreak", detail::Thunk<&IHXActivityLocator::get_IsBreak>},
        {"put_IsBreak", detail::Thunk<&IHXActivityLocator::put_IsBreak>},
        {"Eq", detail::Thunk<&IHXActivityLocator::Eq>},
        {"FindActivity", detail::Thunk<&IHXActivityLocator::FindActivity>},
        {"GetActivityName", detail::Thunk<&IHXActivityLocator::GetActivityName>},
        {"GetActivityPathName", detail::Thunk<&IHXActivityLocator::GetActivityPathName>},
        {"SetActivity", detail::Thunk<&IHXActivityLocator::SetActivity>},
        {"AddParentActivity", detail::Thunk<&IHXActivityLocator::AddParentActivity>},
        {"Assign_", detail::Thunk<&IHXActivityLocator::Assign_>},
    };
};

template <> struct HXDispatchTable<IHXAddIn> {
    static constexpr HXDispatchRow Rows[] = {
        {"GetID", detail::Thunk<&IHXAddIn::GetID>},
        {"GetName", detail::Thunk<&IHXAddIn::GetName>},
        {"AllowDeactivate", detail::Thunk<&IHXAddIn::AllowDeactivate>},
        {"RequiresAddInsCount", detail::Thunk<&IHXAddIn::RequiresAddInsCount>},
        {"GetRequiredAddInsID", detail::Thunk<&IHXAddIn::GetRequiredAddInsID>},
        {"Loaded", detail::Thunk<&IHXAddIn::Loaded>},
        {"LaunchAddIn", detail::Thunk<&IHXAddIn::LaunchAddIn>},
        {"GetAboutText", detail::Thunk<&IHXAddIn::GetAboutText>},
    };
};

template <> struct HXDispatchTable<IHXEntryInfo> {
    static constexpr HXDispatchRow Rows[] = {
        {"get_EntryTypeID", detail::Thunk<&IHXEntryInfo::get_EntryTypeID>},
        {"get_InfoType", detail::Thunk<&IHXEntryInfo::get_InfoType>},
    };
};

template <> struct HXDispatchTable<IHXDateInfo> {
    static constexpr HXDispatchRow Rows[] = {
        {"get_Date", detail::Thunk<&IHXDateInfo::get_Date, 0b1>},
        {"get_InfoType", detail::Thunk<&IHXDateInfo::get_InfoType>},
        {"Equals", detail::Thunk<&IHXDateInfo::Equals>},
    };
};

template <> struct HXDispatchTable<IHXStorageInfo> {
    static constexpr HXDispatchRow Rows[] = {
        {"get_Changed", detail::Thunk<&IHXStorageInfo::get_Changed>},
        {"get_EndInfo", detail::Thunk<&IHXStorageInfo::get_EndInfo>},
        {"get_EntryInfo", detail::Thunk<&IHXStorageInfo::get_EntryInfo>},
        {"get_StartInfo", detail::Thunk<&IHXStorageInfo::get_StartInfo>},
        {"get_StorageTypeID", detail::Thunk<&IHXStorageInfo::get_StorageTypeID>},
        {"Compare", detail::Thunk<&IHXStorageInfo::Compare, 0b1>},
        {"Contains", detail::Thunk<&IHXStorageInfo::Contains>},
        {"LoadFromPropertyList", detail::Thunk<&IHXStorageInfo::LoadFromPropertyList>},
        {"SaveAsPropertyList", detail::Thunk<&IHXStorageInfo::SaveAsPropertyList>},
        {"UpdateFromPropertyList", detail::Thunk<&IHXStorageInfo::UpdateFromPropertyList>},
    };
};

template <> struct HXDispatchTable<IHXActionExecute> {
    static constexpr HXDispatchRow Rows[] = {
        {"Execute", detail::Thunk<&IHXActionExecute::Execute>},
    };
};

template <> struct HXDispatchTable<IHXAction> {
    static constexpr HXDispatchRow Rows[] = {
        {"get_IsDefault", detail::Thunk<&IHXAction::get_IsDefault>},
        {"put_IsDefault", detail::Thunk<&IHXAction::put_IsDefault>},
        {"get_OrderPosition", detail::Thunk<&IHXAction::get_OrderPosition>},
        {"put_OrderPosition", detail::Thunk<&IHXAction::put_OrderPosition>},
        {"get_Caption", detail::Thunk<&IHXAction::get_Caption>},
        {"put_Caption", detail::Thunk<&IHXAction::put_Caption>},
        {"get_ID", detail::Thunk<&IHXAction::get_ID>},
        {"AddExecute", detail::Thunk<&IHXAction::AddExecute>},
        {"RemoveExecute", detail::Thunk<&IHXAction::RemoveExecute>},
    };
};

template <> struct HXDispatchTable<IHXMenuControl> {
    static constexpr HXDispatchRow Rows[] = {
        {"AddToMenu", detail::Thunk<&IHXMenuControl::AddToMenu>},
        {"AddToReportMenu", detail::Thunk<&IHXMenuControl::AddToReportMenu>},
    };
};

template <> struct HXDispatchTable<IHXStorage> {
    static constexpr HXDispatchRow Rows[] = {
        {"get_Changed", detail::Thunk<&IHXStorage::get_Changed>},
        {"get_Info", detail::Thunk<&IHXStorage::get_Info>},
        {"ClearCache", detail::Thunk<&IHXStorage::ClearCache>},
        {"GetDayEntries", detail::Thunk<&IHXStorage::GetDayEntries, 0b1>},
        {"GetExistingMaxDate", detail::Thunk<&IHXStorage::GetExistingMaxDate, 0b1>},
        {"GetExistingMinDate", detail::Thunk<&IHXStorage::GetExistingMinDate, 0b1>},
        {"GetExistingMinMaxDate", detail::Thunk<&IHXStorage::GetExistingMinMaxDate, 0b11>},
        {"Save", detail::Thunk<&IHXStorage::Save>},
    };
};

template <> struct HXDispatchTable<IHXDayEntryList> {
    static constexpr HXDispatchRow Rows[] = {
        {"get_Count", detail::Thunk<&IHXDayEntryList::get_Count>},
        {"get_Items", detail::Thunk<&IHXDayEntryList::get_Items>},
        {"get_Date", detail::Thunk<&IHXDayEntryList::get_Date, 0b1>},
        {"AddNew", detail::Thunk<&IHXDayEntryList::AddNew>},
        {"Sort", detail::Thunk<&IHXDayEntryList::Sort>},
        {"Remove", detail::Thunk<&IHXDayEntryList::Remove>},
        {"Delete", detail::Thunk<&IHXDayEntryList::Delete>},
    };
};

template <> struct HXDispatchTable<IHXEntryList> {
    static constexpr HXDispatchRow Rows[] = {
        {"get_Count", detail::Thunk<&IHXEntryList::get_Count>},
        {"get_Items", detail::Thunk<&IHXEntryList::get_Items>},
        {"Sort", detail::Thunk<&IHXEntryList::Sort>},
    };
};

template <> struct HXDispatchTable<IHXTools> {
    static constexpr HXDispatchRow Rows[] = {
        {"CreateNewAction", detail::Thunk<&IHXTools::CreateNewAction>},
        {"CreateNewPlannedBreakList", detail::Thunk<&IHXTools::CreateNewPlannedBreakList>},
        {"CreateNewActivityLocator", detail::Thunk<&IHXTools::CreateNewActivityLocator>},
    };
};

template <> struct HXDispatchTable<IHXDay> {
    static constexpr HXDispatchRow Rows[] = {
        {"get_Day", detail::Thunk<&IHXDay::get_Day>},
        {"get_WorkTime", detail::Thunk<&IHXDay::get_WorkTime, 0b1>},
        {"put_WorkTime", detail::Thunk<&IHXDay::put_WorkTime, 0b1>},
    };
};

template <> struct HXDispatchTable<IHXWeek> {
    static constexpr HXDispatchRow Rows[] = {
        {"get_Monday", detail::Thunk<&IHXWeek::get_Monday>},
        {"get_Tuesday", detail::Thunk<&IHXWeek::get_Tuesday>},
        {"get_Wednesday", detail::Thunk<&IHXWeek::get_Wednesday>},
        {"get_Thursday", detail::Thunk<&IHXWeek::get_Thursday>},
        {"get_Friday", detail::Thunk<&IHXWeek::get_Friday>},
        {"get_Saturday", detail::Thunk<&IHXWeek::get_Saturday>},
        {"get_Sunday", detail::Thunk<&IHXWeek::get_Sunday>},
        {"GetDay", detail::Thunk<&IHXWeek::GetDay>},
        {"GetDayByDate", detail::Thunk<&IHXWeek::GetDayByDate, 0b1>},
    };
};

template <> struct HXDispatchTable<IHXPlannedBreak> {
    static constexpr HXDispatchRow Rows[] = {
        {"get_FromTime", detail::Thunk<&IHXPlannedBreak::get_FromTime, 0b1>},
        {"put_FromTime", detail::Thunk<&IHXPlannedBreak::put_FromTime, 0b1>},
        {"get_ToTime", detail::Thunk<&IHXPlannedBreak::get_ToTime, 0b1>},
        {"put_ToTime", detail::Thunk<&IHXPlannedBreak::put_ToTime, 0b1>},
        {"get_Duration", detail::Thunk<&IHXPlannedBreak::get_Duration, 0b1>},
        {"put_Duration", detail::Thunk<&IHXPlannedBreak::put_Duration, 0b1>},
        {"get_ActivityLocator", detail::Thunk<&IHXPlannedBreak::get_ActivityLocator>},
    };
};

template <> struct HXDispatchTable<IHXPlannedBreakList> {
    static constexpr HXDispatchRow Rows[] = {
        {"AddNew", detail::Thunk<&IHXPlannedBreakList::AddNew>},
        {"Clear", detail::Thunk<&IHXPlannedBreakList::Clear>},
        {"get_Count", detail::Thunk<&IHXPlannedBreakList::get_Count>},
        {"get_Items", detail::Thunk<&IHXPlannedBreakList::get_Items>},
        {"LoadFromValueList", detail::Thunk<&IHXPlannedBreakList::LoadFromValueList>},
        {"SaveToValueList", detail::Thunk<&IHXPlannedBreakList::SaveToValueList>},
        {"Remove", detail::Thunk<&IHXPlannedBreakList::Remove>},
    };
};

template <> struct HXDispatchTable<IHXActivityLocatorList> {
    static constexpr HXDispatchRow Rows[] = {
        {"get_Items", detail::Thunk<&IHXActivityLocatorList::get_Items>},
        {"get_Count", detail::Thunk<&IHXActivityLocatorList::get_Count>},
        {"AddNew", detail::Thunk<&IHXActivityLocatorList::AddNew>},
        {"Remove", detail::Thunk<&IHXActivityLocatorList::Remove>},
        {"LoadFromValueList", detail::Thunk<&IHXActivityLocatorList::LoadFromValueList>},
        {"SaveToValueList", detail::Thunk<&IHXActivityLocatorList::SaveToValueList>},
    };
};

template <> struct HXDispatchTable<IHXActivityLocatorHistoryList> {
    static constexpr HXDispatchRow Rows[] = {
        {"get_Items", detail::Thunk<&IHXActivityLocatorHistoryList::get_Items>},
        {"get_Count", detail::Thunk<&IHXActivityLocatorHistoryList::get_Count>},
        {"AddNew", detail::Thunk<&IHXActivityLocatorHistoryList::AddNew>},
        {"Remove", detail::Thunk<&IHXActivityLocatorHistoryList::Remove>},
        {"LoadFromValueList", detail::Thunk<&IHXActivityLocatorHistoryList::LoadFromValueList>},
        {"SaveToValueList", detail::Thunk<&IHXActivityLocatorHistoryList::SaveToValueList>},
        {"get_MaxElements", detail::Thunk<&IHXActivityLocatorHistoryList::get_MaxElements>},
        {"put_MaxElements", detail::Thunk<&IHXActivityLocatorHistoryList::put_MaxElements>},
    };
};

template <> struct HXDispatchTable<IHXHoliday> {
    static constexpr HXDispatchRow Rows[] = {
        {"get_Date", detail::Thunk<&IHXHoliday::get_Date, 0b1>},
        {"get_Name", detail::Thunk<&IHXHoliday::get_Name>},
        {"put_Name", detail::Thunk<&IHXHoliday::put_Name>},
    };
};

template <> struct HXDispatchTable<IHXHolidayList> {
    static constexpr HXDispatchRow Rows[] = {
        {"get_Count", detail::Thunk<&IHXHolidayList::get_Count>},
        {"get_Items", detail::Thunk<&IHXHolidayList::get_Items>},
        {"AddNew", detail::Thunk<&IHXHolidayList::AddNew, 0b1>},
        {"Delete", detail::Thunk<&IHXHolidayList::Delete>},
        {"DeleteByDate", detail::Thunk<&IHXHolidayList::DeleteByDate, 0b1>},
        {"FindDate", detail::Thunk<&IHXHolidayList::FindDate, 0b1>},
        {"Remove", detail::Thunk<&IHXHolidayList::Remove>},
    };
};

template <> struct HXDispatchTable<IHXCalendar> {
    static constexpr HXDispatchRow Rows[] = {
        {"get_Holidays", detail::Thunk<&IHXCalendar::get_Holidays>},
        {"get_Week", detail::Thunk<&IHXCalendar::get_Week>},
        {"GetDay", detail::Thunk<&IHXCalendar::GetDay, 0b1>},
        {"GetWorkTime", detail::Thunk<&IHXCalendar::GetWorkTime, 0b111>},
    };
};

template <> struct HXDispatchTable<IHXDisplayInfo> {
    static constexpr HXDispatchRow Rows[] = {
        {"get_FontName", detail::Thunk<&IHXDisplayInfo::get_FontName>},
        {"get_FontSize", detail::Thunk<&IHXDisplayInfo::get_FontSize>},
    };
};

static_assert(HXDispatchTableFitsMembers<Global_>());
static_assert(HXDispatchTableFitsMembers<IHXProperty>());
static_assert(HXDispatchTableFitsMembers<IHXPropertyList>());
static_assert(HXDispatchTableFitsMembers<IHXPropertyValueList>());
static_assert(HXDispatchTableFitsMembers<IHXActivity>());
static_assert(HXDispatchTableFitsMembers<IHXActivityList>());
static_assert(HXDispatchTableFitsMembers<IHXActivityTree>());
static_assert(HXDispatchTableFitsMembers<IHXActivitySource>());
static_assert(HXDispatchTableFitsMembers<IHXEntry>());
static_assert(HXDispatchTableFitsMembers<IHXActivityEntry>());
static_assert(HXDispatchTableFitsMembers<IHXActivityLocator>());
static_assert(HXDispatchTableFitsMembers<IHXAddIn>());
static_assert(HXDispatchTableFitsMembers<IHXEntryInfo>());
static_assert(HXDispatchTableFitsMembers<IHXDateInfo>());
static_assert(HXDispatchTableFitsMembers<IHXStorageInfo>());
static_assert(HXDispatchTableFitsMembers<IHXActionExecute>());
static_assert(HXDispatchTableFitsMembers<IHXAction>());
static_assert(HXDispatchTableFitsMembers<IHXMenuControl>());
static_assert(HXDispatchTableFitsMembers<IHXStorage>());
static_assert(HXDispatchTableFitsMembers<IHXDayEntryList>());
static_assert(HXDispatchTableFitsMembers<IHXEntryList>());
static_assert(HXDispatchTableFitsMembers<IHXTools>());
static_assert(HXDispatchTableFitsMembers<IHXDay>());
static_assert(HXDispatchTableFitsMembers<IHXWeek>());
static_assert(HXDispatchTableFitsMembers<IHXPlannedBreak>());
static_assert(HXDispatchTableFitsMembers<IHXPlannedBreakList>());
static_assert(HXDispatchTableFitsMembers<IHXActivityLocatorList>());
static_assert(HXDispatchTableFitsMembers<IHXActivityLocatorHistoryList>());
static_assert(HXDispatchTableFitsMembers<IHXHoliday>());
static_assert(HXDispatchTableFitsMembers<IHXHolidayList>());
static_assert(HXDispatchTableFitsMembers<IHXCalendar>());
static_assert(HXDispatchTableFitsMembers<IHXDisplayInfo>());

} // namespace HoraluxSDK
