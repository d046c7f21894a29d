#include "ui/ActivityIcons.h"

#include "model/ActivityImages.h"

#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <array>

namespace {

// Pictures for the numbered activity images, in order: things people spend their working time
// with. Standard icon names; the order must stay, stored activities refer to the numbers.
constexpr std::array<const char*, ActivityNumberedIconCount> NumberedIcons = {
    "x-office-document-symbolic",
    "x-office-spreadsheet-symbolic",
    "x-office-presentation-symbolic",
    "x-office-drawing-symbolic",
    "x-office-calendar-symbolic",
    "x-office-address-book-symbolic",
    "text-x-generic-symbolic",
    "image-x-generic-symbolic",
    "audio-x-generic-symbolic",
    "video-x-generic-symbolic",
    "package-x-generic-symbolic",
    "application-x-executable-symbolic",
    "folder-symbolic",
    "folder-documents-symbolic",
    "folder-download-symbolic",
    "folder-music-symbolic",
    "folder-pictures-symbolic",
    "folder-videos-symbolic",
    "folder-remote-symbolic",
    "folder-templates-symbolic",
    "network-server-symbolic",
    "network-workgroup-symbolic",
    "user-home-symbolic",
    "user-desktop-symbolic",
    "user-bookmarks-symbolic",
    "user-trash-symbolic",
    "computer-symbolic",
    "video-display-symbolic",
    "display-projector-symbolic",
    "printer-symbolic",
    "scanner-symbolic",
    "phone-symbolic",
    "phone-old-symbolic",
    "camera-photo-symbolic",
    "camera-video-symbolic",
    "camera-web-symbolic",
    "audio-headset-symbolic",
    "audio-headphones-symbolic",
    "audio-input-microphone-symbolic",
    "input-keyboard-symbolic",
    "input-mouse-symbolic",
    "input-tablet-symbolic",
    "input-gaming-symbolic",
    "drive-harddisk-symbolic",
    "media-optical-symbolic",
    "media-removable-symbolic",
    "tablet-symbolic",
    "tv-symbolic",
    "network-wired-symbolic",
    "network-wireless-symbolic",
    "applications-engineering-symbolic",
    "applications-games-symbolic",
    "applications-graphics-symbolic",
    "applications-multimedia-symbolic",
    "applications-science-symbolic",
    "applications-system-symbolic",
    "applications-utilities-symbolic",
    "emoji-activities-symbolic",
    "emoji-food-symbolic",
    "emoji-nature-symbolic",
    "emoji-objects-symbolic",
    "emoji-people-symbolic",
    "emoji-travel-symbolic",
    "emoji-symbols-symbolic",
    "emoji-flags-symbolic",
    "emblem-favorite-symbolic",
    "emblem-important-symbolic",
    "emblem-ok-symbolic",
    "emblem-shared-symbolic",
    "emblem-synchronizing-symbolic",
    "emblem-system-symbolic",
    "mail-message-new-symbolic",
    "mail-send-symbolic",
    "chat-message-new-symbolic",
    "call-start-symbolic",
    "appointment-new-symbolic",
    "contact-new-symbolic",
    "document-edit-symbolic",
    "document-print-symbolic",
    "document-send-symbolic",
    "edit-find-symbolic",
    "tools-check-spelling-symbolic",
    "insert-image-symbolic",
    "insert-link-symbolic",
    "find-location-symbolic",
    "system-run-symbolic",
    "utilities-terminal-symbolic",
};

const QHash<QString, QString>& NamedIcons() {
    static const QHash<QString, QString> names = {
        {QStringLiteral("icon_activity_default"), QStringLiteral("emblem-documents-symbolic")},
        {QStringLiteral("SMALL_BREAKACTIVITY"), QStringLiteral("emoji-food-symbolic")},
        {QStringLiteral("SMALL_UNKNOWNACTIVITY"), QStringLiteral("dialog-question-symbolic")},
        {QStringLiteral("SMALL_UNKNOWNBREAKACTIVITY"), QStringLiteral("dialog-question-symbolic")},
        {QStringLiteral("SMALL_LINKOVERLAY"), QStringLiteral("emblem-shared-symbolic")},
        {QStringLiteral("SMALL_TIMECATCH"), QStringLiteral("alarm-symbolic")},
        {QStringLiteral("SMALL_NIL"), QString()},
        {QStringLiteral("BUTTON_NEWACTIVITY"), QStringLiteral("list-add-symbolic")},
        {QStringLiteral("BUTTON_NEWACTIVITYDOWN"), QStringLiteral("format-indent-more-symbolic")},
        {QStringLiteral("BUTTON_RENAME"), QStringLiteral("document-edit-symbolic")},
        {QStringLiteral("BUTTON_MOVEUP"), QStringLiteral("go-up-symbolic")},
        {QStringLiteral("BUTTON_MOVEDOWN"), QStringLiteral("go-down-symbolic")},
        {QStringLiteral("BUTTON_BREAKACTIVITY"), QStringLiteral("emoji-food-symbolic")},
        {QStringLiteral("BUTTON_SORT"), QStringLiteral("view-sort-ascending-symbolic")},
        {QStringLiteral("BUTTON_DELETE"), QStringLiteral("edit-delete-symbolic")},
        {QStringLiteral("BUTTON_WORK"), QStringLiteral("x-office-document-symbolic")},
        {QStringLiteral("BUTTON_HOLIDAY"), QStringLiteral("x-office-calendar-symbolic")},
        {QStringLiteral("BUTTON_PROPERTIES"), QStringLiteral("document-properties-symbolic")},
        {QStringLiteral("BUTTON_FINDPROBLEM"), QStringLiteral("edit-find-symbolic")},
        {QStringLiteral("BUTTON_SOLVEPROBLEM"), QStringLiteral("emblem-ok-symbolic")},
        {QStringLiteral("BUTTON_PRINT"), QStringLiteral("document-print-symbolic")},
        {QStringLiteral("BUTTON_FULLPAGE"), QStringLiteral("zoom-fit-best-symbolic")},
        {QStringLiteral("BUTTON_PAGEWIDTH"), QStringLiteral("zoom-original-symbolic")},
        {QStringLiteral("BUTTON_PRINTSETUP"), QStringLiteral("document-page-setup-symbolic")},
        {QStringLiteral("BUTTON_LEFT"), QStringLiteral("go-previous-symbolic")},
        {QStringLiteral("BUTTON_RIGHT"), QStringLiteral("go-next-symbolic")},
        {QStringLiteral("BUTTON_NIL"), QString()},
    };
    return names;
}

} // namespace

