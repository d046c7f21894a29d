#include "app/TrayIcons.h"

#include <gtest/gtest.h>

TEST(TrayIconsTest, PercentPicksTheImageAtTheQuarterBounds) {
    const struct {
        int percent;
        int quarters;
    } cases[] = {{-5, 0}, {0, 0}, {24, 0}, {25, 1}, {49, 1}, {50, 2}, {74, 2}, {75, 3}, {99, 3}, {100, 4}, {250, 4}};
    for (const auto& c : cases)
        EXPECT_EQ(ClockQuartersForPercent(c.percent), c.quarters) << c.percent;
}

TEST(TrayIconsTest, DialFillsClockwiseQuarterByQuarter) {
    // Sample the dial half way between centre and rim in each quarter: top right, bottom right,
    // bottom left, top left. The filled part is darker than the face.
    const int size = 32;
    const QPoint samples[] = {{22, 10}, {22, 22}, {10, 22}, {10, 10}};
    for (int quarters = 0; quarters <= 4; ++quarters) {
        const QImage image = DrawClockFace(quarters, size);
        ASSERT_EQ(image.size(), QSize(size, size));
        for (int q = 0; q < 4; ++q) {
            const bool filled = qGray(image.pixel(samples[q])) < 160;
            EXPECT_EQ(filled, q < quarters) << quarters << " quarters, sample " << q;
        }
        // Outside the round face the image stays transparent.
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    }
}

TEST(TrayIconsTest, FiveDistinctNamedImagesWithTheSmallTraySize) {
    const TTrayIcons icons;
    EXPECT_EQ(TTrayIcons::Name(0), QStringLiteral("PROGICON_0"));
    EXPECT_EQ(TTrayIcons::Name(4), QStringLiteral("PROGICON_60"));
    for (int quarters = 0; quarters <= 4; ++quarters)
        EXPECT_TRUE(icons.Icon(quarters).availableSizes().contains(QSize(16, 16)));
    EXPECT_NE(icons.Icon(0).pixmap(16).toImage(), icons.Icon(4).pixmap(16).toImage());
    EXPECT_EQ(icons.Quarter().cacheKey(), icons.Icon(1).cacheKey());
    EXPECT_EQ(icons.ForPercent(100).cacheKey(), icons.Icon(4).cacheKey());
}
