#include "foundation/platform/DatePicture.h"
#include "foundation/International.h"

#include <gtest/gtest.h>

TEST(DatePicture, PicturesBecomeIcuPatterns) {
    struct Case {
        const char* picture;
        int year;
        const char* pattern;
    };
    for (const Case& c :
         {Case{"dd.MM.yyyy", 2024, "dd.MM.yyyy"}, Case{"dddd, d. MMMM yyyy", 2024, "EEEE, d. MMMM yyyy"},
          Case{"ddd d MMM", 2024, "EEE d MMM"},
          Case{"MMMM yyyy", 2024, "LLLL yyyy"}, // no day number: stand-alone month
          Case{"MMM yy", 2024, "LLL yy"}, Case{"d 'de' MMMM", 2024, "d 'de' MMMM"}, Case{"y", 2005, "'5'"},
          Case{"d.M.y", 2024, "d.M.'24'"}, Case{"gg yyyyy", 2024, "G yyyy"}, Case{"'It''s' d", 2024, "'It''s' d"},
          Case{"d''M", 2024, "d''''M"}, Case{"h/d x", 2024, "'h'/d 'x'"}, Case{"ddddd", 2024, "EEEE"},
          Case{"'open", 2024, "'open'"}}) {
        EXPECT_EQ(DatePictureToIcuPattern(QString::fromUtf8(c.picture), c.year).Pattern, c.pattern) << c.picture;
    }
    EXPECT_EQ(DatePictureToIcuPattern(QStringLiteral("ggyyyy"), 6, QStringLiteral("y")).Pattern, "Gy");
}

TEST(DatePicture, IcuPatternsBecomePicturesOrAreRefused) {
    struct Case {
        const char* pattern;
        const char* picture; // nullptr: refused
    };
    for (const Case& c :
         {Case{"EEEE, d. MMMM y", "dddd, d. MMMM yyyy"}, Case{"d 'de' MMMM 'de' y", "d 'de' MMMM 'de' yyyy"},
          Case{"dd.MM.yy", "dd.MM.yy"}, Case{"LLLL y", "MMMM yyyy"}, Case{"GGGGGy/M/d", "ggyyyy/M/d"},
          Case{"ccc d", "ddd d"}, Case{"y''M", "yyyy''M"}, Case{"MMMMM", nullptr}, Case{"w", nullptr},
          Case{"h:mm", nullptr}, Case{"EEEEEE", nullptr}}) {
        QString picture;
        const bool ok = IcuPatternToDatePicture(QString::fromUtf8(c.pattern), picture);
        EXPECT_EQ(ok, c.picture != nullptr) << c.pattern;
        if (ok && c.picture) {
            EXPECT_EQ(picture, c.picture) << c.pattern;
        }
    }
    EXPECT_EQ(IcuPatternToTimePicture(QStringLiteral("h:mm:ss a")), "h:mm:ss tt");
    EXPECT_EQ(IcuPatternToTimePicture(QStringLiteral("HH:mm:ss zzzz")), "HH:mm:ss");
    EXPECT_EQ(IcuPatternToTimePicture(QStringLiteral("H 'h' mm")), "H 'h' mm");
    EXPECT_EQ(QuotePatternText(QStringLiteral(".")), "'.'");
    EXPECT_EQ(QuotePatternText(QStringLiteral("'")), "''''");
}

// Every predefined picture of several locales survives the way to ICU and back unchanged.
TEST(DatePicture, LocalePicturesSurviveTheRoundTrip) {
    for (const char* name : {"de_DE", "en_US", "fr_FR", "es_ES", "ru_RU", "ja_JP", "pl_PL", "hu_HU"}) {
        ScopedUserLocale locale(QString::fromLatin1(name));
        for (std::uint32_t kind : {DATE_FORMATS_SHORT, DATE_FORMATS_LONG}) {
            const QStringList pictures = EnumDateFormats(LOCALE_USER_DEFAULT, kind);
            ASSERT_FALSE(pictures.isEmpty()) << name;
            for (const QString& picture : pictures) {
                QString back;
                ASSERT_TRUE(IcuPatternToDatePicture(DatePictureToIcuPattern(picture, 2024).Pattern, back))
                    << name << " " << picture.toStdString();
                EXPECT_EQ(back, picture) << name;
            }
        }
    }
}
