#include "calendar/Holiday.h"

#include "calendar/Day.h"
#include "calendar/NestedPropertyList.h"
#include "model/PropertyHelpers.h"

#include <cmath>

THoliday::THoliday(double date) : m_date(static_cast<double>(DayNumber(date))) {}

std::shared_ptr<IHXHolidayWorktime_> THoliday::EffectiveWorktime() const {
    if (m_overrideFlag)
        return m_override;
    return m_default;
}

namespace {

const QString DateName = QStringLiteral("date");
const QString NameName = QStringLiteral("name");
const QString DefaultName = QStringLiteral("worktime default");
const QString OverrideFlagName = QStringLiteral("override worktime default");
const QString OverrideName = QStringLiteral("worktime override");

} // namespace

double THoliday::DateInPropertyList(const std::shared_ptr<IHXPropertyList_>& list) {
    const double date = GetDateDef(list ? list->Find(DateName) : nullptr, 0);
    return std::isfinite(date) ? date : 0;
}

void THoliday::LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) {
    m_name = FindStringDef(list, NameName, QString());
    m_default->LoadFromPropertyList(NestedPropertyList(list, DefaultName));
    m_overrideFlag = FindBooleanDef(list, OverrideFlagName, false);
    if (m_overrideFlag)
        m_override->LoadFromPropertyList(NestedPropertyList(list, OverrideName));
}

void THoliday::SaveToPropertyList(const std::shared_ptr<IHXPropertyList_>& list) const {
    list->Items(DateName)->SetAsDate(m_date);
    list->Items(NameName)->SetAsString(m_name);
    m_default->SaveToPropertyList(list->Items(DefaultName)->AsPropertyList());
    list->Items(OverrideFlagName)->SetAsBoolean(m_overrideFlag);
    if (m_overrideFlag)
        m_override->SaveToPropertyList(list->Items(OverrideName)->AsPropertyList());
    else
        list->Remove(OverrideName);
}
