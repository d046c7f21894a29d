// Late binding through HXObject: Invoke reaches the members of small objects of different shapes
// (a property with readers and writers sharing ids, lists whose default member takes a name or an
// index, a locator with an interface argument and two out parameters, an activity entry whose ids
// are out of slot order), converts its arguments and results, and refuses what does not fit.

#include "HoraluxSDKObject.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace HoraluxSDK;

namespace {

int g_liveObjects = 0;

/// Counts its objects, so that a test sees every reference given back.
template <typename... Interfaces> class Counted : public HXObject<Interfaces...> {
public:
    Counted() { ++g_liveObjects; }

protected:
    ~Counted() override { --g_liveObjects; }
};

#define HX_STUB(...)                                                                                                   \
    HXRESULT __VA_ARGS__ noexcept override {                                                                           \
        return HX_E_NOTIMPL;                                                                                           \
    }

std::u16string Text(HXBSTR text) {
    return text ? std::u16string(text, HXSysStringLen(text)) : std::u16string();
}

class TestProperty final : public Counted<IHXProperty> {
public:
    std::u16string text;
    HXDATE dateTime = 0;
    HXBOOL flag = HX_FALSE;
    int32_t integer = 0;

    HXRESULT get_DataType(HoraluxConstants* value) noexcept override {
        *value = hxpdtString;
        return HX_S_OK;
    }
    HXRESULT get_AsString(HXBSTR* value) noexcept override {
        *value = HXSysAllocStringLen(text.data(), uint32_t(text.size()));
        return HX_S_OK;
    }
    HXRESULT put_AsString(HXBSTR value) noexcept override {
        text = Text(value);
        return HX_S_OK;
    }
    HXRESULT get_AsInteger(int32_t* value) noexcept override {
        *value = integer;
        return HX_S_OK;
    }
    HXRESULT put_AsInteger(int32_t value) noexcept override {
        integer = value;
        return HX_S_OK;
    }
    HXRESULT get_AsDateTime(HXDATE* value) noexcept override {
        *value = dateTime;
        return HX_S_OK;
    }
    HXRESULT put_AsDateTime(HXDATE value) noexcept override {
        dateTime = value;
        return HX_S_OK;
    }
    HXRESULT get_AsDouble(double* value) noexcept override {
        *value = dateTime;
        return HX_S_OK;
    }
    HX_STUB(put_AsDouble(double))
    HXRESULT get_AsBoolean(HXBOOL* value) noexcept override {
        *value = flag;
        return HX_S_OK;
    }
    HXRESULT put_AsBoolean(HXBOOL value) noexcept override {
        flag = value;
        return HX_S_OK;
    }
    HX_STUB(get_AsPropertyList(IHXPropertyList**))
    /// Fails as a program's member does: an error description and a null out parameter.
    HXRESULT get_AsValueList(IHXPropertyValueList** value) noexcept override {
        *value = nullptr;
        HXSetErrorInfo(u"Property", u"not a value list");
        return HX_E_FAIL;
    }
};

/// Holds one property under a name; Items takes the name.
class TestPropertyList final : public Counted<IHXPropertyList> {
public:
    TestPropertyList() : property(new TestProperty) {}
    std::u16string name = u"Colour";
    IHXProperty* property;

    HXRESULT get_Count(int32_t* value) noexcept override {
        *value = 1;
        return HX_S_OK;
    }
    HX_STUB(get_Changed(int32_t*))
    HXRESULT get_Items(HXBSTR itemName, IHXProperty** value) noexcept override {
        *value = nullptr;
        if (Text(itemName) != name)
            return HX_E_INVALIDARG;
        property->AddRef();
        *value = property;
        return HX_S_OK;
    }
    HXRESULT put_Items(HXBSTR itemName, IHXProperty* value) noexcept override {
        if (!value)
            return HX_E_POINTER;
        value->AddRef();
        property->Release();
        property = value;
        name = Text(itemName);
        return HX_S_OK;
    }
    HX_STUB(Find(HXBSTR, IHXProperty**))

protected:
    ~TestPropertyList() override { property->Release(); }
};

/// Two properties; Items takes the index.
class TestValueList final : public Counted<IHXPropertyValueList> {
public:
    TestValueList() {
        for (auto*& item : items)
            item = new TestProperty;
    }
    TestProperty* items[2];

