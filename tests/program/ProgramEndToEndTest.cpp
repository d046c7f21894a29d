#include "foundation/ipc/InstanceChannel.h"
#include "support/TestEnvironment.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString SessionAbsenceOffLine = QStringLiteral("Session absence detection is off: ");

/// Console output without the line about the desktop's buses.
// Whether the application object is offered on the session bus depends on the bus as well.
const QString BusObjectOffLine = QStringLiteral("The application object is not offered on the session bus: ");

QByteArray WithoutSessionAbsenceLine(const QByteArray& output) {
    QList<QByteArray> lines = output.split('\n');
    lines.removeIf([](const QByteArray& line) {
        return line.startsWith(SessionAbsenceOffLine.toUtf8()) || line.startsWith(BusObjectOffLine.toUtf8());
    });
    return lines.join('\n');
}

constexpr int Patience = 30000; // ms; a generous bound so a hung program fails instead of blocking

// The tests run the program on the offscreen platform, which has no notification area; the
// program says so once its main window starts.
const QString NoTrayLine =
    QStringLiteral("TfrmMain.Start: there is no system tray; the program runs and tracks without its icon");
// The test build of the program lists the objects left at its end; a normal end leaves none.
const QString NoLeftoversLine = QStringLiteral("Total trash objects: 0");
const QByteArray AlreadyRunningBox =
    "HORALUX_TEST message box: Varnelo Horalux | Varnelo Horalux is already running. | error";

/// The program's processes, each with a temporary home, runtime folder and an auto-answering
/// message box.
class ProgramTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (auto& process : m_started) {
            if (process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished(Patience);
            }
        }
    }

    QProcessEnvironment Environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment(); // includes TempHome's folders
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("HORALUX_TEST_AUTO_ANSWER"), QStringLiteral("1"));
        env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
        return env;
    }

    /// Starts the program and waits until it answers other processes.
    QProcess* StartInstance(const QStringList& arguments) {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(Environment());
        process->start(QStringLiteral(HORALUX_PROGRAM), arguments);
        EXPECT_TRUE(process->waitForStarted(Patience));
        const QDeadlineTimer deadline(Patience);
        while (SendInstanceMessage(InstanceServerName(), WM_HXPING, 500) != HX_PING_REPLY) {
            if (deadline.hasExpired() || process->state() == QProcess::NotRunning) {
                ADD_FAILURE() << "the program did not come up: " << process->readAllStandardError().toStdString();
                break;
            }
            QThread::msleep(20);
        }
        m_started.push_back(std::move(process));
        return m_started.back().get();
    }

    struct Result {
        int exitCode = -1;
        QByteArray out;
        QByteArray err;
    };

    /// Runs the program (or another one of ours) to its end.
    Result Run(const QStringList& arguments, const QString& program = QStringLiteral(HORALUX_PROGRAM)) {
        QProcess process;
        process.setProcessEnvironment(Environment());
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForFinished(Patience)) << arguments.join(u' ').toStdString();
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
    }

    /// "-quit" until the instance has ended (a quit request that arrives while the instance is
    /// still creating its main window is ignored by design).
    void QuitInstance(QProcess* instance) {
        const QDeadlineTimer deadline(Patience);
        while (instance->state() != QProcess::NotRunning && !deadline.hasExpired()) {
            const Result quit = Run({QStringLiteral("-quit")});
            EXPECT_EQ(quit.exitCode, 0);
            EXPECT_FALSE(quit.err.contains(AlreadyRunningBox));
            instance->waitForFinished(100);
        }
        ASSERT_EQ(instance->state(), QProcess::NotRunning);
        EXPECT_EQ(instance->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(instance->exitCode(), 0);
    }

    /// The log file's lines without their date and time.
    QStringList LogLines(const QString& path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {QStringLiteral("<no log file>")};
        QStringList lines;
        for (const QByteArray& line : file.readAll().split('\n')) {
            const QString text = QString::fromUtf8(line.size() > 20 ? line.mid(20) : line);
            // Whether the desktop's buses are there depends on the machine, not on the program.
            if (!text.startsWith(SessionAbsenceOffLine) && !text.startsWith(BusObjectOffLine))
                lines << text;
        }
        if (!lines.isEmpty() && lines.back().isEmpty())
            lines.removeLast();
        return lines;
    }

    TempHome m_home;
    std::vector<std::unique_ptr<QProcess>> m_started;
};

} // namespace

