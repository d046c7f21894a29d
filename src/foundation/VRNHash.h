#pragma once

// Keyed hash containers with a fixed number of buckets. The bucket of a key is fixed by the key
// type's rule below; iteration (the cursor and item by index) walks the buckets in order and each
// bucket in insertion order, so the bucket count decides the order in which items come out.

#include "foundation/GUID.h"
#include "foundation/VRNException.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

/// Raises EVRNListError "Invalid BucketList size: <n>" unless n > 0.
void CheckBucketCount(int bucketCount);
/// Raises EVRNListError "Entry not found (index $<index in hexadecimal>)".
[[noreturn]] void RaiseHashEntryNotFound(int index);

// Key rules. Each maps a key to a canonical form (equal keys have equal canonical forms) and the
// canonical form to a bucket in 0 .. bucketCount-1.

/// Wide text, exact comparison; bucket: sum of the UTF-16 code units.
struct TWStringHashKey {
    using Key = QString;
    using Canonical = QString;
    static Canonical Canonicalize(const QString& key) { return key; }
    static int Bucket(const Canonical& key, int bucketCount);
};

/// Wide text compared without regard to the case of the letters a to z; bucket: sum of the code
/// units with "a".."z" counted as upper case (other letters are not folded).
struct TWAIStringHashKey {
    using Key = QString;
    using Canonical = QString;
    static Canonical Canonicalize(const QString& key);
    static int Bucket(const Canonical& key, int bucketCount) { return TWStringHashKey::Bucket(key, bucketCount); }
};

/// A date; keys on the same day are equal; bucket: the whole day number modulo the bucket count,
/// never negative (days before 1899-12-30 have negative numbers). A value that is no date raises
/// EVRNConvertError.
struct TDateHashKey {
    using Key = double;
    using Canonical = std::int64_t;
    static Canonical Canonicalize(double date);
    static int Bucket(Canonical day, int bucketCount);
};

/// A GUID; bucket: the four 32-bit words of the GUID combined by exclusive or, top bit cleared.
struct TGUIDHashKey {
    using Key = TGUID;
    using Canonical = TGUID;
    static Canonical Canonicalize(const TGUID& key) { return key; }
    static int Bucket(const TGUID& key, int bucketCount);
};

/// A double compared by value (0 and -0 are the same key); a NaN key is refused with
/// EVRNListError.
struct TDoubleHashKey {
    using Key = double;
    using Canonical = double;
    static Canonical Canonicalize(double key);
    static int Bucket(double key, int bucketCount);
};

