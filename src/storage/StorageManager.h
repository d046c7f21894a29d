#pragma once

// The storages that list sub-storages: the root (one entry manager per entry type, "cdroot.hx")
// and the entry managers (one day file per year, 'cdem.hx').

#include "storage/ParallelSearchResult.h"
#include "storage/StorageFileBase.h"
#include "storage/StorageInfoList.h"

class TStorageManagerBase : public TStorageFileBase, public IHXStorageManager_ {
public:
    std::shared_ptr<TStorageInfoListBase> GetSubStorageInfos() override;
    StoragePtr AppendSubStorage(const StorageInfoPtr& info) override;
    void ClearCache() override;
    bool Changed() override;
    void Cleanup() override;

protected:
    using TStorageFileBase::TStorageFileBase;

    virtual std::shared_ptr<TStorageInfoListBase> CreateSubStorageList() = 0;
    virtual QString GetSubStorageInfosContext() const = 0;
    /// The part of AppendSubStorage after the common checks.
    virtual StoragePtr AppendSubStorage_(const StorageInfoPtr& info) = 0;
    /// Reads the "substorages" of the file into the list.
    void LoadSubStorageInfos(TStorageInfoListBase& list);
    TContentUpdate UpdateContent() override;
    void ExistingMinMax_(const EntryInfoPtr& entryInfo, double& min, double& max, bool& found, bool wantMin,
                         bool wantMax) override;
    /// Reserves the full name of path, if it is a plain name.
    void ReserveName(const QString& path);

    bool m_namesReserved = false;

private:
    std::shared_ptr<TStorageInfoListBase> m_subStorages;
};

class TStorageRoot : public TStorageManagerBase {
public:
    /// Creates its own description ("cdroot.hx") and its own notification object.
    explicit TStorageRoot(IStorageApplication* application);

    void Save() override;
    DayEntryListPtr GetDayEntries(const TGUID& entryTypeId, double date) override;
    SearchResultPtr SearchEntries(const TGUID& entryTypeId, double startDate, double endDate) override;
    void ReserveNames() override;

protected:
    std::shared_ptr<TStorageInfoListBase> CreateSubStorageList() override;
    QString GetSubStorageInfosContext() const override { return QStringLiteral("TStorageRoot._GetSubStorageInfos"); }
    StoragePtr AppendSubStorage_(const StorageInfoPtr& info) override;
    /// The root may always create its file.
    bool CanCreateFile() override { return true; }
    bool CanMoveFile() override { return false; }

private:
    /// Moves the storage files that no parent names (left by a crash between writing a file and
    /// writing its parent) into "lost+found" in the storage folder. Runs once, at the first
    /// reading of the tree, and only when every list of the tree could be read.
    void SweepUnreferencedFiles_();

    bool m_sweepTried = false;
};

class TStorageEntryManager : public TStorageManagerBase {
public:
    /// The description must be for a single entry type with both sides unlimited.
    TStorageEntryManager(StorageNotificationsPtr notifications, IStorageApplication* application, StorageInfoPtr info);

    DayEntryListPtr GetDayEntries(const TGUID& entryTypeId, double date) override;
    SearchResultPtr SearchEntries(const TGUID& entryTypeId, double startDate, double endDate) override;
    void ReserveNames() override;

protected:
    std::shared_ptr<TStorageInfoListBase> CreateSubStorageList() override;
    QString GetSubStorageInfosContext() const override {
        return QStringLiteral("TStorageEntryManager._GetSubStorageInfos");
    }
    QString GetBaseFileName() override { return QStringLiteral("cdem"); }
    StoragePtr AppendSubStorage_(const StorageInfoPtr& info) override;

private:
    /// One file's part of a reader's search: on its own where the file allows it.
    TParallelSearchResult::TPart SearchPart(const StoragePtr& storage, const TGUID& entryTypeId, double startDate,
                                            double endDate);
    /// How many files a reader's search reads at the same time.
    static int ReadAhead();
    /// The description of a new day file for date, between its neighbours.
    StorageInfoPtr CreateDayFileInfo(double date, const StorageInfoPtr& before, const StorageInfoPtr& after);
};
