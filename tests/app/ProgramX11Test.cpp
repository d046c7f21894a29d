// The program itself on the private X server with its tray host: the icon is taken into the tray,
// the tray menu opens on a right click, and "Exit" ends the program after saving.

#include "X11TestSupport.h"
#include "support/TestEnvironment.h"
#include "ui/platform/GlobalHotKeys.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

#ifdef HORALUX_PROGRAM

namespace {

constexpr int Patience = 30000; // ms; a bound for a loaded machine, not a speed goal

/// The windows of the program's class whose parent is another client's window (the tray icon once
/// embedded); their centres on the screen.
std::optional<QPoint> EmbeddedProgramIcon() {
    QProcess search;
    search.start(QStringLiteral("xdotool"),
                 {QStringLiteral("search"), QStringLiteral("--classname"), QStringLiteral("^horalux$")});
    if (!search.waitForFinished(Patience))
        return std::nullopt;
    for (const QByteArray& line : search.readAllStandardOutput().split('\n')) {
        bool ok = false;
        const uint window = line.trimmed().toUInt(&ok);
        if (ok)
            if (const auto centre = EmbeddedWindowCentre(window))
                return centre;
    }
    return std::nullopt;
}

/// The log line fromEnd lines before the last (0: the last), without date and time.
/// The centre of the program's tray icon once the tray host has taken it in; nothing when that
/// does not happen while the program runs.
std::optional<QPoint> WaitForProgramIcon(const QProcess& program) {
    std::optional<QPoint> icon;
    const QDeadlineTimer deadline(Patience);
    while (!(icon = EmbeddedProgramIcon()) && !deadline.hasExpired() && program.state() == QProcess::Running)
        QThread::msleep(50);
    return icon;
}

QByteArray LastLogLine(const QString& path, int fromEnd = 0) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> lines = file.readAll().trimmed().split('\n');
    return lines.size() <= fromEnd ? QByteArray() : lines[lines.size() - 1 - fromEnd].mid(20);
}

} // namespace

TEST(ProgramX11Test, ExitInTheTrayMenuEndsTheProgramAfterSaving) {
    if (!TGlobalHotKeys::IsAvailable())
        GTEST_SKIP() << "no X server (run through run-with-xvfb.sh)";
    TempHome home;
    const QString log = home.Path(QStringLiteral("h.log"));
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment(); // with TempHome's folders
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("HORALUX_TEST_AUTO_ANSWER"), QStringLiteral("1"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(HORALUX_PROGRAM), {QStringLiteral("-logfile"), log});
    ASSERT_TRUE(program.waitForStarted(Patience));

    const std::optional<QPoint> icon = WaitForProgramIcon(program);
    ASSERT_TRUE(icon.has_value()) << "the tray host did not take the icon in";

    const QString options = home.DataHome() + QStringLiteral("/Horalux/options.hx");
    const QDateTime beforeExit = QDateTime::currentDateTime().addSecs(-1);
    ASSERT_TRUE(ClickAt(*icon, 3));
    QThread::msleep(500); // the menu opens from the program's loop
    // Up from no selection picks the last entry, "Exit".
    ASSERT_TRUE(PressKeys(QStringLiteral("Up")));
    ASSERT_TRUE(PressKeys(QStringLiteral("Return")));
    ASSERT_TRUE(program.waitForFinished(Patience)) << "Exit did not end the program";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    // The test build lists the objects left at the end: none.
    EXPECT_EQ(LastLogLine(log), QByteArray("Total trash objects: 0"));
    EXPECT_GE(QFileInfo(options).lastModified(), beforeExit) << "the options were saved at the end";
}

namespace {

/// Whether a visible window with exactly this title is on the screen.
bool VisibleWindowTitled(const QString& title) {
    QProcess search;
    search.start(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                             QStringLiteral("--name"), QLatin1Char('^') + title + QLatin1Char('$')});
    return search.waitForFinished(Patience) && !search.readAllStandardOutput().trimmed().isEmpty();
}

