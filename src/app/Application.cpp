#include "app/Application.h"

#include "about_ui/AboutWindow.h"
#include "addins/AddInManager.h"
#include "addins/InternalAddInManager.h"
#include "addins/RegistryAddInSource.h"
#include "addins/SdkClassFactory.h"
#include "app/AppEvents.h"
#include "app/ApplicationStorage.h"
#include "app/DataFile.h"
#include "app/GlobalBusObject.h"
#include "app/InternalAddIns.h"
#include "app/MainWindow.h"
#include "app/MenuController.h"
#include "app/OptionsAccess.h"
#include "app/SaveAll.h"
#include "app/SdkCompanions.h"
#include "app/Splash.h"
#include "app/TrackingHints.h"
#include "app/TrackingManagerLink.h"
#include "calendar/Calendar.h"
#include "calendar/PlannedBreak.h"
#include "formatting/FormattingOptions.h"
#include "foundation/BuildInformation.h"
#include "foundation/Clock.h"
#include "foundation/DateTime.h"
#include "foundation/Log.h"
#include "foundation/Translation.h"
#include "foundation/VRNException.h"
#include "foundation/VRNTools.h"
#include "foundation/XMLHelper.h"
#include "foundation/platform/Autostart.h"
#include "foundation/platform/InstanceLock.h"
#include "foundation/session/SessionAbsence.h"
#include "model/ActivityLocator.h"
#include "model/ActivityTree.h"
#include "model/DefaultActivities.h"
#include "options_ui/OptionsDialog.h"
#include "storage/StoragePath.h"
#include "tracking/TrackingSettings.h"
#include "tracking_ui/BaseTrackingWindow.h"
#include "tracking_ui/RegularTrackingForm.h"
#include "tracking_ui/TrackingNotices.h"
#include "ui/Action.h"
#include "ui/DialogFont.h"
#include "ui/FormPositions.h"
#include "ui/MessageBox.h"
#include "ui/OptionsPages.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMenu>
#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

const QString kProduct = QStringLiteral("Varnelo Horalux");

/// Runs one step of a teardown; a failure is logged and the next step still runs.
void Guarded(const char* step, const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& e) {
        LogException(QStringLiteral("THXApplication.Cleanup: ") + QString::fromLatin1(step), e);
    } catch (...) {
        LogException(QStringLiteral("THXApplication.Cleanup: ") + QString::fromLatin1(step),
                     std::runtime_error("unknown exception"));
    }
}

const TDataFileTexts kOptionsTexts{
    TrNoop("There was an error loading the options. %1 needs its options to work correctly."),
    TrNoop("There was an error creating an options file. %1 cannot run without its options. The program will be "
           "stopped now."),
    TrNoop("There was an error loading the program options. %1 cannot run without its options. The program will "
           "be stopped now."),
};

const TDataFileTexts kActivitiesTexts{
    // The blank at the end belongs to the text.
    TrNoop("There was an error loading the activities. %1 cannot run without activities. "),
    TrNoop("There was an error creating the activities. %1 cannot run without activities. The program will be "
           "stopped now."),
    TrNoop("There was an error loading the activities. %1 cannot run without activities. The program will be "
           "stopped now."),
};

} // namespace

// ---------------------------------------------------------------------------------------------
// Start-up before any window exists

TApplicationStart& ApplicationStart() {
    static TApplicationStart start;
    return start;
}

