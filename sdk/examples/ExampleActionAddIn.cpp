// An example add-in: an action "Example Add-In" in the tray menu that counts how often it ran.
// Build it as a shared library with -fvisibility=hidden, link libhoraluxsdk, and register it with
//   horaluxctl addins register /path/to/libhoralux_example_action.so
// (the class name it registers is given by HoraluxAddInClasses below).

#include <HoraluxSDKObject.h>

#include <cstdio>

using namespace HoraluxSDK;

namespace {

constexpr HXGUID ExampleClass = HXGuidFromText("{6A1D3E70-5C1B-4E0B-9A57-3F0D2C8E4B11}");

HXRESULT Out(const char16_t* text, HXBSTR* result) {
    *result = HXSysAllocString(text);
    return HX_S_OK;
}

class ExampleActionAddIn final : public HXObject<IHXAddIn, IHXActionExecute> {
public:
    HXRESULT GetID(HXBSTR* r) noexcept override { return Out(u"{6A1D3E70-5C1B-4E0B-9A57-3F0D2C8E4B12}", r); }
    HXRESULT GetName(HXBSTR* r) noexcept override { return Out(u"Example Action", r); }
    HXRESULT AllowDeactivate(HXBOOL* r) noexcept override { return *r = HX_TRUE, HX_S_OK; }
    HXRESULT RequiresAddInsCount(int32_t* r) noexcept override { return *r = 0, HX_S_OK; }
    HXRESULT GetRequiredAddInsID(int32_t, HXBSTR* r) noexcept override { return *r = nullptr, HX_S_OK; }
    HXRESULT Loaded() noexcept override { return HX_S_OK; }
    HXRESULT GetAboutText(HXBSTR* r) noexcept override { return Out(u"An example of the Horalux SDK.", r); }

    // The application is used while launching only: keeping it would keep the program's objects
    // alive through the action that keeps this add-in.
    HXRESULT LaunchAddIn(Global_* application) noexcept override {
        HXRef<IHXTools> tools;
        HXRef<IHXAction> action;
        HXRef<IHXMenuControl> menu;
        HXString caption(u"Example Add-In");
        HXString id;
        HXRESULT hr = application->get_Tools(&tools);
        if (HX_SUCCEEDED(hr))
            hr = tools->CreateNewAction(&action);
        if (HX_SUCCEEDED(hr))
            hr = action->put_Caption(caption.get());
        if (HX_SUCCEEDED(hr))
            hr = action->AddExecute(this);
        if (HX_SUCCEEDED(hr))
            hr = action->get_ID(&id);
        if (HX_SUCCEEDED(hr))
            hr = application->get_TrayMenu(&menu);
        if (HX_SUCCEEDED(hr))
            hr = menu->AddToMenu(id.get());
        return hr; // a failure keeps the description the program left
    }

    HXRESULT Execute(HXBSTR) noexcept override {
        std::fprintf(stderr, "Example add-in: the action ran %d time(s)\n", ++m_runs);
        return HX_S_OK;
    }

private:
    int m_runs = 0;
};

const HXModuleInfo moduleInfo = {sizeof(HXModuleInfo), LIBID_HoraluxSDK, HX_SDK_MAJOR_VERSION, HX_SDK_MINOR_VERSION};
const HXAddInClass classes[] = {{"Horalux.ExampleAction", ExampleClass}, {nullptr, {}}};

} // namespace

extern "C" HX_EXPORT const HXModuleInfo* HoraluxModuleInfo() {
    return &moduleInfo;
}

extern "C" HX_EXPORT const HXAddInClass* HoraluxAddInClasses() {
    return classes;
}

extern "C" HX_EXPORT HXRESULT HoraluxCreateObject(const HXGUID* clsid, const HXGUID* iid, void** object) {
    *object = nullptr;
    if (!HXEqualGuid(*clsid, ExampleClass))
        return HX_E_NOINTERFACE;
    auto* addIn = new ExampleActionAddIn;
    const HXRESULT hr = addIn->QueryInterface(*iid, object);
    addIn->Release();
    return hr;
}
