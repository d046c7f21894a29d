#include "foundation/DateTime.h"
#include "support/ExceptionText.h"

#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

namespace {

double D(int y, int m, int d) {
    return EncodeDate(y, m, d);
}
double T(int h, int m, int s = 0, int ms = 0) {
    return EncodeTVRNTime(h, m, s, ms);
}
std::int64_t Seconds(double x) {
    const std::int64_t ms = DateTimeToMSecs(x);
    return ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000);
}
std::string Iso(double x) {
    return DateTimeToISO(x).toStdString();
}

} // namespace

TEST(DateTimeRepresentation, DayZeroIsEighteenNinetyNineAndDatesCountDays) {
    EXPECT_EQ(D(1899, 12, 30), 0.0);
    EXPECT_EQ(D(1900, 1, 1), 2.0);
    EXPECT_EQ(D(2024, 3, 1), 45352.0);
    EXPECT_EQ(D(1899, 12, 29), -1.0);
    EXPECT_EQ(DayOfWeek(D(2024, 3, 1)), 6); // a Friday, 1 = Sunday
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
    DecodeDateTime(D(2024, 2, 29) + T(23, 59, 59, 999), y, mo, d, h, mi, s, ms);
    EXPECT_EQ(std::vector<int>({y, mo, d, h, mi, s, ms}), std::vector<int>({2024, 2, 29, 23, 59, 59, 999}));
    // Before day 0 the number line continues: -0.25 is 1899-12-29 18:00.
    EXPECT_EQ(Iso(-0.25), "1899-12-29 18:00:00");
}

TEST(DateTimeRepresentation, ImpossibleDatesAndValuesAreConversionErrors) {
    EXPECT_EQ(ClassAndMessageOf([] { EncodeDate(2023, 2, 29); }), "EVRNConvertError: '2023-2-29' is not a valid date");
    EXPECT_THROW(EncodeDate(0, 1, 1), EVRNConvertError);
    EXPECT_THROW(EncodeDate(10000, 1, 1), EVRNConvertError);
    EXPECT_THROW(DateTimeToISO(std::nan("")), EVRNConvertError);
    EXPECT_THROW(DateTimeToISO(1e12), EVRNConvertError);
    EXPECT_EQ(ClassAndMessageOf([] { EncodeTime(24, 0, 0, 0); }), "EVRNConvertError: '24:0:0.000' is not a valid time");
}

TEST(DateTimeComparison, ValuesLessThanOneMillisecondApartAreEqual) {
    const double ten = T(10, 0);
    EXPECT_TRUE(TimesEqual(ten + 0.0004 * OneSecond, ten)); // 10:00:00.0004
    EXPECT_TRUE(TimesEqual(ten + 0.9 * OneMillisecond, ten));
    EXPECT_FALSE(TimeBefore(ten, ten + 0.9 * OneMillisecond));
    EXPECT_TRUE(TimeNotAfter(ten + 0.9 * OneMillisecond, ten));
    // A whole millisecond apart is never equal, not even for large day numbers.
    const double late = D(9999, 12, 31) + T(10, 0, 0, 1);
    EXPECT_TRUE(TimeBefore(D(9999, 12, 31) + T(10, 0), late));
    EXPECT_TRUE(TimeAfter(T(10, 0, 0, 1), ten));
    EXPECT_EQ(CompareTimes(ten, ten + OneMillisecond), -1);
    EXPECT_EQ(CompareTimes(ten + OneMillisecond, ten), 1);
}

TEST(DateTimeISO, WritersProduceTheDocumentedForms) {
    EXPECT_EQ(Iso(0), "");
    EXPECT_EQ(Iso(0.5), "12:00:00");
    EXPECT_EQ(Iso(D(2024, 3, 1)), "2024-03-01");
    EXPECT_EQ(Iso(D(2024, 3, 1) + T(0, 0, 1)), "2024-03-01 00:00:01");
    EXPECT_EQ(Iso(D(2024, 3, 1) + T(0, 0, 0, 999)), "2024-03-01"); // milliseconds are dropped
    EXPECT_EQ(Iso(D(1, 1, 1) + T(7, 8, 9)), "0001-01-01 07:08:09");
    EXPECT_EQ(Iso(1.5), "1899-12-31 12:00:00"); // a duration longer than a day
    EXPECT_EQ(DateToISO(D(2024, 3, 1) + T(13, 0)), "2024-03-01");
    EXPECT_EQ(DateToISO(0.75), "");
    EXPECT_EQ(TimeToISO(1.0), "24:00:00");
    EXPECT_EQ(TimeToISO(0), "");
    EXPECT_EQ(TimeToISO(T(8, 5, 3)), "08:05:03");
    EXPECT_EQ(TimeOfDayToISO(1.0), "24:00:00");
    EXPECT_EQ(TimeOfDayToISO(D(2024, 3, 1) + 0.25), "2024-03-01 06:00:00");
    EXPECT_EQ(TimeToISOExport(0), "00:00:00");
    EXPECT_EQ(TimeToISOExport(1.0), "24:00:00");
    EXPECT_EQ(TimeToISOExport(T(23, 59, 59, 999)), "23:59:59");
}

