#pragma once

#include "tracking/TrackingManager.h"

#include <QDateTime>
#include <QHash>
#include <QStringList>
#include <functional>
#include <map>
#include <optional>
#include <variant>

/// A tracking window that records what it was asked to do.
class FakeTrackingWindow : public IHXTrackingWindow_ {
public:
    struct TShown {
        double From = 0.0;
        double To = 0.0;
        bool Modal = false;
    };

    bool IsVisible() override { return m_visible; }
    void SetPeriod(double from, double to) override;
    void ShowTracking(double from, double to) override;
    void ShowTrackingModal(double from, double to) override;
    void SetPlannedBreak(const TPlannedBreakValues* plannedBreak) override;
    void HideTracking() override;
    void SetApplication(const std::shared_ptr<IApplication_>&) override {}

    /// Runs while the modal question is open (the window is visible meanwhile), standing in for the
    /// nested message loop.
    std::function<void()> DuringModal;
    /// When set, HideTracking raises.
    bool FailHide = false;

    std::vector<TShown> Shown;
    std::optional<double> PeriodFrom, PeriodTo;
    std::optional<TPlannedBreakValues> ProposedBreak;
    int HideCount = 0;
    bool m_visible = false;
};

/// A tracker add-in with a fake window.
class FakeTracker : public IHXTrackingWindowAddIn_ {
public:
    FakeTracker(QString id, TTrackingType type, bool needsFallback = false)
        : m_id(std::move(id)), m_type(type), m_needsFallback(needsFallback) {}

    TrackingWindowPtr CreateTrackingWindow() override;
    void FreeTrackingWindow() override;
    QString GetName() override { return m_id; }
    QString GetID() override { return m_id; }
    TTrackingType GetTrackingType() override { return m_type; }
    bool NeedsFallbackTracker() override { return m_needsFallback; }

    std::shared_ptr<FakeTrackingWindow> Window;
    int CreateCount = 0;
    int FreeCount = 0;

private:
    QString m_id;
    TTrackingType m_type;
    bool m_needsFallback;
};

/// The program around the manager: an options section in memory, entries kept per date, planned
/// breaks, the trackers and the window state.
class FakeTrackingHost : public ITrackingHost_ {
public:
    using TValue = std::variant<QString, qint64, double>;

    std::optional<QString> ReadStringOption(const QString& key) override;
    std::optional<qint64> ReadIntegerOption(const QString& key) override;
    std::optional<double> ReadDateTimeOption(const QString& key) override;
    void WriteStringOption(const QString& key, const QString& value) override { Options[key] = value; }
    void WriteDateTimeOption(const QString& key, double value) override { Options[key] = value; }

    void GetActivityEntries(double fromDate, double toDate, std::vector<TTrackingEntry>& entries) override;
    std::vector<TPlannedBreakValues> LoadPlannedBreaks() override;
    TrackerAddInPtr FindTracker(const QString& id) override;
    bool HasCurrentWindow() override { return CurrentWindow; }
    bool IsTrayMenuActive() override { return TrayMenuOpen; }
    bool CanShowWindow() override { return !CurrentWindow && !TrayMenuOpen; }
    void SaveAll() override { ++SaveCount; }

    /// Books [from, to] (date-times) to activity, split at midnight as the booker does.
    void Book(double from, double to, const TGUID& activity);

    std::map<QString, TValue> Options;
    std::vector<TTrackingEntry> Entries;
    /// When set, entries come from here instead of Entries (a real storage, for instance).
    std::function<void(double fromDate, double toDate, std::vector<TTrackingEntry>& entries)> ReadEntries;
    std::vector<TPlannedBreakValues> Breaks;
    std::vector<TrackerAddInPtr> Trackers;
    bool CurrentWindow = false;
    bool TrayMenuOpen = false;
    bool FailReads = false;
    int ReadCount = 0;
    int BreakLoadCount = 0;
    int SaveCount = 0;
};

/// Records the seven notifications in order, as short texts.
struct NotificationRecorder {
    void Connect(TTrackingManagerNotifications& notifications);
    int Count(const QString& name) const { return Counts.value(name); }
    void Add(const QString& name) {
        Events << name;
        ++Counts[name];
    }
    QStringList Events;
    QHash<QString, int> Counts;
    std::vector<double> NextTracking;
    std::vector<TTrackingEntry> Impossible;
    /// When set, the impossible handler moves the next notice to this value.
    std::optional<double> MoveNextNoticeTo;
};

/// A date-time from its parts (local time).
double DT(int year, int month, int day, int hour, int minute, int second = 0);
QDateTime QDT(int year, int month, int day, int hour, int minute, int second = 0);
