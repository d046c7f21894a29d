// The application controller from start-up to shutdown, in a temporary home.
#include "app/Application.h"
#include "ControllerTestSupport.h"
#include "about_ui/AboutWindow.h"
#include "app/DataFile.h"
#include "app/LaunchWindow.h"
#include "app/MainWindow.h"
#include "app/ProgramApplication.h"
#include "app/ProgramEnd.h"
#include "foundation/DateTime.h"
#include "foundation/International.h"
#include "foundation/Log.h"
#include "foundation/Registry.h"
#include "foundation/Translation.h"
#include "foundation/ipc/InstanceProtocol.h"
#include "foundation/platform/Autostart.h"
#include "foundation/platform/InstanceLock.h"
#include "model/ActivityInterfaces.h"
#include "model/ActivityLocator.h"
#include "model/PropertyHelpers.h"
#include "model/PropertyInterfaces.h"
#include "options_ui/OptionsDialog.h"
#include "support/TestEnvironment.h"
#include "ui/Action.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

/// The tree as sorted lines "id name break: child ids", so that two trees compare by content
/// (the order in which a file lists its activities may change between saves).
QStringList DescribeTree(const std::shared_ptr<IHXActivityTree_>& tree) {
    QStringList lines;
    const auto describeChilds = [](const ActivityListPtr& list) {
        QStringList ids;
        for (int i = 0; list && i < list->Count(); ++i)
            ids << GUIDToWideString(list->Items(i)->ID());
        return ids.join(u' ');
    };
    const auto activities = tree->Activities();
    for (activities->First(); !activities->EndOfList(); activities->Next()) {
        const ActivityPtr activity = activities->CurrentItem();
        lines << QStringLiteral("%1 %2 %3: %4")
                     .arg(GUIDToWideString(activity->ID()), activity->Name(),
                          activity->IsBreak() ? QStringLiteral("break") : QStringLiteral("work"),
                          describeChilds(activity->Childs()));
    }
    lines.sort();
    lines << QStringLiteral("roots: ") + describeChilds(tree->Childs());
    return lines;
}

class ApplicationTest : public ControllerTest {
protected:
    /// Module preparation and a controller with a fake tracking manager.
    void Start(bool showSplash = false) { StartController(TestOptions(showSplash)); }
    /// The normal close as the main window runs it; the controller is released.
    void CloseNormally() {
        QPointer<TfrmMain> window = m_app->MainWindow();
        std::weak_ptr<THXApplication> weak = m_app;
        m_app.reset(); // the main window keeps the controller
        ASSERT_FALSE(weak.expired());
        window->CloseNormally();
        ProcessPosted();
        EXPECT_TRUE(weak.expired());
        EXPECT_EQ(window, nullptr);
        ApplicationStart() = TApplicationStart{}; // the process ends: the files close
    }
};

TEST_F(ApplicationTest, FirstStartCreatesTheStorageFolderAndDataFilesAndASecondStartReadsThemBack) {
    QDir(m_home.DataHome()).removeRecursively(); // a truly empty home
    Start(true);
    EXPECT_TRUE(m_app->IsInitialized());
    EXPECT_EQ(m_app->GetStoragePath(), Folder());
    EXPECT_EQ(RegReadStringDef(QStringLiteral("HKEY_CURRENT_USER\\Software\\Varnelo\\Horalux"),
                               QStringLiteral("StoragePath"), QString()),
              Folder());
    EXPECT_TRUE(QFileInfo::exists(Folder() + QStringLiteral("options.hx")));
    EXPECT_EQ(m_app->LastSplashText(), QStringLiteral("Starting Varnelo Horalux ..."));
    EXPECT_EQ(m_app->SplashTexts(),
              (QStringList{"Initializing Varnelo Horalux ...", "Loading calendar ...", "Loading formatting ...",
                           "Loading activities ...", "Preparing tracking ...", "Loading add-ins ...",
                           "Launching add-ins ...", "Starting Varnelo Horalux ..."}));
    EXPECT_TRUE(QFileInfo::exists(AutostartEntryPath())) << "autostart is on by default";
    EXPECT_TRUE(m_app->MainWindow()->IsStarted());

    // The default activity tree and the default sections of the calendar and the formatting.
    const QString activities = Folder() + QStringLiteral("activities.hx");
    ASSERT_TRUE(QFileInfo::exists(activities));
    const TGUID lunchId = TGUID::Constant("{DE0F0C40-C4F7-4C6D-A027-AA3F05BC94D0}");
    ASSERT_NE(m_app->GetActivityTree()->FindActivity(lunchId), nullptr);
    EXPECT_EQ(m_app->GetActivityTree()->FindActivity(lunchId)->Name(), QStringLiteral("Lunch"));
    EXPECT_GT(m_app->GetOptions(QStringLiteral("calendar"))->Count(), 0);
    EXPECT_GT(m_app->GetOptions(QStringLiteral("formatting options"))->Count(), 0);

    const QStringList firstTree = DescribeTree(m_app->GetActivityTree());
    EXPECT_EQ(firstTree.size(), 13) << "ten default activities, two pseudo activities, the roots";

    m_app->GetOptions(QStringLiteral("worksheet"))->Items(QStringLiteral("zoom"))->SetAsInteger(150);
    CloseNormally();
    EXPECT_EQ(m_terminated, 1);
    EXPECT_EQ(ProgramEndReason(), TProgramEnd::Normal);

    Start();
    EXPECT_EQ(FindIntegerDef(m_app->GetOptions(QStringLiteral("worksheet")), QStringLiteral("zoom"), 0), 150);
    EXPECT_EQ(DescribeTree(m_app->GetActivityTree()), firstTree) << "the tree was read back unchanged";
    EXPECT_TRUE(TMessageBoxSeam::History().empty()) << "nothing was asked";
    CloseNormally();
}

