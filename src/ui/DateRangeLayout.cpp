#include "ui/DateRangeLayout.h"

#include "foundation/Translation.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

void LayOutDateRangeDialog(QWidget* dialog, QLabel* explanation, QDateEdit* start, QDateEdit* end, QWidget* panel) {
    auto* startLabel = new QLabel(Tr("Start date:"), dialog);
    auto* endLabel = new QLabel(Tr("End date:"), dialog);
    startLabel->setBuddy(start);
    endLabel->setBuddy(end);

    auto* dates = new QGridLayout;
    dates->addWidget(startLabel, 0, 0);
    dates->addWidget(start, 0, 1);
    dates->addWidget(endLabel, 1, 0);
    dates->addWidget(end, 1, 1);
    dates->setColumnStretch(1, 1);
    auto* content = new QVBoxLayout;
    content->setContentsMargins(14, 12, 14, 6);
    content->addWidget(explanation);
    content->addLayout(dates);
    content->addStretch(1);
    auto* layout = new QVBoxLayout(dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(content, 1);
    layout->addWidget(panel);
}
