#pragma once

// THXApplication, the application controller: the one object that owns the program's central data
// (options, activity tree, calendar, planned breaks, formatting options, storage root, tracking
// manager, actions) and hands it to the rest of the program. It is created by the launch window
// from inside the message loop, loads everything behind the splash window, offers its services
// through IApplication_ and IApplicationInternal_, and saves everything at the end.
//
// States: created -> initialized (load sequence done; gates window display) -> shut down
// (Cleanup).

#include "app/ApplicationInterfaces.h"
#include "app/CurrentWindows.h"
#include "foundation/International.h"
#include "foundation/VRNTools.h"
#include "foundation/XMZFile.h"
#include "model/HXTools.h"
#include "storage/StorageFileNames.h"
#include "storage/StorageInterfaces.h"
#include "tracking/TrackingManagerLinkInterface.h"
#include "tracking_ui/TrackingNotices.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

class TInstanceLock;

class IHXDayEntryStorage;
class TAddInManager;
class TInternalAddInManager;
class QWidget;
class TfrmMain;
class TMenuController;
class TActivityTree;
class TCalendar;
class TfrmSplash;
class THXAction;
class THXTools;

/// The values prepared before any window exists and kept for the whole run.
struct TApplicationStart {
    /// The tools used until the controller has its own.
    std::shared_ptr<THXTools> tools;
    QString storagePath;
    /// The single-writer lock of the storage folder, held until the module finishes.
    std::shared_ptr<TInstanceLock> storageLock;
    PropertyListPtr options;
    std::shared_ptr<TXMZFile> optionsFile;
};

/// The process-wide start values (empty until PrepareApplicationModule ran).
TApplicationStart& ApplicationStart();

/// Closes the options file and drops the start values; the program calls it when the message loop
/// has ended, before static objects go away.
void FinishApplicationModule();

/// The preparation before any window exists: the storage folder, the options (asking about a
/// damaged file), the dialog font, the language and the message box captions. Storage folder
/// errors raise EVRNException; an options file that can be neither loaded nor created raises
/// EStartupFailure (exit code 1) after the box that says so.
void PrepareApplicationModule();

/// The storage and entry providers by ID (defined with the storage side of the controller).
struct TProviderTables;

class TSessionAbsenceMonitor;

class TGlobalBusObject;

