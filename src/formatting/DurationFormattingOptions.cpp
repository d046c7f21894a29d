#include "formatting/DurationFormattingOptions.h"

#include "foundation/Log.h"
#include "model/PropertyHelpers.h"
#include "model/PropertyList.h"

#include <algorithm>
#include <cmath>

namespace {

const QString HoursPerDayName = QStringLiteral("hours per day");
const QString DefinitionsName = QStringLiteral("formatter definitions");
const QString SelectionName = QStringLiteral("formatter selection");

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

void TDurationFormattingOptions::SelectAllIfEmpty() {
    if (m_selection->Count() > 0)
        return;
    for (int i = 0; i < m_definitions->Count(); ++i)
        m_selection->Add(m_definitions->Items(i));
}

void TDurationFormattingOptions::LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) {
    RenewLists();
    if (!list) {
        m_hoursPerDay = DefaultHoursPerDay;
    } else {
        m_hoursPerDay = ClampHoursPerDay(GetDoubleDef(list->Find(HoursPerDayName), DefaultHoursPerDay));
        // Only the built-ins exist: reading the definitions resets them, whatever was saved.
        m_definitions->Reset();
        const auto selection = FindValueListDef(list, SelectionName, nullptr);
        for (int i = 0; selection && i < selection->Count(); ++i) {
            try {
                if (const auto formatter = m_definitions->FindById(GetGUIDDef(selection->Items(i), TGUID())))
                    m_selection->Add(formatter);
            } catch (const std::exception& e) {
                LogException(QStringLiteral("TDurationFormattingOptions.LoadFromPropertyList"), e);
            }
        }
    }
    SelectAllIfEmpty();
}

std::shared_ptr<IHXPropertyList_> TDurationFormattingOptions::SaveToPropertyList() const {
    auto list = std::make_shared<TPropertyList>();
    list->Items(HoursPerDayName)->SetAsDouble(m_hoursPerDay);
    list->Items(DefinitionsName)->AsPropertyList()->Assign(m_definitions->SaveToPropertyList());
    const auto selection = list->Items(SelectionName)->AsValueList();
    for (int i = 0; i < m_selection->Count(); ++i)
        selection->AddItem()->SetAsGUID(m_selection->Items(i)->Id());
    return list;
}