TEST_F(ApplicationTest, OptionsChangedInMemoryAreInTheFileAfterAQuitEvenWhenAStepBeforeTheSaveFails) {
    Start();
    m_app->GetOptions(QStringLiteral("general"))->Items(QStringLiteral("autostart"))->SetAsBoolean(false);
    TfrmMain* window = m_app->MainWindow();
    TCloseSteps steps = window->CloseSteps();
    steps.hideTrayIcon = [] { throw EVRNException("the tray is gone"); };
    steps.disableRegularTimer = [] { throw std::runtime_error("timer"); };
    const QStringList failed = MakeCloseSequence(QStringLiteral("test"), steps, false).Run();
    EXPECT_EQ(failed, (QStringList{"HideTrayIcon", "DisableRegularTimer"}));
    ApplicationStart() = TApplicationStart{};
    m_app->Cleanup();
    m_app.reset();
    ProcessPosted();

    Start();
    EXPECT_FALSE(FindBooleanDef(m_app->GetOptions(QStringLiteral("general")), QStringLiteral("autostart"), true));
    EXPECT_FALSE(QFileInfo::exists(AutostartEntryPath())) << "autostart off deletes the entry";
}

TEST_F(ApplicationTest, AFailingLastQuestionDoesNotSkipTheSave) {
    Start();
    m_tracking->failFinish = true;
    m_app->GetOptions(QStringLiteral("reporting"))->Items(QStringLiteral("zoom"))->SetAsInteger(7);
    const std::shared_ptr<FakeTrackingManager> tracking = m_tracking;
    CloseNormally();
    EXPECT_TRUE(tracking->calls.contains(QStringLiteral("FinishTracking")));
    EXPECT_TRUE(tracking->calls.contains(QStringLiteral("Cleanup")));
    Start();
    EXPECT_EQ(FindIntegerDef(m_app->GetOptions(QStringLiteral("reporting")), QStringLiteral("zoom"), 0), 7);
}

TEST_F(ApplicationTest, QuitRequestThroughTheLaunchWindowSavesAndEnds) {
    ASSERT_TRUE(ProgramInstanceLock().TryAcquire());
    PrepareApplicationModule();
    std::weak_ptr<THXApplication> controller;
    TfrmLaunch::Options launchOptions;
    launchOptions.createApplication = [&](TfrmLaunch& launch) {
        THXApplication::Options options;
        options.launchWindow = &launch;
        options.showSplash = false;
        auto application = std::make_shared<THXApplication>(options);
        application->Initialize();
        application->GetOptions(QStringLiteral("holiday booker"))->Items(QStringLiteral("x"))->SetAsInteger(3);
        controller = application;
        return std::shared_ptr<void>(application);
    };
    TfrmLaunch launch(launchOptions);
    ProcessPosted();
    ASSERT_NE(launch.MainWindow(), nullptr);
    EXPECT_FALSE(controller.expired());
    EXPECT_EQ(launch.HandleInstanceMessage(WM_HXQUIT), QCoreApplication::applicationPid());
    ProcessPosted();
    EXPECT_EQ(ProgramEndReason(), TProgramEnd::QuitByOtherInstance);
    EXPECT_EQ(m_terminated, 1);
    EXPECT_TRUE(controller.expired());
    EXPECT_FALSE(ProgramInstanceLock().IsHeld());

    ApplicationStart() = TApplicationStart{};
    Start();
    EXPECT_EQ(FindIntegerDef(m_app->GetOptions(QStringLiteral("holiday booker")), QStringLiteral("x"), 0), 3);
}