void PrepareApplicationModule() {
    InitializeTranslations();
    TApplicationStart& start = ApplicationStart();
    // The tools come first, so that files can be created while the options load.
    start.tools = std::make_shared<THXTools>([](const QString& section) -> PropertyListPtr {
        const PropertyListPtr options = ApplicationStart().options;
        return options ? OptionsSection(options, section) : nullptr;
    });

    // 1. The storage folder. Its errors are not caught: the program stops before any window.
    start.storagePath = DetermineStoragePath(RegistryStoragePathStore());
    // horaluxctl writes only while it holds this lock, and so does the program.
    start.storageLock.reset();
    start.storageLock = AcquireStorageFolderLock(start.storagePath);
    if (!start.storageLock)
        throw EVRNException(QStringLiteral("THXApplication: the storage folder \"%1\" is in use by another program")
                                .arg(start.storagePath));

    // 2. The options.
    start.options = NewOptionsList();
    const PropertyListPtr options = start.options;
    start.optionsFile = LoadOrCreateDataFile(
        start.storagePath + QStringLiteral("options.hx"), OptionsFileType, kOptionsTexts,
        TDataFileContent{[options] { ClearOptions(options); },
                         [options](const TvrnDomElement& content) { LoadOptionsFromXML(options, content); },
                         [options](const TvrnDomElement& content) { SaveOptionsToXML(options, content); },
                         {},
                         {}},
        [] { return ApplicationStart().tools->CreateNewXMZFile(); });

    // 3. The dialog font: 8 points of the desktop's font, or the font chosen in the language
    // options (the stored names of the system's dialog font stand for the desktop's font).
    const PropertyListPtr language = OptionsSection(options, QStringLiteral("language"));
    QFont font(SystemDialogFontFamily());
    font.setPointSize(8);
    if (const std::optional<QFont> stored = SectionFont(language, QStringLiteral("font")))
        font = *stored;
    SetDialogFont(font);

    // 4. The language.
    const QString code = SectionString(language, QStringLiteral("language"), QString());
    if (!code.isEmpty())
        SwitchLanguage(code);

    // 5. The message box captions in that language.
    TranslateMessageBoxButtons();
}

void FinishApplicationModule() {
    TApplicationStart& start = ApplicationStart();
    try {
        if (start.optionsFile)
            start.optionsFile->Close_();
    } catch (const std::exception& e) {
        LogException(QStringLiteral("THXApplication: closing the options file"), e);
    }
    start = TApplicationStart{};
}

// ---------------------------------------------------------------------------------------------
// Creation and initialization

THXApplication::THXApplication() : THXApplication(Options{}) {}

THXApplication::THXApplication(Options options)
    : m_startOptions(std::move(options)), m_providers(NewProviderTables()),
      m_currentWindows([this] { UpdateCurrentWindow_(); }) {}

THXApplication::~THXApplication() {
    if (!m_cleanedUp)
        Cleanup();
}

void THXApplication::Initialize() {
    try {
        if (m_startOptions.showSplash && qobject_cast<QApplication*>(QCoreApplication::instance())) {
            m_splash = new TfrmSplash;
            m_splash->ShowAndWait();
        }
        CreateObjects_();
        CreateMainWindow_();
        if (m_startOptions.launchWindow)
            QCoreApplication::postEvent(m_startOptions.launchWindow, new TMainWindowReadyEvent(m_mainWindow));
        LoadSequence_();
    } catch (...) {
        delete m_splash;
        m_splash = nullptr;
        Cleanup();
        throw;
    }
    delete m_splash;
    m_splash = nullptr;
}

void THXApplication::CreateObjects_() {
    std::weak_ptr<THXApplication> self = weak_from_this();
    m_tools = std::make_shared<THXTools>([self](const QString& section) -> PropertyListPtr {
        const auto app = self.lock();
        return app && app->m_options ? app->GetOptions(section) : nullptr;
    });
    // The controller's tools replace the process-wide ones.
    std::shared_ptr<THXTools> processTools = std::move(ApplicationStart().tools);
    ReleaseAndCleanup(processTools);
    m_options = NewOptionsList();
    const TInternalAddInManager& internalAddIns =
        m_startOptions.internalAddIns ? *m_startOptions.internalAddIns : ProgramInternalAddIns();
    // The add-ins of other libraries, as the user and the machine list them in the settings store.
    InstallSdkCompanions();
    InstallSdkClassFactory(shared_from_this());
    m_addInManager = std::make_unique<TAddInManager>(internalAddIns, std::make_shared<TRegistryAddInSource>());
    m_optionsPages = std::make_shared<TOptionsPagesList>();
    m_actions.clear();
    m_actionList.clear();
    m_calendar = std::make_shared<TCalendar>();
    m_plannedBreaks = std::make_shared<TPlannedBreakList>();
    m_formattingOptions = std::make_shared<TFormattingOptions>();
    m_activityTree = TActivityTree::Create();
}

void THXApplication::CreateMainWindow_() {
    auto* window = new TfrmMain;
    window->SetController(shared_from_this());
    window->SetApplication(this);
    m_mainWindow = window;
    m_menuController = std::make_shared<TMenuController>(this, window->GetTrayPopupMenu());
}

void THXApplication::SplashStep_(const char* text) {
    SetSplashText(FormatPlaceholders(Tr(text), {kProduct}));
}

