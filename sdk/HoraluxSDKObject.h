#pragma once

// A base for the objects an add-in implements: reference counting, QueryInterface over the listed
// interfaces, and the dispatch members (GetIDsOfNames, Invoke) answered from the first interface's
// member and thunk tables (HoraluxSDKDispatch.h): late binding reaches the members of the first
// interface. Derive, list the interfaces, implement their members.
//
//   class MyAddIn final : public HoraluxSDK::HXObject<HoraluxSDK::IHXAddIn> { ... };
//   auto* addIn = new MyAddIn; // one reference for the creator

#include "HoraluxSDK.h"
#include "HoraluxSDKDispatch.h"

#include <atomic>

namespace HoraluxSDK {

template <typename First, typename... Others> class HXObject : public First, public Others... {
public:
    HXObject() = default;
    HXObject(const HXObject&) = delete;
    HXObject& operator=(const HXObject&) = delete;

    HXRESULT QueryInterface(const HXGUID& iid, void** object) noexcept override {
        if (!object)
            return HX_E_POINTER;
        *object = nullptr;
        if (HXEqualGuid(iid, IHXUnknown::IID) || HXEqualGuid(iid, IHXDispatch::IID) || HXEqualGuid(iid, First::IID))
            *object = static_cast<First*>(this);
        ((HXEqualGuid(iid, Others::IID) ? (void)(*object = static_cast<Others*>(this)) : (void)0), ...);
        if (!*object)
            return HX_E_NOINTERFACE;
        AddRef();
        return HX_S_OK;
    }
    uint32_t AddRef() noexcept override { return ++m_references; }
    uint32_t Release() noexcept override {
        const uint32_t left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }
    HXRESULT GetTypeInfoCount(uint32_t* count) noexcept override {
        if (!count)
            return HX_E_POINTER;
        *count = 0;
        return HX_S_OK;
    }
    HXRESULT GetTypeInfo(uint32_t, void** typeInfo) noexcept override {
        if (typeInfo)
            *typeInfo = nullptr;
        return HX_E_NOTIMPL;
    }
    HXRESULT GetIDsOfNames(const char16_t* const* names, uint32_t count, int32_t* dispids) noexcept override {
        if (!names || !dispids)
            return HX_E_POINTER;
        HXRESULT result = HX_S_OK;
        for (uint32_t i = 0; i < count; ++i)
            if ((dispids[i] = names[i] ? HXFindDispId(First::Members, names[i]) : -1) == -1)
                result = HX_DISP_E_UNKNOWNNAME;
        return result;
    }
    HXRESULT Invoke(int32_t dispid, uint16_t flags, HXVARIANT* args, uint32_t argc,
                    HXVARIANT* result) noexcept override {
        return HXDispatchInvoke<First>(this, dispid, flags, args, argc, result);
    }

protected:
    virtual ~HXObject() = default;

private:
    std::atomic<uint32_t> m_references{1};
};

/// Holds one reference and releases it at the end of its scope. &ref (or ref.Out(), which first
/// releases what it held) is the place for an out parameter.
template <typename T> class HXRef {
public:
    HXRef() = default;
    /// Takes over the reference the caller holds.
    explicit HXRef(T* object) : p(object) {}
    HXRef(HXRef&& other) noexcept : p(other.p) { other.p = nullptr; }
    HXRef& operator=(HXRef&& other) noexcept {
        if (&other.p != &p) { // not &other: operator& is the out parameter
            Reset();
            p = other.p;
            other.p = nullptr;
        }
        return *this;
    }
    HXRef(const HXRef&) = delete;
    HXRef& operator=(const HXRef&) = delete;
    ~HXRef() { Reset(); }

    T** operator&() { return &p; }
    T** Out() {
        Reset();
        return &p;
    }
    T* operator->() const { return p; }
    T* get() const { return p; }
    explicit operator bool() const { return p != nullptr; }
    void Reset() {
        if (p)
            p->Release();
        p = nullptr;
    }

private:
    T* p = nullptr;
};

/// Frees a string at the end of its scope.
class HXString {
public:
    explicit HXString(const char16_t* text = nullptr) : s(HXSysAllocString(text)) {}
    ~HXString() { HXSysFreeString(s); }
    HXString(const HXString&) = delete;
    HXString& operator=(const HXString&) = delete;
    HXBSTR* operator&() { return &s; }
    HXBSTR get() const { return s; }

private:
    HXBSTR s = nullptr;
};

} // namespace HoraluxSDK
