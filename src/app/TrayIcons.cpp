#include "app/TrayIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <algorithm>

namespace {

int ClampQuarters(int quarters) {
    return std::clamp(quarters, 0, 4);
}

} // namespace

QImage DrawClockFace(int quarters, int size) {
    quarters = ClampQuarters(quarters);
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    const qreal border = std::max<qreal>(1.0, size / 16.0);
    const QRectF dial = QRectF(0, 0, size, size).adjusted(border / 2, border / 2, -border / 2, -border / 2);

    // The face.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xfa, 0xfa, 0xf5));
    painter.drawEllipse(dial);

    // The part of the interval that has passed, clockwise from twelve o'clock.
    if (quarters > 0) {
        painter.setBrush(QColor(0x2e, 0x8b, 0x57));
        if (quarters == 4)
            painter.drawEllipse(dial);
        else
            painter.drawPie(dial, 90 * 16, -quarters * 90 * 16);
    }

    // Hour marks at twelve, three, six and nine.
    const QPointF centre = dial.center();
    const qreal radius = dial.width() / 2;
    painter.setPen(QPen(QColor(0x20, 0x20, 0x20), border, Qt::SolidLine, Qt::FlatCap));
    if (size >= 20) {
        for (int mark = 0; mark < 4; ++mark) {
            painter.save();
            painter.translate(centre);
            painter.rotate(mark * 90.0);
            painter.drawLine(QPointF(0, -radius), QPointF(0, -radius * 0.75));
            painter.restore();
        }
    }

    // The rim and the hand that points at twelve, where the next question lies.
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(dial);
    painter.setPen(QPen(QColor(0x20, 0x20, 0x20), border * 1.25, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre, centre - QPointF(0, radius * 0.7));
    painter.end();
    return image;
}

int ClockQuartersForPercent(int percent) {
    if (percent <= 24)
        return 0;
    if (percent <= 49)
        return 1;
    if (percent <= 74)
        return 2;
    if (percent <= 99)
        return 3;
    return 4;
}

TTrayIcons::TTrayIcons() {
    for (int quarters = 0; quarters < 5; ++quarters) {
        for (int size : {16, 22, 24, 32, 48})
            m_icons[quarters].addPixmap(QPixmap::fromImage(DrawClockFace(quarters, size)));
    }
}

const QIcon& TTrayIcons::Icon(int quarters) const {
    return m_icons[ClampQuarters(quarters)];
}

QString TTrayIcons::Name(int quarters) {
    return QStringLiteral("PROGICON_%1").arg(ClampQuarters(quarters) * 15);
}
