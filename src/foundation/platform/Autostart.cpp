#include "foundation/platform/Autostart.h"

#include "foundation/VRNException.h"
#include "foundation/VRNTools.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const QString kEntryName = QStringLiteral("horalux.desktop");

QString AutostartFolder() {
    return GetSpecialFolder(SpecialFolder::AppData) + QStringLiteral("/autostart");
}

QString EscapeExecArgument(const QString& argument) {
    // Inside a quoted Exec argument '"', '`', '$' and '\' are escaped with a backslash; the desktop
    // entry's string rules then double every backslash once more.
    QString quoted;
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    quoted.replace(QStringLiteral("\\"), QStringLiteral("\\\\"));
    return u'"' + quoted + u'"';
}

} // namespace

QString AutostartEntryPath() {
    return AutostartFolder() + u'/' + kEntryName;
}

QString AutostartExecLine(const QString& programPath) {
    return EscapeExecArgument(programPath) + QStringLiteral(" -autostart");
}

void WriteAutostartEntry(const QString& programPath) {
    const QString folder = AutostartFolder();
    if (!QDir().mkpath(folder))
        throw EVRNException(QStringLiteral("Cannot create Key: ") + folder + QStringLiteral(" (cannot create folder)"));
    const QString content = QStringLiteral("[Desktop Entry]\n"
                                           "Type=Application\n"
                                           "Name=Varnelo Horalux\n"
                                           "Comment=Personal time recorder\n"
                                           "Exec=") +
                            AutostartExecLine(programPath) +
                            QStringLiteral("\n"
                                           "Icon=horalux\n"
                                           "Terminal=false\n"
                                           "X-GNOME-Autostart-enabled=true\n");
    QSaveFile file(folder + u'/' + kEntryName);
    const QByteArray bytes = content.toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw EVRNException(QStringLiteral("Cannot create Entry: ") + kEntryName + QStringLiteral(" in Key: ") +
                            folder + QStringLiteral(" (") + file.errorString() + u')');
}

void DeleteAutostartEntry() {
    const QString path = AutostartEntryPath();
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return;
    QFile file(path);
    if (!file.remove())
        throw EVRNException(QStringLiteral("Cannot delete Entry: ") + kEntryName + QStringLiteral(" in Key: ") +
                            AutostartFolder() + QStringLiteral(" (") + file.errorString() + u')');
}
