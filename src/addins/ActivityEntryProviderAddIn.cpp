#include "addins/ActivityEntryProviderAddIn.h"

#include "addins/ApplicationInterface.h"
#include "foundation/Translation.h"
#include "storage/StorageProviders.h"

QString TActivityEntryProviderAddIn::GetID() {
    return QStringLiteral("{73CD96E0-4AD3-4A20-B226-CED614C9CEBF}");
}

QString TActivityEntryProviderAddIn::GetName() {
    return Tr("Activity Entry Provider");
}

void TActivityEntryProviderAddIn::LaunchAddIn(const std::shared_ptr<IApplication_>& application) {
    TInternalAddIn::LaunchAddIn(application);
    Application().RegisterEntryProvider(std::make_shared<TActivityEntryProvider>());
}
