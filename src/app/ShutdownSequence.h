#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

/// The steps of an orderly end, run one after the other. Every step is guarded: a step that
/// raises is logged ("<context>: <step>: <class> - "<message>"") and the next step still runs, so
/// that a failure early on (a hotkey that cannot be unregistered, say) never skips saving the
/// user's data.
class TShutdownSequence {
public:
    explicit TShutdownSequence(QString context) : m_context(std::move(context)) {}

    TShutdownSequence& Add(QString step, std::function<void()> action);
    /// Runs every step in order; returns the names of the steps that raised.
    QStringList Run() const;
    QStringList StepNames() const;

private:
    struct Step {
        QString name;
        std::function<void()> action;
    };
    QString m_context;
    std::vector<Step> m_steps;
};

/// What the main window does when it closes. Empty functions are skipped.
struct TCloseSteps {
    std::function<void()> unregisterHotkeys;
    std::function<void()> hideTrayIcon;
    std::function<void()> finishTracking; ///< the last question of the day; not on a quit request
    std::function<void()> disableRegularTimer;
    std::function<void()> saveAll;
    std::function<void()> releaseController;
    std::function<void()> releaseSingleInstance;
};

/// The close sequence of the main window: hotkeys, tray icon, (last question), timer, save,
/// controller, single-instance lock. withFinalQuestion is false when another instance asked the
/// program to quit.
TShutdownSequence MakeCloseSequence(const QString& context, const TCloseSteps& steps, bool withFinalQuestion);
