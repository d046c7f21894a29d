#include "model/ActivityBooker.h"

#include "foundation/DateTime.h"
#include "model/Entry.h"
#include "model/EntryList.h"

#include <cmath>

// ---- Items --------------------------------------------------------------------------------------

TActivityBookerItem::TActivityBookerItem() : m_locator(std::make_shared<TActivityLocator>()) {}

void TActivityBookerItem::SetLocator(const ActivityLocatorPtr& locator) {
    if (!locator)
        throw EUnassignedArgumentError(QStringLiteral("TActivityBookerItem.SetLocator"));
    m_locator = locator;
}

ActivityBookerItemPtr TActivityBookerItemList::AddNew() {
    auto item = std::make_shared<TActivityBookerItem>();
    m_items.Add(item);
    return item;
}

ActivityBookerItemPtr TActivityBookerItemList::Items(int index) const {
    return m_items.Items(index);
}

int TActivityBookerItemList::IndexOf(const ActivityBookerItemPtr& item) const {
    return m_items.IndexOf(item);
}

// ---- Booker -------------------------------------------------------------------------------------

ActivityBookerItemPtr TActivityBooker::AddItem(const ActivityLocatorPtr& locator, double duration) {
    if (!locator)
        throw EUnassignedArgumentError(QStringLiteral("TActivityBooker.AddItem"));
    auto item = m_items.AddNew();
    item->Locator()->Assign(locator);
    item->SetDuration(duration);
    return item;
}

ActivityBookerItemPtr TActivityBooker::AddInterruption(const ActivityLocatorPtr& locator, double duration) {
    if (!locator)
        throw EUnassignedArgumentError(QStringLiteral("TActivityBooker.AddInterruption"));
    if (m_items.Count() == 0)
        throw EActivityBookerError(QStringLiteral("TActivityBooker.AddInterruption: there is nothing to interrupt"));
    auto first = m_items.Items(0);
    if (!std::isfinite(duration) || TimeBefore(duration, 0) || TimeAfter(duration, first->Duration()))
        throw EActivityBookerError(
            QStringLiteral("TActivityBooker.AddInterruption: the interruption is longer than the time it interrupts"));
    first->SetDuration(std::max(0.0, first->Duration() - duration));
    return AddItem(locator, duration);
}

namespace {
struct DayPart {
    double date;
    double start;
    double end;
    bool last;
};

/// The parts of From .. To per day. A period ending at midnight ends at 24:00 of the day before.
std::vector<DayPart> SplitIntoDays(double from, double to) {
    const TSplitDateTime f = SplitDateTime(from);
    TSplitDateTime t = SplitDateTime(to);
    if (TimesEqual(t.Time, 0) && t.Date > f.Date) {
        t.Date -= 1;
        t.Time = 1;
    }
    if (t.Date == f.Date)
        return {{f.Date, f.Time, t.Time, true}};
    std::vector<DayPart> parts{{f.Date, f.Time, 1, false}};
    for (double day = f.Date + 1; day < t.Date; day += 1)
        parts.push_back({day, 0, 1, false});
    parts.push_back({t.Date, 0, t.Time, true});
    return parts;
}
} // namespace

void TActivityBooker::Book(IHXDayEntryStorage& storage) {
    if (!std::isfinite(m_from) || !std::isfinite(m_to) || TimeBefore(m_to, m_from))
        throw EActivityBookerError(QStringLiteral("TActivityBooker.Book: the period ends before it starts"));
    for (int i = 0; i < m_items.Count(); ++i) {
        const double duration = m_items.Items(i)->Duration();
        if (!std::isfinite(duration) || TimeBefore(duration, 0))
            throw EActivityBookerError(QStringLiteral("TActivityBooker.Book: an item has a negative duration"));
    }

    // A period without length has no shares; its one day takes each item's whole duration.
    const double total = m_to - m_from;
    for (int i = 0; i < m_items.Count(); ++i) {
        auto item = m_items.Items(i);
        item->SetRemaining(item->Duration());
        item->SetShare(total >= OneMillisecond ? item->Duration() / total : 0);
    }

    const std::vector<DayPart> parts = SplitIntoDays(m_from, m_to);
    std::vector<DayEntryListPtr> lists;
    for (const auto& part : parts) {
        auto list = storage.GetDayEntries(ActivityEntryTypeID, part.date);
        if (!list)
            throw EMustNotHappen(QStringLiteral("TActivityBooker.Book: the storage gave no day entry list"));
        lists.push_back(list);
    }

    // A booking is all or nothing: when adding or saving fails, every list gets its entries back,
    // so that the caller can offer the same answer again without booking it twice.
    std::vector<DayEntryListPtr> before;
    before.reserve(lists.size());
    for (const DayEntryListPtr& list : lists)
        before.push_back(list->Clone());
    try {
        for (size_t p = 0; p < parts.size(); ++p) {
            const DayPart& part = parts[p];
            const DayEntryListPtr& list = lists[p];
            const double span = part.end - part.start;
            for (int i = 0; i < m_items.Count(); ++i) {
                auto item = m_items.Items(i);
                auto entry = std::dynamic_pointer_cast<IHXActivityEntry_>(list->AddNew());
                if (!entry)
                    throw EMustNotHappen(
                        QStringLiteral("TActivityBooker.Book: the day list holds no activity entries"));
                entry->SetTime(part.start, part.end);
                entry->Locator()->Assign(item->Locator());
                entry->SetDuration(0);
                if (part.last) {
                    entry->SetDuration(entry->Duration() + item->Remaining());
                    item->SetRemaining(0);
                } else {
                    entry->SetDuration(entry->Duration() + item->Share() * span);
                    item->SetRemaining(item->Remaining() - item->Share() * span);
                }
            }
            // Joined after adding on every day, so that a booking that continues an equal entry
            // becomes one entry.
            JoinSimilarEntries(list);
        }
        storage.Save();
    } catch (...) {
        for (size_t i = 0; i < lists.size(); ++i)
            lists[i]->Assign(before[i]);
        throw;
    }
}
