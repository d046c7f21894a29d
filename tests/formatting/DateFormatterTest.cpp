#include "formatting/DateFormatterBuiltIn.h"
#include "formatting/DateFormatterList.h"
#include "formatting/DateFormatterLocDep.h"
#include "foundation/DateTime.h"
#include "foundation/International.h"

#include <gtest/gtest.h>

namespace {

const double March5 = EncodeDate(2024, 3, 5); // a Tuesday

struct LocaleCase {
    const char* locale;
    // Expected text of the ten built-ins for 2024-03-05, in list order.
    const char* texts[10];
    const char* ymdName;
    const char* mdName;
};

class BuiltInDateFormatterTest : public testing::TestWithParam<LocaleCase> {};

} // namespace

TEST_P(BuiltInDateFormatterTest, EachBuiltInWritesWhatTheLocaleWrites) {
    const LocaleCase& c = GetParam();
    ScopedUserLocale locale(QString::fromLatin1(c.locale));
    TDateFormatterListDefault list;
    ASSERT_EQ(list.Count(), 10);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(list.Items(i)->Format(March5), QString::fromUtf8(c.texts[i]))
            << "formatter " << i + 1 << " picture " << list.Items(i)->FormatString().toStdString();
    EXPECT_EQ(list.Items(4)->Name(), QString::fromLatin1(c.ymdName));
    EXPECT_EQ(list.Items(5)->Name(), QString::fromLatin1(c.mdName));
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(list.Items(i)->Locale(), LOCALE_USER_DEFAULT);
    EXPECT_EQ(list.Items(2)->CalendarId(), CAL_GREGORIAN);
}

INSTANTIATE_TEST_SUITE_P(
    Locales, BuiltInDateFormatterTest,
    testing::Values(LocaleCase{"en_US",
                               {"3/5/2024", "Tuesday, March 5, 2024", "3/5/2024", "Tuesday, March 5, 2024", "3/5/2024",
                                "3/5", "5", "Tue", "Tuesday", "2024-03-05"},
                               "Month Day Year",
                               "Month Day"},
                    LocaleCase{"de_DE",
                               {"05.03.2024", "Dienstag, 5. März 2024", "05.03.2024", "Dienstag, 5. März 2024",
                                "05.03.2024", "05.03", "05", "Di.", "Dienstag", "2024-03-05"},
                               "Day Month Year",
                               "Day Month"},
                    LocaleCase{"en_GB",
                               {"05/03/2024", "Tuesday, 5 March 2024", "05/03/2024", "Tuesday, 5 March 2024",
                                "05/03/2024", "05/03", "05", "Tue", "Tuesday", "2024-03-05"},
                               "Day Month Year",
                               "Day Month"}),
    [](const testing::TestParamInfo<LocaleCase>& info) { return std::string(info.param.locale); });

TEST(DateFormatterTest, BuiltInsFollowAChangeOfTheRegionalSettings) {
    ScopedUserLocale english(QStringLiteral("en_US"));
    TDateFormatterListDefault list;
    const auto ymd = list.FindById(TDateFormatterGenericYMD::ID);
    const auto shortDate = list.FindById(TDateFormatterShortDate::ID);
    EXPECT_EQ(ymd->Name(), "Month Day Year");
    {
        ScopedUserLocale german(QStringLiteral("de_DE"));
        EXPECT_EQ(ymd->Name(), "Day Month Year");
        EXPECT_EQ(ymd->FormatString(), "dd'.'MM'.'yyyy");
        EXPECT_EQ(shortDate->Format(March5), "05.03.2024");
    }
    EXPECT_EQ(shortDate->Format(March5), "3/5/2024");
}

TEST(DateFormatterTest, BuiltPicturesFromTheParts) {
    const auto us = MakeDatePictureParts(false, false, QStringLiteral("/"), 0);
    EXPECT_EQ(DayMonthYearPicture(us), "M'/'d'/'yyyy");
    EXPECT_EQ(DayMonthPicture(us), "M'/'d");
    const auto iso = MakeDatePictureParts(true, true, QStringLiteral("-"), 2);
    EXPECT_EQ(DayMonthYearPicture(iso), "yyyy'-'MM'-'dd");
    EXPECT_EQ(DayMonthPicture(iso), "MM'-'dd");
    // A quote inside the separator is doubled within the quoted separator.
    const auto quote = MakeDatePictureParts(false, false, QStringLiteral("'"), 1);
    EXPECT_EQ(DayMonthYearPicture(quote), "d''''M''''yyyy");
    EXPECT_EQ(DayMonthPicture(MakeDatePictureParts(true, true, QStringLiteral("a'b"), 1)), "dd'a''b'MM");
}

