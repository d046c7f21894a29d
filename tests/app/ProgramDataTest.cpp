// The whole program with its data files: SIGTERM runs the normal close and saves, a damaged
// options file is asked about.
#include "foundation/ipc/InstanceChannel.h"
#include "foundation/ipc/InstanceProtocol.h"
#include "support/TestEnvironment.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

namespace {

constexpr int Patience = 30000;

class ProgramDataTest : public testing::Test {
protected:
    void TearDown() override {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(Patience);
        }
    }
    QString Folder() const { return m_home.DataHome() + QStringLiteral("/Horalux/"); }
    QString Log() const { return m_home.Path(QStringLiteral("program.log")); }

    void StartProgram(const QString& answers = QString()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment(); // TempHome's folders
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
        env.insert(QStringLiteral("HORALUX_TEST_AUTO_ANSWER"), QStringLiteral("1"));
        if (!answers.isEmpty())
            env.insert(QStringLiteral("HORALUX_TEST_ANSWERS"), answers);
        m_process.setProcessEnvironment(env);
        m_process.start(QStringLiteral(HORALUX_PROGRAM), {QStringLiteral("-logfile"), Log()});
        ASSERT_TRUE(m_process.waitForStarted(Patience));
    }
    /// Waits until the program answers other processes (its main window exists).
    bool WaitUntilRunning() {
        const QDeadlineTimer deadline(Patience);
        while (SendInstanceMessage(InstanceServerName(), WM_HXPING, 500) != HX_PING_REPLY) {
            if (deadline.hasExpired() || m_process.state() == QProcess::NotRunning)
                return false;
            QThread::msleep(20);
        }
        // The autostart entry is written near the end of the load sequence; a close that arrives
        // after it waits until loading has finished.
        while (!QFileInfo::exists(m_home.ConfigHome() + QStringLiteral("/autostart/horalux.desktop"))) {
            if (deadline.hasExpired() || m_process.state() == QProcess::NotRunning)
                return false;
            QThread::msleep(20);
        }
        return true;
    }
    QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList LogLines() {
        QStringList lines;
        for (const QByteArray& line : Read(Log()).split('\n'))
            if (!line.isEmpty())
                lines << QString::fromUtf8(line.size() > 20 ? line.mid(20) : line);
        return lines;
    }

    TempHome m_home;
    QProcess m_process;
};

TEST_F(ProgramDataTest, SigtermRunsTheNormalCloseAndSavesTheOptions) {
    StartProgram();
    ASSERT_TRUE(WaitUntilRunning()) << m_process.readAllStandardError().toStdString();
    const QString options = Folder() + QStringLiteral("options.hx");
    ASSERT_TRUE(QFileInfo::exists(options));
    const QByteArray before = Read(options);
    m_process.terminate();
    ASSERT_TRUE(m_process.waitForFinished(Patience));
    EXPECT_EQ(m_process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(m_process.exitCode(), 0);
    // The test build lists the objects left at the end: none.
    EXPECT_EQ(LogLines().value(LogLines().size() - 2), QStringLiteral("Normal Program End"));
    EXPECT_EQ(LogLines().value(LogLines().size() - 1), QStringLiteral("Total trash objects: 0"));
    EXPECT_NE(Read(options), before) << "the options were written again at the close";
}

TEST_F(ProgramDataTest, DamagedOptionsCancelStopsWithExitCodeOneAndCreateNewStarts) {
    QDir().mkpath(Folder());
    {
        QFile file(Folder() + QStringLiteral("options.hx"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("damaged");
    }
    StartProgram(QStringLiteral("2"));
    ASSERT_TRUE(m_process.waitForFinished(Patience));
    EXPECT_EQ(m_process.exitCode(), 1);
    const QString err = QString::fromUtf8(m_process.readAllStandardError());
    EXPECT_TRUE(
        err.contains(QStringLiteral("HORALUX_TEST message box: Varnelo Horalux | There was an error loading the "
                                    "options. Varnelo Horalux needs its options to work correctly. | error "
                                    "-> 2")))
        << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("The program will be stopped now. | error")));
    EXPECT_EQ(Read(Folder() + QStringLiteral("options.hx")), QByteArray("damaged"));

    StartProgram(QStringLiteral("65537"));
    ASSERT_TRUE(WaitUntilRunning()) << m_process.readAllStandardError().toStdString();
    EXPECT_EQ(Read(Folder() + QStringLiteral("options.hx.damaged")), QByteArray("damaged"));
    m_process.terminate();
    ASSERT_TRUE(m_process.waitForFinished(Patience));
    EXPECT_EQ(m_process.exitCode(), 0);
}

} // namespace
