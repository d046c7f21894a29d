#include "app/MenuController.h"

#include "app/ApplicationInterfaces.h"
#include "foundation/Translation.h"
#include "foundation/VRNException.h"
#include "ui/Action.h"

#include <QMenu>
#include <algorithm>
#include <vector>

TMenuController::TMenuController(IApplication_* application, QMenu* menu) : m_application(application), m_menu(menu) {}

TMenuController::~TMenuController() = default;

void TMenuController::AddTo(QMenu* menu, const TGUID& actionId) {
    if (!m_application || !menu)
        return;
    const auto action = m_application->GetAction(actionId);
    const auto link = std::dynamic_pointer_cast<IHXActionLink_>(action);
    if (!link || !link->GetToolkitAction())
        return;
    menu->addAction(link->GetToolkitAction());
    if (action->GetIsDefault())
        menu->setDefaultAction(link->GetToolkitAction());
}

void TMenuController::AddToMenu(const TGUID& actionId) {
    AddTo(m_menu, actionId);
}

void TMenuController::AddToReportMenu(const TGUID& actionId) {
    if (!m_menu)
        return;
    if (!m_reportMenu) {
        m_reportMenu = new QMenu(Tr("Reports"), m_menu);
        m_reportMenu->setObjectName(QStringLiteral("ReportMenu"));
        m_menu->addMenu(m_reportMenu);
    }
    AddTo(m_reportMenu, actionId);
}

void TMenuController::AddToMenu(const QString& actionId) {
    AddToMenu(TGUID::FromString(actionId));
}

void TMenuController::AddToReportMenu(const QString& actionId) {
    AddToReportMenu(TGUID::FromString(actionId));
}

void TMenuController::Sort() {
    if (!m_menu)
        return;
    const auto position = [](QAction* item) {
        const auto* ordered = qobject_cast<TOrderedAction*>(item);
        return ordered ? ordered->OrderPosition() : 0;
    };
    // A stable sort gives the same order as exchanging the first neighbours out of order until
    // none are left: items with equal positions keep their order of insertion.
    QList<QAction*> items = m_menu->actions();
    std::stable_sort(items.begin(), items.end(), [&](QAction* a, QAction* b) { return position(a) < position(b); });
    if (items == m_menu->actions())
        return;
    for (QAction* item : items)
        m_menu->removeAction(item);
    m_menu->addActions(items);
}
