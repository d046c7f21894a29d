#include "foundation/platform/NationalLanguage.h"

#include "foundation/DateTime.h"
#include "foundation/platform/DatePicture.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <cstring>
#include <memory>

#include <unicode/calendar.h>
#include <unicode/datefmt.h>
#include <unicode/decimfmt.h>
#include <unicode/dtfmtsym.h>
#include <unicode/dtptngen.h>
#include <unicode/gregocal.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>
#include <unicode/ucal.h>
#include <unicode/uenum.h>
#include <unicode/uloc.h>
#include <unicode/ulocdata.h>

namespace {

// Day 0 (1899-12-30) lies 25569 days before the ICU epoch (1970-01-01).
constexpr double DaysBeforeIcuEpoch = 25569.0;

QString FromIcu(const icu::UnicodeString& text) {
    return QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length());
}

icu::UnicodeString ToIcu(const QString& text) {
    return icu::UnicodeString(reinterpret_cast<const UChar*>(text.utf16()), static_cast<int32_t>(text.size()));
}

struct CalendarName {
    CALID id;
    const char* icu;
};
// The calendars both sides know. The Gregorian variants (US, Middle East French, Arabic,
// transliterated) all format as the Gregorian calendar.
constexpr CalendarName Calendars[] = {{CAL_GREGORIAN, "gregorian"}, {CAL_JAPAN, "japanese"},
                                      {CAL_TAIWAN, "roc"},          {CAL_HIJRI, "islamic-civil"},
                                      {CAL_THAI, "buddhist"},       {CAL_HEBREW, "hebrew"},
                                      {CAL_PERSIAN, "persian"},     {CAL_UMALQURA, "islamic-umalqura"}};

bool IsGregorianId(CALID id) {
    return id == CAL_GREGORIAN || id == CAL_GREGORIAN_US || (id >= CAL_GREGORIAN_ME_FRENCH && id <= 12);
}

const char* IcuCalendarFor(CALID id) {
    if (IsGregorianId(id))
        return "gregorian";
    for (const CalendarName& c : Calendars)
        if (c.id == id)
            return c.icu;
    return nullptr;
}

CALID CalendarIdForIcu(const char* type) {
    if (!type)
        return 0;
    if (std::strcmp(type, "islamic") == 0 || std::strcmp(type, "islamic-tbla") == 0)
        return CAL_HIJRI;
    for (const CalendarName& c : Calendars)
        if (std::strcmp(c.icu, type) == 0)
            return c.id;
    return 0;
}

icu::Locale LocaleWithCalendar(const QString& name, const char* icuCalendar) {
    icu::Locale locale(name.toLatin1().constData());
    if (icuCalendar) {
        UErrorCode status = U_ZERO_ERROR;
        locale.setKeywordValue("calendar", icuCalendar, status);
    }
    return locale;
}

// Gregorian dates before 1582 stay Gregorian, as everywhere else in the program.
void MakeProleptic(icu::Calendar* calendar) {
    if (auto* gregorian = dynamic_cast<icu::GregorianCalendar*>(calendar)) {
        UErrorCode status = U_ZERO_ERROR;
        gregorian->setGregorianChange(-1e17, status);
    }
}

QString PatternOfStyle(const icu::Locale& locale, icu::DateFormat::EStyle style) {
    std::unique_ptr<icu::DateFormat> format(icu::DateFormat::createDateInstance(style, locale));
    auto* simple = dynamic_cast<icu::SimpleDateFormat*>(format.get());
    if (!simple)
        return QString();
    icu::UnicodeString pattern;
    simple->toPattern(pattern);
    return FromIcu(pattern);
}

QString TimePatternOfStyle(const icu::Locale& locale, icu::DateFormat::EStyle style) {
    std::unique_ptr<icu::DateFormat> format(icu::DateFormat::createTimeInstance(style, locale));
    auto* simple = dynamic_cast<icu::SimpleDateFormat*>(format.get());
    if (!simple)
        return QString();
    icu::UnicodeString pattern;
    simple->toPattern(pattern);
    return FromIcu(pattern);
}