TEST(DateTimeISO, TimeWritersRefuseValuesOutsideTheDay) {
    EXPECT_EQ(ClassAndMessageOf([] { TimeToISO(1.5); }),
              "EVRNTimeError: '1899-12-31 12:00:00' is not a valid TVRNTime value");
    EXPECT_THROW(TimeToISO(-0.25), EVRNTimeError);
    EXPECT_THROW(TimeToISOExport(1.0 + OneSecond), EVRNTimeError);
    EXPECT_NO_THROW(TimeToISO(1.0 + 0.4 * OneMillisecond)); // within the tolerance of 24:00
}

TEST(DateTimeISO, EveryWriterReadsBackToTheSameSecond) {
    const std::vector<double> dates = {0,
                                       D(1899, 12, 31),
                                       D(1899, 12, 29),
                                       D(1900, 2, 28),
                                       D(1900, 3, 1),
                                       D(1970, 1, 1),
                                       D(2000, 2, 29),
                                       D(2024, 3, 1),
                                       D(2024, 12, 31),
                                       D(1, 1, 1),
                                       D(9999, 12, 30)};
    const std::vector<double> times = {0,
                                       T(0, 0, 1),
                                       T(10, 45),
                                       (10.0 + 45.0 / 60.0) / 24.0, // 10:45 computed, not encoded
                                       T(12, 0),
                                       T(23, 59, 59),
                                       T(23, 59, 59, 999),
                                       1.0 - 0.4 * OneMillisecond, // midnight within the tolerance
                                       1.0 / 3.0};
    const std::vector<std::pair<const char*, std::function<QString(double)>>> writers = {
        {"DateTimeToISO", DateTimeToISO}, {"TimeOfDayToISO", TimeOfDayToISO}};
    for (double date : dates) {
        for (double time : times) {
            const double x = date + time;
            for (const auto& [name, writer] : writers) {
                const QString text = writer(x);
                EXPECT_EQ(Seconds(ISOToDateTime(text)), Seconds(x)) << name << " " << text.toStdString();
            }
            const QString dateText = DateToISO(x);
            EXPECT_EQ(ISOToDateTime(dateText), DateOf(x)) << dateText.toStdString();
        }
    }
    for (double time : {0.0, T(0, 0, 1), T(10, 45), (10.0 + 45.0 / 60.0) / 24.0, T(23, 59, 59, 999), 1.0,
                        1.0 - 0.4 * OneMillisecond}) {
        EXPECT_EQ(Seconds(ISOToDateTime(TimeToISO(time))), Seconds(time)) << TimeToISO(time).toStdString();
        EXPECT_EQ(Seconds(ISOToDateTime(TimeToISOExport(time))), Seconds(time));
    }
}

TEST(DateTimeISO, ReaderAcceptsTheFormsAndExplainsFailures) {
    EXPECT_EQ(ISOToDateTime(QStringLiteral("24:00:00")), 1.0);
    EXPECT_EQ(ISOToDateTime(QString()), 0.0);
    EXPECT_EQ(ISOToDateTime(QStringLiteral("2024-03-01T10:00:00")), D(2024, 3, 1) + T(10, 0));
    EXPECT_EQ(ISOToDateTime(QStringLiteral("1899-12-30")), 0.0);
    EXPECT_EQ(ISOToDateTime(QStringLiteral("00:00:05")), T(0, 0, 5));
    for (const char* bad : {"2024-3-01", "2024-13-01", "2024-02-30", "0000-01-01", "25:00:00", "12:60:00",
                            "2024-03-01 24:00:00", "2024/03/01", "12:00", " 2024-03-01", "-024-03-01", "+1:00:00",
                            "2024-03-01 10:00", "1o:00:00", "24:00:00 "}) {
        EXPECT_EQ(ClassAndMessageOf([&] { ISOToDateTime(QString::fromLatin1(bad)); }),
                  QStringLiteral("EVRNConvertError: \"%1\" is not a valid ISO datetime string").arg(bad))
            << bad;
    }
}

