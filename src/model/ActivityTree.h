#pragma once

#include "foundation/CheckedObject.h"
#include "foundation/VRNHash.h"
#include "foundation/VRNTools.h"
#include "foundation/XMLStorable.h"
#include "foundation/XMLValues.h"
#include "model/ActivityInterfaces.h"

#include <vector>

class TActivity;
class TActivityList;
class TActivitySource;

inline const TGUID UnknownActivityID = TGUID::Constant("{525C070B-79B7-4BE0-80EB-35E299F9FCB3}");
inline const TGUID UnknownBreakActivityID = TGUID::Constant("{FFDFE01A-B001-463D-B39B-6BE20621FA12}");

/// The container of all activities of a tree, keyed by ID, 100 buckets. The iteration order (bucket
/// by bucket, each bucket in insertion order) is the order in which activities are saved.
class TActivityHash : public TInterfacedAndCheckedObject, public IHXActivityHash_ {
public:
    TActivityHash() : m_hash(100) {}

    ActivityPtr Find(const TGUID& id) const override;
    void Add(const ActivityPtr& activity) override;
    void Remove(const ActivityPtr& activity) override;
    void Clear() override;
    void First() override;
    void Next() override;
    bool EndOfList() const override;
    ActivityPtr CurrentItem() const override;
    TGUID CurrentKey() const override;
    int Count() const override;

    /// All activities in iteration order (a snapshot, so callers may change the container).
    std::vector<ActivityPtr> Snapshot() const;

private:
    TVRNGUIDInterfaceHash<IHXActivity_> m_hash;
};

/// The activity graph: every activity lives once in the container and is referred to by the root
/// list and by the child lists of other activities. Created through Create, released with
/// ReleaseAndCleanup (activities and lists refer to each other in cycles).
/// As IXMLStorable it reads and writes the content element of the activities file.
class TActivityTree : public TCheckedAutoObject,
                      public IHXActivityTree_,
                      public IActivityTreeInternal,
                      public IXMLStorable,
                      public IVRNCleanableObject {
public:
    /// An empty tree: local source and the two pseudo activities only.
    static std::shared_ptr<TActivityTree> Create();
    ~TActivityTree() override;

    // IHXActivityTree_
    ActivitySourcePtr FindSource(const TGUID& id) const override;
    ActivityPtr FindActivity(const TGUID& id) const override;
    ActivitySourcePtr LocalSource() const override { return m_localSource; }
    ActivityListPtr Childs() const override;
    void Clear() override;
    void ClearTempStorages() override;
    void Assign(const ActivityTreePtr& other) override;
    void CountInstances() override;
    void RemoveOrphans() override;
    ActivityPtr UnknownActivity() const override { return m_unknownActivity; }
    ActivityPtr UnknownBreakActivity() const override { return m_unknownBreakActivity; }
    int SourcesCount() const override { return static_cast<int>(m_sources.size()); }
    ActivitySourcePtr Sources(int index) const override;
    std::shared_ptr<IHXActivityHash_> Activities() const override { return m_activities; }
    void AddChild(const ActivityPtr& parent, const ActivityPtr& activity) override;
    void AddNotify(IActivityTreeNotify* listener) override;
    void RemoveNotify(IActivityTreeNotify* listener) override;
    void NotifyDelete(const ActivityPtr& activity) override;
    void NotifyChange(const ActivityPtr& activity) override;
    void NotifyChildsChanged(const ActivityPtr& activity) override;

    // IActivityTreeInternal
    void AddActivity(const ActivityPtr& activity) override;
    void RemoveActivity(const ActivityPtr& activity) override;
    ActivityPtr GetActivityForId(const TGUID& id) override;
    ActivitySourcePtr GetSourceForId(const TGUID& id) override;

    // IXMLStorable: the content element of the activities file. Reading never fails on a single
    // bad element; it is skipped. A reference that would make an activity its own ancestor is
    // dropped and logged, so the loaded graph has no cycles.
    void LoadFromXML(const TvrnDomElement& element) override;
    void SaveToXML(const TvrnDomElement& element) override;

    // IVRNCleanableObject
    void Cleanup() override;

    /// Sends TreeAssigned to every listener.
    void NotifyGotAssigned();
    /// While the counter is not 0 no notification is sent. Calls nest.
    void BeginUpdate() { ++m_updateCount; }
    void EndUpdate() { --m_updateCount; }

private:
    TActivityTree();
    void ClearContent();
    void CreateFixedObjects();
    void ReadActivityElement(const TvrnDomElement& element);
    void ReadSourceElement(const TvrnDomElement& element);
    /// Drops every child reference that closes a cycle; returns how many were dropped.
    int BreakCycles();
    template <typename Call> void Notify(const char* context, Call call);

    std::shared_ptr<TActivityHash> m_activities;
    std::shared_ptr<TActivityList> m_root;
    std::vector<ActivitySourcePtr> m_sources;
    ActivitySourcePtr m_localSource;
    ActivityPtr m_unknownActivity;
    ActivityPtr m_unknownBreakActivity;
    std::vector<IActivityTreeNotify*> m_listeners;
    int m_updateCount = 0;
};

/// Sets the break flag of a writable activity whose flag differs, then does the same for its
/// children in order; the children of an activity that already has the flag are not visited.
void SetBreakRecursive(const ActivityPtr& activity, bool isBreak);
