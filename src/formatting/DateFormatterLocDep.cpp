#include "formatting/DateFormatterLocDep.h"

#include "foundation/Translation.h"
#include "foundation/VRNTools.h"
#include "model/PropertyHelpers.h"

CALID LocaleCalendarType(LCID locale) {
    return static_cast<CALID>(GetLocaleInfoInt(locale, LOCALE_ICALENDARTYPE, CAL_GREGORIAN));
}

TDateFormatterLocDepUser::TDateFormatterLocDepUser()
    : m_id(TGUID::NewGuid()), m_locale(LOCALE_USER_DEFAULT), m_calendar(LocaleCalendarType(LOCALE_USER_DEFAULT)) {}

QString TDateFormatterLocDepUser::Format(double date) const {
    return LocaleAndCalendarDateFormat(m_locale, m_calendar, date, m_picture);
}

TDateFormatterLocDepSystem::TDateFormatterLocDepSystem(LCID locale, const QString& picture, CALID calendar)
    : m_picture(picture), m_locale(locale), m_calendar(calendar) {}

QString TDateFormatterLocDepSystem::Format(double date) const {
    return LocaleAndCalendarDateFormat(m_locale, m_calendar, date, m_picture);
}

QString TDateFormatterLocDepSystem::Name() const {
    return FormatPlaceholders(Tr("%1 (system defined)"), {m_picture});
}

void TDateFormatterLocDepSystem::LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>&) {
    throw EDateFormatterError(QStringLiteral("This implementation does not support LoadFromPropertyList"));
}

void TDateFormatterLocDepUser::LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) {
    // Everything is read before anything changes, so an item that cannot be read (an "id" text
    // that is no GUID) leaves the formatter as it was.
    const QString name = FindStringDef(list, QStringLiteral("name"), Tr("User Defined"));
    TGUID id = FindGUIDDef(list, QStringLiteral("id"), TGUID());
    if (id.IsNull())
        id = TGUID::NewGuid();
    const QString picture =
        FindStringDef(list, QStringLiteral("format string"), GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE));
    const auto locale = static_cast<LCID>(FindIntegerDef(list, QStringLiteral("locale"), LOCALE_USER_DEFAULT));
    const auto calendar =
        static_cast<CALID>(FindIntegerDef(list, QStringLiteral("calendar id"), LocaleCalendarType(locale)));
    m_name = name;
    m_id = id;
    m_picture = picture;
    m_locale = locale;
    m_calendar = calendar;
}

std::shared_ptr<IHXPropertyList_> TDateFormatterLocDepUser::SaveToPropertyList() const {
    return DateFormatterToPropertyList(*this);
}

std::shared_ptr<IHXPropertyList_> TDateFormatterLocDepSystem::SaveToPropertyList() const {
    return DateFormatterToPropertyList(*this);
}
