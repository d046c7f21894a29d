#pragma once

// The few property-list operations the storage descriptions need, in one place.

#include "foundation/GUID.h"
#include "foundation/XMLHelper.h"

#include <QString>
#include <exception>
#include <memory>

class IHXPropertyList_;
using PropertyListPtr = std::shared_ptr<IHXPropertyList_>;

namespace StorageLists {

PropertyListPtr New();
/// A new list assigned from source.
PropertyListPtr Copy(const PropertyListPtr& source);
/// The nested list under name, created (as an empty list) if missing or of another type.
PropertyListPtr Nested(const PropertyListPtr& list, const QString& name);
/// The nested list under name, or nullptr when there is none.
PropertyListPtr FindNested(const PropertyListPtr& list, const QString& name);
/// Replaces the nested list under name by a copy of value.
void SetNested(const PropertyListPtr& list, const QString& name, const PropertyListPtr& value);
void Remove(const PropertyListPtr& list, const QString& name);
/// A missing or mistyped value raises the property list's own error.
TGUID GetGUID(const PropertyListPtr& list, const QString& name);
void SetGUID(const PropertyListPtr& list, const QString& name, const TGUID& value);
/// The text under name, or the empty text when it is missing or no text.
QString GetStringDef(const PropertyListPtr& list, const QString& name);
void SetString(const PropertyListPtr& list, const QString& name, const QString& value);
/// A missing or mistyped date raises the property list's own error.
double GetDate(const PropertyListPtr& list, const QString& name);
bool Equals(const PropertyListPtr& a, const PropertyListPtr& b);
/// The property-list XML form: the children of element.
PropertyListPtr LoadFromElement(const TvrnDomElement& element);
void SaveToElement(const PropertyListPtr& list, const TvrnDomElement& element);
/// The errors that reading a description passes on as they are (wrong data types).
bool IsWrongDataType(const std::exception& e);

} // namespace StorageLists
