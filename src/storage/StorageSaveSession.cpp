#include "storage/StorageSaveSession.h"

#include "foundation/Log.h"
#include "foundation/VRNException.h"

namespace {
// Main thread only, like the whole storage.
TStorageSaveSession* g_current = nullptr;
} // namespace

TStorageSaveSession* TStorageSaveSession::Current() {
    return g_current;
}

TStorageSaveSession::TScope::TScope() {
    if (!g_current) {
        m_own = new TStorageSaveSession;
        g_current = m_own;
    }
}

TStorageSaveSession::TScope::~TScope() {
    if (m_own) {
        g_current = nullptr;
        delete m_own;
    }
}

void TStorageSaveSession::BeginPass() {
    m_failed.clear();
    m_commitActions.clear();
}

bool TStorageSaveSession::EndPass() {
    std::vector<std::function<void()>> actions = std::move(m_commitActions);
    m_commitActions.clear();
    if (HasFailures())
        return false;
    for (const auto& action : actions) {
        try {
            action();
        } catch (const std::exception& e) {
            // What is left over (a file that could not be deleted) is harmless: nothing refers to it.
            LogException(QStringLiteral("TStorageSaveSession.Commit"), e);
        }
    }
    return true;
}
