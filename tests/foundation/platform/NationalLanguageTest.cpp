#include "foundation/platform/NationalLanguage.h"
#include "foundation/International.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {
constexpr LCID German = 0x0407;
constexpr LCID English = 0x0409;
constexpr LCID Japanese = 0x0411;
constexpr LCID Thai = 0x041E;
constexpr LCID Unknown = 0x7777;

double March5() {
    return EncodeDate(2024, 3, 5);
}
} // namespace

TEST(NationalLanguage, LocaleIdentifiersAndTheUserDefault) {
    EXPECT_EQ(LCIDForLocaleName(QStringLiteral("de_DE")), German);
    EXPECT_EQ(LCIDForLocaleName(QStringLiteral("en_US")), English);
    EXPECT_EQ(LocaleNameForLCID(German), "de_DE");
    EXPECT_EQ(LocaleNameForLCID(Unknown), "");
    ScopedUserLocale german(QStringLiteral("de_DE"));
    EXPECT_EQ(GetUserDefaultLCID(), German);
    EXPECT_EQ(LocaleNameForLCID(LOCALE_USER_DEFAULT), "de_DE");
    EXPECT_EQ(ConvertDefaultLocale(LOCALE_USER_DEFAULT), German);
    EXPECT_EQ(ConvertDefaultLocale(LOCALE_SYSTEM_DEFAULT), German);
    EXPECT_EQ(ConvertDefaultLocale(0x0007), German); // the language alone: its usual country
    EXPECT_EQ(ConvertDefaultLocale(0x000C), 0x040Cu);
    EXPECT_EQ(ConvertDefaultLocale(English), English);
}

TEST(NationalLanguage, LocaleValuesOfGermanyAndTheUnitedStates) {
    struct Case {
        LCTYPE type;
        const char* german;
        const char* english;
    };
    for (const Case& c : {Case{LOCALE_SSHORTDATE, "dd.MM.yyyy", "M/d/yyyy"},
                          Case{LOCALE_SLONGDATE, "dddd, d. MMMM yyyy", "dddd, MMMM d, yyyy"},
                          Case{LOCALE_SDATE, ".", "/"},
                          Case{LOCALE_IDATE, "1", "0"},
                          Case{LOCALE_IDAYLZERO, "1", "0"},
                          Case{LOCALE_IMONLZERO, "1", "0"},
                          Case{LOCALE_ICENTURY, "1", "1"},
                          Case{LOCALE_SDECIMAL, ",", "."},
                          Case{LOCALE_STHOUSAND, ".", ","},
                          Case{LOCALE_SGROUPING, "3;0", "3;0"},
                          Case{LOCALE_INEGNUMBER, "1", "1"},
                          Case{LOCALE_STIME, ":", ":"},
                          Case{LOCALE_ITIME, "1", "0"},
                          Case{LOCALE_ICALENDARTYPE, "1", "1"},
                          Case{LOCALE_IOPTIONALCALENDAR, "0", "0"},
                          Case{LOCALE_IFIRSTDAYOFWEEK, "0", "6"},
                          Case{LOCALE_IMEASURE, "0", "1"},
                          Case{LOCALE_SENGLANGUAGE, "German", "English"},
                          Case{LOCALE_SISO639LANGNAME, "de", "en"},
                          Case{LOCALE_SNAME, "de-DE", "en-US"},
                          Case{LOCALE_SDAYNAME1, "Montag", "Monday"},
                          Case{LOCALE_SABBREVMONTHNAME1 + 11, "Dez", "Dec"},
                          Case{LOCALE_SMONTHNAME1 + 2, "März", "March"}}) {
        EXPECT_EQ(GetLocaleInfo(German, c.type), QString::fromUtf8(c.german)) << std::hex << c.type;
        EXPECT_EQ(GetLocaleInfo(English, c.type), QString::fromUtf8(c.english)) << std::hex << c.type;
    }
    // The language name is given in the user default locale's language.
    ScopedUserLocale english(QStringLiteral("en_US"));
    EXPECT_EQ(GetLocaleInfo(German, LOCALE_SLANGUAGE), "German (Germany)");
    EXPECT_EQ(GetLocaleInfo(Unknown, LOCALE_SSHORTDATE), "");
    EXPECT_EQ(GetLocaleInfo(German, 0x7FFF), "");
}

