#pragma once

// Typed reads with a fallback, for the owners of settings: they never raise for a missing
// property (nullptr) or one of another type, and the list-level variants never add names.

#include "model/PropertyInterfaces.h"

using TPropertyRef = std::shared_ptr<IHXProperty_>;
using TPropertyListRef = std::shared_ptr<IHXPropertyList_>;
using TPropertyValueListRef = std::shared_ptr<IHXPropertyValueList_>;

/// The boolean of a property of type boolean, else the default.
bool GetBooleanDef(const TPropertyRef& property, bool defaultValue);
/// The integer of a property of type integer, else the default.
int GetIntegerDef(const TPropertyRef& property, int defaultValue);
/// GetIntegerDef limited to min..max.
int GetIntegerRange(const TPropertyRef& property, int defaultValue, int minValue, int maxValue);
/// GetIntegerRange with 0 and 255.
int GetByteDef(const TPropertyRef& property, int defaultValue);
double GetDoubleDef(const TPropertyRef& property, double defaultValue);
/// GetDoubleDef limited to min..max.
double GetDoubleRange(const TPropertyRef& property, double defaultValue, double minValue, double maxValue);
QString GetStringDef(const TPropertyRef& property, const QString& defaultValue);
double GetDateTimeDef(const TPropertyRef& property, double defaultValue);
/// The date of a date property, the date-time of a date-time property, else the default.
double GetDateDef(const TPropertyRef& property, double defaultValue);
/// The time of a time property, the date-time of a date-time property, else the default.
double GetTimeDef(const TPropertyRef& property, double defaultValue);
/// The duration of a duration property, the date-time of a date-time property, else the default.
double GetDurationDef(const TPropertyRef& property, double defaultValue);
/// The GUID of a GUID property, the text of a string property parsed as a GUID (a text that is no
/// GUID raises EVRNConvertError), else the default.
TGUID GetGUIDDef(const TPropertyRef& property, const TGUID& defaultValue);
/// The value list of a value-list property, else the default list.
TPropertyValueListRef GetValueListDef(const TPropertyRef& property, const TPropertyValueListRef& defaultValue);

// The same, applied to list->Find(name); a nullptr list counts as an empty list.
bool FindBooleanDef(const TPropertyListRef& list, const QString& name, bool defaultValue);
int FindIntegerDef(const TPropertyListRef& list, const QString& name, int defaultValue);
QString FindStringDef(const TPropertyListRef& list, const QString& name, const QString& defaultValue);
double FindTimeDef(const TPropertyListRef& list, const QString& name, double defaultValue);
TGUID FindGUIDDef(const TPropertyListRef& list, const QString& name, const TGUID& defaultValue);
TPropertyValueListRef FindValueListDef(const TPropertyListRef& list, const QString& name,
                                       const TPropertyValueListRef& defaultValue);

/// Makes the named property of the list a property list: takes Items(name) (adding the name if
/// needed); a property of any type other than 0 and 6 is removed and created afresh; a property of
/// type 0 becomes an empty property list. Returns whether the list had to be created.
bool EnsurePropertyList(const TPropertyListRef& list, const QString& name);
