#include "foundation/Log.h"

#include "foundation/Clock.h"

#include <QFile>
#include <cstdio>
#include <syslog.h>

LogSettings& GetLogSettings() {
    static LogSettings settings;
    return settings;
}

namespace {

void WriteToFile(const QString& fileName, const QString& text) {
    if (fileName.isEmpty())
        return;
    // Open per line and close again, so that the file is complete whenever the program ends.
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    QByteArray line;
    if (!text.isEmpty()) {
        const QDateTime now = Clock::Instance().CurrentDateTime();
        line = now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss ")).toUtf8() + text.toUtf8();
    }
    line += '\n';
    file.write(line);
    file.flush();
}

void WriteToConsole(const QString& text) {
    const QByteArray line = text.toUtf8() + '\n';
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stdout);
    std::fflush(stdout);
}

void WriteToDebugger(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    syslog(LOG_USER | LOG_DEBUG, "%s", utf8.constData());
}

} // namespace

bool WriteLogLevel(const QString& text, std::uint32_t level) {
    const LogSettings& settings = GetLogSettings();
    if ((settings.levelMask & level) == 0)
        return true;
    try {
        switch (settings.target) {
        case LogTarget::File:
            WriteToFile(settings.fileName, text);
            break;
        case LogTarget::Console:
            WriteToConsole(text);
            break;
        case LogTarget::Debugger:
            WriteToDebugger(text);
            break;
        case LogTarget::None:
            break;
        }
    } catch (...) {
        // The log never raises.
    }
    return true;
}

bool WriteLog(const QString& text) {
    return WriteLogLevel(text, LogLevelNormal);
}
