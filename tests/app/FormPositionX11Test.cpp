// Window places on a real X server (1280 x 800): a window saved off the screen comes back fully on
// it, and opening and closing it again moves it by no pixel, as "options.hx" shows after saving.

#include "ControllerTestSupport.h"
#include "app/Application.h"
#include "support/TestEnvironment.h"
#include "ui/BaseForm.h"
#include "ui/platform/GlobalHotKeys.h"

#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#if defined(HORALUX_CTL)

namespace {

class FormPositionX11Test : public ControllerTest {
protected:
    void SetUp() override {
        if (!TGlobalHotKeys::IsAvailable())
            GTEST_SKIP() << "no X server (run through run-with-xvfb.sh)";
        ControllerTest::SetUp();
        StartController(TestOptions());
    }

    /// "left" and "top" of the window's list in the saved options file, read with horaluxctl.
    QPoint SavedPlace() {
        QProcess dump;
        dump.start(QStringLiteral(HORALUX_CTL),
                   {QStringLiteral("file"), QStringLiteral("dump"), Folder() + QStringLiteral("options.hx")});
        EXPECT_TRUE(dump.waitForFinished(30000));
        const QString xml = QString::fromUtf8(dump.readAllStandardOutput());
        const int start = xml.indexOf(QStringLiteral("name=\"Test Window\""));
        EXPECT_GE(start, 0) << xml.toStdString();
        const QString list = xml.mid(start, 600);
        auto value = [&](const QString& key) {
            const QRegularExpression pattern(
                QStringLiteral("name=\"%1\" type=\"integer\" value=\"(-?\\d+)\"").arg(key));
            const QRegularExpressionMatch match = pattern.match(list);
            return match.hasMatch() ? match.captured(1).toInt() : -99999;
        };
        return {value(QStringLiteral("left")), value(QStringLiteral("top"))};
    }
};

} // namespace

TEST_F(FormPositionX11Test, AWindowSavedOffTheScreenReopensOnItAndNeverCreeps) {
    const auto section = m_app->GetOptions(QStringLiteral("form positions"));
    const auto saved = section->Items(QStringLiteral("Test Window"))->AsPropertyList();
    saved->Items(QStringLiteral("left"))->SetAsInteger(3000);
    saved->Items(QStringLiteral("top"))->SetAsInteger(200);
    saved->Items(QStringLiteral("width"))->SetAsInteger(400);
    saved->Items(QStringLiteral("height"))->SetAsInteger(300);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_EQ(screen.size(), QSize(1280, 800));

    QPoint first;
    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE(round);
        ThxBaseForm window;
        window.setWindowTitle(QStringLiteral("Test Window"));
        window.SetPositionName(QStringLiteral("Test Window"), true);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        EXPECT_TRUE(screen.contains(window.frameGeometry())) << window.frameGeometry().x();
        EXPECT_EQ(window.size(), QSize(400, 300));
        if (round == 0)
            first = window.pos();
        EXPECT_EQ(window.pos(), first);
        window.close();
    }
    m_app->SaveAll();
    EXPECT_EQ(SavedPlace(), first);
    // Moved left just far enough: its right edge (and frame, if any) at the screen's.
    EXPECT_LE(first.x() + 400, 1280);
    EXPECT_GE(first.x() + 400, 1280 - 50);
}

#endif
