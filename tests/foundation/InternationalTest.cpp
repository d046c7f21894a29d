#include "foundation/International.h"

#include <gtest/gtest.h>

namespace {

double T(int h, int m, int s = 0, int ms = 0) {
    return EncodeTVRNTime(h, m, s, ms);
}

class RecordingListener : public IvrnFormatSettingsNotify {
public:
    RecordingListener(QStringList& log, QString name) : m_log(log), m_name(std::move(name)) {}
    void FormatSettingsChanged() override {
        m_log += m_name + u'=' + FormatSettings().DecimalSeparator;
        if (m_onChange)
            m_onChange();
    }
    std::function<void()> m_onChange;

private:
    QStringList& m_log;
    QString m_name;
};

TvrnFormatSettings NumberSettings(int grouping, int negativeMode, bool leadingZero = true) {
    TvrnFormatSettings s;
    s.DecimalSeparator = QStringLiteral(",");
    s.ThousandSeparator = QStringLiteral(".");
    s.DigitGrouping = grouping;
    s.NegativeNumberMode = negativeMode;
    s.LeadingZero = leadingZero;
    return s;
}

} // namespace

TEST(FormatSettings, SnapshotsOfGermanAndEnglishLocales) {
    {
        ScopedUserLocale german(QStringLiteral("de_DE"));
        const TvrnFormatSettings& s = FormatSettings();
        EXPECT_EQ(s.Locale, 1031u);
        EXPECT_EQ(s.DecimalSeparator, ",");
        EXPECT_EQ(s.ThousandSeparator, ".");
        EXPECT_EQ(s.DigitGrouping, 3);
        EXPECT_EQ(s.NegativeNumberMode, 1);
        EXPECT_EQ(s.DateSeparator, ".");
        EXPECT_EQ(s.TimeSeparator, ":");
        EXPECT_TRUE(s.TwentyFourHour);
        EXPECT_TRUE(s.DayLeadingZero && s.MonthLeadingZero && s.HourLeadingZero && s.Century);
        EXPECT_EQ(s.ShortDateOrder, 1);
        EXPECT_EQ(s.ShortDateFormat, "dd.MM.yyyy");
        EXPECT_EQ(s.LongDateFormat, "dddd, d. MMMM yyyy");
        EXPECT_EQ(s.YearMonthFormat, "MMMM yyyy");
        EXPECT_EQ(s.FirstDayOfWeek, 0);
        EXPECT_EQ(s.CalendarType, 1);
        EXPECT_EQ(s.LongDayNames.value(0), "Sonntag");
        EXPECT_EQ(s.ShortDayNames.value(1), "Mo");
        EXPECT_EQ(s.LongMonthNames.value(2), "März");
        EXPECT_EQ(s.ShortMonthNames.size(), 12);
    }
    ScopedUserLocale english(QStringLiteral("en_US"));
    const TvrnFormatSettings& s = FormatSettings();
    EXPECT_EQ(s.Locale, 1033u);
    EXPECT_EQ(s.DecimalSeparator, ".");
    EXPECT_EQ(s.DateSeparator, "/");
    EXPECT_EQ(s.ShortDateOrder, 0);
    EXPECT_EQ(s.ShortDateFormat, "M/d/yyyy");
    EXPECT_FALSE(s.TwentyFourHour);
    EXPECT_FALSE(s.DayLeadingZero || s.MonthLeadingZero);
    EXPECT_EQ(s.AMDesignator, "AM");
    EXPECT_EQ(s.PMDesignator, "PM");
    EXPECT_EQ(s.FirstDayOfWeek, 6);
    EXPECT_EQ(s.LongDayNames.value(0), "Sunday");
}

TEST(FormatSettings, ListenersHearEveryRenewalInRegistrationOrder) {
    QStringList log;
    RecordingListener first(log, QStringLiteral("first"));
    RecordingListener second(log, QStringLiteral("second"));
    RegisterFormatSettingsNotify(&first);
    RegisterFormatSettingsNotify(&second);
    RegisterFormatSettingsNotify(&first); // once only
    {
        ScopedUserLocale german(QStringLiteral("de_DE")); // listeners see the new snapshot
        EXPECT_EQ(log, QStringList({"first=,", "second=,"}));
        // A listener that leaves while being told does not stop the others; one it removes is skipped.
        first.m_onChange = [&] {
            UnregisterFormatSettingsNotify(&first);
            UnregisterFormatSettingsNotify(&second);
        };
        log.clear();
        RefreshFormatSettings();
        EXPECT_EQ(log, QStringList({"first=,"}));
    }
    log.clear();
    RefreshFormatSettings();
    EXPECT_TRUE(log.isEmpty());
}

TEST(FormatSettings, DigitGroupingCodes) {
    const std::vector<std::pair<const char*, int>> cases = {{"3;0", 3}, {"3;2;0", 32}, {"0;0", 0},   {"1;0", 1},
                                                            {"9;0", 9}, {"3", 0},      {"3;3;0", 0}, {"", 0},
                                                            {"x;0", 0}, {"3;0;", 0}};
    for (const auto& [text, code] : cases)
        EXPECT_EQ(DigitGroupingCode(QString::fromLatin1(text)), code) << text;
}

