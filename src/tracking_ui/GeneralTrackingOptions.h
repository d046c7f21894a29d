#pragma once

// The "Tracking" options page: which tracker asks for the user's activities and the tracking
// manager's settings in section "tracking manager": "current tracker", "interval", "tracking
// granularity", "workstart" and "hotkey" (the key that opens the tracking window).
//
// What the page offers below the tracker list depends on how the chosen tracker asks: a tracker
// that asks at intervals gets the interval, the granularity, the work start and the hot key; one
// that asks at every update the same without the interval; one that never asks nothing. The two
// panels have their own controls; the values move along when the other panel is shown.

#include "addins/AddIn.h"
#include "tracking/TrackerInterfaces.h"
#include "ui/OptionsPages.h"

#include <array>
#include <memory>
#include <vector>

class IHXTrackingManagerLink;
class QComboBox;
class QStackedWidget;
class THotKeyEdit;
class TVRNIntegerEdit;
class TVRNTimeEdit;

class TfrmGeneralTrackingOptions : public TfrmOptionsPage {
    Q_OBJECT
public:
    /// The panels below the tracker list, by the chosen tracker's way of asking.
    enum class TPanel : int { Empty = 0, Interval = 1, EveryUpdate = 2 };

    /// manager: where the trackers come from (may be nullptr: no trackers).
    TfrmGeneralTrackingOptions(QWidget* parent, IHXOptionsControl_* control,
                               std::shared_ptr<IHXTrackingManagerLink> manager);

    /// Lists the trackers sorted by name and selects the stored one; for an identifier no tracker
    /// has, the tracker the manager uses now, so that merely applying the options changes nothing.
    void LoadPage() override;
    /// Refuses values outside their ranges and the tray menu's hot key; nothing to write without
    /// a selected tracker.
    bool SavePage() override;

    QComboBox* TrackerBox() const { return m_trackerBox; }
    /// The selected tracker (nullptr: none).
    TrackerAddInPtr SelectedTracker() const;
    TPanel ShownPanel() const { return m_shown; }
    TVRNIntegerEdit* IntervalEdit() const { return m_interval; }
    /// The controls of a panel with values (Interval or EveryUpdate).
    TVRNIntegerEdit* GranularityEdit(TPanel panel) const { return Controls(panel).granularity; }
    TVRNTimeEdit* WorkStartEdit(TPanel panel) const { return Controls(panel).workStart; }
    THotKeyEdit* HotKeyEdit(TPanel panel) const { return Controls(panel).hotKey; }

private:
    struct TPanelControls {
        QWidget* page = nullptr;
        TVRNIntegerEdit* granularity = nullptr;
        TVRNTimeEdit* workStart = nullptr;
        THotKeyEdit* hotKey = nullptr;
    };

    TPanelControls BuildPanel(bool withInterval);
    const TPanelControls& Controls(TPanel panel) const;
    /// The panel with values the user edits now: the shown one, else the one shown last.
    const TPanelControls& Current() const;
    void UserChanged();
    void ShowPanelForSelection();
    bool CheckValues();

    std::shared_ptr<IHXTrackingManagerLink> m_manager;
    /// The trackers in the order of the list's entries.
    std::vector<TrackerAddInPtr> m_trackers;
    QComboBox* m_trackerBox;
    QStackedWidget* m_stack;
    TVRNIntegerEdit* m_interval = nullptr;
    std::array<TPanelControls, 2> m_panels;
    TPanel m_shown = TPanel::Empty;
    TPanel m_lastWithValues = TPanel::Interval;
    bool m_loading = false;
};

/// The built-in add-in that brings the "Tracking" page (order 100), offered while the tracking
/// manager has a tracker. It cannot be switched off.
class TGeneralTrackingOptions : public TInternalAddIn {
public:
    static constexpr const char* ID = "{94625035-86EB-4433-B7E0-C7B37A228A81}";

    QString GetID() override;
    QString GetName() override;
    bool AllowDeactivate() override { return false; }
    void LaunchAddIn(const std::shared_ptr<IApplication_>& application) override;
};