    HXRESULT get_Count(int32_t* value) noexcept override {
        *value = 2;
        return HX_S_OK;
    }
    HX_STUB(AddItem(IHXProperty**))
    HXRESULT get_Items(int32_t index, IHXProperty** value) noexcept override {
        *value = nullptr;
        if (index < 0 || index > 1)
            return HX_E_INVALIDARG;
        items[index]->AddRef();
        *value = items[index];
        return HX_S_OK;
    }

protected:
    ~TestValueList() override {
        for (auto* item : items)
            item->Release();
    }
};

class TestActivity final : public Counted<IHXActivity> {
public:
    HXRESULT get_Name(HXBSTR* value) noexcept override {
        *value = HXSysAllocString(u"Found");
        return HX_S_OK;
    }
    HX_STUB(put_Name(HXBSTR))
    HX_STUB(get_Values(IHXPropertyList**))
    HX_STUB(get_ID(HXBSTR*))
    HX_STUB(get_InstanceCount(int32_t*))
    HX_STUB(put_InstanceCount(int32_t))
    HX_STUB(get_IsBreak(HXBOOL*))
    HX_STUB(put_IsBreak(HXBOOL))
    HX_STUB(get_IsReadOnly(HXBOOL*))
    HX_STUB(get_Childs(IHXActivityList**))
    HX_STUB(get_TempStorage(IHXPropertyList**))
};

class TestTree final : public Counted<IHXActivityTree> {
public:
    HX_STUB(get_Childs(IHXActivityList**))
    HX_STUB(Assign_(IHXActivityTree*))
    HX_STUB(get_SourcesCount(int32_t*))
    HX_STUB(get_Sources(int32_t, IHXActivitySource**))
    HX_STUB(get_LocalSource(IHXActivitySource**))
};

class TestLocator final : public Counted<IHXActivityLocator> {
public:
    IHXActivityTree* treeSeen = nullptr;

    HX_STUB(get_IsBreak(HXBOOL*))
    HX_STUB(put_IsBreak(HXBOOL))
    HXRESULT Eq(IHXActivityLocator* other, HXBOOL* result) noexcept override {
        *result = other == this ? HX_TRUE : HX_FALSE;
        return HX_S_OK;
    }
    /// Finds the activity only in a tree.
    HXRESULT FindActivity(IHXActivityTree* tree, IHXActivity** activity,
                          TLocatorRelevance* relevance) noexcept override {
        treeSeen = tree;
        *activity = tree ? new TestActivity : nullptr;
        *relevance = tree ? 3 : 0;
        return HX_S_OK;
    }
    HX_STUB(GetActivityName(IHXActivityTree*, HXBSTR*))
    HX_STUB(GetActivityPathName(IHXActivityTree*, HXBSTR*))
    HX_STUB(SetActivity(IHXActivity*))
    HX_STUB(AddParentActivity(HXBSTR))
    HX_STUB(Assign_(IHXActivityLocator*))
};

/// Records which member ran.
class TestActivityEntry final : public Counted<IHXActivityEntry> {
public:
    std::vector<std::string> calls;
    HXDATE start = 0, end = 0, duration = 0;

