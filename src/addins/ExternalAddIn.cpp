#include "addins/ExternalAddIn.h"

#include "addins/GlobalCompanion.h"
#include "addins/SdkBridge.h"

TExternalAddIn::TExternalAddIn(HoraluxSDK::IHXAddIn* addIn) : m_addIn(addIn) {
    if (!m_addIn)
        throw EUnassignedArgumentError(QStringLiteral("TExternalAddIn.Create"));
}

TExternalAddIn::~TExternalAddIn() {
    m_addIn->Release();
}

QString TExternalAddIn::Text(HXRESULT (HoraluxSDK::IHXAddIn::*member)(HXBSTR*) noexcept, const char* name) {
    HXBSTR text = nullptr;
    BeginHXCall();
    const HXRESULT result = (m_addIn->*member)(&text);
    const QString value = TakeHXString(text);
    CheckHXResult(result, name);
    return value;
}

QString TExternalAddIn::GetID() {
    return Text(&HoraluxSDK::IHXAddIn::GetID, "IHXAddIn.GetID");
}

QString TExternalAddIn::GetName() {
    return Text(&HoraluxSDK::IHXAddIn::GetName, "IHXAddIn.GetName");
}

QString TExternalAddIn::GetAboutText() {
    return Text(&HoraluxSDK::IHXAddIn::GetAboutText, "IHXAddIn.GetAboutText");
}

bool TExternalAddIn::AllowDeactivate() {
    HXBOOL value = HX_FALSE;
    BeginHXCall();
    CheckHXResult(m_addIn->AllowDeactivate(&value), "IHXAddIn.AllowDeactivate");
    return value != HX_FALSE;
}

int TExternalAddIn::RequiresAddInsCount() {
    int32_t value = 0;
    BeginHXCall();
    CheckHXResult(m_addIn->RequiresAddInsCount(&value), "IHXAddIn.RequiresAddInsCount");
    return value;
}

QString TExternalAddIn::GetRequiredAddInsID(int index) {
    HXBSTR text = nullptr;
    BeginHXCall();
    const HXRESULT result = m_addIn->GetRequiredAddInsID(index, &text);
    const QString value = TakeHXString(text);
    CheckHXResult(result, "IHXAddIn.GetRequiredAddInsID");
    return value;
}

void TExternalAddIn::Loaded() {
    BeginHXCall();
    CheckHXResult(m_addIn->Loaded(), "IHXAddIn.Loaded");
}

void TExternalAddIn::LaunchAddIn(const std::shared_ptr<IApplication_>& application) {
    HoraluxSDK::Global_* global = application ? NewGlobalCompanion(application) : nullptr;
    BeginHXCall();
    const HXRESULT result = m_addIn->LaunchAddIn(global);
    if (global)
        global->Release(); // the add-in took its own reference if it keeps the application
    CheckHXResult(result, "IHXAddIn.LaunchAddIn");
}
