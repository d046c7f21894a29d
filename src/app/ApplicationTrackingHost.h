#pragma once

// The tracking manager's view of the program: the options section "tracking manager", the planned
// breaks of the options, the stored activity entries and the controller's window state.

#include "tracking/TrackingHost.h"

#include <functional>
#include <memory>

class IHXDayEntryStorage;
class IHXProperty_;
class IHXTrackingManager_;
class THXApplication;

/// Where the activity entries are read from: the storage root in the program, a storage of the
/// tests' own elsewhere. May return nullptr while there is no storage (no entries then).
using TDayEntryStorageSource = std::function<std::shared_ptr<IHXDayEntryStorage>()>;

class TApplicationTrackingHost : public ITrackingHost_ {
public:
    /// application must outlive the host.
    TApplicationTrackingHost(THXApplication& application, TDayEntryStorageSource entries);

    /// The manager whose registered trackers FindTracker searches (the add-ins register their
    /// trackers there); nullptr detaches.
    void SetManager(IHXTrackingManager_* manager) { m_manager = manager; }

    std::optional<QString> ReadStringOption(const QString& key) override;
    std::optional<qint64> ReadIntegerOption(const QString& key) override;
    std::optional<double> ReadDateTimeOption(const QString& key) override;
    void WriteStringOption(const QString& key, const QString& value) override;
    void WriteDateTimeOption(const QString& key, double value) override;

    void GetActivityEntries(double fromDate, double toDate, std::vector<TTrackingEntry>& entries) override;
    /// A fresh copy of the breaks in the options section "planned breaks".
    std::vector<TPlannedBreakValues> LoadPlannedBreaks() override;
    TrackerAddInPtr FindTracker(const QString& id) override;

    bool HasCurrentWindow() override;
    bool IsTrayMenuActive() override;
    bool CanShowWindow() override;
    void SaveAll() override;

private:
    std::shared_ptr<IHXProperty_> FindOption(const QString& key) const;

    THXApplication& m_application;
    TDayEntryStorageSource m_entries;
    IHXTrackingManager_* m_manager = nullptr;
};
