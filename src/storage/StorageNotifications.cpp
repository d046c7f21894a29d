#include "storage/StorageNotifications.h"

#include "foundation/Log.h"

bool TStorageAnswerSet::Offers(int answer) const {
    switch (answer) {
    case StorageAnswer::Retry:
        return retry;
    case StorageAnswer::Ignore:
        return ignore;
    case StorageAnswer::CreateNew:
        return createNew;
    case StorageAnswer::Cancel:
        return cancel;
    default:
        return false;
    }
}

void TCollectingStorageNotifications::NotifySaveFailed(const QString& message, const TStorageAnswerSet& allowed,
                                                       int& result) {
    Notify(TStorageQuestionKind::Save, message, allowed, result);
}

void TCollectingStorageNotifications::NotifyLoadFailed(const QString& message, const TStorageAnswerSet& allowed,
                                                       int& result) {
    Notify(TStorageQuestionKind::Load, message, allowed, result);
}

void TCollectingStorageNotifications::NotifyDataChanged() {
    if (m_mode == ModeDirect && m_onDataChanged)
        m_onDataChanged();
}

const TStorageFailedHandler& TCollectingStorageNotifications::HandlerFor(TStorageQuestionKind kind) const {
    return kind == TStorageQuestionKind::Save ? m_onSaveFailed : m_onLoadFailed;
}

void TCollectingStorageNotifications::Notify(TStorageQuestionKind kind, const QString& message,
                                             const TStorageAnswerSet& allowed, int& result) {
    if (m_mode != ModeDirect) {
        // Only the first failure of an operation is asked when the operation ends; every failure
        // meanwhile takes its caller's default answer.
        if (m_pendingKind == TStorageQuestionKind::None) {
            m_pendingKind = kind;
            m_pendingMessage = message;
            m_pendingAllowed = allowed;
            m_pendingResult = result;
        }
        return;
    }
    const TStorageFailedHandler& handler = HandlerFor(kind);
    if (!handler)
        return;
    const QString prefix = kind == TStorageQuestionKind::Save
                               ? QStringLiteral("TCollectingStorageNotifications.DoOnSaveFailed: ")
                               : QStringLiteral("TCollectingStorageNotifications.DoOnLoadFailed: ");
    WriteLog(prefix + message);
    const int defaultAnswer = result;
    handler(message, allowed.retry, allowed.ignore, allowed.createNew, allowed.cancel, result);
    // A question that could not be shown, or an answer that was not offered, takes the default:
    // callers repeat their step on unexpected answers, which must never turn into an endless loop.
    if (!allowed.Offers(result))
        result = defaultAnswer;
    WriteLog(prefix + QStringLiteral("NotificationResult=") + QString::number(result));
}

bool TCollectingStorageNotifications::DeliverPending(QString& message, int& result) {
    if (m_pendingKind == TStorageQuestionKind::None || m_mode != ModeDirect)
        return false;
    const TStorageQuestionKind kind = m_pendingKind;
    const TStorageAnswerSet allowed = m_pendingAllowed;
    message = m_pendingMessage;
    result = m_pendingResult;
    ClearPending();
    const TStorageFailedHandler& handler = HandlerFor(kind);
    if (handler) {
        const int defaultAnswer = result;
        handler(message, allowed.retry, allowed.ignore, allowed.createNew, allowed.cancel, result);
        if (!allowed.Offers(result))
            result = defaultAnswer;
    }
    return true;
}

void TCollectingStorageNotifications::ClearPending() {
    m_pendingKind = TStorageQuestionKind::None;
    m_pendingMessage.clear();
    m_pendingAllowed = {};
    m_pendingResult = 0;
}

TStorageModeGuard::TStorageModeGuard(TStorageNotifications* notifications, int mode)
    : m_collecting(dynamic_cast<TCollectingStorageNotifications*>(notifications)) {
    if (m_collecting) {
        m_previous = m_collecting->Mode();
        m_collecting->SetMode(mode);
    }
}

TStorageModeGuard::~TStorageModeGuard() {
    if (m_collecting)
        m_collecting->SetMode(m_previous);
}
