#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

class TInstanceServer;

/// The invisible control window: it creates the application controller from inside the running
/// message loop and answers the messages of other processes of the program (through the instance
/// channel named after its caption). It is never shown.
///
/// States: created (controller not yet created) -> controller being created (holds the
/// controller) -> running (holds the main window; answers WM_HXQUIT with its process id).
class TfrmLaunch : public QWidget {
    Q_OBJECT
public:
    /// Creates and initializes the application controller; raises on failure. The controller
    /// posts a TMainWindowReadyEvent to the launch window once its main window exists. The
    /// launch window only keeps the result alive until then.
    using ApplicationFactory = std::function<std::shared_ptr<void>(TfrmLaunch& launchWindow)>;

    struct Options {
        ApplicationFactory createApplication;
        /// Started by the automation layer for a client: the client's request creates the
        /// controller, not the launch window.
        bool startedByAutomation = false;
        /// The instance channel's name; empty: InstanceServerName().
        QString serverName;
        /// Ends the message loop when the controller cannot be created; empty:
        /// TerminateApplication().
        std::function<void()> terminate;
    };

    explicit TfrmLaunch(Options options, QWidget* parent = nullptr);
    ~TfrmLaunch() override;

    /// The answer to a message of another process: WM_HXPING gives 1313137; WM_HXQUIT posts
    /// WM_HXQUIT to the main window and gives this process's id, or 0 while there is no main
    /// window yet (the request is then ignored); anything else gives 0.
    qint64 HandleInstanceMessage(int message);

    bool IsListening() const;
    bool HoldsController() const { return m_controller != nullptr; }
    QObject* MainWindow() const { return m_mainWindow; }

protected:
    bool event(QEvent* event) override;

private:
    void CreateApplication();

    Options m_options;
    std::shared_ptr<void> m_controller;
    QPointer<QObject> m_mainWindow;
    TInstanceServer* m_server;
};
