#pragma once

// Times and durations as the user types them, read with the separators and designators of the
// regional settings.

#include "foundation/DateTime.h"
#include "foundation/International.h"

/// A time of day: optional AM/PM designator (the locale's, or "AM"/"PM", in any case) before or
/// after the number; hours (up to four digits), then optionally the time separator and minutes,
/// again the time separator and seconds, then the decimal separator and up to three digits of the
/// second's fraction. With a designator the hour must be 1..12. "24:00" is the end of the day.
/// Raises EVRNConvertError "\"<text>\" is not a valid TVRNTime value".
TVRNTime StrToTVRNTime(const QString& text, const TvrnFormatSettings& settings = FormatSettings());
bool TryStrToTVRNTime(const QString& text, TVRNTime& result, const TvrnFormatSettings& settings = FormatSettings());

/// A duration: "[days] hours[:minutes[:seconds[<decimal separator>fraction]]]" where the part before
/// the first time separator holds hours alone or days, any non-digits and hours ('8:30' is 8 h 30
/// min, '1 2:00' is 1 day 2 hours, '26:15' is 26 h 15 min). The empty text is 0. Raises
/// EVRNConvertError "StrToDuration: '<text>' is not valid".
double StrToDuration(const QString& text, const TvrnFormatSettings& settings = FormatSettings());
bool TryStrToDuration(const QString& text, double& result, const TvrnFormatSettings& settings = FormatSettings());
