#include "model/ActivityImages.h"

namespace {
bool InRange(int imageIndex, int numberedIcons) {
    return imageIndex >= 0 && imageIndex < ActivityImageFirstNumbered + numberedIcons;
}
} // namespace

QString ActivityImageResourceName(int imageIndex, int numberedIcons) {
    if (!InRange(imageIndex, numberedIcons))
        imageIndex = ActivityImageDefault;
    switch (imageIndex) {
    case ActivityImageDefault:
        return QStringLiteral("icon_activity_default");
    case ActivityImageBreak:
        return QStringLiteral("SMALL_BREAKACTIVITY");
    case ActivityImageUnknown:
        return QStringLiteral("SMALL_UNKNOWNACTIVITY");
    case ActivityImageUnknownBreak:
        return QStringLiteral("SMALL_UNKNOWNBREAKACTIVITY");
    default:
        return QStringLiteral("icon_activity_%1").arg(imageIndex - ActivityImageFirstNumbered);
    }
}

QStringList SmallImageListResources(int numberedIcons) {
    QStringList list;
    for (int i = 0; i < SmallImageListOverlayCount; ++i)
        list << QStringLiteral("SMALL_LINKOVERLAY");
    list << QStringLiteral("SMALL_TIMECATCH") << ActivityImageResourceName(ActivityImageDefault);
    for (int index = 0; index < ActivityImageFirstNumbered + numberedIcons; ++index)
        list << ActivityImageResourceName(index, numberedIcons);
    return list;
}

int SmallImageListPosition(int imageIndex, int numberedIcons) {
    if (!InRange(imageIndex, numberedIcons))
        return SmallImageListFallbackPosition;
    return SmallImageListFallbackPosition + 1 + imageIndex;
}

QStringList ActivityToolbarResources() {
    return {QStringLiteral("BUTTON_NEWACTIVITY"),  QStringLiteral("BUTTON_NEWACTIVITYDOWN"),
            QStringLiteral("BUTTON_RENAME"),       QStringLiteral("BUTTON_MOVEUP"),
            QStringLiteral("BUTTON_MOVEDOWN"),     QStringLiteral("BUTTON_BREAKACTIVITY"),
            QStringLiteral("BUTTON_SORT"),         QStringLiteral("BUTTON_DELETE"),
            QStringLiteral("BUTTON_WORK"),         QStringLiteral("BUTTON_HOLIDAY"),
            QStringLiteral("BUTTON_PROPERTIES"),   QStringLiteral("BUTTON_FINDPROBLEM"),
            QStringLiteral("BUTTON_SOLVEPROBLEM"), QStringLiteral("BUTTON_PRINT"),
            QStringLiteral("BUTTON_FULLPAGE"),     QStringLiteral("BUTTON_PAGEWIDTH"),
            QStringLiteral("BUTTON_PRINTSETUP"),   QStringLiteral("BUTTON_LEFT"),
            QStringLiteral("BUTTON_RIGHT")};
}
