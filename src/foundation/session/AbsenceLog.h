#pragma once

// The record of the times the user was away from the desktop: the screen locked or the machine
// asleep. The session monitor feeds it the moments it observes; the questions about a past period
// read from it. It knows no clock and no bus, so that every moment comes in as a value.

#include "foundation/session/AbsencePeriod.h"

#include <cstddef>
#include <optional>
#include <vector>

class TAbsenceLog {
public:
    /// How far back periods are kept, in days; older ones are dropped as new ones are recorded.
    static constexpr double KeptDays = 7;
    /// At most this many finished periods are kept (the newest), whatever their age.
    static constexpr std::size_t MaxPeriods = 1000;

    // The observed moments. A lock or a sleep that is already going on is not restarted by another
    // report of it (several sources report the same lock); an end without a start is ignored.
    void Lock(double now);
    void Unlock(double now);
    void Suspend(double now);
    void Resume(double now);

    bool IsLocked() const { return m_lockStart.has_value(); }
    bool IsSuspended() const { return m_suspendStart.has_value(); }

    /// The absences that overlap from..to, each clipped to from..to, oldest first. An absence still
    /// going on ends at now. Overlapping or touching periods are merged into one, whose kind is the
    /// kind that covers more of it (Locked on a tie).
    std::vector<TAbsencePeriod> Between(double from, double to, double now) const;

    /// The finished periods as recorded, oldest first (for tests and diagnostics).
    const std::vector<TAbsencePeriod>& Finished() const { return m_finished; }

private:
    void Finish(std::optional<double>& start, double now, TAbsenceKind kind);

    std::vector<TAbsencePeriod> m_finished;
    std::optional<double> m_lockStart;
    std::optional<double> m_suspendStart;
};
