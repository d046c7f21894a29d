#pragma once

// The interfaces through which the rest of the program reaches the application controller.
// Operations stand in their slot order.

#include "foundation/GUID.h"

#include <QString>
#include <memory>

class QWidget;
class IHXAction_;
class IHXActivityTree_;
class IHXActivityLocator_;
class IHXAddIn;
class IHXCalendar_;
class IHXEntryProvider_;
class IHXMenuControl_;
class IHXPropertyList_;
class IHXStorage_;
class IHXStorageProvider_;
class IHXTypedStorage_;
class IHXTrackingManagerLink;
class TAddInManager;
class TFormattingOptions;
class THXTools;
class TOptionsPagesList;
class TPlannedBreakList;

inline const TGUID IID_IApplication_ = TGUID::Constant("{0FF14BB2-04E3-4375-B51D-F3AF7B6812C9}");
inline const TGUID IID_IApplicationInternal_ = TGUID::Constant("{F9E43C43-71D0-4F0B-8E93-BEE80A599FFD}");
inline const TGUID IID_Global_ = TGUID::Constant("{5D52FB98-B4EE-4438-959E-841D34988C19}");
inline const TGUID IID_StorageFileNames_ = TGUID::Constant("{93954A96-D3AB-42C8-80D7-23B8310ED72F}");

/// The class ID of the application object.
inline const TGUID CLSID_HXApplication = TGUID::Constant("{42021C09-3CB8-41A4-8F51-CE43FFB427C1}");

/// IDs of the built-in tray actions.
inline const TGUID ActionIdShowTracking = TGUID::Constant("{F11F3517-FE3C-4E06-8460-BE38009A0AFB}");
inline const TGUID ActionIdAbout = TGUID::Constant("{8A587C60-813A-466C-94D9-6C92465DB965}");
inline const TGUID ActionIdOptions = TGUID::Constant("{2C93BA8B-EC3A-4F21-9663-F3E1AA6371B6}");
inline const TGUID ActionIdExit = TGUID::Constant("{3E903DCF-7899-4313-8831-B9233A7A2F4E}");

/// The ID of the storage root provider and the entry type of activity entries.
inline const TGUID StorageRootProviderId = TGUID::Constant("{5FE7CBD9-7B88-4616-9DD2-74C8E34546B1}");
inline const TGUID ActivityEntryTypeId = TGUID::Constant("{AF84B1FB-B545-4F0C-B7A6-4E3007B1A2FF}");

using PropertyListPtr = std::shared_ptr<IHXPropertyList_>;

/// What every internal part and internal add-in uses.
class IApplication_ {
public:
    IApplication_() = default;
    virtual ~IApplication_() = default;
    IApplication_(const IApplication_&) = delete;
    IApplication_& operator=(const IApplication_&) = delete;

    /// The add-in with that ID (compared without regard to case), or none.
    virtual std::shared_ptr<IHXAddIn> FindAddIn(const QString& id) = 0;
    virtual int GetAddInCount() = 0;
    virtual std::shared_ptr<IHXAddIn> GetAddIn(int index) = 0;
    /// A new action with a new ID, registered so that GetAction and the menu find it.
    virtual std::shared_ptr<IHXAction_> CreateAction() = 0;
    virtual std::shared_ptr<IHXAction_> GetAction(const TGUID& id) = 0;
    virtual std::shared_ptr<IHXMenuControl_> GetMenuController() = 0;
    virtual std::shared_ptr<IHXCalendar_> GetCalendar() = 0;
    virtual std::shared_ptr<IHXActivityTree_> GetActivityTree() = 0;
    /// The window on top of the current-window stack, or none.
    virtual QWidget* GetCurrentWindow() = 0;
    virtual void AddCurrentWindow(QWidget* window) = 0;
    virtual void RemoveCurrentWindow(QWidget* window) = 0;
    /// The storage folder, ending with "/".
    virtual QString GetStoragePath() = 0;
    /// Saves everything; asks Retry / Save Later on failures; never raises.
    virtual void SaveAll() = 0;
    /// The section of the options (created empty if missing).
    virtual PropertyListPtr GetOptions(const QString& section) = 0;
    virtual std::shared_ptr<TOptionsPagesList> GetOptionsPagesList() = 0;
    virtual void RegisterEntryProvider(const std::shared_ptr<IHXEntryProvider_>& provider) = 0;
    virtual std::shared_ptr<IHXEntryProvider_> GetEntryProvider(const TGUID& id) = 0;
    virtual void RegisterStorageProvider(const std::shared_ptr<IHXStorageProvider_>& provider) = 0;
    virtual std::shared_ptr<IHXStorageProvider_> GetStorageProvider(const TGUID& id) = 0;
    /// The provider named by the GUID property "storagetype" of the list.
    virtual std::shared_ptr<IHXStorageProvider_> GetStorageProviderFor(const PropertyListPtr& list) = 0;
    /// Applies a section (empty: all sections) to the objects it configures.
    virtual void ApplyOptions(const QString& section) = 0;
    virtual std::shared_ptr<IHXTrackingManagerLink> GetTrackingManager() = 0;
    virtual std::shared_ptr<IHXActivityLocator_> CreateActivityLocator() = 0;
    /// The storage root, created on first use.
    virtual std::shared_ptr<IHXStorage_> GetStorage() = 0;
    /// The storage root seen for activity entries.
    virtual std::shared_ptr<IHXTypedStorage_> GetTypedStorage() = 0;
    virtual bool IsTrayMenuActive() = 0;
    virtual std::shared_ptr<TPlannedBreakList> GetPlannedBreaks() = 0;
    virtual std::shared_ptr<THXTools> GetTools() = 0;
    virtual std::shared_ptr<TFormattingOptions> GetFormattingOptions() = 0;
    /// Initialized, no current window and the tray menu closed.
    virtual bool CanShowWindow() = 0;
    /// A tracking check later, from the message loop.
    virtual void RequestTrackingCheck() = 0;
    /// The splash window's status line, while the splash window is shown.
    virtual void SetSplashText(const QString& text) = 0;
    /// The same as a quit request of another process.
    virtual void Quit() = 0;
};

/// What the main window uses.
class IApplicationInternal_ {
public:
    IApplicationInternal_() = default;
    virtual ~IApplicationInternal_() = default;
    IApplicationInternal_(const IApplicationInternal_&) = delete;
    IApplicationInternal_& operator=(const IApplicationInternal_&) = delete;

    virtual TAddInManager* GetAddInManager() = 0;
    /// The regular tracking check (every tick of the main window's timer).
    virtual void UpdateTracking() = 0;
    virtual std::shared_ptr<IHXCalendar_> GetCalendarInternal() = 0;
    /// Saves everything at shutdown (Retry / Ignore on failures); never raises.
    virtual void SaveAllAtShutdown() = 0;
    /// Drops the tracking manager's loaded data and checks again.
    virtual void RecheckTracking() = 0;
    virtual bool HasCurrentWindow() = 0;
};
