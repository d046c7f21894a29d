// An add-in library for the loader's tests, built as a shared library like any add-in. Its classes:
//   {7E570000-0000-0000-0000-000000000001} launches and asks the application for its storage,
//        which fails; its about text then repeats the description it received
//   {7E570000-0000-0000-0000-000000000002} fails in Loaded
//   {7E570000-0000-0000-0000-000000000003} fails in LaunchAddIn
// any other class: the library refuses to make it, with a description.
// Built with TEST_ADDIN_MINOR_VERSION 1, it claims a newer SDK than the program offers.

#include <HoraluxSDK.h>

#include <string>

#ifndef TEST_ADDIN_MINOR_VERSION
#define TEST_ADDIN_MINOR_VERSION 0
#endif

using namespace HoraluxSDK;

namespace {

constexpr HXGUID Launching = HXGuidFromText("{7E570000-0000-0000-0000-000000000001}");
constexpr HXGUID FailingLoaded = HXGuidFromText("{7E570000-0000-0000-0000-000000000002}");
constexpr HXGUID FailingLaunch = HXGuidFromText("{7E570000-0000-0000-0000-000000000003}");

HXRESULT Fail(const char16_t* description) {
    HXSetErrorInfo(u"ETestAddIn", description);
    return HX_E_FAIL;
}

HXRESULT Text(const std::u16string& text, HXBSTR* out) {
    if (!out)
        return HX_E_POINTER;
    *out = HXSysAllocStringLen(text.data(), static_cast<uint32_t>(text.size()));
    return HX_S_OK;
}

class TestAddIn final : public IHXAddIn {
public:
    explicit TestAddIn(int kind) : m_kind(kind) {}

    HXRESULT QueryInterface(const HXGUID& iid, void** object) noexcept override {
        if (HXEqualGuid(iid, IHXUnknown::IID) || HXEqualGuid(iid, IHXDispatch::IID) ||
            HXEqualGuid(iid, IHXAddIn::IID)) {
            AddRef();
            *object = static_cast<IHXAddIn*>(this);
            return HX_S_OK;
        }
        *object = nullptr;
        return HX_E_NOINTERFACE;
    }
    uint32_t AddRef() noexcept override { return ++m_references; }
    uint32_t Release() noexcept override {
        const uint32_t left = --m_references;
        if (left == 0) {
            if (m_application)
                m_application->Release();
            delete this;
        }
        return left;
    }
    HXRESULT GetTypeInfoCount(uint32_t* count) noexcept override {
        *count = 0;
        return HX_S_OK;
    }
    HXRESULT GetTypeInfo(uint32_t, void**) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT GetIDsOfNames(const char16_t* const*, uint32_t, int32_t*) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT Invoke(int32_t, uint16_t, HXVARIANT*, uint32_t, HXVARIANT*) noexcept override {
        return HX_DISP_E_MEMBERNOTFOUND;
    }

    HXRESULT GetID(HXBSTR* result) noexcept override {
        return Text(u"{7E57AD00-0000-0000-0000-00000000000" + std::u16string(1, char16_t(u'0' + m_kind)) + u"}",
                    result);
    }
    HXRESULT GetName(HXBSTR* result) noexcept override { return Text(u"Test add-in", result); }
    HXRESULT AllowDeactivate(HXBOOL* result) noexcept override {
        *result = HX_TRUE;
        return HX_S_OK;
    }
    HXRESULT RequiresAddInsCount(int32_t* result) noexcept override {
        *result = 0;
        return HX_S_OK;
    }
    HXRESULT GetRequiredAddInsID(int32_t, HXBSTR* result) noexcept override {
        *result = nullptr;
        return HX_S_OK;
    }
    HXRESULT Loaded() noexcept override { return m_kind == 2 ? Fail(u"the test add-in refuses to load") : HX_S_OK; }
    HXRESULT LaunchAddIn(Global_* application) noexcept override {
        if (m_kind == 3)
            return Fail(u"the test add-in refuses to start");
        if (!application)
            return HX_E_POINTER;
        application->AddRef();
        m_application = application;
        IHXStorage* storage = nullptr;
        if (HX_FAILED(application->get_Storage(&storage))) {
            HXBSTR source = nullptr;
            HXBSTR description = nullptr;
            HXGetErrorInfo(&source, &description);
            m_about = std::u16string(u"Storage: ") + (description ? description : u"");
            HXSysFreeString(source);
            HXSysFreeString(description);
        }
        return HX_S_OK;
    }
    HXRESULT GetAboutText(HXBSTR* result) noexcept override { return Text(m_about, result); }

private:
    ~TestAddIn() = default;

    int m_kind;
    uint32_t m_references = 1;
    Global_* m_application = nullptr;
    std::u16string m_about;
};

const HXModuleInfo moduleInfo = {sizeof(HXModuleInfo), LIBID_HoraluxSDK, HX_SDK_MAJOR_VERSION,
                                 TEST_ADDIN_MINOR_VERSION};

} // namespace

extern "C" __attribute__((visibility("default"))) const HXModuleInfo* HoraluxModuleInfo() {
    return &moduleInfo;
}

extern "C" __attribute__((visibility("default"))) HXRESULT HoraluxCreateObject(const HXGUID* clsid, const HXGUID* iid,
                                                                               void** object) {
    *object = nullptr;
    int kind = 0;
    if (HXEqualGuid(*clsid, Launching))
        kind = 1;
    else if (HXEqualGuid(*clsid, FailingLoaded))
        kind = 2;
    else if (HXEqualGuid(*clsid, FailingLaunch))
        kind = 3;
    else
        return Fail(u"the test library has no such class");
    TestAddIn* addIn = new TestAddIn(kind);
    const HXRESULT result = addIn->QueryInterface(*iid, object);
    addIn->Release();
    return result;
}