void THXApplication::SetSplashText(const QString& text) {
    m_splashTexts << text;
    if (m_splash && m_splash->isVisible())
        m_splash->SetStatus(text);
}

void THXApplication::LoadSequence_() {
    SplashStep_(TrNoop("Initializing %1 ..."));
    InitializeStep_();
    SplashStep_(TrNoop("Loading calendar ..."));
    LoadCalendar_();
    SplashStep_(TrNoop("Loading formatting ..."));
    LoadFormatting_();
    SplashStep_(TrNoop("Loading activities ..."));
    LoadActivities_();
    SplashStep_(TrNoop("Preparing tracking ..."));
    PrepareTracking_();
    CreateTrayActions_();
    SplashStep_(TrNoop("Loading add-ins ..."));
    LoadAddIns_();
    SplashStep_(TrNoop("Launching add-ins ..."));
    LaunchAddIns_();
    try {
        ApplyOptions(QString());
    } catch (const std::exception& e) {
        // A setting that cannot be applied (an autostart folder without write permission, say) is
        // reported but does not keep the program from starting.
        LogException(QStringLiteral("THXApplication.ApplyOptions"), e);
        ShowErrorBox(nullptr, kProduct, GetExceptionMessage(e), e);
    }
    AddTrayActions_();
    RouteGenericWindows_();
    m_busObject = std::make_unique<TGlobalBusObject>(weak_from_this());
    m_busObject->Register();
    SplashStep_(TrNoop("Starting %1 ..."));
    StartMainWindow_();
}

void THXApplication::InitializeStep_() {
    TApplicationStart& start = ApplicationStart();
    m_storagePath = start.storagePath;
    if (start.options)
        m_options = start.options;
    m_optionsFile = start.optionsFile;
    m_fileNames.reset();
}

void THXApplication::LoadCalendar_() {
    // An empty "calendar" section receives the calendar's defaults, else the calendar is loaded.
    m_calendar->LoadOrInitialize(GetOptions(QStringLiteral("calendar")));
}

void THXApplication::LoadFormatting_() {
    m_formattingOptions->LoadOrInitialize(GetOptions(QStringLiteral("formatting options")));
}

namespace {

/// The activities as the file would receive them.
QByteArray ActivitiesSnapshot(TActivityTree& tree) {
    TvrnDomDocument document = XMLCreateDocument(QStringLiteral("content"));
    tree.SaveToXML(XMLDocumentElement(document));
    QByteArray bytes = XMLSaveToBytes(document, QStringLiteral("UTF-8"));
    XMLFreeDocument(document);
    return bytes;
}

} // namespace

void THXApplication::LoadActivities_() {
    const std::shared_ptr<TActivityTree> tree = m_activityTree;
    m_activitiesFile = LoadOrCreateDataFile(
        m_storagePath + QStringLiteral("activities.hx"), ActivitiesFileType, kActivitiesTexts,
        TDataFileContent{[tree] { tree->Clear(); },
                         [tree](const TvrnDomElement& content) { tree->LoadFromXML(content); },
                         [tree](const TvrnDomElement& content) { tree->SaveToXML(content); },
                         [tree] { BuildDefaultActivityTree(tree); },
                         [] {
                             // The default tree, built once and dropped, fills the table of default
                             // activity names that activities without a name of their own show.
                             std::shared_ptr<TActivityTree> defaults = TActivityTree::Create();
                             BuildDefaultActivityTree(defaults);
                             ReleaseAndCleanup(defaults);
                         }},
        [this] { return CreateNewXMZFile_(); }, m_splash);
    m_storedActivities = ActivitiesSnapshot(*tree);
}

void THXApplication::PrepareTracking_() {
    if (m_startOptions.observeSessionAbsence && !m_sessionAbsence) {
        m_sessionAbsence = std::make_shared<TSessionAbsenceMonitor>();
        TfrmBaseTracking2::SetSessionAbsence(m_sessionAbsence);
    }
    // The tracking manager's notifications come back through OnDaySwitch ... OnTrackingShown.
    if (m_startOptions.createTrackingManager) {
        m_trackingManager = m_startOptions.createTrackingManager(*this);
        return;
    }
    std::weak_ptr<THXApplication> self = weak_from_this();
    m_trackingManager = std::make_shared<TTrackingManagerLink>(*this, [self]() -> std::shared_ptr<IHXDayEntryStorage> {
        const auto app = self.lock();
        return app ? app->DayEntryStorage_() : nullptr;
    });
}

