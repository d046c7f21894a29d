#include "app/SimpleMessageBox.h"

#include <gtest/gtest.h>

TEST(SimpleMessageBox, NextAnswerIsUsedOnceAndTheBoxIsRecorded) {
    TSimpleMessageBox::ClearLastShown();
    TSimpleMessageBox::SetNextAnswer(QMessageBox::No);
    EXPECT_EQ(TSimpleMessageBox::Show(nullptr, QStringLiteral("Varnelo Horalux"), QStringLiteral("Really?"),
                                      QMessageBox::Question, QMessageBox::Yes | QMessageBox::No),
              QMessageBox::No);
    const auto shown = TSimpleMessageBox::LastShown();
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(shown->caption, QStringLiteral("Varnelo Horalux"));
    EXPECT_EQ(shown->text, QStringLiteral("Really?"));
    EXPECT_EQ(shown->icon, QMessageBox::Question);
}

TEST(SimpleMessageBox, AutoAnswerFromTheEnvironmentDescribesTheBox) {
    qputenv("HORALUX_TEST_AUTO_ANSWER", "1");
    testing::internal::CaptureStderr();
    const auto answer =
        TSimpleMessageBox::Show(nullptr, QStringLiteral("Varnelo Horalux"),
                                QStringLiteral("Varnelo Horalux is already running."), QMessageBox::Critical);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(answer, QMessageBox::Ok);
    EXPECT_EQ(err, "HORALUX_TEST message box: Varnelo Horalux | Varnelo Horalux is already running. | error\n");
    EXPECT_EQ(TSimpleMessageBox::Show(nullptr, QStringLiteral("c"), QStringLiteral("t"), QMessageBox::Warning,
                                      QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Cancel),
              QMessageBox::Cancel);
    qunsetenv("HORALUX_TEST_AUTO_ANSWER");
}