TEST(NationalLanguage, DatesByPicture) {
    struct Case {
        LCID locale;
        double date;
        const char* picture;
        const char* expected;
    };
    for (const Case& c :
         {Case{German, March5(), "dd.MM.yyyy", "05.03.2024"},
          Case{German, March5(), "dddd, d. MMMM yyyy", "Dienstag, 5. März 2024"},
          Case{German, March5(), "ddd d. MMM", "Di. 5. März"}, Case{English, March5(), "M/d/yyyy", "3/5/2024"},
          Case{English, March5(), "ddd MMM d 'yy' y yy gg", "Tue Mar 5 yy 24 24 AD"},
          Case{English, EncodeDate(2005, 1, 9), "y/M/d", "5/1/9"},
          Case{English, EncodeDate(1500, 3, 1), "yyyy-MM-dd ddd", "1500-03-01 Thu"}, // no Julian switch
          Case{English, EncodeDate(33, 1, 1), "yyyy", "0033"},
          Case{English, March5() + 0.99, "yyyy-MM-dd", "2024-03-05"}, Case{English, March5(), "d x M", "5 x 3"}}) {
        EXPECT_EQ(GetDateFormat(c.locale, 0, c.date, QString::fromUtf8(c.picture)), QString::fromUtf8(c.expected))
            << c.picture;
    }
    EXPECT_EQ(GetDateFormat(German, 0, March5(), QString()), "05.03.2024");
    EXPECT_EQ(GetDateFormat(German, DATE_LONGDATE, March5(), QString()), "Dienstag, 5. März 2024");
    EXPECT_EQ(GetDateFormat(English, DATE_YEARMONTH, March5(), QString()), "March 2024");
    EXPECT_THROW(GetDateFormat(Unknown, 0, March5(), QStringLiteral("d")), ENationalLanguageError);
    EXPECT_THROW(GetDateFormat(English, 0, 1e9, QStringLiteral("d")), ENationalLanguageError);
}

TEST(NationalLanguage, CalendarsOtherThanGregorian) {
    // Japan: Gregorian by default, the imperial calendar as the optional one.
    EXPECT_EQ(GetLocaleInfo(Japanese, LOCALE_ICALENDARTYPE), "1");
    EXPECT_EQ(GetLocaleInfo(Japanese, LOCALE_IOPTIONALCALENDAR), "3");
    EXPECT_EQ(GetDateFormat(Japanese, DATE_USE_ALT_CALENDAR, March5(), QStringLiteral("gg y")), "令和 6");
    EXPECT_EQ(GetDateFormatForCalendar(Japanese, CAL_JAPAN, March5(), QStringLiteral("ggyyyy/M/d")), "令和6/3/5");
    // Thailand: the Buddhist calendar is the locale's own.
    EXPECT_EQ(GetLocaleInfo(Thai, LOCALE_ICALENDARTYPE), "7");
    EXPECT_EQ(GetDateFormat(Thai, 0, March5(), QStringLiteral("d/M/yyyy")), "5/3/2567");
    EXPECT_EQ(GetDateFormat(Thai, DATE_USE_ALT_CALENDAR, March5(), QStringLiteral("d/M/yyyy")), "5/3/2024");
    // A calendar without ICU support falls back to the Gregorian one.
    EXPECT_EQ(GetDateFormatForCalendar(English, CAL_KOREA, March5(), QStringLiteral("yyyy")), "2024");

    EXPECT_EQ(EnumCalendarInfo(English, ENUM_ALL_CALENDARS, CAL_ICALINTVALUE), QStringList({"1"}));
    EXPECT_EQ(EnumCalendarInfo(Japanese, ENUM_ALL_CALENDARS, CAL_ICALINTVALUE), QStringList({"1", "3"}));
    EXPECT_EQ(EnumCalendarInfo(Thai, ENUM_ALL_CALENDARS, CAL_ICALINTVALUE), QStringList({"7", "1"}));
    EXPECT_EQ(EnumCalendarInfo(German, CAL_GREGORIAN, CAL_SSHORTDATE), QStringList({"dd.MM.yyyy"}));
    EXPECT_EQ(EnumCalendarInfo(German, CAL_GREGORIAN, CAL_SLONGDATE), QStringList({"dddd, d. MMMM yyyy"}));
    EXPECT_EQ(EnumCalendarInfo(English, CAL_GREGORIAN, CAL_SCALNAME), QStringList({"Gregorian Calendar"}));
    EXPECT_EQ(EnumCalendarInfo(Japanese, CAL_JAPAN, CAL_SERASTRING), QStringList({"令和"}));
    EXPECT_EQ(EnumCalendarInfo(Unknown, ENUM_ALL_CALENDARS, CAL_ICALINTVALUE), QStringList());
}

