#include "formatting/DateFormatter.h"

#include "model/PropertyList.h"

CALID TDateFormatterBase::CalendarId() const {
    return static_cast<CALID>(GetLocaleInfoInt(LOCALE_USER_DEFAULT, LOCALE_ICALENDARTYPE, CAL_GREGORIAN));
}

void TDateFormatterBase::LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>&) {
    throw EDateFormatterError(QStringLiteral("This implementation does not support LoadFromPropertyList"));
}

QString SystemDateFormat(double date, const QString& picture) {
    try {
        return GetDateFormat(LOCALE_USER_DEFAULT, 0, date, picture);
    } catch (const std::exception&) {
        return QString();
    }
}

QString LocaleAndCalendarDateFormat(LCID locale, CALID calendar, double date, const QString& picture) {
    try {
        const auto own = static_cast<CALID>(GetLocaleInfoInt(locale, LOCALE_ICALENDARTYPE, CAL_GREGORIAN));
        if (calendar == own)
            return GetDateFormat(locale, 0, date, picture);
        const int optional = GetLocaleInfoInt(locale, LOCALE_IOPTIONALCALENDAR, 0);
        if (optional > 0 && calendar == static_cast<CALID>(optional))
            return GetDateFormat(locale, DATE_USE_ALT_CALENDAR, date, picture);
        return GetDateFormatForCalendar(locale, calendar, date, picture);
    } catch (const std::exception&) {
        return QString();
    }
}

std::shared_ptr<IHXPropertyList_> DateFormatterToPropertyList(const IHXDateFormatter_& formatter) {
    auto list = std::make_shared<TPropertyList>();
    list->Items(QStringLiteral("name"))->SetAsString(formatter.Name());
    list->Items(QStringLiteral("id"))->SetAsGUID(formatter.Id());
    list->Items(QStringLiteral("format string"))->SetAsString(formatter.FormatString());
    list->Items(QStringLiteral("locale"))->SetAsInteger(static_cast<int>(formatter.Locale()));
    list->Items(QStringLiteral("calendar id"))->SetAsInteger(static_cast<int>(formatter.CalendarId()));
    return list;
}

std::shared_ptr<IHXPropertyList_> TDateFormatterBase::SaveToPropertyList() const {
    return DateFormatterToPropertyList(*this);
}
