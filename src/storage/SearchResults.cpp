#include "storage/SearchResults.h"

TSearchResultFromList::TSearchResultFromList(EntryListPtr list) : m_list(std::move(list)) {}

TSearchResultFromList::TSearchResultFromList(std::vector<EntryPtr> entries) : m_entries(std::move(entries)) {}

EntryPtr TSearchResultFromList::Current() {
    if (m_position < 0)
        return nullptr;
    if (!m_list)
        return m_position < int(m_entries.size()) ? m_entries[size_t(m_position)] : nullptr;
    return m_position < m_list->Count() ? m_list->Items(m_position) : nullptr;
}

void TSearchResultContainer::Add(SearchResultPtr result) {
    if (result)
        m_parts.push_back(std::move(result));
}

EntryPtr TSearchResultContainer::Current() {
    return m_index < m_parts.size() ? m_parts[m_index]->Current() : nullptr;
}

void TSearchResultContainer::First() {
    m_index = 0;
    if (m_parts.empty())
        return;
    m_parts[0]->First();
    if (m_parts[0]->Eof())
        Next();
}

void TSearchResultContainer::Next() {
    if (m_index >= m_parts.size())
        return;
    m_parts[m_index]->Next();
    // Skip the parts that have nothing (more) to offer.
    while (m_index < m_parts.size() && m_parts[m_index]->Eof()) {
        ++m_index;
        if (m_index < m_parts.size())
            m_parts[m_index]->First();
    }
}
