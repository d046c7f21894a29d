#include "storage/StorageHost.h"

#include "foundation/XMZFile.h"
#include "model/Entry.h"
#include "storage/StorageBase.h"
#include "storage/StorageExceptions.h"
#include "storage/StoragePropertyLists.h"
#include "storage/StorageProviders.h"
#include "storage/TypedStorage.h"

TStorageHost::TStorageHost(const QString& storageFolder) : m_fileNames(storageFolder) {
    RegisterStorageFileProviders(*this,
                                 [this](const StorageProviderPtr& provider) { RegisterStorageProvider(provider); });
    RegisterEntryProvider(std::make_shared<TActivityEntryProvider>());
}

TStorageHost::~TStorageHost() {
    ReleaseStorage();
}

void TStorageHost::RegisterStorageProvider(const StorageProviderPtr& provider) {
    const TGUID id = provider->GetID();
    if (m_storageProviders.count(id))
        throw ERegisterException(QStringLiteral("Storage provider with ID '") + id.ToString() +
                                 QStringLiteral("' is already registered."));
    m_storageProviders[id] = provider;
}

void TStorageHost::RegisterEntryProvider(const EntryProviderPtr& provider) {
    const TGUID id = provider->GetEntryTypeID();
    if (m_entryProviders.count(id))
        throw ERegisterException(QStringLiteral("Entry provider with ID '") + id.ToString() +
                                 QStringLiteral("' is already registered."));
    m_entryProviders[id] = provider;
}

StorageProviderPtr TStorageHost::GetStorageProvider(const TGUID& id) {
    const auto it = m_storageProviders.find(id);
    if (it == m_storageProviders.end())
        throw EStorageProviderNotFoundException(QStringLiteral("No storage provider found for ID '") + id.ToString() +
                                                QStringLiteral("'"));
    return it->second;
}

StorageProviderPtr TStorageHost::GetStorageProviderFor(const PropertyListPtr& list) {
    return GetStorageProvider(StorageLists::GetGUID(list, QStringLiteral("storagetype")));
}

EntryProviderPtr TStorageHost::GetEntryProvider(const TGUID& id) {
    const auto it = m_entryProviders.find(id);
    if (it == m_entryProviders.end())
        throw EEntryProviderNotFoundException(QStringLiteral("No entry provider found for ID '") + id.ToString() +
                                              QStringLiteral("'"));
    return it->second;
}

StoragePtr TStorageHost::GetStorage() {
    if (!m_root)
        m_root = GetStorageProvider(StorageTypeRoot)->CreateStorage(nullptr);
    return m_root;
}

std::shared_ptr<TXMZFile> TStorageHost::CreateNewXMZFile() {
    auto file = m_fileFactory ? m_fileFactory() : std::make_shared<TXMZFile>(0, 0);
    file->SetCompress(m_compress);
    return file;
}

TypedStoragePtr TStorageHost::GetTypedStorage() {
    return std::make_shared<TTypedStorage>(GetStorage(), ActivityEntryTypeID);
}

TStorageNotifications& TStorageHost::Notifications() {
    return *GetStorage()->NotificationObject();
}

void TStorageHost::ReleaseStorage() {
    ReleaseAndCleanup(m_root);
}
