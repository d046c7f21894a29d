#include "app/ApplicationStorage.h"

#include "app/Application.h"
#include "foundation/VRNException.h"

std::unique_ptr<TProviderTables> NewProviderTables() {
    return std::make_unique<TProviderTables>();
}

void ClearProviderTables(TProviderTables& /*tables*/) {}

namespace {

[[noreturn]] void NoStorage(const char* operation) {
    throw EMustNotHappen(QStringLiteral("THXApplication.") + QString::fromLatin1(operation) +
                         QStringLiteral(": the storage is not part of the program yet"));
}

} // namespace

void THXApplication::RegisterEntryProvider(const std::shared_ptr<IHXEntryProvider_>& /*provider*/) {
    NoStorage("RegisterEntryProvider");
}

std::shared_ptr<IHXEntryProvider_> THXApplication::GetEntryProvider(const TGUID& /*id*/) {
    NoStorage("GetEntryProvider");
}

void THXApplication::RegisterStorageProvider(const std::shared_ptr<IHXStorageProvider_>& /*provider*/) {
    NoStorage("RegisterStorageProvider");
}

std::shared_ptr<IHXStorageProvider_> THXApplication::GetStorageProvider(const TGUID& /*id*/) {
    NoStorage("GetStorageProvider");
}

std::shared_ptr<IHXStorageProvider_> THXApplication::GetStorageProviderFor(const PropertyListPtr& /*list*/) {
    NoStorage("GetStorageProviderFor");
}

std::shared_ptr<IHXStorage_> THXApplication::GetStorage() {
    return nullptr;
}

void THXApplication::SaveWorkData_() {
    // No work data before the storage is part of the program.
}

void THXApplication::ReleaseStorage_() {
    m_typedStorage.reset();
    m_storage.reset();
}

std::shared_ptr<IHXTypedStorage_> THXApplication::GetTypedStorage() {
    return m_typedStorage;
}
