#pragma once

#include <QString>

class ITrackingHost_;

/// The options section of the tracking manager and its values.
namespace TrackingSettings {
inline const QString SectionName = QStringLiteral("tracking manager");
inline const QString CurrentTrackerKey = QStringLiteral("current tracker");
inline const QString IntervalKey = QStringLiteral("interval");
inline const QString GranularityKey = QStringLiteral("tracking granularity");
inline const QString WorkStartKey = QStringLiteral("workstart");
inline const QString ProgramStartKey = QStringLiteral("programstart");

constexpr int DefaultInterval = 60;
constexpr int MinInterval = 1;
constexpr int MaxInterval = 100;
constexpr int DefaultGranularity = 15;
constexpr int MinGranularity = 1;
constexpr int MaxGranularity = 60;
/// 05:00.
constexpr double DefaultWorkStart = 5.0 / 24.0;

/// "current tracker"; the regular tracker when missing.
QString CurrentTracker(ITrackingHost_& host);
/// "interval" in minutes, clamped to 1..100.
int Interval(ITrackingHost_& host);
/// "tracking granularity" in minutes, clamped to 1..60.
int Granularity(ITrackingHost_& host);
/// "workstart" as a time of day; a value outside 0..24:00 gives the default.
double WorkStart(ITrackingHost_& host);
/// "programstart", 0 when missing.
double ProgramStart(ITrackingHost_& host);
} // namespace TrackingSettings
