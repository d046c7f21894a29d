#pragma once

// The result of a range search over several day files of a storage opened for reading only:
// the files are read ahead on worker threads, a few at a time, and each file's entries are
// released once the reader has passed them, so that a search over many years holds only the
// files at hand in memory.

#include "storage/StorageInterfaces.h"

#include <functional>
#include <future>
#include <optional>
#include <vector>

class TParallelSearchResult : public IHXSearchEntriesResult_ {
public:
    /// One file's part of the search.
    struct TPart {
        /// The search on its own, safe on a worker thread; no value when it failed (or none is
        /// given): then regular runs.
        std::function<std::optional<std::vector<EntryPtr>>()> alone;
        /// The ordinary search with its questions, on the reader's thread.
        std::function<SearchResultPtr()> regular;
    };

    /// ahead: how many parts are read ahead on workers while the reader's thread reads the part
    /// at hand (at least one).
    TParallelSearchResult(std::vector<TPart> parts, int ahead);
    ~TParallelSearchResult() override;

    EntryPtr Current() override;
    bool Eof() override { return Current() == nullptr; }
    void First() override;
    void Next() override;

private:
    struct TSlot {
        std::future<std::optional<std::vector<EntryPtr>>> pending;
        SearchResultPtr result;
    };
    /// The result of the part at index, read here or taken from its worker; starts the workers
    /// of the parts after it.
    const SearchResultPtr& Part(size_t index);
    void Release(size_t index);
    void StartAhead(size_t index);

    std::vector<TPart> m_parts;
    std::vector<TSlot> m_slots;
    size_t m_ahead = 1;
    size_t m_index = 0;
};
