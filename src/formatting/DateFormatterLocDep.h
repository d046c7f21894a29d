#pragma once

// Formatters that carry their own picture, locale and calendar.

#include "formatting/DateFormatter.h"

/// A formatter the user defined: name, id, picture, locale and calendar of its own. A new one has
/// a fresh id, the user default locale and that locale's calendar, an empty name and picture.
class TDateFormatterLocDepUser : public TInterfacedAndCheckedObject,
                                 public IHXDateFormatter_,
                                 public IHXDateFormatterUser_ {
public:
    TDateFormatterLocDepUser();

    QString Format(double date) const override;
    QString Name() const override { return m_name; }
    TGUID Id() const override { return m_id; }
    QString FormatString() const override { return m_picture; }
    LCID Locale() const override { return m_locale; }
    CALID CalendarId() const override { return m_calendar; }
    /// Reads "name" (default the translated "User Defined"), "id" (an empty or missing id becomes
    /// a fresh one), "format string" (default the user locale's short date picture), "locale"
    /// (default the user default locale) and "calendar id" (default the loaded locale's calendar).
    void LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) override;
    std::shared_ptr<IHXPropertyList_> SaveToPropertyList() const override;

    void SetName(const QString& name) override { m_name = name; }
    void SetFormatString(const QString& picture) override { m_picture = picture; }
    /// The date format dialog sets the language and calendar the user chose.
    void SetLocale(LCID locale) { m_locale = locale; }
    void SetCalendarId(CALID calendar) { m_calendar = calendar; }

private:
    QString m_name;
    TGUID m_id;
    QString m_picture;
    LCID m_locale;
    CALID m_calendar;
};

/// A formatter for one of the pictures the locale data predefines, offered by the date format
/// dialog and never kept. Its name is "%1 (system defined)" with the picture for %1.
class TDateFormatterLocDepSystem : public TInterfacedAndCheckedObject, public IHXDateFormatter_ {
public:
    TDateFormatterLocDepSystem(LCID locale, const QString& picture, CALID calendar);

    QString Format(double date) const override;
    QString Name() const override;
    TGUID Id() const override { return m_id; }
    QString FormatString() const override { return m_picture; }
    LCID Locale() const override { return m_locale; }
    CALID CalendarId() const override { return m_calendar; }
    /// Raises EDateFormatterError.
    void LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) override;
    std::shared_ptr<IHXPropertyList_> SaveToPropertyList() const override;

private:
    TGUID m_id = TGUID::NewGuid();
    QString m_picture;
    LCID m_locale;
    CALID m_calendar;
};

/// The calendar type of a locale (Gregorian when the locale data has none).
CALID LocaleCalendarType(LCID locale);
