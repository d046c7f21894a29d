#pragma once

// The stack of current windows: the windows the program shows to the user, most recent on top.
// While it is not empty the tracking manager does not open its window and the global hotkeys are
// off.

#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

class TCurrentWindowStack {
public:
    /// Called after every change (the controller updates the taskbar button and the hotkeys).
    explicit TCurrentWindowStack(std::function<void()> changed = {}) : m_changed(std::move(changed)) {}

    /// Pushes window on top.
    void Add(QWidget* window);
    /// Removes window from the stack (its most recent entry). Windows normally leave in the reverse
    /// order of arrival, but a window that closes out of order must not take another, still open
    /// window's place with it. A window that is not on the stack (or an empty stack) changes
    /// nothing.
    void Remove(QWidget* window);
    /// The top window; entries of windows that no longer exist are dropped on the way.
    QWidget* Current();
    /// Whether any entry is on the stack (dead entries included until Current drops them).
    bool HasCurrent() const { return !m_windows.empty(); }
    int Count() const { return static_cast<int>(m_windows.size()); }

private:
    void Changed();

    std::vector<QPointer<QWidget>> m_windows;
    std::function<void()> m_changed;
};
