#pragma once

// The interfaces of the activity graph. An activity is one object however many lists refer to it:
// the tree's container holds every activity once under its ID, and the root list and the child
// lists of activities refer to them. Members stand in the slot order of the internal interfaces.

#include "foundation/GUID.h"
#include "foundation/XMLHelper.h"
#include "foundation/XMLValues.h"

#include <QString>
#include <memory>

class IHXPropertyList_;
class IHXActivity_;
class IHXActivityList_;
class IHXActivityTree_;
class IHXActivitySource_;

using ActivityPtr = std::shared_ptr<IHXActivity_>;
using ActivityListPtr = std::shared_ptr<IHXActivityList_>;
using ActivityTreePtr = std::shared_ptr<IHXActivityTree_>;
using ActivitySourcePtr = std::shared_ptr<IHXActivitySource_>;

/// An activity: what time is booked on. Its own settings live in Values as "name", "isbreak" and
/// "image index"; add-ins may store more there, and all of it is saved.
class IHXActivity_ {
public:
    virtual ~IHXActivity_() = default;
    virtual std::shared_ptr<IHXPropertyList_> Values() = 0;
    /// The "name" value; when that is empty the default names table's entry for the ID; else "".
    virtual QString Name() = 0;
    /// Stores a "name" value and notifies the tree's listeners.
    virtual void SetName(const QString& name) = 0;
    virtual TGUID ID() const = 0;
    /// The "image index" value if it is an integer of 0 or more, else 1 for a break and 0 otherwise.
    virtual int ImageIndex() = 0;
    virtual int Version() const = 0;
    virtual ActivityListPtr Childs() = 0;
    /// Empty once the tree is gone or the activity was cleaned.
    virtual ActivityTreePtr Tree() = 0;
    virtual ActivitySourcePtr Source() = 0;
    /// Temporary values of add-ins and reports, never saved; created on the first call.
    virtual std::shared_ptr<IHXPropertyList_> TempStorage() = 0;
    virtual int InstanceCount() = 0;
    /// The "isbreak" value if it is a boolean, else false.
    virtual bool IsBreak() = 0;
    /// True when the activity came from another source than the tree's local one.
    virtual bool IsReadOnly() = 0;
    /// False for the pseudo activities, which never go into the file.
    virtual bool IsStored() = 0;
    /// True from creation until the activity is cleaned.
    virtual bool IsValid() = 0;
    virtual void SetIsBreak(bool isBreak) = 0;
    virtual void SetInstanceCount(int count) = 0;
    virtual bool IsRemovable() = 0;
    /// Copies version, values, instance count and children; never the ID.
    virtual void Assign(const ActivityPtr& other) = 0;
    /// Clears the child list and the values and drops the temporary storage.
    virtual void Clear() = 0;
    virtual void ClearTempStorage() = 0;
};

/// The element form of one activity in the activities file.
class IActivityElement {
public:
    virtual ~IActivityElement() = default;
    virtual void LoadFromXML(const TvrnDomElement& element) = 0;
    virtual void SaveToXML(const TvrnDomElement& element) = 0;
};

/// An ordered list of activities: the root list or an activity's children. Members are compared by
/// object identity. Changes are reported to the tree's listeners while notifications are on.
class IHXActivityList_ {
public:
    virtual ~IHXActivityList_() = default;
    virtual int Count() const = 0;
    /// An index out of range raises EVRNListError.
    virtual ActivityPtr Items(int index) const = 0;
    virtual void Add(const ActivityPtr& activity) = 0;
    virtual void Insert(int index, const ActivityPtr& activity) = 0;
    virtual int IndexOf(const ActivityPtr& activity) const = 0;
    virtual void Remove(const ActivityPtr& activity) = 0;
    virtual void Clear() = 0;
    virtual void Assign(const ActivityListPtr& other) = 0;
    virtual bool Contains(const ActivityPtr& activity) const = 0;
    virtual ActivityPtr AddNew() = 0;
    /// A new activity with a fresh ID named "New Activity" (or "New Activity (n)" when a member
    /// already has that name), inserted at index.
    virtual ActivityPtr InsertNew(int index) = 0;
};

