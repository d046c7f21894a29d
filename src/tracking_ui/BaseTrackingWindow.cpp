#include "tracking_ui/BaseTrackingWindow.h"

#include "addins/ApplicationInterface.h"

#include <QApplication>
#include <QCloseEvent>

ThxBaseTrackingWindow::ThxBaseTrackingWindow(QWidget* parent) : ThxBaseForm(parent) {}

ThxBaseTrackingWindow::~ThxBaseTrackingWindow() {
    if (m_registered)
        if (const auto application = Application())
            application->RemoveCurrentWindow(this);
}

void ThxBaseTrackingWindow::SetApplication(const std::shared_ptr<IApplication_>& application) {
    m_application = application;
}

void ThxBaseTrackingWindow::SetPeriod(double from, double to) {
    m_from = from;
    m_to = to;
}

void ThxBaseTrackingWindow::ShowTracking(double from, double to) {
    SetPeriod(from, to);
    BringToFront(this);
}

void ThxBaseTrackingWindow::ShowTrackingModal(double from, double to) {
    m_modal = true;
    SetPeriod(from, to);
    struct Reset {
        ThxBaseTrackingWindow* window;
        ~Reset() { window->m_modal = false; }
    } reset{this};
    const auto application = Application();
    if (!application) {
        exec();
        return;
    }
    ExecAsCurrentWindow(
        *this, [application](QWidget* w) { application->AddCurrentWindow(w); },
        [application](QWidget* w) { application->RemoveCurrentWindow(w); });
}

void ThxBaseTrackingWindow::SetPlannedBreak(const TPlannedBreakValues*) {}

void ThxBaseTrackingWindow::HideTracking() {
    if (isVisible())
        reject();
}

void ThxBaseTrackingWindow::done(int result) {
    Closing();
    ThxBaseForm::done(result);
    if (const auto application = Application())
        application->RequestTrackingCheck();
}

void ThxBaseTrackingWindow::closeEvent(QCloseEvent* event) {
    // The frame's close button takes the path of Cancel, so that the window only hides.
    event->ignore();
    reject();
}

void ThxBaseTrackingWindow::showEvent(QShowEvent* event) {
    ThxBaseForm::showEvent(event);
    // Shown without blocking: a current window of the application while it is visible.
    if (!m_modal && !m_registered)
        if (const auto application = Application()) {
            application->AddCurrentWindow(this);
            m_registered = true;
        }
}

void ThxBaseTrackingWindow::hideEvent(QHideEvent* event) {
    ThxBaseForm::hideEvent(event);
    // On top only while it waits for an answer (see BringToFront).
    if (windowFlags() & Qt::WindowStaysOnTopHint)
        setWindowFlag(Qt::WindowStaysOnTopHint, false);
    if (m_registered) {
        m_registered = false;
        if (const auto application = Application())
            application->RemoveCurrentWindow(this);
    }
}

bool TTrackingWindowHandle::IsVisible() {
    return m_window && m_window->isVisible();
}

void TTrackingWindowHandle::SetPeriod(double from, double to) {
    if (m_window)
        m_window->SetPeriod(from, to);
}

void TTrackingWindowHandle::ShowTracking(double from, double to) {
    if (m_window)
        m_window->ShowTracking(from, to);
}

void TTrackingWindowHandle::ShowTrackingModal(double from, double to) {
    if (m_window)
        m_window->ShowTrackingModal(from, to);
}

void TTrackingWindowHandle::SetPlannedBreak(const TPlannedBreakValues* plannedBreak) {
    if (m_window)
        m_window->SetPlannedBreak(plannedBreak);
}

void TTrackingWindowHandle::HideTracking() {
    if (m_window)
        m_window->HideTracking();
}

void TTrackingWindowHandle::SetApplication(const std::shared_ptr<IApplication_>& application) {
    if (m_window)
        m_window->SetApplication(application);
}

void BringToFront(QWidget* window) {
    window->show();
    window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window->raise();
    window->activateWindow();
    // A window manager that keeps the focus where it is (focus-stealing prevention) still shows
    // the window above the others.
    if (QApplication::activeWindow() != window && !window->testAttribute(Qt::WA_DontShowOnScreen)) {
        window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        window->show();
    }
}
