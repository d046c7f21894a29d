#include "tracking/TrackingSettings.h"

#include "tracking/TrackerInterfaces.h"
#include "tracking/TrackingHost.h"

#include <algorithm>
#include <cmath>

namespace TrackingSettings {
namespace {
int ClampedInteger(ITrackingHost_& host, const QString& key, int fallback, int min, int max) {
    const std::optional<qint64> value = host.ReadIntegerOption(key);
    if (!value)
        return fallback;
    return static_cast<int>(std::clamp<qint64>(*value, min, max));
}
} // namespace

QString CurrentTracker(ITrackingHost_& host) {
    std::optional<QString> value = host.ReadStringOption(CurrentTrackerKey);
    return value ? std::move(*value) : RegularTrackerID;
}

int Interval(ITrackingHost_& host) {
    return ClampedInteger(host, IntervalKey, DefaultInterval, MinInterval, MaxInterval);
}

int Granularity(ITrackingHost_& host) {
    return ClampedInteger(host, GranularityKey, DefaultGranularity, MinGranularity, MaxGranularity);
}

double WorkStart(ITrackingHost_& host) {
    const std::optional<double> value = host.ReadDateTimeOption(WorkStartKey);
    // A damaged value must not move the day boundary to another day.
    if (!value || !std::isfinite(*value) || *value < 0.0 || *value > 1.0)
        return DefaultWorkStart;
    return *value;
}

double ProgramStart(ITrackingHost_& host) {
    const std::optional<double> value = host.ReadDateTimeOption(ProgramStartKey);
    if (!value || !std::isfinite(*value))
        return 0.0;
    return *value;
}
} // namespace TrackingSettings
