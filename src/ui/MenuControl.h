#pragma once

// What add-ins see of the tray menu: they add their actions' items to it (the controller's menu
// controller implements it).

#include "foundation/GUID.h"

inline const TGUID IID_IHXMenuControl_ = TGUID::Constant("{C6CF300E-3715-4E5A-8EDE-01B9ED882A75}");
inline const TGUID IID_IHXMenuSort_ = TGUID::Constant("{A312CC4E-2057-448C-A7F4-D685E061A985}");

class IHXMenuControl_ {
public:
    IHXMenuControl_() = default;
    virtual ~IHXMenuControl_() = default;
    IHXMenuControl_(const IHXMenuControl_&) = delete;
    IHXMenuControl_& operator=(const IHXMenuControl_&) = delete;

    /// Appends the action's item to the top level of the menu; an unknown ID changes nothing.
    virtual void AddToMenu(const TGUID& actionId) = 0;
    /// Appends the action's item to the "Reports" submenu, which is created on first use.
    virtual void AddToReportMenu(const TGUID& actionId) = 0;
};

class IHXMenuSort_ {
public:
    IHXMenuSort_() = default;
    virtual ~IHXMenuSort_() = default;
    IHXMenuSort_(const IHXMenuSort_&) = delete;
    IHXMenuSort_& operator=(const IHXMenuSort_&) = delete;

    /// Orders the top-level items by order position; equal positions keep their order of
    /// insertion, and items without one (the "Reports" submenu) count as 0.
    virtual void Sort() = 0;
};