std::shared_ptr<IHXDayEntryStorage> THXApplication::DayEntryStorage_() {
    if (m_startOptions.dayEntryStorage)
        return m_startOptions.dayEntryStorage();
    return GetStorage();
}

void THXApplication::CreateTrayActions_() {
    const auto showTracking = CreateBuiltInAction_(ActionIdShowTracking, Tr("Show Tracking"), -2, [this] {
        if (!m_currentWindows.HasCurrent() && m_trackingManager)
            m_trackingManager->TrackNow();
    });
    if (showTracking)
        showTracking->SetIsDefault(true);
    CreateBuiltInAction_(TGUID(), QStringLiteral("-"), -1, {});
    CreateBuiltInAction_(TGUID(), QStringLiteral("-"), 60000, {});
    CreateBuiltInAction_(ActionIdAbout, Tr("About"), 60001, [this] {
        if (CanShowWindow())
            ShowAboutWindow_();
    });
    CreateBuiltInAction_(ActionIdOptions, Tr("Options"), 60002, [this] {
        ShowOptionsDialog_();
        ApplyOptions(QString());
    });
    CreateBuiltInAction_(ActionIdExit, Tr("Exit"), 60003, [this] {
        if (m_mainWindow)
            QMetaObject::invokeMethod(m_mainWindow, &TfrmMain::CloseNormally, Qt::QueuedConnection);
    });
}

void THXApplication::LoadAddIns_() {
    m_addInManager->LoadAddIns(GetOptions(QStringLiteral("addins")));
}

void THXApplication::LaunchAddIns_() {
    // The trackers, the providers and the add-ins' actions in the tray menu register themselves
    // here.
    m_addInManager->LaunchAddIns(shared_from_this());
}

void THXApplication::AddTrayActions_() {
    if (!m_menuController)
        return;
    for (const TGUID& id : {ActionIdShowTracking, ActionIdAbout, ActionIdOptions, ActionIdExit})
        m_menuController->AddToMenu(id);
    for (const auto& action : m_actionList)
        if (action->GetCaption() == QLatin1StringView("-"))
            m_menuController->AddToMenu(action->GetID());
    UpdateShowTrackingVisibility_();
    m_menuController->Sort();
}

void THXApplication::RouteGenericWindows_() {
    std::weak_ptr<THXApplication> self = weak_from_this();
    SetGenericWindowHooks({[self](QWidget* window) {
                               if (const auto app = self.lock())
                                   app->AddCurrentWindow(window);
                           },
                           [self](QWidget* window) {
                               if (const auto app = self.lock())
                                   app->RemoveCurrentWindow(window);
                           }});
    // Windows keep their places in the options.
    SetFormPositionOptions(m_options);
}

void THXApplication::StartMainWindow_() {
    if (m_mainWindow)
        m_mainWindow->Start();
    RegisterFormatSettingsNotify(this);
    m_formatListenerRegistered = true;
    m_initialized = true;
}

// ---------------------------------------------------------------------------------------------
// Options

PropertyListPtr THXApplication::GetOptions(const QString& section) {
    return OptionsSection(m_options, section);
}

void THXApplication::ApplyOptions(const QString& section) {
    // Every section is applied even when one fails; the first failure is raised afterwards.
    std::exception_ptr first;
    const auto apply = [&](const QString& name) {
        if (!section.isEmpty() && section.compare(name, Qt::CaseInsensitive) != 0)
            return;
        try {
            ApplySection_(name);
        } catch (...) {
            if (!first)
                first = std::current_exception();
        }
    };
    for (const QString& name : {QStringLiteral("general"), QStringLiteral("planned breaks"), QStringLiteral("calendar"),
                                QStringLiteral("formatting options")})
        apply(name);
    try {
        if (m_trackingManager)
            m_trackingManager->ReloadSettings();
        if (m_mainWindow && (section.isEmpty() || section.compare(u"tracking manager", Qt::CaseInsensitive) == 0))
            m_mainWindow->ReloadHotkeys();
        UpdateShowTrackingVisibility_();
    } catch (...) {
        if (!first)
            first = std::current_exception();
    }
    if (first)
        std::rethrow_exception(first);
}

