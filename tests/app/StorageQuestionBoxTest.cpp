#include "app/StorageQuestionBox.h"

#include "ui/MessageBox.h"

#include <gtest/gtest.h>

namespace {

using namespace MessageBoxButton;

TEST(StorageQuestionBox, OffersExactlyTheAllowedAnswersAndDetails) {
    struct Row {
        TStorageAnswerSet allowed;
        unsigned buttons;
    };
    const Row rows[] = {
        {{true, false, false, true}, Retry | Cancel | Details},
        {{true, true, false, false}, Retry | Ignore | Details},
        {{false, false, true, true}, CreateNew | Cancel | Details},
        {{false, false, false, false}, Details},
    };
    for (const Row& row : rows)
        EXPECT_EQ(StorageQuestionButtons(row.allowed), row.buttons);
}

TEST(StorageQuestionBox, AsksWithTheTextOfTheKindAndReturnsTheAnswer) {
    TMessageBoxSeam::ClearHistory();
    TMessageBoxStorageQuestions questions;
    TStorageQuestionText question;
    question.kind = TStorageQuestionKind::Save;
    question.message = QStringLiteral("EXMZFailure: disk full");
    question.allowed = {true, true, false, false};
    TMessageBoxSeam::SetNextAnswer(StorageAnswer::Ignore);
    EXPECT_EQ(questions.Ask(question), StorageAnswer::Ignore);
    question.kind = TStorageQuestionKind::Load;
    TMessageBoxSeam::SetNextAnswer(StorageAnswer::Retry);
    EXPECT_EQ(questions.Ask(question), StorageAnswer::Retry);

    const auto& history = TMessageBoxSeam::History();
    ASSERT_EQ(history.size(), 2u);
    EXPECT_EQ(history[0].text, QStringLiteral("There has been a problem trying to save work data."));
    EXPECT_EQ(history[1].text, QStringLiteral("There has been a problem trying to load work data."));
    EXPECT_EQ(history[0].caption, QStringLiteral("Varnelo Horalux"));
    EXPECT_EQ(history[0].details, question.message);
    EXPECT_EQ(history[0].kind, MessageBoxKind::Error);
    TMessageBoxSeam::ClearHistory();
}

TEST(StorageQuestionBox, AnswersTheStorageThroughItsNotifications) {
    TMessageBoxSeam::ClearHistory();
    TCollectingStorageNotifications notifications;
    ConnectStorageQuestions(notifications, std::make_shared<TMessageBoxStorageQuestions>());
    TMessageBoxSeam::SetNextAnswer(StorageAnswer::Cancel);
    int result = StorageAnswer::Ignore;
    notifications.NotifyLoadFailed(QStringLiteral("E: x"), {true, false, false, true}, result);
    EXPECT_EQ(result, StorageAnswer::Cancel);
    ASSERT_EQ(TMessageBoxSeam::History().size(), 1u);
    EXPECT_EQ(TMessageBoxSeam::History()[0].buttons, Retry | Cancel | Details);
    TMessageBoxSeam::ClearHistory();
}

} // namespace
