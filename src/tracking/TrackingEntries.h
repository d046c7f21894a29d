#pragma once

// How the tracking manager's entries come out of a storage.

#include "tracking/TrackingHost.h"

#include <vector>

class IHXDayEntryStorage;

/// Appends the activity entries dated fromDate to toDate (both included) of storage to entries.
/// A storage that searches (the storage root) is searched once, so that days without data get no
/// day lists and a range that spans two year files reads both; any other storage is asked day by
/// day. Storage failures pass through as the storage raises them.
void ReadTrackingEntries(IHXDayEntryStorage& storage, double fromDate, double toDate,
                         std::vector<TTrackingEntry>& entries);
