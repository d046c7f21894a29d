#include "program/Program.h"

#include "app/LaunchWindow.h"
#include "app/ProgramEnd.h"
#include "app/SimpleMessageBox.h"
#include "app/StandInApplication.h"
#include "foundation/BuildInformation.h"
#include "foundation/Log.h"
#include "foundation/XMLBackEnd.h"
#include "foundation/platform/CommandLine.h"
#include "foundation/platform/InstanceChannel.h"
#include "foundation/platform/InstanceLock.h"
#include "foundation/platform/TerminationSignals.h"

#include <QApplication>
#include <QCoreApplication>
#include <clocale>

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

int ShowAlreadyRunning(int argc, char** argv) {
    QApplication app(argc, argv);
    ResetNumericLocale();
    TSimpleMessageBox::Show(nullptr, QStringLiteral("Varnelo Horalux"),
                            QStringLiteral("Varnelo Horalux is already running."), QMessageBox::Critical);
    return 0;
}

void AppendProgramBuildInformation() {
    AppendFoundationBuildInformation();
    AppendBuildInformation(QStringLiteral("HXBase"), BuildOptionsLine());
    // The automation services (the controller's class factory, the running-object table and the
    // HoraluxSDK type library, with their sections here) come with the add-in work.
    AppendBuildInformation(QStringLiteral("Main Program"), BuildOptionsLine());
}

std::shared_ptr<void> CreateStandInApplication(TfrmLaunch& launchWindow) {
    auto application = std::make_shared<TStandInApplication>();
    application->Initialize(&launchWindow);
    return application;
}

} // namespace

int RunProgram(int argc, char** argv) {
    // 1. XML back end (the log is still off).
    ChooseXMLBackEnd(false, false);

    // 2. Command line.
    const TCommandLineSettings settings = ParseCommandLine(ArgumentsFromArgv(argc, argv));
    ApplyCommandLine(settings);
    ChooseXMLBackEnd(settings.preferOpenXML, true); // "XML: Using OpenXML"
    if (settings.quit)
        return RunQuitRequest(argc, argv);
    WriteLog(QStringLiteral("Command line processed"));

    // 3. Single instance.
    if (!ProgramInstanceLock().TryAcquire())
        return ShowAlreadyRunning(argc, argv);

    // 4. Module initialisation.
    AppendProgramBuildInformation();

    // 5. Main program.
    WriteLog(QStringLiteral("---------------------------------"));
    WriteLog(QString());
    WriteLog(QStringLiteral("Program Start"));
    QApplication app(argc, argv);
    ResetNumericLocale();
    // The program lives in the notification area: closing its last window does not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    TfrmLaunch launchWindow(TfrmLaunch::Options{CreateStandInApplication, false, QString(), {}});
    TTerminationSignals terminationSignals([&launchWindow](int) {
        if (auto* mainWindow = qobject_cast<TStandInMainWindow*>(launchWindow.MainWindow()))
            mainWindow->CloseNormally();
        else
            TerminateApplication();
    });
    const int exitCode = QApplication::exec();

    // 6. End.
    ProgramInstanceLock().Release();
    if (ProgramEndReason() == TProgramEnd::QuitByOtherInstance) {
        WriteLog(QStringLiteral("Program quit by other instance"));
        return 0;
    }
    WriteLog(QStringLiteral("Normal Program End"));
    return exitCode;
}
