#include "app/CurrentWindows.h"

#include "foundation/Log.h"

void TCurrentWindowStack::Add(QWidget* window) {
    m_windows.emplace_back(window);
    Changed();
}

void TCurrentWindowStack::Remove(QWidget* window) {
    for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it) {
        if (it->data() == window) {
            m_windows.erase(std::next(it).base());
            Changed();
            return;
        }
    }
    if (window != nullptr)
        WriteLog(QStringLiteral("THXApplication.RemoveCurrentWindow: window not on the stack"));
}

QWidget* TCurrentWindowStack::Current() {
    bool dropped = false;
    while (!m_windows.empty() && m_windows.back().isNull()) {
        m_windows.pop_back();
        dropped = true;
    }
    if (dropped)
        Changed();
    return m_windows.empty() ? nullptr : m_windows.back().data();
}

void TCurrentWindowStack::Changed() {
    if (m_changed)
        m_changed();
}
