#include "activities_ui/ActivityTreeView.h"

#include "activities_ui/ActivityImageList.h"
#include "foundation/Translation.h"
#include "foundation/VRNException.h"
#include "foundation/VRNTools.h"
#include "model/ActivityImages.h"
#include "model/ActivityTree.h"
#include "ui/ActivityIcons.h"
#include "ui/MessageBox.h"
#include "ui/ShortcutText.h"

#include <QAction>
#include <QDrag>
#include <QDropEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMimeData>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <set>

namespace {

const QString kDragMimeType = QStringLiteral("application/x-horalux-activity-node");
constexpr int kLinkedRole = Qt::UserRole + 1;

/// The in-place rename hands the typed text to the view instead of writing it into the node.
class TRenameDelegate : public QStyledItemDelegate {
public:
    TRenameDelegate(TActivityTreeView* view, TActivityTreeWidget* widget)
        : QStyledItemDelegate(widget), m_view(view), m_widget(widget) {}

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
        auto* line = qobject_cast<QLineEdit*>(editor);
        if (!line)
            return;
        m_view->FinishRename(m_widget->itemFromIndex(index), line->text());
    }

private:
    TActivityTreeView* m_view;
    TActivityTreeWidget* m_widget;
};

TActivityNode* AsActivityNode(QTreeWidgetItem* item) {
    return dynamic_cast<TActivityNode*>(item);
}

ActivityPtr ActivityOf(QTreeWidgetItem* item) {
    if (TActivityNode* node = AsActivityNode(item))
        return node->Activity();
    return nullptr;
}

/// Whether target is activity or lies anywhere below it in the activity graph (through any of
/// the places its descendants stand in).
bool IsInSubtree(const ActivityPtr& activity, const ActivityPtr& target) {
    std::set<IHXActivity_*> seen;
    std::vector<ActivityPtr> pending{activity};
    while (!pending.empty()) {
        ActivityPtr current = pending.back();
        pending.pop_back();
        if (current.get() == target.get())
            return true;
        if (!seen.insert(current.get()).second)
            continue;
        const ActivityListPtr childs = current->Childs();
        for (int i = 0; i < childs->Count(); ++i)
            pending.push_back(childs->Items(i));
    }
    return false;
}

/// Keeps the expansion of a subtree across taking its top node out and putting it back.
void CollectExpanded(QTreeWidgetItem* item, std::vector<QTreeWidgetItem*>& expanded) {
    if (item->isExpanded())
        expanded.push_back(item);
    for (int i = 0; i < item->childCount(); ++i)
        CollectExpanded(item->child(i), expanded);
}

/// Holds back the view's own reloads on tree notifications while a command changes the tree in
/// several steps; the command reloads once at the end.
class TCommandScope {
public:
    explicit TCommandScope(int& depth) : m_depth(depth) { ++m_depth; }
    ~TCommandScope() { --m_depth; }
    TCommandScope(const TCommandScope&) = delete;
    TCommandScope& operator=(const TCommandScope&) = delete;

private:
    int& m_depth;
};

} // namespace

bool IsUsableActivity(const ActivityPtr& activity) {
    return activity && activity->IsValid() && !activity->IsReadOnly();
}

// --- TActivityTreeWidget ---

TActivityTreeWidget::TActivityTreeWidget(TActivityTreeView* view) : QTreeWidget(view), m_view(view) {
    setHeaderHidden(true);
    setColumnCount(1);
    setFrameShape(QFrame::NoFrame);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Renaming starts only through the Rename command, which checks whether it is allowed.
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setItemDelegate(new TRenameDelegate(view, this));
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setIconSize(QSize(16, 16));
}

