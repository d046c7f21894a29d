#include "formatting_ui/DateFormattingOptionsPage.h"

#include "formatting/DateFormatterLocDep.h"
#include "formatting_ui/DateFormatterDlg.h"
#include "foundation/DateTime.h"
#include "foundation/Log.h"
#include "foundation/Translation.h"
#include "foundation/VRNTools.h"
#include "model/PropertyList.h"
#include "ui/MessageBox.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString SectionName = QStringLiteral("formatting options");
const QString DateOptionsName = QStringLiteral("date formatting options");
enum { ColumnName, ColumnFormat, ColumnSample };

/// The loading flag, set for a scope.
class TLoading {
public:
    explicit TLoading(bool& flag) : m_flag(flag), m_before(flag) { m_flag = true; }
    ~TLoading() { m_flag = m_before; }
    TLoading(const TLoading&) = delete;
    TLoading& operator=(const TLoading&) = delete;

private:
    bool& m_flag;
    bool m_before;
};

std::shared_ptr<TDateFormatterLocDepUser> UserFormatter(const DateFormatterPtr& formatter) {
    if (!std::dynamic_pointer_cast<IHXDateFormatterUser_>(formatter))
        return nullptr;
    return std::dynamic_pointer_cast<TDateFormatterLocDepUser>(formatter);
}

bool RunDateFormatterDlg(QWidget* parent, std::shared_ptr<TDateFormatterLocDepUser>& formatter) {
    return ExecuteDateFormatterDlg(parent, formatter, {}, {});
}

} // namespace

TfrmDateFormattingOptions::TfrmDateFormattingOptions(QWidget* parent, IHXOptionsControl_* control,
                                                     TEditFormatter editFormatter)
    : TfrmOptionsPage(parent, control),
      m_editFormatter(editFormatter ? std::move(editFormatter) : TEditFormatter(RunDateFormatterDlg)),
      m_options(std::make_shared<TDateFormattingOptions>()), m_list(new QTreeWidget(this)),
      m_up(new QPushButton(Tr("Up"), this)), m_down(new QPushButton(Tr("Down"), this)),
      m_edit(new QPushButton(Tr("Edit"), this)), m_new(new QPushButton(Tr("New"), this)),
      m_delete(new QPushButton(Tr("Delete"), this)), m_display(new QComboBox(this)) {
    setObjectName(QStringLiteral("frmDateFormattingOptions"));

    auto* image = new QLabel(this);
    image->setPixmap(style()->standardIcon(QStyle::SP_FileDialogDetailedView).pixmap(32, 32));
    auto* intro =
        new QLabel(Tr("Specify which date formats you want to use. You can define your own formats, too."), this);
    intro->setWordWrap(true);
    auto* band = new QHBoxLayout;
    band->addWidget(image, 0, Qt::AlignTop);
    band->addWidget(intro, 1);

    m_list->setColumnCount(3);
    m_list->setHeaderLabels({Tr("Name"), Tr("Format"), Tr("Sample")});
    m_list->setColumnWidth(ColumnName, 100);
    m_list->setColumnWidth(ColumnFormat, 150);
    m_list->setColumnWidth(ColumnSample, 170);
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setSortingEnabled(false);
    m_list->header()->setSectionsClickable(false);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setAllColumnsShowFocus(true);
    // The selected row stays visible when the list loses the focus.
    QPalette palette = m_list->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    m_list->setPalette(palette);
    m_list->installEventFilter(this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_up);
    buttons->addWidget(m_down);
    buttons->addStretch(1);
    buttons->addWidget(m_edit);
    buttons->addWidget(m_new);
    buttons->addWidget(m_delete);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    auto* displayLabel = new QLabel(Tr("Specify how date formats are displayed:"), this);
    displayLabel->setBuddy(m_display);
    m_display->addItems({Tr("Name"), Tr("Format"), Tr("Sample")});
    m_display->setFixedWidth(145);
    auto* displayRow = new QHBoxLayout;
    displayRow->addWidget(m_display);
    displayRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);
    layout->addLayout(band);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    layout->addWidget(line);
    layout->addWidget(displayLabel);
    layout->addLayout(displayRow);

    connect(m_up, &QPushButton::clicked, this, &TfrmDateFormattingOptions::MoveUp);
    connect(m_down, &QPushButton::clicked, this, &TfrmDateFormattingOptions::MoveDown);
    connect(m_edit, &QPushButton::clicked, this, &TfrmDateFormattingOptions::EditFormat);
    connect(m_new, &QPushButton::clicked, this, &TfrmDateFormattingOptions::NewFormat);
    connect(m_delete, &QPushButton::clicked, this, &TfrmDateFormattingOptions::DeleteFormat);
    connect(m_list, &QTreeWidget::itemChanged, this, &TfrmDateFormattingOptions::RowChanged);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (!m_loading)
            UpdateButtons();
    });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &TfrmDateFormattingOptions::EditFormat);
    connect(m_display, &QComboBox::activated, this, &TfrmDateFormattingOptions::DisplayChosen);

    RegisterFormatSettingsNotify(this);
    UpdateButtons();
}

