#include "app/AddInWindows.h"

#include "addins/ApplicationInterface.h"
#include "foundation/VRNException.h"

#include <QPointer>
#include <QVariant>
#include <QWidget>
#include <map>

namespace {

const char* const AddInWindowProperty = "horaluxAddInWindow";

struct TAddInWindow {
    QPointer<QWidget> standIn;
    int entries = 0; ///< how often the number stands on the stack
};
std::map<std::int32_t, TAddInWindow>& AddInWindows() {
    static std::map<std::int32_t, TAddInWindow> windows;
    return windows;
}

} // namespace

void AddAddInWindow(IApplication_& application, std::int32_t number) {
    if (number <= 0)
        throw EVRNException(QStringLiteral("Global.AddCurrentWindow: %1 is not the number of a window").arg(number));
    TAddInWindow& window = AddInWindows()[number];
    if (!window.standIn) {
        window.standIn = new QWidget;
        window.standIn->setProperty(AddInWindowProperty, number);
    }
    try {
        application.AddCurrentWindow(window.standIn);
    } catch (...) {
        if (window.entries == 0) {
            delete window.standIn;
            AddInWindows().erase(number);
        }
        throw;
    }
    ++window.entries;
}

// Only the windows an add-in added leave through it: the program's own windows are not the
// add-in's to remove.
void RemoveAddInWindow(IApplication_& application, std::int32_t number) {
    const auto it = AddInWindows().find(number);
    if (it == AddInWindows().end())
        throw EVRNException(
            QStringLiteral("Global.RemoveCurrentWindow: window %1 was not added as a current window").arg(number));
    QWidget* standIn = it->second.standIn;
    application.RemoveCurrentWindow(standIn);
    if (--it->second.entries == 0) {
        AddInWindows().erase(it);
        delete standIn;
    }
}

std::int32_t CurrentWindowNumber(IApplication_& application) {
    QWidget* window = application.GetCurrentWindow();
    if (!window)
        return 0;
    if (const std::int32_t number = AddInWindowNumber(window))
        return number;
    return static_cast<std::int32_t>(window->winId());
}

std::int32_t AddInWindowNumber(const QWidget* window) {
    if (!window)
        return 0;
    const QVariant number = window->property(AddInWindowProperty);
    return number.isValid() ? number.toInt() : 0;
}
