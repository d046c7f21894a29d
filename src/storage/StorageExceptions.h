#pragma once

#include "model/EntryInterfaces.h"

// The failures of the storage tree. EContinuousDataError is the data model's base of all
// failures around time entries.

VRN_DECLARE_EXCEPTION(EStorageError, EContinuousDataError);
VRN_DECLARE_EXCEPTION(EStorageCreateError, EStorageError);
VRN_DECLARE_EXCEPTION(EStorageGetDayEntriesError, EStorageError);
/// The file of a known storage is missing; the questions offer Create New.
VRN_DECLARE_EXCEPTION(EStorageFileNotFoundError, EStorageError);
VRN_DECLARE_EXCEPTION(EStorageAppendError, EStorageError);
VRN_DECLARE_EXCEPTION(EStorageInfoError, EContinuousDataError);
VRN_DECLARE_EXCEPTION(EStorageInfoCreateError, EStorageInfoError);
/// A storage file's own description differs from the one its parent recorded.
VRN_DECLARE_EXCEPTION(EStorageReadInfoError, EContinuousDataError);
VRN_DECLARE_EXCEPTION(EStorageInfoListAddError, EContinuousDataError);
VRN_DECLARE_EXCEPTION(EStorageListError, EContinuousDataError);
VRN_DECLARE_EXCEPTION(EStorageListGetStorageError, EStorageListError);
VRN_DECLARE_EXCEPTION(ESubStorageInfosLoadError, EVRNException);
/// The list of sub-storages could not be read because the manager's file is missing: still an
/// ESubStorageInfosLoadError to every reader, but the questions offer Create New.
class ESubStorageInfosFileNotFoundError : public ESubStorageInfosLoadError {
public:
    using ESubStorageInfosLoadError::ESubStorageInfosLoadError;
};
VRN_DECLARE_EXCEPTION(ECreateStorageError, EVRNException);
VRN_DECLARE_EXCEPTION(ECreateStorageInfoError, EVRNException);
/// Provider registries of the application (storage providers by ID).
VRN_DECLARE_EXCEPTION(ERegisterException, EVRNException);
VRN_DECLARE_EXCEPTION(EStorageProviderNotFoundException, EVRNException);
VRN_DECLARE_EXCEPTION(EEntryProviderNotFoundException, EVRNException);

/// Whether the failure is a missing storage file (the questions then offer Create New).
inline bool IsStorageFileNotFound(const std::exception& e) {
    return dynamic_cast<const EStorageFileNotFoundError*>(&e) != nullptr ||
           dynamic_cast<const ESubStorageInfosFileNotFoundError*>(&e) != nullptr;
}
