#include "formatting/DateFormatterBuiltIn.h"

#include "foundation/DateTime.h"
#include "foundation/Translation.h"
#include "foundation/platform/DatePicture.h"

const TGUID TDateFormatterShortDate::ID = TGUID::Constant("{C05FA8EF-353E-4EA3-9516-403230532E2A}");
const TGUID TDateFormatterLongDate::ID = TGUID::Constant("{779B8A42-0FAE-498C-9312-A7E16235E520}");
const TGUID TDateFormatterGregorianShortDate::ID = TGUID::Constant("{61A5BA03-57AF-43DB-A111-142180173274}");
const TGUID TDateFormatterGregorianLongDate::ID = TGUID::Constant("{6FA9FD3B-9F8C-4D9F-885B-CB2673D83222}");
const TGUID TDateFormatterGenericYMD::ID = TGUID::Constant("{58A7621B-1543-4D0E-80B4-A5A1DC74C121}");
const TGUID TDateFormatterGenericMD::ID = TGUID::Constant("{3FBAF39C-A452-4276-87CC-BD0FA4850D45}");
const TGUID TDateFormatterGenericDay::ID = TGUID::Constant("{46C9E1FC-1058-4D28-B291-1CDEC0CC306A}");
const TGUID TDateFormatterGenericWeekdayShort::ID = TGUID::Constant("{89DEB26B-1F62-4188-B161-DED52080837D}");
const TGUID TDateFormatterGenericWeekdayLong::ID = TGUID::Constant("{6CF12E10-5087-4C49-8E59-C54BA03A6396}");
const TGUID TDateFormatterISO::ID = TGUID::Constant("{907414BD-EE29-451E-B82D-723CBF9DE98F}");

namespace {

bool IsGregorian(int calendar) {
    switch (calendar) {
    case CAL_GREGORIAN:
    case CAL_GREGORIAN_US:
    case CAL_GREGORIAN_ME_FRENCH:
    case CAL_GREGORIAN_ARABIC:
    case CAL_GREGORIAN_XLIT_ENGLISH:
    case CAL_GREGORIAN_XLIT_FRENCH:
        return true;
    default:
        return false;
    }
}

QString FirstGregorianPicture(CALTYPE kind) {
    return EnumCalendarInfo(LOCALE_USER_DEFAULT, UserGregorianCalendar(), kind).value(0);
}

} // namespace

CALID UserGregorianCalendar() {
    const int own = GetLocaleInfoInt(LOCALE_USER_DEFAULT, LOCALE_ICALENDARTYPE, 0);
    if (IsGregorian(own))
        return static_cast<CALID>(own);
    const int optional = GetLocaleInfoInt(LOCALE_USER_DEFAULT, LOCALE_IOPTIONALCALENDAR, 0);
    if (IsGregorian(optional))
        return static_cast<CALID>(optional);
    return CAL_GREGORIAN;
}

TDatePictureParts MakeDatePictureParts(bool dayLeadingZero, bool monthLeadingZero, const QString& separator,
                                       int order) {
    TDatePictureParts parts;
    parts.Day = dayLeadingZero ? QStringLiteral("dd") : QStringLiteral("d");
    parts.Month = monthLeadingZero ? QStringLiteral("MM") : QStringLiteral("M");
    parts.Separator = QuotePatternText(separator);
    parts.Order = order;
    return parts;
}

TDatePictureParts UserDatePictureParts() {
    return MakeDatePictureParts(GetLocaleInfoInt(LOCALE_USER_DEFAULT, LOCALE_IDAYLZERO, 0) == 1,
                                GetLocaleInfoInt(LOCALE_USER_DEFAULT, LOCALE_IMONLZERO, 0) == 1,
                                GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SDATE),
                                GetLocaleInfoInt(LOCALE_USER_DEFAULT, LOCALE_IDATE, 0));
}

QString DayMonthYearPicture(const TDatePictureParts& p) {
    const QString year = QStringLiteral("yyyy");
    switch (p.Order) {
    case 1:
        return p.Day + p.Separator + p.Month + p.Separator + year;
    case 2:
        return year + p.Separator + p.Month + p.Separator + p.Day;
    default:
        return p.Month + p.Separator + p.Day + p.Separator + year;
    }
}

QString DayMonthPicture(const TDatePictureParts& p) {
    return p.Order == 1 ? p.Day + p.Separator + p.Month : p.Month + p.Separator + p.Day;
}

// --- Short and long date ---

QString TDateFormatterShortDate::Format(double date) const {
    return SystemDateFormat(date, FormatString());
}
QString TDateFormatterShortDate::Name() const {
    return Tr("Short Date");
}
QString TDateFormatterShortDate::FormatString() const {
    return GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE);
}

QString TDateFormatterLongDate::Format(double date) const {
    return SystemDateFormat(date, FormatString());
}
QString TDateFormatterLongDate::Name() const {
    return Tr("Long Date");
}
QString TDateFormatterLongDate::FormatString() const {
    return GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SLONGDATE);
}

// --- Gregorian short and long date ---

QString TDateFormatterGregorianShortDate::Format(double date) const {
    return LocaleAndCalendarDateFormat(LOCALE_USER_DEFAULT, CalendarId(), date, FormatString());
}
QString TDateFormatterGregorianShortDate::Name() const {
    return Tr("Short Date (Gregorian)");
}
QString TDateFormatterGregorianShortDate::FormatString() const {
    return FirstGregorianPicture(CAL_SSHORTDATE);
}

QString TDateFormatterGregorianLongDate::Format(double date) const {
    return LocaleAndCalendarDateFormat(LOCALE_USER_DEFAULT, CalendarId(), date, FormatString());
}
QString TDateFormatterGregorianLongDate::Name() const {
    return Tr("Long Date (Gregorian)");
}
QString TDateFormatterGregorianLongDate::FormatString() const {
    return FirstGregorianPicture(CAL_SLONGDATE);
}

// --- Built pictures ---

QString TDateFormatterGenericBase::Format(double date) const {
    return SystemDateFormat(date, FormatString());
}

QString TDateFormatterGenericYMD::Name() const {
    switch (UserDatePictureParts().Order) {
    case 1:
        return Tr("Day Month Year");
    case 2:
        return Tr("Year Month Day");
    default:
        return Tr("Month Day Year");
    }
}
QString TDateFormatterGenericYMD::FormatString() const {
    return DayMonthYearPicture(UserDatePictureParts());
}

QString TDateFormatterGenericMD::Name() const {
    return UserDatePictureParts().Order == 1 ? Tr("Day Month") : Tr("Month Day");
}
QString TDateFormatterGenericMD::FormatString() const {
    return DayMonthPicture(UserDatePictureParts());
}

QString TDateFormatterGenericDay::Name() const {
    return Tr("Day");
}
QString TDateFormatterGenericDay::FormatString() const {
    return UserDatePictureParts().Day;
}

QString TDateFormatterGenericWeekdayShort::Name() const {
    return Tr("Weekday Short");
}

QString TDateFormatterGenericWeekdayLong::Name() const {
    return Tr("Weekday Long");
}

// --- ISO ---

QString TDateFormatterISO::Format(double date) const {
    try {
        return DateToISO(date);
    } catch (const std::exception&) {
        return QString();
    }
}
QString TDateFormatterISO::Name() const {
    return Tr("ISO");
}
