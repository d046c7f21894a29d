#pragma once

#include "foundation/CheckedObject.h"
#include "foundation/VRNException.h"
#include "model/PropertyInterfaces.h"

#include <optional>

/// A negative percentage was set: "WorktimePercentage must be >= 0".
VRN_DECLARE_EXCEPTION(EHolidayWorktimeError, EVRNException);

/// The rule by which a holiday changes the required time of its weekday.
///
/// An absolute non-relative rule replaces the weekday's time, a percentage non-relative rule
/// scales it, a relative rule adds or subtracts an amount or a share of it (never below zero).
/// Invariant kept by the setters: a negative rule is always relative (setting IsNegative to v
/// sets IsRelative to IsRelative || v; setting IsRelative to v sets IsNegative to IsNegative && v).
class IHXHolidayWorktime_ {
public:
    virtual ~IHXHolidayWorktime_() = default;
    virtual bool IsPercentage() const = 0;
    virtual void SetIsPercentage(bool value) = 0;
    virtual bool IsNegative() const = 0;
    virtual void SetIsNegative(bool value) = 0;
    virtual bool IsRelative() const = 0;
    virtual void SetIsRelative(bool value) = 0;
    /// A duration in days.
    virtual double WorktimeAbsolute() const = 0;
    virtual void SetWorktimeAbsolute(double value) = 0;
    /// A fraction: 0.5 means 50 %. Setting a value below 0 raises EHolidayWorktimeError and
    /// keeps the old value.
    virtual double WorktimePercentage() const = 0;
    virtual void SetWorktimePercentage(double value) = 0;
    /// Copies all five fields.
    virtual void Assign(const IHXHolidayWorktime_& source) = 0;
    /// "ispercentage", "isrelative", "isnegative" (a negative rule is made relative) and the amount
    /// the percentage flag selects: "worktime percentage" or "worktime absolute" (default 0). A
    /// negative amount reads as 0.
    virtual void LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) = 0;
    /// Writes the flags and the one amount that counts, removing the other.
    virtual void SaveToPropertyList(const std::shared_ptr<IHXPropertyList_>& list) const = 0;
};

class THolidayWorktime : public TInterfacedAndCheckedObject, public IHXHolidayWorktime_ {
public:
    bool IsPercentage() const override { return m_isPercentage; }
    void SetIsPercentage(bool value) override { m_isPercentage = value; }
    bool IsNegative() const override { return m_isNegative; }
    void SetIsNegative(bool value) override;
    bool IsRelative() const override { return m_isRelative; }
    void SetIsRelative(bool value) override;
    double WorktimeAbsolute() const override { return m_absolute; }
    void SetWorktimeAbsolute(double value) override { m_absolute = value; }
    double WorktimePercentage() const override { return m_percentage; }
    void SetWorktimePercentage(double value) override;
    void Assign(const IHXHolidayWorktime_& source) override;
    void LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) override;
    void SaveToPropertyList(const std::shared_ptr<IHXPropertyList_>& list) const override;

private:
    bool m_isPercentage = false;
    bool m_isNegative = false;
    bool m_isRelative = false;
    double m_absolute = 0.0;
    double m_percentage = 0.0;
};

/// The required time that results from applying the rule to a weekday whose required time is
/// weekdayWorkTime. Empty when the rule leaves the weekday's time as it is (the caller then
/// hands out the weekday object itself); otherwise the new required time, never below zero for
/// relative rules.
std::optional<double> ApplyHolidayRule(const IHXHolidayWorktime_& rule, double weekdayWorkTime);
