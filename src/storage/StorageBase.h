#pragma once

// The common part of every storage of the tree: its description, the application services, the
// shared notification object, and the range-of-dates operations.

#include "foundation/VRNTools.h"
#include "storage/StorageInfo.h"
#include "storage/StorageQuestions.h"

class TStorageBase : public virtual IHXStorage_,
                     public IVRNCleanableObject,
                     public std::enable_shared_from_this<TStorageBase> {
public:
    StorageInfoPtr Info() override { return m_info; }
    TStorageNotifications* NotificationObject() override { return m_notifications.get(); }
    const StorageNotificationsPtr& SharedNotifications() const { return m_notifications; }
    void GetExistingMinMaxDate(const EntryInfoPtr& entryInfo, double& min, double& max, bool& found) override;
    void GetExistingMinDate(const EntryInfoPtr& entryInfo, double& min, bool& found) override;
    void GetExistingMaxDate(const EntryInfoPtr& entryInfo, double& max, bool& found) override;

    /// After the user answered Ignore to a failing range search, later failures of this
    /// storage's range searches are skipped silently.
    bool IgnoreMinMaxErrors() const { return m_ignoreMinMaxErrors; }
    IStorageApplication& Application() const { return *m_application; }
    TStorageInfoBase& InfoBase() const { return *m_infoBase; }

protected:
    /// Missing arguments raise EUnassignedArgumentError; an info of another storage type
    /// EStorageCreateError.
    TStorageBase(StorageNotificationsPtr notifications, IStorageApplication* application, StorageInfoPtr info,
                 const TGUID& storageType);

    /// The worker of the three range operations: extends min/max/found by this storage's dates.
    virtual void ExistingMinMax_(const EntryInfoPtr& entryInfo, double& min, double& max, bool& found, bool wantMin,
                                 bool wantMax) = 0;
    /// The storage must contain the date and, for a single entry type, the entry type must be its
    /// own; else EStorageGetDayEntriesError.
    void CheckDay(const TGUID& entryTypeId, double date);
    /// Whether a range search for entryInfo concerns this storage's entry type.
    bool EntryTypeMatches(const EntryInfoPtr& entryInfo);
    /// Asks the question of that place about the failure e.
    int Ask(TStorageQuestion question, const std::exception& e);
    void SetIgnoreMinMaxErrors() { m_ignoreMinMaxErrors = true; }

private:
    StorageNotificationsPtr m_notifications;
    IStorageApplication* m_application = nullptr;
    StorageInfoPtr m_info;
    TStorageInfoBase* m_infoBase = nullptr;
    bool m_ignoreMinMaxErrors = false;
};

/// Extends a found range by one date (whole days), as wanted.
void ExtendRange(double day, double& min, double& max, bool& found, bool wantMin, bool wantMax);

/// In the outermost operation of a walk (startedDirect): asks the collected question, if any,
/// in direct mode and returns the answer; 0 when nothing was asked.
int DeliverCollectedQuestion(TStorageNotifications* notifications, bool startedDirect);
