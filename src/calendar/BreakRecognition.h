#pragma once

#include "foundation/GUID.h"

#include <vector>

/// A planned break as the recognition sees it: the daily window FromTime..ToTime (times of day;
/// a ToTime earlier than FromTime means the window crosses midnight), the typical length and
/// the id of the activity it is booked to.
struct TPlannedBreakValues {
    double FromTime = 0.0;
    double ToTime = 0.0;
    double Duration = 0.0;
    TGUID ActivityId;
};

/// An activity entry that is already booked to the activity of some planned break.
struct TBookedBreakEntry {
    TGUID ActivityId;
    /// The end of the entry as a date-time (its date plus its end time).
    double End = 0.0;
};

/// Whether the daily window fromTime..toTime of a break overlaps the period [periodStart,
/// periodEnd] (date-times, periodStart <= periodEnd). The window is taken on the date of
/// periodStart (starting the day before when it crosses midnight); a window that ended exactly
/// at periodStart counts as overlapping; a window that ended before periodStart is tried again
/// one day later.
bool PlannedBreakWindowOverlaps(double periodStart, double periodEnd, double fromTime, double toTime);

/// Chooses the planned break to propose for a period that the user is asked to explain.
///
/// Inputs, all plain values:
/// - periodStart, periodEnd: the period [A, B] the tracking dialog shows (A <= B);
/// - now: the current date and time N; today: today's date T (no time of day);
/// - breaks: the planned breaks in list order (the order decides: the first match wins);
/// - booked: the entries of yesterday and today that ended no later than N and whose activity is
///   the activity of some planned break.
///
/// A break is proposed when its duration is shorter than the period (1 ms tolerance), its daily
/// window overlaps the period, and no booked entry of its activity ends at or after the most
/// recent start of its window (T + FromTime, or one day earlier when that lies after N).
///
/// Returns the index into breaks of the first break to propose, or -1 when there is none. At
/// most one break is proposed per call. The function has no side effects.
int RecognisePlannedBreak(double periodStart, double periodEnd, double now, double today,
                          const std::vector<TPlannedBreakValues>& breaks, const std::vector<TBookedBreakEntry>& booked);

/// The check of the break edit dialog: whether a break of durationMinutes fits into the window
/// fromTime..toTime, counted forward from fromTime (a toTime earlier than fromTime lies on the
/// next day; equal times give a window of length 0).
bool PlannedBreakDurationFits(double fromTime, double toTime, int durationMinutes);
