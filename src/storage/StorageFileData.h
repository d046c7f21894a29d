#pragma once

// The storages that hold days: the day file of one entry type and one interval (normally a
// calendar year), and its current window, a small second file that takes the days around today
// (today - 7 to today + 7) out of the year file, so that everyday saves rewrite a file of about
// two weeks instead of a whole year.

#include "model/DayEntryListContainer.h"
#include "storage/StorageFileBase.h"

#include <vector>

/// The window's own access to a day, without failure questions (failures are raised).
class IHXStorageFileDataCurrent_ {
public:
    virtual ~IHXStorageFileDataCurrent_() = default;
    virtual DayEntryListPtr GetDayEntriesWithoutQuestions(const TGUID& entryTypeId, double date) = 0;
};

class TStorageFileDataBase : public TStorageFileBase {
public:
    DayEntryListPtr GetDayEntries(const TGUID& entryTypeId, double date) override;
    SearchResultPtr SearchEntries(const TGUID& entryTypeId, double startDate, double endDate) override;
    void ClearCache() override;
    bool Changed() override;

    /// The cache of loaded days; every list handed out is in it.
    TDayEntryListContainer& Days() { return m_days; }
    /// Reads one day from the file into the cache; nullptr when the file has no such day.
    DayEntryListPtr LoadDayEntries_(const EntryProviderPtr& provider, bool withQuestions, TStorageQuestion openQuestion,
                                    TStorageQuestion entriesQuestion, double date);
    /// The cached list, or the list read from the file, or a new empty one; failures raised.
    DayEntryListPtr DayEntriesWithoutQuestions_(const TGUID& entryTypeId, double date);
    /// The search of a storage opened for reading only that holds nothing in memory yet, on its
    /// own (it may run on a worker thread while other files are searched): reads the file once,
    /// builds the entries of the days from startDate to endDate only, in the order SearchEntries
    /// gives them, and drops the document again. Caches nothing and asks nothing: false when
    /// anything failed, and SearchEntries then searches again with its questions.
    bool SearchAlone_(const EntryProviderPtr& provider, double startDate, double endDate, std::vector<EntryPtr>& found);

protected:
    using TStorageFileBase::TStorageFileBase;

    TContentUpdate UpdateContent() override;
    void ExistingMinMax_(const EntryInfoPtr& entryInfo, double& min, double& max, bool& found, bool wantMin,
                         bool wantMax) override;
    TGUID EntryTypeID() { return Info()->EntryInfo()->EntryTypeID(); }

private:
    [[noreturn]] void RaiseLoadCancel(const std::exception& e);
    /// The days of the range that lie in this storage's interval.
    void DaysToSearch(double startDate, double endDate, double& firstDay, double& lastDay) const;

    TDayEntryListContainer m_days;
};

class TStorageFileDataCurrent : public TStorageFileDataBase, public IHXStorageFileDataCurrent_ {
public:
    TStorageFileDataCurrent(StorageNotificationsPtr notifications, IStorageApplication* application,
                            StorageInfoPtr info);
    DayEntryListPtr GetDayEntriesWithoutQuestions(const TGUID& entryTypeId, double date) override;

protected:
    QString GetBaseFileName() override { return QStringLiteral("current"); }
};
using WindowPtr = std::shared_ptr<TStorageFileDataCurrent>;

class TStorageFileData : public TStorageFileDataBase {
public:
    /// The window lasts 7 days on each side of today.
    static constexpr int WindowDays = 7;

    TStorageFileData(StorageNotificationsPtr notifications, IStorageApplication* application, StorageInfoPtr info);

    DayEntryListPtr GetDayEntries(const TGUID& entryTypeId, double date) override;
    SearchResultPtr SearchEntries(const TGUID& entryTypeId, double startDate, double endDate) override;
    bool Changed() override;
    void Cleanup() override;

    /// Folds a window that no longer contains today back into the year, and cuts a new window
    /// when today lies in the year. Never raises: a window that cannot be folded back stays as
    /// it is, and without a successful cut the day file works without a window, so that the
    /// ordinary questions deal with whatever failed.
    WindowPtr GetStorageCurrent_();
    const WindowPtr& Window() const { return m_window; }
    /// Whether SearchAlone_ gives what SearchEntries would: the storage is read only, holds no
    /// file, days or window, and today is not in its interval (no window is to be cut).
    bool CanSearchAlone_();
    const std::vector<WindowPtr>& RetiredWindows() const { return m_retiredWindows; }

protected:
    QString GetBaseFileName() override;
    TContentUpdate UpdateContent() override;
    void ExistingMinMax_(const EntryInfoPtr& entryInfo, double& min, double& max, bool& found, bool wantMin,
                         bool wantMax) override;

private:
    void CreateWindowFromInfo_();
    void FoldBack_();
    void CutWindow_(double today);

    TStorageFileDataInfo* m_dataInfo = nullptr;
    WindowPtr m_window;
    std::vector<WindowPtr> m_retiredWindows;
};
