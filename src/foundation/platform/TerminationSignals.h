#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

/// Turns SIGTERM and SIGINT (the session ending, kill, Ctrl+C) into a call on the main thread, so
/// that they run the program's normal close instead of killing it. One instance per process.
class TTerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TTerminationSignals(std::function<void(int signal)> onSignal, QObject* parent = nullptr);
    ~TTerminationSignals() override;

    bool IsInstalled() const { return m_notifier != nullptr; }

private:
    void OnReadable();

    std::function<void(int)> m_onSignal;
    QSocketNotifier* m_notifier = nullptr;
};
