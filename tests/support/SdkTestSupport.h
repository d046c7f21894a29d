#pragma once

// What tests that act as an add-in use: references to SDK objects that release themselves, texts
// in the SDK's string form, and the error description a failed member left.

#include <HoraluxSDK.h>
#include <HoraluxSDKObject.h>
#include <QString>
#include <utility>

using HoraluxSDK::HXRef;

/// A string to hand to a member; freed at the end.
class HXText {
public:
    explicit HXText(const QString& text)
        : m_text(HXSysAllocStringLen(reinterpret_cast<const char16_t*>(text.utf16()),
                                     static_cast<uint32_t>(text.size()))) {}
    HXText(const HXText&) = delete;
    HXText& operator=(const HXText&) = delete;
    ~HXText() { HXSysFreeString(m_text); }
    operator HXBSTR() const { return m_text; }

private:
    HXBSTR m_text;
};

/// The text of a string received through an out parameter; the string is freed.
inline QString TakeText(HXBSTR& text) {
    const QString result = text ? QString::fromUtf16(text, HXSysStringLen(text)) : QString();
    HXSysFreeString(text);
    text = nullptr;
    return result;
}

/// The description the last failed member left (taken, so the next call starts clean).
inline QString TakeErrorDescription() {
    HXBSTR source = nullptr;
    HXBSTR description = nullptr;
    HXGetErrorInfo(&source, &description);
    TakeText(source);
    return TakeText(description);
}

/// The interface Target of object (a new reference), or null.
template <typename Target> Target* Query(HoraluxSDK::IHXUnknown* object) {
    void* result = nullptr;
    if (!object || object->QueryInterface(Target::IID, &result) != HX_S_OK)
        return nullptr;
    return static_cast<Target*>(result);
}

/// A new string of text for a member that takes it over.
inline HXBSTR NewHXText(const QString& text) {
    return HXSysAllocString(reinterpret_cast<const char16_t*>(text.utf16()));
}

/// An object of an add-in: answers its interface, counts references, does nothing else.
template <typename I> class AddInObject : public I {
public:
    HXRESULT QueryInterface(const HXGUID& iid, void** object) noexcept override {
        if (!object)
            return HX_E_POINTER;
        using namespace HoraluxSDK;
        if (HXEqualGuid(iid, IHXUnknown::IID) || HXEqualGuid(iid, IHXDispatch::IID) || HXEqualGuid(iid, I::IID)) {
            AddRef();
            *object = static_cast<I*>(this);
            return HX_S_OK;
        }
        *object = nullptr;
        return HX_E_NOINTERFACE;
    }
    uint32_t AddRef() noexcept override { return ++references; }
    uint32_t Release() noexcept override { return --references; }
    HXRESULT GetTypeInfoCount(uint32_t*) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT GetTypeInfo(uint32_t, void**) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT GetIDsOfNames(const char16_t* const*, uint32_t, int32_t*) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT Invoke(int32_t, uint16_t, HXVARIANT*, uint32_t, HXVARIANT*) noexcept override { return HX_E_NOTIMPL; }

    uint32_t references = 1;
};

/// Books, as an add-in would, an activity entry on a break from start to end (parts of a day)
/// into list; false when a member failed.
inline bool AddBreakEntry(HoraluxSDK::IHXDayEntryList* list, double start, double end) {
    using namespace HoraluxSDK;
    HXRef<IHXEntry> entry;
    if (list->AddNew(entry.Out()) != HX_S_OK || entry->SetTime(start, end) != HX_S_OK)
        return false;
    HXRef<IHXActivityEntry> activity(Query<IHXActivityEntry>(entry.get()));
    HXRef<IHXActivityLocator> locator;
    return activity && activity->CalculateDuration() == HX_S_OK && activity->get_Locator(locator.Out()) == HX_S_OK &&
           locator->put_IsBreak(HX_TRUE) == HX_S_OK;
}