TEST_F(ProgramTest, SecondStartIsRefusedAndQuitEndsTheRunningInstance) {
    const QString firstLog = m_home.Path(QStringLiteral("first.log"));
    const QString secondLog = m_home.Path(QStringLiteral("second.log"));
    QProcess* first = StartInstance({QStringLiteral("-logfile"), firstLog, QStringLiteral("-autostart")});

    const Result second = Run({QStringLiteral("-logfile"), secondLog});
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_TRUE(second.err.contains(AlreadyRunningBox)) << second.err.toStdString();
    EXPECT_EQ(LogLines(secondLog),
              (QStringList{QStringLiteral("XML: Using OpenXML"), QStringLiteral("Command line processed")}));
    EXPECT_EQ(first->state(), QProcess::Running);

    QuitInstance(first);
    EXPECT_EQ(
        LogLines(firstLog),
        (QStringList{QStringLiteral("XML: Using OpenXML"), QStringLiteral("Command line processed"),
                     QStringLiteral("---------------------------------"), QString(), QStringLiteral("Program Start"),
                     NoTrayLine, QStringLiteral("Program quit by other instance"), NoLeftoversLine}));
    // The lock and the channel are free again.
    QProcess* again = StartInstance({});
    QuitInstance(again);
}

TEST_F(ProgramTest, QuitWithNothingRunningEndsAtOnce) {
    const QString log = m_home.Path(QStringLiteral("quit.log"));
    const Result quit = Run({QStringLiteral("-quit"), QStringLiteral("-logfile"), log});
    EXPECT_EQ(quit.exitCode, 0);
    EXPECT_FALSE(quit.err.contains("message box"));
    // The back-end choice is logged; the process ends before "Command line processed".
    EXPECT_EQ(LogLines(log), QStringList{QStringLiteral("XML: Using OpenXML")});
}

TEST_F(ProgramTest, ConsoleWinsOverLogFileAndUnknownSwitchesAreIgnored) {
    const QString log = m_home.Path(QStringLiteral("x.log"));
    QProcess* instance = StartInstance({QStringLiteral("-LOGFILE"), log, QStringLiteral("-logconsole"),
                                        QStringLiteral("-nonsense"), QStringLiteral("/quit")});
    QuitInstance(instance);
    EXPECT_EQ(WithoutSessionAbsenceLine(instance->readAllStandardOutput()),
              QByteArray("XML: Using OpenXML\n"
                         "Command line processed\n"
                         "---------------------------------\n"
                         "\n"
                         "Program Start\n" +
                         NoTrayLine.toUtf8() + "\nProgram quit by other instance\n" + NoLeftoversLine.toUtf8() + "\n"));
    EXPECT_FALSE(QFile::exists(log));
}

TEST_F(ProgramTest, UnopenableLogFileLosesTheLinesSilently) {
    QProcess* instance =
        StartInstance({QStringLiteral("-logfile"), m_home.Path(QStringLiteral("no/such/folder/h.log"))});
    QuitInstance(instance);
    EXPECT_TRUE(instance->readAllStandardOutput().isEmpty());
}

TEST_F(ProgramTest, LockOfACrashedInstanceIsTakenOver) {
    QProcess* crashed = StartInstance({});
    crashed->kill(); // SIGKILL: lock file and socket stay behind
    ASSERT_TRUE(crashed->waitForFinished(Patience));
    const QString log = m_home.Path(QStringLiteral("after-crash.log"));
    QProcess* next = StartInstance({QStringLiteral("-logfile"), log});
    EXPECT_FALSE(next->readAllStandardError().contains(AlreadyRunningBox));
    QuitInstance(next);
    EXPECT_EQ(LogLines(log).value(4), QStringLiteral("Program Start"));
}

