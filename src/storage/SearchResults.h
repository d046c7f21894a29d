#pragma once

// The results of SearchEntries: entries of one list, a sequence of results, or nothing.

#include "storage/StorageInterfaces.h"

#include <vector>

/// The entries of one entry list, in list order (an entry list, or the entries a search collected).
class TSearchResultFromList : public IHXSearchEntriesResult_ {
public:
    explicit TSearchResultFromList(EntryListPtr list);
    explicit TSearchResultFromList(std::vector<EntryPtr> entries);
    EntryPtr Current() override;
    bool Eof() override { return Current() == nullptr; }
    void First() override { m_position = 0; }
    void Next() override { ++m_position; }

private:
    EntryListPtr m_list;
    std::vector<EntryPtr> m_entries;
    int m_position = 0;
};

/// Several results one after the other; empty parts are skipped by First and Next (a fresh
/// container whose first part is empty reports Eof until First is called).
class TSearchResultContainer : public IHXSearchEntriesResult_ {
public:
    void Add(SearchResultPtr result);
    int Count() const { return static_cast<int>(m_parts.size()); }
    const SearchResultPtr& Items(int index) const { return m_parts.at(index); }

    EntryPtr Current() override;
    bool Eof() override { return Current() == nullptr; }
    void First() override;
    void Next() override;

private:
    std::vector<SearchResultPtr> m_parts;
    size_t m_index = 0;
};

/// Nothing found.
class TEmptySearchResult : public IHXSearchEntriesResult_ {
public:
    EntryPtr Current() override { return nullptr; }
    bool Eof() override { return true; }
    void First() override {}
    void Next() override {}
};
