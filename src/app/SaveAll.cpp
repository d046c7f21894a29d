#include "app/SaveAll.h"

#include "foundation/Log.h"
#include "foundation/Translation.h"
#include "foundation/VRNException.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QGuiApplication>
#include <optional>
#include <stdexcept>

namespace {

/// The busy cursor for the lifetime of the object (nestable: the cursor of the level below comes
/// back).
class TBusyCursor {
public:
    TBusyCursor() : m_active(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        if (m_active)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~TBusyCursor() {
        if (m_active)
            QGuiApplication::restoreOverrideCursor();
    }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;

private:
    bool m_active;
};

/// Runs the step; the failure's text, or nothing on success.
std::optional<QString> TryStep(const TSaveStep& step) {
    try {
        step.run();
        return std::nullopt;
    } catch (const std::exception& e) {
        LogException(QStringLiteral("THXApplication.SaveAll"), e);
        return ExceptionToText(e);
    } catch (...) {
        return QStringLiteral("unknown error");
    }
}

} // namespace

bool RunSaveSteps(const std::vector<TSaveStep>& steps, bool atShutdown, QWidget* owner) {
    try {
        TBusyCursor busy;
        std::vector<const TSaveStep*> failed;
        for (const TSaveStep& step : steps)
            if (step.run && TryStep(step))
                failed.push_back(&step);

        bool allSaved = true;
        const unsigned buttons = MessageBoxButton::Retry | MessageBoxButton::Details |
                                 (atShutdown ? MessageBoxButton::Ignore : MessageBoxButton::SaveLater);
        for (const TSaveStep* step : failed) {
            for (;;) {
                const std::optional<QString> failure = TryStep(*step);
                if (!failure)
                    break;
                const char* text = step->failureText ? step->failureText : TrNoop("There was an unexpected error.");
                const int answer = ShowMessageBox(owner, QStringLiteral("Varnelo Horalux"), Tr(text), *failure,
                                                  MessageBoxKind::Error, buttons);
                if (answer != MessageBoxResult::Retry) {
                    allSaved = false;
                    break;
                }
            }
        }
        return allSaved;
    } catch (const std::exception& e) {
        LogException(QStringLiteral("THXApplication.SaveAll"), e);
        return false;
    }
}
