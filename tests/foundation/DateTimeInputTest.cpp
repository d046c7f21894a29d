#include "foundation/DateTimeInput.h"

#include <gtest/gtest.h>

namespace {

double T(int h, int m, int s = 0, int ms = 0) {
    return EncodeTVRNTime(h, m, s, ms);
}

struct TimeCase {
    const char* text;
    double expected; // < 0: refused
};

void ExpectTimes(const std::vector<TimeCase>& cases, const TvrnFormatSettings& settings) {
    for (const TimeCase& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        TVRNTime value = -1;
        const bool ok = TryStrToTVRNTime(text, value, settings);
        if (c.expected < 0) {
            EXPECT_FALSE(ok) << c.text << " gave " << DateTimeToISO(value).toStdString();
        } else {
            ASSERT_TRUE(ok) << c.text;
            EXPECT_TRUE(TimesEqual(value, c.expected)) << c.text << " gave " << TimeToISO(value).toStdString();
        }
    }
}

struct DurationCase {
    const char* text;
    double expected; // < 0: refused
};

void ExpectDurations(const std::vector<DurationCase>& cases, const TvrnFormatSettings& settings) {
    for (const DurationCase& c : cases) {
        double value = -1;
        const bool ok = TryStrToDuration(QString::fromUtf8(c.text), value, settings);
        if (c.expected < 0) {
            EXPECT_FALSE(ok) << c.text << " gave " << DateTimeToISO(value).toStdString();
        } else {
            ASSERT_TRUE(ok) << c.text;
            EXPECT_TRUE(TimesEqual(value, c.expected)) << c.text << " gave " << DateTimeToISO(value).toStdString();
        }
    }
}

} // namespace

TEST(StrToTVRNTime, EnglishLocaleWithDesignators) {
    ScopedUserLocale english(QStringLiteral("en_US"));
    ExpectTimes({{"8", T(8, 0)},
                 {"8:30", T(8, 30)},
                 {" 8 : 5 ", T(8, 5)},
                 {"12 AM", 0},
                 {"12 pm", T(12, 0)},
                 {"PM 1:30", T(13, 30)},
                 {"1:30PM", T(13, 30)},
                 {"am 7:15:30", T(7, 15, 30)},
                 {"13 PM", -1},
                 {"0 AM", -1},
                 {"13:30", T(13, 30)},
                 {"24:00", 1.0},
                 {"24", 1.0},
                 {"24:01", -1},
                 {"10:00:05.5", T(10, 0, 5, 500)},
                 {"10:00:05.25", T(10, 0, 5, 250)},
                 {"10:00:05.125", T(10, 0, 5, 125)},
                 {"10:00:05.1255", -1},
                 {"10:00:05,5", -1},
                 {"10:60", -1},
                 {"", -1},
                 {"AM", -1},
                 {"x", -1},
                 {"8:", -1},
                 {"12345", -1},
                 {"8:30 AM PM", -1}},
                FormatSettings());
    EXPECT_EQ(StrToTVRNTime(QStringLiteral("PM 1:30")), T(13, 30));
    try {
        StrToTVRNTime(QStringLiteral("25:00"));
        FAIL() << "no exception";
    } catch (const EVRNConvertError& e) {
        EXPECT_EQ(e.Message(), "\"25:00\" is not a valid TVRNTime value");
    }
}

TEST(StrToTVRNTime, GermanLocaleUsesItsSeparators) {
    ScopedUserLocale german(QStringLiteral("de_DE"));
    ExpectTimes({{"13:30", T(13, 30)},
                 {"24:00", 1.0},
                 {"8", T(8, 0)},
                 {"13:30:05,25", T(13, 30, 5, 250)},
                 {"13:30:05.25", -1},
                 {"8,5", -1}, // a fraction belongs to the seconds, not to the hours
                 {"1:30 pm", T(13, 30)}},
                FormatSettings());
}

// A locale whose settings have no designators must not read a designator out of nothing: before,
// the empty designator "matched" at the start of every text and '13:30' or '24:00' were refused.
TEST(StrToTVRNTime, EmptyDesignatorsNeverMatch) {
    TvrnFormatSettings settings = FormatSettings();
    settings.AMDesignator.clear();
    settings.PMDesignator.clear();
    ExpectTimes({{"13:30", T(13, 30)}, {"24:00", 1.0}, {"0:15", T(0, 15)}, {"12 AM", 0}, {"1 PM", T(13, 0)}}, settings);
    settings.AMDesignator = QStringLiteral("vorm.");
    settings.PMDesignator = QStringLiteral("nachm.");
    ExpectTimes({{"2 nachm.", T(14, 0)}, {"vorm. 11:00", T(11, 0)}, {"13:30", T(13, 30)}}, settings);
}

TEST(StrToDuration, FormsOfTheEnglishLocale) {
    ScopedUserLocale english(QStringLiteral("en_US"));
    ExpectDurations({{"", 0},
                     {"   ", 0},
                     {"8:30", EncodeDurationHours(8, 30, 0, 0)},
                     {"1 2:00", EncodeDuration(1, 2, 0, 0, 0)},
                     {"1d 2:00", EncodeDuration(1, 2, 0, 0, 0)},
                     {"26:15", EncodeDurationHours(26, 15, 0, 0)},
                     {"0:00:05.5", EncodeDurationHours(0, 0, 5, 500)},
                     {"0:00:05.05", EncodeDurationHours(0, 0, 5, 50)},
                     {" 7 : 05 : 09 . 123 ", EncodeDurationHours(7, 5, 9, 123)},
                     {"8", EncodeDurationHours(8, 0, 0, 0)},
                     {"100", EncodeDurationHours(100, 0, 0, 0)},
                     {"8.5", EncodeDuration(8, 5, 0, 0, 0)}, // two numbers: days and hours
                     {"x", -1},
                     {"8x", -1},
                     {"1 2 3:00", -1},
                     {"1 24:00", -1},
                     {"8:75", -1},
                     {"8:", -1},
                     {"8:3a", -1},
                     {"0:00:05.1234", -1},
                     {"0:00:05.x", -1},
                     {"1:2:3:4", -1},
                     {":30", -1}},
                    FormatSettings());
    try {
        StrToDuration(QStringLiteral("x"));
        FAIL() << "no exception";
    } catch (const EVRNConvertError& e) {
        EXPECT_EQ(e.Message(), "StrToDuration: 'x' is not valid");
    }
}

TEST(StrToDuration, GermanDecimalSeparatorAndOverflow) {
    ScopedUserLocale german(QStringLiteral("de_DE"));
    ExpectDurations({{"0:00:05,5", EncodeDurationHours(0, 0, 5, 500)},
                     {"0:00:05.5", -1},
                     {"8,5", EncodeDuration(8, 5, 0, 0, 0)},
                     {"7:30", EncodeDurationHours(7, 30, 0, 0)}},
                    FormatSettings());
    // Numbers too large for an integer are refused instead of wrapping around.
    ExpectDurations({{"99999999999:00", -1},
                     {"4294967304:00", -1}, // 2^32 + 8 would wrap to 8 hours
                     {"1 4294967298:00", -1},
                     {"0:4294967300", -1}},
                    FormatSettings());
    // Durations past what a saved file can hold are refused on input, not on every later save.
    ExpectDurations({{"80000000", -1},
                     {"71003183:59:59", EncodeDurationHours(71003183, 59, 59, 0)},
                     {"71003184:00", -1},
                     {"2958466 0:00", -1}},
                    FormatSettings());
}
