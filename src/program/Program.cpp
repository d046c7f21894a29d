#include "program/Program.h"

#include "app/Application.h"
#include "app/AutomationRegistration.h"
#include "app/DataFile.h"
#include "app/LaunchWindow.h"
#include "app/MainWindow.h"
#include "app/ProgramApplication.h"
#include "app/ProgramEnd.h"
#include "foundation/BuildInformation.h"
#include "foundation/LiveObjectRegistry.h"
#include "foundation/Log.h"
#include "foundation/VRNException.h"
#include "foundation/XMLBackEnd.h"
#include "foundation/ipc/InstanceChannel.h"
#include "foundation/platform/CommandLine.h"
#include "foundation/platform/InstanceLock.h"
#include "foundation/platform/TerminationSignals.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QCoreApplication>
#include <clocale>
#include <cstdio>

namespace {

void ResetNumericLocale() {
    // The application object sets the user's locale; number conversions of the C library must
    // stay invariant.
    std::setlocale(LC_NUMERIC, "C");
}

int RunQuitRequest(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ResetNumericLocale();
    RequestRunningInstanceQuit(InstanceServerName());
    return 0;
}

/// "-regserver" / "-unregserver": writes or removes the automation entries and ends; a failure is
/// written to standard error and gives exit code 1.
int RunServerRegistration(int argc, char** argv, bool add) {
    QCoreApplication app(argc, argv);
    ResetNumericLocale();
    try {
        if (add)
            RegisterAutomationServer(QCoreApplication::applicationFilePath());
        else
            UnregisterAutomationServer();
        WriteLog(add ? QStringLiteral("Automation server registered")
                     : QStringLiteral("Automation server unregistered"));
        return 0;
    } catch (const std::exception& e) {
        LogException(QStringLiteral("Program start"), e);
        const QByteArray line = (QStringLiteral("Varnelo Horalux: ") + ExceptionToText(e) + u'\n').toUtf8();
        std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stderr);
        return 1;
    }
}

int ShowAlreadyRunning(int argc, char** argv) {
    QApplication app(argc, argv);
    ResetNumericLocale();
    ShowMessageBox(nullptr, QStringLiteral("Varnelo Horalux"), QStringLiteral("Varnelo Horalux is already running."),
                   MessageBoxKind::Error);
    return 0;
}

void AppendProgramBuildInformation() {
    AppendFoundationBuildInformation();
    AppendBuildInformation(QStringLiteral("HXBase"), BuildOptionsLine());
    AppendBuildInformation(QStringLiteral("HXControls"), BuildOptionsLine());
    // The automation services (the controller's class factory, the running-object table and the
    // HoraluxSDK type library, with their sections here) come with the add-in work.
    AppendBuildInformation(QStringLiteral("Main Program"), BuildOptionsLine());
}

std::shared_ptr<void> CreateApplication(TfrmLaunch& launchWindow) {
    THXApplication::Options options;
    options.launchWindow = &launchWindow;
    auto application = std::make_shared<THXApplication>(options);
    try {
        application->Initialize();
    } catch (...) {
        // A controller that cannot be created is a fatal start-up failure.
        ProgramExitCode() = 1;
        throw;
    }
    return application;
}

/// The preparation before any window: storage folder and options. Returns the exit code of a
/// start that cannot go on, or -1.
int PrepareBeforeWindows() {
    try {
        PrepareApplicationModule();
        return -1;
    } catch (const EStartupFailure& e) {
        return e.ExitCode();
    } catch (const std::exception& e) {
        LogException(QStringLiteral("Program start"), e);
        const QByteArray line = (QStringLiteral("Varnelo Horalux: ") + ExceptionToText(e) + u'\n').toUtf8();
        std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stderr);
        return 1;
    }
}

int RunProgramParts(int argc, char** argv, std::uint32_t extraLogLevels) {
    // 1. XML back end (the log is still off).
    ChooseXMLBackEnd(false, false);

    // 2. Command line.
    const TCommandLineSettings settings = ParseCommandLine(ArgumentsFromArgv(argc, argv));
    ApplyCommandLine(settings);
    GetLogSettings().levelMask |= extraLogLevels;
    ChooseXMLBackEnd(settings.preferOpenXML, true); // "XML: Using OpenXML"
    if (settings.quit)
        return RunQuitRequest(argc, argv);
    if (settings.registerServer || settings.unregisterServer)
        return RunServerRegistration(argc, argv, settings.registerServer);
    WriteLog(QStringLiteral("Command line processed"));
    if (settings.automation)
        WriteLog(QStringLiteral("Started for automation"));

    // 3. Single instance.
    if (!ProgramInstanceLock().TryAcquire())
        return ShowAlreadyRunning(argc, argv);

    // 4. Module initialisation. From here on every checked object is tracked, so that the end of
    // the program can name what was not released.
    SetLiveObjectTracking(true);
    AppendProgramBuildInformation();

    // 5. Main program.
    WriteLog(QStringLiteral("---------------------------------"));
    WriteLog(QString());
    WriteLog(QStringLiteral("Program Start"));
    TProgramApplication app(argc, argv);
    ResetNumericLocale();
    // The program lives in the notification area: closing its last window does not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    if (const int failed = PrepareBeforeWindows(); failed >= 0) {
        FinishApplicationModule();
        ProgramInstanceLock().Release();
        WriteLog(QStringLiteral("Normal Program End"));
        return failed;
    }

    int exitCode = 0;
    {
        // The launch window holds the controller until it goes at the end of this block.
        TfrmLaunch launchWindow(TfrmLaunch::Options{CreateApplication, false, QString(), {}});
        TTerminationSignals terminationSignals([&launchWindow](int) {
            if (auto* mainWindow = qobject_cast<TfrmMain*>(launchWindow.MainWindow()))
                mainWindow->CloseBySignal();
            else
                TerminateApplication();
        });
        exitCode = QApplication::exec();
    }

    // 6. End.
    FinishApplicationModule();
    ProgramInstanceLock().Release();
    if (ProgramEndReason() == TProgramEnd::QuitByOtherInstance) {
        WriteLog(QStringLiteral("Program quit by other instance"));
        exitCode = 0;
    } else {
        WriteLog(QStringLiteral("Normal Program End"));
    }
    return exitCode;
}

} // namespace

int RunProgram(int argc, char** argv, std::uint32_t extraLogLevels) {
    // Usage text before anything else: it needs neither a display nor the log.
    if (IsHelpRequest(ArgumentsFromArgv(argc, argv))) {
        const QByteArray text = CommandLineHelpText().toUtf8();
        std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
        return 0;
    }
    const int exitCode = RunProgramParts(argc, argv, extraLogLevels);
    // 7. The windows, the application object and the controller are gone: what is still listed
    // was not released.
    ReportLiveObjects();
    return exitCode;
}
