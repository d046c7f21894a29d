#include "ui/Action.h"

#include "foundation/Translation.h"
#include "foundation/VRNException.h"
#include "foundation/VRNTools.h"
#include "ui/MessageBox.h"

#include <algorithm>

THXAction::THXAction(const TGUID& id)
    : m_id(id.IsNull() ? TGUID::NewGuid() : id), m_toolkitAction(std::make_unique<TOrderedAction>()) {
    // The toolkit action belongs to the action and dies with it, so the callback never outlives
    // the action.
    QObject::connect(m_toolkitAction.get(), &QAction::triggered, m_toolkitAction.get(), [this] {
        try {
            Execute();
        } catch (const std::exception& e) {
            HandleUnexpectedError(e);
        }
    });
}

THXAction::~THXAction() = default;

void THXAction::AddExecute(const ActionExecutePtr& target) {
    if (target)
        m_targets.push_back(target);
}

void THXAction::RemoveExecute(const ActionExecutePtr& target) {
    const auto it = std::find(m_targets.begin(), m_targets.end(), target);
    if (it != m_targets.end())
        m_targets.erase(it);
}

QString THXAction::GetCaption() const {
    return m_toolkitAction->isSeparator() ? QStringLiteral("-") : m_toolkitAction->text();
}

void THXAction::SetCaption(const QString& caption) {
    // The caption "-" makes a separator. It carries no text: a separator with text is drawn as a
    // titled section, and sections are never merged with their neighbours.
    const bool separator = caption == QLatin1StringView("-");
    m_toolkitAction->setSeparator(separator);
    m_toolkitAction->setText(separator ? QString() : caption);
}

int THXAction::GetOrderPosition() const {
    return m_toolkitAction->OrderPosition();
}

void THXAction::SetOrderPosition(int position) {
    m_toolkitAction->SetOrderPosition(position);
}

void THXAction::SetVisible(bool visible) {
    m_toolkitAction->setVisible(visible);
}

bool THXAction::IsVisible() const {
    return m_toolkitAction->isVisible();
}

void THXAction::Execute() {
    // A copy: a target may add or remove targets while it runs.
    const std::vector<ActionExecutePtr> targets = m_targets;
    const QString id = m_id.ToString();
    for (const ActionExecutePtr& target : targets)
        target->Execute(id);
}

void TInternalExecute::Execute(const QString& actionId) {
    if (!m_routine)
        return;
    try {
        m_routine(actionId);
    } catch (const EUserCancel&) {
        // A cancelled command ends without a message.
    } catch (const std::exception& e) {
        HandleUnexpectedError(e);
    }
}

namespace {

TUnexpectedErrorHandler& Handler() {
    static TUnexpectedErrorHandler handler;
    return handler;
}

} // namespace

void SetUnexpectedErrorHandler(TUnexpectedErrorHandler handler) {
    Handler() = std::move(handler);
}

void HandleUnexpectedError(const std::exception& error) {
    if (Handler()) {
        Handler()(error);
        return;
    }
    LogException(QStringLiteral("Unexpected Error: "), error);
    const QString text = FormatPlaceholders(
        Tr("We're sorry, but an unexpected error occured. Please report this error and the details of this error to "
           "%1. We recommend you exit %2 and restart the program as soon as possible."),
        {QStringLiteral("support@varnelo.example"), QStringLiteral("Varnelo Horalux")});
    ShowErrorBox(nullptr, QStringLiteral("Varnelo Horalux"), text, error);
}