TEST(FormatSettings, NegativeNumberModes) {
    TvrnFormatSettings s;
    const char* expected[] = {"(1,5)", "-1,5", "- 1,5", "1,5-", "1,5 -"};
    for (int mode = 0; mode < 5; ++mode) {
        s.NegativeNumberMode = mode;
        EXPECT_EQ(FormatNegativeNumber(QStringLiteral("1,5"), s), expected[mode]);
    }
    s.NegativeNumberMode = 5;
    try {
        FormatNegativeNumber(QStringLiteral("1"), s);
        FAIL() << "no exception";
    } catch (const EvrnInternationalMustNotHappen& e) {
        EXPECT_EQ(e.Message(), "vrnFormatNegativeNumber: invalid NegativeNumberMode");
        EXPECT_NE(dynamic_cast<const EMustNotHappen*>(&e), nullptr);
    }
}

TEST(FormatLocalNumber, SeparatorsGroupingAndDecimalRounding) {
    struct Case {
        double value;
        int digits;
        TvrnFormatSettings settings;
        const char* expected;
    };
    for (const Case& c :
         {Case{1234567.891, 2, NumberSettings(3, 1), "1.234.567,89"},
          Case{1234567.891, 0, NumberSettings(3, 1), "1.234.568"},
          Case{-0.5, 0, NumberSettings(3, 1), "-1"},          // half away from zero
          Case{2.675, 2, NumberSettings(3, 1), "2,68"},       // rounded on the decimal text
          Case{-0.004, 2, NumberSettings(3, 1), "0,00"},      // rounds to zero: no sign
          Case{999.996, 2, NumberSettings(3, 1), "1.000,00"}, // carry into a new group
          Case{1234567, 2, NumberSettings(32, 1), "12.34.567,00"}, Case{1234567, 1, NumberSettings(0, 1), "1234567,0"},
          Case{0.5, 2, NumberSettings(3, 1, false), ",50"}, Case{-1.5, 2, NumberSettings(3, 0), "(1,50)"},
          Case{-1234.5, 1, NumberSettings(3, 4), "1.234,5 -"}, Case{7.5, 3, NumberSettings(3, 1), "7,500"}}) {
        EXPECT_EQ(FormatLocalNumber(c.value, c.digits, c.settings), c.expected) << c.value;
    }
    EXPECT_THROW(FormatNumberText(QStringLiteral("1e5"), 2, NumberSettings(3, 1)), EVRNConvertError);
    EXPECT_THROW(FormatNumberText(QStringLiteral("1."), 2, NumberSettings(3, 1)), EVRNConvertError);
    EXPECT_EQ(GetNumberFormat(1031, QStringLiteral("-1234.55"), 1), "-1.234,6");
    EXPECT_EQ(GetNumberFormat(1033, QStringLiteral("1234.5"), 2), "1,234.50");
    ScopedUserLocale german(QStringLiteral("de_DE"));
    EXPECT_EQ(FormatLocalNumber(8.5, 2), "8,50");
}

TEST(FormatLocalTime, EndOfDayFractionsAndLocaleSeparators) {
    ScopedUserLocale english(QStringLiteral("en_US"));
    const double t = T(13, 5, 9, 956);
    struct Case {
        double time;
        const char* pattern;
        const char* expected;
    };
    for (const Case& c :
         {Case{1.0, "H:mm", "24:00"}, Case{1.0, "hh:mm:ss", "24:00:00"}, Case{1.0, "h:mm AP", "24:00 AM"},
          Case{0, "HH:mm", "00:00"}, Case{t, "HH:mm:ss.zzz", "13:05:09.956"}, Case{t, "HH:mm:ss.zz", "13:05:09.96"},
          // 9.956 s to tenths is 10.0 s, not "9.10"
          Case{t, "HH:mm:ss.z", "13:05:10.0"}, Case{T(23, 59, 59, 960), "H:mm:ss.z", "24:00:00.0"},
          Case{t, "HH:mm:ss", "13:05:09"}, Case{t, "h:mm ap", "1:05 pm"}, Case{t, "h:mm", "13:05"},
          Case{T(0, 30), "h:mm AP", "12:30 AM"}, Case{t, "H 'o''clock' m", "13 o'clock 5"}, Case{t, "H''m", "13'5"}}) {
        EXPECT_EQ(FormatLocalTime(c.time, QString::fromLatin1(c.pattern)), c.expected) << c.pattern;
    }
    EXPECT_THROW(FormatLocalTime(1.5, QStringLiteral("H:mm")), EVRNTimeError);
    ScopedUserLocale german(QStringLiteral("de_DE"));
    EXPECT_EQ(FormatLocalTime(t, QStringLiteral("H:mm:ss.zzz")), "13:05:09,956");
}

TEST(FormatSettings, WeekOfYearFollowsTheLocalesFirstDay) {
    const double newYear2023 = EncodeDate(2023, 1, 1); // a Sunday
    {
        ScopedUserLocale english(QStringLiteral("en_US")); // weeks start on Sunday
        const TWeekOfYear w = WeekOfYear(newYear2023);
        EXPECT_EQ(std::make_pair(w.Week, w.Year), std::make_pair(1, 2023));
    }
    ScopedUserLocale german(QStringLiteral("de_DE")); // weeks start on Monday
    const TWeekOfYear w = WeekOfYear(newYear2023);
    EXPECT_EQ(std::make_pair(w.Week, w.Year), std::make_pair(52, 2022));
}
