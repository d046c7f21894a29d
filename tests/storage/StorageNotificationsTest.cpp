#include "storage/StorageNotifications.h"
#include "storage/StorageQuestions.h"

#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace {

struct TAskedQuestion {
    QString message;
    TStorageAnswerSet allowed;
    int preset = 0;
};

/// Records what the handler was asked and answers from a script.
class TRecordingHandler {
public:
    explicit TRecordingHandler(std::vector<int> answers) : m_answers(std::move(answers)) {}

    TStorageFailedHandler Handler() {
        return [this](const QString& message, bool retry, bool ignore, bool createNew, bool cancel, int& result) {
            asked.push_back({message, {retry, ignore, createNew, cancel}, result});
            if (m_next < m_answers.size())
                result = m_answers[m_next++];
        };
    }
    std::vector<TAskedQuestion> asked;

private:
    std::vector<int> m_answers;
    size_t m_next = 0;
};

TEST(StorageNotificationsTest, DirectModeAsksTheHandlerOfTheKind) {
    TCollectingStorageNotifications notifications;
    TRecordingHandler load({StorageAnswer::Retry});
    TRecordingHandler save({StorageAnswer::Ignore});
    notifications.SetOnLoadFailed(load.Handler());
    notifications.SetOnSaveFailed(save.Handler());

    int result = StorageAnswer::Cancel;
    notifications.NotifyLoadFailed(QStringLiteral("E: load"), {true, false, false, true}, result);
    EXPECT_EQ(result, StorageAnswer::Retry);
    result = StorageAnswer::Cancel;
    notifications.NotifySaveFailed(QStringLiteral("E: save"), {true, true, false, true}, result);
    EXPECT_EQ(result, StorageAnswer::Ignore);

    ASSERT_EQ(load.asked.size(), 1u);
    EXPECT_EQ(load.asked[0].message, QStringLiteral("E: load"));
    EXPECT_EQ(load.asked[0].preset, StorageAnswer::Cancel);
    ASSERT_EQ(save.asked.size(), 1u);
}

TEST(StorageNotificationsTest, AnswersNotOfferedFallBackToTheDefault) {
    // Retry is not offered, 0 is what a message box that could not be shown returns, 1 is "OK".
    for (int answer : {StorageAnswer::Retry, 0, 1, -1, StorageAnswer::CreateNew}) {
        TCollectingStorageNotifications notifications;
        TRecordingHandler handler({answer});
        notifications.SetOnLoadFailed(handler.Handler());
        int result = StorageAnswer::Ignore;
        notifications.NotifyLoadFailed(QStringLiteral("E: x"), {false, true, false, true}, result);
        EXPECT_EQ(result, StorageAnswer::Ignore) << answer;
    }
}

TEST(StorageNotificationsTest, WithoutHandlersTheDefaultStands) {
    TCollectingStorageNotifications notifications;
    int result = StorageAnswer::Cancel;
    notifications.NotifySaveFailed(QStringLiteral("E: x"), {true, true, false, true}, result);
    EXPECT_EQ(result, StorageAnswer::Cancel);
    notifications.NotifyDataChanged(); // no handler: nothing happens
}

TEST(StorageNotificationsTest, CollectingRecordsTheFirstQuestionAndDeliversItOnce) {
    TCollectingStorageNotifications notifications;
    TRecordingHandler save({StorageAnswer::Retry});
    int changed = 0;
    notifications.SetOnSaveFailed(save.Handler());
    notifications.SetOnDataChanged([&] { ++changed; });

    notifications.SetMode(TCollectingStorageNotifications::ModeCollecting);
    int first = StorageAnswer::Cancel;
    notifications.NotifySaveFailed(QStringLiteral("E: first"), {true, true, false, true}, first);
    int second = StorageAnswer::Cancel;
    notifications.NotifySaveFailed(QStringLiteral("E: second"), {true, true, false, true}, second);
    notifications.NotifyDataChanged();
    EXPECT_EQ(first, StorageAnswer::Cancel);
    EXPECT_EQ(second, StorageAnswer::Cancel);
    EXPECT_TRUE(save.asked.empty());
    EXPECT_EQ(changed, 0);

    QString message;
    int result = 0;
    EXPECT_FALSE(notifications.DeliverPending(message, result)) << "nothing is delivered while collecting";
    notifications.SetMode(TCollectingStorageNotifications::ModeDirect);
    ASSERT_TRUE(notifications.DeliverPending(message, result));
    EXPECT_EQ(message, QStringLiteral("E: first"));
    EXPECT_EQ(result, StorageAnswer::Retry);
    ASSERT_EQ(save.asked.size(), 1u);
    EXPECT_FALSE(notifications.DeliverPending(message, result));
}

