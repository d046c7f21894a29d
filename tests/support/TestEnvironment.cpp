#include "support/TestEnvironment.h"

#include <QDir>
#include <clocale>
#include <cstdlib>

namespace {
const char* const kVariables[] = {"HOME",           "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR",
                                  "XDG_CACHE_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_DIRS"};
}

TempHome::TempHome() {
    for (const char* name : kVariables) {
        const char* value = std::getenv(name);
        m_saved[name] = {value != nullptr, value ? QByteArray(value) : QByteArray()};
    }
    const QString root = m_dir.path();
    for (const char* sub : {"home", "config", "data", "runtime", "cache", "etc-xdg", "share"})
        QDir(root).mkpath(QString::fromLatin1(sub));
    QFile::setPermissions(root + QStringLiteral("/runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("HOME", (root + QStringLiteral("/home")).toUtf8());
    qputenv("XDG_CONFIG_HOME", (root + QStringLiteral("/config")).toUtf8());
    qputenv("XDG_DATA_HOME", (root + QStringLiteral("/data")).toUtf8());
    qputenv("XDG_RUNTIME_DIR", (root + QStringLiteral("/runtime")).toUtf8());
    qputenv("XDG_CACHE_HOME", (root + QStringLiteral("/cache")).toUtf8());
    qputenv("XDG_CONFIG_DIRS", (root + QStringLiteral("/etc-xdg")).toUtf8());
    qputenv("XDG_DATA_DIRS", (root + QStringLiteral("/share")).toUtf8());
}

TempHome::~TempHome() {
    for (const auto& [name, saved] : m_saved) {
        if (saved.first)
            qputenv(name.constData(), saved.second);
        else
            qunsetenv(name.constData());
    }
}

QString TempHome::Home() const {
    return m_dir.filePath(QStringLiteral("home"));
}
QString TempHome::ConfigHome() const {
    return m_dir.filePath(QStringLiteral("config"));
}
QString TempHome::DataHome() const {
    return m_dir.filePath(QStringLiteral("data"));
}
QString TempHome::RuntimeDir() const {
    return m_dir.filePath(QStringLiteral("runtime"));
}

ScopedFixedClock::ScopedFixedClock(const QDateTime& now) : m_clock(std::make_shared<FixedClock>(now)) {
    Clock::SetInstance(m_clock);
}

ScopedFixedClock::~ScopedFixedClock() {
    Clock::SetInstance(nullptr);
}

void PrepareTestProcess() {
    // A home for the whole process, left in place until the process ends, so that code that runs
    // outside a TempHome still never writes into the real home folder.
    static TempHome processHome;
    qputenv("LANG", "C.UTF-8");
    if (qEnvironmentVariableIsEmpty("HORALUX_LOCALEDIR"))
        qputenv("HORALUX_LOCALEDIR", HORALUX_TEST_LOCALEDIR);
    if (qEnvironmentVariableIsEmpty("HORALUX_BINARY_DIR"))
        qputenv("HORALUX_BINARY_DIR", HORALUX_TEST_BINARY_DIR);
    std::setlocale(LC_NUMERIC, "C");
}
