#include "worksheet/PlausibilityCheck.h"

#include "foundation/DateTime.h"
#include "model/ActivityLocator.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <set>

bool EntriesOverlap(const IHXActivityEntry_& a, const IHXActivityEntry_& b) {
    if (std::abs(a.StartTime() - b.StartTime()) < OneMillisecond)
        return true;
    const IHXActivityEntry_& first = a.StartTime() < b.StartTime() ? a : b;
    const IHXActivityEntry_& second = &first == &a ? b : a;
    return first.EndTime() - second.StartTime() >= OneMillisecond;
}

namespace {

double Span(double start, double end) {
    return std::abs(end - start);
}

bool Exceeds(double sum, double span) {
    return sum - span >= OneMillisecond;
}

class TGroupSearch {
public:
    TGroupSearch(const std::vector<ActivityEntryPtr>& candidates, const std::function<bool()>& cancelled)
        : m_candidates(candidates), m_cancelled(cancelled), m_inGroup(candidates.size(), false) {}

    /// The first implausible group, in the order its members joined; empty when there is none.
    std::vector<ActivityEntryPtr> Run() {
        std::deque<size_t> remaining;
        for (size_t i = 0; i < m_candidates.size(); ++i)
            remaining.push_back(i);
        while (!m_found && !m_stopped && !remaining.empty()) {
            const size_t first = remaining.front();
            remaining.pop_front();
            const IHXActivityEntry_& entry = *m_candidates[first];
            Join(first);
            Search(remaining, entry.IsProblem(), entry.StartTime(), entry.EndTime(), entry.Duration());
            if (!m_found)
                Leave(first);
        }
        if (!m_found)
            return {};
        std::vector<ActivityEntryPtr> group;
        for (size_t index : m_group)
            group.push_back(m_candidates[index]);
        return group;
    }

private:
    void Join(size_t index) {
        m_group.push_back(index);
        m_inGroup[index] = true;
    }
    void Leave(size_t index) {
        m_group.pop_back();
        m_inGroup[index] = false;
    }

    bool OverlapsGroup(size_t index) const {
        for (size_t member : m_group)
            if (EntriesOverlap(*m_candidates[member], *m_candidates[index]))
                return true;
        return false;
    }

    bool Stopped() {
        if (m_stopped)
            return true;
        if (m_cancelled && (++m_steps & 0x3FF) == 0 && m_cancelled())
            m_stopped = true;
        return m_stopped;
    }

    void Search(std::deque<size_t>& remaining, bool unconfirmed, double start, double end, double sum) {
        const size_t rounds = remaining.size();
        for (size_t round = 0; round < rounds && !m_found && !Stopped(); ++round) {
            const size_t index = remaining.front();
            remaining.pop_front();
            if (OverlapsGroup(index)) {
                const IHXActivityEntry_& entry = *m_candidates[index];
                Join(index);
                const double newStart = std::min(start, entry.StartTime());
                const double newEnd = std::max(end, entry.EndTime());
                const double newSum = sum + entry.Duration();
                const bool newUnconfirmed = unconfirmed || entry.IsProblem();
                if (Exceeds(newSum, Span(newStart, newEnd)) && newUnconfirmed) {
                    m_found = true;
                } else if (m_searched.count(m_inGroup) == 0) {
                    Search(remaining, newUnconfirmed, newStart, newEnd, newSum);
                    if (!m_found && !m_stopped)
                        m_searched.insert(m_inGroup);
                }
                if (!m_found)
                    Leave(index);
            }
            remaining.push_back(index);
        }
    }

    const std::vector<ActivityEntryPtr>& m_candidates;
    const std::function<bool()>& m_cancelled;
    std::vector<size_t> m_group;
    std::vector<bool> m_inGroup;
    /// Member sets whose search found nothing.
    std::set<std::vector<bool>> m_searched;
    bool m_found = false;
    bool m_stopped = false;
    unsigned m_steps = 0;
};

} // namespace

bool CheckDayPlausibility(const IHXDayEntryList_& day, std::vector<ActivityEntryPtr>& problems,
                          const std::function<bool()>& cancelled) {
    problems.clear();
    std::vector<ActivityEntryPtr> candidates;
    for (int i = 0; i < day.Count(); ++i) {
        const auto entry = std::dynamic_pointer_cast<IHXActivityEntry_>(day.Items(i));
        if (!entry)
            continue;
        if (entry->IsProblem() && Exceeds(entry->Duration(), Span(entry->StartTime(), entry->EndTime()))) {
            problems.push_back(entry);
            return true;
        }
        candidates.push_back(entry);
    }
    problems = TGroupSearch(candidates, cancelled).Run();
    return !problems.empty();
}

int BrokenBreakRule(const IHXDayEntryList_& day, const std::vector<TBreakRule>& rules, double& work, double& breaks) {
    work = 0;
    breaks = 0;
    for (int i = 0; i < day.Count(); ++i) {
        const auto entry = std::dynamic_pointer_cast<IHXActivityEntry_>(day.Items(i));
        if (!entry)
            continue;
        const auto locator = entry->Locator();
        (locator && locator->IsBreak() ? breaks : work) += entry->Duration();
    }
    for (size_t i = 0; i < rules.size(); ++i)
        if (work - rules[i].workAbove >= OneMillisecond && rules[i].breaksAtLeast - breaks >= OneMillisecond)
            return static_cast<int>(i);
    return -1;
}
