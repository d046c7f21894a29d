#include "tracking/TrackingEntries.h"

#include "model/ActivityBooker.h"
#include "model/Entry.h"
#include "model/EntryInterfaces.h"
#include "storage/StorageInterfaces.h"

#include <cmath>

namespace {

void AddEntry(const EntryPtr& entry, std::vector<TTrackingEntry>& entries) {
    if (!entry)
        return;
    TTrackingEntry values{entry->Date(), entry->StartTime(), entry->EndTime(), TGUID()};
    if (const auto activityEntry = std::dynamic_pointer_cast<IHXActivityEntry_>(entry))
        if (const auto locator = activityEntry->Locator())
            values.ActivityId = locator->ID();
    entries.push_back(values);
}

} // namespace

void ReadTrackingEntries(IHXDayEntryStorage& storage, double fromDate, double toDate,
                         std::vector<TTrackingEntry>& entries) {
    if (auto* searchable = dynamic_cast<IHXStorage_*>(&storage)) {
        const SearchResultPtr result = searchable->SearchEntries(ActivityEntryTypeID, fromDate, toDate);
        for (result->First(); !result->Eof(); result->Next())
            AddEntry(result->Current(), entries);
        return;
    }
    for (double date = std::floor(fromDate); date <= toDate + 0.5; date += 1.0) {
        const DayEntryListPtr list = storage.GetDayEntries(ActivityEntryTypeID, date);
        for (int i = 0; list && i < list->Count(); ++i)
            AddEntry(list->Items(i), entries);
    }
}
