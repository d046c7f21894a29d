#pragma once

// Draws the worksheet's cells: text indented by 3 pixels and vertically centred; the activity
// cell with the activity's icon 2 pixels from the left and its path shortened at the "/" to fit.

#include <QStyledItemDelegate>

class TWorksheetCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int ActivityColumn = 2;
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
