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

/// Makes the objects Global_ hands out that live above the add-in framework (the tray menu and the
/// tools with their actions). The controller installs it; without it those members fail.
struct TGlobalCompanionParts {
    std::function<HoraluxSDK::IHXTools*(const std::shared_ptr<IApplication_>&)> tools;
    std::function<HoraluxSDK::IHXMenuControl*(const std::shared_ptr<IApplication_>&)> trayMenu;
    /// The number of a window as the desktop knows it (the add-in framework itself links no
    /// window library); without it a window counts as 0.
    std::function<std::int64_t(QWidget*)> windowNumber;
    /// A new invisible widget to stand for an add-in's window on the current-window stack (made
    /// above the add-in framework for the same reason); without it AddCurrentWindow fails.
    std::function<QWidget*()> newWindowStandIn;
};
void SetGlobalCompanionParts(TGlobalCompanionParts parts);

/// The number under which an add-in made its window a current window (AddCurrentWindow) when
/// window is the invisible stand-in the program keeps for it on its current-window stack; 0 for
/// every other window. A stand-in is never shown: the add-in's window is the add-in's.
std::int32_t AddInWindowNumber(const QWidget* window);
