#pragma once

// The tray images: a clock face whose dial is filled in quarters, from empty (nothing of the
// interval has passed) to full (the next question is due). They are drawn at run time, so they
// stay sharp at every size a tray host asks for.

#include <QIcon>
#include <QImage>
#include <array>

/// Draws the clock face with quarters (0..4, clamped) of the dial filled, size x size pixels.
QImage DrawClockFace(int quarters, int size);

/// Which image a fill percentage shows: 0 quarters for p <= 24, 1 for 25..49, 2 for 50..74,
/// 3 for 75..99, 4 for p >= 100.
int ClockQuartersForPercent(int percent);

/// The five images "PROGICON_0" ... "PROGICON_60", each drawn at the usual tray sizes (16 x 16
/// first).
class TTrayIcons {
public:
    TTrayIcons();

    /// quarters 0..4 (clamped).
    const QIcon& Icon(int quarters) const;
    const QIcon& ForPercent(int percent) const { return Icon(ClockQuartersForPercent(percent)); }
    /// The quarter image that stands for "tracking is not running".
    const QIcon& Quarter() const { return Icon(1); }

    /// The resource names of the five images, in quarter order.
    static QString Name(int quarters);

private:
    std::array<QIcon, 5> m_icons;
};
