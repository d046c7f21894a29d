#include "app/ProgramApplication.h"

#include "foundation/VRNException.h"
#include "ui/Action.h"

#include <stdexcept>

bool TProgramApplication::notify(QObject* receiver, QEvent* event) {
    return NotifyGuarded([&] { return QApplication::notify(receiver, event); });
}

bool NotifyGuarded(const std::function<bool()>& deliver) {
    try {
        return deliver();
    } catch (const EUserCancel&) {
        // A cancelled command ends without a message.
    } catch (const std::exception& e) {
        HandleUnexpectedError(e);
    } catch (...) {
        HandleUnexpectedError(std::runtime_error("unknown exception"));
    }
    return false;
}
