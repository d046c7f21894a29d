#include "storage/StorageProviders.h"

#include "model/Entry.h"
#include "storage/StorageExceptions.h"
#include "storage/StorageFileData.h"
#include "storage/StorageManager.h"

namespace {

/// Any failure of a provider operation becomes errorClass with "<context> <suffix>".
template <typename E, typename F> auto Wrapped(const QString& context, F&& operation) {
    try {
        return operation();
    } catch (const std::exception& e) {
        throw E(context + QStringLiteral(" ") + ExceptionToTextSuffix(e));
    }
}

template <typename TInfo> StorageInfoPtr LoadInfo(const PropertyListPtr& list, const QString& context) {
    if (!list)
        throw EUnassignedArgumentError(context);
    return Wrapped<ECreateStorageInfoError>(context, [&]() -> StorageInfoPtr {
        auto info = std::make_shared<TInfo>();
        info->LoadFromPropertyList(list);
        return info;
    });
}

} // namespace

TStorageProviderBase::TStorageProviderBase(IStorageApplication* application) : m_application(application) {
    if (!m_application)
        throw EUnassignedArgumentError(QStringLiteral("TStorageProviderBase.Create"));
}

StoragePtr TStorageRootProvider::CreateStorage(const StorageInfoPtr&) {
    return std::make_shared<TStorageRoot>(&Application());
}

StorageInfoPtr TStorageRootProvider::CreateStorageInfo(const PropertyListPtr& list) {
    if (!list)
        throw EUnassignedArgumentError(QStringLiteral("TStorageRootProvider._CreateStorageInfo"));
    return Wrapped<ECreateStorageInfoError>(QStringLiteral("TStorageRootProvider._CreateStorageInfo"),
                                            [&]() -> StorageInfoPtr {
                                                auto info = std::make_shared<TStorageRootInfo>(false);
                                                info->LoadFromPropertyList(list);
                                                return info;
                                            });
}

StoragePtr TStorageEntryManagerProvider::CreateStorage(const StorageInfoPtr& info) {
    const QString context = QStringLiteral("TStorageEntryManagerProvider._CreateStorage");
    if (!info)
        throw EUnassignedArgumentError(context);
    return Wrapped<ECreateStorageError>(context, [&]() -> StoragePtr {
        return std::make_shared<TStorageEntryManager>(
            std::dynamic_pointer_cast<TStorageBase>(Application().GetStorage())->SharedNotifications(), &Application(),
            info);
    });
}

StorageInfoPtr TStorageEntryManagerProvider::CreateStorageInfo(const PropertyListPtr& list) {
    return LoadInfo<TStorageEntryManagerInfo>(list, QStringLiteral("TStorageEntryManagerProvider._CreateStorageInfo"));
}

StoragePtr TStorageFileDataProvider::CreateStorage(const StorageInfoPtr& info) {
    const QString context = QStringLiteral("TStorageFileDataProvider._CreateStorage");
    if (!info)
        throw EUnassignedArgumentError(context);
    return Wrapped<ECreateStorageError>(context, [&]() -> StoragePtr {
        return std::make_shared<TStorageFileData>(
            std::dynamic_pointer_cast<TStorageBase>(Application().GetStorage())->SharedNotifications(), &Application(),
            info);
    });
}

StorageInfoPtr TStorageFileDataProvider::CreateStorageInfo(const PropertyListPtr& list) {
    return LoadInfo<TStorageFileDataInfo>(list, QStringLiteral("TStorageFileDataProvider._CreateStorageInfo"));
}

void RegisterStorageFileProviders(IStorageApplication& application,
                                  const std::function<void(const StorageProviderPtr&)>& registerProvider) {
    registerProvider(std::make_shared<TStorageRootProvider>(&application));
    registerProvider(std::make_shared<TStorageEntryManagerProvider>(&application));
    registerProvider(std::make_shared<TStorageFileDataProvider>(&application));
}

TGUID TActivityEntryProvider::GetEntryTypeID() const {
    return ActivityEntryTypeID;
}

EntryPtr TActivityEntryProvider::CreateEntry() {
    return std::make_shared<TActivityEntry>();
}