class THXApplication : public IApplication_,
                       public IApplicationInternal_,
                       public IStorageFileNames,
                       public IStorageApplication,
                       public IvrnFormatSettingsNotify,
                       public IVRNCleanableObject,
                       public std::enable_shared_from_this<THXApplication> {
public:
    /// Seams of the start-up; the defaults are what the program uses.
    struct Options {
        /// Receives the main-window-ready event (the launch window); may be null.
        QObject* launchWindow = nullptr;
        /// Shows the splash window while loading.
        bool showSplash = true;
        /// The program written into the autostart entry; empty: this program.
        QString programPath;
        /// Creates the tracking manager when the load sequence prepares tracking; empty: the
        /// program's tracking manager over this controller.
        std::function<TrackingManagerLinkPtr(THXApplication&)> createTrackingManager;
        /// Where the program's tracking manager reads the stored activity entries; empty: the
        /// storage root (tests may hand it a storage of their own).
        std::function<std::shared_ptr<IHXDayEntryStorage>()> dayEntryStorage;
        /// The built-in add-ins to load; null: the program's table.
        const TInternalAddInManager* internalAddIns = nullptr;
        /// Whether the desktop session's absences (locked screen, sleep) are observed for the
        /// tracking question.
        bool observeSessionAbsence = true;
    };

    explicit THXApplication(Options options);
    THXApplication();
    ~THXApplication() override;

    /// Splash, objects, main window, load sequence. Any exception is passed on after the
    /// controller was torn down (the launch window then ends the program).
    void Initialize();
    bool IsInitialized() const { return m_initialized; }

    // --- IApplication_
    std::shared_ptr<IHXAddIn> FindAddIn(const QString& id) override;
    int GetAddInCount() override;
    std::shared_ptr<IHXAddIn> GetAddIn(int index) override;
    std::shared_ptr<IHXAction_> CreateAction() override;
    std::shared_ptr<IHXAction_> GetAction(const TGUID& id) override;
    std::shared_ptr<IHXMenuControl_> GetMenuController() override;
    std::shared_ptr<IHXCalendar_> GetCalendar() override;
    std::shared_ptr<IHXActivityTree_> GetActivityTree() override;
    QWidget* GetCurrentWindow() override;
    void AddCurrentWindow(QWidget* window) override;
    void RemoveCurrentWindow(QWidget* window) override;
    QString GetStoragePath() override { return m_storagePath; }
    void SaveAll() override;
    PropertyListPtr GetOptions(const QString& section) override;
    std::shared_ptr<TOptionsPagesList> GetOptionsPagesList() override;
    void RegisterEntryProvider(const std::shared_ptr<IHXEntryProvider_>& provider) override;
    std::shared_ptr<IHXEntryProvider_> GetEntryProvider(const TGUID& id) override;
    void RegisterStorageProvider(const std::shared_ptr<IHXStorageProvider_>& provider) override;
    std::shared_ptr<IHXStorageProvider_> GetStorageProvider(const TGUID& id) override;
    std::shared_ptr<IHXStorageProvider_> GetStorageProviderFor(const PropertyListPtr& list) override;
    void ApplyOptions(const QString& section) override;
    std::shared_ptr<IHXTrackingManagerLink> GetTrackingManager() override { return m_trackingManager; }
    std::shared_ptr<IHXActivityLocator_> CreateActivityLocator() override;
    std::shared_ptr<IHXStorage_> GetStorage() override;
    std::shared_ptr<IHXTypedStorage_> GetTypedStorage() override;
    bool IsTrayMenuActive() override;
    std::shared_ptr<TPlannedBreakList> GetPlannedBreaks() override;
    std::shared_ptr<THXTools> GetTools() override;
    std::shared_ptr<TFormattingOptions> GetFormattingOptions() override;
    bool CanShowWindow() override;
    void RequestTrackingCheck() override;
    void SetSplashText(const QString& text) override;
    void Quit() override;

    // --- IApplicationInternal_
    TAddInManager* GetAddInManager() override { return m_addInManager.get(); }
    void UpdateTracking() override;
    std::shared_ptr<IHXCalendar_> GetCalendarInternal() override { return GetCalendar(); }
    void SaveAllAtShutdown() override;
    void RecheckTracking() override;
    bool HasCurrentWindow() override { return m_currentWindows.HasCurrent(); }

    // --- storage file names
    QString GetStorageFileName(const QString& name) override;
    QString GetUniqueStorageFileName(const QString& name) override;
    void ReserveStorageFileName(const QString& fullName) override;
    void ReleaseStorageFileName(const QString& fullName) override;

    // --- storage services (the storage providers and their storages ask for them; the
    // provider lookups and GetStorage above serve both faces)
    std::shared_ptr<TXMZFile> CreateNewXMZFile() override { return CreateNewXMZFile_(); }
    IStorageFileNames& StorageFileNames() override { return *this; }

    // --- regional settings changes
    void FormatSettingsChanged() override;

    // --- tracking manager notifications (connected when the load sequence prepares tracking)
    void OnDaySwitch();
    /// The end-of-work and tracking-impossible notices while shown (tests).
    TfrmDaySwitch* DaySwitchWindow() const { return m_daySwitch; }
    TfrmTrackingImpossible* TrackingImpossibleWindow() const { return m_trackingImpossible; }
    void OnDaySwitchEnd();
    void OnNextTracking(double t);
    void OnTrackingImpossible();
    void OnTrackingPossible();
    void OnNoTracker();
    void OnTrackingShown();

    /// Writes the options into "options.hx"; raises EOptionsSaveError.
    void SaveOptions();
    /// Writes the activity tree into "activities.hx"; raises EActivityTreeSaveError.
    void SaveActivities();
    /// Saves everything (at shutdown: Retry / Ignore questions, else Retry / Save Later).
    void SaveAllWith(bool atShutdown);

    /// Breaks the reference cycles and releases everything (each step guarded).
    void Cleanup() override;

    TfrmMain* MainWindow() const;
    PropertyListPtr OptionsList() const { return m_options; }
    /// The step the load sequence is at (its status text), for tests and the log.
    QString LastSplashText() const { return m_splashTexts.value(m_splashTexts.size() - 1); }
    /// Every status text of this load sequence, in order.
    QStringList SplashTexts() const { return m_splashTexts; }

private:
    /// Shows a notice window as a current window (WatchNotice, once per window, ends that when it
    /// closes).
    void ShowNotice(QDialog* notice);
    void WatchNotice(QDialog* notice);
    // The object creation and the load sequence, in order.
    void CreateObjects_();
    void CreateMainWindow_();
    void LoadSequence_();
    void InitializeStep_();
    void LoadCalendar_();
    void LoadFormatting_();
    void LoadActivities_();
    void PrepareTracking_();
    void CreateTrayActions_();
    void LoadAddIns_();
    void LaunchAddIns_();
    void AddTrayActions_();
    void RouteGenericWindows_();
    void StartMainWindow_();
    void SplashStep_(const char* text);
    void SaveWorkData_();
    void ShowAboutWindow_();
    void ShowOptionsDialog_();
    /// Register and unregister a window as the current one, as long as the controller exists.
    std::function<void(QWidget*)> CurrentWindowAdder_();
    std::function<void(QWidget*)> CurrentWindowRemover_();
    /// Tells the user plainly that the window behind a menu entry is not part of the program yet.
    void ShowNotAvailableYet_(const QString& window);
    std::shared_ptr<IHXDayEntryStorage> DayEntryStorage_();
    TStorageFileNames& FileNames_();
    void ReleaseStorage_();

    std::shared_ptr<THXAction> CreateBuiltInAction_(const TGUID& id, const QString& caption, int orderPosition,
                                                    std::function<void()> routine);
    void UpdateShowTrackingVisibility_();
    void UpdateCurrentWindow_();
    std::shared_ptr<TXMZFile> CreateNewXMZFile_();
    void ApplySection_(const QString& section);

    Options m_startOptions;
    std::shared_ptr<THXTools> m_tools;
    QString m_storagePath;
    std::unique_ptr<TStorageFileNames> m_fileNames;
    PropertyListPtr m_options;
    std::shared_ptr<TXMZFile> m_optionsFile;
    std::shared_ptr<TXMZFile> m_activitiesFile;
    /// The activities as last read or written: a save that would write the same is skipped, so
    /// the file (and its save stamp) changes only when the activities did.
    QByteArray m_storedActivities;
    std::shared_ptr<TActivityTree> m_activityTree;
    std::shared_ptr<TCalendar> m_calendar;
    std::shared_ptr<TPlannedBreakList> m_plannedBreaks;
    std::shared_ptr<TFormattingOptions> m_formattingOptions;
    std::shared_ptr<IHXStorage_> m_storage;
    std::shared_ptr<IHXTypedStorage_> m_typedStorage;
    TrackingManagerLinkPtr m_trackingManager;
    std::unique_ptr<TProviderTables> m_providers;
    std::unique_ptr<TAddInManager> m_addInManager;
    /// The application object on the session bus, from the end of the start to Cleanup.
    std::unique_ptr<TGlobalBusObject> m_busObject;
    std::shared_ptr<TOptionsPagesList> m_optionsPages;
    QHash<TGUID, std::shared_ptr<THXAction>> m_actions;
    std::vector<std::shared_ptr<THXAction>> m_actionList;
    TCurrentWindowStack m_currentWindows;
    QPointer<TfrmMain> m_mainWindow;
    /// When the user was away from the desktop, for the tracking question.
    std::shared_ptr<TSessionAbsenceMonitor> m_sessionAbsence;
    /// The end-of-work notice while the tracking manager reports the end of the working day.
    QPointer<TfrmDaySwitch> m_daySwitch;
    /// The tracking-impossible notice where the tray shows no balloons (created once, kept).
    QPointer<TfrmTrackingImpossible> m_trackingImpossible;
    std::shared_ptr<TMenuController> m_menuController;
    TfrmSplash* m_splash = nullptr;
    QStringList m_splashTexts;
    bool m_initialized = false;
    bool m_formatListenerRegistered = false;
    bool m_cleanedUp = false;
};
