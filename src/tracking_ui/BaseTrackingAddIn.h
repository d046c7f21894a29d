#pragma once

// Trackers: add-ins that offer a tracking window to the tracking manager. The base creates the
// form the subclass names and registers the tracker when it is launched.

#include "addins/AddIn.h"
#include "tracking/TrackerInterfaces.h"

class ThxBaseTrackingWindow;

class TBaseTrackingAddIn : public TInternalAddIn, public IHXTrackingWindowAddIn_ {
public:
    ~TBaseTrackingAddIn() override;

    QString GetID() override = 0;
    QString GetName() override = 0;
    /// The form, created on the first call and given the application.
    TrackingWindowPtr CreateTrackingWindow() override;
    void FreeTrackingWindow() override;
    bool NeedsFallbackTracker() override { return true; }
    /// Registers the tracker with the tracking manager.
    void LaunchAddIn(const std::shared_ptr<IApplication_>& application) override;

    ThxBaseTrackingWindow* Window() const { return m_window; }

protected:
    /// A new form of the tracker's window class.
    virtual ThxBaseTrackingWindow* CreateForm() = 0;

private:
    ThxBaseTrackingWindow* m_window = nullptr;
    TrackingWindowPtr m_handle;
};

/// The regular tracker "Regular Horalux": the "Enter Activity" dialog, asking at intervals.
class TRegularTrackingAddIn : public TBaseTrackingAddIn {
public:
    QString GetID() override;
    QString GetName() override;
    bool AllowDeactivate() override { return false; }
    TTrackingType GetTrackingType() override { return TTrackingType::Interval; }
    bool NeedsFallbackTracker() override { return false; }

protected:
    ThxBaseTrackingWindow* CreateForm() override;
};
