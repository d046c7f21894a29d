#pragma once

#include "calendar/BreakRecognition.h"
#include "foundation/CheckedObject.h"
#include "model/ActivityLocator.h"
#include "model/PropertyInterfaces.h"

#include <QString>
#include <memory>
#include <vector>

/// A break the user takes every day, such as lunch: the window of the day in which it usually
/// happens (FromTime..ToTime, times of day 0..1; a ToTime earlier than FromTime crosses midnight),
/// its typical length, and the activity it is booked to. The model performs no validation; the
/// break edit dialog does.
class IHXPlannedBreak_ {
public:
    virtual ~IHXPlannedBreak_() = default;
    virtual double FromTime() const = 0;
    virtual void SetFromTime(double value) = 0;
    virtual double ToTime() const = 0;
    virtual void SetToTime(double value) = 0;
    /// A duration in days.
    virtual double Duration() const = 0;
    virtual void SetDuration(double value) = 0;
    /// The break's own locator, created with the break and never replaced: change it through its
    /// Assign.
    virtual ActivityLocatorPtr ActivityLocator() const = 0;
};
using PlannedBreakPtr = std::shared_ptr<IHXPlannedBreak_>;

class TPlannedBreak : public TInterfacedAndCheckedObject, public IHXPlannedBreak_ {
public:
    /// Window 00:00..00:00, duration 0, booked to the break pseudo-activity (a locator with only
    /// its break flag set).
    TPlannedBreak();

    double FromTime() const override { return m_from; }
    void SetFromTime(double value) override { m_from = value; }
    double ToTime() const override { return m_to; }
    void SetToTime(double value) override { m_to = value; }
    double Duration() const override { return m_duration; }
    void SetDuration(double value) override { m_duration = value; }
    ActivityLocatorPtr ActivityLocator() const override { return m_locator; }

private:
    double m_from = 0.0;
    double m_to = 0.0;
    double m_duration = 0.0;
    ActivityLocatorPtr m_locator;
};

/// The planned breaks in insertion order. The order matters: recognition proposes the first
/// break that matches.
class IHXPlannedBreakList_ {
public:
    virtual ~IHXPlannedBreakList_() = default;
    /// Appends a new break with the defaults and returns it.
    virtual PlannedBreakPtr AddNew() = 0;
    virtual void Clear() = 0;
    virtual int Count() const = 0;
    /// Index from 0; out of range raises EVRNListError.
    virtual PlannedBreakPtr Items(int index) const = 0;
    /// Removes that break object (nothing happens when it is not in the list).
    virtual void Remove(const PlannedBreakPtr& plannedBreak) = 0;
    /// Replaces the content: one break per item, each a property list with "from", "to" (times),
    /// "duration" and "activity locator". Missing values read as 0; values no break can hold
    /// (times outside 0..1, negative durations) read as 0 too, and a locator that cannot be read
    /// leaves the break booked to the break pseudo-activity. Never raises for bad content.
    virtual void LoadFromValueList(const std::shared_ptr<IHXPropertyValueList_>& list) = 0;
    /// Clears the value list and writes every break in list order.
    virtual void SaveToValueList(const std::shared_ptr<IHXPropertyValueList_>& list) const = 0;
};
using PlannedBreakListPtr = std::shared_ptr<IHXPlannedBreakList_>;

class TPlannedBreakList : public TInterfacedAndCheckedObject, public IHXPlannedBreakList_ {
public:
    PlannedBreakPtr AddNew() override;
    void Clear() override { m_items.clear(); }
    int Count() const override { return static_cast<int>(m_items.size()); }
    PlannedBreakPtr Items(int index) const override;
    void Remove(const PlannedBreakPtr& plannedBreak) override;
    void LoadFromValueList(const std::shared_ptr<IHXPropertyValueList_>& list) override;
    void SaveToValueList(const std::shared_ptr<IHXPropertyValueList_>& list) const override;

private:
    std::vector<PlannedBreakPtr> m_items;
};

/// The options section that holds the planned breaks; its value list has the same name.
inline const QString PlannedBreaksSectionName = QStringLiteral("planned breaks");

/// The options section "planned breaks" holds the list as the value list "planned breaks". A
/// missing section or value list loads an empty list.
void LoadPlannedBreaksFromSection(IHXPlannedBreakList_& breaks, const std::shared_ptr<IHXPropertyList_>& section);
void SavePlannedBreaksToSection(const IHXPlannedBreakList_& breaks, const std::shared_ptr<IHXPropertyList_>& section);

/// The break as the recognition sees it (its activity is the locator's ID).
TPlannedBreakValues PlannedBreakValues(const IHXPlannedBreak_& plannedBreak);

/// The breaks of a list as the recognition sees them, in list order.
std::vector<TPlannedBreakValues> PlannedBreakValueList(const IHXPlannedBreakList_& breaks);
/// A fresh copy of the user's breaks read from the options section "planned breaks" (nullptr: no
/// section), as values: what the tracking manager's host hands the manager at every reload.
std::vector<TPlannedBreakValues> LoadPlannedBreakValues(const std::shared_ptr<IHXPropertyList_>& section);

/// RecognisePlannedBreak (BreakRecognition.h) over a list: the break to propose, or nullptr.
PlannedBreakPtr RecognisePlannedBreak(const IHXPlannedBreakList_& breaks, double periodStart, double periodEnd,
                                      double now, double today, const std::vector<TBookedBreakEntry>& booked);