QString SkeletonPattern(const icu::Locale& locale, const char* skeleton) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::DateTimePatternGenerator> generator(
        icu::DateTimePatternGenerator::createInstance(locale, status));
    if (U_FAILURE(status) || !generator)
        return QString();
    const icu::UnicodeString pattern = generator->getBestPattern(icu::UnicodeString(skeleton), status);
    return U_FAILURE(status) ? QString() : FromIcu(pattern);
}

// ICU's short dates have two-digit years; the program's short date shows the full year, which
// reports spanning several years need.
QString WidenTwoDigitYear(const QString& pattern) {
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u'y') {
            qsizetype end = i;
            while (end < pattern.size() && pattern[end] == u'y')
                ++end;
            out += end - i == 2 ? QStringLiteral("y") : pattern.mid(i, end - i);
            i = end - 1;
            continue;
        }
        out += c;
    }
    return out;
}

QString ToPicture(const QString& pattern) {
    QString picture;
    return !pattern.isEmpty() && IcuPatternToDatePicture(pattern, picture) ? picture : QString();
}

// Unquoted field letters of a picture in order, for the date order and the separator.
struct PictureShape {
    QString order;          // e.g. "dMy"
    QString firstSeparator; // the text between the first two fields
};

PictureShape ShapeOf(const QString& picture) {
    PictureShape shape;
    QString between;
    bool afterField = false;
    bool quoted = false;
    for (qsizetype i = 0; i < picture.size(); ++i) {
        const QChar c = picture[i];
        if (c == u'\'') {
            if (i + 1 < picture.size() && picture[i + 1] == u'\'' && !quoted) {
                between += u'\'';
                ++i;
                continue;
            }
            quoted = !quoted;
            continue;
        }
        if (!quoted && (c == u'd' || c == u'M' || c == u'y')) {
            if (!shape.order.contains(c)) {
                if (shape.order.size() == 1 && shape.firstSeparator.isEmpty())
                    shape.firstSeparator = between;
                shape.order += c;
            }
            afterField = true;
            between.clear();
            continue;
        }
        if (afterField)
            between += c;
    }
    return shape;
}

QString TimeSeparatorOf(const QString& timePicture) {
    // The text between the hour field and the minute field.
    const qsizetype hour = timePicture.indexOf(QRegularExpression(QStringLiteral("[hH]")));
    const qsizetype minute = timePicture.indexOf(u'm');
    if (hour < 0 || minute <= hour)
        return QStringLiteral(":");
    qsizetype from = hour;
    while (from < minute && (timePicture[from] == u'h' || timePicture[from] == u'H'))
        ++from;
    QString separator = timePicture.mid(from, minute - from);
    separator.remove(u'\'');
    return separator.isEmpty() ? QStringLiteral(":") : separator;
}

QString StripBidiMarks(QString text) {
    for (QChar mark : {QChar(0x200E), QChar(0x200F), QChar(0x061C)})
        text.remove(mark);
    return text;
}

struct LocaleData {
    QString name;
    QHash<LCTYPE, QString> values;
};

QString NegativeModeOf(const icu::DecimalFormat& format, const QString& minus) {
    icu::UnicodeString prefixIcu, suffixIcu;
    const QString prefix = StripBidiMarks(FromIcu(format.getNegativePrefix(prefixIcu)));
    const QString suffix = StripBidiMarks(FromIcu(format.getNegativeSuffix(suffixIcu)));
    if (prefix.startsWith(u'(') && suffix.endsWith(u')'))
        return QStringLiteral("0");
    if (suffix.isEmpty() || !suffix.contains(minus)) {
        const QString rest = prefix.mid(prefix.indexOf(minus) + minus.size());
        return !rest.isEmpty() && rest[0].isSpace() ? QStringLiteral("2") : QStringLiteral("1");
    }
    return suffix.startsWith(minus) ? QStringLiteral("3") : QStringLiteral("4");
}

