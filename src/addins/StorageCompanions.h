#pragma once

// Companions of the storage: the storage and its description (storage info with its date and
// entry infos). Each function returns a new companion with one reference for the caller (null for
// a null object); the companion keeps its object alive until released. Raise std::bad_alloc.

#include "storage/StorageInterfaces.h"

#include <HoraluxSDK.h>

/// keepAlive (may be null) stays with the companion too: the object the storage was made by and
/// works through, which must not go before the storage does.
HoraluxSDK::IHXStorage* NewStorageCompanion(const StoragePtr& storage, std::shared_ptr<void> keepAlive = nullptr);
HoraluxSDK::IHXStorageInfo* NewStorageInfoCompanion(const StorageInfoPtr& info);
HoraluxSDK::IHXDateInfo* NewDateInfoCompanion(const DateInfoPtr& info);
HoraluxSDK::IHXEntryInfo* NewEntryInfoCompanion(const EntryInfoPtr& info);