TEST_F(ProgramTest, TerminationSignalIsANormalEnd) {
    const QString log = m_home.Path(QStringLiteral("term.log"));
    QProcess* instance = StartInstance({QStringLiteral("-logfile"), log});
    instance->terminate(); // SIGTERM
    ASSERT_TRUE(instance->waitForFinished(Patience));
    EXPECT_EQ(instance->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(instance->exitCode(), 0);
    EXPECT_EQ(LogLines(log).value(5), NoTrayLine);
    EXPECT_EQ(LogLines(log).value(6), QStringLiteral("Normal Program End"));
    EXPECT_EQ(LogLines(log).value(7), NoLeftoversLine);
    EXPECT_EQ(LogLines(log).size(), 8);
}

TEST_F(ProgramTest, HelpListsTheSwitchesWithoutTouchingTheWindowSystem) {
    for (const QString& program : {QStringLiteral(HORALUX_RELEASE_PROGRAM), QStringLiteral(HORALUX_PROGRAM)}) {
        for (const QString& help : {QStringLiteral("--help"), QStringLiteral("-h")}) {
            // The X11 platform without a display: anything that touches it fails.
            QProcessEnvironment env = Environment();
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
            env.remove(QStringLiteral("DISPLAY"));
            env.remove(QStringLiteral("WAYLAND_DISPLAY"));
            QProcess process;
            process.setProcessEnvironment(env);
            process.start(program, {help, QStringLiteral("-logfile"), m_home.Path(QStringLiteral("help.log"))});
            ASSERT_TRUE(process.waitForFinished(Patience));
            EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
            const QByteArray out = process.readAllStandardOutput();
            for (const char* name :
                 {"-logfile", "-logconsole", "-logwindows", "-quit", "-autostart", "-compress", "-openxml", "--help"})
                EXPECT_TRUE(out.contains(name)) << name << " missing from:\n" << out.toStdString();
            EXPECT_FALSE(QFile::exists(m_home.Path(QStringLiteral("help.log")))) << "the program did not start";
        }
    }
}

TEST(ProgramBuild, OnlyTheTestBuildAnswersMessageBoxesFromItsEnvironment) {
    // A variable left in someone's environment must never answer the program's questions.
    const auto bytes = [](const char* path) {
        QFile file(QString::fromUtf8(path));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray program = bytes(HORALUX_RELEASE_PROGRAM);
    const QByteArray testBuild = bytes(HORALUX_PROGRAM);
    ASSERT_FALSE(program.isEmpty());
    for (const char* variable : {"HORALUX_TEST_ANSWERS", "HORALUX_TEST_AUTO_ANSWER"}) {
        EXPECT_FALSE(program.contains(variable)) << variable;
        EXPECT_TRUE(testBuild.contains(variable)) << variable;
    }
}

// The built-in add-ins that bring the tracker and the storage may not be switched off: with the
// options saying so they still take part, the work data is saved at the end, and the program ends
// normally with nothing left over (a leftover fails the sanitizer run's exit code).
TEST_F(ProgramTest, BuiltInAddInsSwitchedOffInTheOptionsStillProvideTheStorage) {
    const QString folder = m_home.DataHome() + QStringLiteral("/Horalux/");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString xml = m_home.Path(QStringLiteral("options.xml"));
    QFile source(xml);
    ASSERT_TRUE(source.open(QIODevice::WriteOnly));
    source.write("<options><property name=\"addins\" type=\"propertylist\"><value>"
                 "<property name=\"{0C946E4B-544F-46CF-A6F0-95EB58E00190}\" type=\"boolean\" value=\"false\"/>"
                 "<property name=\"{73CD96E0-4AD3-4A20-B226-CED614C9CEBF}\" type=\"boolean\" value=\"false\"/>"
                 "<property name=\"{17CBF84A-8985-46AC-ABC7-2ECC3AAFCD42}\" type=\"boolean\" value=\"false\"/>"
                 "</value></property></options>");
    source.close();
    const Result pack = Run({QStringLiteral("file"), QStringLiteral("pack"), xml, folder + QStringLiteral("options.hx"),
                             QStringLiteral("--type"), QStringLiteral("{0901CCC3-22C0-4278-A651-D132998E8B25}")},
                            QStringLiteral(HORALUX_CTL));
    ASSERT_EQ(pack.exitCode, 0) << pack.err.toStdString();

    const QString log = m_home.Path(QStringLiteral("addins.log"));
    QProcess* instance = StartInstance({QStringLiteral("-logfile"), log});
    instance->terminate(); // SIGTERM: a normal end that saves everything
    ASSERT_TRUE(instance->waitForFinished(Patience));
    EXPECT_EQ(instance->exitStatus(), QProcess::NormalExit);
    const QByteArray err = instance->readAllStandardError();
    EXPECT_EQ(instance->exitCode(), 0) << err.toStdString();
    const QStringList lines = LogLines(log);
    EXPECT_EQ(lines.value(lines.size() - 2), QStringLiteral("Normal Program End"));
    EXPECT_EQ(lines.value(lines.size() - 1), NoLeftoversLine) << "no add-in left over";
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("cdroot.hx"))) << "the work data was saved";
    EXPECT_FALSE(err.contains("message box")) << err.toStdString();
    // The switches stay in the options as the user left them.
    const Result dump = Run({QStringLiteral("file"), QStringLiteral("dump"), folder + QStringLiteral("options.hx")},
                            QStringLiteral(HORALUX_CTL));
    EXPECT_TRUE(dump.out.contains("name=\"{17CBF84A-8985-46AC-ABC7-2ECC3AAFCD42}\" type=\"boolean\" value=\"false\""))
        << dump.out.toStdString();
}
