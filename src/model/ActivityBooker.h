#pragma once

#include "foundation/CheckedObject.h"
#include "foundation/VRNInterfaceList.h"
#include "model/ActivityLocator.h"
#include "model/EntryInterfaces.h"

#include <vector>

/// A booking was refused before anything was written (period ending before it starts, negative
/// durations, an interruption longer than the time it interrupts).
VRN_DECLARE_EXCEPTION(EActivityBookerError, EEntryError);

/// What the booker writes into: the day entry lists of a storage. The storage interface of the
/// storage layer extends this one (its first two operations).
class IHXDayEntryStorage {
public:
    virtual ~IHXDayEntryStorage() = default;
    /// Writes everything that changed.
    virtual void Save() = 0;
    /// The day entry list of that entry type and day, created empty if the day has no data.
    virtual DayEntryListPtr GetDayEntries(const TGUID& entryTypeId, double date) = 0;
};

/// One activity of a booking: the time to book on it and its locator; Remaining and Share are the
/// working values of Book.
class TActivityBookerItem : public TInterfacedAndCheckedObject {
public:
    TActivityBookerItem();
    double Duration() const { return m_duration; }
    void SetDuration(double duration) { m_duration = duration; }
    ActivityLocatorPtr Locator() const { return m_locator; }
    /// nil raises EUnassignedArgumentError.
    void SetLocator(const ActivityLocatorPtr& locator);
    double Remaining() const { return m_remaining; }
    void SetRemaining(double remaining) { m_remaining = remaining; }
    double Share() const { return m_share; }
    void SetShare(double share) { m_share = share; }

private:
    double m_duration = 0;
    ActivityLocatorPtr m_locator;
    double m_remaining = 0;
    double m_share = 0;
};
using ActivityBookerItemPtr = std::shared_ptr<TActivityBookerItem>;

class TActivityBookerItemList : public TInterfacedAndCheckedObject {
public:
    ActivityBookerItemPtr AddNew();
    int Count() const { return m_items.Count(); }
    /// An index out of range raises EVRNListError.
    ActivityBookerItemPtr Items(int index) const;
    int IndexOf(const ActivityBookerItemPtr& item) const;

private:
    TVRNInterfaceList<TActivityBookerItem> m_items;
};

/// Spreads one answered period (From .. To, date-times) over several activities and days. Every
/// item gets one activity entry per day that covers that day's part of the period; the entries of
/// one period share their start and end, their durations carry each item's share, and the last
/// day takes the remainder so that each item's durations add up exactly to its Duration.
class TActivityBooker : public TInterfacedAndCheckedObject {
public:
    double From() const { return m_from; }
    void SetFrom(double from) { m_from = from; }
    double To() const { return m_to; }
    void SetTo(double to) { m_to = to; }
    TActivityBookerItemList& Items() { return m_items; }
    const TActivityBookerItemList& Items() const { return m_items; }

    /// A new item with a copy of locator.
    ActivityBookerItemPtr AddItem(const ActivityLocatorPtr& locator, double duration);
    /// An interruption (or a recognised planned break, which is booked the same way): a new item
    /// of that duration whose time is taken from the first item. Raises EActivityBookerError,
    /// changing nothing, when there is no first item or it has less time than the interruption.
    ActivityBookerItemPtr AddInterruption(const ActivityLocatorPtr& locator, double duration);

    /// Writes the entries into the day lists of storage and saves it. The period and the items
    /// are checked first, and every day list is fetched before the first entry is added, so a
    /// refused booking or a failing storage leaves the lists as they were.
    void Book(IHXDayEntryStorage& storage);

private:
    double m_from = 0;
    double m_to = 0;
    TActivityBookerItemList m_items;
};
