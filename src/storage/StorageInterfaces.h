#pragma once

// The interfaces of the storage tree. Members stand in the slot order of the internal interfaces.
// The rest of the program sees the root as IHXStorage_ (usually wrapped as a typed storage) and
// asks it for day entry lists, searches and the range of dates with data; the other interfaces
// are used inside the tree.

#include "model/ActivityBooker.h"
#include "model/EntryInfo.h"
#include "model/EntryInterfaces.h"
#include "storage/StorageFileNames.h"

#include <memory>

class IHXPropertyList_;
class IHXStorage_;
class IHXStorageInfo_;
class IHXStorageProvider_;
class IHXSearchEntriesResult_;
class TStorageInfoListBase;
class TStorageNotifications;
class TXMZFile;

using PropertyListPtr = std::shared_ptr<IHXPropertyList_>;
using StoragePtr = std::shared_ptr<IHXStorage_>;
using StorageInfoPtr = std::shared_ptr<IHXStorageInfo_>;
using StorageProviderPtr = std::shared_ptr<IHXStorageProvider_>;
using SearchResultPtr = std::shared_ptr<IHXSearchEntriesResult_>;
using EntryInfoPtr = std::shared_ptr<IHXEntryInfo_>;
using DateInfoPtr = std::shared_ptr<IHXDateInfo_>;
using StorageNotificationsPtr = std::shared_ptr<TStorageNotifications>;

/// Storage type IDs: every storage class has one; its info carries it as "storagetype".
inline const TGUID StorageTypeRoot = TGUID::Constant("{5FE7CBD9-7B88-4616-9DD2-74C8E34546B1}");
inline const TGUID StorageTypeEntryManager = TGUID::Constant("{81F12C3A-6487-4DE4-B085-1835C141B227}");
inline const TGUID StorageTypeFileData = TGUID::Constant("{69E08251-EEE7-49FB-8976-295078B8124A}");
inline const TGUID StorageTypeFileCurrent = TGUID::Constant("{3A8C7129-BB14-4BAC-8692-1323A7DE5F6E}");
/// File type of every storage file (the "filetype" of the file header).
inline const TGUID StorageFileType = TGUID::Constant("{B4207F5F-9C6E-4468-9313-EDDC12DB9ABB}");

inline const TGUID IID_IHXStorage_ = TGUID::Constant("{37FE6E37-66A3-4596-B927-46A0EC836605}");
inline const TGUID IID_IHXStorageManager_ = TGUID::Constant("{A57A81A5-A9C1-460B-836C-16CC91570F5A}");
inline const TGUID IID_IHXStorageInfo_ = TGUID::Constant("{EF80E8CF-E0B7-4B90-8D43-0BE9AA94C9FD}");
inline const TGUID IID_IHXStorageInfoInternal_ = TGUID::Constant("{A618C279-8261-4B58-A56C-0ED91319B729}");
inline const TGUID IID_IHXStorageFileInfo_ = TGUID::Constant("{6DF5E9F6-F0B3-487F-A6EF-A232EDEB434C}");
inline const TGUID IID_IHXStorageFileDataInfo_ = TGUID::Constant("{95B1A636-0BCF-47C4-AF85-51E40A03D729}");
inline const TGUID IID_IHXStorageInfoListInternal_ = TGUID::Constant("{D572101B-0B29-42B7-B870-9C72D365B9DB}");
inline const TGUID IID_IHXStorageInfoListByDateInfoInternal_ =
    TGUID::Constant("{FE80FD9E-465F-48F8-84F1-FBCA3E31876D}");
inline const TGUID IID_IHXStorageInfoListByEntryInfoInternal_ =
    TGUID::Constant("{34172645-010A-47FC-9D95-8D8E5F9D0742}");
