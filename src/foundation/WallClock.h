#pragma once

// Local wall-clock date-times and real time.
//
// Entries, options and the windows keep local wall-clock date-times: what the user's clock showed.
// Where daylight saving moves the clock, wall-clock values no longer follow the real time: in
// autumn an hour of wall-clock times occurs twice, in spring an hour never occurs. Code that
// compares moments or measures how much time passed uses real time instead: UTC in the same
// double form (days since 1899-12-30), so that the usual arithmetic and comparisons apply.

/// The current real time, read through Clock::Instance().
double NowRealTime();

/// The real time of the local wall-clock time local. A wall-clock time that occurs twice is taken
/// at its first occurrence; one that never occurs (skipped by a clock going forward) is read with
/// the offset in effect before the skip.
double WallClockToRealTime(double local);
/// The same, but of a wall-clock time that occurs twice the first occurrence not before the real
/// time notBefore (the last occurrence when both lie before it).
double WallClockToRealTime(double local, double notBefore);

/// How much real time passed in the wall-clock period from..to: its start read as above, its end
/// at the first occurrence not before the start. A period across a daylight saving change is
/// shorter (spring) or longer (autumn) than to - from; the time to book for it is this length.
double RealTimeBetween(double from, double to);

/// The local wall-clock time of the real time real.
double RealTimeToWallClock(double real);

/// Minutes and seconds of real cut as the local clock shows them: seconds and milliseconds
/// removed, the minute rounded down to a multiple of step (step < 1 counts as 1). The result lies
/// in the same clock period as real, so it is never later than real.
double RoundDownWallClockMinutes(double real, int step);
