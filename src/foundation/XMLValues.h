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
/// ISOToDateTime of the text (dates, times, date-times and durations; "24:00:00" gives 1, the
/// empty text 0).
double XMLGetDateTime(const TvrnDomElement& element, const QString& name, double defaultValue);
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
/// DateTimeToISO: empty for 0, 'hh:nn:ss', 'yyyy-mm-dd' or 'yyyy-mm-dd hh:nn:ss'.
void XMLSetDateTime(const TvrnDomElement& element, const QString& name, double value,
                    TXMLStorageOption option = xsoDefault);
/// DateToISO of the date part.
void XMLSetDate(const TvrnDomElement& element, const QString& name, double value,
                TXMLStorageOption option = xsoDefault);
/// TimeToISO: midnight is the empty text (reads back as 0), 1 is "24:00:00"; a value outside 0..1
/// raises EVRNTimeError and writes nothing.
void XMLSetTime(const TvrnDomElement& element, const QString& name, double value,
                TXMLStorageOption option = xsoDefault);
/// TimeOfDayToISO: "24:00:00" for exactly one day, else the date-time form.
void XMLSetTimeOfDay(const TvrnDomElement& element, const QString& name, double value,
                     TXMLStorageOption option = xsoDefault);
/// The registry form with braces and upper-case digits.
void XMLSetGUID(const TvrnDomElement& element, const QString& name, const TGUID& value,
                TXMLStorageOption option = xsoDefault);
