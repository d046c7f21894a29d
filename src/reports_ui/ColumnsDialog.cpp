#include "reports_ui/ColumnsDialog.h"

#include "foundation/Translation.h"
#include "ui/OKCancelPanel.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

TfrmReportColumns::TfrmReportColumns(const TReportColumnSelection& columns, QWidget* parent)
    : ThxBaseForm(parent), m_columns(columns) {
    setWindowTitle(Tr("Columns"));
    m_pages = new QTabWidget(this);

    auto* selection = new QWidget(m_pages);
    m_available = new QListWidget(selection);
    m_selected = new QListWidget(selection);
    m_add = new QPushButton(QStringLiteral(">"), selection);
    m_remove = new QPushButton(QStringLiteral("<"), selection);
    auto* availableLabel = new QLabel(Tr("Available columns:"), selection);
    auto* selectedLabel = new QLabel(Tr("Selected columns:"), selection);
    availableLabel->setBuddy(m_available);
    selectedLabel->setBuddy(m_selected);
    auto* buttons = new QVBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_add);
    buttons->addWidget(m_remove);
    buttons->addStretch(1);
    auto* grid = new QGridLayout(selection);
    grid->addWidget(availableLabel, 0, 0);
    grid->addWidget(selectedLabel, 0, 2);
    grid->addWidget(m_available, 1, 0);
    grid->addLayout(buttons, 1, 1);
    grid->addWidget(m_selected, 1, 2);
    m_pages->addTab(selection, Tr("Selection"));

    auto* properties = new QWidget(m_pages);
    m_properties = new QListWidget(properties);
    m_caption = new QLineEdit(properties);
    m_alignment = new QComboBox(properties);
    m_alignment->addItems({Tr("Left"), Tr("Right"), Tr("Center")});
    auto* form = new QFormLayout;
    form->addRow(Tr("Caption:"), m_caption);
    form->addRow(Tr("Alignment:"), m_alignment);
    auto* propertiesLayout = new QVBoxLayout(properties);
    propertiesLayout->addWidget(new QLabel(Tr("Columns:"), properties));
    propertiesLayout->addWidget(m_properties, 1);
    propertiesLayout->addLayout(form);
    m_pages->addTab(properties, Tr("Properties"));

    m_panel = new TOKCancelPanel(this);
    m_panel->SetButtons(true, true, false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 0);
    layout->addWidget(m_pages, 1);
    layout->addWidget(m_panel);
    resize(420, 340);

    connect(m_add, &QPushButton::clicked, this, &TfrmReportColumns::AddColumn);
    connect(m_remove, &QPushButton::clicked, this, &TfrmReportColumns::RemoveColumn);
    connect(m_available, &QListWidget::itemDoubleClicked, this, &TfrmReportColumns::AddColumn);
    connect(m_selected, &QListWidget::itemDoubleClicked, this, &TfrmReportColumns::RemoveColumn);
    connect(m_properties, &QListWidget::currentRowChanged, this, &TfrmReportColumns::PropertySelected);
    connect(m_caption, &QLineEdit::textEdited, this, &TfrmReportColumns::CaptionEdited);
    connect(m_alignment, &QComboBox::activated, this, &TfrmReportColumns::AlignmentChosen);
    connect(m_panel, &TOKCancelPanel::OKClicked, this, &QDialog::accept);
    m_available->installEventFilter(this);
    m_selected->installEventFilter(this);
    FillLists();
}

void TfrmReportColumns::FillLists() {
    m_filling = true;
    const int available = m_available->currentRow();
    const int selected = m_selected->currentRow();
    const int property = m_properties->currentRow();
    m_available->clear();
    m_selected->clear();
    m_properties->clear();
    for (const TReportColumn& column : m_columns.available)
        m_available->addItem(column.name);
    for (const TReportColumn& column : m_columns.selected) {
        m_selected->addItem(column.name);
        m_properties->addItem(column.name);
    }
    m_available->setCurrentRow(std::min(available, m_available->count() - 1));
    m_selected->setCurrentRow(std::min(selected, m_selected->count() - 1));
    m_filling = false;
    m_properties->setCurrentRow(std::clamp(property, 0, m_properties->count() - 1));
    PropertySelected();
}

void TfrmReportColumns::AddColumn() {
    const int from = m_available->currentRow();
    if (from < 0 || from >= static_cast<int>(m_columns.available.size()))
        return;
    const TReportColumn column = m_columns.available[from];
    m_columns.available.erase(m_columns.available.begin() + from);
    const int after = m_selected->currentRow();
    const int at = after < 0 ? static_cast<int>(m_columns.selected.size()) : after + 1;
    m_columns.selected.insert(m_columns.selected.begin() + at, column);
    FillLists();
    m_selected->setCurrentRow(at);
}

void TfrmReportColumns::RemoveColumn() {
    const int from = m_selected->currentRow();
    if (from < 0 || from >= static_cast<int>(m_columns.selected.size()))
        return;
    m_columns.available.push_back(m_columns.selected[from]);
    m_columns.selected.erase(m_columns.selected.begin() + from);
    FillLists();
    m_available->setCurrentRow(m_available->count() - 1);
}

void TfrmReportColumns::PropertySelected() {
    if (m_filling)
        return;
    const int row = m_properties->currentRow();
    const bool valid = row >= 0 && row < static_cast<int>(m_columns.selected.size());
    m_caption->setEnabled(valid);
    m_alignment->setEnabled(valid);
    m_caption->setText(valid ? m_columns.selected[row].caption : QString());
    m_alignment->setCurrentIndex(valid ? static_cast<int>(m_columns.selected[row].alignment) : -1);
}

void TfrmReportColumns::CaptionEdited(const QString& text) {
    const int row = m_properties->currentRow();
    if (row >= 0 && row < static_cast<int>(m_columns.selected.size()))
        m_columns.selected[row].caption = text;
}

void TfrmReportColumns::AlignmentChosen(int index) {
    const int row = m_properties->currentRow();
    if (row >= 0 && row < static_cast<int>(m_columns.selected.size()) && index >= 0 && index <= 2)
        m_columns.selected[row].alignment = static_cast<TReportAlignment>(index);
}

bool TfrmReportColumns::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
        if (watched == m_available)
            AddColumn();
        else if (watched == m_selected)
            RemoveColumn();
        else
            return ThxBaseForm::eventFilter(watched, event);
        return true;
    }
    return ThxBaseForm::eventFilter(watched, event);
}