TfrmDateFormattingOptions::~TfrmDateFormattingOptions() {
    UnregisterFormatSettingsNotify(this);
}

void TfrmDateFormattingOptions::LoadPage() {
    const TLoading loading(m_loading);
    m_options = std::make_shared<TDateFormattingOptions>();
    const auto section = Section(SectionName);
    const auto stored = section->Find(DateOptionsName);
    try {
        m_options->LoadFromPropertyList(stored && stored->DataType() == hxpdtPropertyList ? stored->AsPropertyList()
                                                                                          : nullptr);
    } catch (const std::exception& e) {
        // Options that cannot be read show the defaults, as the program itself would use them.
        LogException(QStringLiteral("TfrmDateFormattingOptions.LoadPage"), e);
        m_options->LoadFromPropertyList(nullptr);
    }

    m_entries.clear();
    m_list->clear();
    const auto selection = m_options->Selection();
    const auto definitions = m_options->Definitions();
    for (int i = 0; i < selection->Count(); ++i)
        m_entries.push_back({selection->Items(i), true, false});
    for (int i = 0; i < definitions->Count(); ++i) {
        const DateFormatterPtr formatter = definitions->Items(i);
        bool selected = false;
        for (int j = 0; j < selection->Count() && !selected; ++j)
            selected = selection->Items(j) == formatter;
        if (!selected)
            m_entries.push_back({formatter, false, false});
    }
    for (const TEntry& entry : m_entries)
        AddRow(entry);
    if (!m_entries.empty())
        SelectRow(0);

    m_display->setCurrentIndex(m_options->DisplayType());
    UpdateButtons();
}

bool TfrmDateFormattingOptions::SavePage() {
    const auto selection = m_options->Selection();
    selection->Reset();
    for (TEntry& entry : m_entries) {
        if (entry.checked)
            selection->Add(entry.formatter);
        if (entry.isNew) {
            m_options->Definitions()->Add(entry.formatter);
            entry.isNew = false;
        }
    }
    if (selection->Count() == 0) {
        ShowMessageBox(this, Tr("Date Formatting"), Tr("Please select at least one format."), MessageBoxKind::Error);
        m_list->setFocus();
        return false;
    }
    Section(SectionName)->Items(DateOptionsName)->AsPropertyList()->Assign(m_options->SaveToPropertyList());
    return true;
}

void TfrmDateFormattingOptions::AddRow(const TEntry& entry) {
    auto* item = new QTreeWidgetItem(m_list);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(ColumnName, entry.checked ? Qt::Checked : Qt::Unchecked);
    ShowRow(m_list->indexOfTopLevelItem(item));
}

void TfrmDateFormattingOptions::ShowRow(int row) {
    QTreeWidgetItem* item = m_list->topLevelItem(row);
    const DateFormatterPtr& formatter = m_entries.at(static_cast<size_t>(row)).formatter;
    const TLoading loading(m_loading);
    item->setText(ColumnName, formatter->Name());
    item->setText(ColumnFormat, formatter->FormatString());
    item->setText(ColumnSample, formatter->Format(TodayDate()));
}

void TfrmDateFormattingOptions::SelectRow(int row) {
    if (QTreeWidgetItem* item = m_list->topLevelItem(row)) {
        m_list->setCurrentItem(item);
        m_list->scrollToItem(item);
    }
}

int TfrmDateFormattingOptions::SelectedRow() const {
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->indexOfTopLevelItem(selected.first());
}

