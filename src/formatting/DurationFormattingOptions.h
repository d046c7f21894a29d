#pragma once

#include "formatting/DurationFormatterList.h"

#include <memory>

/// The duration half of the formatting options: "hours per day" (for the day formatters), the
/// built-in formatters and the user's selection of them.
class IHXDurationFormattingOptions_ {
public:
    virtual ~IHXDurationFormattingOptions_() = default;
    /// Working hours that make one working day, 1..24.
    virtual double HoursPerDay() const = 0;
    /// Clamps to 1..24.
    virtual void SetHoursPerDay(double value) = 0;
    /// The nine built-in formatters, bound to these options.
    virtual DurationFormatterListPtr Definitions() const = 0;
    /// The formatters offered in choosers, in the user's order.
    virtual DurationFormatterListPtr Selection() const = 0;
    /// Loads from the "duration formatting options" list; nullptr loads the defaults. Never
    /// raises for bad content: what cannot be read keeps its default.
    virtual void LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) = 0;
    virtual std::shared_ptr<IHXPropertyList_> SaveToPropertyList() const = 0;
};
using DurationFormattingOptionsPtr = std::shared_ptr<IHXDurationFormattingOptions_>;

class TDurationFormattingOptions : public TInterfacedAndCheckedObject, public IHXDurationFormattingOptions_ {
public:
    static constexpr double DefaultHoursPerDay = 8.0;

    /// New options with the defaults: 8 hours per day, every built-in formatter selected.
    static std::shared_ptr<TDurationFormattingOptions> Create();

    double HoursPerDay() const override { return m_hoursPerDay; }
    void SetHoursPerDay(double value) override;
    DurationFormatterListPtr Definitions() const override { return m_definitions; }
    DurationFormatterListPtr Selection() const override { return m_selection; }
    void LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) override;
    std::shared_ptr<IHXPropertyList_> SaveToPropertyList() const override;

    /// Use Create(): the day formatters hold a weak reference to the options, which only options
    /// owned by a shared_ptr can hand out (others leave the formatters at 8 hours per day).
    TDurationFormattingOptions() = default;

private:
    /// New definitions (the built-ins) and an empty selection.
    void RenewLists();

    double m_hoursPerDay = DefaultHoursPerDay;
    DurationFormatterListPtr m_definitions;
    DurationFormatterListPtr m_selection;
};

/// 1..24; a value that is not a number gives the default.
double ClampHoursPerDay(double value);
