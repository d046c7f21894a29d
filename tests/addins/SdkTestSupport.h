#pragma once

// What the tests of the companions share: a holder that releases an SDK reference, and the error
// description a failing member left in the thread's error info.

#include <HoraluxSDK.h>
#include <QString>

/// Holds one reference of an SDK object and releases it.
template <typename T> class SdkRef {
public:
    SdkRef() = default;
    explicit SdkRef(T* object) : m_object(object) {}
    ~SdkRef() { Reset(); }
    SdkRef(const SdkRef&) = delete;
    SdkRef& operator=(const SdkRef&) = delete;

    T* get() const { return m_object; }
    T* operator->() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }
    /// For an out parameter: releases what is held and hands out the slot.
    T** Out() {
        Reset();
        return &m_object;
    }
    void Reset() {
        if (m_object)
            m_object->Release();
        m_object = nullptr;
    }

private:
    T* m_object = nullptr;
};

/// The interface Target of object (a new reference), or null.
template <typename Target> Target* Query(HoraluxSDK::IHXUnknown* object) {
    void* result = nullptr;
    if (!object || object->QueryInterface(Target::IID, &result) != HX_S_OK)
        return nullptr;
    return static_cast<Target*>(result);
}

/// The description the last failing member left (and the info cleared).
inline QString TakeErrorDescription() {
    HXBSTR source = nullptr;
    HXBSTR description = nullptr;
    HXGetErrorInfo(&source, &description);
    const QString text = description ? QString::fromUtf16(description) : QString();
    HXSysFreeString(source);
    HXSysFreeString(description);
    return text;
}

inline HXBSTR NewHXText(const QString& text) {
    return HXSysAllocString(reinterpret_cast<const char16_t*>(text.utf16()));
}
