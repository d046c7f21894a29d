// The program itself on the private X server with its tray host: the icon is taken into the tray,
// the tray menu opens on a right click, and "Exit" ends the program after saving.

#include "TestEnvironment.h"
#include "X11TestSupport.h"
#include "app/GlobalHotKeys.h"

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

QByteArray LastLogLine(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> lines = file.readAll().trimmed().split('\n');
    return lines.isEmpty() ? QByteArray() : lines.back().mid(20); // without date and time
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

    std::optional<QPoint> icon;
    const QDeadlineTimer deadline(Patience);
    while (!(icon = EmbeddedProgramIcon()) && !deadline.hasExpired() && program.state() == QProcess::Running)
        QThread::msleep(50);
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

#endif
