#pragma once

// The storage side of the controller: the provider tables, the storage services the storage tree
// asks of the controller, and the storage root. Until add-ins exist, the controller registers the
// providers of the storage files and of activity entries itself, the first time the root is
// needed.

#include "app/ProviderRegistry.h"
#include "storage/StorageExceptions.h"
#include "storage/StorageInterfaces.h"

#include <memory>

class THXApplication;
struct TProviderTables;

std::unique_ptr<TProviderTables> NewProviderTables();
void ClearProviderTables(TProviderTables& tables);

/// What the storage tree needs of the controller, answered by the controller.
class TApplicationStorageServices : public IStorageApplication {
public:
    explicit TApplicationStorageServices(THXApplication& application) : m_application(application) {}
    StorageProviderPtr GetStorageProvider(const TGUID& id) override;
    StorageProviderPtr GetStorageProviderFor(const PropertyListPtr& list) override;
    EntryProviderPtr GetEntryProvider(const TGUID& id) override;
    StoragePtr GetStorage() override;
    std::shared_ptr<TXMZFile> CreateNewXMZFile() override;
    IStorageFileNames& StorageFileNames() override;

private:
    THXApplication& m_application;
};

struct TProviderTables {
    TProviderRegistry<IHXStorageProvider_, ERegisterException, EStorageProviderNotFoundException> storageProviders{
        QStringLiteral("Storage provider"), [](IHXStorageProvider_& provider) { return provider.GetID(); }};
    TProviderRegistry<IHXEntryProvider_, ERegisterException, EEntryProviderNotFoundException> entryProviders{
        QStringLiteral("Entry provider"), [](IHXEntryProvider_& provider) { return provider.GetEntryTypeID(); }};
    /// Created with the first storage provider the controller registers itself.
    std::unique_ptr<TApplicationStorageServices> services;
};
