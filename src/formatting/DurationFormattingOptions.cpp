#include "formatting/DurationFormattingOptions.h"

#include "formatting/FormatterSelection.h"

#include <algorithm>
#include <cmath>

namespace {

const QString HoursPerDayName = QStringLiteral("hours per day");

} // namespace

double ClampHoursPerDay(double value) {
    if (std::isnan(value))
        return TDurationFormattingOptions::DefaultHoursPerDay;
    return std::clamp(value, 1.0, 24.0);
}

std::shared_ptr<TDurationFormattingOptions> TDurationFormattingOptions::Create() {
    auto options = std::make_shared<TDurationFormattingOptions>();
    options->LoadFromPropertyList(nullptr);
    return options;
}

void TDurationFormattingOptions::SetHoursPerDay(double value) {
    m_hoursPerDay = ClampHoursPerDay(value);
}

void TDurationFormattingOptions::RenewLists() {
    std::weak_ptr<const IHXDurationFormattingOptions_> self;
    if (const auto owner = weak_from_this().lock())
        self = std::shared_ptr<const IHXDurationFormattingOptions_>(owner, this);
    m_definitions = std::make_shared<TDurationFormatterListDefault>(self);
    m_selection = std::make_shared<TDurationFormatterList>();
}

void TDurationFormattingOptions::LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) {
    RenewLists();
    if (!list) {
        m_hoursPerDay = DefaultHoursPerDay;
    } else {
        m_hoursPerDay = ClampHoursPerDay(GetDoubleDef(list->Find(HoursPerDayName), DefaultHoursPerDay));
        // Only the built-ins exist: reading the definitions resets them, whatever was saved.
        m_definitions->Reset();
        ReadFormatterSelection(list, m_definitions, m_selection,
                               QStringLiteral("TDurationFormattingOptions.LoadFromPropertyList"));
    }
    SelectAllIfEmpty(m_definitions, m_selection);
}

std::shared_ptr<IHXPropertyList_> TDurationFormattingOptions::SaveToPropertyList() const {
    auto list = std::make_shared<TPropertyList>();
    list->Items(HoursPerDayName)->SetAsDouble(m_hoursPerDay);
    WriteFormatterLists(*list, m_definitions, m_selection);
    return list;
}
