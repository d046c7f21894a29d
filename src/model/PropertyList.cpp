#include "model/PropertyList.h"

#include "foundation/VRNTools.h"

namespace {
const QString PropertyName = QStringLiteral("property");
const QString NameName = QStringLiteral("name");

std::uint8_t CheckedCaseMode(int caseMode) {
    if (caseMode < 0 || caseMode > 2)
        throw EVRNException(QStringLiteral("invalid case sensitivity"));
    return static_cast<std::uint8_t>(caseMode);
}
} // namespace

TPropertyList::TPropertyList(int bucketCount, int caseMode)
    : m_hash(CheckedCaseMode(caseMode) == 1 ? decltype(m_hash)(std::in_place_type<FoldedHash>, bucketCount)
                                            : decltype(m_hash)(std::in_place_type<ExactHash>, bucketCount)),
      m_caseMode(static_cast<std::uint8_t>(caseMode)) {}

TPropertyList::~TPropertyList() = default;

int TPropertyList::Count() const {
    return WithHash([](const auto& hash) { return hash.Count(); });
}

void TPropertyList::Clear() {
    WithHash([](auto& hash) { hash.Clear(); });
    m_changed = true;
}

void TPropertyList::Reset() {
    WithHash([](auto& hash) { hash.Clear(); });
    m_changed = false;
}

void TPropertyList::ForEach(
    const std::function<void(const QString&, const std::shared_ptr<IHXProperty_>&)>& visit) const {
    WithHash([&](const auto& hash) {
        for (int i = 0; i < hash.Count(); ++i)
            visit(hash.Keys(i), hash.Items(i));
    });
}

void TPropertyList::Assign(const std::shared_ptr<IHXPropertyList_>& source) {
    if (!source)
        throw EUnassignedArgumentError(QStringLiteral("TPropertyList._Assign"));
    if (SameObject(source.get(), static_cast<IHXPropertyList_*>(this)))
        return;
    Clear();
    const auto copy = [&](const QString& name, const std::shared_ptr<IHXProperty_>& property) {
        auto own = std::make_shared<TProperty>(hxpdtUnused, m_caseMode);
        own->Assign(property);
        SetItem(name, own);
    };
    if (auto list = std::dynamic_pointer_cast<TPropertyList>(source)) {
        list->ForEach(copy);
        return;
    }
    for (source->First(); !source->EndOfList(); source->Next())
        copy(source->CurrentName(), source->CurrentItem());
}

bool TPropertyList::Changed() const {
    if (m_changed)
        return true;
    return WithHash([](const auto& hash) {
        for (int i = 0; i < hash.Count(); ++i)
            if (hash.Items(i)->Changed())
                return true;
        return false;
    });
}

std::shared_ptr<IHXProperty_> TPropertyList::Items(const QString& name) {
    if (std::shared_ptr<IHXProperty_> found = Find(name))
        return found;
    auto property = std::make_shared<TProperty>(hxpdtUnused, m_caseMode);
    SetItem(name, property);
    return property;
}

void TPropertyList::Remove(const QString& name) {
    SetItem(name, nullptr);
}

std::shared_ptr<IHXProperty_> TPropertyList::Find(const QString& name) const {
    return WithHash([&](const auto& hash) { return hash.GetValue(name); });
}

void TPropertyList::First() {
    WithHash([](auto& hash) { hash.First(); });
}

void TPropertyList::Next() {
    WithHash([](auto& hash) { hash.Next(); });
}

bool TPropertyList::EndOfList() const {
    return WithHash([](const auto& hash) { return hash.EndOfList(); });
}

QString TPropertyList::CurrentName() const {
    return WithHash([](const auto& hash) { return hash.CurrentKey(); });
}

std::shared_ptr<IHXProperty_> TPropertyList::CurrentItem() const {
    return WithHash([](const auto& hash) { return hash.CurrentItem(); });
}

void TPropertyList::SetItem(const QString& name, const std::shared_ptr<IHXProperty_>& property) {
    WithHash([&](auto& hash) {
        if (property)
            hash.SetValue(name, property);
        else
            hash.Remove(name);
    });
    m_changed = true;
}

bool TPropertyList::Equals(const std::shared_ptr<IHXPropertyList_>& other) const {
    if (!other || other->Count() != Count())
        return false;
    return WithHash([&](const auto& hash) {
        for (int i = 0; i < hash.Count(); ++i)
            if (!hash.Items(i)->Equals(other->Find(hash.Keys(i))))
                return false;
        return true;
    });
}

void TPropertyList::LoadFromXML(const TvrnDomElement& element) {
    Clear();
    for (TvrnDomElement child = XMLFirstChildElement(element); child.Assigned(); child = XMLNextSiblingElement(child)) {
        if (XMLNodeName(child) != PropertyName)
            continue;
        auto property = std::make_shared<TProperty>(hxpdtUnused, m_caseMode);
        property->LoadFromXML(child);
        if (property->DataType() != hxpdtUnused)
            SetItem(XMLGetValue(child, NameName), property);
    }
    m_changed = false;
}

void TPropertyList::SaveToXML(const TvrnDomElement& element) {
    ForEach([&](const QString& name, const std::shared_ptr<IHXProperty_>& property) {
        const int type = property->DataType();
        if (type == hxpdtUnused)
            return;
        if (type == hxpdtValueList && property->AsValueList()->Count() == 0)
            return;
        if (type == hxpdtPropertyList && property->AsPropertyList()->Count() == 0)
            return;
        const TvrnDomElement child = XMLAddChild(element, PropertyName);
        XMLSetValue(child, NameName, name, xsoAttribute);
        const auto writer = std::dynamic_pointer_cast<IPropertyElement>(property);
        if (!writer)
            throw EMustNotHappen(QStringLiteral("TPropertyList.SaveToXML: a property without element form"));
        writer->SaveToXML(child);
    });
    m_changed = false;
}