TEST(DateTimeTimeOfDay, EncodeAndDecodeIncludingTheEndOfTheDay) {
    EXPECT_EQ(EncodeTVRNTime(24, 0, 0, 0), 1.0);
    EXPECT_EQ(EncodeTVRNTime(12, 0, 0, 0), 0.5);
    int h = 0, m = 0, s = 0, ms = 0;
    DecodeTVRNTime(1.0, h, m, s, ms);
    EXPECT_EQ(std::vector<int>({h, m, s, ms}), std::vector<int>({24, 0, 0, 0}));
    DecodeTVRNTime((10.0 + 45.0 / 60.0) / 24.0, h, m, s, ms);
    EXPECT_EQ(std::vector<int>({h, m, s, ms}), std::vector<int>({10, 45, 0, 0}));
    EXPECT_EQ(ClassAndMessageOf([] { EncodeTVRNTime(24, 0, 0, 1); }),
              "EVRNConvertError: '24:0:0.001' is not a valid TVRNTime value");
    EXPECT_EQ(ClassAndMessageOf([] { EncodeTVRNTime(7, 60, 5, 5); }),
              "EVRNConvertError: '7:60:5.005' is not a valid TVRNTime value");
    EXPECT_THROW(EncodeTVRNTime(-1, 0, 0, 0), EVRNConvertError);
    EXPECT_THROW(DecodeTVRNTime(1.01, h, m, s, ms), EVRNTimeError);
    EXPECT_THROW(CheckTVRNTime(-OneSecond), EVRNTimeError);
    EXPECT_NO_THROW(CheckTVRNTime(1.0));
}

TEST(DateTimeDuration, EncodeDecodeAndTotals) {
    EXPECT_EQ(EncodeDuration(1, 2, 0, 0, 0), 1.0 + 2.0 / 24.0);
    EXPECT_EQ(EncodeDuration(26, 15, 0, 0), EncodeDuration(1, 2, 15, 0, 0)); // total hours
    EXPECT_EQ(EncodeDurationNormalized(1, 59, 59, 1500), EncodeDuration(0, 2, 0, 0, 500));
    EXPECT_EQ(ClassAndMessageOf([] { EncodeDuration(1, 24, 0, 0, 0); }),
              "EVRNConvertError: '1 24:0:0.000' is not a valid duration value");
    EXPECT_EQ(ClassAndMessageOf([] { EncodeDurationHours(49, 0, 60, 0); }),
              "EVRNConvertError: '2 1:0:60.000' is not a valid duration value");
    EXPECT_THROW(EncodeDurationNormalized(1, -1, 0, 0), EVRNConvertError);

    std::int64_t hours = 0;
    int m = 0, s = 0, ms = 0;
    DecodeDuration(EncodeDuration(3, 5, 7, 9, 11), hours, m, s, ms);
    EXPECT_EQ(std::vector<std::int64_t>({hours, m, s, ms}), std::vector<std::int64_t>({77, 7, 9, 11}));
    DecodeDuration(-0.5, hours, m, s, ms); // the magnitude; callers handle the sign
    EXPECT_EQ(hours, 12);
    // 7.5 hours computed from a quotient must not lose a minute.
    EXPECT_EQ(DurationTotalMinutes(7.5 / 24.0), 450);
    EXPECT_EQ(DurationTotalMinutes((8.0 + 59.0 / 60.0) / 24.0), 539);
    EXPECT_EQ(DurationTotalHours(EncodeDuration(2, 3, 59, 0, 0)), 51);
    EXPECT_EQ(DurationTotalSeconds(OneMinute), 60);
}

