#pragma once

// One outermost save of the storage tree. Every file of the tree is written on its own, safely
// (temporary file, then replace), but a change that spans several files only holds once the
// parent that describes them is written too. So what a save did is committed per subtree: a
// storage whose write succeeded hands its commit actions (and those of its children) to the
// storage that saves it, and only the outermost storage's successful write runs them: then the
// written day lists and descriptions are marked saved and the files that no parent refers to any
// more are deleted. A storage whose write failed drops what its subtree would have committed: its
// parent keeps describing the files of that subtree as they are on disk, and the next save writes
// the subtree again. The files on disk always agree with the parent files on disk, and a failure
// in one subtree never holds back the others.

#include <QSet>
#include <functional>
#include <vector>

class TStorageSaveSession {
public:
    /// The session of the outermost save that is running, or nullptr.
    static TStorageSaveSession* Current();

    /// Starts the attempt of one storage to write its file (nested inside the attempt of the
    /// storage that saves it).
    void EnterStorage();
    /// Ends the attempt begun by the last EnterStorage. written: the storage's file holds what it
    /// should; then, unless something marked the attempt failed, its commit actions go to the
    /// enclosing attempt (at the outermost: they run at the pass's end). Returns whether the
    /// attempt succeeded; a failed attempt is remembered for owner until a later one succeeds.
    bool LeaveStorage(const void* owner, bool written);
    /// Marks the running attempt failed (its file is postponed: nothing of its subtree commits).
    void MarkFailed();
    /// Whether the running attempt was marked failed.
    bool CurrentFailed() const { return !m_frames.empty() && m_frames.back().failed; }
    /// Whether the last attempt of owner in this pass failed. Owners are complete objects
    /// (dynamic_cast<const void*>), so that any interface pointer of a storage finds it.
    bool Failed(const void* owner) const { return m_failed.contains(owner); }
    /// Whether an attempt of this pass failed and was not repeated successfully.
    bool HasFailures() const { return !m_failed.isEmpty(); }
    /// Runs when the running attempt commits, in the order of registration.
    void OnCommit(std::function<void()> action);

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
    /// Ends a pass: runs the commit actions of every subtree whose writes reached the outermost
    /// storage. Returns whether everything was written.
    bool EndPass();

private:
    struct TFrame {
        bool failed = false;
        std::vector<std::function<void()>> actions;
    };
    std::vector<TFrame> m_frames;
    std::vector<std::function<void()>> m_committed;
    QSet<const void*> m_failed;
};
