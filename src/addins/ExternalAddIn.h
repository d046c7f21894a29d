#pragma once

// An add-in of another library as the add-in manager sees it: each operation calls the add-in's
// IHXAddIn and turns a failed result into EHXAutomationError with the description the add-in left.

#include "addins/AddIn.h"

#include <HoraluxSDK.h>

class TExternalAddIn : public IHXAddIn {
public:
    /// Takes over the reference the caller holds on addIn.
    explicit TExternalAddIn(HoraluxSDK::IHXAddIn* addIn);
    ~TExternalAddIn() override;

    QString GetID() override;
    QString GetName() override;
    bool AllowDeactivate() override;
    int RequiresAddInsCount() override;
    QString GetRequiredAddInsID(int index) override;
    void Loaded() override;
    /// Hands the add-in a companion of the application.
    void LaunchAddIn(const std::shared_ptr<IApplication_>& application) override;
    QString GetAboutText() override;

private:
    QString Text(HXRESULT (HoraluxSDK::IHXAddIn::*member)(HXBSTR*) noexcept, const char* name);

    HoraluxSDK::IHXAddIn* m_addIn;
};
