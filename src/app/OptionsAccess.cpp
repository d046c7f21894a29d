#include "app/OptionsAccess.h"

#include "model/FontProperties.h"
#include "model/PropertyHelpers.h"
#include "model/PropertyList.h"
#include "ui/DialogFont.h"

#include <algorithm>

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

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
    if (record.lfFaceName.isEmpty())
        return std::nullopt;
    QFont font(record.lfFaceName);
    // A negative height is the character height in pixels; a positive one the cell height.
    if (record.lfHeight != 0) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
        const double points = std::abs(record.lfHeight) * 72.0 / dpi;
        font.setPointSizeF(points < 1 ? 8 : points);
    } else {
        font.setPointSize(8);
    }
    if (record.lfWeight > 0)
        font.setWeight(static_cast<QFont::Weight>(std::clamp(static_cast<int>(record.lfWeight), 100, 900)));
    font.setItalic(record.lfItalic != 0);
    font.setUnderline(record.lfUnderline != 0);
    font.setStrikeOut(record.lfStrikeOut != 0);
    return font;
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
