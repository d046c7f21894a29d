#include "formatting_ui/CalendarComboBox.h"

namespace {

QString CalendarName(LCID locale, CALID calendar) {
    const QString own = EnumCalendarInfo(LOCALE_USER_DEFAULT, calendar, CAL_SCALNAME).value(0).trimmed();
    return own.isEmpty() ? EnumCalendarInfo(locale, calendar, CAL_SCALNAME).value(0).trimmed() : own;
}

} // namespace

std::vector<TvrnCalendarItem> LocaleCalendarItems(LCID locale) {
    std::vector<TvrnCalendarItem> items;
    for (const QString& value : EnumCalendarInfo(locale, ENUM_ALL_CALENDARS, CAL_ICALINTVALUE)) {
        bool ok = false;
        const CALID calendar = value.toUInt(&ok);
        if (ok)
            items.push_back({calendar, CalendarName(locale, calendar)});
    }
    return items;
}

TvrnCalendarComboBox::TvrnCalendarComboBox(QWidget* parent) : QComboBox(parent) {
    RegisterFormatSettingsNotify(this);
}

TvrnCalendarComboBox::~TvrnCalendarComboBox() {
    UnregisterFormatSettingsNotify(this);
}

void TvrnCalendarComboBox::SetLocale(LCID locale) {
    m_locale = locale;
    // Refilling is no choice of the user: whoever sets the locale deals with the new calendar.
    const QSignalBlocker blocker(this);
    clear();
    for (const TvrnCalendarItem& item : LocaleCalendarItems(locale))
        addItem(item.Name, QVariant::fromValue(static_cast<uint>(item.Calendar)));
    setCurrentIndex(count() > 0 ? 0 : -1);
}

CALID TvrnCalendarComboBox::SelectedCalendar() const {
    return currentIndex() < 0 ? 0 : static_cast<CALID>(currentData().toUInt());
}

void TvrnCalendarComboBox::SelectCalendar(CALID calendar) {
    const int index = findData(QVariant::fromValue(static_cast<uint>(calendar)));
    if (index < 0)
        throw ECalendarNotFoundError(QStringLiteral("Calendar '%1' not found").arg(calendar));
    setCurrentIndex(index);
}

void TvrnCalendarComboBox::FormatSettingsChanged() {
    const QSignalBlocker blocker(this);
    for (int i = 0; i < count(); ++i)
        setItemText(i, CalendarName(m_locale, static_cast<CALID>(itemData(i).toUInt())));
}
