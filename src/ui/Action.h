#pragma once

// Actions: the commands of the tray menu. An action has a fixed ID, a caption, an order position
// (the menu is sorted by it), an is-default flag, a visible flag and a list of execute targets.
// Caption, visibility and order live on the toolkit action (TOrderedAction), so every menu item
// bound to it follows each change.

#include "foundation/GUID.h"

#include <QAction>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

/// The toolkit action with its order position.
class TOrderedAction : public QAction {
    Q_OBJECT
public:
    explicit TOrderedAction(QObject* parent = nullptr) : QAction(parent) {}
    int OrderPosition() const { return m_orderPosition; }
    void SetOrderPosition(int position) { m_orderPosition = position; }

private:
    int m_orderPosition = 0;
};

/// A target that an action runs when it is executed. Failures are raised.
class IHXActionExecute {
public:
    IHXActionExecute() = default;
    virtual ~IHXActionExecute() = default;
    IHXActionExecute(const IHXActionExecute&) = delete;
    IHXActionExecute& operator=(const IHXActionExecute&) = delete;

    /// actionId: the action's ID in braces form.
    virtual void Execute(const QString& actionId) = 0;
};
using ActionExecutePtr = std::shared_ptr<IHXActionExecute>;

inline const TGUID IID_IHXAction_ = TGUID::Constant("{F49D89BA-B76E-49D1-A694-B4823B4C634D}");
inline const TGUID IID_IHXActionLink_ = TGUID::Constant("{08494846-E5F3-42A1-A2DF-A98F13A2AEC3}");

class IHXAction_ {
public:
    IHXAction_() = default;
    virtual ~IHXAction_() = default;
    IHXAction_(const IHXAction_&) = delete;
    IHXAction_& operator=(const IHXAction_&) = delete;

    virtual void AddExecute(const ActionExecutePtr& target) = 0;
    virtual TGUID GetID() const = 0;
    virtual QString GetCaption() const = 0;
    virtual bool GetIsDefault() const = 0;
    virtual int GetOrderPosition() const = 0;
    virtual void RemoveExecute(const ActionExecutePtr& target) = 0;
    virtual void SetCaption(const QString& caption) = 0;
    virtual void SetOrderPosition(int position) = 0;
    virtual void SetIsDefault(bool isDefault) = 0;
    virtual void SetVisible(bool visible) = 0;
    /// Runs every target in the order they were added; a target that raises ends the run.
    virtual void Execute() = 0;
};
using ActionPtr = std::shared_ptr<IHXAction_>;

/// The toolkit action behind an action (menu items bind to it).
class IHXActionLink_ {
public:
    virtual ~IHXActionLink_() = default;
    virtual TOrderedAction* GetToolkitAction() const = 0;
};

class THXAction : public IHXAction_, public IHXActionLink_, public std::enable_shared_from_this<THXAction> {
public:
    /// A null id gives a new GUID.
    explicit THXAction(const TGUID& id = TGUID());
    ~THXAction() override;

    void AddExecute(const ActionExecutePtr& target) override;
    TGUID GetID() const override { return m_id; }
    QString GetCaption() const override;
    bool GetIsDefault() const override { return m_isDefault; }
    int GetOrderPosition() const override;
    void RemoveExecute(const ActionExecutePtr& target) override;
    void SetCaption(const QString& caption) override;
    void SetOrderPosition(int position) override;
    void SetIsDefault(bool isDefault) override { m_isDefault = isDefault; }
    void SetVisible(bool visible) override;
    void Execute() override;
    TOrderedAction* GetToolkitAction() const override { return m_toolkitAction.get(); }

    bool IsVisible() const;

private:
    TGUID m_id;
    std::unique_ptr<TOrderedAction> m_toolkitAction;
    bool m_isDefault = false;
    std::vector<ActionExecutePtr> m_targets;
};

/// An execute target that runs a routine of the program. An exception of the routine is handed to
/// the unexpected-error handling (logged and shown) and not passed back.
class TInternalExecute : public IHXActionExecute {
public:
    explicit TInternalExecute(std::function<void(const QString&)> routine) : m_routine(std::move(routine)) {}
    void Execute(const QString& actionId) override;

private:
    std::function<void(const QString&)> m_routine;
};

/// Where exceptions go that reach the top of a user command: by default logged with the context
/// "Unexpected Error: " and shown in the unexpected-error box.
void HandleUnexpectedError(const std::exception& error);
using TUnexpectedErrorHandler = std::function<void(const std::exception&)>;
/// Replaces the handling (tests; empty restores the default).
void SetUnexpectedErrorHandler(TUnexpectedErrorHandler handler);
