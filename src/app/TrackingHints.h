#pragma once

// How the tracking manager's next-tracking notification appears at the tray: the hint text's time
// and the fill of the clock icon.

#include "foundation/International.h"

#include <QString>

/// The tray icon fill for the next tracking at t: 100 when t is not later than now, else
/// (I - m) * 100 / I (integer division) with m the whole minutes until t and I the interval in
/// minutes, never below 0. An interval that is not positive gives 100.
int NextTrackingIconPercent(double now, double t, int intervalMinutes);
