// The SDK runtime library: strings, the per-thread error description, variants, and the creation of
// the SDK's classes through the creator the host program installs. Written in C++ but
// exporting only C functions; it throws nothing and needs nothing but the C and C++ runtimes.

#include "HoraluxRuntime.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

/// The bytes before the characters hold the length in bytes.
struct StringHeader {
    uint32_t bytes;
};

/// The error description of this thread.
struct ErrorInfo {
    HXBSTR source = nullptr;
    HXBSTR description = nullptr;
    ~ErrorInfo() {
        HXSysFreeString(source);
        HXSysFreeString(description);
    }
};
thread_local ErrorInfo t_errorInfo;

uint32_t Length(const char16_t* text) {
    uint32_t n = 0;
    if (text)
        while (text[n])
            ++n;
    return n;
}

/// The host program's creator of the SDK's classes; none outside the program.
std::atomic<HXInstanceCreator> g_instanceCreator{nullptr};

/// Leaves source "HXCreateInstance" and the description, and returns result.
HXRESULT CreationFailure(HXRESULT result, const char16_t* description) {
    HXSetErrorInfo(u"HXCreateInstance", description);
    return result;
}

struct IUnknownSlots {
    void* query;
    void* addRef;
    uint32_t (*release)(void* self);
};

} // namespace

extern "C" {

HXBSTR HXSysAllocStringLen(const char16_t* text, uint32_t length) {
    if (length > (UINT32_MAX - sizeof(StringHeader) - sizeof(char16_t)) / sizeof(char16_t))
        return nullptr;
    const size_t bytes = size_t(length) * sizeof(char16_t);
    auto* block = static_cast<unsigned char*>(std::malloc(sizeof(StringHeader) + bytes + sizeof(char16_t)));
    if (!block)
        return nullptr;
    StringHeader header{uint32_t(bytes)};
    std::memcpy(block, &header, sizeof header);
    auto* chars = reinterpret_cast<char16_t*>(block + sizeof(StringHeader));
    if (text)
        std::memcpy(chars, text, bytes);
    else
        std::memset(chars, 0, bytes);
    chars[length] = 0;
    return chars;
}

HXBSTR HXSysAllocString(const char16_t* text) {
    if (!text)
        return nullptr;
    return HXSysAllocStringLen(text, Length(text));
}

HXBSTR HXSysAllocStringUtf8(const char* text, uint32_t length) {
    if (!text || length == 0)
        return nullptr;
    // At most one UTF-16 unit per byte.
    HXBSTR result = HXSysAllocStringLen(nullptr, length);
    if (!result)
        return nullptr;
    uint32_t out = 0;
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    for (uint32_t i = 0; i < length;) {
        uint32_t c = s[i];
        int more = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
        if (more < 0 || i + uint32_t(more) >= length + (more == 0 ? 1u : 0u)) {
            HXSysFreeString(result);
            return nullptr;
        }
        if (more > 0)
            c &= 0x3Fu >> more;
        for (int k = 1; k <= more; ++k) {
            if ((s[i + k] & 0xC0) != 0x80) {
                HXSysFreeString(result);
                return nullptr;
            }
            c = (c << 6) | (s[i + k] & 0x3F);
        }
        i += uint32_t(more) + 1;
        if (c >= 0x10000) {
            c -= 0x10000;
            result[out++] = char16_t(0xD800 + (c >> 10));
            result[out++] = char16_t(0xDC00 + (c & 0x3FF));
        } else {
            result[out++] = char16_t(c);
        }
    }
    result[out] = 0;
    StringHeader header{out * uint32_t(sizeof(char16_t))};
    std::memcpy(reinterpret_cast<unsigned char*>(result) - sizeof(StringHeader), &header, sizeof header);
    return result;
}

void HXSysFreeString(HXBSTR text) {
    if (text)
        std::free(reinterpret_cast<unsigned char*>(text) - sizeof(StringHeader));
}

uint32_t HXSysStringLen(HXBSTR text) {
    if (!text)
        return 0;
    StringHeader header;
    std::memcpy(&header, reinterpret_cast<unsigned char*>(text) - sizeof(StringHeader), sizeof header);
    return header.bytes / uint32_t(sizeof(char16_t));
}

HXRESULT HXSetErrorInfo(const char16_t* source, const char16_t* description) {
    HXClearErrorInfo();
    t_errorInfo.source = HXSysAllocString(source);
    t_errorInfo.description = HXSysAllocString(description);
    if ((source && *source && !t_errorInfo.source) || (description && *description && !t_errorInfo.description))
        return HX_E_OUTOFMEMORY;
    return HX_S_OK;
}

void HXClearErrorInfo(void) {
    HXSysFreeString(t_errorInfo.source);
    HXSysFreeString(t_errorInfo.description);
    t_errorInfo.source = nullptr;
    t_errorInfo.description = nullptr;
}

HXRESULT HXGetErrorInfo(HXBSTR* source, HXBSTR* description) {
    if (!source || !description)
        return HX_E_POINTER;
    const bool any = t_errorInfo.source || t_errorInfo.description;
    *source = t_errorInfo.source;
    *description = t_errorInfo.description;
    t_errorInfo.source = nullptr;
    t_errorInfo.description = nullptr;
    return any ? HX_S_OK : HX_S_FALSE;
}

HXRESULT HXCreateInstance(const HXGUID* classId, const HXGUID* interfaceId, void** object) {
    HXClearErrorInfo();
    if (object)
        *object = nullptr;
    if (!classId || !interfaceId || !object)
        return CreationFailure(HX_E_POINTER, u"HXCreateInstance: the class id, the interface id and the object "
                                             u"pointer must not be null");
    const HXInstanceCreator creator = g_instanceCreator.load();
    if (!creator)
        return CreationFailure(HX_REGDB_E_CLASSNOTREG,
                               u"HXCreateInstance: no program has made its classes available in this process");
    return creator(classId, interfaceId, object);
}

HXInstanceCreator HXSetInstanceCreator(HXInstanceCreator creator) {
    return g_instanceCreator.exchange(creator);
}

void HXVariantInit(HXVARIANT* variant) {
    if (variant)
        std::memset(variant, 0, sizeof *variant);
}

HXRESULT HXVariantClear(HXVARIANT* variant) {
    if (!variant)
        return HX_E_POINTER;
    switch (variant->vt) {
    case HX_VT_BSTR:
        HXSysFreeString(variant->value.bstrVal);
        break;
    case HX_VT_DISPATCH:
    case HX_VT_UNKNOWN:
        // The third slot of every SDK interface is Release.
        if (void* object = variant->value.punkVal) {
            const auto* slots = *static_cast<IUnknownSlots* const*>(object);
            slots->release(object);
        }
        break;
    default:
        break;
    }
    HXVariantInit(variant);
    return HX_S_OK;
}

} // extern "C"
