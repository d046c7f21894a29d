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

void TStorageSaveSession::EnterStorage() {
    m_frames.emplace_back();
}

bool TStorageSaveSession::LeaveStorage(const void* owner, bool written) {
    if (m_frames.empty())
        throw EMustNotHappen(QStringLiteral("TStorageSaveSession.LeaveStorage without EnterStorage"));
    TFrame frame = std::move(m_frames.back());
    m_frames.pop_back();
    const bool succeeded = written && !frame.failed;
    if (!succeeded) {
        m_failed.insert(owner);
        return false;
    }
    m_failed.remove(owner);
    std::vector<std::function<void()>>& target = m_frames.empty() ? m_committed : m_frames.back().actions;
    for (auto& action : frame.actions)
        target.push_back(std::move(action));
    return true;
}

void TStorageSaveSession::MarkFailed() {
    if (!m_frames.empty())
        m_frames.back().failed = true;
}

void TStorageSaveSession::OnCommit(std::function<void()> action) {
    if (m_frames.empty())
        m_committed.push_back(std::move(action));
    else
        m_frames.back().actions.push_back(std::move(action));
}

void TStorageSaveSession::BeginPass() {
    m_failed.clear();
    m_frames.clear();
    m_committed.clear();
}

bool TStorageSaveSession::EndPass() {
    std::vector<std::function<void()>> actions = std::move(m_committed);
    m_committed.clear();
    for (const auto& action : actions) {
        try {
            action();
        } catch (const std::exception& e) {
            // What is left over (a file that could not be deleted) is harmless: nothing refers to it.
            LogException(QStringLiteral("TStorageSaveSession.Commit"), e);
        }
    }
    return !HasFailures();
}