QString ThemeIconName(const QString& imageName) {
    static const QString numberedPrefix = QStringLiteral("icon_activity_");
    if (imageName.startsWith(numberedPrefix)) {
        bool ok = false;
        const int number = QStringView(imageName).mid(numberedPrefix.size()).toInt(&ok);
        if (ok && number >= 0 && number < ActivityNumberedIconCount)
            return QString::fromLatin1(NumberedIcons[static_cast<size_t>(number)]);
    }
    return NamedIcons().value(imageName);
}

void EnsureIconTheme() {
    // Set up once: every icon the program shows asks for it.
    static const bool done = [] {
        // Without a desktop session Qt names no theme (or only the bare fallback theme).
        if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor"))
            QIcon::setThemeName(QStringLiteral("Adwaita"));
        // The themes are looked for in the data folders of the session; a session that names
        // others only (XDG_DATA_DIRS) still gets the system's themes.
        QStringList paths = QIcon::themeSearchPaths();
        for (const QString& system : {QStringLiteral("/usr/local/share/icons"), QStringLiteral("/usr/share/icons")})
            if (!paths.contains(system))
                paths << system;
        QIcon::setThemeSearchPaths(paths);
        return true;
    }();
    (void)done;
}

QIcon DrawnIcon(const QString& imageName) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    if (!imageName.endsWith(QLatin1String("_NIL"))) {
        // A hue of its own per name, so that neighbouring images stay apart.
        const QColor colour = QColor::fromHsv(static_cast<int>(qHash(imageName) % 360), 140, 200);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(colour.darker(160));
        painter.setBrush(colour);
        painter.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 3, 3);
        painter.setPen(QPen(Qt::white, 2));
        painter.drawPoint(QPointF(8, 8));
    }
    return QIcon(pixmap);
}

QIcon ImageIcon(const QString& imageName) {
    EnsureIconTheme();
    const QString name = ThemeIconName(imageName);
    if (!name.isEmpty() && QIcon::hasThemeIcon(name))
        return QIcon::fromTheme(name);
    return DrawnIcon(imageName);
}

QIcon ActivityIcon(int imageIndex) {
    return ImageIcon(ActivityImageResourceName(imageIndex < 0 ? ActivityImageDefault : imageIndex));
}
