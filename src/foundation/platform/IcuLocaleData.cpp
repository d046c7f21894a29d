#include "foundation/platform/IcuLocaleData.h"

#include "foundation/platform/DatePicture.h"

#include <QRegularExpression>
#include <cstring>
#include <memory>

#include <unicode/calendar.h>
#include <unicode/decimfmt.h>
#include <unicode/dtfmtsym.h>
#include <unicode/dtptngen.h>
#include <unicode/gregocal.h>
#include <unicode/smpdtfmt.h>
#include <unicode/ucal.h>
#include <unicode/ulocdata.h>

namespace IcuSupport {

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

} // namespace IcuSupport

using namespace IcuSupport;

QString IcuSupport::LanguageDisplayName(const QString& name) {
    const icu::Locale locale(name.toLatin1().constData());
    if (locale.isBogus())
        return QString();
    const icu::Locale display(UserDefaultLocaleName().toLatin1().constData());
    icu::UnicodeString text;
    return FromIcu(locale.getDisplayName(display, text));
}

std::shared_ptr<const TIcuLocaleData> TIcuLocaleData::Build(const QString& name) {
    auto data = std::make_shared<TIcuLocaleData>();
    data->Name = name;
    const icu::Locale locale(name.toLatin1().constData());
    if (locale.isBogus())
        return data;
    QHash<LCTYPE, QString>& v = data->Values;
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
    v[LOCALE_SLANGUAGE] = LanguageDisplayName(name);
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
