#pragma once

// The menu controller turns actions into menu items of the tray menu and keeps them ordered by
// their order positions. Items bind to the actions' toolkit actions, so caption, visibility and
// order follow every change of the action.

#include "foundation/GUID.h"
#include "ui/MenuControl.h"

#include <QPointer>
#include <QString>
#include <memory>

class IApplication_;
class QMenu;

class TMenuController : public IHXMenuControl_, public IHXMenuSort_ {
public:
    /// application: not owned; the controller outlives its menu controller. menu: the tray menu.
    TMenuController(IApplication_* application, QMenu* menu);
    ~TMenuController() override;

    void AddToMenu(const TGUID& actionId) override;
    void AddToReportMenu(const TGUID& actionId) override;
    void Sort() override;

    /// The text forms used through the add-in interface; a text that is no GUID raises
    /// EVRNConvertError.
    void AddToMenu(const QString& actionId);
    void AddToReportMenu(const QString& actionId);

    QMenu* Menu() const { return m_menu; }
    /// The "Reports" submenu, or nullptr before its first item.
    QMenu* ReportMenu() const { return m_reportMenu; }
    /// Forgets the application (the controller is being torn down).
    void Cleanup() { m_application = nullptr; }

private:
    void AddTo(QMenu* menu, const TGUID& actionId);

    IApplication_* m_application;
    QPointer<QMenu> m_menu;
    QPointer<QMenu> m_reportMenu;
};
