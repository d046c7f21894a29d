#pragma once

// The menu controller turns actions into menu items of the tray menu and keeps them ordered by
// their order positions. Items bind to the actions' toolkit actions, so caption, visibility and
// order follow every change of the action.

#include "foundation/GUID.h"

#include <QPointer>
#include <QString>
#include <memory>

class IApplication_;
class QMenu;

inline const TGUID IID_IHXMenuControl_ = TGUID::Constant("{C6CF300E-3715-4E5A-8EDE-01B9ED882A75}");
inline const TGUID IID_IHXMenuSort_ = TGUID::Constant("{A312CC4E-2057-448C-A7F4-D685E061A985}");

class IHXMenuControl_ {
public:
    IHXMenuControl_() = default;
    virtual ~IHXMenuControl_() = default;
    IHXMenuControl_(const IHXMenuControl_&) = delete;
    IHXMenuControl_& operator=(const IHXMenuControl_&) = delete;

    /// Appends the action's item to the top level of the menu; an unknown ID changes nothing.
    virtual void AddToMenu(const TGUID& actionId) = 0;
    /// Appends the action's item to the "Reports" submenu, which is created on first use.
    virtual void AddToReportMenu(const TGUID& actionId) = 0;
};

class IHXMenuSort_ {
public:
    IHXMenuSort_() = default;
    virtual ~IHXMenuSort_() = default;
    IHXMenuSort_(const IHXMenuSort_&) = delete;
    IHXMenuSort_& operator=(const IHXMenuSort_&) = delete;

    /// Orders the top-level items by order position; equal positions keep their order of
    /// insertion, and items without one (the "Reports" submenu) count as 0.
    virtual void Sort() = 0;
};

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
