#pragma once

// The days a worksheet works on: a working copy (a clone) of each day's stored entry list, taken
// the first time the day is asked for. Nothing reaches the storage until Save. A day whose loading
// the user cancelled stays unavailable until the set is cleared; a day that failed otherwise is
// tried again on the next request.

#include "model/EntryInterfaces.h"

#include <functional>
#include <map>
#include <memory>
#include <vector>

class IHXTypedStorage_;

class TWorkingDays {
public:
    explicit TWorkingDays(std::shared_ptr<IHXTypedStorage_> storage);

    /// The working copy of the day of date, loading it on first use; nullptr when the day cannot
    /// be loaded (no storage, the user cancelled, or another failure). Never raises.
    DayEntryListPtr Get(double date);
    /// Whether the user cancelled loading the day (it is not tried again).
    bool IsDead(double date) const;
    /// The working copy if it was loaded already; nothing is loaded.
    DayEntryListPtr Loaded(double date) const;

    /// The earliest date whose working copy holds entries (unsaved edits count as data).
    bool EarliestWithEntries(double& date) const;

    /// The working copies marked modified, by date.
    std::vector<DayEntryListPtr> Modified() const;
    int ModifiedCount() const { return static_cast<int>(Modified().size()); }

    /// Copies every modified working copy into its stored list and saves the storage through save
    /// (the application's save-all). All stored lists are fetched first, so a failure or a cancel
    /// while fetching leaves every stored list untouched. The set is cleared only after success;
    /// errors (EUserCancel among them) reach the caller with the working copies kept.
    void Save(const std::function<void()>& save);
    /// Forgets every working copy and every cancelled day.
    void Clear();

private:
    struct TDay {
        DayEntryListPtr list;
        /// Loading was cancelled by the user.
        bool dead = false;
    };
    static int Key(double date);

    std::shared_ptr<IHXTypedStorage_> m_storage;
    std::map<int, TDay> m_days;
};
