#pragma once

// What tests that act as an add-in use: references to SDK objects that release themselves, texts
// in the SDK's string form, and the error description a failed member left.

#include <HoraluxSDK.h>
#include <QString>
#include <utility>

/// Holds one reference to an SDK object and releases it at the end.
template <typename T> class HXRef {
public:
    HXRef() = default;
    explicit HXRef(T* object) : m_object(object) {}
    HXRef(HXRef&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
    HXRef& operator=(HXRef&& other) noexcept {
        if (this != &other) {
            Reset();
            m_object = std::exchange(other.m_object, nullptr);
        }
        return *this;
    }
    HXRef(const HXRef&) = delete;
    HXRef& operator=(const HXRef&) = delete;
    ~HXRef() { Reset(); }

    /// For an out parameter: the old reference is released first.
    T** Out() {
        Reset();
        return &m_object;
    }
    T* get() const { return m_object; }
    T* operator->() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }
    void Reset() {
        if (m_object)
            m_object->Release();
        m_object = nullptr;
    }

private:
    T* m_object = nullptr;
};

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
