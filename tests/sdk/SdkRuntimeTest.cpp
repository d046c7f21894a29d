// The SDK runtime library: its strings, the error description of each thread, variants, and the
// creation of the SDK's classes through the creator a host program installs.

#include "HoraluxSDK.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <thread>

using namespace HoraluxSDK;

namespace {

std::u16string Text(HXBSTR s) {
    return std::u16string(s ? s : u"", HXSysStringLen(s));
}

TEST(SdkRuntime, StringsCarryTheirByteCountAndAClosingNul) {
    HXBSTR s = HXSysAllocString(u"Stunde");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(HXSysStringLen(s), 6u);
    uint32_t bytes = 0;
    std::memcpy(&bytes, reinterpret_cast<unsigned char*>(s) - 4, 4);
    EXPECT_EQ(bytes, 12u);
    EXPECT_EQ(s[6], u'\0');
    HXSysFreeString(s);

    // Embedded NULs count; null is the empty string.
    HXBSTR withNul = HXSysAllocStringLen(u"a\0b", 3);
    EXPECT_EQ(HXSysStringLen(withNul), 3u);
    HXSysFreeString(withNul);
    EXPECT_EQ(HXSysAllocString(nullptr), nullptr);
    EXPECT_EQ(HXSysStringLen(nullptr), 0u);
    HXSysFreeString(nullptr);
}

TEST(SdkRuntime, Utf8TextBecomesUtf16OrIsRefused) {
    struct Case {
        const char* utf8;
        std::u16string expected;
        bool valid;
    };
    const Case cases[] = {
        {"Pause", u"Pause", true},
        {"Gr\xC3\xBC\xC3\x9F"
         "e",
         u"Grüße", true},
        {"\xF0\x9F\x95\x90", u"\U0001F550", true},
        {"\xC3", u"", false},     // cut off in the middle of a character
        {"a\x80z", u"", false},   // a continuation byte alone
        {"\xE2\x82", u"", false}, // cut off
    };
    for (const Case& c : cases) {
        HXBSTR s = HXSysAllocStringUtf8(c.utf8, static_cast<uint32_t>(std::strlen(c.utf8)));
        if (c.valid) {
            ASSERT_NE(s, nullptr) << c.utf8;
            EXPECT_TRUE(Text(s) == c.expected) << c.utf8;
        } else {
            EXPECT_EQ(s, nullptr) << c.utf8;
        }
        HXSysFreeString(s);
    }
}

TEST(SdkRuntime, ErrorInfoIsTakenOnceAndBelongsToItsThread) {
    HXClearErrorInfo();
    HXBSTR source = nullptr;
    HXBSTR description = nullptr;
    EXPECT_EQ(HXGetErrorInfo(&source, &description), HX_S_FALSE);
    EXPECT_EQ(source, nullptr);
    EXPECT_EQ(description, nullptr);

    ASSERT_EQ(HXSetErrorInfo(u"EVRNException", u"the storage is read-only"), HX_S_OK);
    std::thread other([] {
        HXBSTR s = nullptr;
        HXBSTR d = nullptr;
        EXPECT_EQ(HXGetErrorInfo(&s, &d), HX_S_FALSE) << "another thread sees nothing";
    });
    other.join();
    ASSERT_EQ(HXGetErrorInfo(&source, &description), HX_S_OK);
    EXPECT_TRUE(Text(source) == u"EVRNException");
    EXPECT_TRUE(Text(description) == u"the storage is read-only");
    HXSysFreeString(source);
    HXSysFreeString(description);
    EXPECT_EQ(HXGetErrorInfo(&source, &description), HX_S_FALSE) << "taken once";
    EXPECT_EQ(HXGetErrorInfo(nullptr, &description), HX_E_POINTER);
}

/// Counts its references.
class Counted : public IHXUnknown {
public:
    HXRESULT QueryInterface(const HXGUID&, void** object) noexcept override {
        *object = nullptr;
        return HX_E_NOINTERFACE;
    }
    uint32_t AddRef() noexcept override { return ++references; }
    uint32_t Release() noexcept override { return --references; }
    uint32_t references = 1;
};

TEST(SdkRuntime, VariantClearFreesStringsAndReleasesObjects) {
    HXVARIANT v;
    HXVariantInit(&v);
    EXPECT_EQ(v.vt, HX_VT_EMPTY);
    v.vt = HX_VT_BSTR;
    v.value.bstrVal = HXSysAllocString(u"freed under the address checker");
    EXPECT_EQ(HXVariantClear(&v), HX_S_OK);
    EXPECT_EQ(v.vt, HX_VT_EMPTY);

    Counted object;
    v.vt = HX_VT_UNKNOWN;
    v.value.punkVal = static_cast<IHXUnknown*>(&object);
    HXVariantClear(&v);
    EXPECT_EQ(object.references, 0u);
    EXPECT_EQ(HXVariantClear(nullptr), HX_E_POINTER);
}

/// The description the last failed call left (taken).
std::u16string TakeDescription() {
    HXBSTR source = nullptr;
    HXBSTR description = nullptr;
    HXGetErrorInfo(&source, &description);
    const std::u16string text = Text(description);
    HXSysFreeString(source);
    HXSysFreeString(description);
    return text;
}

/// A host's creator: answers the object below for the class Calendar, refuses every other one.
Counted g_created;
int g_creatorCalls = 0;
HXRESULT TestCreator(const HXGUID* classId, const HXGUID*, void** object) {
    ++g_creatorCalls;
    if (!HXEqualGuid(*classId, CLSID::Calendar))
        return HX_CLASS_E_CLASSNOTAVAILABLE;
    ++g_created.references;
    *object = static_cast<IHXUnknown*>(&g_created);
    return HX_S_OK;
}

TEST(SdkRuntime, CreatingAnInstanceNeedsTheHostsCreatorAndRefusesNullArguments) {
    void* object = &g_created;
    // A process without a host program: a clear failure, never a crash.
    ASSERT_EQ(HXSetInstanceCreator(nullptr), nullptr);
    EXPECT_EQ(HXCreateInstance(&CLSID::Calendar, &IHXUnknown::IID, &object), HX_REGDB_E_CLASSNOTREG);
    EXPECT_EQ(object, nullptr);
    EXPECT_TRUE(TakeDescription() == u"HXCreateInstance: no program has made its classes available in this process");

    ASSERT_EQ(HXSetInstanceCreator(&TestCreator), nullptr);
    struct NullCase {
        const HXGUID* classId;
        const HXGUID* interfaceId;
        bool objectPointer;
    };
    for (const NullCase& c : {NullCase{nullptr, &IHXUnknown::IID, true}, NullCase{&CLSID::Calendar, nullptr, true},
                              NullCase{&CLSID::Calendar, &IHXUnknown::IID, false}}) {
        object = &g_created;
        EXPECT_EQ(HXCreateInstance(c.classId, c.interfaceId, c.objectPointer ? &object : nullptr), HX_E_POINTER);
        EXPECT_EQ(object, c.objectPointer ? nullptr : &g_created);
        EXPECT_FALSE(TakeDescription().empty());
    }
    EXPECT_EQ(g_creatorCalls, 0) << "null arguments never reach the host";

    EXPECT_EQ(HXCreateInstance(&CLSID::Calendar, &IHXUnknown::IID, &object), HX_S_OK);
    EXPECT_EQ(object, static_cast<IHXUnknown*>(&g_created));
    EXPECT_EQ(g_created.references, 2u);
    g_created.Release();
    EXPECT_EQ(HXCreateInstance(&CLSID::Tools, &IHXUnknown::IID, &object), HX_CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr) << "cleared before the host is asked";
    EXPECT_EQ(g_creatorCalls, 2);

    EXPECT_EQ(HXSetInstanceCreator(nullptr), &TestCreator);
    EXPECT_EQ(HXCreateInstance(&CLSID::Calendar, &IHXUnknown::IID, &object), HX_REGDB_E_CLASSNOTREG);
}

} // namespace