void ReadNumberValues(const icu::Locale& locale, QHash<LCTYPE, QString>& v) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::NumberFormat> number(icu::NumberFormat::createInstance(locale, status));
    auto* decimal = dynamic_cast<icu::DecimalFormat*>(number.get());
    if (U_FAILURE(status) || !decimal)
        return;
    const icu::DecimalFormatSymbols* symbols = decimal->getDecimalFormatSymbols();
    const QString minus = StripBidiMarks(FromIcu(symbols->getSymbol(icu::DecimalFormatSymbols::kMinusSignSymbol)));
    v[LOCALE_SDECIMAL] = FromIcu(symbols->getSymbol(icu::DecimalFormatSymbols::kDecimalSeparatorSymbol));
    v[LOCALE_STHOUSAND] = FromIcu(symbols->getSymbol(icu::DecimalFormatSymbols::kGroupingSeparatorSymbol));
    v[LOCALE_SNEGATIVESIGN] = minus;
    const int primary = decimal->isGroupingUsed() ? decimal->getGroupingSize() : 0;
    const int secondary = decimal->getSecondaryGroupingSize();
    if (primary <= 0)
        v[LOCALE_SGROUPING] = QStringLiteral("0;0");
    else if (secondary > 0 && secondary != primary)
        v[LOCALE_SGROUPING] = QStringLiteral("%1;%2;0").arg(primary).arg(secondary);
    else
        v[LOCALE_SGROUPING] = QStringLiteral("%1;0").arg(primary);
    // ICU has no general number of fraction digits; two is what desktops show for plain numbers.
    v[LOCALE_IDIGITS] = QStringLiteral("2");
    v[LOCALE_ILZERO] = decimal->getMinimumIntegerDigits() > 0 ? QStringLiteral("1") : QStringLiteral("0");
    v[LOCALE_INEGNUMBER] = NegativeModeOf(*decimal, minus);
    v[LOCALE_SLIST] = v[LOCALE_SDECIMAL] == QStringLiteral(",") ? QStringLiteral(";") : QStringLiteral(",");
}

void ReadDateValues(const icu::Locale& locale, QHash<LCTYPE, QString>& v) {
    QString shortDate = ToPicture(WidenTwoDigitYear(PatternOfStyle(locale, icu::DateFormat::kShort)));
    if (shortDate.isEmpty())
        shortDate = ToPicture(WidenTwoDigitYear(PatternOfStyle(locale, icu::DateFormat::kMedium)));
    if (shortDate.isEmpty())
        shortDate = QStringLiteral("yyyy-MM-dd");
    QString longDate = ToPicture(PatternOfStyle(locale, icu::DateFormat::kFull));
    if (longDate.isEmpty())
        longDate = ToPicture(PatternOfStyle(locale, icu::DateFormat::kLong));
    v[LOCALE_SSHORTDATE] = shortDate;
    v[LOCALE_SLONGDATE] = longDate.isEmpty() ? shortDate : longDate;
    v[LOCALE_SYEARMONTH] = ToPicture(SkeletonPattern(locale, "yMMMM"));

    const PictureShape shape = ShapeOf(shortDate);
    v[LOCALE_IDATE] = shape.order.startsWith(u'y')   ? QStringLiteral("2")
                      : shape.order.startsWith(u'd') ? QStringLiteral("1")
                                                     : QStringLiteral("0");
    v[LOCALE_SDATE] = shape.firstSeparator.isEmpty() ? QStringLiteral("/") : shape.firstSeparator;
    const auto has = [&shortDate](const char* field) { return shortDate.contains(QLatin1String(field)); };
    v[LOCALE_IDAYLZERO] = has("dd") ? QStringLiteral("1") : QStringLiteral("0");
    v[LOCALE_IMONLZERO] = has("MM") ? QStringLiteral("1") : QStringLiteral("0");
    v[LOCALE_ICENTURY] = has("yyyy") ? QStringLiteral("1") : QStringLiteral("0");

    const QString shortTime = IcuPatternToTimePicture(TimePatternOfStyle(locale, icu::DateFormat::kShort));
    const QString longTime = IcuPatternToTimePicture(TimePatternOfStyle(locale, icu::DateFormat::kMedium));
    v[LOCALE_SSHORTTIME] = shortTime;
    v[LOCALE_STIMEFORMAT] = longTime;
    v[LOCALE_STIME] = TimeSeparatorOf(longTime);
    v[LOCALE_ITIME] = longTime.contains(u'H') ? QStringLiteral("1") : QStringLiteral("0");
    v[LOCALE_ITLZERO] = longTime.contains(QStringLiteral("HH")) || longTime.contains(QStringLiteral("hh"))
                            ? QStringLiteral("1")
                            : QStringLiteral("0");

    UErrorCode status = U_ZERO_ERROR;
    icu::DateFormatSymbols symbols(locale, status);
    if (U_SUCCESS(status)) {
        int32_t count = 0;
        const icu::UnicodeString* ampm = symbols.getAmPmStrings(count);
        if (count >= 2) {
            v[LOCALE_S1159] = FromIcu(ampm[0]);
            v[LOCALE_S2359] = FromIcu(ampm[1]);
        }
        using S = icu::DateFormatSymbols;
        const icu::UnicodeString* days = symbols.getWeekdays(count, S::STANDALONE, S::WIDE);
        const icu::UnicodeString* shortDays = symbols.getWeekdays(count, S::STANDALONE, S::ABBREVIATED);
        // ICU counts 1 = Sunday .. 7 = Saturday; the value ids start with Monday.
        for (int i = 0; i < 7 && count >= 8; ++i) {
            v[LOCALE_SDAYNAME1 + i] = FromIcu(days[(i + 1) % 7 + 1]);
            v[LOCALE_SABBREVDAYNAME1 + i] = FromIcu(shortDays[(i + 1) % 7 + 1]);
        }
        const icu::UnicodeString* months = symbols.getMonths(count, S::STANDALONE, S::WIDE);
        for (int i = 0; i < 12 && i < count; ++i)
            v[LOCALE_SMONTHNAME1 + i] = FromIcu(months[i]);
        const icu::UnicodeString* shortMonths = symbols.getMonths(count, S::STANDALONE, S::ABBREVIATED);
        for (int i = 0; i < 12 && i < count; ++i)
            v[LOCALE_SABBREVMONTHNAME1 + i] = FromIcu(shortMonths[i]);
    }
}

