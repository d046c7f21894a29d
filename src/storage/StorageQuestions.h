#pragma once

// Where the storage asks the user after a failure, which answers each place offers and which
// answer stands when nobody answers (no handler, or the notification object collects). The
// program's message boxes sit behind IStorageQuestions, so that tests and the command-line tool
// answer without any window.

#include "storage/StorageNotifications.h"

#include <QStringList>
#include <memory>

/// The places that ask.
enum class TStorageQuestion {
    RootGetDayEntries,          ///< root: find or create the entry manager
    EntryManagerGetDayEntries,  ///< entry manager: find or create the day file
    DayFileGetDayEntries,       ///< day file: one day
    LoadDayOpenFile,            ///< reading a day for GetDayEntries: opening the file
    LoadDayEntries,             ///< reading a day for GetDayEntries: its entries
    SearchLoadDayOpenFile,      ///< reading a day for a search: opening the file
    SearchLoadDayEntries,       ///< reading a day for a search: its entries
    RootSearch,                 ///< root SearchEntries
    EntryManagerSearchList,     ///< entry manager SearchEntries: its list
    EntryManagerSearchDayFile,  ///< entry manager SearchEntries: one day file
    DayFileSearchEntryProvider, ///< day file SearchEntries: the entry provider
    RangeOfDates,               ///< range of dates with data (manager, day file)
    FileSave,                   ///< file Save
    ManagerUpdateContent,       ///< manager UpdateContent
};

/// One row of the answers table.
struct TStorageQuestionRow {
    TStorageQuestionKind kind;
    bool retry;
    bool cancel;
    /// Create New is offered only when the failure is a missing file.
    bool createNewIfFileNotFound;
    bool ignore;
    int defaultAnswer;
};

const TStorageQuestionRow& StorageQuestionRow(TStorageQuestion question);

/// The answers offered at that place for that failure.
TStorageAnswerSet StorageQuestionAnswers(TStorageQuestion question, bool fileNotFound);

/// Asks the question of that place through the notification object (nullptr: the default) and
/// returns the answer, which is always an offered answer or the row's default. A missing file
/// with Create New offered is asked at once even while the notification object collects.
int AskStorageQuestion(TStorageNotifications* notifications, TStorageQuestion question, const QString& message,
                       bool fileNotFound);

/// One question as the user sees it.
struct TStorageQuestionText {
    TStorageQuestionKind kind = TStorageQuestionKind::None;
    QString message;
    TStorageAnswerSet allowed;
    int defaultAnswer = StorageAnswer::Cancel;
};

/// Whoever answers the storage's questions: the program's message boxes, a test double, or the
/// command-line tool.
class IStorageQuestions {
public:
    IStorageQuestions() = default;
    virtual ~IStorageQuestions() = default;
    IStorageQuestions(const IStorageQuestions&) = delete;
    IStorageQuestions& operator=(const IStorageQuestions&) = delete;

    /// Returns the answer (one of question.allowed; anything else counts as the default).
    virtual int Ask(const TStorageQuestionText& question) = 0;
};

/// Routes the load-failed and save-failed notifications to questions.
void ConnectStorageQuestions(TStorageNotifications& notifications, std::shared_ptr<IStorageQuestions> questions);

/// For programs without a user to ask: cancels wherever cancelling is offered, else ignores, and
/// remembers every question so that the caller can report them and fail.
class TNonInteractiveStorageQuestions : public IStorageQuestions {
public:
    int Ask(const TStorageQuestionText& question) override;
    const QStringList& Messages() const { return m_messages; }
    bool Asked() const { return !m_messages.isEmpty(); }

private:
    QStringList m_messages;
};
