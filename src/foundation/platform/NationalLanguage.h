#pragma once

// National language support: the regional-settings services the program relies on, answered from
// ICU's locale data.
//
// Locales are named by 32-bit identifiers (LCIDs, as ICU maps them with uloc_getLCID); 1024 is the
// user default locale, which is the locale ICU reads from the environment (LC_ALL, LC_MESSAGES,
// LANG) unless the program picked one with SetUserDefaultLocaleName. Values the locale data cannot
// supply read as the empty text; enumerations that find nothing are empty.

#include "foundation/VRNException.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>

using LCID = std::uint32_t;
using LCTYPE = std::uint32_t;
using CALID = std::uint32_t;
using CALTYPE = std::uint32_t;

/// A formatting request the locale data could not answer (unknown locale, calendar or picture).
VRN_DECLARE_EXCEPTION(ENationalLanguageError, EVRNException);

constexpr LCID LOCALE_NEUTRAL = 0x0000;
constexpr LCID LOCALE_INVARIANT = 0x007F;
constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;

// Locale values (GetLocaleInfo).
constexpr LCTYPE LOCALE_ILANGUAGE = 0x0001; // language id, four hexadecimal digits
constexpr LCTYPE LOCALE_SLANGUAGE = 0x0002; // language name in the user default locale's language
constexpr LCTYPE LOCALE_SNATIVELANGNAME = 0x0004;
constexpr LCTYPE LOCALE_SCOUNTRY = 0x0006;
constexpr LCTYPE LOCALE_SLIST = 0x000C;
constexpr LCTYPE LOCALE_IMEASURE = 0x000D; // "0" metric, "1" inches
constexpr LCTYPE LOCALE_SDECIMAL = 0x000E;
constexpr LCTYPE LOCALE_STHOUSAND = 0x000F;
constexpr LCTYPE LOCALE_SGROUPING = 0x0010; // "3;0", "3;2;0", "0;0"
constexpr LCTYPE LOCALE_IDIGITS = 0x0011;
constexpr LCTYPE LOCALE_ILZERO = 0x0012;
constexpr LCTYPE LOCALE_SDATE = 0x001D;
constexpr LCTYPE LOCALE_STIME = 0x001E;
constexpr LCTYPE LOCALE_SSHORTDATE = 0x001F;
constexpr LCTYPE LOCALE_SLONGDATE = 0x0020;
constexpr LCTYPE LOCALE_IDATE = 0x0021; // 0 month-day-year, 1 day-month-year, 2 year-month-day
constexpr LCTYPE LOCALE_ITIME = 0x0023; // "1" for 24 hours
constexpr LCTYPE LOCALE_ICENTURY = 0x0024;
constexpr LCTYPE LOCALE_ITLZERO = 0x0025;
constexpr LCTYPE LOCALE_IDAYLZERO = 0x0026;
constexpr LCTYPE LOCALE_IMONLZERO = 0x0027;
constexpr LCTYPE LOCALE_S1159 = 0x0028;     // AM designator
constexpr LCTYPE LOCALE_S2359 = 0x0029;     // PM designator
constexpr LCTYPE LOCALE_SDAYNAME1 = 0x002A; // Monday; ..7 = Sunday
constexpr LCTYPE LOCALE_SABBREVDAYNAME1 = 0x0031;
constexpr LCTYPE LOCALE_SMONTHNAME1 = 0x0038;
constexpr LCTYPE LOCALE_SABBREVMONTHNAME1 = 0x0044;
constexpr LCTYPE LOCALE_SNEGATIVESIGN = 0x0051;
constexpr LCTYPE LOCALE_SISO639LANGNAME = 0x0059;
constexpr LCTYPE LOCALE_SISO3166CTRYNAME = 0x005A;
constexpr LCTYPE LOCALE_SNAME = 0x005C; // "de-DE"
constexpr LCTYPE LOCALE_SSHORTTIME = 0x0079;
constexpr LCTYPE LOCALE_SENGLANGUAGE = 0x1001;
constexpr LCTYPE LOCALE_SENGCOUNTRY = 0x1002;
constexpr LCTYPE LOCALE_STIMEFORMAT = 0x1003;
constexpr LCTYPE LOCALE_SYEARMONTH = 0x1006;
constexpr LCTYPE LOCALE_ICALENDARTYPE = 0x1009;
constexpr LCTYPE LOCALE_IOPTIONALCALENDAR = 0x100B; // "0" when the locale has no other calendar
constexpr LCTYPE LOCALE_IFIRSTDAYOFWEEK = 0x100C;   // 0 Monday .. 6 Sunday
constexpr LCTYPE LOCALE_IFIRSTWEEKOFYEAR = 0x100D;  // 0 week of Jan 1, 1 first full week, 2 first four-day week
constexpr LCTYPE LOCALE_INEGNUMBER = 0x1010;        // 0 "(1.1)", 1 "-1.1", 2 "- 1.1", 3 "1.1-", 4 "1.1 -"

