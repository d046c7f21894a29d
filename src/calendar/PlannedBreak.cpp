#include "calendar/PlannedBreak.h"

#include "calendar/NestedPropertyList.h"
#include "foundation/DateTime.h"
#include "foundation/Log.h"
#include "foundation/VRNTools.h"
#include "model/PropertyHelpers.h"

#include <algorithm>
#include <cmath>

namespace {

const QString FromName = QStringLiteral("from");
const QString ToName = QStringLiteral("to");
const QString DurationName = QStringLiteral("duration");
const QString LocatorName = QStringLiteral("activity locator");

/// A value read from the options that no break can hold reads as 0 (like a missing one).
double Sound(double value, double maximum, const QString& what) {
    if (std::isfinite(value) && value >= 0 && value <= maximum)
        return value;
    WriteLog(QStringLiteral("TPlannedBreakList.LoadFromValueList: invalid %1 read as 0").arg(what));
    return 0.0;
}

} // namespace

TPlannedBreak::TPlannedBreak() : m_locator(std::make_shared<TActivityLocator>()) {
    m_locator->SetIsBreak(true);
    m_locator->SetChanged(false);
}

PlannedBreakPtr TPlannedBreakList::AddNew() {
    auto plannedBreak = std::make_shared<TPlannedBreak>();
    m_items.push_back(plannedBreak);
    return plannedBreak;
}

PlannedBreakPtr TPlannedBreakList::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EVRNListError(QStringLiteral("TPlannedBreakList: list index out of bounds (%1)").arg(index));
    return m_items[static_cast<size_t>(index)];
}

void TPlannedBreakList::Remove(const PlannedBreakPtr& plannedBreak) {
    const auto it =
        std::find_if(m_items.begin(), m_items.end(), [&](const auto& item) { return SameObject(item, plannedBreak); });
    if (it != m_items.end())
        m_items.erase(it);
}

void TPlannedBreakList::LoadFromValueList(const std::shared_ptr<IHXPropertyValueList_>& list) {
    Clear();
    if (!list)
        return;
    for (int i = 0; i < list->Count(); ++i) {
        const auto item = list->Items(i);
        if (item->DataType() != hxpdtPropertyList) {
            WriteLog(QStringLiteral("TPlannedBreakList.LoadFromValueList: item %1 is no break, dropped").arg(i));
            continue;
        }
        const auto properties = item->AsPropertyList();
        auto plannedBreak = AddNew();
        plannedBreak->SetFromTime(Sound(FindTimeDef(properties, FromName, 0), 1.0, FromName));
        plannedBreak->SetToTime(Sound(FindTimeDef(properties, ToName, 0), 1.0, ToName));
        plannedBreak->SetDuration(Sound(GetDurationDef(properties->Find(DurationName), 0), 1.0, DurationName));
        if (const auto locator = NestedPropertyList(properties, LocatorName)) {
            try {
                plannedBreak->ActivityLocator()->LoadFromPropertyList(locator);
            } catch (const std::exception& e) {
                // The break keeps its times; it stays booked to the break pseudo-activity.
                LogException(QStringLiteral("TPlannedBreakList.LoadFromValueList"), e);
            }
        }
    }
}

void TPlannedBreakList::SaveToValueList(const std::shared_ptr<IHXPropertyValueList_>& list) const {
    list->Clear();
    for (const auto& plannedBreak : m_items) {
        const auto properties = list->AddItem()->AsPropertyList();
        properties->Items(FromName)->SetAsTime(plannedBreak->FromTime());
        properties->Items(ToName)->SetAsTime(plannedBreak->ToTime());
        properties->Items(DurationName)->SetAsDuration(plannedBreak->Duration());
        plannedBreak->ActivityLocator()->SaveToPropertyList(properties->Items(LocatorName)->AsPropertyList());
    }
}

void LoadPlannedBreaksFromSection(IHXPlannedBreakList_& breaks, const std::shared_ptr<IHXPropertyList_>& section) {
    breaks.LoadFromValueList(FindValueListDef(section, PlannedBreaksSectionName, nullptr));
}

void SavePlannedBreaksToSection(const IHXPlannedBreakList_& breaks, const std::shared_ptr<IHXPropertyList_>& section) {
    breaks.SaveToValueList(section->Items(PlannedBreaksSectionName)->AsValueList());
}

TPlannedBreakValues PlannedBreakValues(const IHXPlannedBreak_& plannedBreak) {
    return TPlannedBreakValues{plannedBreak.FromTime(), plannedBreak.ToTime(), plannedBreak.Duration(),
                               plannedBreak.ActivityLocator()->ID()};
}

std::vector<TPlannedBreakValues> PlannedBreakValueList(const IHXPlannedBreakList_& breaks) {
    std::vector<TPlannedBreakValues> values;
    values.reserve(static_cast<size_t>(breaks.Count()));
    for (int i = 0; i < breaks.Count(); ++i)
        values.push_back(PlannedBreakValues(*breaks.Items(i)));
    return values;
}

std::vector<TPlannedBreakValues> LoadPlannedBreakValues(const std::shared_ptr<IHXPropertyList_>& section) {
    TPlannedBreakList breaks;
    LoadPlannedBreaksFromSection(breaks, section);
    return PlannedBreakValueList(breaks);
}

PlannedBreakPtr RecognisePlannedBreak(const IHXPlannedBreakList_& breaks, double periodStart, double periodEnd,
                                      double now, double today, const std::vector<TBookedBreakEntry>& booked) {
    const int index = RecognisePlannedBreak(periodStart, periodEnd, now, today, PlannedBreakValueList(breaks), booked);
    return index < 0 ? nullptr : breaks.Items(index);
}
