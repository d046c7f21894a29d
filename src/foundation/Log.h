#pragma once

#include <QString>
#include <cstdint>

/// Where log lines go. The values are those the command line stores.
enum class LogTarget { None = 0, File = 1, Console = 2, Debugger = 3 };

/// Log levels: 1 normal lines, 2 lists of live objects at the end, 4 object dumps.
constexpr std::uint32_t LogLevelNormal = 1;
constexpr std::uint32_t LogLevelLeaks = 2;
constexpr std::uint32_t LogLevelDumps = 4;

/// Process-wide log settings; set once from the command line. Until then the level mask is 0 and
/// nothing is logged.
struct LogSettings {
    LogTarget target = LogTarget::None;
    std::uint32_t levelMask = 0;
    QString fileName;
};

LogSettings& GetLogSettings();

/// Writes Text if Level is in the mask. Never raises: a log file that cannot be opened loses the
/// line. File lines are "yyyy-MM-dd HH:mm:ss Text" (an empty Text writes only a line break), the
/// console gets Text alone, the debugger stand-in (syslog, debug level) gets Text alone.
bool WriteLogLevel(const QString& text, std::uint32_t level);
/// WriteLogLevel with level 1.
bool WriteLog(const QString& text);
