#pragma once

// The locale values read from ICU, and the small ICU helpers the locale services share. Used only
// by NationalLanguage.cpp.

#include "foundation/platform/NationalLanguage.h"

#include <QHash>
#include <QString>
#include <memory>

#include <unicode/datefmt.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

namespace IcuSupport {

/// Day 0 (1899-12-30) lies 25569 days before the ICU epoch (1970-01-01).
constexpr double DaysBeforeIcuEpoch = 25569.0;

QString FromIcu(const icu::UnicodeString& text);
icu::UnicodeString ToIcu(const QString& text);
/// The ICU calendar type of a calendar identifier; nullptr if ICU has none.
const char* IcuCalendarFor(CALID id);
/// The calendar identifier of an ICU calendar type; 0 if there is none.
CALID CalendarIdForIcu(const char* type);
icu::Locale LocaleWithCalendar(const QString& name, const char* icuCalendar);
/// Gregorian dates before 1582 stay Gregorian, as everywhere else in the program.
void MakeProleptic(icu::Calendar* calendar);
QString PatternOfStyle(const icu::Locale& locale, icu::DateFormat::EStyle style);
QString SkeletonPattern(const icu::Locale& locale, const char* skeleton);
/// ICU's short dates have two-digit years; the program's short date shows the full year.
QString WidenTwoDigitYear(const QString& pattern);
/// The locale's name (language and country) in the user default locale's language; empty for a
/// name ICU cannot read.
QString LanguageDisplayName(const QString& name);
/// The picture of an ICU date pattern; empty if the picture syntax cannot express it.
QString ToPicture(const QString& pattern);

} // namespace IcuSupport

/// The locale values of one ICU locale, by value id.
struct TIcuLocaleData {
    QString Name;
    QHash<LCTYPE, QString> Values;

    static std::shared_ptr<const TIcuLocaleData> Build(const QString& name);
};
