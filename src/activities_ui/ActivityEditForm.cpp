#include "activities_ui/ActivityEditForm.h"

#include "activities_ui/ActivityPropertiesForm.h"
#include "activities_ui/ActivityTreeView.h"
#include "foundation/Translation.h"
#include "model/ActivityTree.h"
#include "ui/OKCancelPanel.h"

#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

TfrmBaseActivityEdit::TfrmBaseActivityEdit(QWidget* parent)
    : ThxBaseForm(parent), m_tree(TActivityTree::Create()), m_treeView(new TActivityTreeView(this)),
      m_toolBar(new QToolBar(this)), m_panel(new TOKCancelPanel(this)) {
    setWindowTitle(Tr("Activity Editor"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint);
    setSizeGripEnabled(true);
    m_treeView->SetShowRootNode(true);
    m_treeView->SetReadOnly(false);
    m_treeView->SetPropertiesHandled(true);
    m_treeView->SetTree(m_tree);
    m_toolBar->setIconSize(QSize(16, 16));
    for (int i = 0; i < TActivityTreeView::CommandCount; ++i)
        m_toolBar->addAction(m_treeView->Action(static_cast<TActivityTreeView::Command>(i)));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolBar);
    auto* tree = new QVBoxLayout;
    tree->setContentsMargins(6, 2, 6, 8);
    tree->addWidget(m_treeView);
    layout->addLayout(tree, 1);
    layout->addWidget(m_panel);
    m_panel->SetButtons(true, true, true);

    connect(m_panel, &TOKCancelPanel::OKClicked, this, &TfrmBaseActivityEdit::accept);
    connect(m_panel, &TOKCancelPanel::ApplyClicked, this, &TfrmBaseActivityEdit::Apply);
    connect(m_treeView, &TActivityTreeView::Reloaded, this, [this] { SetModified(true); });
    connect(m_treeView, &TActivityTreeView::Changed, this, [this] { SetModified(m_modified); });
    connect(m_treeView, &TActivityTreeView::PropertiesRequested, this, &TfrmBaseActivityEdit::ShowProperties);
    SetModified(false);
    resize(430, 422);
    SetPositionName(QStringLiteral("Activity Editor"), true);
    m_treeView->setFocus();
}

TfrmBaseActivityEdit::~TfrmBaseActivityEdit() {
    // The view stops listening before the copy goes; the copy's activities and lists refer to each
    // other and are released explicitly.
    m_treeView->SetTree(nullptr);
    m_tree->Cleanup();
}

ActivityTreePtr TfrmBaseActivityEdit::EditedTree() const {
    return m_tree;
}

void TfrmBaseActivityEdit::Initialize(const ActivityTreePtr& applicationTree) {
    m_applicationTree = applicationTree;
    if (applicationTree)
        m_tree->Assign(applicationTree);
    if (QTreeWidgetItem* root = m_treeView->RootNode())
        m_treeView->TreeWidget()->setCurrentItem(root);
    SetModified(false);
}

void TfrmBaseActivityEdit::SetModified(bool modified) {
    m_modified = modified;
    m_panel->ApplyButton()->setEnabled(m_modified);
}

void TfrmBaseActivityEdit::Apply() {
    if (m_applicationTree)
        m_applicationTree->Assign(m_tree);
    SetModified(false);
}

void TfrmBaseActivityEdit::accept() {
    if (m_treeView->IsEditing()) {
        m_treeView->EndEditing(true);
        return;
    }
    if (m_modified)
        Apply();
    ThxBaseForm::accept();
}

void TfrmBaseActivityEdit::reject() {
    if (m_treeView->IsEditing()) {
        m_treeView->EndEditing(false);
        return;
    }
    ThxBaseForm::reject();
}

void TfrmBaseActivityEdit::ShowProperties(const ActivityPtr& activity) {
    if (EditActivityProperties(this, activity))
        SetModified(true);
}
