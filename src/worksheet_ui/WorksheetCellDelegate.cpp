#include "worksheet_ui/WorksheetCellDelegate.h"

#include "worksheet/DaySheet.h"

#include <QApplication>
#include <QPainter>

void TWorksheetCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const QString text = opt.text;
    const QIcon icon = opt.icon;
    opt.text.clear();
    opt.icon = QIcon();
    opt.features &= ~QStyleOptionViewItem::HasDecoration;
    const QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

    QRect rect = opt.rect;
    int left = rect.left() + 3;
    if (!icon.isNull()) {
        const QSize size = opt.decorationSize.isValid() ? opt.decorationSize : QSize(16, 16);
        const QRect iconRect(rect.left() + 2, rect.top() + (rect.height() - size.height()) / 2, size.width(),
                             size.height());
        icon.paint(painter, iconRect);
        left = iconRect.right() + 2;
    }
    rect.setLeft(left);
    rect.setRight(rect.right() - 2);
    const QFontMetrics metrics(opt.font);
    QString shown = text;
    if (index.column() == ActivityColumn)
        shown = ShortenActivityPath(
            text, [&](const QString& candidate) { return metrics.horizontalAdvance(candidate) <= rect.width(); });
    shown = metrics.elidedText(shown, Qt::ElideRight, rect.width());
    const bool selected = opt.state & QStyle::State_Selected;
    QColor color = opt.palette.color(QPalette::Text);
    if (selected)
        color = opt.palette.color(QPalette::HighlightedText);
    else if (const QVariant foreground = index.data(Qt::ForegroundRole); foreground.canConvert<QBrush>())
        color = foreground.value<QBrush>().color();
    painter->save();
    painter->setFont(opt.font);
    painter->setPen(color);
    painter->drawText(rect, Qt::AlignLeft | Qt::AlignVCenter, shown);
    painter->restore();
}
