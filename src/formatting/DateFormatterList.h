#pragma once

#include "formatting/DateFormatter.h"

#include <vector>

/// An ordered list of date formatters.
class TDateFormatterList : public TInterfacedAndCheckedObject {
public:
    void Add(const DateFormatterPtr& formatter);
    int Count() const { return static_cast<int>(m_items.size()); }
    /// An index out of range raises EVRNListError.
    DateFormatterPtr Items(int index) const;
    /// The first formatter with that id, or nullptr.
    DateFormatterPtr FindById(const TGUID& id) const;
    /// Takes this very formatter out of the list; false when the list does not hold it.
    bool Remove(const DateFormatterPtr& formatter);
    /// Empties the list; lists with a fixed content fill it again.
    virtual void Reset();

    /// Resets the list, then adds a user-defined formatter for every item of "formatter list"
    /// unless a formatter with its id is already in the list (so saved built-ins are skipped). An
    /// item that cannot be read is skipped.
    void LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list);
    /// A new list with "formatter list": one property list per formatter, in order.
    std::shared_ptr<IHXPropertyList_> SaveToPropertyList() const;

protected:
    std::vector<DateFormatterPtr> m_items;
};
using DateFormatterListPtr = std::shared_ptr<TDateFormatterList>;

/// A list whose Reset fills it with the ten built-in formatters. A new one is filled.
class TDateFormatterListDefault : public TDateFormatterList {
public:
    TDateFormatterListDefault();
    void Reset() override;
};

/// The pictures the locale data predefines for a locale and calendar: Reset creates one
/// system-defined formatter per short date picture, then per long date picture, skipping repeats.
/// A new one is filled.
class TDateFormatterListSystem : public TDateFormatterList {
public:
    TDateFormatterListSystem(LCID locale, CALID calendar);
    void Reset() override;

private:
    LCID m_locale;
    CALID m_calendar;
};
