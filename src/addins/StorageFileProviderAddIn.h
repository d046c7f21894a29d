#pragma once

#include "addins/AddIn.h"

/// The built-in add-in "Storage File Provider": at its launch it registers the three providers of
/// the storage files (root, entry manager, file data) with the application, which must offer the
/// storage services (IStorageApplication) too. It may not be switched off.
class TStorageFileProviderAddIn : public TInternalAddIn {
public:
    QString GetID() override;
    QString GetName() override;
    bool AllowDeactivate() override { return false; }
    void LaunchAddIn(const std::shared_ptr<IApplication_>& application) override;
};
