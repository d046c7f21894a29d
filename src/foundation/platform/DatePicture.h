#pragma once

// Date pictures (the program's date format syntax) and their translation to ICU date patterns and
// back.
//
// Picture syntax: d (day), dd (day, two digits), ddd (abbreviated weekday), dddd (weekday name),
// M, MM, MMM (abbreviated month name), MMMM (month name), y (year without century, no leading
// zero), yy (two-digit year), yyyy (full year), g or gg (era), text in single quotes copied as it
// is (two single quotes inside stand for one). Every other character is copied literally.

#include <QString>

struct TDatePictureToPattern {
    /// The ICU pattern. A one-letter year is not expressible in ICU; it becomes a quoted literal of
    /// yearOfEra % 100.
    QString Pattern;
    /// The picture has a day number (d or dd): month names then take the form used inside dates,
    /// otherwise the stand-alone form.
    bool HasDayNumber = false;
};

/// Translates a picture into an ICU pattern. fullYearPattern is what "yyyy" becomes ("yyyy" for the
/// Gregorian calendar, "y" for era-based calendars whose years are small numbers).
TDatePictureToPattern DatePictureToIcuPattern(const QString& picture, int yearOfEra,
                                              const QString& fullYearPattern = QStringLiteral("yyyy"));

/// Translates an ICU date pattern into a picture. Returns false when the pattern uses a field the
/// picture syntax cannot express (for example narrow month names or week numbers); result is then
/// undefined. Time fields are refused as well.
bool IcuPatternToDatePicture(const QString& pattern, QString& result);

/// Translates an ICU time pattern into a time picture (h, hh, H, HH, m, mm, s, ss, tt for the
/// AM/PM designator, quoted literals). Fields without an equivalent are dropped.
QString IcuPatternToTimePicture(const QString& pattern);

/// Puts text into single quotes for a picture or pattern, doubling single quotes inside.
QString QuotePatternText(const QString& text);

/// Reads the quoted section starting at text[from] (a single quote) and moves from behind it; an
/// unterminated section runs to the end. Two quotes stand for one quote, inside a section and as
/// a section of their own.
QString ReadQuotedPatternText(const QString& text, qsizetype& from);
