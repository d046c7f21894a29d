#include "foundation/XMLValues.h"

#include "foundation/DateTime.h"
#include "foundation/VRNTools.h"

#include <exception>

namespace {

// Reads the named value and converts it; any failure gives the default.
template <typename T, typename Convert>
T ReadOr(const TvrnDomElement& element, const QString& name, const T& defaultValue, Convert convert) {
    return ValueOr<T>(defaultValue, [&] { return convert(XMLGetValue(element, name)); });
}

} // namespace

QString XMLGetString(const TvrnDomElement& element, const QString& name, const QString& defaultValue) {
    return ReadOr(element, name, defaultValue, [](const QString& text) { return text; });
}

int XMLGetInt(const TvrnDomElement& element, const QString& name, int defaultValue) {
    return ReadOr(element, name, defaultValue, [](const QString& text) { return WideStrToInt(text); });
}

double XMLGetFloat(const TvrnDomElement& element, const QString& name, double defaultValue) {
    return ReadOr(element, name, defaultValue, [](const QString& text) { return InvariantStrToFloat(text); });
}

bool XMLGetBool(const TvrnDomElement& element, const QString& name, bool defaultValue) {
    return ReadOr(element, name, defaultValue, [](const QString& text) {
        return text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || text == QLatin1String("1");
    });
}

double XMLGetDateTime(const TvrnDomElement& element, const QString& name, double defaultValue) {
    return ReadOr(element, name, defaultValue, [](const QString& text) { return ISOToDateTime(text); });
}

TGUID XMLGetGUID(const TvrnDomElement& element, const QString& name, const TGUID& defaultValue) {
    return ReadOr(element, name, defaultValue, [](const QString& text) { return WideStringToGUID(text); });
}

void XMLSetString(const TvrnDomElement& element, const QString& name, const QString& value, TXMLStorageOption option) {
    XMLSetValue(element, name, value, option);
}

void XMLSetInt(const TvrnDomElement& element, const QString& name, int value, TXMLStorageOption option) {
    XMLSetValue(element, name, IntToWideStr(value), option);
}

void XMLSetFloat(const TvrnDomElement& element, const QString& name, double value, TXMLStorageOption option) {
    XMLSetValue(element, name, FloatToInvariantStr(value), option);
}

void XMLSetBool(const TvrnDomElement& element, const QString& name, bool value, TXMLStorageOption option) {
    XMLSetValue(element, name, BoolToWideStr(value), option);
}

void XMLSetDateTime(const TvrnDomElement& element, const QString& name, double value, TXMLStorageOption option) {
    XMLSetValue(element, name, DateTimeToISO(value), option);
}

void XMLSetDate(const TvrnDomElement& element, const QString& name, double value, TXMLStorageOption option) {
    XMLSetValue(element, name, DateToISO(value), option);
}

void XMLSetTime(const TvrnDomElement& element, const QString& name, double value, TXMLStorageOption option) {
    XMLSetValue(element, name, TimeToISO(value), option);
}

void XMLSetTimeOfDay(const TvrnDomElement& element, const QString& name, double value, TXMLStorageOption option) {
    XMLSetValue(element, name, TimeOfDayToISO(value), option);
}

void XMLSetGUID(const TvrnDomElement& element, const QString& name, const TGUID& value, TXMLStorageOption option) {
    XMLSetValue(element, name, GUIDToWideString(value), option);
}