void THXApplication::ApplySection_(const QString& name) {
    if (name == QLatin1StringView("general")) {
        const bool autostart = SectionBool(GetOptions(name), QStringLiteral("autostart"), true);
        if (autostart)
            WriteAutostartEntry(m_startOptions.programPath.isEmpty() ? QCoreApplication::applicationFilePath()
                                                                     : m_startOptions.programPath);
        else
            DeleteAutostartEntry();
    }
    if (name == PlannedBreaksSectionName && m_plannedBreaks)
        LoadPlannedBreaksFromSection(*m_plannedBreaks, GetOptions(name));
    if (name == QLatin1StringView("calendar") && m_calendar)
        m_calendar->LoadFromPropertyList(GetOptions(name));
    if (name == QLatin1StringView("formatting options") && m_formattingOptions)
        m_formattingOptions->LoadFromPropertyList(GetOptions(name));
}

// ---------------------------------------------------------------------------------------------
// Saving

void THXApplication::SaveOptions() {
    const PropertyListPtr options = m_options;
    const bool compress = SectionBool(GetOptions(QStringLiteral("general")), QStringLiteral("compress"), true);
    const QString path = m_storagePath + QStringLiteral("options.hx");
    SaveDataFile(
        m_optionsFile, path, OptionsFileType,
        [options](const TvrnDomElement& content) { SaveOptionsToXML(options, content); }, compress,
        [this] { return CreateNewXMZFile_(); },
        [path](const std::exception& e) {
            throw EOptionsSaveError(QStringLiteral("Error saving options to file \"") + path + u'"' +
                                    ExceptionToTextSuffix(e));
        });
}

void THXApplication::SaveActivities() {
    const std::shared_ptr<TActivityTree> tree = m_activityTree;
    if (!tree)
        return;
    QByteArray snapshot = ActivitiesSnapshot(*tree);
    if (m_activitiesFile && m_activitiesFile->IsAssigned() && snapshot == m_storedActivities)
        return;
    const QString path = m_storagePath + QStringLiteral("activities.hx");
    SaveDataFile(
        m_activitiesFile, path, ActivitiesFileType, [tree](const TvrnDomElement& content) { tree->SaveToXML(content); },
        std::nullopt, [this] { return CreateNewXMZFile_(); },
        [path](const std::exception& e) {
            throw EActivityTreeSaveError(QStringLiteral("Error saving activities to file \"") + path + u'"' +
                                         ExceptionToTextSuffix(e));
        });
    m_storedActivities = std::move(snapshot);
}

void THXApplication::SaveAll() {
    SaveAllWith(false);
}

void THXApplication::SaveAllAtShutdown() {
    SaveAllWith(true);
}

void THXApplication::SaveAllWith(bool atShutdown) {
    RunSaveSteps({{TrNoop("There was an error saving the program options."), [this] { SaveOptions(); }},
                  {TrNoop("There was an error saving the activities."), [this] { SaveActivities(); }},
                  {TrNoop("There was an error saving the work data."), [this] { SaveWorkData_(); }}},
                 atShutdown);
}

std::shared_ptr<TXMZFile> THXApplication::CreateNewXMZFile_() {
    if (!m_tools)
        throw EMustNotHappen(QStringLiteral("THXApplication.CreateNewXMZFile: no tools"));
    return m_tools->CreateNewXMZFile();
}

// ---------------------------------------------------------------------------------------------
// Actions

std::shared_ptr<IHXAction_> THXApplication::CreateAction() {
    auto action = std::make_shared<THXAction>();
    m_actionList.push_back(action);
    m_actions.insert(action->GetID(), action);
    return action;
}

std::shared_ptr<IHXAction_> THXApplication::GetAction(const TGUID& id) {
    return m_actions.value(id);
}

std::shared_ptr<THXAction> THXApplication::CreateBuiltInAction_(const TGUID& id, const QString& caption,
                                                                int orderPosition, std::function<void()> routine) {
    try {
        auto action = std::make_shared<THXAction>(id);
        action->SetCaption(caption);
        if (routine)
            action->AddExecute(std::make_shared<TInternalExecute>([routine](const QString&) { routine(); }));
        action->SetOrderPosition(orderPosition);
        if (m_actions.contains(action->GetID()))
            throw EVRNException(QStringLiteral("Action with ID '") + action->GetID().ToString() +
                                QStringLiteral("' is already registered."));
        m_actionList.push_back(action);
        m_actions.insert(action->GetID(), action);
        return action;
    } catch (const std::exception& e) {
        LogException(QStringLiteral("THXApplication.CreateAction"), e);
        return nullptr;
    }
}

