#pragma once

// The entries through which other programs find the running program's application object:
//   the class entries  Horalux.Application\CLSID = {42021C09-3CB8-41A4-8F51-CE43FFB427C1}
//                      CLSID\{...}\LocalServer32 = "<program> -automation"
//   the session bus's service file  $XDG_DATA_HOME/dbus-1/services/com.varnelo.Horalux.service,
//                      which lets the bus start the program for a client.

#include <QString>

/// The class name of the application object.
extern const char* const AutomationClassName;

/// Writes the class entries (current user) and the service file; raises EVRNException when one
/// cannot be written.
void RegisterAutomationServer(const QString& programPath);
/// Removes them; what is missing already is not an error. Raises when a file cannot be removed.
void UnregisterAutomationServer();
/// The service file's path.
QString AutomationServiceFilePath();
