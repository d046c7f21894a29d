#pragma once

// The ten built-in date formatters. Pictures, names and calendars that come from the regional
// settings are read at the moment of use, so a change of the settings takes effect at once.

#include "formatting/DateFormatter.h"

/// The locale's short date picture, formatted in the user default locale.
class TDateFormatterShortDate : public TDateFormatterBase {
public:
    static const TGUID ID;
    QString Format(double date) const override;
    QString Name() const override;
    TGUID Id() const override { return ID; }
    QString FormatString() const override;
};

/// The locale's long date picture.
class TDateFormatterLongDate : public TDateFormatterBase {
public:
    static const TGUID ID;
    QString Format(double date) const override;
    QString Name() const override;
    TGUID Id() const override { return ID; }
    QString FormatString() const override;
};

/// The Gregorian calendar the Gregorian formatters use: the user's calendar type when it is one of
/// the Gregorian calendars (1, 2, 9, 10, 11, 12), else the user's optional calendar when it is one,
/// else 1.
CALID UserGregorianCalendar();

/// The first short date picture of the user locale for its Gregorian calendar.
class TDateFormatterGregorianShortDate : public TDateFormatterBase {
public:
    static const TGUID ID;
    QString Format(double date) const override;
    QString Name() const override;
    TGUID Id() const override { return ID; }
    QString FormatString() const override;
    CALID CalendarId() const override { return UserGregorianCalendar(); }
};

/// The first long date picture of the user locale for its Gregorian calendar.
class TDateFormatterGregorianLongDate : public TDateFormatterBase {
public:
    static const TGUID ID;
    QString Format(double date) const override;
    QString Name() const override;
    TGUID Id() const override { return ID; }
    QString FormatString() const override;
    CALID CalendarId() const override { return UserGregorianCalendar(); }
};

/// Base of the formatters whose picture is fixed or built from the settings; they format in the
/// user default locale.
class TDateFormatterGenericBase : public TDateFormatterBase {
public:
    QString Format(double date) const override;
};

/// Day, month and four-digit year in the locale's order, with its separator and leading zeros;
/// named "Month Day Year", "Day Month Year" or "Year Month Day".
class TDateFormatterGenericYMD : public TDateFormatterGenericBase {
public:
    static const TGUID ID;
    QString Name() const override;
    TGUID Id() const override { return ID; }
    QString FormatString() const override;
};

/// Day and month in the locale's order ("Month Day" or "Day Month").
class TDateFormatterGenericMD : public TDateFormatterGenericBase {
public:
    static const TGUID ID;
    QString Name() const override;
    TGUID Id() const override { return ID; }
    QString FormatString() const override;
};

/// The day of the month ("d", or "dd" when the locale writes days with a leading zero).
class TDateFormatterGenericDay : public TDateFormatterGenericBase {
public:
    static const TGUID ID;
    QString Name() const override;
    TGUID Id() const override { return ID; }
    QString FormatString() const override;
};

/// The abbreviated weekday name ("ddd").
class TDateFormatterGenericWeekdayShort : public TDateFormatterGenericBase {
public:
    static const TGUID ID;
    QString Name() const override;
    TGUID Id() const override { return ID; }
    QString FormatString() const override { return QStringLiteral("ddd"); }
};

/// The weekday name ("dddd").
class TDateFormatterGenericWeekdayLong : public TDateFormatterGenericBase {
public:
    static const TGUID ID;
    QString Name() const override;
    TGUID Id() const override { return ID; }
    QString FormatString() const override { return QStringLiteral("dddd"); }
};

/// The ISO date yyyy-MM-dd, whatever the locale.
class TDateFormatterISO : public TDateFormatterBase {
public:
    static const TGUID ID;
    QString Format(double date) const override;
    QString Name() const override;
    TGUID Id() const override { return ID; }
    QString FormatString() const override { return QStringLiteral("yyyy-MM-dd"); }
};

/// The parts of the built pictures.
struct TDatePictureParts {
    QString Day;       // "d" or "dd"
    QString Month;     // "M" or "MM"
    QString Separator; // the date separator in single quotes, quotes inside doubled
    int Order = 0;     // 0 month-day-year, 1 day-month-year, 2 year-month-day
};
TDatePictureParts MakeDatePictureParts(bool dayLeadingZero, bool monthLeadingZero, const QString& separator, int order);
/// The parts from the user default locale.
TDatePictureParts UserDatePictureParts();
/// Day, month and "yyyy" in the order of the parts ("dd'.'MM'.'yyyy" for German settings).
QString DayMonthYearPicture(const TDatePictureParts& parts);
/// Day and month in the order of the parts (month first for orders 0 and 2).
QString DayMonthPicture(const TDatePictureParts& parts);