TEST(StorageNotificationsTest, ModeGuardRestoresTheModeOnEveryExit) {
    TCollectingStorageNotifications notifications;
    try {
        TStorageModeGuard guard(&notifications, TCollectingStorageNotifications::ModeCollecting);
        EXPECT_EQ(guard.PreviousMode(), TCollectingStorageNotifications::ModeDirect);
        EXPECT_EQ(notifications.Mode(), TCollectingStorageNotifications::ModeCollecting);
        throw 1;
    } catch (int) {
    }
    EXPECT_EQ(notifications.Mode(), TCollectingStorageNotifications::ModeDirect);
}

TEST(StorageQuestionsTest, RowsOfferTheirAnswersAndCreateNewOnlyForMissingFiles) {
    struct TCase {
        TStorageQuestion question;
        bool fileNotFound;
        TStorageAnswerSet expected; // retry, ignore, createNew, cancel
        int defaultAnswer;
    };
    const TCase cases[] = {
        {TStorageQuestion::RootGetDayEntries, true, {true, false, false, true}, StorageAnswer::Cancel},
        {TStorageQuestion::EntryManagerGetDayEntries, true, {true, false, true, true}, StorageAnswer::Cancel},
        {TStorageQuestion::EntryManagerGetDayEntries, false, {true, false, false, true}, StorageAnswer::Cancel},
        {TStorageQuestion::DayFileGetDayEntries, false, {true, true, false, true}, StorageAnswer::Cancel},
        {TStorageQuestion::LoadDayOpenFile, true, {true, true, true, true}, StorageAnswer::Cancel},
        {TStorageQuestion::LoadDayEntries, true, {true, true, false, true}, StorageAnswer::Cancel},
        {TStorageQuestion::SearchLoadDayOpenFile, true, {true, true, true, false}, StorageAnswer::Ignore},
        {TStorageQuestion::SearchLoadDayOpenFile, false, {true, true, false, false}, StorageAnswer::Ignore},
        {TStorageQuestion::SearchLoadDayEntries, true, {true, true, false, false}, StorageAnswer::Ignore},
        {TStorageQuestion::RootSearch, false, {true, true, false, false}, StorageAnswer::Ignore},
        {TStorageQuestion::EntryManagerSearchList, true, {true, true, true, false}, StorageAnswer::Ignore},
        {TStorageQuestion::EntryManagerSearchList, false, {true, true, false, false}, StorageAnswer::Ignore},
        {TStorageQuestion::EntryManagerSearchDayFile, true, {true, true, false, false}, StorageAnswer::Ignore},
        {TStorageQuestion::DayFileSearchEntryProvider, true, {true, true, false, false}, StorageAnswer::Ignore},
        {TStorageQuestion::RangeOfDates, true, {true, true, true, true}, StorageAnswer::Cancel},
        {TStorageQuestion::FileSave, false, {true, true, false, true}, StorageAnswer::Cancel},
        {TStorageQuestion::ManagerUpdateContent, true, {true, true, false, true}, StorageAnswer::Cancel},
    };
    std::set<int> pinned;
    for (const TCase& c : cases) {
        pinned.insert(int(c.question));
        const TStorageAnswerSet got = StorageQuestionAnswers(c.question, c.fileNotFound);
        EXPECT_EQ(got.retry, c.expected.retry) << int(c.question);
        EXPECT_EQ(got.ignore, c.expected.ignore) << int(c.question);
        EXPECT_EQ(got.createNew, c.expected.createNew) << int(c.question);
        EXPECT_EQ(got.cancel, c.expected.cancel) << int(c.question);
        EXPECT_EQ(StorageQuestionRow(c.question).defaultAnswer, c.defaultAnswer) << int(c.question);
        // Only the two writing operations ask through the save notifier.
        const bool save =
            c.question == TStorageQuestion::FileSave || c.question == TStorageQuestion::ManagerUpdateContent;
        EXPECT_EQ(StorageQuestionRow(c.question).kind, save ? TStorageQuestionKind::Save : TStorageQuestionKind::Load)
            << int(c.question);
        EXPECT_EQ(AskStorageQuestion(nullptr, c.question, QStringLiteral("E: x"), c.fileNotFound), c.defaultAnswer);
    }
    EXPECT_EQ(pinned.size(), std::size_t(int(TStorageQuestion::ManagerUpdateContent) + 1)) << "every row is pinned";
}

