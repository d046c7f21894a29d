#include "model/ActivityList.h"

#include "foundation/Translation.h"
#include "foundation/VRNException.h"
#include "model/Activity.h"
#include "model/ActivityTree.h"

#include <algorithm>

TActivityList::TActivityList(const std::shared_ptr<TActivityTree>& tree, const ActivityPtr& owner, bool notify)
    : m_tree(tree), m_owner(owner), m_notify(notify) {}

ActivityPtr TActivityList::Items(int index) const {
    return m_items.Items(index);
}

void TActivityList::Add(const ActivityPtr& activity) {
    Insert(Count(), activity);
}

void TActivityList::Insert(int index, const ActivityPtr& activity) {
    if (!activity)
        throw EUnassignedArgumentError(QStringLiteral("TActivityList._Insert"));
    m_items.Insert(index, activity);
    Changed();
}

int TActivityList::IndexOf(const ActivityPtr& activity) const {
    return m_items.IndexOf(activity);
}

void TActivityList::Remove(const ActivityPtr& activity) {
    m_items.Remove(activity);
    Changed();
}

void TActivityList::Clear() {
    m_items.Clear();
    Changed();
}

void TActivityList::Assign(const ActivityListPtr& other) {
    if (!other)
        throw EUnassignedArgumentError(QStringLiteral("TActivityList._Assign"));
    if (SameObject(other.get(), static_cast<IHXActivityList_*>(this)))
        return;
    // Copy first: other may share members with this list.
    std::vector<ActivityPtr> members;
    for (int i = 0; i < other->Count(); ++i)
        members.push_back(other->Items(i));
    Clear();
    for (const auto& member : members)
        Add(member);
}

ActivityPtr TActivityList::AddNew() {
    return InsertNew(Count());
}

ActivityPtr TActivityList::InsertNew(int index) {
    // Checked before the activity exists: a refused index must not leave a new activity in the tree.
    if (index < 0 || index > Count())
        RaiseListIndexError(index);
    auto activity = TActivity::Create(m_tree.lock(), TGUID::NewGuid());
    auto nameTaken = [this](const QString& name) {
        return std::any_of(m_items.begin(), m_items.end(), [&name](const ActivityPtr& member) {
            return QString::compare(member->Name(), name, Qt::CaseInsensitive) == 0;
        });
    };
    QString name = Tr("New Activity");
    for (int n = 2; nameTaken(name); ++n)
        name = FormatPlaceholders(Tr("New Activity (%1)"), {IntToWideStr(n)});
    activity->SetName(name);
    Insert(index, activity);
    return activity;
}

void TActivityList::LoadFromXML(const TvrnDomElement& element) {
    Clear();
    auto tree = m_tree.lock();
    if (!tree)
        return;
    const QString idName = QStringLiteral("activityid");
    for (auto child = XMLFirstChildElement(element); XMLAssigned(child); child = XMLNextSiblingElement(child)) {
        if (XMLNodeName(child) != idName)
            continue;
        if (auto activity = tree->GetActivityForId(XMLGetGUID(child, idName, TGUID())))
            Add(activity);
    }
}

void TActivityList::SaveToXML(const TvrnDomElement& element) {
    const QString idName = QStringLiteral("activityid");
    for (const auto& member : m_items)
        XMLSetGUID(XMLAddChild(element, idName), idName, member->ID(), xsoAttribute);
}

void TActivityList::Cleanup() {
    m_notify = false;
    m_items.Clear();
    m_tree.reset();
    m_owner.reset();
}

void TActivityList::DeleteSilently(int index) {
    if (index >= 0 && index < Count())
        m_items.Delete(index);
}

void TActivityList::Changed() {
    if (!m_notify)
        return;
    if (auto tree = m_tree.lock())
        tree->NotifyChildsChanged(m_owner.lock());
}
