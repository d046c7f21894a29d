#include "storage/StorageQuestions.h"

namespace {

using Q = TStorageQuestion;
constexpr TStorageQuestionKind Load = TStorageQuestionKind::Load;
constexpr TStorageQuestionKind Save = TStorageQuestionKind::Save;
constexpr int Cancel = StorageAnswer::Cancel;
constexpr int Ignore = StorageAnswer::Ignore;

struct TRowEntry {
    TStorageQuestion question;
    TStorageQuestionRow row;
};

//                                           kind  retry  cancel create ignore default
constexpr TRowEntry kRows[] = {
    {Q::RootGetDayEntries, {Load, true, true, false, false, Cancel}},
    {Q::EntryManagerGetDayEntries, {Load, true, true, true, false, Cancel}},
    {Q::DayFileGetDayEntries, {Load, true, true, false, true, Cancel}},
    {Q::LoadDayOpenFile, {Load, true, true, true, true, Cancel}},
    {Q::LoadDayEntries, {Load, true, true, false, true, Cancel}},
    {Q::SearchLoadDayOpenFile, {Load, true, false, true, true, Ignore}},
    {Q::SearchLoadDayEntries, {Load, true, false, false, true, Ignore}},
    {Q::RootSearch, {Load, true, false, false, true, Ignore}},
    {Q::EntryManagerSearchList, {Load, true, false, true, true, Ignore}},
    {Q::EntryManagerSearchDayFile, {Load, true, false, false, true, Ignore}},
    {Q::DayFileSearchEntryProvider, {Load, true, false, false, true, Ignore}},
    {Q::RangeOfDates, {Load, true, true, true, true, Cancel}},
    {Q::FileSave, {Save, true, true, true, true, Cancel}},
    {Q::ManagerUpdateContent, {Save, true, true, false, true, Cancel}},
};

} // namespace

const TStorageQuestionRow& StorageQuestionRow(TStorageQuestion question) {
    for (const TRowEntry& entry : kRows)
        if (entry.question == question)
            return entry.row;
    return kRows[0].row; // every enumerator has a row
}

TStorageAnswerSet StorageQuestionAnswers(TStorageQuestion question, bool fileNotFound) {
    const TStorageQuestionRow& row = StorageQuestionRow(question);
    TStorageAnswerSet allowed;
    allowed.retry = row.retry;
    allowed.cancel = row.cancel;
    allowed.ignore = row.ignore;
    allowed.createNew = row.createNewIfFileNotFound && fileNotFound;
    return allowed;
}

int AskStorageQuestion(TStorageNotifications* notifications, TStorageQuestion question, const QString& message,
                       bool fileNotFound) {
    const TStorageQuestionRow& row = StorageQuestionRow(question);
    int result = row.defaultAnswer;
    if (!notifications)
        return result;
    const TStorageAnswerSet allowed = StorageQuestionAnswers(question, fileNotFound);
    // A missing file is asked about at once, so that Create New can be chosen; collecting would
    // leave it with the default answer.
    const bool direct = allowed.createNew;
    TStorageModeGuard guard(direct ? notifications : nullptr, TCollectingStorageNotifications::ModeDirect);
    if (row.kind == TStorageQuestionKind::Save)
        notifications->NotifySaveFailed(message, allowed, result);
    else
        notifications->NotifyLoadFailed(message, allowed, result);
    if (!allowed.Offers(result))
        result = row.defaultAnswer;
    return result;
}

void ConnectStorageQuestions(TStorageNotifications& notifications, std::shared_ptr<IStorageQuestions> questions) {
    auto handlerFor = [questions](TStorageQuestionKind kind) {
        return [questions, kind](const QString& message, bool allowRetry, bool allowIgnore, bool allowCreateNew,
                                 bool allowCancel, int& result) {
            TStorageQuestionText text;
            text.kind = kind;
            text.message = message;
            text.allowed = {allowRetry, allowIgnore, allowCreateNew, allowCancel};
            text.defaultAnswer = result;
            const int answer = questions->Ask(text);
            result = text.allowed.Offers(answer) ? answer : text.defaultAnswer;
        };
    };
    notifications.SetOnLoadFailed(handlerFor(TStorageQuestionKind::Load));
    notifications.SetOnSaveFailed(handlerFor(TStorageQuestionKind::Save));
}

int TNonInteractiveStorageQuestions::Ask(const TStorageQuestionText& question) {
    if (!m_messages.contains(question.message))
        m_messages.append(question.message);
    if (question.allowed.cancel)
        return StorageAnswer::Cancel;
    if (question.allowed.ignore)
        return StorageAnswer::Ignore;
    return question.defaultAnswer;
}