TEST(DateTimeDuration, OnlyDurationsThatTheTextFormHoldsAreMade) {
    // The longest duration ends in the last millisecond of 9999-12-31 and is written and read back.
    const double longest = EncodeDuration(2958465, 23, 59, 59, 999);
    EXPECT_EQ(DateTimeToISO(longest), QStringLiteral("9999-12-31 23:59:59"));
    const double lastSecond = EncodeDuration(2958465, 23, 59, 59, 0);
    EXPECT_EQ(ISOToDateTime(DateTimeToISO(lastSecond)), lastSecond);
    EXPECT_EQ(EncodeDurationHours(2958466 * 24 - 1, 59, 59, 999), longest);
    EXPECT_EQ(EncodeDurationNormalized(2958466 * 24 - 1, 59, 59, 999), longest);
    const std::function<void()> tooLong[] = {
        [] { EncodeDuration(2958466, 0, 0, 0, 0); },
        [] { EncodeDuration(3333333, 8, 0, 0, 0); },
        [] { EncodeDurationHours(80000000, 0, 0, 0); },
        [] { EncodeDurationNormalized(2958466 * 24 - 1, 59, 59, 1000); },
    };
    for (const auto& encode : tooLong) {
        const QString message = ClassAndMessageOf(encode);
        EXPECT_TRUE(message.contains(QStringLiteral("is too long for a duration value"))) << message.toStdString();
    }
}

TEST(DateTimeArithmetic, SpansAndMinuteSteps) {
    EXPECT_EQ(TimeSpan(T(22, 0), T(2, 0)), EncodeDurationHours(4, 0, 0, 0));
    EXPECT_EQ(TimeSpan(T(8, 0), T(17, 30)), EncodeDurationHours(9, 30, 0, 0));
    EXPECT_EQ(TimeSpan(T(8, 0), T(8, 0) + 0.5 * OneMillisecond), 0.0);
    EXPECT_EQ(AddDuration(EncodeDurationHours(25, 0, 0, 0), D(2024, 3, 1) + T(23, 0)), D(2024, 3, 3));
    EXPECT_EQ(AddMinutesClamped(90, T(23, 0)), 1.0);
    EXPECT_EQ(AddMinutesClamped(-90, T(1, 0)), 0.0);
    EXPECT_EQ(AddMinutesClamped(30, T(1, 0)), T(1, 30));
    EXPECT_EQ(AddMinutesNonNegative(-90, EncodeDurationHours(1, 0, 0, 0)), 0.0);
    EXPECT_EQ(AddMinutesNonNegative(90, EncodeDurationHours(23, 0, 0, 0)), EncodeDurationHours(24, 30, 0, 0));

    const double tenFortyFive = (10.0 + 45.0 / 60.0) / 24.0; // slightly below 10:45 as a double
    EXPECT_EQ(TruncateToMinutes(1, tenFortyFive), T(10, 45));
    EXPECT_EQ(TruncateToMinutes(15, T(10, 52, 59, 999)), T(10, 45));
    EXPECT_EQ(TruncateToMinutes(7, T(10, 59)), T(10, 56));
    EXPECT_EQ(TruncateToMinutes(0, T(10, 59, 30)), T(10, 59));
    EXPECT_EQ(TruncateToMinutes(15, 1.0), 1.0);
    EXPECT_EQ(TruncateToMinutes(15, 1.0 - 0.4 * OneMillisecond), 1.0);
    EXPECT_EQ(TruncateDurationToMinutes(30, EncodeDurationHours(49, 59, 0, 0)), EncodeDurationHours(49, 30, 0, 0));
}

TEST(DateTimeArithmetic, SplittingRoundsToTheMillisecondFirst) {
    const double justBeforeMidnight = D(2024, 3, 2) - 0.3 * OneMillisecond;
    const TSplitDateTime split = SplitDateTime(justBeforeMidnight);
    EXPECT_EQ(split.Date, D(2024, 3, 2));
    EXPECT_EQ(split.Time, 0.0);
    EXPECT_EQ(DateOf(justBeforeMidnight), D(2024, 3, 2));
    EXPECT_EQ(DateToISO(justBeforeMidnight), "2024-03-02");
    const TSplitDateTime noon = SplitDateTime(D(2024, 3, 1) + (10.0 + 45.0 / 60.0) / 24.0);
    EXPECT_EQ(noon.Date, D(2024, 3, 1));
    EXPECT_EQ(noon.Time, T(10, 45));
    EXPECT_EQ(Iso(D(2024, 3, 1) + (10.0 + 45.0 / 60.0) / 24.0), "2024-03-01 10:45:00");
    EXPECT_EQ(TimeOf(D(2024, 3, 1) + T(6, 0)), T(6, 0));
}

