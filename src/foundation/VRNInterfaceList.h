#pragma once

#include "foundation/VRNException.h"

#include <QString>
#include <algorithm>
#include <memory>
#include <vector>

/// Raises EVRNListError "List index out of bounds (<index>)".
[[noreturn]] void RaiseListIndexError(int index);

/// An ordered list of shared references. The list holds a reference to each item; removing,
/// deleting or clearing releases it. Items are found by identity. Empty references are allowed.
template <typename T> class TVRNInterfaceList {
public:
    using Item = std::shared_ptr<T>;

    int Count() const { return static_cast<int>(m_items.size()); }
    /// Appends the item and returns its index.
    int Add(Item item) {
        m_items.push_back(std::move(item));
        return Count() - 1;
    }
    /// Inserts before index (0..Count).
    void Insert(int index, Item item) {
        if (index < 0 || index > Count())
            RaiseListIndexError(index);
        m_items.insert(m_items.begin() + index, std::move(item));
    }
    /// The item at index (0..Count-1).
    const Item& Items(int index) const {
        if (index < 0 || index >= Count())
            RaiseListIndexError(index);
        return m_items[static_cast<std::size_t>(index)];
    }
    /// Replaces the item at index (0..Count-1).
    void SetItem(int index, Item item) {
        if (index < 0 || index >= Count())
            RaiseListIndexError(index);
        m_items[static_cast<std::size_t>(index)] = std::move(item);
    }
    /// The index of the first reference to the same object, or -1.
    int IndexOf(const T* item) const {
        const auto it = std::find_if(m_items.begin(), m_items.end(), [&](const Item& i) { return i.get() == item; });
        return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
    }
    int IndexOf(const Item& item) const { return IndexOf(item.get()); }
    /// Removes the first reference to the object; returns the index it had, or -1.
    int Remove(const Item& item) {
        const int index = IndexOf(item);
        if (index >= 0)
            Delete(index);
        return index;
    }
    /// Removes the item at index (0..Count-1).
    void Delete(int index) {
        if (index < 0 || index >= Count())
            RaiseListIndexError(index);
        m_items.erase(m_items.begin() + index);
    }
    void Clear() { m_items.clear(); }

    /// Orders the items with a strict weak ordering; equal items keep their order.
    template <typename Less> void Sort(Less less) { std::stable_sort(m_items.begin(), m_items.end(), less); }

    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::vector<Item> m_items;
};
