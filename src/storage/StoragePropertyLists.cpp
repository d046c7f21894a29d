#include "storage/StoragePropertyLists.h"

#include "model/PropertyInterfaces.h"
#include "model/PropertyList.h"

namespace StorageLists {

PropertyListPtr New() {
    return std::make_shared<TPropertyList>();
}

PropertyListPtr Copy(const PropertyListPtr& source) {
    PropertyListPtr copy = New();
    copy->Assign(source);
    return copy;
}

PropertyListPtr Nested(const PropertyListPtr& list, const QString& name) {
    return list->Items(name)->AsPropertyList();
}

PropertyListPtr FindNested(const PropertyListPtr& list, const QString& name) {
    const std::shared_ptr<IHXProperty_> property = list->Find(name);
    if (!property || property->DataType() != hxpdtPropertyList)
        return nullptr;
    return property->AsPropertyList();
}

void SetNested(const PropertyListPtr& list, const QString& name, const PropertyListPtr& value) {
    Nested(list, name)->Assign(value);
}

void Remove(const PropertyListPtr& list, const QString& name) {
    list->Remove(name);
}

TGUID GetGUID(const PropertyListPtr& list, const QString& name) {
    const std::shared_ptr<IHXProperty_> property = list->Find(name);
    if (!property)
        throw EPropertyWrongDataType(QStringLiteral("Property '%1' is missing").arg(name));
    return property->AsGUID();
}

void SetGUID(const PropertyListPtr& list, const QString& name, const TGUID& value) {
    list->Items(name)->SetAsGUID(value);
}

QString GetStringDef(const PropertyListPtr& list, const QString& name) {
    const std::shared_ptr<IHXProperty_> property = list ? list->Find(name) : nullptr;
    if (!property || property->DataType() != hxpdtString)
        return QString();
    return property->AsString();
}

void SetString(const PropertyListPtr& list, const QString& name, const QString& value) {
    list->Items(name)->SetAsString(value);
}

double GetDate(const PropertyListPtr& list, const QString& name) {
    const std::shared_ptr<IHXProperty_> property = list->Find(name);
    if (!property)
        throw EPropertyWrongDataType(QStringLiteral("Property '%1' is missing").arg(name));
    return property->AsDate();
}

bool Equals(const PropertyListPtr& a, const PropertyListPtr& b) {
    return a && b && a->Equals(b);
}

PropertyListPtr LoadFromElement(const TvrnDomElement& element) {
    auto list = std::make_shared<TPropertyList>();
    list->LoadFromXML(element);
    return list;
}

void SaveToElement(const PropertyListPtr& list, const TvrnDomElement& element) {
    std::dynamic_pointer_cast<IXMLStorable>(list)->SaveToXML(element);
}

bool IsWrongDataType(const std::exception& e) {
    return dynamic_cast<const EPropertyWrongDataType*>(&e) != nullptr;
}

} // namespace StorageLists
