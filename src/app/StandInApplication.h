#pragma once

// A minimal application controller and main window so that the program starts, runs and ends
// through the instance protocol. THXApplication and the tray window replace them; until then
// there is no data, so saving does nothing.

#include "app/ShutdownSequence.h"
#include "foundation/VRNTools.h"

#include <QWidget>
#include <functional>
#include <memory>

class TStandInMainWindow;

/// Stand-in for the application controller: creates the main window and tells the launch window.
class TStandInApplication : public IVRNCleanableObject, public std::enable_shared_from_this<TStandInApplication> {
public:
    TStandInApplication() = default;
    ~TStandInApplication() override;

    /// Creates the main window and posts WM_HXMAINWINDOWREADY to the launch window.
    void Initialize(QObject* launchWindow);
    /// Saves options, activities and work data; there are none yet.
    void SaveAll(bool atShutdown);
    /// Breaks the cycle with the main window, which is deleted once control returns to the loop.
    void Cleanup() override;

    TStandInMainWindow* MainWindow() const { return m_mainWindow; }

private:
    TStandInMainWindow* m_mainWindow = nullptr;
};

/// Stand-in for the main window: never shown; ends the program on a quit request of another
/// instance and on the normal close.
class TStandInMainWindow : public QWidget {
    Q_OBJECT
public:
    explicit TStandInMainWindow(std::shared_ptr<TStandInApplication> controller);
    ~TStandInMainWindow() override;

    /// WM_HXQUIT: the close steps without the last question, then the loop ends and the program
    /// logs "Program quit by other instance".
    void QuitByOtherInstance();
    /// The normal close (Exit, end of the session, SIGTERM): the close steps, then the loop ends.
    void CloseNormally();

    /// The close steps; each is guarded, so the save always runs.
    TCloseSteps CloseSteps();
    void DropController() { m_controller.reset(); }

protected:
    bool event(QEvent* event) override;

private:
    std::shared_ptr<TStandInApplication> m_controller;
    bool m_closing = false;
};
