#include "formatting/DurationFormattingOptions.h"
#include "foundation/DateTime.h"
#include "foundation/International.h"
#include "foundation/LiveObjectRegistry.h"

#include <gtest/gtest.h>
#include <map>

namespace {

double Duration(int hours, int minutes, int seconds = 0, int msecs = 0) {
    return (((hours * 60.0 + minutes) * 60.0 + seconds) * 1000.0 + msecs) / MSecsPerDay;
}

class DurationFormatterTest : public testing::Test {
protected:
    // The text of every built-in formatter, by format string ("" is the automatic one).
    std::map<QString, QString> FormatAll(double duration) const {
        std::map<QString, QString> texts;
        const auto definitions = m_options->Definitions();
        for (int i = 0; i < definitions->Count(); ++i)
            texts[definitions->Items(i)->FormatString()] = definitions->Items(i)->Format(duration);
        return texts;
    }

    ScopedUserLocale m_locale{QStringLiteral("en_US")};
    std::shared_ptr<TDurationFormattingOptions> m_options = TDurationFormattingOptions::Create();
};

struct Expected {
    const char* code;
    const char* text;
};

void ExpectTexts(const std::map<QString, QString>& texts, std::initializer_list<Expected> expected) {
    for (const Expected& e : expected)
        EXPECT_EQ(texts.at(QString::fromLatin1(e.code)), QString::fromUtf8(e.text)) << "format " << e.code;
}

} // namespace

TEST_F(DurationFormatterTest, BuiltInsInTheirOrder) {
    const auto definitions = m_options->Definitions();
    const char* codes[] = {"", "HH:MM", "D0", "D1", "D2", "H0", "H1", "H2", "M0"};
    const char* names[] = {"Automatic",         "Hours:Minutes",      "Days (rounded)",
                           "Days (1 decimal)",  "Days (2 decimals)",  "Hours (rounded)",
                           "Hours (1 decimal)", "Hours (2 decimals)", "Minutes (rounded)"};
    ASSERT_EQ(definitions->Count(), 9);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(definitions->Items(i)->FormatString(), QString::fromLatin1(codes[i]));
        EXPECT_EQ(definitions->Items(i)->Name(), QString::fromLatin1(names[i]));
        EXPECT_EQ(definitions->FindById(definitions->Items(i)->Id()), definitions->Items(i));
    }
    EXPECT_EQ(definitions->Items(1)->Id().ToString(), "{02F91AD0-D9E1-4F19-BC97-728913937FCB}");
    EXPECT_EQ(m_options->Selection()->Count(), 9);
    EXPECT_THROW(definitions->Items(0)->LoadFromPropertyList(nullptr), EDurationFormatterError);
}

TEST_F(DurationFormatterTest, SevenAndAHalfHours) {
    ExpectTexts(FormatAll(Duration(7, 30)), {{"HH:MM", "07:30"},
                                             {"H0", "8"},
                                             {"H1", "7.5"},
                                             {"H2", "7.50"},
                                             {"M0", "450"},
                                             {"D0", "1"},
                                             {"D1", "0.9"},
                                             {"D2", "0.94"},
                                             {"", "07:30 h"}});
}

TEST_F(DurationFormatterTest, AutomaticSwitchesToDaysAtHoursPerDay) {
    EXPECT_EQ(FormatAll(Duration(8, 0))[""], "1.0 d");
    EXPECT_EQ(FormatAll(Duration(7, 59, 59))[""], "07:59 h");
    m_options->SetHoursPerDay(6);
    EXPECT_EQ(FormatAll(Duration(7, 30))[""], "1.3 d");
    EXPECT_EQ(FormatAll(Duration(7, 30))["D2"], "1.25");
}

TEST_F(DurationFormatterTest, LongDurationsDropSecondsAndGroupDigits) {
    ExpectTexts(FormatAll(Duration(36, 5, 40)), {{"HH:MM", "36:05"}, {"M0", "2,166"}, {"H2", "36.09"}});
    ExpectTexts(FormatAll(Duration(1234, 0)), {{"HH:MM", "1234:00"}, {"H0", "1,234"}});
}

