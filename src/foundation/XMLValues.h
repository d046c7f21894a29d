#pragma once

// Typed named values of an element. Writers store the locale-independent text forms; readers
// return the caller's default whenever reading or converting fails, so bad or missing data never
// raises.

#include "foundation/GUID.h"
#include "foundation/XMLHelper.h"

/// The text as it is (the empty text for a missing value); the default only if reading fails.
QString XMLGetString(const TvrnDomElement& element, const QString& name, const QString& defaultValue);
/// WideStrToInt of the text.
int XMLGetInt(const TvrnDomElement& element, const QString& name, int defaultValue);
/// InvariantStrToFloat of the text ("1,5" gives the default).
double XMLGetFloat(const TvrnDomElement& element, const QString& name, double defaultValue);
/// True for "true" in any letter case or exactly "1"; false for any other text, including a
/// missing value. The default only if reading fails.
bool XMLGetBool(const TvrnDomElement& element, const QString& name, bool defaultValue);
/// WideStringToGUID of the text.
TGUID XMLGetGUID(const TvrnDomElement& element, const QString& name, const TGUID& defaultValue);

void XMLSetString(const TvrnDomElement& element, const QString& name, const QString& value,
                  TXMLStorageOption option = xsoDefault);
/// Decimal without padding.
void XMLSetInt(const TvrnDomElement& element, const QString& name, int value, TXMLStorageOption option = xsoDefault);
/// FloatToInvariantStr; a value that is not finite raises EVRNConvertError and writes nothing.
void XMLSetFloat(const TvrnDomElement& element, const QString& name, double value,
                 TXMLStorageOption option = xsoDefault);
/// "true" or "false".
void XMLSetBool(const TvrnDomElement& element, const QString& name, bool value, TXMLStorageOption option = xsoDefault);
/// The registry form with braces and upper-case digits.
void XMLSetGUID(const TvrnDomElement& element, const QString& name, const TGUID& value,
                TXMLStorageOption option = xsoDefault);
