#include "foundation/International.h"

#include "foundation/VRNTools.h"

#include <QVector>
#include <algorithm>

const TGUID IvrnFormatSettingsNotify::IID = TGUID::Constant("{F6C74EE5-892D-49DE-BD8C-0755AC6B837C}");

namespace {

TvrnFormatSettings& Snapshot() {
    static TvrnFormatSettings settings = ReadFormatSettings(LOCALE_USER_DEFAULT);
    return settings;
}

QVector<IvrnFormatSettingsNotify*>& Listeners() {
    static QVector<IvrnFormatSettingsNotify*> listeners;
    return listeners;
}

bool Flag(LCID locale, LCTYPE type, bool fallback) {
    return GetLocaleInfoInt(locale, type, fallback ? 1 : 0) != 0;
}

QString TextOr(LCID locale, LCTYPE type, const QString& fallback) {
    const QString value = GetLocaleInfo(locale, type);
    return value.isEmpty() ? fallback : value;
}

QString BuiltYearMonthFormat(const TvrnFormatSettings& s) {
    const QString month = s.MonthLeadingZero ? QStringLiteral("MM") : QStringLiteral("M");
    const QString year = s.Century ? QStringLiteral("yyyy") : QStringLiteral("yy");
    const QString separator = QuotePatternText(s.DateSeparator);
    return s.ShortDateOrder == 2 ? year + separator + month : month + separator + year;
}

bool IsDigits(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// Groups the digits of an integer part by a grouping code (3, 32, 0, 1..9).
QString GroupDigits(const QString& digits, int code, const QString& separator) {
    if (code <= 0)
        return digits;
    const int first = code >= 10 ? code / 10 : code;
    const int rest = code >= 10 ? code % 10 : code;
    QStringList groups;
    qsizetype end = digits.size();
    int size = first;
    while (end > size && size > 0) {
        groups.prepend(digits.mid(end - size, size));
        end -= size;
        size = rest;
    }
    groups.prepend(digits.left(end));
    return groups.join(separator);
}

} // namespace

TvrnFormatSettings ReadFormatSettings(LCID locale) {
    TvrnFormatSettings s;
    s.Locale = ConvertDefaultLocale(locale);
    s.DecimalSeparator = TextOr(locale, LOCALE_SDECIMAL, s.DecimalSeparator);
    s.ThousandSeparator = GetLocaleInfo(locale, LOCALE_STHOUSAND);
    s.DigitGrouping = DigitGroupingCode(GetLocaleInfo(locale, LOCALE_SGROUPING));
    s.NegativeSign = TextOr(locale, LOCALE_SNEGATIVESIGN, s.NegativeSign);
    s.NegativeNumberMode = GetLocaleInfoInt(locale, LOCALE_INEGNUMBER, 1);
    s.LeadingZero = Flag(locale, LOCALE_ILZERO, true);
    s.NumberOfDigits = GetLocaleInfoInt(locale, LOCALE_IDIGITS, 2);
    s.DateSeparator = TextOr(locale, LOCALE_SDATE, s.DateSeparator);
    s.TimeSeparator = TextOr(locale, LOCALE_STIME, s.TimeSeparator);
    s.AMDesignator = GetLocaleInfo(locale, LOCALE_S1159);
    s.PMDesignator = GetLocaleInfo(locale, LOCALE_S2359);
    s.TwentyFourHour = Flag(locale, LOCALE_ITIME, false);
    s.DayLeadingZero = Flag(locale, LOCALE_IDAYLZERO, false);
    s.MonthLeadingZero = Flag(locale, LOCALE_IMONLZERO, false);
    s.HourLeadingZero = Flag(locale, LOCALE_ITLZERO, false);
    s.Century = Flag(locale, LOCALE_ICENTURY, true);
    s.ShortDateOrder = std::clamp(GetLocaleInfoInt(locale, LOCALE_IDATE, 0), 0, 2);
    s.ShortDateFormat = TextOr(locale, LOCALE_SSHORTDATE, s.ShortDateFormat);
    s.LongDateFormat = TextOr(locale, LOCALE_SLONGDATE, s.LongDateFormat);
    s.YearMonthFormat = GetLocaleInfo(locale, LOCALE_SYEARMONTH);
    if (s.YearMonthFormat.isEmpty())
        s.YearMonthFormat = BuiltYearMonthFormat(s);
    s.FirstDayOfWeek = std::clamp(GetLocaleInfoInt(locale, LOCALE_IFIRSTDAYOFWEEK, 6), 0, 6);
    s.CalendarType = GetLocaleInfoInt(locale, LOCALE_ICALENDARTYPE, CAL_GREGORIAN);
    for (int day = 0; day < 7; ++day) {
        // The value ids start with Monday; the lists start with Sunday.
        const int id = (day + 6) % 7;
        s.LongDayNames += GetLocaleInfo(locale, LOCALE_SDAYNAME1 + id);
        s.ShortDayNames += GetLocaleInfo(locale, LOCALE_SABBREVDAYNAME1 + id);
    }
    for (int month = 0; month < 12; ++month) {
        s.LongMonthNames += GetLocaleInfo(locale, LOCALE_SMONTHNAME1 + month);
        s.ShortMonthNames += GetLocaleInfo(locale, LOCALE_SABBREVMONTHNAME1 + month);
    }
    return s;
}

const TvrnFormatSettings& FormatSettings() {
    return Snapshot();
}

void RefreshFormatSettings() {
    ClearLocaleDataCache();
    Snapshot() = ReadFormatSettings(LOCALE_USER_DEFAULT);
    // A listener may unregister itself or others while being told: tell only those still there.
    const QVector<IvrnFormatSettingsNotify*> listeners = Listeners();
    for (IvrnFormatSettingsNotify* listener : listeners)
        if (Listeners().contains(listener))
            listener->FormatSettingsChanged();
}

void RegisterFormatSettingsNotify(IvrnFormatSettingsNotify* listener) {
    if (listener && !Listeners().contains(listener))
        Listeners().append(listener);
}

void UnregisterFormatSettingsNotify(IvrnFormatSettingsNotify* listener) {
    Listeners().removeAll(listener);
}

ScopedUserLocale::ScopedUserLocale(const QString& icuName) : m_previous(UserDefaultLocaleName()) {
    SetUserDefaultLocaleName(icuName);
    RefreshFormatSettings();
}

ScopedUserLocale::~ScopedUserLocale() {
    SetUserDefaultLocaleName(m_previous);
    RefreshFormatSettings();
}

int DigitGroupingCode(const QString& grouping) {
    if (grouping == QStringLiteral("3;2;0"))
        return 32;
    if (grouping.size() == 3 && grouping.endsWith(QStringLiteral(";0")) && grouping[0] >= u'0' && grouping[0] <= u'9')
        return grouping[0].digitValue();
    return 0;
}

QString FormatNegativeNumber(const QString& text, const TvrnFormatSettings& settings) {
    const QString& sign = settings.NegativeSign;
    switch (settings.NegativeNumberMode) {
    case 0:
        return u'(' + text + u')';
    case 1:
        return sign + text;
    case 2:
        return sign + u' ' + text;
    case 3:
        return text + sign;
    case 4:
        return text + u' ' + sign;
    default:
        throw EvrnInternationalMustNotHappen(QStringLiteral("vrnFormatNegativeNumber: invalid NegativeNumberMode"));
    }
}

QString FormatNumberText(const QString& invariantText, int digits, const TvrnFormatSettings& settings) {
    const QStringView text(invariantText);
    const bool negative = text.startsWith(u'-');
    const QStringView body = negative ? text.mid(1) : text;
    const qsizetype point = body.indexOf(u'.');
    QString whole = (point < 0 ? body : body.left(point)).toString();
    QString fraction = point < 0 ? QString() : body.mid(point + 1).toString();
    if ((whole.isEmpty() && fraction.isEmpty()) || !IsDigits(whole) || !IsDigits(fraction) ||
        (point >= 0 && fraction.isEmpty()))
        throw EVRNConvertError(QStringLiteral("'%1' is not a valid number text").arg(invariantText));
    digits = std::clamp(digits, 0, 9);

    // Round half away from zero on the decimal digits.
    QString number = whole + fraction.leftJustified(digits, u'0', true);
    const bool roundUp = fraction.size() > digits && fraction[digits] >= u'5';
    if (roundUp) {
        qsizetype i = number.size() - 1;
        while (i >= 0 && number[i] == u'9')
            number[i--] = u'0';
        if (i >= 0)
            number[i] = QChar(number[i].unicode() + 1);
        else
            number.prepend(u'1');
    }
    whole = number.left(number.size() - digits);
    fraction = number.right(digits);
    while (whole.size() > 1 && whole[0] == u'0')
        whole.remove(0, 1);
    if (whole.isEmpty())
        whole = QStringLiteral("0");

    QString out = whole == QStringLiteral("0") && !settings.LeadingZero && digits > 0
                      ? QString()
                      : GroupDigits(whole, settings.DigitGrouping, settings.ThousandSeparator);
    if (digits > 0)
        out += settings.DecimalSeparator + fraction;
    // A value that rounds to zero carries no sign.
    const bool zero = std::all_of(number.begin(), number.end(), [](QChar c) { return c == u'0'; });
    return negative && !zero ? FormatNegativeNumber(out, settings) : out;
}

QString GetNumberFormat(LCID locale, const QString& invariantText, int digits) {
    return FormatNumberText(invariantText, digits, ReadFormatSettings(locale));
}

QString FormatLocalNumber(double x, int digits, const TvrnFormatSettings& settings) {
    return FormatNumberText(FloatToInvariantStr(x), digits, settings);
}

QString FormatLocalTime(TVRNTime t, const QString& pattern, const TvrnFormatSettings& settings) {
    CheckTVRNTime(t);
    const std::int64_t exact = DateTimeToMSecs(t);
    // Rounding the tenths or hundredths may carry into the seconds and on: round the whole value to
    // the finest fraction the pattern shows instead of the fraction field alone.
    int finest = 1000; // no fraction field: seconds are shown as they are, truncated
    bool designator = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == u'\'') {
            ReadQuotedPatternText(pattern, i);
            --i;
            continue;
        }
        if (pattern[i] == u'z') {
            qsizetype run = 1;
            while (i + run < pattern.size() && pattern[i + run] == u'z')
                ++run;
            finest = std::min(finest, run >= 3 ? 1 : (run == 2 ? 10 : 100));
            i += run - 1;
        } else if (pattern[i] == u'a' || pattern[i] == u'A') {
            designator = true;
        }
    }
    std::int64_t ms = finest == 1000 ? exact : (exact + finest / 2) / finest * finest;
    ms = std::min<std::int64_t>(ms, MSecsPerDay);
    const bool endOfDay = ms == MSecsPerDay;
    const int hour = static_cast<int>(ms / 3600000);
    const int minute = static_cast<int>(ms / 60000 % 60);
    const int second = static_cast<int>(ms / 1000 % 60);
    const int msec = static_cast<int>(ms % 1000);

    QString out;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        if (c == u'\'') {
            out += ReadQuotedPatternText(pattern, i);
            continue;
        }
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c)
            ++run;
        const int width = run >= 2 ? 2 : 1;
        switch (c.unicode()) {
        case u'H':
        case u'h': {
            run = std::min<qsizetype>(run, 2);
            int shown = hour;
            if (endOfDay)
                shown = 24;
            else if (c == u'h' && designator)
                shown = hour % 12 == 0 ? 12 : hour % 12;
            out += QString::number(shown).rightJustified(width, u'0');
            break;
        }
        case u'm':
            run = std::min<qsizetype>(run, 2);
            out += QString::number(minute).rightJustified(width, u'0');
            break;
        case u's':
            run = std::min<qsizetype>(run, 2);
            out += QString::number(second).rightJustified(width, u'0');
            break;
        case u'z':
            run = std::min<qsizetype>(run, 3);
            out += run == 1   ? QString::number(msec / 100)
                   : run == 2 ? QString::number(msec / 10).rightJustified(2, u'0')
                              : QString::number(msec).rightJustified(3, u'0');
            break;
        case u'A':
        case u'a': {
            const bool pm = !endOfDay && hour >= 12;
            QString text = pm ? settings.PMDesignator : settings.AMDesignator;
            out += c == u'a' ? text.toLower() : text;
            // "AP" and "ap" are one field, as are "A" and "a".
            if (i + 1 < pattern.size() && (pattern[i + 1] == u'P' || pattern[i + 1] == u'p'))
                run = 2;
            else
                run = 1;
            break;
        }
        case u':':
            run = 1;
            out += settings.TimeSeparator;
            break;
        case u'.':
            run = 1;
            out += settings.DecimalSeparator;
            break;
        default:
            run = 1;
            out += c;
            break;
        }
        i += run;
    }
    return out;
}

QString FormatLocalDate(double date, const QString& picture) {
    return GetDateFormat(LOCALE_USER_DEFAULT, 0, date, picture);
}

TWeekOfYear WeekOfYear(double x) {
    return WeekOfYear(x, FormatSettings().FirstDayOfWeek);
}

QString ShortTimePattern(const TvrnFormatSettings& settings) {
    if (settings.TwentyFourHour)
        return settings.HourLeadingZero ? QStringLiteral("HH:mm") : QStringLiteral("H:mm");
    return settings.HourLeadingZero ? QStringLiteral("hh:mm AP") : QStringLiteral("h:mm AP");
}