TEST_F(DurationFormatterTest, ZeroAndNegativeDurations) {
    ExpectTexts(FormatAll(0), {{"HH:MM", "00:00"}, {"M0", "0"}, {"H1", "0.0"}, {"D1", "0.0"}});
    ExpectTexts(FormatAll(-Duration(2, 0)),
                {{"HH:MM", "02:00"}, {"H1", "2.0"}, {"M0", "-120"}, {"D1", "-0.3"}, {"D2", "-0.25"}});
}

TEST_F(DurationFormatterTest, RoundingIsHalfAwayFromZero) {
    EXPECT_EQ(FormatAll(Duration(2, 30))["H0"], "3");
    EXPECT_EQ(FormatAll(Duration(0, 29, 59, 500))["M0"], "30");
    EXPECT_EQ(FormatAll(Duration(0, 0, 0, 400))["HH:MM"], "00:00");
}

TEST_F(DurationFormatterTest, LocaleDecimalSeparator) {
    ScopedUserLocale german(QStringLiteral("de_DE"));
    ExpectTexts(FormatAll(Duration(7, 30)), {{"H1", "7,5"}, {"D2", "0,94"}, {"HH:MM", "07:30"}});
    EXPECT_EQ(FormatAll(Duration(36, 5, 40))["M0"], "2.166");
}

TEST_F(DurationFormatterTest, HoursPerDayIsClampedToOneToTwentyFour) {
    m_options->SetHoursPerDay(30);
    EXPECT_EQ(m_options->HoursPerDay(), 24);
    m_options->SetHoursPerDay(0);
    EXPECT_EQ(m_options->HoursPerDay(), 1);
    m_options->SetHoursPerDay(7.5);
    EXPECT_EQ(m_options->HoursPerDay(), 7.5);
}

TEST_F(DurationFormatterTest, DayFormattersWithoutOptionsUseEightHours) {
    TDurationFormatterUnitDays2 days;
    EXPECT_EQ(days.Format(Duration(12, 0)), "1.50");
    std::weak_ptr<const IHXDurationFormattingOptions_> bound;
    {
        auto options = TDurationFormattingOptions::Create();
        options->SetHoursPerDay(4);
        bound = options;
        TDurationFormatterUnitDays2 boundDays(bound);
        EXPECT_EQ(boundDays.Format(Duration(12, 0)), "3.00");
    }
    TDurationFormatterUnitDays2 orphan(bound); // the options are gone
    EXPECT_EQ(orphan.Format(Duration(12, 0)), "1.50");
}

TEST(DurationFormatterListTest, ListOperations) {
    TDurationFormatterList list;
    auto hm = std::make_shared<TDurationFormatterHM>();
    auto h1 = std::make_shared<TDurationFormatterUnitHours1>();
    auto m0 = std::make_shared<TDurationFormatterUnitMinutes0>();
    list.Add(hm);
    list.Add(m0);
    list.Insert(1, h1);
    EXPECT_EQ(list.IndexOf(h1), 1);
    EXPECT_EQ(list.Items(2), m0);
    EXPECT_THROW(list.Insert(4, hm), EVRNListError);
    EXPECT_EQ(list.Remove(std::make_shared<TDurationFormatterHM>()), -1);
    EXPECT_EQ(list.Remove(hm), 0);
    list.Delete(0);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.FindById(TDurationFormatterUnitMinutes0::ID), m0);
    EXPECT_EQ(list.FindById(TDurationFormatterHM::ID), nullptr);
    list.Reset();
    EXPECT_EQ(list.Count(), 0);
}

// The process-wide formatter lives to the end of the process; the program's report of leftovers
// at its end must not name it.
TEST(DurationFormatterHMTest, TheProcessWideFormatterIsNoLeftover) {
    SetLiveObjectTracking(true);
    const int before = LiveObjectCount();
    const auto& formatter = DefaultDurationFormatterHM();
    EXPECT_EQ(formatter->Format(7.5 / 24), "07:30");
    EXPECT_EQ(LiveObjectCount(), before);
    SetLiveObjectTracking(false);
}
