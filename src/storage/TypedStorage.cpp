#include "storage/TypedStorage.h"

#include "foundation/DateTime.h"

TTypedStorage::TTypedStorage(StoragePtr storage, const TGUID& entryTypeId)
    : m_storage(std::move(storage)), m_entryTypeId(entryTypeId) {
    if (!m_storage)
        throw EUnassignedArgumentError(QStringLiteral("TTypedStorage.Create"));
}

EntryInfoPtr TTypedStorage::SingleEntryInfo() const {
    return std::make_shared<TEntryInfo>(hxeitSingle, m_entryTypeId);
}

void TTypedStorage::Save() {
    m_storage->Save();
}

SearchResultPtr TTypedStorage::SearchEntries(double startDate, double endDate) {
    return m_storage->SearchEntries(m_entryTypeId, startDate, endDate);
}

DayEntryListPtr TTypedStorage::GetDayEntries(double date) {
    return m_storage->GetDayEntries(m_entryTypeId, date);
}

void TTypedStorage::GetExistingMinDate(double& min, bool& found) {
    m_storage->GetExistingMinDate(SingleEntryInfo(), min, found);
}

void TTypedStorage::GetExistingMaxDate(double& max, bool& found) {
    m_storage->GetExistingMaxDate(SingleEntryInfo(), max, found);
}

void TTypedStorage::GetExistingMinMaxDate(double& min, double& max, bool& found) {
    m_storage->GetExistingMinMaxDate(SingleEntryInfo(), min, max, found);
}

void TTypedStorage::ClearCache() {
    m_storage->ClearCache();
}

std::vector<EntryPtr> GetEntriesOfDays(IHXTypedStorage_& storage, double fromDate, double toDate) {
    std::vector<EntryPtr> entries;
    const double lastDay = DateOf(toDate);
    for (double day = DateOf(fromDate); day <= lastDay; day += 1) {
        const DayEntryListPtr list = storage.GetDayEntries(day);
        for (int i = 0; i < list->Count(); ++i)
            entries.push_back(list->Items(i));
    }
    return entries;
}