std::shared_ptr<TDateFormatterLocDepUser> TfrmDateFormattingOptions::SelectedUserFormatter() const {
    const int row = SelectedRow();
    return row < 0 ? nullptr : UserFormatter(m_entries.at(static_cast<size_t>(row)).formatter);
}

void TfrmDateFormattingOptions::UpdateButtons() {
    const int row = SelectedRow();
    const bool user = SelectedUserFormatter() != nullptr;
    m_up->setEnabled(row > 0);
    m_down->setEnabled(row >= 0 && row < m_list->topLevelItemCount() - 1);
    m_edit->setEnabled(user);
    m_delete->setEnabled(user);
    m_new->setEnabled(true);
}

void TfrmDateFormattingOptions::RowChanged(QTreeWidgetItem* item, int column) {
    if (m_loading || column != ColumnName)
        return;
    const int row = m_list->indexOfTopLevelItem(item);
    if (row < 0)
        return;
    const bool checked = item->checkState(ColumnName) == Qt::Checked;
    TEntry& entry = m_entries.at(static_cast<size_t>(row));
    if (entry.checked == checked)
        return;
    entry.checked = checked;
    SetModified();
}

void TfrmDateFormattingOptions::DisplayChosen(int index) {
    if (m_loading || index < 0)
        return;
    m_options->SetDisplayType(index);
    SetModified();
}

void TfrmDateFormattingOptions::MoveUp() {
    MoveSelected(-1);
}

void TfrmDateFormattingOptions::MoveDown() {
    MoveSelected(1);
}

void TfrmDateFormattingOptions::MoveSelected(int delta) {
    const int row = SelectedRow();
    const int target = row + delta;
    if (row < 0 || target < 0 || target >= m_list->topLevelItemCount())
        return;
    {
        const TLoading loading(m_loading);
        std::swap(m_entries.at(static_cast<size_t>(row)), m_entries.at(static_cast<size_t>(target)));
        QTreeWidgetItem* item = m_list->takeTopLevelItem(row);
        m_list->insertTopLevelItem(target, item);
        SelectRow(target);
    }
    UpdateButtons();
    SetModified();
}

void TfrmDateFormattingOptions::NewFormat() {
    std::shared_ptr<TDateFormatterLocDepUser> formatter;
    if (!m_editFormatter(this, formatter) || !formatter)
        return;
    {
        const TLoading loading(m_loading);
        m_entries.push_back({formatter, true, true});
        AddRow(m_entries.back());
        SelectRow(static_cast<int>(m_entries.size()) - 1);
    }
    UpdateButtons();
    SetModified();
}

void TfrmDateFormattingOptions::EditFormat() {
    std::shared_ptr<TDateFormatterLocDepUser> formatter = SelectedUserFormatter();
    const int row = SelectedRow();
    if (!formatter || !m_editFormatter(this, formatter))
        return;
    ShowRow(row);
    UpdateButtons();
    SetModified();
}

void TfrmDateFormattingOptions::DeleteFormat() {
    const std::shared_ptr<TDateFormatterLocDepUser> formatter = SelectedUserFormatter();
    if (!formatter)
        return;
    const QString question =
        FormatPlaceholders(Tr("Do you really want to delete the date format \"%1\"?"), {formatter->Name()});
    if (ShowMessageBox(this, Tr("Date Formatting"), question, QString(), MessageBoxKind::Question,
                       MessageBoxButton::Yes | MessageBoxButton::No) != MessageBoxResult::Yes)
        return;
    {
        const TLoading loading(m_loading);
        const int row = SelectedRow();
        if (!m_entries.at(static_cast<size_t>(row)).isNew)
            m_options->Definitions()->Remove(formatter);
        m_entries.erase(m_entries.begin() + row);
        delete m_list->takeTopLevelItem(row);
        if (m_list->topLevelItemCount() > 0)
            SelectRow(std::min(row, m_list->topLevelItemCount() - 1));
    }
    UpdateButtons();
    SetModified();
}

void TfrmDateFormattingOptions::FormatSettingsChanged() {
    for (int row = 0; row < m_list->topLevelItemCount(); ++row)
        ShowRow(row);
}

bool TfrmDateFormattingOptions::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
            DeleteFormat();
            return true;
        }
    }
    return TfrmOptionsPage::eventFilter(watched, event);
}