void THXApplication::UpdateShowTrackingVisibility_() {
    if (const auto showTracking = m_actions.value(ActionIdShowTracking))
        showTracking->SetVisible(m_trackingManager && m_trackingManager->HasIntervalTracker());
}

std::shared_ptr<IHXMenuControl_> THXApplication::GetMenuController() {
    return m_menuController;
}

// ---------------------------------------------------------------------------------------------
// Current windows

QWidget* THXApplication::GetCurrentWindow() {
    return m_currentWindows.Current();
}

void THXApplication::AddCurrentWindow(QWidget* window) {
    m_currentWindows.Add(window);
}

void THXApplication::RemoveCurrentWindow(QWidget* window) {
    m_currentWindows.Remove(window);
}

void THXApplication::UpdateCurrentWindow_() {
    try {
        if (!m_mainWindow)
            return;
        if (m_currentWindows.HasCurrent()) {
            m_mainWindow->ShowTaskbarButton();
            m_mainWindow->UnregisterHotkeys();
        } else {
            m_mainWindow->HideTaskbarButton();
            m_mainWindow->RegisterHotkeys();
        }
    } catch (const std::exception& e) {
        LogException(QStringLiteral("THXApplication._UpdateCurrentWindow"), e);
    }
}

bool THXApplication::CanShowWindow() {
    return m_initialized && !GetCurrentWindow() && !IsTrayMenuActive();
}

bool THXApplication::IsTrayMenuActive() {
    return m_mainWindow && m_mainWindow->IsTrayMenuActive();
}

// ---------------------------------------------------------------------------------------------
// Providers and storage

TStorageFileNames& THXApplication::FileNames_() {
    if (!m_fileNames) {
        if (m_storagePath.isEmpty())
            throw EMustNotHappen(QStringLiteral("THXApplication.GetStorageFileName: no storage folder yet"));
        m_fileNames = std::make_unique<TStorageFileNames>(m_storagePath);
    }
    return *m_fileNames;
}

QString THXApplication::GetStorageFileName(const QString& name) {
    return FileNames_().GetStorageFileName(name);
}

QString THXApplication::GetUniqueStorageFileName(const QString& name) {
    return FileNames_().GetUniqueStorageFileName(name);
}

void THXApplication::ReserveStorageFileName(const QString& fullName) {
    FileNames_().ReserveStorageFileName(fullName);
}

// ---------------------------------------------------------------------------------------------
// Tracking

void THXApplication::UpdateTracking() {
    // A copy: the program may end while the update runs (the controller then drops its own).
    if (const TrackingManagerLinkPtr manager = m_trackingManager)
        manager->UpdateTracking();
}

void THXApplication::RecheckTracking() {
    if (const TrackingManagerLinkPtr manager = m_trackingManager)
        manager->ResetTrackingData();
}

void THXApplication::RequestTrackingCheck() {
    if (m_mainWindow)
        m_mainWindow->PostUpdateTracking();
}

void THXApplication::FormatSettingsChanged() {
    UpdateTracking();
}

void THXApplication::Quit() {
    if (m_mainWindow)
        QCoreApplication::postEvent(m_mainWindow, new QEvent(HXEventType(WM_HXQUIT)));
}

void THXApplication::ShowNotice(QDialog* notice) {
    // A current window while it is shown: no tracking question comes meanwhile.
    AddCurrentWindow(notice);
    BringToFront(notice);
}

void THXApplication::WatchNotice(QDialog* notice) {
    QObject::connect(notice, &QDialog::finished, notice, [this, notice] { RemoveCurrentWindow(notice); });
}

void THXApplication::OnDaySwitch() {
    if (!m_daySwitch) {
        std::weak_ptr<THXApplication> self = weak_from_this();
        m_daySwitch = new TfrmDaySwitch(WorkStartOption(GetOptions(TrackingSettings::SectionName)), [self] {
            if (const auto app = self.lock())
                if (app->m_trackingManager)
                    app->m_trackingManager->RecordProgramStart();
        });
        WatchNotice(m_daySwitch);
    }
    if (!m_daySwitch->isVisible() && CanShowWindow())
        ShowNotice(m_daySwitch);
}

