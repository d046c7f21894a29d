#pragma once

// Starting the program with the desktop session: an XDG autostart entry
// $XDG_CONFIG_HOME/autostart/horalux.desktop whose Exec line is the quoted program path and
// "-autostart". Writing it replaces any older entry; deleting a missing entry is no error.

#include <QString>

/// The entry's file name.
QString AutostartEntryPath();
/// The Exec value for a program path: the path in double quotes (with the characters the desktop
/// entry format reserves escaped), a blank and "-autostart".
QString AutostartExecLine(const QString& programPath);
/// Writes the entry atomically. Raises EVRNException "Cannot create Key: <folder> (<reason>)" when
/// the autostart folder cannot be created and "Cannot create Entry: <name> in Key: <folder>
/// (<reason>)" when the file cannot be written.
void WriteAutostartEntry(const QString& programPath);
/// Deletes the entry if it exists. Raises EVRNException "Cannot delete Entry: <name> in Key:
/// <folder> (<reason>)" when it exists and cannot be deleted.
void DeleteAutostartEntry();
