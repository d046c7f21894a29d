#include "activities_ui/ActivityComboBox.h"

#include "activities_ui/ActivitySelectForm.h"
#include "addins/ApplicationInterface.h"
#include "foundation/Translation.h"
#include "foundation/VRNTools.h"
#include "ui/ActivityIcons.h"

#include <QCollator>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTimer>
#include <QToolButton>

namespace {

// Qt::UserRole: the data insertItem sets together with the item, before anybody hears of it.
constexpr int kHolderRole = Qt::UserRole;
const QString kUnknownText = QStringLiteral("???");

} // namespace

TActivityComboBox::TActivityComboBox(QWidget* parent)
    : QWidget(parent), m_combo(new QComboBox(this)), m_button(new QToolButton(this)) {
    m_combo->setIconSize(QSize(16, 16));
    m_combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_combo->setMinimumContentsLength(8);
    m_button->setText(QStringLiteral("..."));
    m_button->setToolTip(Tr("Select activity"));
    m_button->setFocusPolicy(Qt::TabFocus);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(Spacing);
    layout->addWidget(m_combo, 1);
    layout->addWidget(m_button);
    SetShowButton(true);
    setFocusProxy(m_combo);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_combo->installEventFilter(this);
    m_button->installEventFilter(this);
    connect(m_combo, &QComboBox::activated, this, [this] {
        if (m_updating == 0)
            emit Changed();
    });
    connect(m_button, &QToolButton::clicked, this, &TActivityComboBox::SelectInDialog);
}

TActivityComboBox::~TActivityComboBox() {
    if (m_tree)
        m_tree->RemoveNotify(this);
}

void TActivityComboBox::SetApplication(IApplication_* application) {
    m_application = application;
    SetTree(application ? application->GetActivityTree() : nullptr);
}

void TActivityComboBox::SetTree(const ActivityTreePtr& tree) {
    if (m_tree)
        m_tree->RemoveNotify(this);
    m_tree = tree;
    if (m_tree)
        m_tree->AddNotify(this);
    ResolveAll();
    RefreshTexts();
}

void TActivityComboBox::SetShowPath(bool showPath) {
    if (m_showPath == showPath)
        return;
    m_showPath = showPath;
    RefreshTexts();
}

void TActivityComboBox::SetShowButton(bool showButton) {
    m_showButton = showButton;
    m_button->setVisible(showButton);
    // The button stands beside the box, as high as the box, 25 pixels wide.
    m_button->setFixedWidth(ButtonWidth);
    m_button->setFixedHeight(m_combo->sizeHint().height());
}

void TActivityComboBox::SetSorted(bool sorted) {
    m_sorted = sorted;
}

TLocatorHolder* TActivityComboBox::Holder(int index) const {
    if (index < 0 || index >= m_combo->count())
        return nullptr;
    return reinterpret_cast<TLocatorHolder*>(m_combo->itemData(index, kHolderRole).value<quintptr>());
}

int TActivityComboBox::Count() const {
    return m_combo->count();
}

ActivityLocatorPtr TActivityComboBox::ItemLocator(int index) const {
    const TLocatorHolder* holder = Holder(index);
    return holder ? holder->locator : nullptr;
}

QString TActivityComboBox::ItemText(int index) const {
    return m_combo->itemText(index);
}

bool TActivityComboBox::IsTemporary(int index) const {
    const TLocatorHolder* holder = Holder(index);
    return holder && holder->temporary;
}

int TActivityComboBox::IndexOf(const ActivityLocatorPtr& locator) const {
    if (!locator)
        return -1;
    for (int i = 0; i < m_combo->count(); ++i)
        if (const TLocatorHolder* holder = Holder(i); holder && holder->locator->Eq(locator))
            return i;
    return -1;
}

int TActivityComboBox::SortedPosition(const QString& text) const {
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    int position = 0;
    while (position < m_combo->count() && collator.compare(m_combo->itemText(position), text) <= 0)
        ++position;
    return position;
}

int TActivityComboBox::InsertItem(int index, std::unique_ptr<TLocatorHolder> holder) {
    if (m_tree)
        holder->activity = holder->locator->FindActivity(m_tree);
    const QString text = TextFor(holder->locator);
    if (index < 0)
        index = m_sorted ? SortedPosition(text) : m_combo->count();
    TLocatorHolder* raw = holder.get();
    m_holders.push_back(std::move(holder));
    BeginUpdate();
    m_combo->insertItem(index, text, QVariant::fromValue(reinterpret_cast<quintptr>(raw)));
    EndUpdate();
    ShowItem(index);
    return index;
}

int TActivityComboBox::Add(const ActivityLocatorPtr& locator) {
    if (!locator)
        return -1;
    const int existing = IndexOf(locator);
    if (existing >= 0)
        return existing;
    auto holder = std::make_unique<TLocatorHolder>();
    holder->locator = locator;
    return InsertItem(-1, std::move(holder));
}

void TActivityComboBox::AddToTop(const ActivityLocatorPtr& locator) {
    if (!locator)
        return;
    bool wasSelected = false;
    const int existing = IndexOf(locator);
    if (existing >= 0) {
        wasSelected = existing == m_combo->currentIndex();
        DeleteItem(existing);
    }
    auto holder = std::make_unique<TLocatorHolder>();
    holder->locator = locator;
    InsertItem(0, std::move(holder));
    if (wasSelected) {
        BeginUpdate();
        m_combo->setCurrentIndex(0);
        EndUpdate();
    }
}

