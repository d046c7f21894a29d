#pragma once

#include "foundation/Log.h"

#include <QString>
#include <QStringList>

/// What the command line asked for. Every argument is compared with each switch as a whole and
/// without regard to case; arguments that match no switch are ignored.
struct TCommandLineSettings {
    /// The log target chosen by priority: "-logwindows" over "-logconsole" over "-logfile" with a
    /// non-empty name; none of them gives no logging.
    LogTarget logTarget = LogTarget::None;
    /// The argument after the last "-logfile" that had one (kept even when another target wins).
    QString logFileName;
    /// "-quit": ask a running instance to quit, wait for its end, start nothing.
    bool quit = false;
    /// "-compress": the General Options page shows the compression check box.
    bool showCompressOption = false;
    /// "-openxml": prefer the in-process XML back end.
    bool preferOpenXML = false;
    /// "-autostart": written into the desktop autostart entry; has no effect.
    bool autostart = false;
    /// "-regserver" / "-unregserver": write or remove the automation entries (the class entries
    /// and the session bus's service file), start nothing.
    bool registerServer = false;
    bool unregisterServer = false;
    /// "-automation" / "-embedding": started by the session bus for a client; the program starts
    /// as usual and offers its application object.
    bool automation = false;

    friend bool operator==(const TCommandLineSettings&, const TCommandLineSettings&) = default;
};

/// Applies the switch table to the arguments (without the program name). "-logfile" takes the
/// following argument as its file name, and that argument is still examined as a switch in its
/// own right; as the last argument "-logfile" has no effect.
TCommandLineSettings ParseCommandLine(const QStringList& arguments);

/// The process-wide settings of the command line (defaults until ApplyCommandLine).
const TCommandLineSettings& GetCommandLineSettings();

/// Stores the settings process-wide and switches the log on: its target and file name from the
/// settings, the level mask to normal lines (1).
void ApplyCommandLine(const TCommandLineSettings& settings);

/// Whether the arguments ask for the usage text: "-h", "-help" or "--help" anywhere, without
/// regard to case.
bool IsHelpRequest(const QStringList& arguments);
/// The usage text: every switch of the command line with a line on what it does.
QString CommandLineHelpText();

/// The program arguments of argv (without argv[0]) as wide strings, decoded like file names.
QStringList ArgumentsFromArgv(int argc, char** argv);