struct OpenWindowCase {
    const char* name;
    int upsInMenu;            ///< "About" is three entries above "Exit", "Options" two
    bool quitByOtherInstance; ///< "horalux -quit"; else SIGTERM
    const char* title;        ///< the window that opens
    bool change = false;      ///< Space on the window's first control before the end (a changed page)
};

class ProgramCloseX11Test : public testing::TestWithParam<OpenWindowCase> {};

} // namespace

// The program is asked to end while a window opened from its tray menu is up (its own message
// loop on the stack): the window closes, and the program ends normally after saving.
TEST_P(ProgramCloseX11Test, EndsNormallyWithAWindowFromTheTrayMenuOpen) {
    if (!TGlobalHotKeys::IsAvailable())
        GTEST_SKIP() << "no X server (run through run-with-xvfb.sh)";
    TempHome home;
    const QString log = home.Path(QStringLiteral("h.log"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment(); // with TempHome's folders
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.remove(QStringLiteral("HORALUX_TEST_AUTO_ANSWER")); // the box must stay open
    environment.remove(QStringLiteral("HORALUX_TEST_ANSWERS"));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(HORALUX_PROGRAM), {QStringLiteral("-logfile"), log});
    ASSERT_TRUE(program.waitForStarted(Patience));

    const std::optional<QPoint> icon = WaitForProgramIcon(program);
    ASSERT_TRUE(icon.has_value()) << "the tray host did not take the icon in";

    ASSERT_TRUE(ClickAt(*icon, 3));
    QThread::msleep(500); // the menu opens from the program's loop
    for (int i = 0; i < GetParam().upsInMenu; ++i)
        ASSERT_TRUE(PressKeys(QStringLiteral("Up")));
    ASSERT_TRUE(PressKeys(QStringLiteral("Return")));
    const QString title = QString::fromLatin1(GetParam().title);
    const QDeadlineTimer shown(Patience);
    while (!VisibleWindowTitled(title) && !shown.hasExpired())
        QThread::msleep(100);
    ASSERT_TRUE(VisibleWindowTitled(title)) << "the window did not open";
    if (GetParam().change) {
        // The options dialog now asks before Cancel; the end must not wait for an answer.
        QThread::msleep(300);
        ASSERT_TRUE(PressKeys(QStringLiteral("space")));
        QThread::msleep(300);
    }

    const QString options = home.DataHome() + QStringLiteral("/Horalux/options.hx");
    const QDateTime beforeEnd = QDateTime::currentDateTime().addSecs(-1);
    if (GetParam().quitByOtherInstance) {
        QProcess quit;
        quit.setProcessEnvironment(environment);
        quit.start(QStringLiteral(HORALUX_PROGRAM), {QStringLiteral("-quit")});
        ASSERT_TRUE(quit.waitForFinished(Patience));
    } else {
        program.terminate(); // SIGTERM
    }
    ASSERT_TRUE(program.waitForFinished(Patience)) << "the program did not end";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    EXPECT_EQ(LastLogLine(log), QByteArray("Total trash objects: 0"));
    EXPECT_EQ(LastLogLine(log, 1), GetParam().quitByOtherInstance ? QByteArray("Program quit by other instance")
                                                                  : QByteArray("Normal Program End"));
    EXPECT_GE(QFileInfo(options).lastModified(), beforeEnd) << "the options were saved at the end";
}

INSTANTIATE_TEST_SUITE_P(
    OpenWindows, ProgramCloseX11Test,
    testing::Values(OpenWindowCase{"AboutThenQuit", 3, true, "About Varnelo Horalux"},
                    OpenWindowCase{"AboutThenSigterm", 3, false, "About Varnelo Horalux"},
                    OpenWindowCase{"OptionsThenQuit", 2, true, "Varnelo Horalux Options"},
                    OpenWindowCase{"OptionsThenSigterm", 2, false, "Varnelo Horalux Options"},
                    OpenWindowCase{"ChangedOptionsThenQuit", 2, true, "Varnelo Horalux Options", true},
                    OpenWindowCase{"ChangedOptionsThenSigterm", 2, false, "Varnelo Horalux Options", true}),
    [](const auto& info) { return std::string(info.param.name); });

#endif
