#pragma once

#include "formatting/DateFormattingOptions.h"
#include "formatting/DurationFormattingOptions.h"

/// The "formatting options": one date half and one duration half. The application owns one.
class IHXFormattingOptions_ {
public:
    virtual ~IHXFormattingOptions_() = default;
    virtual DateFormattingOptionsPtr DateFormattingOptions() const = 0;
    virtual DurationFormattingOptionsPtr DurationFormattingOptions() const = 0;
    /// Loads both halves from the section list ("date formatting options", "duration formatting
    /// options"); a half that is missing or cannot be read loads its defaults. nullptr loads the
    /// defaults of both.
    virtual void LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& section) = 0;
    /// Writes both halves into the section list (replacing what was there).
    virtual void SaveToPropertyList(const std::shared_ptr<IHXPropertyList_>& section) const = 0;
};
using FormattingOptionsPtr = std::shared_ptr<IHXFormattingOptions_>;

class TFormattingOptions : public TInterfacedAndCheckedObject, public IHXFormattingOptions_ {
public:
    /// Both halves with their defaults.
    TFormattingOptions();

    DateFormattingOptionsPtr DateFormattingOptions() const override { return m_date; }
    DurationFormattingOptionsPtr DurationFormattingOptions() const override { return m_duration; }
    void LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& section) override;
    void SaveToPropertyList(const std::shared_ptr<IHXPropertyList_>& section) const override;

    /// The start-up rule: an empty section receives the defaults, otherwise the options are loaded
    /// from it.
    void LoadOrInitialize(const std::shared_ptr<IHXPropertyList_>& section);

private:
    std::shared_ptr<TDateFormattingOptions> m_date;
    std::shared_ptr<TDurationFormattingOptions> m_duration;
};
