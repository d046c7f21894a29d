#pragma once

#include "addins/AddIn.h"

/// The built-in add-in "Activity Entry Provider": at its launch it registers the provider of
/// activity entries with the application. It may not be switched off.
class TActivityEntryProviderAddIn : public TInternalAddIn {
public:
    QString GetID() override;
    QString GetName() override;
    bool AllowDeactivate() override { return false; }
    void LaunchAddIn(const std::shared_ptr<IApplication_>& application) override;
};
