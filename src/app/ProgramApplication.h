#pragma once

// The program's toolkit application object. An exception that escapes an event handler is the
// program's unexpected error: it is logged and shown in the unexpected-error box, and the program
// goes on (the toolkit itself cannot carry exceptions through its event loop).

#include <QApplication>
#include <functional>

class TProgramApplication : public QApplication {
public:
    TProgramApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};

/// Runs deliver; an exception it raises goes to the unexpected-error handling and the event counts
/// as not handled (false).
bool NotifyGuarded(const std::function<bool()>& deliver);
