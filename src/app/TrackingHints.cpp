#include "app/TrackingHints.h"

#include <cmath>

int NextTrackingIconPercent(double now, double t, int intervalMinutes) {
    if (t <= now || intervalMinutes <= 0)
        return 100;
    // Whole minutes; the small allowance keeps 45:00 from reading as 44 after rounding errors.
    const int minutes = static_cast<int>(std::floor((t - now) * 1440.0 + 1e-6));
    const int left = intervalMinutes - minutes;
    return left > 0 ? left * 100 / intervalMinutes : 0;
}
