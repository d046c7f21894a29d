#pragma once

// The failure notifications of the storage tree. Every storage of one tree shares one
// notification object; it turns a failure into a question to the user and, while a save or a
// search walks many files, collects the questions so that the user is asked once for the whole
// operation.

#include <QString>
#include <functional>

/// Answers to a failure question: the modal results of the program's message box.
namespace StorageAnswer {
constexpr int Cancel = 2;
constexpr int Retry = 4;
constexpr int Ignore = 5;
constexpr int CreateNew = 65537;
} // namespace StorageAnswer

/// The answers a question offers.
struct TStorageAnswerSet {
    bool retry = false;
    bool ignore = false;
    bool createNew = false;
    bool cancel = false;

    /// Whether the answer is one of those offered.
    bool Offers(int answer) const;
};

/// Handler of a failed load or save: message ("Class: message"), allow Retry, allow Ignore,
/// allow Create New, allow Cancel, and the result, preset by the caller to its default answer.
using TStorageFailedHandler = std::function<void(const QString& message, bool allowRetry, bool allowIgnore,
                                                 bool allowCreateNew, bool allowCancel, int& result)>;
using TStorageDataChangedHandler = std::function<void()>;

enum class TStorageQuestionKind { None, Load, Save };

/// The notification object: dispatches the three notifications by its mode.
class TStorageNotifications {
public:
    TStorageNotifications() = default;
    virtual ~TStorageNotifications() = default;
    TStorageNotifications(const TStorageNotifications&) = delete;
    TStorageNotifications& operator=(const TStorageNotifications&) = delete;

    /// A save failed. result holds the caller's default answer on entry and the answer on return;
    /// an answer that was not offered is replaced by the default, so callers only ever see one of
    /// the answers they offered (or their default).
    virtual void NotifySaveFailed(const QString& message, const TStorageAnswerSet& allowed, int& result) = 0;
    virtual void NotifyLoadFailed(const QString& message, const TStorageAnswerSet& allowed, int& result) = 0;
    virtual void NotifyDataChanged() = 0;
    virtual void SetOnSaveFailed(TStorageFailedHandler handler) = 0;
    virtual void SetOnLoadFailed(TStorageFailedHandler handler) = 0;
    virtual void SetOnDataChanged(TStorageDataChangedHandler handler) = 0;
};

/// The one notification object: direct mode asks the handlers, collecting mode records the first
/// question and leaves every caller with its default answer until the outermost operation
/// delivers the recorded question.
class TCollectingStorageNotifications : public TStorageNotifications {
public:
    static constexpr int ModeCollecting = 0;
    static constexpr int ModeDirect = 1;

    void NotifySaveFailed(const QString& message, const TStorageAnswerSet& allowed, int& result) override;
    void NotifyLoadFailed(const QString& message, const TStorageAnswerSet& allowed, int& result) override;
    void NotifyDataChanged() override;
    void SetOnSaveFailed(TStorageFailedHandler handler) override { m_onSaveFailed = std::move(handler); }
    void SetOnLoadFailed(TStorageFailedHandler handler) override { m_onLoadFailed = std::move(handler); }
    void SetOnDataChanged(TStorageDataChangedHandler handler) override { m_onDataChanged = std::move(handler); }

    int Mode() const { return m_mode; }
    void SetMode(int mode) { m_mode = mode; }
    /// In direct mode with a question pending: asks it (without log lines), clears it and returns
    /// true with the recorded message and the answer. Otherwise false.
    bool DeliverPending(QString& message, int& result);
    void ClearPending();
    bool HasPending() const { return m_pendingKind != TStorageQuestionKind::None; }

private:
    void Notify(TStorageQuestionKind kind, const QString& message, const TStorageAnswerSet& allowed, int& result);
    const TStorageFailedHandler& HandlerFor(TStorageQuestionKind kind) const;

    int m_mode = ModeDirect;
    TStorageFailedHandler m_onSaveFailed;
    TStorageFailedHandler m_onLoadFailed;
    TStorageDataChangedHandler m_onDataChanged;
    TStorageQuestionKind m_pendingKind = TStorageQuestionKind::None;
    QString m_pendingMessage;
    TStorageAnswerSet m_pendingAllowed;
    int m_pendingResult = 0;
};

/// Sets the notification object's mode for its lifetime and restores the previous mode on every
/// exit path. Does nothing for a notification object without modes.
class TStorageModeGuard {
public:
    TStorageModeGuard(TStorageNotifications* notifications, int mode);
    ~TStorageModeGuard();
    TStorageModeGuard(const TStorageModeGuard&) = delete;
    TStorageModeGuard& operator=(const TStorageModeGuard&) = delete;

    /// The mode found on entry (direct for a notification object without modes).
    int PreviousMode() const { return m_previous; }

private:
    TCollectingStorageNotifications* m_collecting = nullptr;
    int m_previous = TCollectingStorageNotifications::ModeDirect;
};