void ReadCalendarValues(const icu::Locale& locale, QHash<LCTYPE, QString>& v) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Calendar> calendar(icu::Calendar::createInstance(locale, status));
    if (U_FAILURE(status) || !calendar)
        return;
    // ICU: 1 = Sunday .. 7 = Saturday; the value: 0 = Monday .. 6 = Sunday.
    v[LOCALE_IFIRSTDAYOFWEEK] = QString::number((calendar->getFirstDayOfWeek(status) + 5) % 7);
    const int minimalDays = calendar->getMinimalDaysInFirstWeek();
    v[LOCALE_IFIRSTWEEKOFYEAR] = minimalDays == 1   ? QStringLiteral("0")
                                 : minimalDays == 7 ? QStringLiteral("1")
                                                    : QStringLiteral("2");
    CALID own = CalendarIdForIcu(calendar->getType());
    if (own == 0)
        own = CAL_GREGORIAN;
    v[LOCALE_ICALENDARTYPE] = QString::number(own);
}

std::shared_ptr<const LocaleData> BuildLocaleData(const QString& name) {
    auto data = std::make_shared<LocaleData>();
    data->name = name;
    const icu::Locale locale(name.toLatin1().constData());
    if (locale.isBogus())
        return data;
    QHash<LCTYPE, QString>& v = data->values;
    ReadNumberValues(locale, v);
    ReadDateValues(locale, v);
    ReadCalendarValues(locale, v);

    const QVector<CALID> calendars = LocaleCalendars(LCIDForLocaleName(name));
    CALID optional = 0;
    for (CALID id : calendars)
        if (QString::number(id) != v.value(LOCALE_ICALENDARTYPE)) {
            optional = id;
            break;
        }
    v[LOCALE_IOPTIONALCALENDAR] = QString::number(optional);

    const icu::Locale display(UserDefaultLocaleName().toLatin1().constData());
    icu::UnicodeString text;
    v[LOCALE_SLANGUAGE] = FromIcu(locale.getDisplayName(display, text));
    v[LOCALE_SNATIVELANGNAME] = FromIcu(locale.getDisplayLanguage(locale, text));
    v[LOCALE_SENGLANGUAGE] = FromIcu(locale.getDisplayLanguage(icu::Locale::getEnglish(), text));
    v[LOCALE_SCOUNTRY] = FromIcu(locale.getDisplayCountry(display, text));
    v[LOCALE_SENGCOUNTRY] = FromIcu(locale.getDisplayCountry(icu::Locale::getEnglish(), text));
    v[LOCALE_SISO639LANGNAME] = QString::fromLatin1(locale.getLanguage());
    v[LOCALE_SISO3166CTRYNAME] = QString::fromLatin1(locale.getCountry());
    v[LOCALE_SNAME] = QString::fromLatin1(locale.getCountry()[0]
                                              ? QByteArray(locale.getLanguage()) + '-' + QByteArray(locale.getCountry())
                                              : QByteArray(locale.getLanguage()));
    const LCID lcid = LCIDForLocaleName(name);
    if (lcid != 0)
        v[LOCALE_ILANGUAGE] = QStringLiteral("%1").arg(lcid & 0xFFFF, 4, 16, QChar(u'0')).toUpper();
    UErrorCode status = U_ZERO_ERROR;
    const UMeasurementSystem measure = ulocdata_getMeasurementSystem(name.toLatin1().constData(), &status);
    v[LOCALE_IMEASURE] = U_SUCCESS(status) && measure == UMS_US ? QStringLiteral("1") : QStringLiteral("0");
    return data;
}

