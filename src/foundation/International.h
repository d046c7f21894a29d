#pragma once

// The user's regional settings (unit vrnInternational): a snapshot of the user default locale,
// the listeners told when it is retaken, and the localized number and time output built on it.

#include "foundation/DateTime.h"
#include "foundation/GUID.h"
#include "foundation/VRNException.h"
#include "foundation/platform/DatePicture.h"
#include "foundation/platform/NationalLanguage.h"

#include <QString>
#include <QStringList>

VRN_DECLARE_EXCEPTION(EvrnInternationalMustNotHappen, EMustNotHappen);

/// A snapshot of one locale's regional settings.
struct TvrnFormatSettings {
    LCID Locale = 0x0409;
    QString DecimalSeparator = QStringLiteral(".");
    QString ThousandSeparator = QStringLiteral(",");
    /// Grouping code: 3 for groups of three, 32 for three then twos, 0 for none (DigitGroupingCode).
    int DigitGrouping = 3;
    QString NegativeSign = QStringLiteral("-");
    /// 0 "(1.1)", 1 "-1.1", 2 "- 1.1", 3 "1.1-", 4 "1.1 -".
    int NegativeNumberMode = 1;
    bool LeadingZero = true;
    int NumberOfDigits = 2;
    QString DateSeparator = QStringLiteral("/");
    QString TimeSeparator = QStringLiteral(":");
    QString AMDesignator = QStringLiteral("AM");
    QString PMDesignator = QStringLiteral("PM");
    bool TwentyFourHour = false;
    bool DayLeadingZero = false;
    bool MonthLeadingZero = false;
    bool HourLeadingZero = false;
    bool Century = true;
    /// 0 month-day-year, 1 day-month-year, 2 year-month-day.
    int ShortDateOrder = 0;
    QString ShortDateFormat = QStringLiteral("M/d/yyyy");
    QString LongDateFormat = QStringLiteral("dddd, MMMM d, yyyy");
    QString YearMonthFormat = QStringLiteral("MMMM yyyy");
    /// 0 = Monday .. 6 = Sunday.
    int FirstDayOfWeek = 6;
    int CalendarType = CAL_GREGORIAN;
    /// Seven names each, Sunday first (index DayOfWeek(x) - 1).
    QStringList ShortDayNames;
    QStringList LongDayNames;
    /// Twelve names each, January first.
    QStringList ShortMonthNames;
    QStringList LongMonthNames;
};

/// Reads the settings of a locale from the locale services.
TvrnFormatSettings ReadFormatSettings(LCID locale);
/// The snapshot of the user default locale (taken on first use).
const TvrnFormatSettings& FormatSettings();
/// Retakes the snapshot and then calls every registered listener in registration order. The main
/// window calls this when the system reports a general change of the regional settings.
void RefreshFormatSettings();

/// Told after the regional-settings snapshot was renewed.
class IvrnFormatSettingsNotify {
public:
    static const TGUID IID;
    virtual ~IvrnFormatSettingsNotify() = default;
    virtual void FormatSettingsChanged() = 0;
};
/// Registers a listener (once; registering again changes nothing). The listener must unregister
/// before it is destroyed.
void RegisterFormatSettingsNotify(IvrnFormatSettingsNotify* listener);
void UnregisterFormatSettingsNotify(IvrnFormatSettingsNotify* listener);

/// Picks the user default locale by its ICU id for its lifetime (empty: the environment's) and
/// retakes the snapshot; the previous choice comes back afterwards. For tests and the command line.
class ScopedUserLocale {
public:
    explicit ScopedUserLocale(const QString& icuName);
    ~ScopedUserLocale();
    ScopedUserLocale(const ScopedUserLocale&) = delete;
    ScopedUserLocale& operator=(const ScopedUserLocale&) = delete;

private:
    QString m_previous;
};

/// "3;0" -> 3, "3;2;0" -> 32, "0;0" -> 0, "1;0" .. "9;0" -> 1 .. 9; anything else 0.
int DigitGroupingCode(const QString& grouping);

/// Applies the negative number mode to an unsigned number text. Raises
/// EvrnInternationalMustNotHappen for a mode outside 0..4.
QString FormatNegativeNumber(const QString& text, const TvrnFormatSettings& settings = FormatSettings());

/// A number given as invariant text (optional "-", digits, optional "." and digits) written with
/// the separators, grouping, leading zero and negative mode of settings, rounded half away from
/// zero to digits fraction digits. Raises EVRNConvertError for a text of another form.
QString FormatNumberText(const QString& invariantText, int digits, const TvrnFormatSettings& settings);
/// The same for a locale identifier, with that locale's settings.
QString GetNumberFormat(LCID locale, const QString& invariantText, int digits);
/// x written with FloatToInvariantStr, then formatted as above for the user's settings.
QString FormatLocalNumber(double x, int digits, const TvrnFormatSettings& settings = FormatSettings());

/// A time of day by a time pattern: H, HH (24 hours), h, hh (12 hours when the pattern shows a
/// designator, else 24), m, mm, s, ss, z, zz, zzz (tenths, hundredths, thousandths of a second),
/// AP or A (designator), ap or a (designator in lower case), ":" the locale's time separator, "."
/// its decimal separator, text in single quotes as it is. For t = 1 every hour field shows 24.
QString FormatLocalTime(TVRNTime t, const QString& pattern, const TvrnFormatSettings& settings = FormatSettings());
/// The user's short time pattern (hours and minutes, with the designator on a 12-hour clock).
QString ShortTimePattern(const TvrnFormatSettings& settings = FormatSettings());

/// A date by a picture in the user default locale and its calendar.
QString FormatLocalDate(double date, const QString& picture);

/// WeekOfYear with the first day of the week of the user's settings.
TWeekOfYear WeekOfYear(double x);
