#include "formatting/DurationFormatterList.h"

#include "foundation/VRNTools.h"
#include "model/PropertyList.h"

#include <algorithm>

namespace {

[[noreturn]] void RaiseIndexError(int index) {
    throw EVRNListError(QStringLiteral("TDurationFormatterList: list index out of bounds (%1)").arg(index));
}

} // namespace

DurationFormatterPtr TDurationFormatterList::Items(int index) const {
    if (index < 0 || index >= Count())
        RaiseIndexError(index);
    return m_items[static_cast<size_t>(index)];
}

void TDurationFormatterList::Add(const DurationFormatterPtr& formatter) {
    Insert(Count(), formatter);
}

void TDurationFormatterList::Insert(int index, const DurationFormatterPtr& formatter) {
    if (!formatter)
        throw EUnassignedArgumentError(QStringLiteral("TDurationFormatterList.Insert"));
    if (index < 0 || index > Count())
        RaiseIndexError(index);
    m_items.insert(m_items.begin() + index, formatter);
}

int TDurationFormatterList::Remove(const DurationFormatterPtr& formatter) {
    const int index = IndexOf(formatter);
    if (index >= 0)
        m_items.erase(m_items.begin() + index);
    return index;
}

void TDurationFormatterList::Delete(int index) {
    if (index < 0 || index >= Count())
        RaiseIndexError(index);
    m_items.erase(m_items.begin() + index);
}

int TDurationFormatterList::IndexOf(const DurationFormatterPtr& formatter) const {
    const auto it =
        std::find_if(m_items.begin(), m_items.end(), [&](const auto& item) { return SameObject(item, formatter); });
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

DurationFormatterPtr TDurationFormatterList::FindById(const TGUID& id) const {
    for (const auto& formatter : m_items)
        if (formatter->Id() == id)
            return formatter;
    return nullptr;
}

void TDurationFormatterList::Reset() {
    m_items.clear();
}

TDurationFormatterListDefault::TDurationFormatterListDefault(std::weak_ptr<const IHXDurationFormattingOptions_> options)
    : m_options(std::move(options)) {
    TDurationFormatterListDefault::Reset();
}

void TDurationFormatterListDefault::Reset() {
    m_items = {
        std::make_shared<TDurationFormatterAutomatic>(m_options),
        std::make_shared<TDurationFormatterHM>(),
        std::make_shared<TDurationFormatterUnitDays0>(m_options),
        std::make_shared<TDurationFormatterUnitDays1>(m_options),
        std::make_shared<TDurationFormatterUnitDays2>(m_options),
        std::make_shared<TDurationFormatterUnitHours0>(),
        std::make_shared<TDurationFormatterUnitHours1>(),
        std::make_shared<TDurationFormatterUnitHours2>(),
        std::make_shared<TDurationFormatterUnitMinutes0>(),
    };
}

std::shared_ptr<IHXPropertyList_> TDurationFormatterList::SaveToPropertyList() const {
    auto list = std::make_shared<TPropertyList>();
    const auto items = list->Items(QStringLiteral("formatter list"))->AsValueList();
    for (const auto& formatter : m_items)
        items->AddItem()->AsPropertyList()->Assign(formatter->SaveToPropertyList());
    return list;
}
