#pragma once

// The interfaces through which the rest of the program reaches the application controller (the
// one that add-ins use comes with the add-ins). Operations stand in their slot order.

#include "addins/ApplicationInterface.h"
#include "foundation/GUID.h"

#include <QString>
#include <memory>

class IHXCalendar_;
class TAddInManager;

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
