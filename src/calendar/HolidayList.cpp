#include "calendar/HolidayList.h"

#include "calendar/Day.h"
#include "foundation/DateTime.h"
#include "foundation/Log.h"
#include "foundation/VRNTools.h"
#include "model/PropertyHelpers.h"

#include <iterator>

namespace {

[[noreturn]] void RaiseIndexError(int index) {
    throw EVRNListError(QStringLiteral("THolidayList: list index out of bounds (%1)").arg(index));
}

} // namespace

const std::vector<std::shared_ptr<IHXHoliday_>>& THolidayList::Sorted() const {
    if (!m_sortedValid) {
        m_sorted.clear();
        m_sorted.reserve(m_byDay.size());
        for (const auto& [day, holiday] : m_byDay)
            m_sorted.push_back(holiday);
        m_sortedValid = true;
    }
    return m_sorted;
}

std::shared_ptr<IHXHoliday_> THolidayList::Items(int index) const {
    const auto& sorted = Sorted();
    if (index < 0 || index >= static_cast<int>(sorted.size()))
        RaiseIndexError(index);
    return sorted[static_cast<size_t>(index)];
}

std::shared_ptr<IHXHoliday_> THolidayList::AddNew(double date) {
    auto holiday = std::make_shared<THoliday>(date);
    Add(holiday);
    return holiday;
}

void THolidayList::Add(const std::shared_ptr<IHXHoliday_>& holiday) {
    if (!holiday)
        throw EUnassignedArgumentError(QStringLiteral("THolidayList.Add"));
    const long long day = DayNumber(holiday->Date());
    if (m_byDay.count(day))
        throw EHolidayListAddError(QStringLiteral("The list already contains an holiday with the date ") +
                                   DateToISO(holiday->Date()));
    m_byDay.emplace(day, holiday);
    Changed();
}

void THolidayList::Put(const std::shared_ptr<IHXHoliday_>& holiday) {
    m_byDay[DayNumber(holiday->Date())] = holiday;
    Changed();
}

void THolidayList::Delete(int index) {
    if (index < 0 || index >= Count())
        RaiseIndexError(index);
    m_byDay.erase(std::next(m_byDay.begin(), index));
    Changed();
}

int THolidayList::IndexOfDay(long long day) const {
    const auto it = m_byDay.find(day);
    if (it == m_byDay.end())
        return -1;
    return static_cast<int>(std::distance(m_byDay.begin(), it));
}

int THolidayList::DeleteByDate(double date) {
    const long long day = DayNumber(date);
    const int index = IndexOfDay(day);
    if (index >= 0) {
        m_byDay.erase(day);
        Changed();
    }
    return index;
}

std::shared_ptr<IHXHoliday_> THolidayList::FindDate(double date) const {
    const auto it = m_byDay.find(DayNumber(date));
    return it == m_byDay.end() ? nullptr : it->second;
}

int THolidayList::Remove(const std::shared_ptr<IHXHoliday_>& holiday) {
    if (!holiday)
        return -1;
    const long long day = DayNumber(holiday->Date());
    const auto it = m_byDay.find(day);
    if (it == m_byDay.end() || !SameObject(it->second, holiday))
        return -1;
    const int index = static_cast<int>(std::distance(m_byDay.begin(), it));
    m_byDay.erase(it);
    Changed();
    return index;
}

void THolidayList::Clear() {
    m_byDay.clear();
    Changed();
}

std::vector<std::shared_ptr<IHXHoliday_>> THolidayList::HolidaysBetween(double first, double last) const {
    std::vector<std::shared_ptr<IHXHoliday_>> result;
    const long long lastDay = DayNumber(last);
    for (auto it = m_byDay.lower_bound(DayNumber(first)); it != m_byDay.end() && it->first <= lastDay; ++it)
        result.push_back(it->second);
    return result;
}

void THolidayList::LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) {
    Clear();
    const auto items = FindValueListDef(list, QStringLiteral("holidaylist"), nullptr);
    if (!items)
        return;
    for (int i = 0; i < items->Count(); ++i) {
        const auto item = items->Items(i);
        if (item->DataType() != hxpdtPropertyList)
            continue;
        const auto properties = item->AsPropertyList();
        const double date = THoliday::DateInPropertyList(properties);
        if (date == 0) {
            // Without a date the holiday would land on 1899-12-30; it cannot be meant.
            WriteLog(QStringLiteral("THolidayList.LoadFromPropertyList: holiday without a date dropped"));
            continue;
        }
        try {
            auto holiday = std::make_shared<THoliday>(date);
            holiday->LoadFromPropertyList(properties);
            if (!holiday->Name().isEmpty())
                Put(holiday);
        } catch (const std::exception& e) {
            LogException(QStringLiteral("THolidayList.LoadFromPropertyList"), e);
        }
    }
}

void THolidayList::SaveToPropertyList(const std::shared_ptr<IHXPropertyList_>& list) const {
    const auto items = list->Items(QStringLiteral("holidaylist"))->AsValueList();
    items->Clear();
    for (const auto& [day, holiday] : m_byDay)
        holiday->SaveToPropertyList(items->AddItem()->AsPropertyList());
}
