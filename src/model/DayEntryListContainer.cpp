#include "model/DayEntryListContainer.h"

#include "foundation/DateTime.h"

#include <algorithm>

void TDayEntryListContainer::Add(const DayEntryListPtr& list) {
    if (!list)
        throw EUnassignedArgumentError(QStringLiteral("TDayEntryListContainer.Add"));
    if (m_lists.Contains(list->Date()))
        throw EVRNListError(QStringLiteral("Container already contains a DayEntryList with the date '%1'")
                                .arg(DateToISO(list->Date())));
    m_lists.SetValue(list->Date(), list);
}

DayEntryListPtr TDayEntryListContainer::Find(double date) const {
    return m_lists.GetValue(date);
}

bool TDayEntryListContainer::HasChanges() const {
    for (int i = 0; i < m_lists.Count(); ++i) {
        if (m_lists.Items(i)->Changed())
            return true;
    }
    return false;
}

bool TDayEntryListContainer::GetMinMaxDate(double& minDate, double& maxDate) const {
    bool found = false;
    for (int i = 0; i < m_lists.Count(); ++i) {
        const auto& list = m_lists.Items(i);
        if (list->Count() == 0)
            continue;
        const double day = DateOf(list->Date());
        if (!found || day < minDate)
            minDate = day;
        if (!found || day > maxDate)
            maxDate = day;
        found = true;
    }
    return found;
}

void TDayEntryListContainer::Purge() {
    const double today = TodayDate();
    std::vector<double> dropped;
    for (int i = 0; i < m_lists.Count(); ++i) {
        const auto& list = m_lists.Items(i);
        const double day = DateOf(list->Date());
        const bool heldElsewhere = list.use_count() > 1;
        if (!heldElsewhere && !list->Changed() && day != today && day != today - 1)
            dropped.push_back(day);
    }
    for (double day : dropped)
        m_lists.Remove(day);
}

std::vector<DayEntryListPtr> TDayEntryListContainer::Lists() const {
    std::vector<DayEntryListPtr> lists;
    for (int i = 0; i < m_lists.Count(); ++i)
        lists.push_back(m_lists.Items(i));
    std::sort(lists.begin(), lists.end(),
              [](const DayEntryListPtr& a, const DayEntryListPtr& b) { return a->Date() < b->Date(); });
    return lists;
}