QString& OverrideName() {
    static QString name;
    return name;
}

QHash<QString, std::shared_ptr<const LocaleData>>& DataCache() {
    static QHash<QString, std::shared_ptr<const LocaleData>> cache;
    return cache;
}

std::shared_ptr<const LocaleData> DataFor(const QString& name) {
    auto& cache = DataCache();
    auto it = cache.find(name);
    if (it == cache.end())
        it = cache.insert(name, BuildLocaleData(name));
    return it.value();
}

QString RequireLocaleName(LCID locale) {
    const QString name = LocaleNameForLCID(locale);
    if (name.isEmpty())
        throw ENationalLanguageError(QStringLiteral("Unknown locale identifier %1").arg(locale));
    return name;
}

UDate ToIcuDate(double date) {
    double day = 0;
    try {
        day = DateOf(date);
    } catch (const EVRNConvertError& e) {
        throw ENationalLanguageError(e.Message());
    }
    return (day - DaysBeforeIcuEpoch) * static_cast<double>(MSecsPerDay);
}

QStringList CollectPictures(std::initializer_list<QString> patterns) {
    QStringList pictures;
    for (const QString& pattern : patterns) {
        const QString picture = ToPicture(pattern);
        if (!picture.isEmpty() && !pictures.contains(picture))
            pictures += picture;
    }
    return pictures;
}

} // namespace

void SetUserDefaultLocaleName(const QString& icuName) {
    OverrideName() = icuName;
    ClearLocaleDataCache();
}

QString UserDefaultLocaleName() {
    if (!OverrideName().isEmpty())
        return OverrideName();
    const QString name = QString::fromLatin1(uloc_getDefault());
    // ICU falls back to its root locale when the environment names none it can read.
    return name.isEmpty() || name == QStringLiteral("root") ? QStringLiteral("en_US_POSIX") : name;
}

LCID LCIDForLocaleName(const QString& icuName) {
    return uloc_getLCID(icuName.toLatin1().constData());
}

LCID GetUserDefaultLCID() {
    const QString name = UserDefaultLocaleName();
    LCID lcid = LCIDForLocaleName(name);
    if (lcid == 0) {
        const icu::Locale locale(name.toLatin1().constData());
        lcid = LCIDForLocaleName(QString::fromLatin1(locale.getLanguage()));
    }
    return lcid != 0 ? lcid : 0x0409; // English (United States) when the locale has no identifier
}

QString LocaleNameForLCID(LCID locale) {
    if (locale == LOCALE_NEUTRAL || locale == LOCALE_USER_DEFAULT || locale == LOCALE_SYSTEM_DEFAULT ||
        locale == GetUserDefaultLCID())
        return UserDefaultLocaleName();
    if (locale == LOCALE_INVARIANT)
        return QStringLiteral("en_US_POSIX");
    char buffer[ULOC_FULLNAME_CAPACITY] = {};
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = uloc_getLocaleForLCID(locale, buffer, sizeof buffer, &status);
    if (U_FAILURE(status) || length <= 0)
        return QString();
    return QString::fromLatin1(buffer, length);
}

