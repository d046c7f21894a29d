#pragma once

// The activity editor: the tree view with its eight commands on a tool bar, working on a copy of
// the application's activity tree. Apply and OK copy the edited tree back; Cancel drops it.

#include "model/ActivityInterfaces.h"
#include "ui/BaseForm.h"

class QToolBar;
class TActivityTreeView;
class TOKCancelPanel;
class TActivityTree;

class TfrmBaseActivityEdit : public ThxBaseForm {
    Q_OBJECT
public:
    explicit TfrmBaseActivityEdit(QWidget* parent = nullptr);
    ~TfrmBaseActivityEdit() override;

    /// Starts editing a copy of the application's tree (nothing is modified yet).
    void Initialize(const ActivityTreePtr& applicationTree);
    /// Copies the edited tree into the application's tree.
    void Apply();
    bool Modified() const { return m_modified; }

    TActivityTreeView* TreeView() const { return m_treeView; }
    TOKCancelPanel* Panel() const { return m_panel; }
    QToolBar* ToolBar() const { return m_toolBar; }
    /// The copy the window edits.
    ActivityTreePtr EditedTree() const;

public slots:
    /// OK: accepts an open rename and stays; otherwise applies the changes and closes.
    void accept() override;
    /// Cancel and Escape: end an open rename and stay; otherwise close without applying.
    void reject() override;

private:
    void SetModified(bool modified);
    void ShowProperties(const ActivityPtr& activity);

    std::shared_ptr<TActivityTree> m_tree;
    ActivityTreePtr m_applicationTree;
    TActivityTreeView* m_treeView;
    QToolBar* m_toolBar;
    TOKCancelPanel* m_panel;
    bool m_modified = false;
};
