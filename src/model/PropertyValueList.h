#pragma once

#include "foundation/CheckedObject.h"
#include "foundation/VRNInterfaceList.h"
#include "foundation/XMLStorable.h"
#include "model/PropertyInterfaces.h"

#include <cstdint>

/// An ordered list of unnamed properties. Unlike a property list, it writes every item, also items
/// of type 0 and empty nested lists.
class TPropertyValueList : public TWrappableObject, public IHXPropertyValueList_, public IXMLStorable {
public:
    explicit TPropertyValueList(int caseMode = 1);
    ~TPropertyValueList() override;

    int Count() const override { return m_items.Count(); }
    std::shared_ptr<IHXProperty_> Items(int index) const override;
    std::shared_ptr<IHXProperty_> AddItem() override;
    bool Changed() const override;
    void Assign(const std::shared_ptr<IHXPropertyValueList_>& source) override;
    void Clear() override;
    /// A list error is raised again as EVRNListError with its message; anything else as
    /// EMustNotHappen "TPropertyValueList._Delete (Class: message)".
    void Delete(int index) override;
    bool Equals(const std::shared_ptr<IHXPropertyValueList_>& other) const override;

    /// Replaces the items by the "property" children of the element, whatever their type.
    void LoadFromXML(const TvrnDomElement& element) override;
    /// Appends one "property" child (without a name) per item.
    void SaveToXML(const TvrnDomElement& element) override;

    /// Empties the list without marking it changed (a list that was just read as empty).
    void Reset();

private:
    TVRNInterfaceList<IHXProperty_> m_items;
    std::uint8_t m_caseMode;
    bool m_changed = false;
};
