#pragma once

// The companions of the tray menu, the tools and the actions, through which an add-in of another
// library adds its actions to the tray menu. Installed into the application's companion when the
// controller is created.

/// Lets the application's companion hand out the tray menu and the tools.
void InstallSdkCompanions();
