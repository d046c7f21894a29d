#include "model/ActivityTree.h"

#include "foundation/Log.h"
#include "foundation/Translation.h"
#include "foundation/VRNException.h"
#include "model/Activity.h"
#include "model/ActivityList.h"
#include "model/ActivitySource.h"

#include <unordered_map>
#include <unordered_set>

// ---- TActivityTree ------------------------------------------------------------------------------

std::shared_ptr<TActivityTree> TActivityTree::Create() {
    std::shared_ptr<TActivityTree> tree(new TActivityTree());
    tree->m_root = std::make_shared<TActivityList>(tree, nullptr);
    tree->CreateFixedObjects();
    return tree;
}

TActivityTree::TActivityTree() : m_activities(std::make_shared<TActivityHash>()) {}

TActivityTree::~TActivityTree() = default;

ActivitySourcePtr TActivityTree::FindSource(const TGUID& id) const {
    for (const auto& source : m_sources) {
        if (source->ID() == id)
            return source;
    }
    return nullptr;
}

ActivityPtr TActivityTree::FindActivity(const TGUID& id) const {
    return m_activities->Find(id);
}

ActivityListPtr TActivityTree::Childs() const {
    return m_root;
}

void TActivityTree::ClearContent() {
    m_root->Clear();
    for (const auto& activity : m_activities->Snapshot()) {
        if (auto cleanable = std::dynamic_pointer_cast<IVRNCleanableObject>(activity))
            cleanable->Cleanup();
    }
    m_activities->Clear();
    m_sources.clear();
    m_localSource.reset();
    m_unknownActivity.reset();
    m_unknownBreakActivity.reset();
}

void TActivityTree::CreateFixedObjects() {
    m_localSource = std::make_shared<TActivitySource>(LocalActivitySourceID, QString());
    m_sources.insert(m_sources.begin(), m_localSource);
    auto self = SharedThis(this);
    m_unknownActivity = TPseudoActivity::Create(self, UnknownActivityID);
    m_unknownActivity->SetName(Tr("<Unknown>"));
    m_unknownActivity->SetIsBreak(false);
    m_unknownBreakActivity = TPseudoActivity::Create(self, UnknownBreakActivityID);
    m_unknownBreakActivity->SetName(Tr("<Unknown break>"));
    m_unknownBreakActivity->SetIsBreak(true);
}

void TActivityTree::Clear() {
    ClearContent();
    CreateFixedObjects();
}

void TActivityTree::ClearTempStorages() {
    for (const auto& activity : m_activities->Snapshot())
        activity->ClearTempStorage();
}

