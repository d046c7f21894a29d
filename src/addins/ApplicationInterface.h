#pragma once

// The application as every internal part and internal add-in reaches it. The controller
// implements it; add-ins receive it when they are launched. Operations stand in their slot order.

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
class TFormattingOptions;
class THXTools;
class TOptionsPagesList;
class TPlannedBreakList;

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