TEST(DateFormatterTest, GregorianFormattersUseTheGregorianCalendarOfALocaleWithAnother) {
    // Thai settings count years in the Buddhist era; the Gregorian formatters show 2024.
    ScopedUserLocale thai(QStringLiteral("th_TH"));
    const TDateFormatterShortDate shortDate;
    const TDateFormatterGregorianShortDate gregorian;
    EXPECT_EQ(shortDate.Format(March5), "5/3/2567");
    EXPECT_EQ(gregorian.Format(March5), "5/3/2024");
    EXPECT_EQ(gregorian.CalendarId(), CAL_GREGORIAN);
    EXPECT_EQ(shortDate.CalendarId(), CAL_THAI);
    EXPECT_TRUE(TDateFormatterGregorianLongDate().Format(March5).endsWith("2024"));
    EXPECT_EQ(UserGregorianCalendar(), CAL_GREGORIAN);
}

TEST(DateFormatterTest, IsoIgnoresTheLocale) {
    for (const char* name : {"en_US", "de_DE", "ja_JP", "ar_SA"}) {
        ScopedUserLocale locale(QString::fromLatin1(name));
        EXPECT_EQ(TDateFormatterISO().Format(March5), "2024-03-05") << name;
    }
}

TEST(DateFormatterTest, UserDefinedFormatterUsesItsOwnLocaleAndPicture) {
    ScopedUserLocale english(QStringLiteral("en_US"));
    TDateFormatterLocDepUser user;
    EXPECT_FALSE(user.Id().IsNull());
    EXPECT_NE(user.Id(), TDateFormatterLocDepUser().Id());
    EXPECT_EQ(user.Locale(), LOCALE_USER_DEFAULT);
    EXPECT_EQ(user.CalendarId(), CAL_GREGORIAN);
    EXPECT_TRUE(user.Name().isEmpty());
    user.SetName(QStringLiteral("Week day"));
    user.SetFormatString(QStringLiteral("dddd', the 'd'th of 'MMMM"));
    EXPECT_EQ(user.Format(March5), "Tuesday, the 5th of March");

    TDateFormatterLocDepSystem german(LCIDForLocaleName(QStringLiteral("de_DE")), QStringLiteral("d. MMMM yyyy"),
                                      CAL_GREGORIAN);
    EXPECT_EQ(german.Format(March5), "5. März 2024");
    EXPECT_EQ(german.Name(), "d. MMMM yyyy (system defined)");
    EXPECT_THROW(german.LoadFromPropertyList(nullptr), EDateFormatterError);
}

TEST(DateFormatterTest, FailuresGiveTheEmptyText) {
    ScopedUserLocale english(QStringLiteral("en_US"));
    TDateFormatterLocDepSystem unknownLocale(0x7FFF, QStringLiteral("d"), CAL_GREGORIAN);
    EXPECT_EQ(unknownLocale.Format(March5), "");
    EXPECT_EQ(TDateFormatterShortDate().Format(1e9), ""); // far beyond the year 9999
    EXPECT_EQ(TDateFormatterISO().Format(std::nan("")), "");
}

TEST(DateFormatterTest, SystemListHoldsEachPredefinedPictureOnce) {
    TDateFormatterListSystem list(LCIDForLocaleName(QStringLiteral("de_DE")), CAL_GREGORIAN);
    ASSERT_GT(list.Count(), 1);
    QStringList pictures;
    for (int i = 0; i < list.Count(); ++i) {
        EXPECT_FALSE(pictures.contains(list.Items(i)->FormatString()));
        pictures << list.Items(i)->FormatString();
    }
    EXPECT_TRUE(pictures.contains("dd.MM.yyyy"));
    list.Reset();
    EXPECT_EQ(list.Count(), pictures.size());
    EXPECT_EQ(TDateFormatterListSystem(0x7FFF, CAL_GREGORIAN).Count(), 0);
}