TEST(NationalLanguage, EnumeratedPicturesStartWithTheDefaultAndAllFormat) {
    for (LCID locale : {German, English, Japanese, Thai}) {
        for (std::uint32_t kind : {DATE_FORMATS_SHORT, DATE_FORMATS_LONG}) {
            const QStringList pictures = EnumDateFormats(locale, kind);
            ASSERT_FALSE(pictures.isEmpty());
            EXPECT_EQ(pictures.first(),
                      GetLocaleInfo(locale, kind == DATE_FORMATS_SHORT ? LOCALE_SSHORTDATE : LOCALE_SLONGDATE));
            EXPECT_EQ(QSet<QString>(pictures.begin(), pictures.end()).size(), pictures.size()) << "repeated picture";
            for (const QString& picture : pictures)
                EXPECT_FALSE(GetDateFormat(locale, 0, March5(), picture).isEmpty()) << picture.toStdString();
        }
    }
    EXPECT_TRUE(EnumDateFormats(German, DATE_FORMATS_SHORT).contains(QStringLiteral("yyyy-MM-dd")));
    EXPECT_TRUE(EnumDateFormats(Unknown, DATE_FORMATS_SHORT).isEmpty());
}

TEST(NationalLanguage, SystemLocalesAndTimes) {
    const QVector<LCID> locales = EnumSystemLocales();
    EXPECT_GT(locales.size(), 100);
    EXPECT_TRUE(locales.contains(German) && locales.contains(English));
    EXPECT_EQ(QSet<LCID>(locales.begin(), locales.end()).size(), locales.size());

    const double t = EncodeTVRNTime(14, 5, 9, 0);
    EXPECT_EQ(GetTimeFormat(German, 0, t, QString()), "14:05:09");
    EXPECT_EQ(GetTimeFormat(English, 0, t, QStringLiteral("hh:mm tt")), "02:05 PM");
    EXPECT_EQ(GetTimeFormat(English, 0, t, QStringLiteral("h 'h' m t")), "2 h 5 P");
    EXPECT_EQ(GetTimeFormat(English, TIME_NOSECONDS, t, QStringLiteral("h:mm:ss tt")), "2:05 PM");
    EXPECT_EQ(GetTimeFormat(English, TIME_FORCE24HOURFORMAT, t, QStringLiteral("h:mm tt")), "14:05");
    EXPECT_EQ(GetTimeFormat(German, 0, 1.0, QStringLiteral("HH:mm")), "24:00");
    EXPECT_THROW(GetTimeFormat(German, 0, 1.5, QStringLiteral("HH:mm")), ENationalLanguageError);
}
