#pragma once

#include "foundation/VRNInterfaceList.h"
#include "model/ActivityLocator.h"

#include <algorithm>

class IHXPropertyValueList_;

/// An ordered list of locators, stored as a value list of property lists (one per locator).
class TActivityLocatorList : public TCheckedAutoObject {
public:
    /// An index out of range raises EVRNListError.
    ActivityLocatorPtr Items(int index) const;
    int Count() const { return m_items.Count(); }
    /// A new empty locator, appended (the history list puts it in front).
    virtual ActivityLocatorPtr AddNew();
    /// Removes that very locator (object identity), if present.
    void Remove(const ActivityLocatorPtr& locator);
    void Clear() { m_items.Clear(); }
    /// Replaces the content by the locators stored in the value list's items. An item whose "id"
    /// is not a GUID raises EVRNConvertError and leaves the list as it was.
    virtual void LoadFromValueList(const std::shared_ptr<IHXPropertyValueList_>& list);
    void SaveToValueList(const std::shared_ptr<IHXPropertyValueList_>& list) const;

protected:
    TVRNInterfaceList<IHXActivityLocator_> m_items;
};

/// The most recently used locators, newest first, at most MaxElements of them (a negative
/// maximum counts as 0).
class TActivityLocatorHistoryList : public TActivityLocatorList {
public:
    explicit TActivityLocatorHistoryList(int maxElements) : m_maxElements(std::max(0, maxElements)) {}

    int MaxElements() const { return m_maxElements; }
    void SetMaxElements(int maxElements);
    /// A new empty locator in front; the oldest ones beyond MaxElements are dropped (with a
    /// maximum of 0 the new locator is dropped at once and returned all the same).
    ActivityLocatorPtr AddNew() override;
    void LoadFromValueList(const std::shared_ptr<IHXPropertyValueList_>& list) override;
    /// Moves an equal (Eq) entry to the front, or adds a copy of locator in front.
    void AddToHistory(const ActivityLocatorPtr& locator);

private:
    void Trim();

    int m_maxElements;
};
