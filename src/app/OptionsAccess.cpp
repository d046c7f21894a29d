#include "app/OptionsAccess.h"

#include "model/FontProperties.h"
#include "model/PropertyHelpers.h"
#include "model/PropertyList.h"
#include "ui/DialogFont.h"

PropertyListPtr NewOptionsList() {
    return std::make_shared<TPropertyList>(40);
}

PropertyListPtr OptionsSection(const PropertyListPtr& options, const QString& name) {
    return options->Items(name)->AsPropertyList();
}

bool SectionIsEmpty(const PropertyListPtr& section) {
    return !section || section->Count() == 0;
}

bool SectionBool(const PropertyListPtr& section, const QString& key, bool defaultValue) {
    return FindBooleanDef(section, key, defaultValue);
}

QString SectionString(const PropertyListPtr& section, const QString& key, const QString& defaultValue) {
    return FindStringDef(section, key, defaultValue);
}

TGUID ListGUID(const PropertyListPtr& list, const QString& key) {
    return FindGUIDDef(list, key, TGUID());
}

std::optional<QFont> SectionFont(const PropertyListPtr& section, const QString& key) {
    if (!section)
        return std::nullopt;
    const auto property = section->Find(key);
    if (!property || property->DataType() != hxpdtPropertyList)
        return std::nullopt;
    TLogFontRecord record;
    ReadFontFromProperty(property, record);
    return FontFromLogFont(record, ScreenDotsPerInch());
}

void ClearOptions(const PropertyListPtr& options) {
    options->Clear();
}

namespace {

IXMLStorable& Storable(const PropertyListPtr& options) {
    auto* storable = dynamic_cast<IXMLStorable*>(options.get());
    if (!storable)
        throw EMustNotHappen(QStringLiteral("THXApplication: the options cannot be stored"));
    return *storable;
}

} // namespace

void LoadOptionsFromXML(const PropertyListPtr& options, const TvrnDomElement& element) {
    Storable(options).LoadFromXML(element);
}

void SaveOptionsToXML(const PropertyListPtr& options, const TvrnDomElement& element) {
    Storable(options).SaveToXML(element);
}