void TActivityComboBox::DeleteItem(int index) {
    if (index < 0 || index >= m_combo->count())
        return;
    BeginUpdate();
    m_combo->removeItem(index);
    EndUpdate();
}

void TActivityComboBox::Clear() {
    BeginUpdate();
    m_combo->clear();
    EndUpdate();
    m_holders.clear();
}

int TActivityComboBox::SelectedIndex() const {
    return m_combo->currentIndex();
}

ActivityLocatorPtr TActivityComboBox::SelectedLocator() const {
    return ItemLocator(m_combo->currentIndex());
}

void TActivityComboBox::RemoveTemporary() {
    for (int i = 0; i < m_combo->count(); ++i)
        if (IsTemporary(i)) {
            DeleteItem(i);
            return;
        }
}

void TActivityComboBox::SetSelectedLocator(const ActivityLocatorPtr& locator) {
    BeginUpdate();
    const int existing = IndexOf(locator);
    if (existing >= 0) {
        m_combo->setCurrentIndex(existing);
    } else {
        RemoveTemporary();
        if (locator && locator->ID().IsNull() && m_combo->count() > 0) {
            m_combo->setCurrentIndex(0);
        } else if (locator) {
            auto holder = std::make_unique<TLocatorHolder>();
            holder->locator = locator;
            holder->temporary = true;
            m_combo->setCurrentIndex(InsertItem(-1, std::move(holder)));
        } else {
            m_combo->setCurrentIndex(-1);
        }
    }
    EndUpdate();
}

void TActivityComboBox::SelectInDialog() {
    const ActivityLocatorPtr chosen =
        SelectActivity(this, m_application, m_tree, Tr("Select Activity"), SelectedLocator());
    if (!chosen)
        return;
    SetSelectedLocator(chosen);
    if (m_updating == 0)
        emit Changed();
}

int TActivityComboBox::TextWidth() const {
    // The box takes the control's width less the button's; the platform says how much of it the
    // text field has.
    const int boxWidth = width() - (m_showButton ? ButtonWidth + Spacing : 0);
    QStyleOptionComboBox option;
    option.initFrom(m_combo);
    option.rect = QRect(0, 0, boxWidth, m_combo->sizeHint().height());
    option.editable = false;
    const QRect field =
        m_combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, m_combo);
    const int fieldWidth = field.isValid() ? field.width() : boxWidth - 24;
    return fieldWidth - 2 - m_combo->iconSize().width() - 4;
}

QString TActivityComboBox::TextFor(const ActivityLocatorPtr& locator) const {
    if (!m_tree || !locator)
        return kUnknownText;
    QString text;
    try {
        text = m_showPath ? locator->GetActivityPathName(m_tree) : locator->GetActivityName(m_tree);
    } catch (const std::exception&) {
        // A damaged path still names its activity.
        text = locator->GetActivityName(m_tree);
    }
    const QFontMetrics metrics = m_combo->fontMetrics();
    return ShortenPathToWidth(
        text, u'/', [&](const QString& part) { return metrics.horizontalAdvance(part); }, TextWidth());
}

void TActivityComboBox::ShowItem(int index) {
    const TLocatorHolder* holder = Holder(index);
    if (!holder)
        return;
    const bool valid = holder->activity && holder->activity->IsValid();
    m_combo->setItemIcon(index, valid ? ActivityIcon(holder->activity->ImageIndex()) : QIcon());
    QString full;
    if (m_tree) {
        try {
            full = holder->locator->GetActivityPathName(m_tree);
        } catch (const std::exception&) {
            full = holder->locator->GetActivityName(m_tree);
        }
    }
    m_combo->setItemData(index, full, Qt::ToolTipRole);
}

void TActivityComboBox::ResolveAll() {
    for (int i = 0; i < m_combo->count(); ++i)
        if (TLocatorHolder* holder = Holder(i))
            holder->activity = m_tree ? holder->locator->FindActivity(m_tree) : nullptr;
}

void TActivityComboBox::RefreshTexts() {
    // The selection stays by index.
    const int selected = m_combo->currentIndex();
    BeginUpdate();
    for (int i = 0; i < m_combo->count(); ++i) {
        m_combo->setItemText(i, TextFor(ItemLocator(i)));
        ShowItem(i);
    }
    m_combo->setCurrentIndex(selected);
    EndUpdate();
}

void TActivityComboBox::ActivityDeleted(const ActivityPtr&) {
    ResolveAll();
    RefreshTexts();
    // The tree tells before the activity is gone: look again once the change is complete.
    QTimer::singleShot(0, this, [this] {
        ResolveAll();
        RefreshTexts();
    });
}

void TActivityComboBox::ActivityChanged(const ActivityPtr&) {
    RefreshTexts();
}

void TActivityComboBox::ChildsChanged(const ActivityPtr&) {
    ResolveAll();
    RefreshTexts();
}

void TActivityComboBox::TreeAssigned() {
    ResolveAll();
    RefreshTexts();
}

bool TActivityComboBox::ChildKeyPress(QKeyEvent*) {
    return false;
}

bool TActivityComboBox::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == m_combo || watched == m_button) && event->type() == QEvent::KeyPress &&
        ChildKeyPress(static_cast<QKeyEvent*>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

void TActivityComboBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    RefreshTexts();
}
