#pragma once

// One outermost save of the storage tree. Every file of the tree is written on its own, safely
// (temporary file, then replace), but a change that spans several files only holds once the
// parent that describes them is written too. So a save runs in passes, and a pass commits only
// when every write in it succeeded: only then are the written day lists and descriptions marked
// saved and the files that no parent refers to any more deleted. A pass that failed leaves all of
// it changed in memory, and the next save writes it again; the files on disk always agree with
// the parent files on disk.

#include <QSet>
#include <functional>
#include <vector>

class TStorageSaveSession {
public:
    /// The session of the outermost save that is running, or nullptr.
    static TStorageSaveSession* Current();

    /// Records that the attempt of owner failed in this pass (until a later attempt succeeds).
    void MarkFailed(const void* owner) { m_failed.insert(owner); }
    void MarkSucceeded(const void* owner) { m_failed.remove(owner); }
    /// Whether a write of this pass has failed and not been repeated successfully.
    bool HasFailures() const { return !m_failed.isEmpty(); }
    /// Runs when the pass commits, in the order of registration.
    void OnCommit(std::function<void()> action) { m_commitActions.push_back(std::move(action)); }

    /// Opens the session of an outermost save for its lifetime (a nested save finds it open).
    class TScope {
    public:
        TScope();
        ~TScope();
        TScope(const TScope&) = delete;
        TScope& operator=(const TScope&) = delete;
        bool IsOutermost() const { return m_own != nullptr; }
        TStorageSaveSession& Session() { return *Current(); }

    private:
        TStorageSaveSession* m_own = nullptr;
    };

    /// Starts a pass: forgets failures and actions of the previous one.
    void BeginPass();
    /// Ends a pass: without failures runs the commit actions and returns true; otherwise drops
    /// them and returns false.
    bool EndPass();

private:
    QSet<const void*> m_failed;
    std::vector<std::function<void()>> m_commitActions;
};
