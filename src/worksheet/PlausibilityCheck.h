#pragma once

// The check of one day's entries for the plausibility test: an unconfirmed entry whose duration
// is longer than the time between its start and end, or a group of overlapping entries whose
// durations add up to more than the time they cover together, with at least one unconfirmed
// member. Entries that only touch do not overlap. Groups made only of confirmed entries are never
// reported.
//
// The group search follows the candidates in list order and explores every connected group of
// overlapping entries; a set of members that was searched once without a find is not searched
// again (the outcome depends on the set only), so a day with many entries stays quick.

#include "model/EntryInterfaces.h"

#include <functional>
#include <vector>

/// Whether two entries overlap: equal starts, or the earlier one ends at least one millisecond
/// after the later one starts.
bool EntriesOverlap(const IHXActivityEntry_& a, const IHXActivityEntry_& b);

/// Checks a day. Returns whether the day has a problem; problems receives the offending entries in
/// the order they were found (cleared first). cancelled is asked now and then during the search;
/// when it answers true the search stops and the day counts as without problem.
bool CheckDayPlausibility(const IHXDayEntryList_& day, std::vector<ActivityEntryPtr>& problems,
                          const std::function<bool()>& cancelled = {});

/// The break rules: after more than a number of hours of work a day needs a minimum of breaks.
struct TBreakRule {
    double workAbove = 0;
    double breaksAtLeast = 0;
};

/// The first rule a day breaks (rules in the given order), or -1. Work and breaks are the sums of
/// the durations of the non-break and break entries.
int BrokenBreakRule(const IHXDayEntryList_& day, const std::vector<TBreakRule>& rules, double& work, double& breaks);
