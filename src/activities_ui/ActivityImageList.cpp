#include "activities_ui/ActivityImageList.h"

#include "model/ActivityImages.h"
#include "ui/ActivityIcons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

QIcon SmallImageListIcon(int position) {
    const QStringList resources = SmallImageListResources();
    return ImageIcon(resources.value(position, QStringLiteral("SMALL_NIL")));
}

QIcon ActivityNodeIcon(int imageIndex, bool linked) {
    static QHash<int, QIcon> cache;
    const int key = imageIndex * 2 + (linked ? 1 : 0);
    const auto found = cache.constFind(key);
    if (found != cache.constEnd())
        return *found;
    const QIcon base = ActivityIcon(imageIndex);
    QIcon icon = base;
    if (linked) {
        QPixmap pixmap = base.pixmap(16, 16);
        QPainter painter(&pixmap);
        const QPixmap overlay = ImageIcon(QStringLiteral("SMALL_LINKOVERLAY")).pixmap(9, 9);
        // A light disc behind the mark keeps it readable on every icon.
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 220));
        painter.drawEllipse(QRectF(0, 7, 9, 9));
        painter.drawPixmap(0, 7, overlay);
        icon = QIcon(pixmap);
    }
    cache.insert(key, icon);
    return icon;
}

QPixmap DragCursorPixmap(bool link) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // The arrow.
    QPainterPath arrow;
    arrow.moveTo(1, 1);
    arrow.lineTo(1, 17);
    arrow.lineTo(5, 13);
    arrow.lineTo(8, 20);
    arrow.lineTo(10, 19);
    arrow.lineTo(7, 12);
    arrow.lineTo(12, 12);
    arrow.closeSubpath();
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::black);
    painter.drawPath(arrow);
    // The page below it.
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(13.5, 17.5, 12, 12));
    if (link) {
        const QPixmap mark = ImageIcon(QStringLiteral("SMALL_LINKOVERLAY")).pixmap(10, 10);
        painter.drawPixmap(15, 19, mark);
    }
    return pixmap;
}
