#pragma once

// The controller's few operations on the options property list: sections, values with their
// defaults, the XML form.

#include "app/ApplicationInterfaces.h"
#include "foundation/XMLHelper.h"

#include <QFont>
#include <QString>
#include <optional>

/// A new, empty options list.
PropertyListPtr NewOptionsList();
/// The named section (a nested property list), created empty when it is missing.
PropertyListPtr OptionsSection(const PropertyListPtr& options, const QString& name);
/// Whether the section has no values.
bool SectionIsEmpty(const PropertyListPtr& section);
bool SectionBool(const PropertyListPtr& section, const QString& key, bool defaultValue);
QString SectionString(const PropertyListPtr& section, const QString& key, const QString& defaultValue);
/// The GUID property of a list, or the null GUID when it is missing or not a GUID.
TGUID ListGUID(const PropertyListPtr& list, const QString& key);
/// The font stored under key in the section, if any.
std::optional<QFont> SectionFont(const PropertyListPtr& section, const QString& key);

void ClearOptions(const PropertyListPtr& options);
void LoadOptionsFromXML(const PropertyListPtr& options, const TvrnDomElement& element);
void SaveOptionsToXML(const PropertyListPtr& options, const TvrnDomElement& element);
