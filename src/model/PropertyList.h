#pragma once

#include "foundation/CheckedObject.h"
#include "foundation/VRNHash.h"
#include "foundation/XMLStorable.h"
#include "model/Property.h"
#include "model/PropertyHelpers.h"
#include "model/PropertyValueList.h"

#include <cstdint>
#include <variant>

/// Names to properties, kept in a hash container with a fixed number of buckets. Case mode 1:
/// names are compared without regard to the case of the letters a to z (so "Compress" and
/// "compress" are one name, "Ä" and "ä" are two); case modes 0 and 2: names are exact. Every list
/// the program creates uses case mode 1.
///
/// The changed flag is set by Clear, Assign, SetItem, Remove and by Items when it adds a name;
/// LoadFromXML and SaveToXML clear it (SaveToXML only the list's own flag; each written property
/// clears its own).
class TPropertyList : public TWrappableObject, public IHXPropertyList_, public IXMLStorable {
public:
    static constexpr int DefaultBucketCount = 30;

    /// Raises EVRNException "invalid case sensitivity" for a case mode other than 0, 1 or 2, and
    /// EVRNListError for a bucket count below 1.
    explicit TPropertyList(int bucketCount = DefaultBucketCount, int caseMode = 1);
    ~TPropertyList() override;

    int Count() const override;
    void Clear() override;
    void Assign(const std::shared_ptr<IHXPropertyList_>& source) override;
    bool Changed() const override;
    std::shared_ptr<IHXProperty_> Items(const QString& name) override;
    void Remove(const QString& name) override;
    std::shared_ptr<IHXProperty_> Find(const QString& name) const override;
    void First() override;
    void Next() override;
    bool EndOfList() const override;
    QString CurrentName() const override;
    std::shared_ptr<IHXProperty_> CurrentItem() const override;
    void SetItem(const QString& name, const std::shared_ptr<IHXProperty_>& property) override;
    bool Equals(const std::shared_ptr<IHXPropertyList_>& other) const override;

    /// Replaces the content by the "property" children of the element (in document order; a later
    /// name replaces an earlier one; properties of type "unused" are dropped).
    void LoadFromXML(const TvrnDomElement& element) override;
    /// Appends one "property" child per property, skipping type 0 and empty nested lists.
    void SaveToXML(const TvrnDomElement& element) override;

    std::uint8_t CaseMode() const { return m_caseMode; }
    /// Empties the list without marking it changed (a list that was just read as empty).
    void Reset();
    /// Calls visit(name, property) for every entry in iteration order, without using the cursor.
    void ForEach(const std::function<void(const QString&, const std::shared_ptr<IHXProperty_>&)>& visit) const;

private:
    using ExactHash = TVRNWStringInterfaceHash<IHXProperty_>;
    using FoldedHash = TVRNWAIStringInterfaceHash<IHXProperty_>;

    template <typename F> decltype(auto) WithHash(F&& f) { return std::visit(std::forward<F>(f), m_hash); }
    template <typename F> decltype(auto) WithHash(F&& f) const { return std::visit(std::forward<F>(f), m_hash); }

    std::variant<ExactHash, FoldedHash> m_hash;
    std::uint8_t m_caseMode;
    bool m_changed = false;
};