void TActivityTreeWidget::EndEditing(bool accept) {
    if (!IsEditing())
        return;
    QWidget* editor = indexWidget(currentIndex());
    if (!editor)
        return;
    if (accept)
        commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void TActivityTreeWidget::startDrag(Qt::DropActions) {
    QTreeWidgetItem* dragged = currentItem();
    const ActivityPtr activity = ActivityOf(dragged);
    if (m_view->ReadOnly() || !activity || !activity->IsValid())
        return;
    auto* mime = new QMimeData;
    mime->setData(kDragMimeType, QByteArray());
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    // A plain drag moves (the empty-page cursor), Ctrl adds a link; elsewhere the desktop's "not
    // allowed" cursor shows.
    drag->setDragCursor(DragCursorPixmap(false), Qt::MoveAction);
    drag->setDragCursor(DragCursorPixmap(true), Qt::CopyAction);
    drag->setDragCursor(DragCursorPixmap(true), Qt::LinkAction);
    drag->exec(Qt::MoveAction | Qt::CopyAction | Qt::LinkAction, Qt::MoveAction);
}

void TActivityTreeWidget::dragEnterEvent(QDragEnterEvent* event) {
    if (event->source() == this && event->mimeData()->hasFormat(kDragMimeType))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TActivityTreeWidget::dragMoveEvent(QDragMoveEvent* event) {
    if (event->source() != this || !event->mimeData()->hasFormat(kDragMimeType)) {
        event->ignore();
        return;
    }
    QTreeWidgetItem* target = itemAt(event->position().toPoint());
    if (!m_view->CanDrop(currentItem(), target)) {
        event->ignore();
        return;
    }
    event->setDropAction((event->modifiers() & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction);
    event->accept();
}

void TActivityTreeWidget::dropEvent(QDropEvent* event) {
    if (event->source() != this || !event->mimeData()->hasFormat(kDragMimeType)) {
        event->ignore();
        return;
    }
    QTreeWidgetItem* target = itemAt(event->position().toPoint());
    const bool link = (event->modifiers() & Qt::ControlModifier) != 0;
    // The view has changed the tree itself: the drag must not remove anything on its own.
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    m_view->Drop(currentItem(), target, link);
}

// --- TActivityTreeView ---

TActivityTreeView::TActivityTreeView(QWidget* parent) : QWidget(parent), m_treeWidget(new TActivityTreeWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_treeWidget);
    setFocusProxy(m_treeWidget);
    CreateActions();
    m_treeWidget->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(m_treeWidget, &QTreeWidget::itemSelectionChanged, this, &TActivityTreeView::SelectionChanged);
    connect(m_treeWidget, &QTreeWidget::currentItemChanged, this, &TActivityTreeView::SelectionChanged);
    connect(m_treeWidget, &QTreeWidget::itemExpanded, this, &TActivityTreeView::Expanded);
    UpdateActions();
}

TActivityTreeView::~TActivityTreeView() {
    if (m_tree)
        m_tree->RemoveNotify(this);
}

void TActivityTreeView::CreateActions() {
    struct Definition {
        const char* caption;
        const char* hint;
        QKeySequence shortcut;
        int image;
    };
    const std::array<Definition, CommandCount> definitions = {{
        {TrNoop("New Activity"), TrNoop("Add a new activity"), ShortcutFromText(Tr("^N..New Activity")), 0},
        {TrNoop("New Activity on Same Level"), TrNoop("Add a new activity on the same level"),
         ShortcutFromText(Tr("^A..New Activity on Same Level")), 1},
        {TrNoop("Rename"), TrNoop("Rename the selected activity"), ShortcutFromText(Tr("F2..Rename")), 2},
        {TrNoop("Move Up"), TrNoop("Move the selected activity up"), QKeySequence(Qt::CTRL | Qt::Key_Up), 3},
        {TrNoop("Move Down"), TrNoop("Move the selected activity down"), QKeySequence(Qt::CTRL | Qt::Key_Down), 4},
        {TrNoop("Switch Break"), TrNoop("Switch break status of the selected activity"),
         ShortcutFromText(Tr("^B..Switch Break")), 5},
        {TrNoop("Delete"), TrNoop("Delete the selected activity"), QKeySequence(Qt::Key_Delete), 7},
        {TrNoop("Properties"), TrNoop("Show properties of the selected activity"),
         QKeySequence(Qt::ALT | Qt::Key_Return), 10},
    }};
    const QStringList images = ActivityToolbarResources();
    for (int i = 0; i < CommandCount; ++i) {
        const Definition& definition = definitions[static_cast<size_t>(i)];
        auto* action = new QAction(Tr(definition.caption), this);
        action->setToolTip(Tr(definition.hint));
        action->setStatusTip(Tr(definition.hint));
        action->setShortcut(definition.shortcut);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        action->setIcon(ImageIcon(images.value(definition.image)));
        m_actions[static_cast<size_t>(i)] = action;
        const auto command = static_cast<Command>(i);
        connect(action, &QAction::triggered, this, [this, command] { Execute(command); });
        // The window's shortcuts work wherever the focus is inside the view; the pop-up menu lists
        // the same actions.
        addAction(action);
        m_treeWidget->addAction(action);
    }
    m_actions[SwitchBreak]->setCheckable(true);
    // Alt+Enter on the keypad too.
    m_actions[Properties]->setShortcuts(
        {QKeySequence(Qt::ALT | Qt::Key_Return), QKeySequence(Qt::ALT | Qt::Key_Enter)});
}

void TActivityTreeView::SetTree(const ActivityTreePtr& tree) {
    if (m_tree.get() == tree.get())
        return;
    if (m_tree)
        m_tree->RemoveNotify(this);
    m_treeWidget->clear();
    m_rootNode = nullptr;
    m_tree = tree;
    m_hiddenActivity = m_tree ? m_tree->UnknownActivity() : nullptr;
    if (m_tree)
        m_tree->AddNotify(this);
    Reload();
}

void TActivityTreeView::SetShowRootNode(bool show) {
    if (m_showRootNode == show)
        return;
    m_showRootNode = show;
    Reload();
}

void TActivityTreeView::SetReadOnly(bool readOnly) {
    m_readOnly = readOnly;
    m_treeWidget->setContextMenuPolicy(readOnly ? Qt::NoContextMenu : Qt::ActionsContextMenu);
    m_treeWidget->setDragDropMode(readOnly ? QAbstractItemView::NoDragDrop : QAbstractItemView::DragDrop);
    Reload();
}

void TActivityTreeView::SetPropertiesHandled(bool handled) {
    m_propertiesHandled = handled;
    UpdateActions();
}

QTreeWidgetItem* TActivityTreeView::TopParent() const {
    return m_rootNode ? m_rootNode : m_treeWidget->invisibleRootItem();
}

void TActivityTreeView::Reload() {
    ++m_reloadCount;
    m_treeWidget->setUpdatesEnabled(false);
    if (m_tree)
        m_tree->CountInstances();
    if (m_showRootNode != (m_rootNode != nullptr)) {
        // The top-level nodes change their parent: start again from nothing.
        m_treeWidget->clear();
        m_rootNode = nullptr;
        if (m_showRootNode) {
            m_rootNode = new QTreeWidgetItem;
            m_rootNode->setText(0, Tr("Activities"));
            m_rootNode->setIcon(0, SmallImageListIcon(ActivityImageRootPosition));
            m_rootNode->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled);
            m_treeWidget->addTopLevelItem(m_rootNode);
        }
    }
    const bool rootExpanded = m_rootNode && (m_rootNode->isExpanded() || m_rootNode->childCount() == 0);
    if (m_tree) {
        ReconcileChilds(TopParent(), m_tree->Childs());
    } else {
        QTreeWidgetItem* top = TopParent();
        while (top->childCount() > 0)
            delete top->takeChild(0);
    }
    RefreshNodes();
    if (m_rootNode && rootExpanded)
        m_rootNode->setExpanded(true);
    m_treeWidget->setUpdatesEnabled(true);
    --m_reloadCount;
    UpdateActions();
    emit Reloaded();
}

void TActivityTreeView::ReconcileChilds(QTreeWidgetItem* parent, const ActivityListPtr& list) {
    std::vector<ActivityPtr> pending;
    pending.reserve(static_cast<size_t>(list->Count()));
    for (int i = 0; i < list->Count(); ++i)
        pending.push_back(list->Items(i));
    for (int i = 0; i < parent->childCount();) {
        TActivityNode* node = AsActivityNode(parent->child(i));
        const auto found = node ? std::find_if(pending.begin(), pending.end(),
                                               [&](const ActivityPtr& a) { return a.get() == node->Activity().get(); })
                                : pending.end();
        if (found == pending.end()) {
            delete parent->takeChild(i);
            continue;
        }
        pending.erase(found);
        const ActivityListPtr childs = node->Activity()->Childs();
        if (node->ChildsLoaded())
            ReconcileChilds(node, childs);
        else
            node->setChildIndicatorPolicy(childs->Count() > 0 ? QTreeWidgetItem::ShowIndicator
                                                              : QTreeWidgetItem::DontShowIndicator);
        ++i;
    }
    for (const ActivityPtr& activity : pending) {
        if (!activity->IsValid() || activity.get() == m_hiddenActivity.get())
            continue;
        auto* node = new TActivityNode(activity);
        const int position = list->IndexOf(activity);
        if (position >= 0 && position < parent->childCount())
            parent->insertChild(position, node);
        else
            parent->addChild(node);
        node->setChildIndicatorPolicy(activity->Childs()->Count() > 0 ? QTreeWidgetItem::ShowIndicator
                                                                      : QTreeWidgetItem::DontShowIndicator);
    }
    SortChilds(parent, list);
    if (AsActivityNode(parent))
        parent->setChildIndicatorPolicy(list->Count() > 0 ? QTreeWidgetItem::ShowIndicator
                                                          : QTreeWidgetItem::DontShowIndicator);
}

void TActivityTreeView::SortChilds(QTreeWidgetItem* parent, const ActivityListPtr& list) {
    const auto positionOf = [&](QTreeWidgetItem* item) { return list->IndexOf(ActivityOf(item)); };
    bool sorted = true;
    for (int i = 1; i < parent->childCount() && sorted; ++i)
        sorted = positionOf(parent->child(i - 1)) <= positionOf(parent->child(i));
    if (sorted)
        return;
    QTreeWidgetItem* current = m_treeWidget->currentItem();
    // Taken nodes forget whether they were expanded: remember it before.
    std::vector<QTreeWidgetItem*> expanded;
    for (int i = 0; i < parent->childCount(); ++i)
        CollectExpanded(parent->child(i), expanded);
    QList<QTreeWidgetItem*> items = parent->takeChildren();
    std::stable_sort(items.begin(), items.end(),
                     [&](QTreeWidgetItem* a, QTreeWidgetItem* b) { return positionOf(a) < positionOf(b); });
    parent->addChildren(items);
    for (QTreeWidgetItem* item : expanded)
        item->setExpanded(true);
    if (current && m_treeWidget->currentItem() != current)
        m_treeWidget->setCurrentItem(current);
}

void TActivityTreeView::RefreshNode(QTreeWidgetItem* node, bool parentLinked) {
    const ActivityPtr activity = ActivityOf(node);
    bool linked = parentLinked;
    if (activity) {
        linked = parentLinked || activity->InstanceCount() >= 2;
        const QString name = activity->Name();
        if (node->text(0) != name)
            node->setText(0, name);
        const int image = activity->ImageIndex();
        node->setIcon(0, ActivityNodeIcon(image, linked));
        node->setData(0, kLinkedRole, linked);
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (!m_readOnly && IsUsableActivity(activity))
            flags |= Qt::ItemIsEditable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
        node->setFlags(flags);
    }
    for (int i = 0; i < node->childCount(); ++i)
        RefreshNode(node->child(i), linked);
}

void TActivityTreeView::RefreshNodes() {
    QTreeWidgetItem* top = m_treeWidget->invisibleRootItem();
    for (int i = 0; i < top->childCount(); ++i)
        RefreshNode(top->child(i), false);
}

bool TActivityTreeView::HasLinkOverlay(const QTreeWidgetItem* node) {
    return node && node->data(0, kLinkedRole).toBool();
}

QList<QTreeWidgetItem*> TActivityTreeView::ChildNodes(QTreeWidgetItem* node) const {
    QTreeWidgetItem* parent = node ? node : TopParent();
    QList<QTreeWidgetItem*> nodes;
    for (int i = 0; i < parent->childCount(); ++i)
        nodes << parent->child(i);
    return nodes;
}

void TActivityTreeView::Expanded(QTreeWidgetItem* item) {
    TActivityNode* node = AsActivityNode(item);
    if (!node || node->ChildsLoaded())
        return;
    node->SetChildsLoaded(true);
    ++m_reloadCount;
    ReconcileChilds(node, node->Activity()->Childs());
    RefreshNode(node, node->parent() && HasLinkOverlay(node->parent()));
    --m_reloadCount;
}

TActivityNode* TActivityTreeView::SelectedNode() const {
    return AsActivityNode(m_treeWidget->currentItem());
}

ActivityPtr TActivityTreeView::SelectedActivity() const {
    const ActivityPtr activity = ActivityOf(m_treeWidget->currentItem());
    return activity && activity->IsValid() ? activity : nullptr;
}

ActivityLocatorPtr TActivityTreeView::SelectedLocator() const {
    const ActivityPtr activity = SelectedActivity();
    if (!activity)
        return nullptr;
    auto locator = std::make_shared<TActivityLocator>();
    locator->SetActivity(activity);
    for (QTreeWidgetItem* ancestor = m_treeWidget->currentItem()->parent(); ancestor; ancestor = ancestor->parent()) {
        const ActivityPtr parent = ActivityOf(ancestor);
        if (!parent)
            break; // the root node
        locator->AddParentActivity(parent->ID());
    }
    return locator;
}

ActivityPtr TActivityTreeView::ParentActivity(QTreeWidgetItem* node) const {
    return node ? ActivityOf(node->parent()) : nullptr;
}

ActivityListPtr TActivityTreeView::ListOf(QTreeWidgetItem* node) const {
    if (const ActivityPtr activity = ActivityOf(node))
        return activity->Childs();
    return m_tree ? m_tree->Childs() : nullptr;
}

ActivityListPtr TActivityTreeView::ParentList(QTreeWidgetItem* node) const {
    if (const ActivityPtr parent = ParentActivity(node))
        return parent->Childs();
    return m_tree ? m_tree->Childs() : nullptr;
}

bool TActivityTreeView::SelectActivityUnder(QTreeWidgetItem* node, const ActivityPtr& activity) {
    QTreeWidgetItem* parent = node ? node : TopParent();
    if (parent != m_treeWidget->invisibleRootItem())
        parent->setExpanded(true);
    for (int i = 0; i < parent->childCount(); ++i) {
        QTreeWidgetItem* child = parent->child(i);
        if (activity && ActivityOf(child).get() == activity.get()) {
            m_treeWidget->setCurrentItem(child);
            m_treeWidget->scrollToItem(child);
            return true;
        }
    }
    return false;
}

bool TActivityTreeView::SelectLocator(const ActivityLocatorPtr& locator) {
    if (!locator || !m_tree)
        return false;
    QList<TGUID> path;
    try {
        for (const QString& piece : locator->Path().split(u'/', Qt::SkipEmptyParts))
            path << TGUID::FromString(piece);
    } catch (const EVRNException&) {
        return false; // a damaged path leads nowhere
    }
    if (m_rootNode)
        m_rootNode->setExpanded(true);
    return SelectPath(TopParent(), path, 0, locator->ID());
}

bool TActivityTreeView::SelectPath(QTreeWidgetItem* parent, const QList<TGUID>& path, int depth, const TGUID& id) {
    const QList<QTreeWidgetItem*> nodes = ChildNodes(parent);
    if (depth == path.size()) {
        for (QTreeWidgetItem* node : nodes) {
            const ActivityPtr activity = ActivityOf(node);
            if (activity && activity->ID() == id) {
                m_treeWidget->setCurrentItem(node);
                m_treeWidget->scrollToItem(node);
                return true;
            }
        }
        return false;
    }
    for (QTreeWidgetItem* node : nodes) {
        const ActivityPtr activity = ActivityOf(node);
        if (!activity || !(activity->ID() == path[depth]))
            continue;
        const bool wasExpanded = node->isExpanded();
        node->setExpanded(true);
        if (SelectPath(node, path, depth + 1, id))
            return true;
        if (!wasExpanded)
            node->setExpanded(false);
    }
    return false;
}

void TActivityTreeView::SelectionChanged() {
    UpdateActions();
    if (m_reloadCount == 0)
        emit Changed(SelectedActivity());
}

void TActivityTreeView::UpdateActions() {
    const bool editable = !m_readOnly && m_tree;
    TActivityNode* node = SelectedNode();
    const ActivityPtr selected = SelectedActivity();
    const bool usable = IsUsableActivity(selected);
    const ActivityPtr parent = selected ? ParentActivity(node) : nullptr;
    const ActivityListPtr parentList = selected ? ParentList(node) : nullptr;
    const int index = parentList ? parentList->IndexOf(selected) : -1;
    m_actions[NewActivity]->setEnabled(editable && (usable || !node));
    m_actions[NewActivityOnSameLevel]->setEnabled(editable && selected && (!parent || !parent->IsReadOnly()));
    m_actions[Rename]->setEnabled(editable && usable);
    m_actions[MoveUp]->setEnabled(editable && selected && index > 0);
    m_actions[MoveDown]->setEnabled(editable && selected && index >= 0 && index < parentList->Count() - 1);
    m_actions[SwitchBreak]->setEnabled(editable && selected);
    m_actions[SwitchBreak]->setChecked(selected && selected->IsBreak());
    m_actions[Delete]->setEnabled(editable && usable);
    m_actions[Properties]->setEnabled(editable && usable && m_propertiesHandled);
}

void TActivityTreeView::Execute(Command command) {
    if (!m_actions[command]->isEnabled())
        return;
    switch (command) {
    case NewActivity:
        DoNewActivity();
        break;
    case NewActivityOnSameLevel:
        DoNewActivityOnSameLevel();
        break;
    case Rename:
        DoRename();
        break;
    case MoveUp:
        DoMove(-1);
        break;
    case MoveDown:
        DoMove(1);
        break;
    case SwitchBreak:
        DoSwitchBreak();
        break;
    case Delete:
        DoDelete();
        break;
    case Properties:
        if (const ActivityPtr activity = SelectedActivity())
            emit PropertiesRequested(activity);
        break;
    case CommandCount:
        break;
    }
}

void TActivityTreeView::AddedNew(QTreeWidgetItem* parentNode, const ActivityPtr& activity) {
    Reload();
    emit TreeChanged();
    if (SelectActivityUnder(parentNode, activity)) {
        if (QTreeWidgetItem* node = m_treeWidget->currentItem())
            m_treeWidget->editItem(node);
    }
}

void TActivityTreeView::DoNewActivity() {
    TActivityNode* node = SelectedNode();
    const ActivityPtr parent = node ? node->Activity() : nullptr;
    if (parent && !IsUsableActivity(parent))
        return;
    ActivityPtr added;
    {
        TCommandScope scope(m_reloadCount);
        const ActivityListPtr list = parent ? parent->Childs() : m_tree->Childs();
        added = list->AddNew();
        // A new activity below a break is a break too.
        added->SetIsBreak(parent ? parent->IsBreak() : false);
    }
    AddedNew(parent ? node : nullptr, added);
}

void TActivityTreeView::DoNewActivityOnSameLevel() {
    TActivityNode* node = SelectedNode();
    const ActivityPtr selected = SelectedActivity();
    if (!selected)
        return;
    const ActivityPtr parent = ParentActivity(node);
    if (parent && parent->IsReadOnly())
        return;
    QTreeWidgetItem* parentNode = node->parent();
    ActivityPtr added;
    {
        TCommandScope scope(m_reloadCount);
        const ActivityListPtr list = ParentList(node);
        added = list->InsertNew(list->IndexOf(selected) + 1);
        added->SetIsBreak(parent ? parent->IsBreak() : false);
    }
    AddedNew(parentNode, added);
}

void TActivityTreeView::DoRename() {
    if (IsEditing()) {
        EndEditing(true);
        return;
    }
    TActivityNode* node = SelectedNode();
    if (!node || m_readOnly || !IsUsableActivity(node->Activity()))
        return;
    m_treeWidget->editItem(node);
}

void TActivityTreeView::EndEditing(bool accept) {
    m_treeWidget->EndEditing(accept);
}

void TActivityTreeView::FinishRename(QTreeWidgetItem* item, const QString& text) {
    const ActivityPtr activity = ActivityOf(item);
    // A blank name is taken as Cancel, as the properties dialog refuses one.
    if (!IsUsableActivity(activity) || text.trimmed().isEmpty() || text == activity->Name())
        return;
    {
        TCommandScope scope(m_reloadCount);
        activity->SetName(text);
    }
    Reload();
    emit TreeChanged();
}

void TActivityTreeView::DoMove(int delta) {
    EndEditing(false);
    TActivityNode* node = SelectedNode();
    const ActivityPtr selected = SelectedActivity();
    if (!selected)
        return;
    QTreeWidgetItem* parentNode = node->parent();
    {
        TCommandScope scope(m_reloadCount);
        const ActivityListPtr list = ParentList(node);
        const int index = list->IndexOf(selected);
        const int target = std::clamp(index + delta, 0, list->Count() - 1);
        if (index < 0 || target == index)
            return;
        list->Remove(selected);
        list->Insert(target, selected);
    }
    Reload();
    SelectActivityUnder(parentNode, selected);
    emit TreeChanged();
}

void TActivityTreeView::DoSwitchBreak() {
    const ActivityPtr selected = SelectedActivity();
    if (!selected)
        return;
    {
        TCommandScope scope(m_reloadCount);
        SetBreakRecursive(selected, !selected->IsBreak());
    }
    Reload();
    emit TreeChanged();
    UpdateActions();
}

void TActivityTreeView::DoDelete() {
    TActivityNode* node = SelectedNode();
    const ActivityPtr selected = SelectedActivity();
    if (!IsUsableActivity(selected))
        return;
    const QString question = FormatPlaceholders(Tr("Do you want to delete activity \"%1\"?"), {selected->Name()});
    if (ShowMessageBox(window(), QString(), question, QString(), MessageBoxKind::Question,
                       MessageBoxButton::Yes | MessageBoxButton::No) != MessageBoxResult::Yes)
        return;
    {
        TCommandScope scope(m_reloadCount);
        // Only this place goes; the activity itself goes when no other place refers to it.
        ParentList(node)->Remove(selected);
        m_tree->RemoveOrphans();
    }
    Reload();
    emit TreeChanged();
}

bool TActivityTreeView::CanDrop(QTreeWidgetItem* dragged, QTreeWidgetItem* target) const {
    const ActivityPtr activity = ActivityOf(dragged);
    if (m_readOnly || !m_tree || !activity || !activity->IsValid() || !target || target == dragged)
        return false;
    if (target == m_rootNode)
        return true;
    const ActivityPtr targetActivity = ActivityOf(target);
    if (!IsUsableActivity(targetActivity))
        return false;
    // Neither onto another place of the same activity nor anywhere below it: the activity would
    // become its own ancestor.
    return !IsInSubtree(activity, targetActivity);
}

bool TActivityTreeView::Drop(QTreeWidgetItem* dragged, QTreeWidgetItem* target, bool link) {
    if (!CanDrop(dragged, target))
        return false;
    EndEditing(false);
    const ActivityPtr activity = ActivityOf(dragged);
    const ActivityPtr targetActivity = ActivityOf(target);
    {
        TCommandScope scope(m_reloadCount);
        // A plain drag moves; Ctrl+drag adds a second place for the same activity.
        if (!link)
            ParentList(dragged)->Remove(activity);
        const ActivityListPtr list = ListOf(target);
        if (list->Contains(activity))
            list->Remove(activity);
        list->Insert(0, activity);
        m_tree->CountInstances();
    }
    target->setExpanded(true);
    Reload();
    emit TreeChanged();
    SelectActivityUnder(target, activity);
    return true;
}

void TActivityTreeView::ActivityDeleted(const ActivityPtr&) {
    if (m_reloadCount == 0)
        Reload();
}

void TActivityTreeView::ActivityChanged(const ActivityPtr&) {
    if (m_reloadCount == 0)
        Reload();
}

void TActivityTreeView::ChildsChanged(const ActivityPtr&) {
    if (m_reloadCount == 0)
        Reload();
}

void TActivityTreeView::TreeAssigned() {
    // Every activity object was replaced: nodes of the old objects cannot be kept.
    m_treeWidget->clear();
    m_rootNode = nullptr;
    m_hiddenActivity = m_tree ? m_tree->UnknownActivity() : nullptr;
    Reload();
}
