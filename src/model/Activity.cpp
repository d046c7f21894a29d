#include "model/Activity.h"

#include "foundation/VRNException.h"
#include "model/ActivityList.h"
#include "model/ActivitySource.h"
#include "model/ActivityTree.h"
#include "model/DefaultActivities.h"
#include "model/PropertyHelpers.h"
#include "model/PropertyList.h"

namespace {
constexpr int ValuesBuckets = 30;
constexpr int TempStorageBuckets = 10;
} // namespace

std::shared_ptr<TActivity> TActivity::Create(const std::shared_ptr<TActivityTree>& tree, const TGUID& id) {
    std::shared_ptr<TActivity> activity(new TActivity(tree, id));
    activity->Init();
    return activity;
}

TActivity::TActivity(const std::shared_ptr<TActivityTree>& tree, const TGUID& id)
    : m_id(id), m_tree(tree), m_values(std::make_shared<TPropertyList>(ValuesBuckets, 1)) {
    if (tree)
        m_source = tree->LocalSource();
}

TActivity::~TActivity() = default;

void TActivity::Init() {
    auto tree = OwnTree();
    auto self = SharedThis(this);
    m_childs = std::make_shared<TActivityList>(tree, self);
    if (tree && !m_id.IsNull())
        tree->AddActivity(self);
}

std::shared_ptr<IHXPropertyList_> TActivity::Values() {
    return m_values;
}

QString TActivity::Name() {
    QString name = GetStringDef(m_values->Find(ActivityValueName), QString());
    if (name.isEmpty())
        name = DefaultActivityName(m_id);
    return name;
}

void TActivity::SetName(const QString& name) {
    m_values->Items(ActivityValueName)->SetAsString(name);
    if (auto tree = OwnTree())
        tree->NotifyChange(SharedThis(this));
}

int TActivity::ImageIndex() {
    auto value = m_values->Items(ActivityValueImageIndex);
    // A negative number (the properties dialog stores -1) asks for the default image.
    if (value->DataType() == hxpdtInteger && value->AsInteger() >= 0)
        return value->AsInteger();
    return IsBreak() ? 1 : 0;
}

ActivityListPtr TActivity::Childs() {
    return m_childs;
}

ActivityTreePtr TActivity::Tree() {
    return OwnTree();
}

std::shared_ptr<IHXPropertyList_> TActivity::TempStorage() {
    if (!m_tempStorage)
        m_tempStorage = std::make_shared<TPropertyList>(TempStorageBuckets, 1);
    return m_tempStorage;
}

bool TActivity::IsBreak() {
    return GetBooleanDef(m_values->Items(ActivityValueIsBreak), false);
}

bool TActivity::IsReadOnly() {
    auto tree = OwnTree();
    return !tree || !m_source || !SameObject(m_source, tree->LocalSource());
}

void TActivity::SetIsBreak(bool isBreak) {
    m_values->Items(ActivityValueIsBreak)->SetAsBoolean(isBreak);
    if (auto tree = OwnTree())
        tree->NotifyChange(SharedThis(this));
}

void TActivity::Assign(const ActivityPtr& other) {
    if (!other)
        throw EUnassignedArgumentError(QStringLiteral("TActivity._Assign"));
    if (SameObject(other.get(), static_cast<IHXActivity_*>(this)))
        return;
    m_version = other->Version();
    m_values->Assign(other->Values());
    m_instanceCount = other->InstanceCount();
    m_tempStorage.reset();

    auto tree = OwnTree();
    auto otherTree = other->Tree();
    if (tree && SameObject(tree, otherTree)) {
        m_childs->Assign(other->Childs());
        m_source = other->Source();
        return;
    }
    m_childs->Clear();
    auto otherChilds = other->Childs();
    for (int i = 0; i < otherChilds->Count(); ++i) {
        ActivityPtr child = tree ? tree->GetActivityForId(otherChilds->Items(i)->ID()) : nullptr;
        if (child)
            m_childs->Add(child);
    }
    auto otherSource = other->Source();
    m_source = tree && otherSource ? tree->FindSource(otherSource->ID()) : nullptr;
}

void TActivity::Clear() {
    m_childs->Clear();
    m_values->Clear();
    m_tempStorage.reset();
}

void TActivity::ClearTempStorage() {
    if (m_tempStorage)
        m_tempStorage->Clear();
}

void TActivity::LoadFromXML(const TvrnDomElement& element) {
    Clear();
    m_id = XMLGetGUID(element, QStringLiteral("activityid"), m_id);
    m_version = XMLGetInt(element, QStringLiteral("version"), 0);
    auto tree = OwnTree();
    if (tree) {
        TGUID sourceId = XMLGetGUID(element, QStringLiteral("sourceid"), tree->LocalSource()->ID());
        m_source = tree->GetSourceForId(sourceId);
    }
    TvrnDomElement childs = XMLFindChild(element, QStringLiteral("childs"));
    if (XMLAssigned(childs))
        m_childs->LoadFromXML(childs);
    TvrnDomElement properties = XMLFindChild(element, QStringLiteral("properties"));
    if (XMLAssigned(properties))
        std::dynamic_pointer_cast<IXMLStorable>(m_values)->LoadFromXML(properties);
}

void TActivity::SaveToXML(const TvrnDomElement& element) {
    XMLSetGUID(element, QStringLiteral("activityid"), m_id, xsoAttribute);
    XMLSetInt(element, QStringLiteral("version"), m_version, xsoAttribute);
    if (m_source)
        XMLSetGUID(element, QStringLiteral("sourceid"), m_source->ID(), xsoAttribute);
    if (m_childs->Count() > 0)
        m_childs->SaveToXML(XMLAddChild(element, QStringLiteral("childs")));
    if (m_values->Count() > 0)
        std::dynamic_pointer_cast<IXMLStorable>(m_values)->SaveToXML(
            XMLAddChild(element, QStringLiteral("properties")));
}

void TActivity::Cleanup() {
    // The emptied child list and values stay, so that holders of a cleaned activity still see
    // empty lists; they no longer refer to anything, which is what breaks the cycles.
    m_childs->Cleanup();
    m_values->Clear();
    m_tempStorage.reset();
    m_source.reset();
    m_tree.reset();
    m_isValid = false;
}

std::shared_ptr<TPseudoActivity> TPseudoActivity::Create(const std::shared_ptr<TActivityTree>& tree, const TGUID& id) {
    std::shared_ptr<TPseudoActivity> activity(new TPseudoActivity(tree, id));
    activity->Init();
    return activity;
}

int TPseudoActivity::ImageIndex() {
    if (auto tree = OwnTree()) {
        if (SameObject(tree->UnknownActivity().get(), static_cast<IHXActivity_*>(this)))
            return 2;
        if (SameObject(tree->UnknownBreakActivity().get(), static_cast<IHXActivity_*>(this)))
            return 3;
    }
    return TActivity::ImageIndex();
}

int TPseudoActivity::InstanceCount() {
    int count = TActivity::InstanceCount();
    return count == 0 ? 1 : count;
}