LCID ConvertDefaultLocale(LCID locale) {
    if (locale == LOCALE_NEUTRAL || locale == LOCALE_USER_DEFAULT || locale == LOCALE_SYSTEM_DEFAULT)
        return GetUserDefaultLCID();
    if ((locale & ~0x3FFu) == 0 && locale != LOCALE_INVARIANT) {
        // A language without a country: that language's usual country.
        const QString language = LocaleNameForLCID(locale);
        char buffer[ULOC_FULLNAME_CAPACITY] = {};
        UErrorCode status = U_ZERO_ERROR;
        uloc_addLikelySubtags(language.toLatin1().constData(), buffer, sizeof buffer, &status);
        if (U_SUCCESS(status)) {
            const icu::Locale likely(buffer);
            const LCID full = LCIDForLocaleName(QString::fromLatin1(likely.getLanguage()) + u'_' +
                                                QString::fromLatin1(likely.getCountry()));
            if (full != 0)
                return full;
        }
    }
    return locale;
}

QString GetLocaleInfo(LCID locale, LCTYPE type) {
    const QString name = LocaleNameForLCID(locale);
    if (name.isEmpty())
        return QString();
    return DataFor(name)->values.value(type);
}

QString GetDateFormat(LCID locale, std::uint32_t flags, double date, const QString& picture) {
    const QString name = RequireLocaleName(locale);
    CALID calendar = static_cast<CALID>(GetLocaleInfoInt(locale, LOCALE_ICALENDARTYPE, CAL_GREGORIAN));
    if (flags & DATE_USE_ALT_CALENDAR) {
        const int optional = GetLocaleInfoInt(locale, LOCALE_IOPTIONALCALENDAR, 0);
        if (optional > 0)
            calendar = static_cast<CALID>(optional);
    }
    QString effective = picture;
    if (effective.isEmpty()) {
        const LCTYPE kind = (flags & DATE_LONGDATE)    ? LOCALE_SLONGDATE
                            : (flags & DATE_YEARMONTH) ? LOCALE_SYEARMONTH
                                                       : LOCALE_SSHORTDATE;
        effective = calendar == static_cast<CALID>(GetLocaleInfoInt(locale, LOCALE_ICALENDARTYPE, CAL_GREGORIAN))
                        ? GetLocaleInfo(locale, kind)
                        : QString();
        if (effective.isEmpty()) {
            const QStringList own =
                EnumDateFormats(locale, kind == LOCALE_SLONGDATE ? DATE_FORMATS_LONG : DATE_FORMATS_SHORT, calendar);
            effective = own.value(0, QStringLiteral("yyyy-MM-dd"));
        }
    }
    return GetDateFormatForCalendar(locale, calendar, date, effective);
}

QString GetDateFormatForCalendar(LCID locale, CALID calendar, double date, const QString& picture) {
    const QString name = RequireLocaleName(locale);
    const char* icuCalendar = IcuCalendarFor(calendar);
    const icu::Locale icuLocale = LocaleWithCalendar(name, icuCalendar ? icuCalendar : "gregorian");
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Calendar> cal(
        icu::Calendar::createInstance(icu::TimeZone::getGMT()->clone(), icuLocale, status));
    if (U_FAILURE(status) || !cal)
        throw ENationalLanguageError(QStringLiteral("No calendar %1 for locale %2").arg(calendar).arg(name));
    MakeProleptic(cal.get());
    const UDate icuDate = ToIcuDate(date);
    cal->setTime(icuDate, status);
    const int yearOfEra = cal->get(UCAL_YEAR, status);
    const bool gregorian = std::strcmp(cal->getType(), "gregorian") == 0;
    const TDatePictureToPattern converted =
        DatePictureToIcuPattern(picture, yearOfEra, gregorian ? QStringLiteral("yyyy") : QStringLiteral("y"));
    icu::SimpleDateFormat format(ToIcu(converted.Pattern), icuLocale, status);
    if (U_FAILURE(status))
        throw ENationalLanguageError(QStringLiteral("Invalid date picture \"%1\"").arg(picture));
    format.adoptCalendar(cal.release());
    icu::UnicodeString out;
    format.format(icuDate, out);
    return FromIcu(out);
}

