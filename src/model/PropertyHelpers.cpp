#include "model/PropertyHelpers.h"

#include "foundation/VRNException.h"

namespace {
bool HasType(const TPropertyRef& property, int type) {
    return property && property->DataType() == type;
}

TPropertyRef FindIn(const TPropertyListRef& list, const QString& name) {
    return list ? list->Find(name) : nullptr;
}
} // namespace

bool GetBooleanDef(const TPropertyRef& property, bool defaultValue) {
    return HasType(property, hxpdtBoolean) ? property->AsBoolean() : defaultValue;
}

int GetIntegerDef(const TPropertyRef& property, int defaultValue) {
    return HasType(property, hxpdtInteger) ? property->AsInteger() : defaultValue;
}

int GetIntegerRange(const TPropertyRef& property, int defaultValue, int minValue, int maxValue) {
    const int value = GetIntegerDef(property, defaultValue);
    if (value < minValue)
        return minValue;
    if (value > maxValue)
        return maxValue;
    return value;
}

int GetByteDef(const TPropertyRef& property, int defaultValue) {
    return GetIntegerRange(property, defaultValue, 0, 255);
}

double GetDoubleDef(const TPropertyRef& property, double defaultValue) {
    return HasType(property, hxpdtDouble) ? property->AsDouble() : defaultValue;
}

double GetDoubleRange(const TPropertyRef& property, double defaultValue, double minValue, double maxValue) {
    const double value = GetDoubleDef(property, defaultValue);
    if (value < minValue)
        return minValue;
    if (value > maxValue)
        return maxValue;
    return value;
}

QString GetStringDef(const TPropertyRef& property, const QString& defaultValue) {
    return HasType(property, hxpdtString) ? property->AsString() : defaultValue;
}

double GetDateTimeDef(const TPropertyRef& property, double defaultValue) {
    return HasType(property, hxpdtDateTime) ? property->AsDateTime() : defaultValue;
}

double GetDateDef(const TPropertyRef& property, double defaultValue) {
    return HasType(property, hxpdtDate) || HasType(property, hxpdtDateTime) ? property->AsDate() : defaultValue;
}

double GetTimeDef(const TPropertyRef& property, double defaultValue) {
    return HasType(property, hxpdtTime) || HasType(property, hxpdtDateTime) ? property->AsTime() : defaultValue;
}

double GetDurationDef(const TPropertyRef& property, double defaultValue) {
    return HasType(property, hxpdtDuration) || HasType(property, hxpdtDateTime) ? property->AsDuration() : defaultValue;
}

TGUID GetGUIDDef(const TPropertyRef& property, const TGUID& defaultValue) {
    return HasType(property, hxpdtGUID) || HasType(property, hxpdtString) ? property->AsGUID() : defaultValue;
}

TPropertyValueListRef GetValueListDef(const TPropertyRef& property, const TPropertyValueListRef& defaultValue) {
    return HasType(property, hxpdtValueList) ? property->AsValueList() : defaultValue;
}

bool FindBooleanDef(const TPropertyListRef& list, const QString& name, bool defaultValue) {
    return GetBooleanDef(FindIn(list, name), defaultValue);
}

int FindIntegerDef(const TPropertyListRef& list, const QString& name, int defaultValue) {
    return GetIntegerDef(FindIn(list, name), defaultValue);
}

QString FindStringDef(const TPropertyListRef& list, const QString& name, const QString& defaultValue) {
    return GetStringDef(FindIn(list, name), defaultValue);
}

double FindTimeDef(const TPropertyListRef& list, const QString& name, double defaultValue) {
    return GetTimeDef(FindIn(list, name), defaultValue);
}

TGUID FindGUIDDef(const TPropertyListRef& list, const QString& name, const TGUID& defaultValue) {
    return GetGUIDDef(FindIn(list, name), defaultValue);
}

TPropertyValueListRef FindValueListDef(const TPropertyListRef& list, const QString& name,
                                       const TPropertyValueListRef& defaultValue) {
    return GetValueListDef(FindIn(list, name), defaultValue);
}

bool EnsurePropertyList(const TPropertyListRef& list, const QString& name) {
    if (!list)
        throw EUnassignedArgumentError(QStringLiteral("EnsurePropertyList"));
    TPropertyRef property = list->Items(name);
    if (property->DataType() != hxpdtUnused && property->DataType() != hxpdtPropertyList) {
        list->Remove(name);
        property = list->Items(name);
    }
    if (property->DataType() == hxpdtUnused) {
        property->AsPropertyList();
        return true;
    }
    return false;
}