/// Where activities come from. The tree's local source has a fixed ID and an empty URL.
class IHXActivitySource_ {
public:
    virtual ~IHXActivitySource_() = default;
    virtual TGUID ID() const = 0;
    virtual void SetID(const TGUID& id) = 0;
    virtual QString URL() const = 0;
    virtual void SetURL(const QString& url) = 0;
    virtual void Assign(const ActivitySourcePtr& other) = 0;
};

/// The container of all activities of a tree, keyed by ID. Iteration follows the container order.
class IHXActivityHash_ {
public:
    virtual ~IHXActivityHash_() = default;
    virtual ActivityPtr Find(const TGUID& id) const = 0;
    virtual void Add(const ActivityPtr& activity) = 0;
    virtual void Remove(const ActivityPtr& activity) = 0;
    virtual void Clear() = 0;
    virtual void First() = 0;
    virtual void Next() = 0;
    virtual bool EndOfList() const = 0;
    virtual ActivityPtr CurrentItem() const = 0;
    virtual TGUID CurrentKey() const = 0;
    virtual int Count() const = 0;
};

/// Listeners of a tree (activity views, combo boxes, the worksheet). Calls arrive synchronously.
class IActivityTreeNotify {
public:
    virtual ~IActivityTreeNotify() = default;
    virtual void ActivityDeleted(const ActivityPtr& activity) = 0;
    virtual void ActivityChanged(const ActivityPtr& activity) = 0;
    /// activity is empty for the root list.
    virtual void ChildsChanged(const ActivityPtr& activity) = 0;
    virtual void TreeAssigned() = 0;
};

class IHXActivityTree_ {
public:
    virtual ~IHXActivityTree_() = default;
    virtual ActivitySourcePtr FindSource(const TGUID& id) const = 0;
    /// Pseudo activities included; empty when unknown.
    virtual ActivityPtr FindActivity(const TGUID& id) const = 0;
    virtual ActivitySourcePtr LocalSource() const = 0;
    virtual ActivityListPtr Childs() const = 0;
    virtual void Clear() = 0;
    virtual void ClearTempStorages() = 0;
    virtual void Assign(const ActivityTreePtr& other) = 0;
    virtual void CountInstances() = 0;
    virtual void RemoveOrphans() = 0;
    virtual ActivityPtr UnknownActivity() const = 0;
    virtual ActivityPtr UnknownBreakActivity() const = 0;
    virtual int SourcesCount() const = 0;
    virtual ActivitySourcePtr Sources(int index) const = 0;
    virtual std::shared_ptr<IHXActivityHash_> Activities() const = 0;
    /// Appends activity to parent's child list, or to the root list when parent is empty.
    virtual void AddChild(const ActivityPtr& parent, const ActivityPtr& activity) = 0;
    /// Listeners are not owned: a listener removes itself before it goes away.
    virtual void AddNotify(IActivityTreeNotify* listener) = 0;
    virtual void RemoveNotify(IActivityTreeNotify* listener) = 0;
    virtual void NotifyDelete(const ActivityPtr& activity) = 0;
    virtual void NotifyChange(const ActivityPtr& activity) = 0;
    virtual void NotifyChildsChanged(const ActivityPtr& activity) = 0;
};

/// Used by the activities and lists of one tree.
class IActivityTreeInternal {
public:
    virtual ~IActivityTreeInternal() = default;
    virtual void AddActivity(const ActivityPtr& activity) = 0;
    virtual void RemoveActivity(const ActivityPtr& activity) = 0;
    /// The activity with that ID; for an unknown non-null ID a new placeholder activity registered
    /// under it; empty for the null GUID.
    virtual ActivityPtr GetActivityForId(const TGUID& id) = 0;
    /// The source with that ID; for an unknown non-null ID a new source added to the list; empty
    /// for the null GUID.
    virtual ActivitySourcePtr GetSourceForId(const TGUID& id) = 0;
};