    HX_STUB(get_Changed(HXBOOL*))
    HX_STUB(get_Date(HXDATE*))
    HX_STUB(put_Date(HXDATE))
    HX_STUB(get_EndTime(HXDATE*))
    HX_STUB(get_StartTime(HXDATE*))
    HX_STUB(CompareDateTime(IHXEntry*, int32_t*))
    HXRESULT get_Duration(HXDATE* value) noexcept override {
        calls.push_back("get_Duration");
        *value = duration;
        return HX_S_OK;
    }
    HXRESULT put_Duration(HXDATE value) noexcept override {
        calls.push_back("put_Duration");
        duration = value;
        return HX_S_OK;
    }
    HXRESULT get_Locator(IHXActivityLocator** value) noexcept override {
        calls.push_back("get_Locator");
        *value = new TestLocator;
        return HX_S_OK;
    }
    HXRESULT CalculateDuration() noexcept override {
        calls.push_back("CalculateDuration");
        duration = end - start;
        return HX_S_OK;
    }
    HXRESULT SetTime(HXDATE startTime, HXDATE endTime) noexcept override {
        calls.push_back("SetTime");
        start = startTime;
        end = endTime;
        return HX_S_OK;
    }
};

/// The storage's three out parameters.
class TestStorage final : public Counted<IHXStorage> {
public:
    HX_STUB(get_Changed(HXBOOL*))
    HX_STUB(get_Info(IHXStorageInfo**))
    HX_STUB(ClearCache())
    HX_STUB(GetDayEntries(HXDATE, HXBSTR, IHXDayEntryList**))
    HX_STUB(GetExistingMaxDate(HXDATE*, HXBOOL*))
    HX_STUB(GetExistingMinDate(HXDATE*, HXBOOL*))
    HXRESULT GetExistingMinMaxDate(HXDATE* min, HXDATE* max, HXBOOL* hasData) noexcept override {
        *min = 38000.5;
        *max = 38100.25;
        *hasData = HX_TRUE;
        return HX_S_OK;
    }
    HX_STUB(Save())
};

/// A variant that clears itself.
struct Variant : HXVARIANT {
    Variant() { HXVariantInit(this); }
    ~Variant() { HXVariantClear(this); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    static void String(HXVARIANT& v, const char16_t* text) {
        v.vt = HX_VT_BSTR;
        v.value.bstrVal = HXSysAllocString(text);
    }
    static void Integer(HXVARIANT& v, int32_t i) {
        v.vt = HX_VT_I4;
        v.value.lVal = i;
    }
    static void Double(HXVARIANT& v, uint16_t vt, double d) {
        v.vt = vt;
        v.value.dblVal = d;
    }
    static void Object(HXVARIANT& v, IHXDispatch* object) {
        object->AddRef();
        v.vt = HX_VT_DISPATCH;
        v.value.punkVal = object;
    }
};

/// Arguments that clear themselves.
template <size_t N> struct Arguments {
    HXVARIANT v[N];
    Arguments() {
        for (auto& a : v)
            HXVariantInit(&a);
    }
    ~Arguments() {
        for (auto& a : v)
            HXVariantClear(&a);
    }
};

class SdkDispatch : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(g_liveObjects, 0) << "a reference was not given back"; }

    static int32_t DispId(IHXDispatch* object, const char16_t* name) {
        int32_t id = -2;
        const char16_t* names[] = {name};
        EXPECT_EQ(object->GetIDsOfNames(names, 1, &id), HX_S_OK) << std::string(name, name + 1);
        return id;
    }
};

TEST_F(SdkDispatch, ReaderAndWriterSharingAnIdAreChosenByTheFlag) {
    auto* property = new TestProperty;
    const int32_t asString = DispId(property, u"asstring");
    ASSERT_EQ(asString, 202);

    Arguments<1> put;
    Variant::String(put.v[0], u"Blue");
    EXPECT_EQ(property->Invoke(asString, HX_DISPATCH_PROPERTYPUT, put.v, 1, nullptr), HX_S_OK);
    EXPECT_EQ(property->text, u"Blue");

    Variant got;
    EXPECT_EQ(property->Invoke(asString, HX_DISPATCH_PROPERTYGET, nullptr, 0, &got), HX_S_OK);
    ASSERT_EQ(got.vt, HX_VT_BSTR);
    EXPECT_EQ(Text(got.value.bstrVal), u"Blue");

    // Readers and methods may be asked for together, as scripting hosts do.
    Variant again;
    EXPECT_EQ(property->Invoke(asString, HX_DISPATCH_METHOD | HX_DISPATCH_PROPERTYGET, nullptr, 0, &again), HX_S_OK);
    EXPECT_EQ(again.vt, HX_VT_BSTR);
    property->Release();
}

