#pragma once

#include "foundation/GUID.h"

#include <QString>
#include <memory>
#include <vector>

class IApplication_;
struct TPlannedBreakValues;

/// How a tracker asks. The values are those trackers report through GetTrackingType.
enum class TTrackingType : int {
    /// The tracker never asks; the manager then has no tracking window.
    None = 0,
    /// Asks when the tracking interval has passed.
    Interval = 1,
    /// Asks on every update.
    EveryUpdate = 2,
};

/// The window of a tracker: it shows a period and lets the user explain it.
class IHXTrackingWindow_ {
public:
    IHXTrackingWindow_() = default;
    virtual ~IHXTrackingWindow_() = default;
    IHXTrackingWindow_(const IHXTrackingWindow_&) = delete;
    IHXTrackingWindow_& operator=(const IHXTrackingWindow_&) = delete;

    virtual bool IsVisible() = 0;
    /// The period to explain (date-times).
    virtual void SetPeriod(double from, double to) = 0;
    /// Sets the period and shows the window without blocking.
    virtual void ShowTracking(double from, double to) = 0;
    /// Sets the period and shows the window modally; returns when it has closed.
    virtual void ShowTrackingModal(double from, double to) = 0;
    /// Proposes a planned break for the shown period; nullptr withdraws an earlier proposal.
    virtual void SetPlannedBreak(const TPlannedBreakValues* plannedBreak) = 0;
    /// Closes the window: a modal one ends its loop with "cancel", a non-modal one is hidden.
    virtual void HideTracking() = 0;
    virtual void SetApplication(const std::shared_ptr<IApplication_>& application) = 0;
};
using TrackingWindowPtr = std::shared_ptr<IHXTrackingWindow_>;

/// An add-in that offers a tracking window. Trackers register themselves with the tracking
/// manager when they are launched.
class IHXTrackingWindowAddIn_ {
public:
    IHXTrackingWindowAddIn_() = default;
    virtual ~IHXTrackingWindowAddIn_() = default;
    IHXTrackingWindowAddIn_(const IHXTrackingWindowAddIn_&) = delete;
    IHXTrackingWindowAddIn_& operator=(const IHXTrackingWindowAddIn_&) = delete;

    /// The tracker's window, created on the first call; nullptr when the tracker has none.
    virtual TrackingWindowPtr CreateTrackingWindow() = 0;
    /// Destroys the window created before (safe when there is none).
    virtual void FreeTrackingWindow() = 0;
    /// The display name, translated.
    virtual QString GetName() = 0;
    /// The identifier, a GUID in braces.
    virtual QString GetID() = 0;
    virtual TTrackingType GetTrackingType() = 0;
    /// True when the tracker cannot show the final modal question itself; the manager then uses
    /// the regular tracker's window for it.
    virtual bool NeedsFallbackTracker() = 0;
};
using TrackerAddInPtr = std::shared_ptr<IHXTrackingWindowAddIn_>;

/// The interface identity of IHXTrackingWindowAddIn_.
inline const TGUID TrackingWindowAddInInterfaceID = TGUID::Constant("{314D65C0-1895-42B5-B64E-A400B4F2417D}");

/// The built-in trackers.
inline const QString RegularTrackerID = QStringLiteral("{46D37913-0103-4403-923B-38804993DB25}");
inline const QString RegularTrackerName = QStringLiteral("Regular Horalux");
inline const QString NoTrackingTrackerID = QStringLiteral("{0C946E4B-544F-46CF-A6F0-95EB58E00190}");
inline const QString NoTrackingTrackerName = QStringLiteral("No tracking");

/// The "No tracking" tracker: it never asks and has no window.
class TNoTrackingAddIn : public IHXTrackingWindowAddIn_ {
public:
    TrackingWindowPtr CreateTrackingWindow() override { return nullptr; }
    void FreeTrackingWindow() override {}
    /// The untranslated name; the add-in layer translates it for display.
    QString GetName() override { return NoTrackingTrackerName; }
    QString GetID() override { return NoTrackingTrackerID; }
    TTrackingType GetTrackingType() override { return TTrackingType::None; }
    bool NeedsFallbackTracker() override { return false; }
};

/// Whether two tracker identifiers name the same tracker (GUID texts compare without case).
bool SameTrackerID(const QString& a, const QString& b);

/// The tracker the tracking manager uses for the stored identifier wanted: the tracker with that
/// identifier; without one, the last registered tracker when it tracks, else the first registered
/// tracker that tracks; nullptr when none fits (or the list is empty).
TrackerAddInPtr ChooseTracker(const std::vector<TrackerAddInPtr>& trackers, const QString& wanted);
