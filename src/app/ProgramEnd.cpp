#include "app/ProgramEnd.h"

#include <QCoreApplication>
#include <QMetaObject>

TProgramEnd& ProgramEndReason() {
    static TProgramEnd reason = TProgramEnd::Normal;
    return reason;
}

int& ProgramExitCode() {
    static int code = 0;
    return code;
}

namespace {
std::function<void()>& TerminateHandler() {
    static std::function<void()> handler;
    return handler;
}
} // namespace

void SetTerminateApplicationHandler(std::function<void()> handler) {
    TerminateHandler() = std::move(handler);
}

void TerminateApplication() {
    if (TerminateHandler()) {
        TerminateHandler()();
        return;
    }
    // Queued, so that a request made before the loop runs (or from inside a nested loop such as a
    // modal box) still ends the main loop.
    if (auto* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(
            app, [] { QCoreApplication::exit(ProgramExitCode()); }, Qt::QueuedConnection);
}