void TActivityTree::Assign(const ActivityTreePtr& other) {
    if (!other)
        throw EUnassignedArgumentError(QStringLiteral("TActivityTree._Assign"));
    if (SameObject(other.get(), static_cast<IHXActivityTree_*>(this)))
        return;
    BeginUpdate();
    try {
        Clear();
        for (int i = 0; i < other->SourcesCount(); ++i) {
            auto source = other->Sources(i);
            if (auto own = GetSourceForId(source->ID()))
                own->Assign(source);
        }
        auto otherActivities = other->Activities();
        for (otherActivities->First(); !otherActivities->EndOfList(); otherActivities->Next()) {
            auto activity = otherActivities->CurrentItem();
            if (auto own = GetActivityForId(activity->ID()))
                own->Assign(activity);
        }
        auto otherRoot = other->Childs();
        for (int i = 0; i < otherRoot->Count(); ++i) {
            if (auto own = FindActivity(otherRoot->Items(i)->ID()))
                m_root->Add(own);
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    NotifyGotAssigned();
}

void TActivityTree::CountInstances() {
    auto all = m_activities->Snapshot();
    for (const auto& activity : all)
        activity->SetInstanceCount(0);
    auto countMembers = [](const ActivityListPtr& list) {
        for (int i = 0; i < list->Count(); ++i) {
            auto member = list->Items(i);
            member->SetInstanceCount(member->InstanceCount() + 1);
        }
    };
    for (const auto& activity : all)
        countMembers(activity->Childs());
    countMembers(m_root);
}

void TActivityTree::RemoveOrphans() {
    CountInstances();
    bool removed = true;
    while (removed) {
        removed = false;
        for (const auto& activity : m_activities->Snapshot()) {
            if (activity->InstanceCount() != 0 || !activity->IsRemovable())
                continue;
            NotifyDelete(activity);
            m_activities->Remove(activity);
            auto childs = activity->Childs();
            for (int i = 0; i < childs->Count(); ++i) {
                auto child = childs->Items(i);
                child->SetInstanceCount(child->InstanceCount() - 1);
            }
            if (auto cleanable = std::dynamic_pointer_cast<IVRNCleanableObject>(activity))
                cleanable->Cleanup();
            removed = true;
            break; // start again from the first activity, so orphaned subtrees go in cascade
        }
    }
}

ActivitySourcePtr TActivityTree::Sources(int index) const {
    if (index < 0 || index >= SourcesCount())
        throw EVRNListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return m_sources[static_cast<size_t>(index)];
}

void TActivityTree::AddChild(const ActivityPtr& parent, const ActivityPtr& activity) {
    if (parent)
        parent->Childs()->Add(activity);
    else
        m_root->Add(activity);
}

void TActivityTree::AddNotify(IActivityTreeNotify* listener) {
    if (listener)
        m_listeners.push_back(listener);
}

void TActivityTree::RemoveNotify(IActivityTreeNotify* listener) {
    for (auto it = m_listeners.begin(); it != m_listeners.end(); ++it) {
        if (*it == listener) {
            m_listeners.erase(it);
            return;
        }
    }
}

template <typename Call> void TActivityTree::Notify(const char* context, Call call) {
    if (m_updateCount != 0)
        return;
    // From the last registered to the first. A listener may unregister itself (or another one)
    // while being called, so the index is checked against the live list each time.
    for (size_t i = m_listeners.size(); i > 0; --i) {
        if (i > m_listeners.size())
            continue;
        try {
            call(m_listeners[i - 1]);
        } catch (const std::exception& e) {
            LogException(QStringLiteral("TActivityTree.%1: some call gave Exception").arg(QLatin1String(context)), e);
        }
    }
}

void TActivityTree::NotifyDelete(const ActivityPtr& activity) {
    Notify("_NotifyDelete", [&](IActivityTreeNotify* l) { l->ActivityDeleted(activity); });
}

void TActivityTree::NotifyChange(const ActivityPtr& activity) {
    Notify("_NotifyChange", [&](IActivityTreeNotify* l) { l->ActivityChanged(activity); });
}

void TActivityTree::NotifyChildsChanged(const ActivityPtr& activity) {
    Notify("_NotifyChildsChanged", [&](IActivityTreeNotify* l) { l->ChildsChanged(activity); });
}

void TActivityTree::NotifyGotAssigned() {
    Notify("_NotifyGotAssigned", [](IActivityTreeNotify* l) { l->TreeAssigned(); });
}

void TActivityTree::AddActivity(const ActivityPtr& activity) {
    m_activities->Add(activity);
}

void TActivityTree::RemoveActivity(const ActivityPtr& activity) {
    m_activities->Remove(activity);
}

ActivityPtr TActivityTree::GetActivityForId(const TGUID& id) {
    if (id.IsNull())
        return nullptr;
    if (auto found = m_activities->Find(id))
        return found;
    return TActivity::Create(SharedThis(this), id); // registers itself
}

ActivitySourcePtr TActivityTree::GetSourceForId(const TGUID& id) {
    if (auto found = FindSource(id))
        return found;
    if (id.IsNull())
        return nullptr;
    auto source = std::make_shared<TActivitySource>(id, QString());
    m_sources.push_back(source);
    return source;
}

// ---- Activities file --------------------------------------------------------------------------

void TActivityTree::ReadSourceElement(const TvrnDomElement& element) {
    auto read = std::make_shared<TActivitySource>();
    read->LoadFromXML(element);
    if (auto existing = FindSource(read->ID()))
        existing->Assign(read);
    else
        m_sources.push_back(read);
}

void TActivityTree::ReadActivityElement(const TvrnDomElement& element) {
    auto read = TActivity::Create(SharedThis(this), TGUID());
    try {
        read->LoadFromXML(element);
    } catch (...) {
        read->Cleanup();
        throw;
    }
    if (read->ID().IsNull()) {
        read->Cleanup();
        throw EVRNConvertError(QStringLiteral("activity element without a valid \"activityid\""));
    }
    if (auto existing = FindActivity(read->ID())) {
        // A placeholder made by an earlier reference, or a second element with the same ID.
        existing->Assign(read);
        read->Cleanup();
    } else {
        AddActivity(read);
    }
}

void TActivityTree::LoadFromXML(const TvrnDomElement& element) {
    // Listeners get one TreeAssigned at the end instead of a call for every list change.
    BeginUpdate();
    try {
        Clear();
        for (auto child = XMLFirstChildElement(element); XMLAssigned(child); child = XMLNextSiblingElement(child)) {
            const QString name = XMLNodeName(child);
            try {
                if (name == QLatin1String("source"))
                    ReadSourceElement(child);
                else if (name == QLatin1String("activity"))
                    ReadActivityElement(child);
                else if (name == QLatin1String("rootactivities"))
                    m_root->LoadFromXML(child);
            } catch (const std::exception& e) {
                LogException(QStringLiteral("TActivityTree.LoadFromXML: element \"%1\" skipped").arg(name), e);
            }
        }
        BreakCycles();
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    NotifyGotAssigned();
}

void TActivityTree::SaveToXML(const TvrnDomElement& element) {
    XMLRemoveAllChildren(element);
    for (const auto& source : m_sources) {
        if (SameObject(source, m_localSource))
            continue;
        std::dynamic_pointer_cast<IXMLStorable>(source)->SaveToXML(XMLAddChild(element, QStringLiteral("source")));
    }
    for (const auto& activity : m_activities->Snapshot()) {
        if (!activity->IsStored())
            continue;
        if (auto stored = std::dynamic_pointer_cast<IActivityElement>(activity))
            stored->SaveToXML(XMLAddChild(element, QStringLiteral("activity")));
    }
    m_root->SaveToXML(XMLAddChild(element, QStringLiteral("rootactivities")));
}

int TActivityTree::BreakCycles() {
    // Depth-first walk with an explicit stack (a damaged file may nest deeply). A child that is
    // on the current path closes a cycle: that reference is dropped. Roots first, so that the
    // place the user sees under the root list is the one that stays.
    enum class Mark { Unvisited, OnPath, Done };
    std::unordered_map<const IHXActivity_*, Mark> marks;
    struct Frame {
        ActivityPtr activity;
        int next = 0;
    };
    int dropped = 0;
    auto walkFrom = [&](const ActivityPtr& start) {
        if (marks[start.get()] != Mark::Unvisited)
            return;
        std::vector<Frame> stack{{start, 0}};
        marks[start.get()] = Mark::OnPath;
        while (!stack.empty()) {
            Frame& frame = stack.back();
            auto childs = std::dynamic_pointer_cast<TActivityList>(frame.activity->Childs());
            if (!childs || frame.next >= childs->Count()) {
                marks[frame.activity.get()] = Mark::Done;
                stack.pop_back();
                continue;
            }
            auto child = childs->Items(frame.next);
            Mark& mark = marks[child.get()];
            if (mark == Mark::OnPath) {
                WriteLog(QStringLiteral("TActivityTree.LoadFromXML: activity %1 is its own ancestor; its reference "
                                        "under %2 was skipped")
                             .arg(child->ID().ToString(), frame.activity->ID().ToString()));
                childs->DeleteSilently(frame.next);
                ++dropped;
                continue;
            }
            ++frame.next;
            if (mark == Mark::Unvisited) {
                mark = Mark::OnPath;
                stack.push_back({child, 0});
            }
        }
    };
    for (int i = 0; i < m_root->Count(); ++i)
        walkFrom(m_root->Items(i));
    for (const auto& activity : m_activities->Snapshot())
        walkFrom(activity);
    return dropped;
}

void TActivityTree::Cleanup() {
    BeginUpdate();
    ClearContent();
    m_root->Cleanup();
    m_listeners.clear();
    EndUpdate();
}

// ---- SetBreakRecursive ---------------------------------------------------------------------------

void SetBreakRecursive(const ActivityPtr& activity, bool isBreak) {
    if (!activity)
        return;
    // Preorder walk with an explicit stack; children are pushed in reverse to keep their order.
    std::vector<ActivityPtr> stack{activity};
    while (!stack.empty()) {
        ActivityPtr current = stack.back();
        stack.pop_back();
        if (current->IsReadOnly() || current->IsBreak() == isBreak)
            continue;
        current->SetIsBreak(isBreak);
        auto childs = current->Childs();
        for (int i = childs->Count() - 1; i >= 0; --i)
            stack.push_back(childs->Items(i));
    }
}
