#include "app/ShutdownSequence.h"

#include "foundation/Log.h"
#include "foundation/VRNException.h"

#include <stdexcept>

TShutdownSequence& TShutdownSequence::Add(QString step, std::function<void()> action) {
    m_steps.push_back({std::move(step), std::move(action)});
    return *this;
}

QStringList TShutdownSequence::Run() const {
    QStringList failed;
    for (const Step& step : m_steps) {
        if (!step.action)
            continue;
        try {
            step.action();
        } catch (const std::exception& e) {
            LogException(m_context + QStringLiteral(": ") + step.name, e);
            failed << step.name;
        } catch (...) {
            LogException(m_context + QStringLiteral(": ") + step.name, std::runtime_error("unknown exception"));
            failed << step.name;
        }
    }
    return failed;
}

QStringList TShutdownSequence::StepNames() const {
    QStringList names;
    for (const Step& step : m_steps)
        names << step.name;
    return names;
}

TShutdownSequence MakeCloseSequence(const QString& context, const TCloseSteps& steps, bool withFinalQuestion) {
    TShutdownSequence sequence(context);
    sequence.Add(QStringLiteral("UnregisterHotkeys"), steps.unregisterHotkeys)
        .Add(QStringLiteral("HideTrayIcon"), steps.hideTrayIcon);
    if (withFinalQuestion)
        sequence.Add(QStringLiteral("FinishTracking"), steps.finishTracking);
    sequence.Add(QStringLiteral("DisableRegularTimer"), steps.disableRegularTimer)
        .Add(QStringLiteral("SaveAll"), steps.saveAll)
        .Add(QStringLiteral("ReleaseController"), steps.releaseController)
        .Add(QStringLiteral("ReleaseSingleInstance"), steps.releaseSingleInstance);
    return sequence;
}