TEST_F(SdkDispatch, ValuesConvertToTheParameterAndResultsCarryTheirType) {
    auto* property = new TestProperty;
    struct Case {
        const char* what;
        int32_t dispid;
        void (*argument)(HXVARIANT&);
        uint16_t resultType;
        double resultValue;
    };
    const Case cases[] = {
        {"integer from I4", 203, [](HXVARIANT& v) { Variant::Integer(v, -7); }, HX_VT_I4, -7},
        {"integer from a whole R8", 203, [](HXVARIANT& v) { Variant::Double(v, HX_VT_R8, 12.0); }, HX_VT_I4, 12},
        {"date from DATE", 204, [](HXVARIANT& v) { Variant::Double(v, HX_VT_DATE, 38790.75); }, HX_VT_DATE, 38790.75},
        {"date from I4", 204, [](HXVARIANT& v) { Variant::Integer(v, 38790); }, HX_VT_DATE, 38790},
        {"boolean from BOOL", 206,
         [](HXVARIANT& v) {
             v.vt = HX_VT_BOOL;
             v.value.boolVal = HX_TRUE;
         },
         HX_VT_BOOL, HX_TRUE},
        {"boolean from I4", 206, [](HXVARIANT& v) { Variant::Integer(v, 5); }, HX_VT_BOOL, HX_TRUE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Arguments<1> put;
        c.argument(put.v[0]);
        ASSERT_EQ(property->Invoke(c.dispid, HX_DISPATCH_PROPERTYPUT, put.v, 1, nullptr), HX_S_OK);
        Variant got;
        ASSERT_EQ(property->Invoke(c.dispid, HX_DISPATCH_PROPERTYGET, nullptr, 0, &got), HX_S_OK);
        EXPECT_EQ(got.vt, c.resultType);
        if (got.vt == HX_VT_I4)
            EXPECT_EQ(got.value.lVal, c.resultValue);
        else if (got.vt == HX_VT_BOOL)
            EXPECT_EQ(got.value.boolVal, c.resultValue);
        else
            EXPECT_EQ(got.value.dblVal, c.resultValue);
    }

    // A double stays a double; a constant is an integer; a reference is read through.
    Variant asDouble;
    EXPECT_EQ(property->Invoke(205, HX_DISPATCH_PROPERTYGET, nullptr, 0, &asDouble), HX_S_OK);
    EXPECT_EQ(asDouble.vt, HX_VT_R8);
    Variant dataType;
    EXPECT_EQ(property->Invoke(201, HX_DISPATCH_PROPERTYGET, nullptr, 0, &dataType), HX_S_OK);
    EXPECT_EQ(dataType.vt, HX_VT_I4);
    EXPECT_EQ(dataType.value.lVal, hxpdtString);
    int32_t referenced = 41;
    HXVARIANT byReference;
    HXVariantInit(&byReference);
    byReference.vt = HX_VT_I4 | HX_VT_BYREF;
    byReference.value.byref = &referenced;
    EXPECT_EQ(property->Invoke(203, HX_DISPATCH_PROPERTYPUT, &byReference, 1, nullptr), HX_S_OK);
    EXPECT_EQ(property->integer, 41);
    property->Release();
}

TEST_F(SdkDispatch, TheDefaultMemberTakesANameOrAnIndex) {
    auto* list = new TestPropertyList;
    ASSERT_EQ(DispId(list, u"Items"), 0);
    {
        Arguments<1> name;
        Variant::String(name.v[0], u"Colour");
        Variant item;
        ASSERT_EQ(list->Invoke(0, HX_DISPATCH_PROPERTYGET, name.v, 1, &item), HX_S_OK);
        ASSERT_EQ(item.vt, HX_VT_DISPATCH);
        EXPECT_EQ(item.value.punkVal, static_cast<IHXDispatch*>(list->property)) << "the property itself";
    }
    {
        // The writer takes the name, then the value: an interface queried from the variant.
        auto* replacement = new TestProperty;
        Arguments<2> put;
        Variant::String(put.v[0], u"Size");
        Variant::Object(put.v[1], replacement);
        EXPECT_EQ(list->Invoke(0, HX_DISPATCH_PROPERTYPUT, put.v, 2, nullptr), HX_S_OK);
        EXPECT_EQ(list->property, replacement);
        EXPECT_EQ(list->name, u"Size");
        replacement->Release();
    }
    list->Release();

    auto* values = new TestValueList;
    for (int32_t index : {0, 1}) {
        Arguments<1> at;
        Variant::Integer(at.v[0], index);
        Variant item;
        ASSERT_EQ(values->Invoke(0, HX_DISPATCH_PROPERTYGET, at.v, 1, &item), HX_S_OK);
        ASSERT_EQ(item.vt, HX_VT_DISPATCH);
        EXPECT_EQ(item.value.punkVal, static_cast<IHXDispatch*>(values->items[index]));
    }
    values->Release();
}

TEST_F(SdkDispatch, AnInterfaceArgumentAndTwoOutParameters) {
    auto* locator = new TestLocator;
    auto* tree = new TestTree;
    {
        Arguments<1> self;
        Variant::Object(self.v[0], locator);
        Variant equal;
        ASSERT_EQ(locator->Invoke(DispId(locator, u"Eq"), HX_DISPATCH_METHOD, self.v, 1, &equal), HX_S_OK);
        EXPECT_EQ(equal.vt, HX_VT_BOOL);
        EXPECT_EQ(equal.value.boolVal, HX_TRUE);
    }
    {
        // The activity comes back in the second argument, the relevance as the result.
        Arguments<2> find;
        Variant::Object(find.v[0], tree);
        Variant::Integer(find.v[1], 99); // overwritten
        Variant relevance;
        ASSERT_EQ(locator->Invoke(203, HX_DISPATCH_METHOD, find.v, 2, &relevance), HX_S_OK);
        EXPECT_EQ(locator->treeSeen, static_cast<IHXActivityTree*>(tree));
        EXPECT_EQ(relevance.vt, HX_VT_I4);
        EXPECT_EQ(relevance.value.lVal, 3);
        ASSERT_EQ(find.v[1].vt, HX_VT_DISPATCH);
        auto* activity = static_cast<IHXDispatch*>(find.v[1].value.punkVal);
        ASSERT_NE(activity, nullptr);
        Variant name;
        ASSERT_EQ(activity->Invoke(DispId(activity, u"name"), HX_DISPATCH_PROPERTYGET, nullptr, 0, &name), HX_S_OK);
        EXPECT_EQ(Text(name.value.bstrVal), u"Found");
    }
    {
        // Without a tree (an empty variant is null) there is no activity: a null dispatch.
        Arguments<2> find;
        Variant relevance;
        ASSERT_EQ(locator->Invoke(203, HX_DISPATCH_METHOD, find.v, 2, &relevance), HX_S_OK);
        EXPECT_EQ(find.v[1].vt, HX_VT_DISPATCH);
        EXPECT_EQ(find.v[1].value.punkVal, nullptr);
        EXPECT_EQ(relevance.value.lVal, 0);
    }
    {
        // Without a result variant, the result is given back all the same.
        Arguments<2> find;
        Variant::Object(find.v[0], tree);
        EXPECT_EQ(locator->Invoke(203, HX_DISPATCH_METHOD, find.v, 2, nullptr), HX_S_OK);
    }
    tree->Release();
    locator->Release();

    auto* storage = new TestStorage;
    Arguments<2> range;
    Variant hasData;
    ASSERT_EQ(storage->Invoke(DispId(storage, u"GetExistingMinMaxDate"), HX_DISPATCH_METHOD, range.v, 2, &hasData),
              HX_S_OK);
    EXPECT_EQ(range.v[0].vt, HX_VT_DATE);
    EXPECT_EQ(range.v[0].value.date, 38000.5);
    EXPECT_EQ(range.v[1].vt, HX_VT_DATE);
    EXPECT_EQ(range.v[1].value.date, 38100.25);
    EXPECT_EQ(hasData.vt, HX_VT_BOOL);
    EXPECT_EQ(hasData.value.boolVal, HX_TRUE);
    storage->Release();
}

TEST_F(SdkDispatch, IdsOutOfSlotOrderReachTheirMembers) {
    auto* entry = new TestActivityEntry;
    Arguments<2> times;
    Variant::Double(times.v[0], HX_VT_DATE, 38790.25);
    Variant::Double(times.v[1], HX_VT_DATE, 38790.5);
    EXPECT_EQ(entry->Invoke(206, HX_DISPATCH_METHOD, times.v, 2, nullptr), HX_S_OK);
    EXPECT_EQ(entry->Invoke(208, HX_DISPATCH_METHOD, nullptr, 0, nullptr), HX_S_OK);
    Variant duration;
    EXPECT_EQ(entry->Invoke(209, HX_DISPATCH_PROPERTYGET, nullptr, 0, &duration), HX_S_OK);
    Variant locator;
    EXPECT_EQ(entry->Invoke(207, HX_DISPATCH_PROPERTYGET, nullptr, 0, &locator), HX_S_OK);

    EXPECT_EQ(entry->calls, (std::vector<std::string>{"SetTime", "CalculateDuration", "get_Duration", "get_Locator"}));
    EXPECT_EQ(entry->start, 38790.25);
    EXPECT_EQ(duration.vt, HX_VT_DATE);
    EXPECT_EQ(duration.value.date, 0.25);
    EXPECT_EQ(locator.vt, HX_VT_DISPATCH);
    EXPECT_NE(locator.value.punkVal, nullptr);
    EXPECT_EQ(DispId(entry, u"Duration"), 209);
    entry->Release();
}

TEST_F(SdkDispatch, WhatDoesNotFitIsRefusedAndNothingIsCalled) {
    auto* property = new TestProperty;
    property->text = u"kept";
    auto* tree = new TestTree;
    struct Case {
        const char* what;
        int32_t dispid;
        uint16_t flags;
        uint32_t argc;
        void (*argument)(HXVARIANT&, IHXDispatch*);
        HXRESULT expected;
        const char16_t* description;
    };
    const auto none = [](HXVARIANT&, IHXDispatch*) {};
    const Case cases[] = {
        {"unknown id", 999, HX_DISPATCH_METHOD, 0, none, HX_DISP_E_MEMBERNOTFOUND,
         u"no member with the dispatch id 999 for this call"},
        {"writer of a read-only property", 201, HX_DISPATCH_PROPERTYPUT, 1, none, HX_DISP_E_MEMBERNOTFOUND,
         u"no member with the dispatch id 201 for this call"},
        {"a property called with no flag", 202, 0, 0, none, HX_DISP_E_MEMBERNOTFOUND,
         u"no member with the dispatch id 202 for this call"},
        {"reader with an argument", 202, HX_DISPATCH_PROPERTYGET, 1, none, HX_DISP_E_BADPARAMCOUNT,
         u"AsString: wrong number of arguments (0 expected, 1 given)"},
        {"writer without its value", 202, HX_DISPATCH_PROPERTYPUT, 0, none, HX_DISP_E_BADPARAMCOUNT,
         u"AsString: wrong number of arguments (1 expected, 0 given)"},
        {"text for an integer", 203, HX_DISPATCH_PROPERTYPUT, 1,
         [](HXVARIANT& v, IHXDispatch*) { Variant::String(v, u"12"); }, HX_DISP_E_TYPEMISMATCH,
         u"AsInteger: argument 1 has a type that cannot be converted"},
        {"a fraction for an integer", 203, HX_DISPATCH_PROPERTYPUT, 1,
         [](HXVARIANT& v, IHXDispatch*) { Variant::Double(v, HX_VT_R8, 1.5); }, HX_DISP_E_TYPEMISMATCH,
         u"AsInteger: argument 1 has a type that cannot be converted"},
        {"too large for an integer", 203, HX_DISPATCH_PROPERTYPUT, 1,
         [](HXVARIANT& v, IHXDispatch*) { Variant::Double(v, HX_VT_R8, 3e9); }, HX_DISP_E_TYPEMISMATCH,
         u"AsInteger: argument 1 has a type that cannot be converted"},
        {"an integer for text", 202, HX_DISPATCH_PROPERTYPUT, 1,
         [](HXVARIANT& v, IHXDispatch*) { Variant::Integer(v, 1); }, HX_DISP_E_TYPEMISMATCH,
         u"AsString: argument 1 has a type that cannot be converted"},
        {"nothing for a number", 204, HX_DISPATCH_PROPERTYPUT, 1, none, HX_DISP_E_TYPEMISMATCH,
         u"AsDateTime: argument 1 has a type that cannot be converted"},
        {"an object for a boolean", 206, HX_DISPATCH_PROPERTYPUT, 1,
         [](HXVARIANT& v, IHXDispatch* object) { Variant::Object(v, object); }, HX_DISP_E_TYPEMISMATCH,
         u"AsBoolean: argument 1 has a type that cannot be converted"},
        {"a null reference", 203, HX_DISPATCH_PROPERTYPUT, 1,
         [](HXVARIANT& v, IHXDispatch*) { v.vt = HX_VT_I4 | HX_VT_BYREF; }, HX_DISP_E_TYPEMISMATCH,
         u"AsInteger: argument 1 has a type that cannot be converted"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Arguments<1> args;
        c.argument(args.v[0], tree);
        Variant result;
        EXPECT_EQ(property->Invoke(c.dispid, c.flags, args.v, c.argc, &result), c.expected);
        EXPECT_EQ(result.vt, HX_VT_EMPTY);
        HXBSTR source = nullptr, description = nullptr;
        EXPECT_EQ(HXGetErrorInfo(&source, &description), HX_S_OK);
        EXPECT_EQ(Text(description), c.description);
        HXSysFreeString(source);
        HXSysFreeString(description);
    }
    EXPECT_EQ(property->text, u"kept");
    EXPECT_EQ(property->integer, 0);
    EXPECT_EQ(property->Invoke(202, HX_DISPATCH_PROPERTYPUT, nullptr, 1, nullptr), HX_E_POINTER);

    // A reference where an out parameter is given back in place: refused, not silently left unwritten.
    auto* storage = new TestStorage;
    double min = 0;
    Arguments<2> range;
    range.v[0].vt = HX_VT_DATE | HX_VT_BYREF;
    range.v[0].value.byref = &min;
    EXPECT_EQ(storage->Invoke(207, HX_DISPATCH_METHOD, range.v, 2, nullptr), HX_DISP_E_TYPEMISMATCH);
    storage->Release();

    // An object of another kind where an interface is expected: refused by its query.
    auto* locator = new TestLocator;
    Arguments<2> find;
    Variant::Object(find.v[0], property);
    EXPECT_EQ(locator->Invoke(203, HX_DISPATCH_METHOD, find.v, 2, nullptr), HX_DISP_E_TYPEMISMATCH);
    EXPECT_EQ(locator->treeSeen, nullptr);
    locator->Release();
    tree->Release();

    // A failing member returns its own result and description; no result is set.
    Variant none2;
    EXPECT_EQ(property->Invoke(208, HX_DISPATCH_PROPERTYGET, nullptr, 0, &none2), HX_E_FAIL);
    EXPECT_EQ(none2.vt, HX_VT_EMPTY);
    HXBSTR source = nullptr, description = nullptr;
    EXPECT_EQ(HXGetErrorInfo(&source, &description), HX_S_OK);
    EXPECT_EQ(Text(description), u"not a value list");
    HXSysFreeString(source);
    HXSysFreeString(description);
    property->Release();
}

} // namespace
