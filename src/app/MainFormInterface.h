#pragma once

// What the controller needs of the main (tray) window. The main window implements it; the tray
// icon, its menu, the hotkeys and the regular timer live behind it.

#include "foundation/GUID.h"

#include <QString>

class QMenu;
class QWidget;
class IApplicationInternal_;

inline const TGUID IID_IHXMainFormInternal_ = TGUID::Constant("{EE339A6F-515E-4548-8B4C-B2FBE2CFD401}");

/// Balloon icon kinds.
enum class TBalloonIcon { None = 0, Information = 1, Warning = 2, Error = 3 };

class IHXMainFormInternal_ {
public:
    IHXMainFormInternal_() = default;
    virtual ~IHXMainFormInternal_() = default;
    IHXMainFormInternal_(const IHXMainFormInternal_&) = delete;
    IHXMainFormInternal_& operator=(const IHXMainFormInternal_&) = delete;

    virtual QWidget* GetHandle() = 0;
    virtual QMenu* GetTrayPopupMenu() = 0;
    virtual void HideTaskbarButton() = 0;
    virtual void ShowTaskbarButton() = 0;
    virtual void SetHint(const QString& hint) = 0;
    /// Returns 0 when the balloon is shown; otherwise the tray cannot show balloons and the caller
    /// shows the notice in a window instead.
    virtual int ShowBalloonHint(const QString& title, const QString& text, TBalloonIcon icon) = 0;
    virtual int HideBalloonHint() = 0;
    virtual bool IsTrayMenuActive() = 0;
    virtual void SetApplication(IApplicationInternal_* application) = 0;
    /// Tray icon visible, regular timer running.
    virtual void Start() = 0;
    virtual void PostRecheckTracking() = 0;
    virtual void PostUpdateTracking() = 0;
    virtual void SetIconPercent(int percent) = 0;
    virtual void SetIconQuarter() = 0;
    virtual void ReloadHotkeys() = 0;
    virtual void UnregisterHotkeys() = 0;
    virtual void RegisterHotkeys() = 0;
};