TEST_F(ApplicationTest, DamagedOptionsCreateNewOrCancelWithExitCodeOne) {
    QDir().mkpath(Folder());
    const auto damage = [this] {
        QFile file(Folder() + QStringLiteral("options.hx"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("\xff\xfe<broken");
    };
    damage();
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::Cancel);
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::OK);
    try {
        PrepareApplicationModule();
        FAIL();
    } catch (const EStartupFailure& e) {
        EXPECT_EQ(e.ExitCode(), 1);
    }
    ASSERT_EQ(TMessageBoxSeam::History().size(), 2u);
    EXPECT_EQ(TMessageBoxSeam::History()[0].text,
              QStringLiteral("There was an error loading the options. Varnelo Horalux needs its options to work "
                             "correctly."));
    EXPECT_EQ(TMessageBoxSeam::History()[1].text,
              QStringLiteral("There was an error loading the program options. Varnelo Horalux cannot run without "
                             "its options. The program will be stopped now."));

    ApplicationStart() = TApplicationStart{};
    TMessageBoxSeam::ClearHistory();
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::CreateNew);
    Start();
    EXPECT_TRUE(m_app->IsInitialized());
    EXPECT_TRUE(QFileInfo::exists(Folder() + QStringLiteral("options.hx.damaged")));
}

TEST_F(ApplicationTest, DamagedActivitiesAreAskedAboutAndCreateNewWritesTheDefaultTree) {
    Start();
    CloseNormally();
    const QString activities = Folder() + QStringLiteral("activities.hx");
    {
        QFile file(activities);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("\xff\xfe<broken");
    }
    TMessageBoxSeam::ClearHistory();
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::Retry); // still broken: asked again
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::CreateNew);
    Start();
    EXPECT_TRUE(m_app->IsInitialized());
    ASSERT_EQ(TMessageBoxSeam::History().size(), 2u);
    EXPECT_EQ(TMessageBoxSeam::History()[0].text,
              QStringLiteral("There was an error loading the activities. Varnelo Horalux cannot run without "
                             "activities. "));
    EXPECT_TRUE(QFileInfo::exists(activities + QStringLiteral(".damaged"))) << "the user's file is kept";
    EXPECT_NE(m_app->GetActivityTree()->FindActivity(TGUID::Constant("{DE0F0C40-C4F7-4C6D-A027-AA3F05BC94D0}")),
              nullptr);
}

TEST_F(ApplicationTest, GermanLanguageOptionTranslatesTheStartUp) {
    // A first start writes the options; the language is chosen in them.
    Start();
    m_app->GetOptions(QStringLiteral("language"))->Items(QStringLiteral("language"))->SetAsString(QStringLiteral("de"));
    CloseNormally();
    Start(true);
    EXPECT_EQ(m_app->LastSplashText(), QStringLiteral("Starte Varnelo Horalux ..."));
    EXPECT_EQ(MessageBoxButtonCaption(MessageBoxButton::Retry), QStringLiteral("&Wiederholen"));
    EXPECT_EQ(m_app->GetAction(ActionIdExit)->GetCaption(), QStringLiteral("Beenden"));
    // Default activities the user has not renamed follow the language.
    const auto lunch =
        m_app->GetActivityTree()->FindActivity(TGUID::Constant("{DE0F0C40-C4F7-4C6D-A027-AA3F05BC94D0}"));
    ASSERT_NE(lunch, nullptr);
    EXPECT_EQ(lunch->Name(), QStringLiteral("Mittagspause"));
}