void THXApplication::OnDaySwitchEnd() {
    if (!m_daySwitch)
        return;
    TfrmDaySwitch* notice = m_daySwitch;
    m_daySwitch = nullptr;
    if (notice->isVisible())
        notice->hide();
    RemoveCurrentWindow(notice);
    notice->deleteLater();
}

void THXApplication::OnNextTracking(double t) {
    if (!m_mainWindow)
        return;
    m_mainWindow->SetHint(
        FormatPlaceholders(Tr("Next tracking is at %1."), {FormatLocalTime(TimeOf(t), ShortTimePattern())}));
    const int interval = m_trackingManager ? m_trackingManager->TrackingIntervalMinutes() : 0;
    m_mainWindow->SetIconPercent(
        NextTrackingIconPercent(DateTimeFromQDateTime(Clock::Instance().CurrentDateTime()), t, interval));
}

void THXApplication::OnTrackingImpossible() {
    if (!m_mainWindow)
        return;
    m_mainWindow->SetHint(Tr("Tracking is disabled."));
    m_mainWindow->SetIconQuarter();
    const QString notice = Tr("Tracking is disabled now because there already is a data entry for the current time. "
                              "Please check your worksheet if you think this is not correct.");
    if (m_mainWindow->ShowBalloonHint(kProduct, notice, TBalloonIcon::Warning) == 0)
        return;
    // No balloons: the notice window, created once and kept.
    if (!m_trackingImpossible) {
        m_trackingImpossible = new TfrmTrackingImpossible;
        WatchNotice(m_trackingImpossible);
    }
    m_trackingImpossible->SetText(notice);
    if (m_trackingImpossible->isVisible() || !CanShowWindow()) {
        // Given again at the next update, until it can be shown.
        if (m_trackingManager)
            m_trackingManager->TrackingImpossibleNoticeGiven();
        return;
    }
    ShowNotice(m_trackingImpossible);
}

void THXApplication::OnTrackingPossible() {
    if (m_mainWindow)
        m_mainWindow->HideBalloonHint();
    if (TfrmTrackingImpossible* window = m_trackingImpossible) {
        m_trackingImpossible = nullptr;
        if (window->isVisible())
            window->hide();
        RemoveCurrentWindow(window);
        window->deleteLater();
    }
}

void THXApplication::OnNoTracker() {
    if (!m_mainWindow)
        return;
    m_mainWindow->SetHint(kProduct);
    m_mainWindow->SetIconQuarter();
}

void THXApplication::OnTrackingShown() {
    if (m_mainWindow)
        m_mainWindow->SetHint(Tr("Please enter your activity."));
}

// ---------------------------------------------------------------------------------------------
// Central objects

TfrmMain* THXApplication::MainWindow() const {
    return m_mainWindow;
}

std::shared_ptr<IHXCalendar_> THXApplication::GetCalendar() {
    return m_calendar;
}

std::shared_ptr<IHXActivityTree_> THXApplication::GetActivityTree() {
    return m_activityTree;
}

std::shared_ptr<TPlannedBreakList> THXApplication::GetPlannedBreaks() {
    return m_plannedBreaks;
}

std::shared_ptr<THXTools> THXApplication::GetTools() {
    return m_tools;
}

std::shared_ptr<TFormattingOptions> THXApplication::GetFormattingOptions() {
    return m_formattingOptions;
}

std::shared_ptr<IHXActivityLocator_> THXApplication::CreateActivityLocator() {
    return std::make_shared<TActivityLocator>();
}

void THXApplication::ShowAboutWindow_() {
    TAboutInformation information;
    information.version = QStringLiteral(HORALUX_VERSION_MAJOR_MINOR);
    information.buildInformation = BuildInformation();
    information.storageFolder = m_storagePath;
    if (GetLogSettings().target == LogTarget::File)
        information.logFile = GetLogSettings().fileName;
    for (int i = 0; i < GetAddInCount(); ++i)
        information.addIns.push_back(GetAddIn(i));
    ShowAboutWindow(information, CurrentWindowAdder_(), CurrentWindowRemover_());
}

void THXApplication::ShowOptionsDialog_() {
    std::weak_ptr<THXApplication> self = weak_from_this();
    ShowOptionsDialog(
        m_optionsPages, m_options,
        [self] {
            if (const auto app = self.lock())
                app->SaveAll();
        },
        CurrentWindowAdder_(), CurrentWindowRemover_());
}