inline const TGUID IID_IHXStorageProvider_ = TGUID::Constant("{0DD56094-0800-4F3F-83ED-EF99AEFCE4E8}");
inline const TGUID IID_IHXTypedStorage_ = TGUID::Constant("{4A77660E-993A-4C72-842F-0BC2A17574FD}");
inline const TGUID IID_IHXSearchEntriesResult_ = TGUID::Constant("{37013F65-F1D3-4BF4-BB73-A61DFDBA1621}");
inline const TGUID IID_IHXStorageFileDataCurrent_ = TGUID::Constant("{424C5731-87AD-4731-83FF-7D80E4B9B8B4}");

/// A storage of the tree. Its first two operations are those of the booker's day entry storage:
/// Save writes everything that changed (data that did not reach disk stays changed in memory);
/// GetDayEntries returns the day entry list of that entry type and day, created empty if the day
/// has no data, the same object while it is cached.
class IHXStorage_ : public IHXDayEntryStorage {
public:
    IHXStorage_() = default;
    IHXStorage_(const IHXStorage_&) = delete;
    IHXStorage_& operator=(const IHXStorage_&) = delete;

    virtual StorageInfoPtr Info() = 0;
    /// Forgets cached documents and the day lists that nobody holds and that hold nothing unsaved.
    virtual void ClearCache() = 0;
    virtual bool Changed() = 0;
    /// Extend min/max (only moved outward when found is true on entry) by the dates with data.
    virtual void GetExistingMinMaxDate(const EntryInfoPtr& entryInfo, double& min, double& max, bool& found) = 0;
    virtual void GetExistingMinDate(const EntryInfoPtr& entryInfo, double& min, bool& found) = 0;
    virtual void GetExistingMaxDate(const EntryInfoPtr& entryInfo, double& max, bool& found) = 0;
    /// All entries of the type dated from start to end inclusive (whole days).
    virtual SearchResultPtr SearchEntries(const TGUID& entryTypeId, double startDate, double endDate) = 0;
    virtual TStorageNotifications* NotificationObject() = 0;
};

/// A storage that lists sub-storages (root and entry manager).
class IHXStorageManager_ : public virtual IHXStorage_ {
public:
    /// The sub-storage list, read from the file on first use.
    virtual std::shared_ptr<TStorageInfoListBase> GetSubStorageInfos() = 0;
    virtual StoragePtr AppendSubStorage(const StorageInfoPtr& info) = 0;
    virtual void ReserveNames() = 0;
};

/// The description of a storage: which entry types and which dates [start, end) it holds.
class IHXStorageInfo_ {
public:
    IHXStorageInfo_() = default;
    virtual ~IHXStorageInfo_() = default;
    IHXStorageInfo_(const IHXStorageInfo_&) = delete;
    IHXStorageInfo_& operator=(const IHXStorageInfo_&) = delete;

    virtual EntryInfoPtr EntryInfo() = 0;
    virtual DateInfoPtr StartInfo() = 0;
    virtual DateInfoPtr EndInfo() = 0;
    virtual TGUID StorageTypeID() = 0;
    /// The other info's entry type and interval lie within this one.
    virtual bool Contains(const StorageInfoPtr& other) = 0;
    /// On whole days: 0 inside [start, end), 1 before a limited start, -1 on or after a limited end.
    virtual int Compare(double date) = 0;
    virtual bool Changed() = 0;
    virtual void LoadFromPropertyList(const PropertyListPtr& list) = 0;
    /// A new list: the properties plus "startinfo", "endinfo", "entryinfo" (and "storage current").
    virtual PropertyListPtr SaveAsPropertyList() = 0;
    /// LoadFromPropertyList, then Changed.
    virtual void UpdateFromPropertyList(const PropertyListPtr& list) = 0;
};

/// A description of a storage with a file.
class IHXStorageFileInfo_ {
public:
    virtual ~IHXStorageFileInfo_() = default;
    /// The file name in the storage folder; empty while the storage has no file.
    virtual QString Path() = 0;
    virtual void SetPath(const QString& path) = 0;
};

