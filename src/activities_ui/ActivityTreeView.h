#pragma once

// The activity tree as a tree view: shows an activity tree, follows its changes and offers the
// commands that edit it (new, rename, move, break flag, delete, properties) as actions, in a
// pop-up menu and by drag and drop (a plain drag moves an activity, Ctrl+drag adds another place
// for it). Nodes are created lazily when their parent is expanded; a reload reconciles the nodes
// with the tree, so expansion and selection survive every change.

#include "model/ActivityInterfaces.h"
#include "model/ActivityLocator.h"

#include <QTreeWidget>
#include <QWidget>
#include <array>

class QAction;

/// A node of the view: the activity it shows. The root node ("Activities") has none.
class TActivityNode : public QTreeWidgetItem {
public:
    explicit TActivityNode(ActivityPtr activity) : m_activity(std::move(activity)) {}
    const ActivityPtr& Activity() const { return m_activity; }
    /// Whether the children have been created (they are created when the node is first expanded).
    bool ChildsLoaded() const { return m_childsLoaded; }
    void SetChildsLoaded(bool loaded) { m_childsLoaded = loaded; }

private:
    ActivityPtr m_activity;
    bool m_childsLoaded = false;
};

class TActivityTreeView;

/// The inner tree widget: drag and drop and the editor of the in-place rename.
class TActivityTreeWidget : public QTreeWidget {
    Q_OBJECT
public:
    explicit TActivityTreeWidget(TActivityTreeView* view);
    bool IsEditing() const { return state() == QAbstractItemView::EditingState; }
    QWidget* Editor() const { return IsEditing() ? indexWidget(currentIndex()) : nullptr; }
    /// Ends the in-place rename: accept keeps the typed text, otherwise it is dropped.
    void EndEditing(bool accept);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    TActivityTreeView* m_view;
};

class TActivityTreeView : public QWidget, public IActivityTreeNotify {
    Q_OBJECT
public:
    /// The commands in the order of the tool bar and the pop-up menu.
    enum Command {
        NewActivity,
        NewActivityOnSameLevel,
        Rename,
        MoveUp,
        MoveDown,
        SwitchBreak,
        Delete,
        Properties,
        CommandCount
    };

    explicit TActivityTreeView(QWidget* parent = nullptr);
    ~TActivityTreeView() override;

    ActivityTreePtr Tree() const { return m_tree; }
    /// Shows another tree (or none) and listens to it.
    void SetTree(const ActivityTreePtr& tree);
    bool ShowRootNode() const { return m_showRootNode; }
    void SetShowRootNode(bool show);
    bool ReadOnly() const { return m_readOnly; }
    /// A read-only view has no pop-up menu and allows no editing and no dragging.
    void SetReadOnly(bool readOnly);
    /// Whether the Properties command is offered (the owner shows the properties).
    void SetPropertiesHandled(bool handled);

    /// Brings the nodes in line with the tree (see the file comment).
    void Reload();

    /// The activity of the selected node when it is valid, else none.
    ActivityPtr SelectedActivity() const;
    /// A locator of the selected activity with the activities of its ancestor nodes as path;
    /// none when no valid activity is selected.
    ActivityLocatorPtr SelectedLocator() const;
    /// Expands the branch of the locator's path and selects its activity there. Branches that
    /// do not lead to it are collapsed again. Returns whether it was found.
    bool SelectLocator(const ActivityLocatorPtr& locator);
    /// Expands node (none: the top level) and selects the child that holds exactly activity.
    bool SelectActivityUnder(QTreeWidgetItem* node, const ActivityPtr& activity);

    bool IsEditing() const { return m_treeWidget->IsEditing(); }
    /// The editor of the in-place rename while it is open.
    QWidget* RenameEditor() const { return m_treeWidget->Editor(); }
    /// Ends an in-place rename (accept keeps the text).
    void EndEditing(bool accept);

    QAction* Action(Command command) const { return m_actions[command]; }
    /// Runs a command as its action would (tests and the owner's tool bar use the actions).
    void Execute(Command command);

    /// Drag and drop, as the inner tree widget asks: whether target (none: outside every node) may
    /// receive the dragged activity, and the drop itself (link: Ctrl was held).
    bool CanDrop(QTreeWidgetItem* dragged, QTreeWidgetItem* target) const;
    bool Drop(QTreeWidgetItem* dragged, QTreeWidgetItem* target, bool link);

    QTreeWidget* TreeWidget() const { return m_treeWidget; }
    /// The root node when it is shown, else none.
    QTreeWidgetItem* RootNode() const { return m_rootNode; }
    /// The child nodes of node (none: the top level) in order.
    QList<QTreeWidgetItem*> ChildNodes(QTreeWidgetItem* node) const;
    /// Whether the node shows the link overlay.
    static bool HasLinkOverlay(const QTreeWidgetItem* node);

    // IActivityTreeNotify: every change of the tree reloads the view.
    void ActivityDeleted(const ActivityPtr& activity) override;
    void ActivityChanged(const ActivityPtr& activity) override;
    void ChildsChanged(const ActivityPtr& activity) override;
    void TreeAssigned() override;

    /// The in-place rename ended with text (the editor's delegate calls it).
    void FinishRename(QTreeWidgetItem* node, const QString& text);

signals:
    void Changed(const ActivityPtr& activity);
    void Reloaded();
    /// After every change made through the view.
    void TreeChanged();
    void PropertiesRequested(const ActivityPtr& activity);

private:
    void CreateActions();
    void UpdateActions();
    void SelectionChanged();
    void Expanded(QTreeWidgetItem* node);
    void ReconcileChilds(QTreeWidgetItem* parent, const ActivityListPtr& list);
    void SortChilds(QTreeWidgetItem* parent, const ActivityListPtr& list);
    void RefreshNode(QTreeWidgetItem* node, bool parentLinked);
    void RefreshNodes();
    QTreeWidgetItem* TopParent() const;
    TActivityNode* SelectedNode() const;
    /// The activity of node's parent node (none at the top level and below the root node).
    ActivityPtr ParentActivity(QTreeWidgetItem* node) const;
    /// The list that holds node's activity: its parent's child list or the tree's root list.
    ActivityListPtr ParentList(QTreeWidgetItem* node) const;
    ActivityListPtr ListOf(QTreeWidgetItem* node) const;
    bool SelectPath(QTreeWidgetItem* parent, const QList<TGUID>& path, int depth, const TGUID& id);

    void DoNewActivity();
    void DoNewActivityOnSameLevel();
    void DoRename();
    void DoMove(int delta);
    void DoSwitchBreak();
    void DoDelete();
    void AddedNew(QTreeWidgetItem* parentNode, const ActivityPtr& activity);

    TActivityTreeWidget* m_treeWidget;
    ActivityTreePtr m_tree;
    ActivityPtr m_hiddenActivity;
    QTreeWidgetItem* m_rootNode = nullptr;
    std::array<QAction*, CommandCount> m_actions{};
    bool m_showRootNode = false;
    bool m_readOnly = false;
    bool m_propertiesHandled = false;
    int m_reloadCount = 0;
};

/// Whether the activity may be edited: it exists, is valid and is not read-only.
bool IsUsableActivity(const ActivityPtr& activity);
