#include "model/ActivityLocator.h"

#include "foundation/VRNException.h"
#include "model/ActivityList.h"
#include "model/PropertyHelpers.h"
#include "model/PropertyList.h"

namespace {
const QString LocatorId = QStringLiteral("id");
const QString LocatorPath = QStringLiteral("path");
const QString LocatorBreak = QStringLiteral("break");
const QString LocatorName = QStringLiteral("name");

void RequireTree(const ActivityTreePtr& tree, const char* operation) {
    if (!tree)
        throw EUnassignedArgumentError(QStringLiteral("TActivityLocator.%1").arg(QLatin1String(operation)));
}
} // namespace

ActivityPtr TActivityLocator::FindActivity(const ActivityTreePtr& tree, TLocatorRelevance* relevance) const {
    RequireTree(tree, "_FindActivity");
    if (auto found = tree->FindActivity(m_id)) {
        if (relevance)
            *relevance = LocatorRelevanceFound;
        return found;
    }
    if (relevance)
        *relevance = LocatorRelevanceNotFound;
    return m_isBreak ? tree->UnknownBreakActivity() : tree->UnknownActivity();
}

QString TActivityLocator::GetActivityName(const ActivityTreePtr& tree) const {
    auto activity = FindActivity(tree);
    return activity ? activity->Name() : QString();
}

ActivityListPtr TActivityLocator::ResolvePath(const ActivityTreePtr& tree) const {
    RequireTree(tree, "ResolvePath");
    auto chain = std::make_shared<TActivityList>(nullptr, nullptr, false);
    QString rest = m_path;
    while (!rest.isEmpty()) {
        const qsizetype slash = rest.indexOf(QLatin1Char('/'));
        const QString piece = slash < 0 ? rest : rest.left(slash);
        rest = slash < 0 ? QString() : rest.mid(slash + 1);
        auto ancestor = tree->FindActivity(WideStringToGUID(piece));
        if (!ancestor)
            return nullptr;
        chain->Add(ancestor);
    }
    auto self = tree->FindActivity(m_id);
    if (!self)
        return nullptr;
    chain->Add(self);
    for (int i = 0; i + 1 < chain->Count(); ++i) {
        if (!chain->Items(i)->Childs()->Contains(chain->Items(i + 1)))
            return nullptr;
    }
    return chain;
}

QString TActivityLocator::GetActivityPathName(const ActivityTreePtr& tree) const {
    if (m_path.isEmpty())
        return GetActivityName(tree);
    auto chain = ResolvePath(tree);
    if (!chain)
        return QStringLiteral(".../") + GetActivityName(tree);
    QStringList names;
    for (int i = 0; i < chain->Count(); ++i)
        names << chain->Items(i)->Name();
    return names.join(QLatin1Char('/'));
}

void TActivityLocator::SetIsBreak(bool isBreak) {
    m_isBreak = isBreak;
    m_changed = true;
}

bool TActivityLocator::Eq(const ActivityLocatorPtr& other) const {
    if (!other)
        return false;
    return m_id == other->ID() && QString::compare(m_path, other->Path(), Qt::CaseInsensitive) == 0 &&
           m_isBreak == other->IsBreak();
}

void TActivityLocator::SetActivity(const ActivityPtr& activity) {
    if (!activity)
        throw EUnassignedArgumentError(QStringLiteral("TActivityLocator._SetActivity"));
    m_id = activity->ID();
    m_path.clear();
    m_isBreak = activity->IsBreak();
    m_name = activity->Name();
    m_changed = true;
}

void TActivityLocator::AddParentActivity(const TGUID& parentId) {
    m_path = GUIDToWideString(parentId) + QLatin1Char('/') + m_path;
    m_changed = true;
}

void TActivityLocator::LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) {
    if (!list)
        throw EUnassignedArgumentError(QStringLiteral("TActivityLocator._LoadFromPropertyList"));
    // Read everything first, so that a bad "id" leaves the locator as it was.
    TGUID id = GetGUIDDef(list->Items(LocatorId), TGUID());
    QString path = GetStringDef(list->Items(LocatorPath), QString());
    bool isBreak = GetBooleanDef(list->Items(LocatorBreak), false);
    QString name = GetStringDef(list->Items(LocatorName), QString());
    Load(id, path, isBreak, name);
}

void TActivityLocator::Load(const TGUID& id, const QString& path, bool isBreak, const QString& name) {
    m_id = id;
    m_path = path;
    m_isBreak = isBreak;
    m_name = name;
    m_changed = false;
}

void TActivityLocator::SaveToPropertyList(const std::shared_ptr<IHXPropertyList_>& list) const {
    if (!list)
        throw EUnassignedArgumentError(QStringLiteral("TActivityLocator._SaveToPropertyList"));
    list->Items(LocatorId)->SetAsGUID(m_id);
    list->Items(LocatorPath)->SetAsString(m_path);
    list->Items(LocatorBreak)->SetAsBoolean(m_isBreak);
    list->Items(LocatorName)->SetAsString(m_name);
}

std::shared_ptr<IHXPropertyList_> TActivityLocator::SaveAsPropertyList() {
    auto list = std::make_shared<TPropertyList>(30, 1);
    SaveToPropertyList(list);
    m_changed = false;
    return list;
}

void TActivityLocator::Assign(const ActivityLocatorPtr& other) {
    if (!other)
        throw EUnassignedArgumentError(QStringLiteral("TActivityLocator._Assign"));
    // The same as a round trip through the property-list form, without touching other's flag.
    m_id = other->ID();
    m_path = other->Path();
    m_isBreak = other->IsBreak();
    m_name = other->Name();
    m_changed = true;
}
