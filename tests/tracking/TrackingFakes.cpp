#include "TrackingFakes.h"

#include "foundation/DateTime.h"
#include "foundation/VRNException.h"

#include <cmath>

void FakeTrackingWindow::SetPeriod(double from, double to) {
    PeriodFrom = from;
    PeriodTo = to;
}

void FakeTrackingWindow::ShowTracking(double from, double to) {
    SetPeriod(from, to);
    Shown.push_back({from, to, false});
    m_visible = true;
}

void FakeTrackingWindow::ShowTrackingModal(double from, double to) {
    SetPeriod(from, to);
    Shown.push_back({from, to, true});
    m_visible = true;
    if (DuringModal)
        DuringModal();
    m_visible = false;
}

void FakeTrackingWindow::SetPlannedBreak(const TPlannedBreakValues* plannedBreak) {
    if (plannedBreak)
        ProposedBreak = *plannedBreak;
    else
        ProposedBreak.reset();
}

void FakeTrackingWindow::HideTracking() {
    if (FailHide)
        throw EVRNException(QStringLiteral("FakeTrackingWindow.HideTracking: refused"));
    ++HideCount;
    m_visible = false;
}

TrackingWindowPtr FakeTracker::CreateTrackingWindow() {
    ++CreateCount;
    if (!Window)
        Window = std::make_shared<FakeTrackingWindow>();
    return Window;
}

void FakeTracker::FreeTrackingWindow() {
    ++FreeCount;
    Window.reset();
}

std::optional<QString> FakeTrackingHost::ReadStringOption(const QString& key) {
    const auto it = Options.find(key);
    if (it == Options.end() || !std::holds_alternative<QString>(it->second))
        return std::nullopt;
    return std::get<QString>(it->second);
}

std::optional<qint64> FakeTrackingHost::ReadIntegerOption(const QString& key) {
    const auto it = Options.find(key);
    if (it == Options.end() || !std::holds_alternative<qint64>(it->second))
        return std::nullopt;
    return std::get<qint64>(it->second);
}

std::optional<double> FakeTrackingHost::ReadDateTimeOption(const QString& key) {
    const auto it = Options.find(key);
    if (it == Options.end() || !std::holds_alternative<double>(it->second))
        return std::nullopt;
    return std::get<double>(it->second);
}

void FakeTrackingHost::GetActivityEntries(double fromDate, double toDate, std::vector<TTrackingEntry>& entries) {
    ++ReadCount;
    if (FailReads)
        throw EVRNException(QStringLiteral("FakeTrackingHost.GetActivityEntries: disk gone"));
    if (ReadEntries) {
        ReadEntries(fromDate, toDate, entries);
        return;
    }
    for (const TTrackingEntry& entry : Entries) {
        if (TimeNotBefore(entry.Date, fromDate) && TimeNotAfter(entry.Date, toDate))
            entries.push_back(entry);
    }
}

std::vector<TPlannedBreakValues> FakeTrackingHost::LoadPlannedBreaks() {
    ++BreakLoadCount;
    return Breaks;
}

TrackerAddInPtr FakeTrackingHost::FindTracker(const QString& id) {
    for (const TrackerAddInPtr& tracker : Trackers) {
        if (SameTrackerID(tracker->GetID(), id))
            return tracker;
    }
    return nullptr;
}

void FakeTrackingHost::Book(double from, double to, const TGUID& activity) {
    while (TimeBefore(from, to)) {
        const double date = DateOf(from);
        const double end = std::min(to, date + 1.0);
        Entries.push_back(TTrackingEntry{date, from - date, end - date, activity});
        from = end;
    }
}

void NotificationRecorder::Connect(TTrackingManagerNotifications& n) {
    n.OnDaySwitch = [this] { Add(QStringLiteral("DaySwitch")); };
    n.OnDaySwitchEnd = [this] { Add(QStringLiteral("DaySwitchEnd")); };
    n.OnTrackingImpossible = [this](const TTrackingEntry& entry, double& next) {
        Add(QStringLiteral("Impossible"));
        Impossible.push_back(entry);
        if (MoveNextNoticeTo)
            next = *MoveNextNoticeTo;
    };
    n.OnTrackingPossible = [this] { Add(QStringLiteral("Possible")); };
    n.OnNextTracking = [this](double t) {
        Add(QStringLiteral("NextTracking"));
        NextTracking.push_back(t);
    };
    n.OnNoTracker = [this] { Add(QStringLiteral("NoTracker")); };
    n.OnTrackingShown = [this] { Add(QStringLiteral("Shown")); };
}

double DT(int year, int month, int day, int hour, int minute, int second) {
    return EncodeDateTime(year, month, day, hour, minute, second, 0);
}

QDateTime QDT(int year, int month, int day, int hour, int minute, int second) {
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}
