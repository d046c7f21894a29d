#pragma once

#include "foundation/CheckedObject.h"
#include "model/EntryInterfaces.h"

class TActivityLocator;
class TPropertyList;

/// The entry type of activity entries.
inline const TGUID ActivityEntryTypeID = TGUID::Constant("{AF84B1FB-B545-4F0C-B7A6-4E3007B1A2FF}");

/// A new list of the kind an entry's values are kept and exchanged in (names compared with a to z
/// folded, 30 buckets).
std::shared_ptr<TPropertyList> NewEntryPropertyList();

/// A plain entry: a date, a start time and an end time, and any further values.
class TEntry : public TWrappableObject, public virtual IHXEntry_ {
public:
    TEntry() = default;

    double Date() const override { return m_date; }
    double StartTime() const override { return m_startTime; }
    double EndTime() const override { return m_endTime; }
    void SetDate(double value) override;
    bool Changed() const override { return m_changed; }
    std::shared_ptr<IHXPropertyList_> AdditionalProperties() override;
    void SetTime(double startTime, double endTime) override;
    int CompareDateTime(const EntryPtr& other) const override;
    void LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) override;
    void AddToPropertyList(const std::shared_ptr<IHXPropertyList_>& list) const override;
    std::shared_ptr<IHXPropertyList_> SaveAsPropertyList() override;

    /// Whether the two times make a valid period of a day.
    static bool IsValidPeriod(double startTime, double endTime);

protected:
    /// Takes the values that belong to the entry class out of the additional properties (after
    /// date and times were read). Raises to refuse the list; the entry is then left unchanged.
    virtual void LoadOwnValues(const std::shared_ptr<IHXPropertyList_>& properties);
    virtual void ClearChanged() { m_changed = false; }
    void MarkChanged() { m_changed = true; }
    /// Takes over date and times that were checked as LoadFromPropertyList checks them, for an
    /// entry without additional properties.
    void TakeDateAndTimes(double day, double startTime, double endTime);

private:
    double m_date = 0;
    double m_startTime = 0;
    double m_endTime = 0;
    std::shared_ptr<IHXPropertyList_> m_additional;
    bool m_changed = false;
};

/// The values of an activity entry whose stored form holds its own properties only, each of its
/// own type: what LoadFromPropertyList takes from such a list.
struct TActivityEntryValues {
    double date = 0;
    double startTime = 0;
    double endTime = 0;
    double duration = 0;
    TGUID locatorId;
    QString locatorPath;
    QString locatorName;
    bool locatorBreak = false;
    bool isProblem = true;
};

/// An entry booked on an activity: the locator, the time actually spent and the unconfirmed flag.
class TActivityEntry : public TEntry, public IHXActivityEntry_ {
public:
    TActivityEntry();

    /// The same as LoadFromPropertyList with a list of exactly these values, without building
    /// the list: readers of many stored entries take this way. Raises as LoadFromPropertyList
    /// does and then leaves the entry as it was.
    void LoadFromValues(const TActivityEntryValues& values);

    /// Its own flag or its locator's.
    bool Changed() const override;
    void AddToPropertyList(const std::shared_ptr<IHXPropertyList_>& list) const override;
    /// Also clears the locator's flag: an entry that was written is unchanged.
    std::shared_ptr<IHXPropertyList_> SaveAsPropertyList() override;

    void CalculateDuration() override;
    std::shared_ptr<IHXActivityLocator_> Locator() const override;
    double Duration() const override { return m_duration; }
    void SetDuration(double duration) override;
    bool IsProblem() const override { return m_isProblem; }
    void SetIsProblem(bool isProblem) override;

protected:
    void LoadOwnValues(const std::shared_ptr<IHXPropertyList_>& properties) override;
    void ClearChanged() override;

private:
    std::shared_ptr<TActivityLocator> m_locator;
    double m_duration = 0;
    bool m_isProblem = true;
};
