#pragma once

#include "foundation/VRNHash.h"
#include "model/EntryInterfaces.h"

#include <vector>

/// The cache of loaded days of a storage file: day entry lists by date (whole days).
class TDayEntryListContainer {
public:
    /// nil raises EUnassignedArgumentError; a date already present raises EVRNListError
    /// "Container already contains a DayEntryList with the date '<yyyy-mm-dd>'".
    void Add(const DayEntryListPtr& list);
    DayEntryListPtr Find(double date) const;
    int Count() const { return m_lists.Count(); }
    /// True as soon as one held list is Changed.
    bool HasChanges() const;
    /// The earliest and latest date of the held lists that have entries; false if there is none.
    bool GetMinMaxDate(double& minDate, double& maxDate) const;
    /// Drops every list that nobody else holds, that is not Changed and that is neither today's
    /// nor yesterday's.
    void Purge();
    /// All lists in date order.
    std::vector<DayEntryListPtr> Lists() const;

private:
    TVRNDateInterfaceHash<IHXDayEntryList_> m_lists{17};
};
