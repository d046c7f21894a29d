#include "calendar/BreakRecognition.h"
#include "foundation/DateTime.h"

#include <gtest/gtest.h>

namespace {

const double Today = EncodeDate(2024, 3, 6);
const TGUID Lunch = TGUID::Constant("{5B0C2B7E-0D57-4C67-9C1B-7A2E3C6B1A01}");
const TGUID Coffee = TGUID::Constant("{5B0C2B7E-0D57-4C67-9C1B-7A2E3C6B1A02}");

double At(double date, int hour, int minute = 0) {
    return date + EncodeTime(hour, minute, 0, 0);
}

double Time(int hour, int minute = 0) {
    return hour == 24 ? 1.0 : EncodeTime(hour, minute, 0, 0);
}

TPlannedBreakValues Break(int fromH, int fromM, int toH, int toM, int minutes, const TGUID& activity = Lunch) {
    return TPlannedBreakValues{Time(fromH, fromM), Time(toH, toM), minutes * OneMinute, activity};
}

} // namespace

TEST(BreakRecognitionTest, PeriodMustOverlapTheWindowAndBeLongerThanTheBreak) {
    const std::vector<TPlannedBreakValues> breaks{Break(12, 0, 13, 0, 30)};
    struct Case {
        int fromH, fromM, toH, toM;
        int expected;
    } cases[] = {
        {11, 15, 13, 5, 0},  // contains the window
        {12, 0, 12, 20, -1}, // not longer than the break
        {12, 0, 12, 30, -1}, // exactly as long as the break
        {12, 0, 12, 31, 0},  // a minute longer
        {14, 0, 16, 0, -1},  // after the window
        {9, 0, 11, 59, -1},  // before the window
        {13, 0, 14, 0, 0},   // starts when the window ends
        {9, 0, 12, 0, 0},    // ends when the window starts
    };
    for (const Case& c : cases) {
        const double a = At(Today, c.fromH, c.fromM);
        const double b = At(Today, c.toH, c.toM);
        EXPECT_EQ(RecognisePlannedBreak(a, b, b, Today, breaks, {}), c.expected)
            << c.fromH << ":" << c.fromM << "-" << c.toH << ":" << c.toM;
    }
}

TEST(BreakRecognitionTest, WindowCrossingMidnightOverlapsTheEarlyHours) {
    EXPECT_TRUE(PlannedBreakWindowOverlaps(At(Today, 0), At(Today, 1), Time(23, 30), Time(0, 30)));
    EXPECT_TRUE(PlannedBreakWindowOverlaps(At(Today, 23), At(Today + 1, 0, 10), Time(23, 30), Time(0, 30)));
    EXPECT_FALSE(PlannedBreakWindowOverlaps(At(Today, 1), At(Today, 22), Time(23, 30), Time(0, 30)));
    // A window that ended before the period starts is met by the next day's window.
    EXPECT_TRUE(PlannedBreakWindowOverlaps(At(Today, 14), At(Today + 1, 12, 10), Time(12, 0), Time(13, 0)));
    EXPECT_TRUE(PlannedBreakWindowOverlaps(At(Today, 14), At(Today + 1, 12), Time(12, 0), Time(13, 0)));
    EXPECT_FALSE(PlannedBreakWindowOverlaps(At(Today, 14), At(Today + 1, 11, 59), Time(12, 0), Time(13, 0)));
    const std::vector<TPlannedBreakValues> breaks{Break(23, 30, 0, 30, 20)};
    EXPECT_EQ(RecognisePlannedBreak(At(Today, 0), At(Today, 1), At(Today, 1), Today, breaks, {}), 0);
}

TEST(BreakRecognitionTest, BookedBreakSuppressesTheProposalUntilTheNextWindow) {
    const std::vector<TPlannedBreakValues> breaks{Break(12, 0, 13, 0, 30)};
    const double a = At(Today, 11);
    const double b = At(Today, 14);
    const double now = At(Today, 14, 2);

    // Booked today after the window opened: nothing more to propose.
    EXPECT_EQ(RecognisePlannedBreak(a, b, now, Today, breaks, {{Lunch, At(Today, 12, 30)}}), -1);
    // Booked to another activity, or ending before today's window: still proposed.
    EXPECT_EQ(RecognisePlannedBreak(a, b, now, Today, breaks, {{Coffee, At(Today, 12, 30)}}), 0);
    EXPECT_EQ(RecognisePlannedBreak(a, b, now, Today, breaks, {{Lunch, At(Today, 11, 30)}}), 0);
    // Yesterday's lunch no longer counts once today's window has opened.
    EXPECT_EQ(RecognisePlannedBreak(a, b, now, Today, breaks, {{Lunch, At(Today - 1, 12, 45)}}), 0);
    // Before today's window opens, yesterday's window is the most recent one.
    const double early = At(Today, 11, 50);
    EXPECT_EQ(RecognisePlannedBreak(At(Today - 1, 11), early, early, Today, breaks, {{Lunch, At(Today - 1, 12, 45)}}),
              -1);
    EXPECT_EQ(RecognisePlannedBreak(At(Today - 1, 11), early, early, Today, breaks, {{Lunch, At(Today - 1, 11, 30)}}),
              0);
    // An entry ending exactly at the window start counts as booked.
    EXPECT_EQ(RecognisePlannedBreak(a, b, now, Today, breaks, {{Lunch, At(Today, 12)}}), -1);
}

TEST(BreakRecognitionTest, FirstMatchingBreakInListOrderIsProposed) {
    const std::vector<TPlannedBreakValues> breaks{Break(9, 0, 9, 30, 15, Coffee), Break(12, 0, 13, 0, 30),
                                                  Break(11, 0, 14, 0, 10, Coffee)};
    const double a = At(Today, 11);
    const double b = At(Today, 14);
    EXPECT_EQ(RecognisePlannedBreak(a, b, b, Today, breaks, {}), 1);
    EXPECT_EQ(RecognisePlannedBreak(a, b, b, Today, breaks, {{Lunch, At(Today, 13)}}), 2);
    EXPECT_EQ(RecognisePlannedBreak(a, b, b, Today, {}, {}), -1);
}

TEST(BreakRecognitionTest, DurationMustFitIntoTheWindow) {
    EXPECT_FALSE(PlannedBreakDurationFits(Time(12, 0), Time(12, 30), 45));
    EXPECT_TRUE(PlannedBreakDurationFits(Time(12, 0), Time(12, 30), 30));
    EXPECT_TRUE(PlannedBreakDurationFits(Time(23, 50), Time(0, 20), 30));
    EXPECT_FALSE(PlannedBreakDurationFits(Time(23, 50), Time(0, 20), 31));
    EXPECT_FALSE(PlannedBreakDurationFits(Time(12, 0), Time(12, 0), 1));
    EXPECT_TRUE(PlannedBreakDurationFits(Time(22, 0), Time(24, 0), 120));
}