QString GetTimeFormat(LCID locale, std::uint32_t flags, double time, const QString& picture) {
    RequireLocaleName(locale);
    int hour = 0, minute = 0, second = 0, msec = 0;
    try {
        DecodeTVRNTime(time, hour, minute, second, msec);
    } catch (const EVRNException& e) {
        throw ENationalLanguageError(e.Message());
    }
    const QString source = picture.isEmpty() ? GetLocaleInfo(locale, LOCALE_STIMEFORMAT) : picture;
    const QString am = GetLocaleInfo(locale, LOCALE_S1159);
    const QString pm = GetLocaleInfo(locale, LOCALE_S2359);
    const QString designator = hour % 24 < 12 ? am : pm;

    // Tokens: fields and literal runs; a dropped field takes the literal in front of it along.
    struct Token {
        QChar field; // 0 for a literal
        qsizetype width;
        QString text;
    };
    QVector<Token> tokens;
    for (qsizetype i = 0; i < source.size();) {
        const QChar c = source[i];
        if (c == u'\'') {
            tokens.push_back({QChar(), 0, ReadQuotedPatternText(source, i)});
            continue;
        }
        qsizetype end = i;
        while (end < source.size() && source[end] == c)
            ++end;
        if (QStringLiteral("hHmst").contains(c))
            tokens.push_back({c, end - i, QString()});
        else
            tokens.push_back({QChar(), 0, source.mid(i, end - i)});
        i = end;
    }
    const auto dropped = [flags](QChar field) {
        return ((flags & (TIME_NOSECONDS | TIME_NOMINUTESORSECONDS)) && field == u's') ||
               ((flags & TIME_NOMINUTESORSECONDS) && field == u'm') || ((flags & TIME_NOTIMEMARKER) && field == u't') ||
               ((flags & TIME_FORCE24HOURFORMAT) && field == u't');
    };
    QString out;
    QString pendingLiteral;
    for (const Token& token : tokens) {
        if (token.field.isNull()) {
            pendingLiteral += token.text;
            continue;
        }
        if (dropped(token.field)) {
            pendingLiteral.clear();
            continue;
        }
        out += pendingLiteral;
        pendingLiteral.clear();
        const int two = token.width >= 2 ? 2 : 1;
        QChar field = token.field;
        if (field == u'h' && (flags & TIME_FORCE24HOURFORMAT))
            field = u'H';
        switch (field.unicode()) {
        case u'H':
            out += QString::number(hour).rightJustified(two, u'0');
            break;
        case u'h':
            out += QString::number(hour == 24 ? 24 : (hour % 12 == 0 ? 12 : hour % 12)).rightJustified(two, u'0');
            break;
        case u'm':
            out += QString::number(minute).rightJustified(two, u'0');
            break;
        case u's':
            out += QString::number(second).rightJustified(two, u'0');
            break;
        case u't':
            out += token.width >= 2 ? designator : designator.left(1);
            break;
        }
    }
    out += pendingLiteral;
    return out.trimmed();
}

QStringList EnumDateFormats(LCID locale, std::uint32_t kind, CALID calendar) {
    const QString name = LocaleNameForLCID(locale);
    if (name.isEmpty())
        return {};
    if (calendar == 0)
        calendar = static_cast<CALID>(GetLocaleInfoInt(locale, LOCALE_ICALENDARTYPE, CAL_GREGORIAN));
    const char* icuCalendar = IcuCalendarFor(calendar);
    if (!icuCalendar)
        return {};
    const icu::Locale icuLocale = LocaleWithCalendar(name, icuCalendar);
    const bool ownCalendar =
        calendar == static_cast<CALID>(GetLocaleInfoInt(locale, LOCALE_ICALENDARTYPE, CAL_GREGORIAN));
    QStringList pictures;
    if (kind & DATE_FORMATS_LONG) {
        if (ownCalendar)
            pictures += GetLocaleInfo(locale, LOCALE_SLONGDATE);
        pictures += CollectPictures({PatternOfStyle(icuLocale, icu::DateFormat::kFull),
                                     PatternOfStyle(icuLocale, icu::DateFormat::kLong),
                                     SkeletonPattern(icuLocale, "yMMMMd"), SkeletonPattern(icuLocale, "yMMMMEEEEd")});
    } else {
        if (ownCalendar)
            pictures += GetLocaleInfo(locale, LOCALE_SSHORTDATE);
        const QString shortPattern = PatternOfStyle(icuLocale, icu::DateFormat::kShort);
        pictures +=
            CollectPictures({WidenTwoDigitYear(shortPattern), shortPattern,
                             PatternOfStyle(icuLocale, icu::DateFormat::kMedium), SkeletonPattern(icuLocale, "yMMdd"),
                             SkeletonPattern(icuLocale, "yMd"), SkeletonPattern(icuLocale, "yMMMd")});
        if (std::strcmp(icuCalendar, "gregorian") == 0)
            pictures += QStringLiteral("yyyy-MM-dd");
    }
    QStringList unique;
    for (const QString& picture : pictures)
        if (!picture.isEmpty() && !unique.contains(picture))
            unique += picture;
    return unique;
}

