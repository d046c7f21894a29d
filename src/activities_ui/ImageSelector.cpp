#include "activities_ui/ImageSelector.h"

#include "model/ActivityImages.h"
#include "ui/ActivityIcons.h"

TvrnImageSelector::TvrnImageSelector(QWidget* parent) : QListWidget(parent) {
    setViewMode(QListView::IconMode);
    setIconSize(QSize(16, 16));
    setSpacing(5); // 10 pixels between neighbouring pictures
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Static);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void TvrnImageSelector::ShowActivityImages() {
    clear();
    const int last = ActivityImageFirstNumbered + ActivityNumberedIconCount - 1;
    for (int index = ActivityImageDefault; index <= last; ++index) {
        auto* item = new QListWidgetItem(ActivityIcon(index), QString(), this);
        item->setData(Qt::UserRole, index);
        item->setSizeHint(QSize(22, 22));
    }
}

int TvrnImageSelector::SelectedImage() const {
    const QListWidgetItem* current = currentItem();
    return current && current->isSelected() ? row(current) : -1;
}

void TvrnImageSelector::SetSelectedImage(int number) {
    if (number < 0 || number >= count()) {
        setCurrentItem(nullptr);
        clearSelection();
        return;
    }
    setCurrentRow(number);
    scrollToItem(item(number));
}
