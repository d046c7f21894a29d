#pragma once

#include "calendar/Holiday.h"

#include <map>
#include <memory>
#include <vector>

/// A holiday was added for a date that already has one: "The list already contains an holiday
/// with the date yyyy-mm-dd".
VRN_DECLARE_EXCEPTION(EHolidayListAddError, EVRNListError);

/// Holidays keyed by date: at most one holiday per date, dates compared by whole days. Index
/// based access (Items, Delete and the indexes returned by DeleteByDate and Remove) follows the
/// order of ascending dates.
class IHXHolidayList_ {
public:
    virtual ~IHXHolidayList_() = default;
    virtual int Count() const = 0;
    /// The holiday at the index of the date-sorted list; an index out of range raises EVRNListError.
    virtual std::shared_ptr<IHXHoliday_> Items(int index) const = 0;
    /// Creates a holiday for the date (empty name, default rules) and adds it; raises
    /// EHolidayListAddError like Add.
    virtual std::shared_ptr<IHXHoliday_> AddNew(double date) = 0;
    /// Removes the holiday at the sorted index; an index out of range raises EVRNListError.
    virtual void Delete(int index) = 0;
    /// Removes the holiday of that date and returns its former sorted index; -1 (and no
    /// change) when the date has no holiday.
    virtual int DeleteByDate(double date) = 0;
    /// The holiday of that date, or nullptr.
    virtual std::shared_ptr<IHXHoliday_> FindDate(double date) const = 0;
    /// Removes that very holiday object and returns its former sorted index; -1 (and no change)
    /// when it is not in the list.
    virtual int Remove(const std::shared_ptr<IHXHoliday_>& holiday) = 0;
    /// Adds a holiday; a date that already has one raises EHolidayListAddError and leaves the
    /// list unchanged.
    virtual void Add(const std::shared_ptr<IHXHoliday_>& holiday) = 0;
    virtual void Clear() = 0;
    /// Replaces the content by the holidays of "holidaylist". Items without a name or without a
    /// date are dropped; a later item of the same date replaces an earlier one.
    virtual void LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) = 0;
    /// Writes every holiday into "holidaylist" (ascending by date; readers must not rely on it).
    virtual void SaveToPropertyList(const std::shared_ptr<IHXPropertyList_>& list) const = 0;
};

class THolidayList : public TInterfacedAndCheckedObject, public IHXHolidayList_ {
public:
    int Count() const override { return static_cast<int>(m_byDay.size()); }
    std::shared_ptr<IHXHoliday_> Items(int index) const override;
    std::shared_ptr<IHXHoliday_> AddNew(double date) override;
    void Delete(int index) override;
    int DeleteByDate(double date) override;
    std::shared_ptr<IHXHoliday_> FindDate(double date) const override;
    int Remove(const std::shared_ptr<IHXHoliday_>& holiday) override;
    void Add(const std::shared_ptr<IHXHoliday_>& holiday) override;
    void Clear() override;
    void LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) override;
    void SaveToPropertyList(const std::shared_ptr<IHXPropertyList_>& list) const override;

    /// Puts the holiday under its date, replacing a holiday of the same date (used by loading,
    /// where a later item wins).
    void Put(const std::shared_ptr<IHXHoliday_>& holiday);
    /// All holidays from the date of first to the date of last inclusive, ascending by date.
    std::vector<std::shared_ptr<IHXHoliday_>> HolidaysBetween(double first, double last) const;
    /// All holidays ascending by date.
    const std::vector<std::shared_ptr<IHXHoliday_>>& Sorted() const;

private:
    int IndexOfDay(long long day) const;
    void Changed() { m_sortedValid = false; }

    std::map<long long, std::shared_ptr<IHXHoliday_>> m_byDay;
    // Built on demand for index based access, dropped on every change.
    mutable std::vector<std::shared_ptr<IHXHoliday_>> m_sorted;
    mutable bool m_sortedValid = false;
};
