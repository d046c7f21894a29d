#include "ui/ShortcutText.h"

#include <gtest/gtest.h>

TEST(ShortcutTextTest, ReadsThePartBeforeTheTwoFullStops) {
    const struct {
        QString text;
        QKeySequence expected;
    } cases[] = {
        {QStringLiteral("^N..New Activity"), QKeySequence(Qt::CTRL | Qt::Key_N)},
        {QStringLiteral("^A..New Activity on Same Level"), QKeySequence(Qt::CTRL | Qt::Key_A)},
        {QStringLiteral("F2..Rename"), QKeySequence(Qt::Key_F2)},
        {QStringLiteral("^B..Switch Break"), QKeySequence(Qt::CTRL | Qt::Key_B)},
        // Without "..", the whole text is the shortcut.
        {QStringLiteral("Ctrl+X"), QKeySequence(Qt::CTRL | Qt::Key_X)},
        {QStringLiteral("ctrl+x"), QKeySequence(Qt::CTRL | Qt::Key_X)},
        {QStringLiteral("Shift+Ctrl+Del..Delete All"), QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_Delete)},
        {QStringLiteral("Alt+^Left"), QKeySequence(Qt::ALT | Qt::CTRL | Qt::Key_Left)},
        {QStringLiteral("^+..Zoom In"), QKeySequence(Qt::CTRL | Qt::Key_Plus)},
        {QStringLiteral("F2..Rename..Again"), QKeySequence(Qt::Key_F2)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShortcutFromText(c.text), c.expected) << c.text.toStdString();
}

TEST(ShortcutTextTest, TextsThatNameNoKeyGiveNoShortcut) {
    for (const QString& text :
         {QString(), QStringLiteral("..New Activity"), QStringLiteral("Ctrl+"), QStringLiteral("Hyper+N..x"),
          QStringLiteral("New Entry"), QStringLiteral("^NN..Two Keys")})
        EXPECT_TRUE(ShortcutFromText(text).isEmpty()) << text.toStdString();
}
