#include "foundation/VRNException.h"
#include "model/ActivityTree.h"

ActivityPtr TActivityHash::Find(const TGUID& id) const {
    return m_hash.GetValue(id);
}

void TActivityHash::Add(const ActivityPtr& activity) {
    if (!activity)
        throw EUnassignedArgumentError(QStringLiteral("TActivityHash._Add"));
    m_hash.SetValue(activity->ID(), activity);
}

void TActivityHash::Remove(const ActivityPtr& activity) {
    if (activity)
        m_hash.Remove(activity->ID());
}

void TActivityHash::Clear() {
    m_hash.Clear();
}

void TActivityHash::First() {
    m_hash.First();
}

void TActivityHash::Next() {
    m_hash.Next();
}

bool TActivityHash::EndOfList() const {
    return m_hash.EndOfList();
}

ActivityPtr TActivityHash::CurrentItem() const {
    return m_hash.CurrentItem();
}

TGUID TActivityHash::CurrentKey() const {
    return m_hash.CurrentKey();
}

int TActivityHash::Count() const {
    return m_hash.Count();
}

std::vector<ActivityPtr> TActivityHash::Snapshot() const {
    std::vector<ActivityPtr> all;
    for (int i = 0; i < m_hash.Count(); ++i)
        all.push_back(m_hash.Items(i));
    return all;
}
