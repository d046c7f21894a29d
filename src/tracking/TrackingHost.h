#pragma once

#include "calendar/BreakRecognition.h"
#include "foundation/GUID.h"
#include "tracking/TrackerInterfaces.h"

#include <QString>
#include <optional>
#include <vector>

/// An activity entry as the tracking manager sees it: when it lies and which activity it is
/// booked to. Values, so that the manager never holds on to storage objects.
struct TTrackingEntry {
    /// The entry's date (midnight).
    double Date = 0.0;
    /// Start and end as times of day (the end may be 1.0, 24:00).
    double StartTime = 0.0;
    double EndTime = 0.0;
    /// The activity of the entry's locator; null when the entry has none.
    TGUID ActivityId;

    double Start() const { return Date + StartTime; }
    double End() const { return Date + EndTime; }
};

/// Whether two entries are the same booking (same place in time and same activity).
bool SameTrackingEntry(const TTrackingEntry& a, const TTrackingEntry& b);

/// What the tracking manager needs from the rest of the program. The application controller
/// implements it over its options, storage and windows; tests use a fake.
class ITrackingHost_ {
public:
    ITrackingHost_() = default;
    virtual ~ITrackingHost_() = default;
    ITrackingHost_(const ITrackingHost_&) = delete;
    ITrackingHost_& operator=(const ITrackingHost_&) = delete;

    // Values of the options section "tracking manager", read from memory (cheap; called on every
    // update). A missing value, or one of another type, gives nullopt.
    virtual std::optional<QString> ReadStringOption(const QString& key) = 0;
    virtual std::optional<qint64> ReadIntegerOption(const QString& key) = 0;
    /// A time of day or a date-time value.
    virtual std::optional<double> ReadDateTimeOption(const QString& key) = 0;
    virtual void WriteStringOption(const QString& key, const QString& value) = 0;
    virtual void WriteDateTimeOption(const QString& key, double value) = 0;

    /// Appends the activity entries dated fromDate to toDate (both dates included) to entries,
    /// in storage order. May raise (a storage that cannot be read).
    virtual void GetActivityEntries(double fromDate, double toDate, std::vector<TTrackingEntry>& entries) = 0;
    /// The user's planned breaks, in list order, freshly from the options.
    virtual std::vector<TPlannedBreakValues> LoadPlannedBreaks() = 0;
    /// The registered tracker add-in with this identifier, or nullptr.
    virtual TrackerAddInPtr FindTracker(const QString& id) = 0;

    /// Whether a window of the program is open (the current-window stack is not empty).
    virtual bool HasCurrentWindow() = 0;
    virtual bool IsTrayMenuActive() = 0;
    /// The program has finished starting, no program window is open and the tray menu is closed.
    virtual bool CanShowWindow() = 0;
    /// Saves options, activities and work data.
    virtual void SaveAll() = 0;
};
