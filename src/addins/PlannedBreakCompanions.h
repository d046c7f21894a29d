#pragma once

// Companions of the planned breaks. Each function returns a new companion with one reference for
// the caller (null for a null object); the companion keeps its object alive until released. Raise
// std::bad_alloc.

#include "calendar/PlannedBreak.h"

#include <HoraluxSDK.h>
#include <functional>

/// Called after a change made through the companions of a list: its breaks' values or its content.
using TPlannedBreaksChanged = std::function<void()>;

/// changed (may be empty) is called after every change made through the list's companion or the
/// companions of its breaks, and when one of those companions goes (a change made through a break's
/// locator then counts too).
HoraluxSDK::IHXPlannedBreakList* NewPlannedBreakListCompanion(const PlannedBreakListPtr& list,
                                                              TPlannedBreaksChanged changed = {});
HoraluxSDK::IHXPlannedBreak* NewPlannedBreakCompanion(const PlannedBreakPtr& plannedBreak,
                                                      TPlannedBreaksChanged changed = {});
