#include "model/PropertyValueList.h"

#include "foundation/VRNTools.h"
#include "model/Property.h"

namespace {
const QString PropertyName = QStringLiteral("property");
} // namespace

TPropertyValueList::TPropertyValueList(int caseMode) : m_caseMode(static_cast<std::uint8_t>(caseMode)) {}

TPropertyValueList::~TPropertyValueList() = default;

std::shared_ptr<IHXProperty_> TPropertyValueList::Items(int index) const {
    return m_items.Items(index);
}

std::shared_ptr<IHXProperty_> TPropertyValueList::AddItem() {
    auto property = std::make_shared<TProperty>(hxpdtUnused, m_caseMode);
    m_items.Add(property);
    return property;
}

bool TPropertyValueList::Changed() const {
    if (m_changed)
        return true;
    for (const auto& item : m_items)
        if (item->Changed())
            return true;
    return false;
}

void TPropertyValueList::Assign(const std::shared_ptr<IHXPropertyValueList_>& source) {
    if (!source)
        throw EUnassignedArgumentError(QStringLiteral("TPropertyValueList._Assign"));
    if (SameObject(source.get(), static_cast<IHXPropertyValueList_*>(this)))
        return;
    m_items.Clear();
    for (int i = 0; i < source->Count(); ++i) {
        auto property = std::make_shared<TProperty>(hxpdtUnused, m_caseMode);
        property->Assign(source->Items(i));
        m_items.Add(property);
    }
    m_changed = true;
}

void TPropertyValueList::Clear() {
    m_items.Clear();
    m_changed = true;
}

void TPropertyValueList::Reset() {
    m_items.Clear();
    m_changed = false;
}

void TPropertyValueList::Delete(int index) {
    try {
        m_items.Delete(index);
    } catch (const EVRNListError& e) {
        throw EVRNListError(e.Message());
    } catch (const std::exception& e) {
        throw EMustNotHappen(QStringLiteral("TPropertyValueList._Delete ") + ExceptionToTextSuffix(e));
    }
    m_changed = true;
}

bool TPropertyValueList::Equals(const std::shared_ptr<IHXPropertyValueList_>& other) const {
    if (!other || other->Count() != Count())
        return false;
    for (int i = 0; i < Count(); ++i)
        if (!m_items.Items(i)->Equals(other->Items(i)))
            return false;
    return true;
}

void TPropertyValueList::LoadFromXML(const TvrnDomElement& element) {
    m_items.Clear();
    for (TvrnDomElement child = XMLFirstChildElement(element); child.Assigned(); child = XMLNextSiblingElement(child)) {
        if (XMLNodeName(child) != PropertyName)
            continue;
        auto property = std::make_shared<TProperty>(hxpdtUnused, m_caseMode);
        property->LoadFromXML(child);
        m_items.Add(property);
    }
    m_changed = false;
}

void TPropertyValueList::SaveToXML(const TvrnDomElement& element) {
    for (const auto& item : m_items) {
        const auto writer = std::dynamic_pointer_cast<IPropertyElement>(item);
        if (!writer)
            throw EMustNotHappen(QStringLiteral("TPropertyValueList.SaveToXML: a property without element form"));
        writer->SaveToXML(XMLAddChild(element, PropertyName));
    }
    m_changed = false;
}
