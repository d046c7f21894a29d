#include "app/TrackingHints.h"

#include <gtest/gtest.h>

namespace {

TEST(TrackingHints, IconFillFollowsTheTimeLeftOfTheInterval) {
    const double now = 45000.5; // noon
    const double minute = 1.0 / 1440.0;
    struct Row {
        double t;
        int interval;
        int percent;
    };
    const Row rows[] = {
        {now + 45 * minute, 60, 25},   {now + 60 * minute, 60, 0},  {now + 90 * minute, 60, 0},
        {now + 30.5 * minute, 60, 50}, {now + 1 * minute, 60, 98},  {now, 60, 100},
        {now - minute, 60, 100},       {now + 45 * minute, 0, 100},
    };
    for (const Row& row : rows)
        EXPECT_EQ(NextTrackingIconPercent(now, row.t, row.interval), row.percent) << (row.t - now) / minute;
}

TEST(TrackingHints, ShortTimePatternFollowsTheClock) {
    TvrnFormatSettings settings;
    settings.TwentyFourHour = true;
    settings.HourLeadingZero = true;
    EXPECT_EQ(ShortTimePattern(settings), QStringLiteral("HH:mm"));
    settings.TwentyFourHour = false;
    settings.HourLeadingZero = false;
    EXPECT_EQ(ShortTimePattern(settings), QStringLiteral("h:mm AP"));
}

} // namespace
