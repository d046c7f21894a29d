#include "storage/ParallelSearchResult.h"

#include "storage/SearchResults.h"

TParallelSearchResult::TParallelSearchResult(std::vector<TPart> parts, int ahead)
    : m_parts(std::move(parts)), m_slots(m_parts.size()), m_ahead(size_t(std::max(ahead, 1))) {}

TParallelSearchResult::~TParallelSearchResult() {
    // The workers use the storages: every one has finished before this result goes.
    for (TSlot& slot : m_slots)
        if (slot.pending.valid())
            slot.pending.wait();
}

void TParallelSearchResult::StartAhead(size_t index) {
    for (size_t i = index; i < m_parts.size() && i < index + m_ahead; ++i) {
        TSlot& slot = m_slots[i];
        if (slot.result || slot.pending.valid() || !m_parts[i].alone)
            continue;
        slot.pending = std::async(std::launch::async, m_parts[i].alone);
    }
}

const SearchResultPtr& TParallelSearchResult::Part(size_t index) {
    TSlot& slot = m_slots[index];
    if (!slot.result) {
        // The parts after this one go to workers; this one is read here unless a worker has
        // begun it already.
        StartAhead(index + 1);
        std::optional<std::vector<EntryPtr>> alone;
        if (slot.pending.valid())
            alone = slot.pending.get();
        else if (m_parts[index].alone)
            alone = m_parts[index].alone();
        if (alone)
            slot.result = alone->empty() ? SearchResultPtr(std::make_shared<TEmptySearchResult>())
                                         : std::make_shared<TSearchResultFromList>(std::move(*alone));
        else
            slot.result = m_parts[index].regular();
        if (!slot.result)
            slot.result = std::make_shared<TEmptySearchResult>();
        slot.result->First();
    }
    return slot.result;
}

void TParallelSearchResult::Release(size_t index) {
    if (index < m_slots.size())
        m_slots[index].result.reset();
}

EntryPtr TParallelSearchResult::Current() {
    return m_index < m_parts.size() ? Part(m_index)->Current() : nullptr;
}

void TParallelSearchResult::First() {
    // Going back to the start reads the parts again that were passed and released.
    if (m_index < m_parts.size() && m_index > 0)
        Release(m_index);
    m_index = 0;
    if (m_parts.empty())
        return;
    Part(0)->First();
    if (Part(0)->Eof())
        Next();
}

void TParallelSearchResult::Next() {
    if (m_index >= m_parts.size())
        return;
    Part(m_index)->Next();
    while (m_index < m_parts.size() && Part(m_index)->Eof()) {
        Release(m_index);
        ++m_index;
        if (m_index < m_parts.size())
            Part(m_index)->First();
    }
}