TEST(StorageQuestionsTest, MissingFileIsAskedAtOnceWhileCollecting) {
    TCollectingStorageNotifications notifications;
    TRecordingHandler load({StorageAnswer::CreateNew, StorageAnswer::Retry});
    notifications.SetOnLoadFailed(load.Handler());
    notifications.SetMode(TCollectingStorageNotifications::ModeCollecting);

    EXPECT_EQ(
        AskStorageQuestion(&notifications, TStorageQuestion::SearchLoadDayOpenFile, QStringLiteral("E: gone"), true),
        StorageAnswer::CreateNew);
    EXPECT_EQ(notifications.Mode(), TCollectingStorageNotifications::ModeCollecting);
    EXPECT_FALSE(notifications.HasPending());
    // Any other failure only gets recorded and takes the default.
    EXPECT_EQ(
        AskStorageQuestion(&notifications, TStorageQuestion::SearchLoadDayOpenFile, QStringLiteral("E: bad"), false),
        StorageAnswer::Ignore);
    EXPECT_TRUE(notifications.HasPending());
    EXPECT_EQ(load.asked.size(), 1u);
}

/// Answers from a script through the questions interface.
class TScriptedQuestions : public IStorageQuestions {
public:
    explicit TScriptedQuestions(std::vector<int> answers) : m_answers(std::move(answers)) {}
    int Ask(const TStorageQuestionText& question) override {
        asked.push_back(question);
        return m_next < m_answers.size() ? m_answers[m_next++] : question.defaultAnswer;
    }
    std::vector<TStorageQuestionText> asked;

private:
    std::vector<int> m_answers;
    size_t m_next = 0;
};

TEST(StorageQuestionsTest, QuestionsInterfaceGetsKindTextAndAnswers) {
    TCollectingStorageNotifications notifications;
    auto questions = std::make_shared<TScriptedQuestions>(std::vector<int>{StorageAnswer::Ignore, 42});
    ConnectStorageQuestions(notifications, questions);

    EXPECT_EQ(AskStorageQuestion(&notifications, TStorageQuestion::FileSave, QStringLiteral("E: disk full"), false),
              StorageAnswer::Ignore);
    EXPECT_EQ(AskStorageQuestion(&notifications, TStorageQuestion::DayFileGetDayEntries, QStringLiteral("E: x"), false),
              StorageAnswer::Cancel)
        << "an unknown answer is the row's default";
    ASSERT_EQ(questions->asked.size(), 2u);
    EXPECT_EQ(questions->asked[0].kind, TStorageQuestionKind::Save);
    EXPECT_EQ(questions->asked[0].message, QStringLiteral("E: disk full"));
    EXPECT_EQ(questions->asked[0].defaultAnswer, StorageAnswer::Cancel);
    EXPECT_EQ(questions->asked[1].kind, TStorageQuestionKind::Load);
}

TEST(StorageQuestionsTest, NonInteractiveCancelsElseIgnoresAndRemembers) {
    TNonInteractiveStorageQuestions questions;
    TStorageQuestionText withCancel{
        TStorageQuestionKind::Load, QStringLiteral("E: a"), {true, true, false, true}, StorageAnswer::Cancel};
    TStorageQuestionText withoutCancel{
        TStorageQuestionKind::Load, QStringLiteral("E: b"), {true, true, false, false}, StorageAnswer::Ignore};
    EXPECT_EQ(questions.Ask(withCancel), StorageAnswer::Cancel);
    EXPECT_EQ(questions.Ask(withoutCancel), StorageAnswer::Ignore);
    EXPECT_EQ(questions.Ask(withoutCancel), StorageAnswer::Ignore);
    EXPECT_EQ(questions.Messages(), (QStringList{QStringLiteral("E: a"), QStringLiteral("E: b")}));
}

} // namespace
