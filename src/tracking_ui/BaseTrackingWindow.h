#pragma once

// The base of tracking windows: a form that shows a period for the user to explain, shown by the
// tracking manager without blocking or, once at program end, modally. Closing hides it (it is
// freed by its tracker) and asks the program for a tracking check.

#include "tracking/TrackerInterfaces.h"
#include "ui/BaseForm.h"

#include <QPointer>
#include <memory>

class IApplication_;

class ThxBaseTrackingWindow : public ThxBaseForm {
    Q_OBJECT
public:
    explicit ThxBaseTrackingWindow(QWidget* parent = nullptr);
    ~ThxBaseTrackingWindow() override;

    virtual void SetApplication(const std::shared_ptr<IApplication_>& application);
    virtual void SetPeriod(double from, double to);
    void ShowTracking(double from, double to);
    /// Shows the window modally as the application's current window; returns when it closed.
    void ShowTrackingModal(double from, double to);
    virtual void SetPlannedBreak(const TPlannedBreakValues* plannedBreak);
    /// A modal window ends its loop with "cancel", a non-modal one is hidden.
    void HideTracking();

    double PeriodFrom() const { return m_from; }
    double PeriodTo() const { return m_to; }
    bool IsModal() const { return m_modal; }
    /// The application, or none once it is gone.
    std::shared_ptr<IApplication_> Application() const { return m_application.lock(); }

protected:
    /// Every way of closing ends here (OK, Remind Later, Escape, the frame's close button).
    void done(int result) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    /// What a window does when it closes, before it is hidden.
    virtual void Closing() {}

private:
    std::weak_ptr<IApplication_> m_application;
    double m_from = 0;
    double m_to = 0;
    bool m_modal = false;
    bool m_registered = false;
};

/// The tracking window interface of a form, for the tracking manager. The form may be gone
/// (freed by its tracker): every call then does nothing.
class TTrackingWindowHandle : public IHXTrackingWindow_ {
public:
    explicit TTrackingWindowHandle(ThxBaseTrackingWindow* window) : m_window(window) {}
    bool IsVisible() override;
    void SetPeriod(double from, double to) override;
    void ShowTracking(double from, double to) override;
    void ShowTrackingModal(double from, double to) override;
    void SetPlannedBreak(const TPlannedBreakValues* plannedBreak) override;
    void HideTracking() override;
    void SetApplication(const std::shared_ptr<IApplication_>& application) override;

private:
    QPointer<ThxBaseTrackingWindow> m_window;
};

/// Brings a window to the front the way the desktop allows it: shown, raised and activated; a
/// desktop that refuses the focus to a program that was not clicked still shows it on top.
void BringToFront(QWidget* window);
