#pragma once

#include "storage/StorageInterfaces.h"

#include <vector>

/// A storage seen for one entry type: every operation forwards to the wrapped storage with that
/// entry type (or a single-type entry info of it).
class TTypedStorage : public IHXTypedStorage_ {
public:
    TTypedStorage(StoragePtr storage, const TGUID& entryTypeId);

    void Save() override;
    SearchResultPtr SearchEntries(double startDate, double endDate) override;
    DayEntryListPtr GetDayEntries(double date) override;
    void GetExistingMinDate(double& min, bool& found) override;
    void GetExistingMaxDate(double& max, bool& found) override;
    void GetExistingMinMaxDate(double& min, double& max, bool& found) override;
    /// Safe to repeat.
    void ClearCache() override;

    const StoragePtr& Storage() const { return m_storage; }
    const TGUID& EntryTypeID() const { return m_entryTypeId; }

private:
    EntryInfoPtr SingleEntryInfo() const;

    StoragePtr m_storage;
    TGUID m_entryTypeId;
};

/// The entries dated fromDate to toDate (both days included), day by day and each day in list
/// order: what the tracking manager reads of yesterday and today. Read through GetDayEntries, so
/// the lists stay cached and a day that cannot be read is asked about (Cancel raises EUserCancel).
/// An empty range (toDate before fromDate) gives no entries.
std::vector<EntryPtr> GetEntriesOfDays(IHXTypedStorage_& storage, double fromDate, double toDate);
