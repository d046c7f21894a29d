#include "addins/StorageFileProviderAddIn.h"

#include "addins/ApplicationInterface.h"
#include "foundation/Translation.h"
#include "foundation/VRNException.h"
#include "storage/StorageProviders.h"

QString TStorageFileProviderAddIn::GetID() {
    return QStringLiteral("{17CBF84A-8985-46AC-ABC7-2ECC3AAFCD42}");
}

QString TStorageFileProviderAddIn::GetName() {
    return Tr("Storage File Provider");
}

void TStorageFileProviderAddIn::LaunchAddIn(const std::shared_ptr<IApplication_>& application) {
    TInternalAddIn::LaunchAddIn(application);
    // The providers and the storages they make ask the application for its storage services; the
    // application outlives them.
    auto* services = dynamic_cast<IStorageApplication*>(&Application());
    if (!services)
        throw EVRNException(QStringLiteral("TStorageFileProviderAddIn.LaunchAddIn: the application offers no "
                                           "storage services"));
    IApplication_& app = Application();
    RegisterStorageFileProviders(*services,
                                 [&app](const StorageProviderPtr& provider) { app.RegisterStorageProvider(provider); });
}
