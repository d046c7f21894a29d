#pragma once

// The application as an external add-in sees it (Global_).

#include "addins/ApplicationInterface.h"

#include <HoraluxSDK.h>
#include <cstdint>
#include <functional>
#include <memory>

/// A new companion of the application with one reference for the caller; it keeps the application
/// alive until released. Raises std::bad_alloc.
HoraluxSDK::Global_* NewGlobalCompanion(const std::shared_ptr<IApplication_>& application);

/// What Global_ offers that lives above the add-in framework (the tray menu, the tools with their
/// actions, the windows). The controller installs it; without it those members fail.
struct TGlobalCompanionParts {
    std::function<HoraluxSDK::IHXTools*(const std::shared_ptr<IApplication_>&)> tools;
    std::function<HoraluxSDK::IHXMenuControl*(const std::shared_ptr<IApplication_>&)> trayMenu;
    /// The current-window stack as add-ins see it, by window numbers (the add-in framework itself
    /// links no window library): the number of the current window (0 for none, or without it),
    /// and putting an add-in's window on the stack and taking it off (without them both fail).
    std::function<std::int32_t(IApplication_&)> currentWindow;
    std::function<void(IApplication_&, std::int32_t)> addWindow;
    std::function<void(IApplication_&, std::int32_t)> removeWindow;
};
void SetGlobalCompanionParts(TGlobalCompanionParts parts);