TEST_F(ApplicationTest, TrayMenuIsOrderedAndShowTrackingFollowsTheTracker) {
    Start();
    QStringList captions;
    for (QAction* action : m_app->MainWindow()->GetTrayPopupMenu()->actions())
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(captions, (QStringList{"Show Tracking", "-", "Worksheet", "Reports", "Export", "Edit Activities", "-",
                                     "About", "Options", "Exit"}));
    QStringList reports;
    for (QAction* action : m_app->MainWindow()->GetTrayPopupMenu()->actions())
        if (action->menu())
            for (QAction* item : action->menu()->actions())
                reports << item->text();
    EXPECT_EQ(reports, (QStringList{"Activity Report", "Day Report"}));
    auto* showTracking = m_app->MainWindow()->GetTrayPopupMenu()->defaultAction();
    ASSERT_NE(showTracking, nullptr);
    EXPECT_TRUE(showTracking->isVisible());
    showTracking->trigger();
    EXPECT_TRUE(m_tracking->calls.contains(QStringLiteral("TrackNow")));

    m_tracking->intervalTracker = false;
    m_app->ApplyOptions(QStringLiteral("tracking manager"));
    EXPECT_FALSE(showTracking->isVisible());
}

// Hot keys follow the current windows too; without an X server they never register, so the X tests
// show that part (MainWindowX11Test).
TEST_F(ApplicationTest, AnEntryChosenInTheTrayMenuMayOpenItsWindow) {
    Start();
    TfrmMain* main = m_app->MainWindow();
    // As the toolkit does it: the menu hides, then the chosen entry runs, all inside the menu loop.
    main->SetMenuRunner([this](QMenu* menu) {
        menu->show();
        EXPECT_TRUE(m_app->IsTrayMenuActive());
        menu->hide();
        m_app->GetAction(ActionIdAbout)->Execute();
    });
    TMessageBoxSeam::ClearHistory();
    main->TrayIconClicked(Qt::RightButton); // the menu opens from the message loop
    ProcessPosted();
    auto* about = qobject_cast<TfrmAbout*>(m_app->GetCurrentWindow());
    ASSERT_NE(about, nullptr) << "the About window opened";
    EXPECT_TRUE(about->isVisible());
    EXPECT_FALSE(m_app->IsTrayMenuActive());
    about->reject();
    ProcessPosted();
    EXPECT_EQ(m_app->GetCurrentWindow(), nullptr);
}

TEST_F(ApplicationTest, NewActivityLocatorsAreEmpty) {
    Start();
    const auto first = m_app->CreateActivityLocator();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->ID().IsNull());
    EXPECT_TRUE(first->Path().isEmpty());
    EXPECT_NE(m_app->CreateActivityLocator(), first) << "a new locator every time";
}

TEST_F(ApplicationTest, CurrentWindowsGateWindows) {
    Start();
    EXPECT_TRUE(m_app->CanShowWindow());
    QWidget window;
    m_app->AddCurrentWindow(&window);
    EXPECT_EQ(m_app->GetCurrentWindow(), &window);
    EXPECT_FALSE(m_app->CanShowWindow());
    m_app->RemoveCurrentWindow(&window);
    m_app->RemoveCurrentWindow(&window); // again: nothing happens
    EXPECT_TRUE(m_app->CanShowWindow());

    // A message box is a current window while it is shown.
    bool wasCurrent = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<TfrmMessageBox*>(m_app->GetCurrentWindow());
        wasCurrent = box != nullptr;
        if (box)
            box->Button(MessageBoxButton::OK)->click();
    });
    ShowMessageBox(nullptr, QStringLiteral("c"), QStringLiteral("t"), MessageBoxKind::Information);
    EXPECT_TRUE(wasCurrent);
    EXPECT_FALSE(m_app->HasCurrentWindow());
}

