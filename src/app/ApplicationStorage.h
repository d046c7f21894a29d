#pragma once

// The storage side of the controller: the provider tables and the storage root. The providers of
// the storage files and of activity entries are registered by their add-ins at launch.

#include "app/ProviderRegistry.h"
#include "storage/StorageExceptions.h"
#include "storage/StorageInterfaces.h"

#include <memory>

struct TProviderTables;

std::unique_ptr<TProviderTables> NewProviderTables();
void ClearProviderTables(TProviderTables& tables);

struct TProviderTables {
    TProviderRegistry<IHXStorageProvider_, ERegisterException, EStorageProviderNotFoundException> storageProviders{
        QStringLiteral("Storage provider"), [](IHXStorageProvider_& provider) { return provider.GetID(); }};
    TProviderRegistry<IHXEntryProvider_, ERegisterException, EEntryProviderNotFoundException> entryProviders{
        QStringLiteral("Entry provider"), [](IHXEntryProvider_& provider) { return provider.GetEntryTypeID(); }};
};