TEST(DateTimeArithmetic, BetweenOverlapAndYearMonth) {
    EXPECT_TRUE(IsBetween(T(8, 0), T(9, 0), T(9, 0) + 0.5 * OneMillisecond));
    EXPECT_FALSE(IsBetween(T(8, 0), T(9, 0), T(9, 0, 0, 1)));
    struct Case {
        double a1, b1, a2, b2;
        bool overlap;
    };
    for (const Case& c :
         {Case{T(8, 0), T(9, 0), T(9, 0), T(10, 0), false}, // touching
          Case{T(9, 0), T(10, 0), T(8, 0), T(9, 0), false}, Case{T(8, 0), T(9, 0), T(8, 59), T(10, 0), true},
          Case{T(9, 0), T(10, 0), T(8, 0), T(9, 0, 0, 1), true},
          Case{T(8, 0), T(8, 0), T(8, 0), T(9, 0), true}, // same start
          Case{T(8, 0), T(12, 0), T(9, 0), T(10, 0), true}, Case{T(8, 0), T(9, 0), T(10, 0), T(11, 0), false}}) {
        EXPECT_EQ(IntervalsOverlap(c.a1, c.b1, c.a2, c.b2), c.overlap)
            << Iso(c.a1) << "-" << Iso(c.b1) << " / " << Iso(c.a2) << "-" << Iso(c.b2);
    }
    EXPECT_EQ(CompareYearMonth(D(2024, 3, 31), D(2024, 3, 1)), 0);
    EXPECT_EQ(CompareYearMonth(D(2023, 12, 31), D(2024, 1, 1)), -1);
    EXPECT_EQ(CompareYearMonth(D(2024, 4, 1), D(2024, 3, 31) + T(23, 59)), 1);
}

// The window is tried on the date of the period's start; when it has already ended, only the next
// day's window can still be reached.
TEST(DateTimeArithmetic, DailyWindowReachedTriesTheNextDayOnlyAfterTheWindowEnded) {
    const double day = D(2024, 3, 1);
    struct Case {
        double a, b, from, to;
        bool reached;
    };
    for (const Case& c : {
             Case{day + T(11, 15), day + T(13, 5), T(12, 0), T(13, 0), true},
             Case{day + T(12, 0), day + T(12, 20), T(12, 0), T(13, 0), true},
             Case{day + T(8, 0), day + T(11, 0), T(12, 0), T(13, 0), false},
             Case{day + T(14, 0), day + T(16, 0), T(12, 0), T(13, 0), false}, // window over
             Case{day + T(14, 0), day + 1 + T(12, 0), T(12, 0), T(13, 0), true},
             Case{day + T(13, 0), day + T(14, 0), T(12, 0), T(13, 0), true}, // starts at the end
             Case{day + T(0, 0), day + T(1, 0), T(23, 30), T(0, 30), true},  // window crosses midnight
             Case{day + T(23, 45), day + T(23, 50), T(23, 30), T(0, 30), true},
             Case{day + T(1, 0), day + T(23, 0), T(23, 30), T(0, 30), false},
         }) {
        EXPECT_EQ(DailyWindowReached(c.a, c.b, c.from, c.to), c.reached)
            << Iso(c.a) << " .. " << Iso(c.b) << " window " << Iso(c.from) << "-" << Iso(c.to);
    }
}

TEST(DateTimeWeeks, MondayFirstMatchesIsoWeeksOverThirtyYears) {
    for (QDate date(1998, 12, 20); date <= QDate(2030, 1, 10); date = date.addDays(1)) {
        int isoYear = 0;
        const int isoWeek = date.weekNumber(&isoYear);
        const TWeekOfYear w = WeekOfYear(DateFromQDate(date), 0);
        ASSERT_EQ(std::make_pair(w.Week, w.Year), std::make_pair(isoWeek, isoYear)) << date.toString().toStdString();
    }
}

TEST(DateTimeWeeks, OtherFirstDaysFollowTheFourDayRule) {
    struct Case {
        QDate date;
        int firstDay, week, year;
    };
    for (const Case& c : {Case{QDate(2023, 1, 1), 6, 1, 2023},   // Sunday-first, Jan 1 is a Sunday
                          Case{QDate(2022, 1, 1), 6, 52, 2021},  // Saturday is the 7th day of its week
                          Case{QDate(2024, 12, 29), 6, 1, 2025}, // Sunday: the week holds Jan 1-4
                          Case{QDate(2024, 12, 28), 6, 52, 2024},
                          Case{QDate(2021, 1, 1), 5, 52, 2020}}) { // Saturday-first: Friday is the 7th day
        const TWeekOfYear w = WeekOfYear(DateFromQDate(c.date), c.firstDay);
        EXPECT_EQ(std::make_pair(w.Week, w.Year), std::make_pair(c.week, c.year)) << c.date.toString().toStdString();
    }
}