TEST_F(ApplicationTest, TrackingNotificationsAppearAtTheTray) {
    ScopedFixedClock clock(QDateTime(QDate(2024, 3, 4), QTime(10, 0)));
    ScopedUserLocale locale(QStringLiteral("de_DE"));
    Start();
    TfrmMain* main = m_app->MainWindow();
    m_app->OnNextTracking(DateTimeFromQDateTime(QDateTime(QDate(2024, 3, 4), QTime(10, 45))));
    EXPECT_EQ(main->Hint(), QStringLiteral("Next tracking is at 10:45."));
    EXPECT_EQ(main->IconPercent(), 25);
    m_app->OnTrackingImpossible();
    EXPECT_EQ(main->Hint(), QStringLiteral("Tracking is disabled."));
    EXPECT_EQ(main->IconPercent(), 25);
    // Without balloons (no tray here) the notice window says it, as a current window.
    TfrmTrackingImpossible* notice = m_app->TrackingImpossibleWindow();
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->windowTitle(), QStringLiteral("Tracking deactivated"));
    EXPECT_TRUE(notice->Label()->text().startsWith(QStringLiteral("Tracking is disabled now because")));
    EXPECT_EQ(m_app->GetCurrentWindow(), notice);
    EXPECT_FALSE(m_tracking->calls.contains(QStringLiteral("NoticeGiven")));
    // Shown already: the notice is given again at the next update.
    m_app->OnTrackingImpossible();
    EXPECT_TRUE(m_tracking->calls.contains(QStringLiteral("NoticeGiven")));
    m_app->OnTrackingPossible();
    EXPECT_EQ(m_app->TrackingImpossibleWindow(), nullptr);
    EXPECT_EQ(m_app->GetCurrentWindow(), nullptr);
    ProcessPosted();
    m_app->OnNoTracker();
    EXPECT_EQ(main->Hint(), QStringLiteral("Varnelo Horalux"));
    m_app->OnTrackingShown();
    EXPECT_EQ(main->Hint(), QStringLiteral("Please enter your activity."));

    m_tracking->calls.clear();
    m_app->RequestTrackingCheck();
    main->PostRecheckTracking();
    ProcessPosted();
    EXPECT_EQ(m_tracking->calls, (QStringList{"UpdateTracking", "ResetTrackingData"}));
}

TEST_F(ApplicationTest, ExitActionClosesNormallyFromTheMessageLoop) {
    Start();
    const std::shared_ptr<FakeTrackingManager> tracking = m_tracking;
    QPointer<TfrmMain> window = m_app->MainWindow();
    const auto exitAction = m_app->GetAction(ActionIdExit);
    m_app.reset();
    exitAction->Execute();
    EXPECT_EQ(m_terminated, 0) << "the close runs later, from the loop";
    ProcessPosted();
    EXPECT_EQ(m_terminated, 1);
    EXPECT_TRUE(tracking->calls.contains(QStringLiteral("FinishTracking")));
    EXPECT_EQ(window, nullptr);
}

} // namespace

namespace {

TEST_F(ApplicationTest, AboutAndOptionsOpenTheirWindowsAsCurrentWindows) {
    Start();
    // About: not modal, a current window until it closes.
    m_app->GetAction(ActionIdAbout)->Execute();
    const QPointer<TfrmAbout> about = qobject_cast<TfrmAbout*>(m_app->GetCurrentWindow());
    ASSERT_FALSE(about.isNull());
    EXPECT_EQ(about->windowTitle(), QStringLiteral("About Varnelo Horalux"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    m_app->GetAction(ActionIdAbout)->Execute();
    EXPECT_EQ(m_app->GetCurrentWindow(), about.data()) << "no second About window while one is open";
    about->reject();
    ProcessPosted();
    EXPECT_TRUE(about.isNull()) << "freed when closed";
    EXPECT_EQ(m_app->GetCurrentWindow(), nullptr);

    // Options: modal, a current window while it is shown, the options applied afterwards.
    bool optionsWereCurrent = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TfrmOptions*>(QApplication::activeModalWidget());
        optionsWereCurrent = dialog && m_app->GetCurrentWindow() == dialog &&
                             dialog->windowTitle() == QStringLiteral("Varnelo Horalux Options");
        if (dialog)
            dialog->reject();
    });
    m_tracking->calls.clear();
    m_app->GetAction(ActionIdOptions)->Execute();
    EXPECT_TRUE(optionsWereCurrent);
    EXPECT_EQ(m_app->GetCurrentWindow(), nullptr);
    EXPECT_TRUE(m_tracking->calls.contains(QStringLiteral("ReloadSettings"))) << "the options were applied";
    EXPECT_TRUE(TMessageBoxSeam::History().empty());

    // While the tray menu is open no window may appear: About does nothing then.
    bool ran = false;
    m_app->MainWindow()->SetMenuRunner([&](QMenu*) {
        ran = true;
        m_app->GetAction(ActionIdAbout)->Execute();
    });
    m_app->MainWindow()->TrayIconClicked(Qt::RightButton);
    ProcessPosted();
    EXPECT_TRUE(ran);
    EXPECT_EQ(m_app->GetCurrentWindow(), nullptr);
    EXPECT_TRUE(TMessageBoxSeam::History().empty());
}

TEST_F(ApplicationTest, UnexpectedErrorsAreLoggedAndShownAndTheProgramGoesOn) {
    const LogSettings saved = GetLogSettings();
    const QString logPath = m_home.Path(QStringLiteral("u.log"));
    GetLogSettings() = {LogTarget::File, LogLevelNormal, logPath};
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::OK);
    // An exception escaping an event handler reaches the application object's guard.
    const bool handled = NotifyGuarded([]() -> bool { throw EVRNListError(QStringLiteral("index 3 out of range")); });
    GetLogSettings() = saved;
    EXPECT_FALSE(handled);
    const auto box = TMessageBoxSeam::Last();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, QStringLiteral("Varnelo Horalux"));
    EXPECT_TRUE(box->text.startsWith(QStringLiteral("We're sorry, but an unexpected error occured.")));
    EXPECT_TRUE(box->text.endsWith(QStringLiteral("We recommend you exit Varnelo Horalux and restart the program as "
                                                  "soon as possible.")));
    EXPECT_EQ(box->details, ExceptionToText(EVRNListError(QStringLiteral("index 3 out of range"))));
    EXPECT_EQ(box->kind, MessageBoxKind::Error);
    QFile log(logPath);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains("Unexpected Error: "));

    // A cancelled command ends quietly; a normal delivery passes its result on.
    TMessageBoxSeam::ClearHistory();
    EXPECT_FALSE(NotifyGuarded([]() -> bool { throw EUserCancel(QStringLiteral("stop")); }));
    EXPECT_TRUE(NotifyGuarded([] { return true; }));
    EXPECT_TRUE(TMessageBoxSeam::History().empty());
}