QVector<CALID> LocaleCalendars(LCID locale) {
    const QString name = LocaleNameForLCID(locale);
    QVector<CALID> result;
    if (name.isEmpty())
        return result;
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Calendar> own(icu::Calendar::createInstance(icu::Locale(name.toLatin1().constData()), status));
    if (U_SUCCESS(status) && own) {
        const CALID id = CalendarIdForIcu(own->getType());
        result += id != 0 ? id : CAL_GREGORIAN;
    }
    status = U_ZERO_ERROR;
    UEnumeration* values = ucal_getKeywordValuesForLocale("calendar", name.toLatin1().constData(), true, &status);
    if (U_SUCCESS(status) && values) {
        while (const char* type = uenum_next(values, nullptr, &status)) {
            const CALID id = CalendarIdForIcu(type);
            if (id != 0 && !result.contains(id))
                result += id;
        }
    }
    if (values)
        uenum_close(values);
    return result;
}

QStringList EnumCalendarInfo(LCID locale, CALID calendar, CALTYPE type) {
    const QString name = LocaleNameForLCID(locale);
    if (name.isEmpty())
        return {};
    const QVector<CALID> calendars =
        calendar == ENUM_ALL_CALENDARS ? LocaleCalendars(locale) : QVector<CALID>{calendar};
    QStringList result;
    for (CALID id : calendars) {
        const char* icuCalendar = IcuCalendarFor(id);
        if (!icuCalendar)
            continue;
        const icu::Locale icuLocale = LocaleWithCalendar(name, icuCalendar);
        QString text;
        switch (type) {
        case CAL_ICALINTVALUE:
            text = QString::number(id);
            break;
        case CAL_SCALNAME: {
            UChar buffer[256] = {};
            UErrorCode status = U_ZERO_ERROR;
            const int32_t length =
                uloc_getDisplayKeywordValue(icuLocale.getName(), "calendar", icuLocale.getName(), buffer, 256, &status);
            if (U_SUCCESS(status) && length > 0)
                text = QString(reinterpret_cast<const QChar*>(buffer), std::min(length, 256));
            break;
        }
        case CAL_SSHORTDATE:
            text = EnumDateFormats(locale, DATE_FORMATS_SHORT, id).value(0);
            break;
        case CAL_SLONGDATE:
            text = EnumDateFormats(locale, DATE_FORMATS_LONG, id).value(0);
            break;
        case CAL_SYEARMONTH:
            text = ToPicture(SkeletonPattern(icuLocale, "yMMMM"));
            break;
        case CAL_SERASTRING: {
            // The calendar's latest era: the era of a date far ahead.
            UErrorCode status = U_ZERO_ERROR;
            icu::SimpleDateFormat format(icu::UnicodeString(u"G"), icuLocale, status);
            if (U_SUCCESS(status)) {
                format.setTimeZone(*icu::TimeZone::getGMT());
                icu::UnicodeString era;
                format.format((EncodeDate(9999, 1, 1) - DaysBeforeIcuEpoch) * MSecsPerDay, era);
                text = FromIcu(era);
            }
            break;
        }
        default:
            break;
        }
        if (!text.isEmpty())
            result += text;
    }
    return result;
}

QVector<LCID> EnumSystemLocales(std::uint32_t which) {
    Q_UNUSED(which);
    QVector<LCID> result;
    QSet<LCID> seen;
    const int32_t count = uloc_countAvailable();
    for (int32_t i = 0; i < count; ++i) {
        const LCID lcid = uloc_getLCID(uloc_getAvailable(i));
        if (lcid != 0 && !seen.contains(lcid)) {
            seen.insert(lcid);
            result += lcid;
        }
    }
    return result;
}

void ClearLocaleDataCache() {
    DataCache().clear();
}