template <typename KeyRule, typename Value> class TVRNCustomHash {
public:
    using Key = typename KeyRule::Key;

    explicit TVRNCustomHash(int bucketCount) {
        CheckBucketCount(bucketCount);
        m_buckets.resize(static_cast<std::size_t>(bucketCount));
    }

    int BucketCount() const { return static_cast<int>(m_buckets.size()); }
    int Count() const { return m_count; }

    /// An existing key gets the new value (its old value is released); a new key is added at the
    /// end of its bucket.
    void SetValue(const Key& key, Value value) {
        const auto canonical = KeyRule::Canonicalize(key);
        auto& bucket = BucketOf(canonical);
        for (Entry& entry : bucket) {
            if (entry.canonical == canonical) {
                entry.value = std::move(value);
                return;
            }
        }
        bucket.push_back(Entry{canonical, key, std::move(value)});
        ++m_count;
    }
    /// The value of the key; an empty value when the key is absent.
    Value GetValue(const Key& key) const {
        const Entry* entry = FindEntry(key);
        return entry ? entry->value : Value();
    }
    bool Contains(const Key& key) const { return FindEntry(key) != nullptr; }
    /// Removes the key; false if it was absent.
    bool Remove(const Key& key) {
        const auto canonical = KeyRule::Canonicalize(key);
        auto& bucket = BucketOf(canonical);
        for (auto it = bucket.begin(); it != bucket.end(); ++it) {
            if (it->canonical == canonical) {
                bucket.erase(it);
                --m_count;
                return true;
            }
        }
        return false;
    }
    void Clear() {
        for (auto& bucket : m_buckets)
            bucket.clear();
        m_count = 0;
        m_cursorBucket = m_buckets.size();
    }

    /// Item and key by index, in iteration order; an index outside 0..Count-1 raises
    /// EVRNListError.
    const Value& Items(int index) const { return EntryAt(index).value; }
    const Key& Keys(int index) const { return EntryAt(index).key; }

    /// The cursor: First, then Next until EndOfList; CurrentKey and CurrentItem at the end of the
    /// list raise EVRNListError. Changing the container during a walk never leaves the cursor
    /// outside the container, but items may be skipped.
    void First() {
        m_cursorBucket = 0;
        m_cursorIndex = 0;
        SkipEmpty();
    }
    void Next() {
        if (EndOfList())
            return;
        ++m_cursorIndex;
        SkipEmpty();
    }
    bool EndOfList() const {
        return m_cursorBucket >= m_buckets.size() || m_cursorIndex >= m_buckets[m_cursorBucket].size();
    }
    const Key& CurrentKey() const { return CurrentEntry().key; }
    const Value& CurrentItem() const { return CurrentEntry().value; }

private:
    struct Entry {
        typename KeyRule::Canonical canonical;
        Key key;
        Value value;
    };
    using Bucket = std::vector<Entry>;

    template <typename C> Bucket& BucketOf(const C& canonical) {
        return m_buckets[static_cast<std::size_t>(KeyRule::Bucket(canonical, BucketCount()))];
    }
    const Entry* FindEntry(const Key& key) const {
        const auto canonical = KeyRule::Canonicalize(key);
        const Bucket& bucket = m_buckets[static_cast<std::size_t>(KeyRule::Bucket(canonical, BucketCount()))];
        for (const Entry& entry : bucket)
            if (entry.canonical == canonical)
                return &entry;
        return nullptr;
    }
    const Entry& EntryAt(int index) const {
        if (index >= 0 && index < m_count) {
            int remaining = index;
            for (const Bucket& bucket : m_buckets) {
                if (remaining < static_cast<int>(bucket.size()))
                    return bucket[static_cast<std::size_t>(remaining)];
                remaining -= static_cast<int>(bucket.size());
            }
        }
        RaiseHashEntryNotFound(index);
    }
    const Entry& CurrentEntry() const {
        if (EndOfList())
            throw EVRNListError(QStringLiteral("the cursor is at the end of the list"));
        return m_buckets[m_cursorBucket][m_cursorIndex];
    }
    void SkipEmpty() {
        while (m_cursorBucket < m_buckets.size() && m_cursorIndex >= m_buckets[m_cursorBucket].size()) {
            ++m_cursorBucket;
            m_cursorIndex = 0;
        }
    }

    std::vector<Bucket> m_buckets;
    int m_count = 0;
    std::size_t m_cursorBucket = static_cast<std::size_t>(-1);
    std::size_t m_cursorIndex = 0;
};

/// Interface by wide text (exact).
template <typename I> class TVRNWStringInterfaceHash : public TVRNCustomHash<TWStringHashKey, std::shared_ptr<I>> {
public:
    using TVRNCustomHash<TWStringHashKey, std::shared_ptr<I>>::TVRNCustomHash;
};

/// Interface by wide text, "a".."z" compared without regard to case.
template <typename I> class TVRNWAIStringInterfaceHash : public TVRNCustomHash<TWAIStringHashKey, std::shared_ptr<I>> {
public:
    using TVRNCustomHash<TWAIStringHashKey, std::shared_ptr<I>>::TVRNCustomHash;
};

/// Interface by date (whole day).
template <typename I> class TVRNDateInterfaceHash : public TVRNCustomHash<TDateHashKey, std::shared_ptr<I>> {
public:
    using TVRNCustomHash<TDateHashKey, std::shared_ptr<I>>::TVRNCustomHash;
};

/// Interface by GUID.
template <typename I> class TVRNGUIDInterfaceHash : public TVRNCustomHash<TGUIDHashKey, std::shared_ptr<I>> {
public:
    using TVRNCustomHash<TGUIDHashKey, std::shared_ptr<I>>::TVRNCustomHash;
};

/// Wide text by GUID.
class TVRNGUIDWideStringHash : public TVRNCustomHash<TGUIDHashKey, QString> {
public:
    using TVRNCustomHash<TGUIDHashKey, QString>::TVRNCustomHash;
};

/// Interface by double value.
template <typename I> class TVRNCustomDoubleInterfaceHash : public TVRNCustomHash<TDoubleHashKey, std::shared_ptr<I>> {
public:
    using TVRNCustomHash<TDoubleHashKey, std::shared_ptr<I>>::TVRNCustomHash;
};
