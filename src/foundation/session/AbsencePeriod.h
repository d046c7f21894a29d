#pragma once

// One time the user was away from the desktop, as the session monitor and its record hand it out.

enum class TAbsenceKind { Locked, Suspended };

/// A time the user was away from the desktop: from and to are local wall-clock date-times in the
/// program's date-time doubles (days since 1899-12-30, fraction = time of day; see
/// foundation/DateTime.h), read through Clock::Instance() (foundation/Clock.h), so tests with a
/// fixed clock control them.
struct TAbsencePeriod {
    double from = 0;
    double to = 0;
    TAbsenceKind kind = TAbsenceKind::Locked;
};
