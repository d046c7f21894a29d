#pragma once

#include "foundation/CheckedObject.h"
#include "foundation/VRNInterfaceList.h"
#include "foundation/VRNTools.h"
#include "foundation/XMLStorable.h"
#include "foundation/XMLValues.h"
#include "model/ActivityInterfaces.h"

class TActivityTree;

/// An ordered list of activities: the tree's root list (no owner) or an activity's child list.
/// It holds its members; the tree and the owner are weak back references. Add, Insert, Remove and
/// Clear report the change to the tree while notifications are on.
/// As IXMLStorable it reads and writes a list of "activityid" elements (the content of "childs"
/// and "rootactivities").
class TActivityList : public TWrappableObject,
                      public IHXActivityList_,
                      public IXMLStorable,
                      public IVRNCleanableObject {
public:
    /// owner is empty for the root list and for free-standing lists.
    TActivityList(const std::shared_ptr<TActivityTree>& tree, const ActivityPtr& owner, bool notify = true);

    // IHXActivityList_
    int Count() const override { return m_items.Count(); }
    ActivityPtr Items(int index) const override;
    void Add(const ActivityPtr& activity) override;
    void Insert(int index, const ActivityPtr& activity) override;
    int IndexOf(const ActivityPtr& activity) const override;
    void Remove(const ActivityPtr& activity) override;
    void Clear() override;
    void Assign(const ActivityListPtr& other) override;
    bool Contains(const ActivityPtr& activity) const override { return IndexOf(activity) >= 0; }
    ActivityPtr AddNew() override;
    ActivityPtr InsertNew(int index) override;

    // IXMLStorable
    void LoadFromXML(const TvrnDomElement& element) override;
    void SaveToXML(const TvrnDomElement& element) override;

    // IVRNCleanableObject: notifications off, members dropped, tree and owner forgotten.
    void Cleanup() override;

    /// Removes the member at index without notifying anybody (used to cut cycles while loading).
    void DeleteSilently(int index);
    ActivityPtr Owner() const { return m_owner.lock(); }

private:
    void Changed();

    TVRNInterfaceList<IHXActivity_> m_items;
    std::weak_ptr<TActivityTree> m_tree;
    std::weak_ptr<IHXActivity_> m_owner;
    bool m_notify;
};
