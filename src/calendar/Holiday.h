#pragma once

#include "calendar/HolidayWorktime.h"

#include <QString>
#include <memory>

/// One holiday: a date (time of day removed), a name, and two rules. The default rule came with
/// the holiday (for example from an imported holiday file); the override rule is the user's own
/// and is used instead while the override flag is set. Both rule objects exist from creation on
/// and are only ever changed, never replaced, so switching the flag off brings the default rule
/// back without losing the override.
class IHXHoliday_ {
public:
    virtual ~IHXHoliday_() = default;
    virtual double Date() const = 0;
    virtual QString Name() const = 0;
    virtual void SetName(const QString& name) = 0;
    virtual std::shared_ptr<IHXHolidayWorktime_> DefaultWorktime() const = 0;
    virtual std::shared_ptr<IHXHolidayWorktime_> OverrideWorktime() const = 0;
    virtual bool OverrideWorktimeDefault() const = 0;
    virtual void SetOverrideWorktimeDefault(bool value) = 0;
    /// The override rule while the flag is set, else the default rule.
    virtual std::shared_ptr<IHXHolidayWorktime_> EffectiveWorktime() const = 0;
    /// "name", "worktime default", "override worktime default" and, only while that flag is set,
    /// "worktime override". The date is fixed at creation (see THoliday::DateInPropertyList).
    virtual void LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) = 0;
    /// Writes "date" and the fields above; "worktime override" only while the flag is set (it is
    /// removed otherwise).
    virtual void SaveToPropertyList(const std::shared_ptr<IHXPropertyList_>& list) const = 0;
};

class THoliday : public TInterfacedAndCheckedObject, public IHXHoliday_ {
public:
    /// The holiday of the date part of date.
    explicit THoliday(double date);

    double Date() const override { return m_date; }
    QString Name() const override { return m_name; }
    void SetName(const QString& name) override { m_name = name; }
    std::shared_ptr<IHXHolidayWorktime_> DefaultWorktime() const override { return m_default; }
    std::shared_ptr<IHXHolidayWorktime_> OverrideWorktime() const override { return m_override; }
    bool OverrideWorktimeDefault() const override { return m_overrideFlag; }
    void SetOverrideWorktimeDefault(bool value) override { m_overrideFlag = value; }
    std::shared_ptr<IHXHolidayWorktime_> EffectiveWorktime() const override;
    void LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) override;
    void SaveToPropertyList(const std::shared_ptr<IHXPropertyList_>& list) const override;

    /// The date a saved holiday names ("date", a date-time accepted), 0 when it has none.
    static double DateInPropertyList(const std::shared_ptr<IHXPropertyList_>& list);

    const std::shared_ptr<THolidayWorktime>& DefaultRule() const { return m_default; }
    const std::shared_ptr<THolidayWorktime>& OverrideRule() const { return m_override; }

private:
    double m_date;
    QString m_name;
    std::shared_ptr<THolidayWorktime> m_default = std::make_shared<THolidayWorktime>();
    std::shared_ptr<THolidayWorktime> m_override = std::make_shared<THolidayWorktime>();
    bool m_overrideFlag = false;
};
