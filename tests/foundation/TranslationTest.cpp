#include "foundation/Translation.h"

#include <gtest/gtest.h>

namespace {

class TranslationTest : public testing::Test {
protected:
    void TearDown() override { SwitchLanguage(QString()); }
};

TEST_F(TranslationTest, CataloguesComeFromTheBuildFolder) {
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("HORALUX_LOCALEDIR"));
    EXPECT_EQ(TranslationFolder(), qEnvironmentVariable("HORALUX_LOCALEDIR"));
    EXPECT_TRUE(AvailableLanguages().contains(QStringLiteral("de")));
}

TEST_F(TranslationTest, LanguageSwitchTakesEffectAtOnceAndBack) {
    EXPECT_EQ(Tr("&Retry"), QStringLiteral("&Retry"));
    SwitchLanguage(QStringLiteral("de"));
    EXPECT_EQ(CurrentLanguageSwitch(), QStringLiteral("de"));
    EXPECT_EQ(Tr("&Retry"), QStringLiteral("&Wiederholen"));
    EXPECT_EQ(Tr("Save &Later"), QStringLiteral("&Später speichern"));
    EXPECT_EQ(Tr(NativeLanguageNameText), QStringLiteral("Deutsch"));
    SwitchLanguage(QString());
    EXPECT_EQ(Tr("&Retry"), QStringLiteral("&Retry"));
}

TEST_F(TranslationTest, NumbersStayInvariantAfterASwitch) {
    SwitchLanguage(QStringLiteral("de"));
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%.1f", 1.5);
    EXPECT_STREQ(buffer, "1.5");
}

TEST_F(TranslationTest, UntranslatedTextsAndPluralsFallBackToTheSource) {
    SwitchLanguage(QStringLiteral("de"));
    EXPECT_EQ(Tr("a text no catalogue has"), QStringLiteral("a text no catalogue has"));
    EXPECT_EQ(TrN("%1 thing", "%1 things", 1), QStringLiteral("%1 thing"));
    EXPECT_EQ(TrN("%1 thing", "%1 things", 3), QStringLiteral("%1 things"));
    EXPECT_EQ(Tr(""), QString());
}

} // namespace
