#include "ControllerTestSupport.h"

#include "app/ProgramEnd.h"
#include "foundation/Translation.h"
#include "foundation/VRNException.h"
#include "foundation/platform/InstanceLock.h"
#include "ui/MessageBox.h"
#include "ui/ProgramClosing.h"

#include <QCoreApplication>

void FakeTrackingManager::FinishTracking() {
    calls << QStringLiteral("FinishTracking");
    if (failFinish)
        throw EVRNException(QStringLiteral("the last question failed"));
}

void ControllerTest::SetUp() {
    TMessageBoxSeam::ClearAnswers();
    TMessageBoxSeam::ClearHistory();
    SetTerminateApplicationHandler([this] { ++m_terminated; });
    ProgramEndReason() = TProgramEnd::Normal;
    ProgramExitCode() = 0;
    ApplicationStart() = TApplicationStart{};
    // A close in an earlier test of this process does not carry over.
    SetProgramClosing(false);
}

void ControllerTest::TearDown() {
    StopController();
    SetTerminateApplicationHandler({});
    ProgramEndReason() = TProgramEnd::Normal;
    ProgramInstanceLock().Release();
    TMessageBoxSeam::ClearAnswers();
    TMessageBoxSeam::ClearHistory();
    SwitchLanguage(QString());
    SetProgramClosing(false);
}

void ControllerTest::ProcessPosted() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

THXApplication::Options ControllerTest::TestOptions(bool showSplash) {
    THXApplication::Options options;
    options.showSplash = showSplash;
    options.programPath = QStringLiteral("/usr/bin/horalux");
    options.observeSessionAbsence = false;
    options.createTrackingManager = [this](THXApplication&) {
        m_tracking = std::make_shared<FakeTrackingManager>();
        return m_tracking;
    };
    return options;
}

void ControllerTest::StartController(const THXApplication::Options& options) {
    PrepareApplicationModule();
    m_app = std::make_shared<THXApplication>(options);
    m_app->Initialize();
}

void ControllerTest::StopController() {
    if (m_app)
        m_app->Cleanup();
    m_app.reset();
    ApplicationStart() = TApplicationStart{};
    ProcessPosted();
}
