#include "app/AutomationRegistration.h"

#include "app/GlobalBusObject.h"
#include "foundation/GUID.h"
#include "foundation/Registry.h"
#include "foundation/VRNException.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

const char* const AutomationClassName = "Horalux.Application";

namespace {

const TGUID ApplicationClass = TGUID::Constant("{42021C09-3CB8-41A4-8F51-CE43FFB427C1}");

QString ClassKey() {
    return QStringLiteral("HKEY_CLASSES_ROOT\\") + QLatin1StringView(AutomationClassName) + QStringLiteral("\\CLSID");
}

QString ServerKey() {
    return QStringLiteral("HKEY_CLASSES_ROOT\\CLSID\\") + ApplicationClass.ToString() +
           QStringLiteral("\\LocalServer32");
}

/// A path as the service file's Exec line needs it: quoted when it holds blanks.
QString ExecArgument(const QString& path) {
    if (!path.contains(u' ') && !path.contains(u'"'))
        return path;
    QString quoted = path;
    quoted.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
    return u'"' + quoted + u'"';
}

} // namespace

QString AutomationServiceFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/dbus-1/services/") +
           QLatin1StringView(HoraluxBusService) + QStringLiteral(".service");
}

void RegisterAutomationServer(const QString& programPath) {
    const QString program = QFileInfo(programPath).absoluteFilePath();
    RegWriteString(ClassKey(), QString(), ApplicationClass.ToString());
    RegWriteString(ServerKey(), QString(), program + QStringLiteral(" -automation"));

    const QString path = AutomationServiceFilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw EVRNException(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    file.write(QStringLiteral("[D-BUS Service]\nName=%1\nExec=%2 -automation\n")
                   .arg(QLatin1StringView(HoraluxBusService), ExecArgument(program))
                   .toUtf8());
    if (!file.commit())
        throw EVRNException(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
}

void UnregisterAutomationServer() {
    RegDeleteValue(ServerKey(), QString());
    RegDeleteEmptyKeys(ServerKey());
    RegDeleteValue(ClassKey(), QString());
    RegDeleteEmptyKeys(ClassKey());
    const QString path = AutomationServiceFilePath();
    if (QFileInfo::exists(path) && !QFile::remove(path))
        throw EVRNException(QStringLiteral("Cannot remove %1").arg(path));
}