TEST_F(ApplicationTest, RegionalSettingsChangeRenewsTheSnapshotAndRechecksTracking) {
    Start();
    m_tracking->calls.clear();
    QEvent change(QEvent::LocaleChange);
    QCoreApplication::sendEvent(qApp, &change);
    EXPECT_EQ(m_tracking->calls, QStringList{QStringLiteral("UpdateTracking")})
        << "the hint is formatted again with the new settings";
}

TEST_F(ApplicationTest, SessionEndIsRefusedWhileTheWorksheetIsOpenAndOtherwiseClosesNormally) {
    Start();
    m_tracking->worksheetOpen = true;
    QWidget worksheet;
    m_app->AddCurrentWindow(&worksheet);
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::OK);
    EXPECT_FALSE(m_app->MainWindow()->AnswerSessionEnd(true));
    const auto box = TMessageBoxSeam::Last();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, QStringLiteral("Varnelo Horalux has some open windows. Please close these windows before "
                                        "closing Windows."));
    EXPECT_EQ(box->kind, MessageBoxKind::Warning);
    EXPECT_EQ(m_terminated, 0);
    EXPECT_FALSE(m_tracking->calls.contains(QStringLiteral("FinishTracking")));
    TMessageBoxSeam::ClearHistory();
    EXPECT_FALSE(m_app->MainWindow()->AnswerSessionEnd(false));
    EXPECT_TRUE(TMessageBoxSeam::History().empty()) << "no question when the session allows none";

    // With only the tracking window open it gives way: the last question is asked and the program
    // ends as with Exit.
    m_app->RemoveCurrentWindow(&worksheet);
    m_tracking->worksheetOpen = false;
    const std::shared_ptr<FakeTrackingManager> tracking = m_tracking;
    QPointer<TfrmMain> window = m_app->MainWindow();
    m_app.reset();
    EXPECT_TRUE(window->AnswerSessionEnd(true));
    EXPECT_EQ(m_terminated, 1);
    EXPECT_TRUE(tracking->calls.contains(QStringLiteral("FinishTracking")));
}

TEST_F(ApplicationTest, ATerminationSignalSavesWithoutWaitingForTheLastQuestion) {
    Start();
    m_app->GetOptions(QStringLiteral("reporting"))->Items(QStringLiteral("zoom"))->SetAsInteger(9);
    const std::shared_ptr<FakeTrackingManager> tracking = m_tracking;
    QPointer<TfrmMain> window = m_app->MainWindow();
    m_app.reset();
    window->CloseBySignal();
    ProcessPosted();
    EXPECT_EQ(m_terminated, 1);
    EXPECT_EQ(ProgramEndReason(), TProgramEnd::Normal);
    EXPECT_FALSE(tracking->calls.contains(QStringLiteral("FinishTracking")));
    EXPECT_TRUE(tracking->calls.contains(QStringLiteral("Cleanup")));
    ApplicationStart() = TApplicationStart{};
    Start();
    EXPECT_EQ(FindIntegerDef(m_app->GetOptions(QStringLiteral("reporting")), QStringLiteral("zoom"), 0), 9);
}

} // namespace
