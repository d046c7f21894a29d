#include "calendar/BreakRecognition.h"

#include "foundation/DateTime.h"

bool PlannedBreakWindowOverlaps(double periodStart, double periodEnd, double fromTime, double toTime) {
    return DailyWindowReached(periodStart, periodEnd, fromTime, toTime);
}

int RecognisePlannedBreak(double periodStart, double periodEnd, double now, double today,
                          const std::vector<TPlannedBreakValues>& breaks,
                          const std::vector<TBookedBreakEntry>& booked) {
    const double periodLength = periodEnd - periodStart;
    for (size_t i = 0; i < breaks.size(); ++i) {
        const TPlannedBreakValues& plannedBreak = breaks[i];
        // A break that fills the whole period is no break within it.
        if (CompareTimes(plannedBreak.Duration, periodLength) >= 0)
            continue;
        if (!PlannedBreakWindowOverlaps(periodStart, periodEnd, plannedBreak.FromTime, plannedBreak.ToTime))
            continue;
        // The most recent occurrence of the window's start.
        double windowStart = DateOf(today) + plannedBreak.FromTime;
        if (CompareTimes(windowStart, now) > 0)
            windowStart -= 1.0;
        bool alreadyBooked = false;
        for (const TBookedBreakEntry& entry : booked) {
            if (entry.ActivityId == plannedBreak.ActivityId && CompareTimes(entry.End, windowStart) >= 0) {
                alreadyBooked = true;
                break;
            }
        }
        if (!alreadyBooked)
            return static_cast<int>(i);
    }
    return -1;
}

bool PlannedBreakDurationFits(double fromTime, double toTime, int durationMinutes) {
    const double duration = durationMinutes / (24.0 * 60.0);
    return CompareTimes(duration, TimeSpan(fromTime, toTime)) <= 0;
}
