#include "activities_ui/ActivitySelectForm.h"

#include "activities_ui/ActivityTreeView.h"
#include "addins/ApplicationInterface.h"
#include "ui/FormPositions.h"
#include "ui/OKCancelPanel.h"

#include <QFrame>
#include <QTreeWidget>
#include <QVBoxLayout>

TActivitySelectForm::TActivitySelectForm(const ActivityTreePtr& tree, const QString& caption, QWidget* caller)
    : ThxBaseForm(caller), m_treeView(new TActivityTreeView(this)), m_panel(new TOKCancelPanel(this)) {
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMaximizeButtonHint);
    setSizeGripEnabled(true);
    m_treeView->SetShowRootNode(false);
    m_treeView->SetReadOnly(false);
    m_treeView->TreeWidget()->setFrameShape(QFrame::StyledPanel);
    m_treeView->SetTree(tree);
    m_panel->SetButtons(true, true, false);
    connect(m_panel, &TOKCancelPanel::OKClicked, this, &TActivitySelectForm::accept);
    connect(m_treeView->TreeWidget(), &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (item && m_treeView->SelectedActivity())
            accept();
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* treeLayout = new QVBoxLayout;
    treeLayout->setContentsMargins(8, 8, 8, 4);
    treeLayout->addWidget(m_treeView);
    layout->addLayout(treeLayout, 1);
    layout->addWidget(m_panel);
    resize(400, 300);
    if (caller) {
        // Beside the caller: the top left corner 150 pixels left of and 200 above its centre,
        // fitted onto the screen.
        const QPoint centre = caller->window()->frameGeometry().center();
        const QRect frame(centre - QPoint(150, 200), QSize(400, 300));
        move(FitOntoWorkArea(frame, WorkAreaFor(frame)).topLeft());
    }
    m_treeView->setFocus();
}

TActivitySelectForm::~TActivitySelectForm() {
    m_treeView->SetTree(nullptr);
}

void TActivitySelectForm::Preselect(const ActivityLocatorPtr& locator) {
    m_treeView->SelectLocator(locator);
}

ActivityLocatorPtr TActivitySelectForm::Result() const {
    return result() == QDialog::Accepted ? m_treeView->SelectedLocator() : nullptr;
}

void TActivitySelectForm::accept() {
    if (m_treeView->IsEditing()) {
        m_treeView->EndEditing(true);
        return;
    }
    ThxBaseForm::accept();
}

void TActivitySelectForm::reject() {
    if (m_treeView->IsEditing()) {
        m_treeView->EndEditing(false);
        return;
    }
    ThxBaseForm::reject();
}

ActivityLocatorPtr SelectActivity(QWidget* caller, IApplication_* application, const ActivityTreePtr& tree,
                                  const QString& caption, const ActivityLocatorPtr& preselected) {
    TActivitySelectForm dialog(tree, caption, caller);
    dialog.Preselect(preselected);
    if (application)
        ExecAsCurrentWindow(
            dialog, [application](QWidget* w) { application->AddCurrentWindow(w); },
            [application](QWidget* w) { application->RemoveCurrentWindow(w); });
    else
        dialog.exec();
    return dialog.Result();
}