/// A day file's description, with the description of its current window (or none).
class IHXStorageFileDataInfo_ {
public:
    virtual ~IHXStorageFileDataInfo_() = default;
    virtual StorageInfoPtr CurrentInfo() = 0;
    virtual void SetCurrentInfo(const StorageInfoPtr& info) = 0;
};

/// Creates storages and descriptions of one storage type.
class IHXStorageProvider_ {
public:
    IHXStorageProvider_() = default;
    virtual ~IHXStorageProvider_() = default;
    IHXStorageProvider_(const IHXStorageProvider_&) = delete;
    IHXStorageProvider_& operator=(const IHXStorageProvider_&) = delete;

    virtual TGUID GetID() = 0;
    virtual StoragePtr CreateStorage(const StorageInfoPtr& info) = 0;
    virtual StorageInfoPtr CreateStorageInfo(const PropertyListPtr& list) = 0;
    /// Fixed per provider (true for the root and entry-manager providers); not read anywhere.
    virtual bool IsManagerProvider() = 0;
};

/// The entries a search found, walked with First and Next.
class IHXSearchEntriesResult_ {
public:
    IHXSearchEntriesResult_() = default;
    virtual ~IHXSearchEntriesResult_() = default;
    IHXSearchEntriesResult_(const IHXSearchEntriesResult_&) = delete;
    IHXSearchEntriesResult_& operator=(const IHXSearchEntriesResult_&) = delete;

    virtual EntryPtr Current() = 0;
    /// True when Current is none (EOF).
    virtual bool Eof() = 0;
    virtual void First() = 0;
    virtual void Next() = 0;
};

/// A storage seen for one entry type.
class IHXTypedStorage_ {
public:
    IHXTypedStorage_() = default;
    virtual ~IHXTypedStorage_() = default;
    IHXTypedStorage_(const IHXTypedStorage_&) = delete;
    IHXTypedStorage_& operator=(const IHXTypedStorage_&) = delete;

    virtual void Save() = 0;
    virtual SearchResultPtr SearchEntries(double startDate, double endDate) = 0;
    virtual DayEntryListPtr GetDayEntries(double date) = 0;
    virtual void GetExistingMinDate(double& min, bool& found) = 0;
    virtual void GetExistingMaxDate(double& max, bool& found) = 0;
    virtual void GetExistingMinMaxDate(double& min, double& max, bool& found) = 0;
    virtual void ClearCache() = 0;
};
using TypedStoragePtr = std::shared_ptr<IHXTypedStorage_>;

/// What the storage needs of the application controller: providers, entry providers, the storage
/// file names, the root and new file objects. The controller implements it (and until it exists,
/// TStorageHost does, for the command-line tool and the tests).
class IStorageApplication {
public:
    IStorageApplication() = default;
    virtual ~IStorageApplication() = default;
    IStorageApplication(const IStorageApplication&) = delete;
    IStorageApplication& operator=(const IStorageApplication&) = delete;

    /// A missing ID raises EStorageProviderNotFoundException.
    virtual StorageProviderPtr GetStorageProvider(const TGUID& id) = 0;
    /// The provider named by the GUID property "storagetype" of the list.
    virtual StorageProviderPtr GetStorageProviderFor(const PropertyListPtr& list) = 0;
    /// A missing ID raises EEntryProviderNotFoundException.
    virtual EntryProviderPtr GetEntryProvider(const TGUID& id) = 0;
    /// The storage root, created on first use.
    virtual StoragePtr GetStorage() = 0;
    /// A new, unassigned data file object (compressed or not by the options).
    virtual std::shared_ptr<TXMZFile> CreateNewXMZFile() = 0;
    /// The storage file names service.
    virtual IStorageFileNames& StorageFileNames() = 0;
    /// Whether the storage may only be read (files are opened for reading, nothing is created,
    /// saves are refused): for tools that look at the data while the program runs.
    virtual bool IsStorageReadOnly() { return false; }
};
