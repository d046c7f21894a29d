#include "app/ApplicationStorage.h"

#include "app/Application.h"
#include "app/MainWindow.h"
#include "app/StorageQuestionBox.h"
#include "foundation/VRNException.h"
#include "model/Entry.h"
#include "storage/StoragePropertyLists.h"
#include "storage/StorageProviders.h"
#include "storage/StorageQuestions.h"
#include "storage/TypedStorage.h"

std::unique_ptr<TProviderTables> NewProviderTables() {
    return std::make_unique<TProviderTables>();
}

void ClearProviderTables(TProviderTables& tables) {
    tables.storageProviders.Clear();
    tables.entryProviders.Clear();
}

void THXApplication::ReleaseStorageFileName(const QString& fullName) {
    FileNames_().ReleaseStorageFileName(fullName);
}

void THXApplication::RegisterEntryProvider(const std::shared_ptr<IHXEntryProvider_>& provider) {
    m_providers->entryProviders.Register(provider);
}

std::shared_ptr<IHXEntryProvider_> THXApplication::GetEntryProvider(const TGUID& id) {
    return m_providers->entryProviders.Get(id);
}

void THXApplication::RegisterStorageProvider(const std::shared_ptr<IHXStorageProvider_>& provider) {
    m_providers->storageProviders.Register(provider);
}

std::shared_ptr<IHXStorageProvider_> THXApplication::GetStorageProvider(const TGUID& id) {
    return m_providers->storageProviders.Get(id);
}

std::shared_ptr<IHXStorageProvider_> THXApplication::GetStorageProviderFor(const PropertyListPtr& list) {
    return GetStorageProvider(StorageLists::GetGUID(list, QStringLiteral("storagetype")));
}

std::shared_ptr<IHXStorage_> THXApplication::GetStorage() {
    if (m_storage)
        return m_storage;
    std::shared_ptr<IHXStorage_> root = GetStorageProvider(StorageTypeRoot)->CreateStorage(nullptr);
    TStorageNotifications& notifications = *root->NotificationObject();
    ConnectStorageQuestions(notifications, std::make_shared<TMessageBoxStorageQuestions>());
    // Data that changed (also when its save failed) is checked again by the tracking manager.
    // The root goes before the controller (Cleanup), so the handler never outlives it.
    notifications.SetOnDataChanged([this] {
        if (m_mainWindow)
            m_mainWindow->PostRecheckTracking();
    });
    m_storage = root;
    m_typedStorage = std::make_shared<TTypedStorage>(root, ActivityEntryTypeID);
    return m_storage;
}

void THXApplication::SaveWorkData_() {
    const std::shared_ptr<IHXStorage_> storage = GetStorage();
    storage->Save();
    // A file the user let go (Ignore) leaves its data only in memory; the save returns normally,
    // but saving everything must not report success.
    if (storage->Changed())
        throw EStorageError(QStringLiteral("Not everything was saved: some work data is still only in memory"));
}

void THXApplication::ReleaseStorage_() {
    m_typedStorage.reset();
    ReleaseAndCleanup(m_storage);
}

std::shared_ptr<IHXTypedStorage_> THXApplication::GetTypedStorage() {
    if (!m_typedStorage)
        GetStorage();
    return m_typedStorage;
}
