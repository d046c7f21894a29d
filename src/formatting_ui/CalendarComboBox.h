#pragma once

// The calendar chooser: the calendars a locale offers, in the order the locale data gives them
// (the locale's own calendar first), each shown by its name in the user's language.

#include "foundation/International.h"
#include "foundation/VRNException.h"

#include <QComboBox>
#include <QString>
#include <vector>

/// Selecting a calendar the chooser does not list: "Calendar '<identifier in decimal>' not found".
VRN_DECLARE_EXCEPTION(ECalendarNotFoundError, EVRNException);

/// One calendar of a locale: its identifier and its display name.
struct TvrnCalendarItem {
    CALID Calendar = 0;
    QString Name;
};

/// The calendars of the locale with their names: the name in the user's language, trimmed, or the
/// name in the locale's own language when the user's language has none.
std::vector<TvrnCalendarItem> LocaleCalendarItems(LCID locale);

class TvrnCalendarComboBox : public QComboBox, public IvrnFormatSettingsNotify {
    Q_OBJECT
public:
    explicit TvrnCalendarComboBox(QWidget* parent = nullptr);
    ~TvrnCalendarComboBox() override;

    LCID Locale() const { return m_locale; }
    /// Lists the calendars of the locale and selects the first, without reporting a change of the
    /// selection.
    void SetLocale(LCID locale);

    /// The identifier of the selected calendar; 0 when nothing is selected.
    CALID SelectedCalendar() const;
    /// A calendar the list does not hold raises ECalendarNotFoundError and keeps the selection.
    void SelectCalendar(CALID calendar);

    /// Renames the calendars in the new user's language and keeps the selected position, without
    /// reporting a change of the selection.
    void FormatSettingsChanged() override;

private:
    LCID m_locale = LOCALE_USER_DEFAULT;
};