// Calendars.
constexpr CALID CAL_GREGORIAN = 1;
constexpr CALID CAL_GREGORIAN_US = 2;
constexpr CALID CAL_JAPAN = 3;
constexpr CALID CAL_TAIWAN = 4;
constexpr CALID CAL_KOREA = 5;
constexpr CALID CAL_HIJRI = 6;
constexpr CALID CAL_THAI = 7;
constexpr CALID CAL_HEBREW = 8;
constexpr CALID CAL_GREGORIAN_ME_FRENCH = 9;
constexpr CALID CAL_GREGORIAN_ARABIC = 10;
constexpr CALID CAL_GREGORIAN_XLIT_ENGLISH = 11;
constexpr CALID CAL_GREGORIAN_XLIT_FRENCH = 12;
constexpr CALID CAL_PERSIAN = 22;
constexpr CALID CAL_UMALQURA = 23;
constexpr CALID ENUM_ALL_CALENDARS = 0xFFFFFFFF;

// Calendar values (EnumCalendarInfo).
constexpr CALTYPE CAL_ICALINTVALUE = 0x0001;
constexpr CALTYPE CAL_SCALNAME = 0x0002;
constexpr CALTYPE CAL_SERASTRING = 0x0004;
constexpr CALTYPE CAL_SSHORTDATE = 0x0005;
constexpr CALTYPE CAL_SLONGDATE = 0x0006;
constexpr CALTYPE CAL_SYEARMONTH = 0x002F;

// GetDateFormat flags.
constexpr std::uint32_t DATE_SHORTDATE = 0x0001;
constexpr std::uint32_t DATE_LONGDATE = 0x0002;
constexpr std::uint32_t DATE_USE_ALT_CALENDAR = 0x0004;
constexpr std::uint32_t DATE_YEARMONTH = 0x0008;

// GetTimeFormat flags.
constexpr std::uint32_t TIME_NOMINUTESORSECONDS = 0x0001;
constexpr std::uint32_t TIME_NOSECONDS = 0x0002;
constexpr std::uint32_t TIME_NOTIMEMARKER = 0x0004;
constexpr std::uint32_t TIME_FORCE24HOURFORMAT = 0x0008;

// EnumDateFormats and EnumSystemLocales selectors.
constexpr std::uint32_t DATE_FORMATS_SHORT = DATE_SHORTDATE;
constexpr std::uint32_t DATE_FORMATS_LONG = DATE_LONGDATE;
constexpr std::uint32_t LCID_INSTALLED = 0x0001;
constexpr std::uint32_t LCID_SUPPORTED = 0x0002;

/// Picks the user default locale by its ICU id ("de_DE", "en_US"); the empty text goes back to
/// the locale of the environment. Callers retake the regional-settings snapshot afterwards (the
/// snapshot's own helpers do).
void SetUserDefaultLocaleName(const QString& icuName);
/// The ICU id of the user default locale.
QString UserDefaultLocaleName();
/// The ICU id for a locale identifier (the defaults resolve to the user default); empty if unknown.
QString LocaleNameForLCID(LCID locale);
/// The identifier of an ICU locale id, 0 if there is none.
LCID LCIDForLocaleName(const QString& icuName);

LCID GetUserDefaultLCID();
/// The defaults (0, 1024, 2048) become the user default's identifier; a language-only identifier
/// becomes that language's usual country; others stay.
LCID ConvertDefaultLocale(LCID locale);

/// The text of one locale value, empty when the locale data has none.
QString GetLocaleInfo(LCID locale, LCTYPE type);
inline int GetLocaleInfoInt(LCID locale, LCTYPE type, int fallback) {
    bool ok = false;
    const int value = GetLocaleInfo(locale, type).toInt(&ok);
    return ok ? value : fallback;
}

/// The date part of date (days since 1899-12-30) formatted by picture in the locale and its
/// calendar (the optional calendar with DATE_USE_ALT_CALENDAR). An empty picture means the
/// locale's short date (long date with DATE_LONGDATE, year-month with DATE_YEARMONTH). Raises
/// ENationalLanguageError when the locale is unknown or the date out of range.
QString GetDateFormat(LCID locale, std::uint32_t flags, double date, const QString& picture);
/// The same with an explicit calendar; calendars ICU does not offer fall back to the Gregorian one.
QString GetDateFormatForCalendar(LCID locale, CALID calendar, double date, const QString& picture);
/// A time of day (0..1, 1 showing hour 24) formatted by a time picture (h, hh, H, HH, m, mm, s, ss,
/// t, tt, quoted literals); an empty picture means the locale's time format.
QString GetTimeFormat(LCID locale, std::uint32_t flags, double time, const QString& picture);

/// The predefined date pictures of the locale's calendar, the locale's default first, without
/// repeats. kind is DATE_FORMATS_SHORT or DATE_FORMATS_LONG.
QStringList EnumDateFormats(LCID locale, std::uint32_t kind, CALID calendar = 0);
/// One text per calendar of the locale (its own calendar first), or for the one calendar asked for.
QStringList EnumCalendarInfo(LCID locale, CALID calendar, CALTYPE type);
/// The calendars the locale uses, its own calendar first.
QVector<CALID> LocaleCalendars(LCID locale);
/// All locale identifiers ICU knows (installed and supported are the same here).
QVector<LCID> EnumSystemLocales(std::uint32_t which = LCID_SUPPORTED);

/// Forgets cached locale data (after the environment's locale changed).
void ClearLocaleDataCache();
