#include "foundation/session/AbsenceLog.h"

#include "foundation/DateTime.h"

#include <algorithm>

void TAbsenceLog::Lock(double now) {
    if (!m_lockStart)
        m_lockStart = now;
}

void TAbsenceLog::Unlock(double now) {
    Finish(m_lockStart, now, TAbsenceKind::Locked);
    // Someone unlocked the screen, so the machine is awake: a sleep whose wake-up report went
    // missing ends here instead of growing until the next wake-up.
    Finish(m_suspendStart, now, TAbsenceKind::Suspended);
}

void TAbsenceLog::Suspend(double now) {
    if (!m_suspendStart)
        m_suspendStart = now;
}

void TAbsenceLog::Resume(double now) {
    Finish(m_suspendStart, now, TAbsenceKind::Suspended);
}

void TAbsenceLog::Finish(std::optional<double>& start, double now, TAbsenceKind kind) {
    if (!start)
        return;
    // A period that ends before it starts (the clock was set back meanwhile) says nothing reliable
    // and is dropped, as is one of no length.
    if (TimeBefore(*start, now))
        m_finished.push_back({*start, now, kind});
    start.reset();

    const double oldest = now - KeptDays;
    std::erase_if(m_finished, [oldest](const TAbsencePeriod& period) { return TimeBefore(period.to, oldest); });
    if (m_finished.size() > MaxPeriods)
        m_finished.erase(m_finished.begin(), m_finished.end() - static_cast<std::ptrdiff_t>(MaxPeriods));
}

std::vector<TAbsencePeriod> TAbsenceLog::Between(double from, double to, double now) const {
    if (!TimeBefore(from, to))
        return {};
    std::vector<TAbsencePeriod> clipped;
    auto add = [&](double start, double end, TAbsenceKind kind) {
        const double clippedFrom = std::max(start, from);
        const double clippedTo = std::min(end, to);
        if (TimeBefore(clippedFrom, clippedTo))
            clipped.push_back({clippedFrom, clippedTo, kind});
    };
    for (const TAbsencePeriod& period : m_finished)
        add(period.from, period.to, period.kind);
    if (m_lockStart)
        add(*m_lockStart, now, TAbsenceKind::Locked);
    if (m_suspendStart)
        add(*m_suspendStart, now, TAbsenceKind::Suspended);
    std::sort(clipped.begin(), clipped.end(),
              [](const TAbsencePeriod& a, const TAbsencePeriod& b) { return a.from < b.from; });

    // Periods that overlap or touch make one absence; it takes the kind that covers more of it.
    std::vector<TAbsencePeriod> merged;
    double lockedLength = 0;
    double suspendedLength = 0;
    auto closeMerged = [&]() {
        if (!merged.empty())
            merged.back().kind = suspendedLength > lockedLength ? TAbsenceKind::Suspended : TAbsenceKind::Locked;
        lockedLength = 0;
        suspendedLength = 0;
    };
    for (const TAbsencePeriod& period : clipped) {
        if (merged.empty() || TimeAfter(period.from, merged.back().to)) {
            closeMerged();
            merged.push_back(period);
        } else {
            merged.back().to = std::max(merged.back().to, period.to);
        }
        (period.kind == TAbsenceKind::Suspended ? suspendedLength : lockedLength) += period.to - period.from;
    }
    closeMerged();
    return merged;
}