std::function<void(QWidget*)> THXApplication::CurrentWindowAdder_() {
    std::weak_ptr<THXApplication> self = weak_from_this();
    return [self](QWidget* window) {
        if (const auto app = self.lock())
            app->AddCurrentWindow(window);
    };
}

std::function<void(QWidget*)> THXApplication::CurrentWindowRemover_() {
    std::weak_ptr<THXApplication> self = weak_from_this();
    return [self](QWidget* window) {
        if (const auto app = self.lock())
            app->RemoveCurrentWindow(window);
    };
}

void THXApplication::ShowNotAvailableYet_(const QString& window) {
    ShowMessageBox(
        nullptr, kProduct,
        FormatPlaceholders(Tr("The window \"%1\" is not available yet in this version of %2."), {window, kProduct}),
        MessageBoxKind::Information);
}

// ---------------------------------------------------------------------------------------------
// Add-ins

std::shared_ptr<IHXAddIn> THXApplication::FindAddIn(const QString& id) {
    return m_addInManager ? m_addInManager->FindAddIn(id) : nullptr;
}

int THXApplication::GetAddInCount() {
    return m_addInManager ? m_addInManager->GetAddInCount() : 0;
}

std::shared_ptr<IHXAddIn> THXApplication::GetAddIn(int index) {
    if (!m_addInManager)
        throw EVRNListError(QStringLiteral("THXApplication.GetAddIn: index ") + IntToWideStr(index) +
                            QStringLiteral(" out of range"));
    return m_addInManager->GetAddIn(index);
}

// ---------------------------------------------------------------------------------------------
// Options pages

std::shared_ptr<TOptionsPagesList> THXApplication::GetOptionsPagesList() {
    return m_optionsPages;
}

// ---------------------------------------------------------------------------------------------
// Shutdown

void THXApplication::Cleanup() {
    if (m_cleanedUp)
        return;
    m_cleanedUp = true;
    m_initialized = false;
    Guarded("session bus", [this] { m_busObject.reset(); });
    // The add-ins keep the controller: releasing them first ends that cycle.
    Guarded("add-ins", [this] {
        ReleaseSdkClassFactoryApplication(this);
        std::unique_ptr<TAddInManager> manager = std::move(m_addInManager);
        if (manager)
            manager->Clear();
    });
    // The pages of the add-ins go with them.
    Guarded("options pages", [this] {
        if (m_optionsPages)
            m_optionsPages->Clear();
    });
    Guarded("regional settings listener", [this] {
        if (m_formatListenerRegistered)
            UnregisterFormatSettingsNotify(this);
        m_formatListenerRegistered = false;
    });
    Guarded("notices", [this] {
        for (QWidget* notice : {static_cast<QWidget*>(m_daySwitch), static_cast<QWidget*>(m_trackingImpossible)})
            if (notice) {
                notice->hide();
                RemoveCurrentWindow(notice);
                delete notice;
            }
    });
    Guarded("session absence", [this] {
        if (m_sessionAbsence)
            TfrmBaseTracking2::SetSessionAbsence(nullptr);
        m_sessionAbsence.reset();
    });
    Guarded("generic windows", [] {
        SetGenericWindowHooks({});
        SetFormPositionOptions(nullptr);
    });
    Guarded("tracking manager", [this] {
        TrackingManagerLinkPtr manager = std::move(m_trackingManager);
        if (manager)
            manager->Cleanup();
    });
    Guarded("storage", [this] { ReleaseStorage_(); });
    Guarded("providers", [this] { ClearProviderTables(*m_providers); });
    Guarded("actions", [this] {
        if (m_menuController)
            m_menuController->Cleanup();
        m_menuController.reset();
        m_actions.clear();
        m_actionList.clear();
    });
    Guarded("data", [this] {
        if (const std::shared_ptr<TXMZFile> file = std::move(m_activitiesFile))
            file->Close_();
        std::shared_ptr<TActivityTree> tree = std::move(m_activityTree);
        if (tree)
            ReleaseAndCleanup(tree);
        m_formattingOptions.reset();
        m_plannedBreaks.reset();
        m_calendar.reset();
    });
    Guarded("main window", [this] {
        if (m_mainWindow) {
            m_mainWindow->SetApplication(nullptr);
            m_mainWindow->deleteLater();
        }
        m_mainWindow = nullptr;
    });
    // The data files stay assigned until the process ends; the start values keep them.
}
