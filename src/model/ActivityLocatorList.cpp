#include "model/ActivityLocatorList.h"

#include "foundation/VRNException.h"
#include "model/PropertyList.h"

#include <vector>

ActivityLocatorPtr TActivityLocatorList::Items(int index) const {
    return m_items.Items(index);
}

ActivityLocatorPtr TActivityLocatorList::AddNew() {
    auto locator = std::make_shared<TActivityLocator>();
    m_items.Add(locator);
    return locator;
}

void TActivityLocatorList::Remove(const ActivityLocatorPtr& locator) {
    m_items.Remove(locator);
}

void TActivityLocatorList::LoadFromValueList(const std::shared_ptr<IHXPropertyValueList_>& list) {
    if (!list)
        throw EUnassignedArgumentError(QStringLiteral("TActivityLocatorList.LoadFromValueList"));
    std::vector<ActivityLocatorPtr> loaded;
    for (int i = 0; i < list->Count(); ++i) {
        auto locator = std::make_shared<TActivityLocator>();
        locator->LoadFromPropertyList(list->Items(i)->AsPropertyList());
        loaded.push_back(locator);
    }
    m_items.Clear();
    for (const auto& locator : loaded)
        m_items.Add(locator);
}

void TActivityLocatorList::SaveToValueList(const std::shared_ptr<IHXPropertyValueList_>& list) const {
    if (!list)
        throw EUnassignedArgumentError(QStringLiteral("TActivityLocatorList.SaveToValueList"));
    list->Clear();
    for (const auto& locator : m_items)
        list->AddItem()->AsPropertyList()->Assign(locator->SaveAsPropertyList());
}

void TActivityLocatorHistoryList::SetMaxElements(int maxElements) {
    maxElements = std::max(0, maxElements);
    if (maxElements == m_maxElements)
        return;
    m_maxElements = maxElements;
    Trim();
}

ActivityLocatorPtr TActivityLocatorHistoryList::AddNew() {
    auto locator = std::make_shared<TActivityLocator>();
    m_items.Insert(0, locator);
    Trim();
    return locator;
}

void TActivityLocatorHistoryList::LoadFromValueList(const std::shared_ptr<IHXPropertyValueList_>& list) {
    TActivityLocatorList::LoadFromValueList(list);
    Trim();
}

void TActivityLocatorHistoryList::AddToHistory(const ActivityLocatorPtr& locator) {
    if (!locator)
        throw EUnassignedArgumentError(QStringLiteral("TActivityLocatorHistoryList.AddToHistory"));
    for (int i = 0; i < m_items.Count(); ++i) {
        if (m_items.Items(i)->Eq(locator)) {
            m_items.Delete(i);
            break;
        }
    }
    AddNew()->Assign(locator);
}

void TActivityLocatorHistoryList::Trim() {
    while (m_items.Count() > m_maxElements)
        m_items.Delete(m_items.Count() - 1);
}
