#include "foundation/platform/NationalLanguage.h"

#include "foundation/DateTime.h"
#include "foundation/platform/DatePicture.h"
#include "foundation/platform/IcuLocaleData.h"

#include <QHash>
#include <QMutex>
#include <QSet>
#include <cstring>
#include <memory>

#include <unicode/calendar.h>
#include <unicode/datefmt.h>
#include <unicode/dtfmtsym.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>
#include <unicode/ucal.h>
#include <unicode/uenum.h>
#include <unicode/uloc.h>

using namespace IcuSupport;

namespace {

QString& OverrideName() {
    static QString name;
    return name;
}

QHash<QString, std::shared_ptr<const TIcuLocaleData>>& DataCache() {
    static QHash<QString, std::shared_ptr<const TIcuLocaleData>> cache;
    return cache;
}

// Locale data is read once per locale; reports may format from worker threads.
QMutex& DataCacheMutex() {
    static QMutex mutex;
    return mutex;
}

std::shared_ptr<const TIcuLocaleData> DataFor(const QString& name) {
    const QMutexLocker lock(&DataCacheMutex());
    auto& cache = DataCache();
    auto it = cache.find(name);
    if (it == cache.end())
        it = cache.insert(name, TIcuLocaleData::Build(name));
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
    // The language chooser asks every locale for its name alone: no need to read all its data.
    if (type == LOCALE_SLANGUAGE)
        return LanguageDisplayName(name);
    return DataFor(name)->Values.value(type);
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
    const QMutexLocker lock(&DataCacheMutex());
    DataCache().clear();
}
