#pragma once

// Companions of time entries and their lists. An activity entry has one companion that answers
// both IHXEntry and IHXActivityEntry. Each function returns a new companion with one reference for
// the caller (null for a null object); the companion keeps its object alive until released. Raise
// std::bad_alloc.

#include "model/EntryInterfaces.h"

#include <HoraluxSDK.h>

/// The IHXEntry of the entry's companion (also IHXActivityEntry when the entry is an activity
/// entry).
HoraluxSDK::IHXEntry* NewEntryCompanion(const EntryPtr& entry);
HoraluxSDK::IHXDayEntryList* NewDayEntryListCompanion(const DayEntryListPtr& list);
HoraluxSDK::IHXEntryList* NewEntryListCompanion(const EntryListPtr& list);
