#include "worksheet/WorkingDays.h"

#include "foundation/DateTime.h"
#include "foundation/VRNException.h"
#include "storage/StorageInterfaces.h"

#include <cmath>

TWorkingDays::TWorkingDays(std::shared_ptr<IHXTypedStorage_> storage) : m_storage(std::move(storage)) {}

int TWorkingDays::Key(double date) {
    return static_cast<int>(std::floor(date + OneMillisecond / 2));
}

DayEntryListPtr TWorkingDays::Get(double date) {
    const int key = Key(date);
    const auto found = m_days.find(key);
    if (found != m_days.end())
        return found->second.list;
    if (!m_storage)
        return nullptr;
    try {
        const DayEntryListPtr stored = m_storage->GetDayEntries(key);
        if (!stored)
            return nullptr;
        DayEntryListPtr copy = stored->Clone();
        m_days[key] = TDay{copy, false};
        return copy;
    } catch (const EUserCancel&) {
        m_days[key] = TDay{nullptr, true};
    } catch (...) {
        // Not remembered: the next request tries again.
    }
    return nullptr;
}

bool TWorkingDays::IsDead(double date) const {
    const auto found = m_days.find(Key(date));
    return found != m_days.end() && found->second.dead;
}

DayEntryListPtr TWorkingDays::Loaded(double date) const {
    const auto found = m_days.find(Key(date));
    return found == m_days.end() ? nullptr : found->second.list;
}

bool TWorkingDays::EarliestWithEntries(double& date) const {
    for (const auto& [key, day] : m_days)
        if (day.list && day.list->Count() > 0) {
            date = key;
            return true;
        }
    return false;
}

std::vector<DayEntryListPtr> TWorkingDays::Modified() const {
    std::vector<DayEntryListPtr> modified;
    for (const auto& [key, day] : m_days)
        if (day.list && day.list->Changed())
            modified.push_back(day.list);
    return modified;
}

void TWorkingDays::Save(const std::function<void()>& save) {
    const std::vector<DayEntryListPtr> modified = Modified();
    std::vector<DayEntryListPtr> stored;
    stored.reserve(modified.size());
    if (!modified.empty() && !m_storage)
        throw EVRNException(QStringLiteral("TWorkingDays.Save: no storage"));
    for (const DayEntryListPtr& copy : modified) {
        DayEntryListPtr list = m_storage->GetDayEntries(copy->Date());
        if (!list)
            throw EVRNException(
                QStringLiteral("TWorkingDays.Save: the day %1 cannot be loaded").arg(DateToISO(copy->Date())));
        stored.push_back(std::move(list));
    }
    for (size_t i = 0; i < modified.size(); ++i)
        stored[i]->Assign(modified[i]);
    if (save)
        save();
    Clear();
}

void TWorkingDays::Clear() {
    m_days.clear();
}
