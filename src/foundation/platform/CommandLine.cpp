#include "foundation/platform/CommandLine.h"

#include <QFile>

namespace {

TCommandLineSettings& Settings() {
    static TCommandLineSettings settings;
    return settings;
}

bool Is(const QString& argument, QLatin1StringView name) {
    return argument.compare(name, Qt::CaseInsensitive) == 0;
}

bool IsAutomation(const QString& argument, QLatin1StringView name) {
    return (argument.startsWith(u'-') || argument.startsWith(u'/')) &&
           argument.mid(1).compare(name, Qt::CaseInsensitive) == 0;
}

} // namespace

TCommandLineSettings ParseCommandLine(const QStringList& arguments) {
    TCommandLineSettings settings;
    bool logWindows = false;
    bool logConsole = false;
    // The automation switches are also accepted with a slash ("/regserver"), as the automation
    // layer's clients write them.
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (Is(argument, QLatin1StringView("-autostart"))) {
            settings.autostart = true;
        } else if (Is(argument, QLatin1StringView("-quit"))) {
            settings.quit = true;
        } else if (Is(argument, QLatin1StringView("-logconsole"))) {
            logConsole = true;
        } else if (Is(argument, QLatin1StringView("-logwindows"))) {
            logWindows = true;
        } else if (Is(argument, QLatin1StringView("-logfile"))) {
            // The name is taken, but the loop does not skip it: it is examined as a switch too.
            if (i + 1 < arguments.size())
                settings.logFileName = arguments[i + 1];
        } else if (Is(argument, QLatin1StringView("-compress"))) {
            settings.showCompressOption = true;
        } else if (Is(argument, QLatin1StringView("-openxml"))) {
            settings.preferOpenXML = true;
        } else if (IsAutomation(argument, QLatin1StringView("regserver"))) {
            settings.registerServer = true;
        } else if (IsAutomation(argument, QLatin1StringView("unregserver"))) {
            settings.unregisterServer = true;
        } else if (IsAutomation(argument, QLatin1StringView("automation")) ||
                   IsAutomation(argument, QLatin1StringView("embedding"))) {
            settings.automation = true;
        }
    }
    if (logWindows)
        settings.logTarget = LogTarget::Debugger;
    else if (logConsole)
        settings.logTarget = LogTarget::Console;
    else if (!settings.logFileName.isEmpty())
        settings.logTarget = LogTarget::File;
    return settings;
}

const TCommandLineSettings& GetCommandLineSettings() {
    return Settings();
}

void ApplyCommandLine(const TCommandLineSettings& settings) {
    Settings() = settings;
    LogSettings& log = GetLogSettings();
    log.target = settings.logTarget;
    log.fileName = settings.logFileName;
    log.levelMask = LogLevelNormal;
}

bool IsHelpRequest(const QStringList& arguments) {
    for (const QString& argument : arguments)
        if (Is(argument, QLatin1StringView("-h")) || Is(argument, QLatin1StringView("-help")) ||
            Is(argument, QLatin1StringView("--help")))
            return true;
    return false;
}

QString CommandLineHelpText() {
    return QStringLiteral("Usage: horalux [switches]\n"
                          "\n"
                          "Varnelo Horalux records your working time from the notification area.\n"
                          "\n"
                          "Switches (upper and lower case alike):\n"
                          "  -logfile <file>  write the log to <file>\n"
                          "  -logconsole      write the log to standard output (wins over -logfile)\n"
                          "  -logwindows      write the log to the system log (wins over both)\n"
                          "  -quit            ask the running instance to quit and wait for its end\n"
                          "  -autostart       given by the desktop autostart entry; changes nothing\n"
                          "  -compress        offer the compression option on the General options page\n"
                          "  -openxml         prefer the in-process XML reader\n"
                          "  -h, --help       show this text and exit\n");
}

QStringList ArgumentsFromArgv(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QFile::decodeName(argv[i]);
    return arguments;
}
