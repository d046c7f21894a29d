#pragma once

// The text form of a holiday rule, as the holiday editing controls show and read it: a sign for
// relative rules ("+" or "-", none otherwise), then the amount: a percentage as a whole number of
// the user's locale (without digit grouping) followed by "%", or a duration as hours and minutes.
// Examples: +01:30, -50%, 04:00, 80%. Every text written reads back in every locale.

#include "calendar/HolidayWorktime.h"

#include <QString>

QString HolidayWorktimeToText(const IHXHolidayWorktime_& rule);

/// Reads the text form into rule. Blanks around the text and the amount are ignored; a trailing
/// "%" makes a percentage (read as a plain decimal number, "." or the locale's decimal separator
/// as decimal point), otherwise the amount is a duration in hours and minutes, separated by ":" or
/// by the locale's time separator. A text that cannot be read raises EVRNConvertError
/// (an empty text: "'<text>' is not a valid HolidayWorktime"; a bad duration: the duration
/// reader's message) and leaves rule unchanged.
void TextToHolidayWorktime(const QString& text, IHXHolidayWorktime_& rule);
