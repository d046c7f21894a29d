#pragma once

// The storage providers (one per storage type: they create storages and descriptions) and the
// entry provider of activity entries.

#include "storage/StorageInterfaces.h"

#include <functional>

class TStorageProviderBase : public IHXStorageProvider_ {
public:
    /// A nil application raises EUnassignedArgumentError "TStorageProviderBase.Create".
    explicit TStorageProviderBase(IStorageApplication* application);

protected:
    IStorageApplication& Application() const { return *m_application; }

private:
    IStorageApplication* m_application;
};

class TStorageRootProvider : public TStorageProviderBase {
public:
    using TStorageProviderBase::TStorageProviderBase;
    TGUID GetID() override { return StorageTypeRoot; }
    /// A new root (it makes its own description and notification object; info is ignored).
    StoragePtr CreateStorage(const StorageInfoPtr& info) override;
    StorageInfoPtr CreateStorageInfo(const PropertyListPtr& list) override;
    bool IsManagerProvider() override { return true; }
};

class TStorageEntryManagerProvider : public TStorageProviderBase {
public:
    using TStorageProviderBase::TStorageProviderBase;
    TGUID GetID() override { return StorageTypeEntryManager; }
    StoragePtr CreateStorage(const StorageInfoPtr& info) override;
    StorageInfoPtr CreateStorageInfo(const PropertyListPtr& list) override;
    bool IsManagerProvider() override { return true; }
};

class TStorageFileDataProvider : public TStorageProviderBase {
public:
    using TStorageProviderBase::TStorageProviderBase;
    TGUID GetID() override { return StorageTypeFileData; }
    StoragePtr CreateStorage(const StorageInfoPtr& info) override;
    StorageInfoPtr CreateStorageInfo(const PropertyListPtr& list) override;
    bool IsManagerProvider() override { return false; }
};

/// Creates the three storage providers of the storage files and hands each to registerProvider
/// (the application's RegisterStorageProvider). The built-in add-in "Storage File Provider" calls
/// it at its launch; the headless storage host at its creation.
void RegisterStorageFileProviders(IStorageApplication& application,
                                  const std::function<void(const StorageProviderPtr&)>& registerProvider);

/// Creates activity entries (entry type {AF84B1FB-B545-4F0C-B7A6-4E3007B1A2FF}).
class TActivityEntryProvider : public IHXEntryProvider_ {
public:
    TGUID GetEntryTypeID() const override;
    EntryPtr CreateEntry() override;
};
