#include "app/SdkCompanions.h"

#include "addins/Companion.h"
#include "addins/CompanionArguments.h"
#include "addins/GlobalCompanion.h"
#include "addins/ModelCompanions.h"
#include "addins/PlannedBreakCompanions.h"
#include "app/AddInWindows.h"
#include "ui/Action.h"
#include "ui/MenuControl.h"

#include <map>
#include <utility>

using SdkActionExecute = HoraluxSDK::IHXActionExecute;
using HoraluxSDK::IHXActivityLocator;
using HoraluxSDK::IHXMenuControl;
using HoraluxSDK::IHXPlannedBreakList;
using HoraluxSDK::IHXTools;

namespace {

/// Runs an add-in's execute target; a failure it reports is raised with its description.
class TExternalExecute : public IHXActionExecute {
public:
    explicit TExternalExecute(SdkActionExecute* target) : m_target(target) { m_target->AddRef(); }
    ~TExternalExecute() override { m_target->Release(); }
    void Execute(const QString& actionId) override {
        HXBSTR id = ToHXString(actionId);
        BeginHXCall();
        const HXRESULT result = m_target->Execute(id);
        HXSysFreeString(id);
        CheckHXResult(result, "IHXActionExecute.Execute");
    }

private:
    SdkActionExecute* m_target;
};

/// The execute targets added by add-ins, so that RemoveExecute finds the one it added. Weak: the
/// action alone keeps its targets (and with them the add-in's objects).
using TExternalTargets =
    std::map<std::pair<const IHXAction_*, const SdkActionExecute*>, std::weak_ptr<IHXActionExecute>>;
TExternalTargets& ExternalTargets() {
    static TExternalTargets targets;
    return targets;
}

class TActionCompanion : public TCompanion<HoraluxSDK::IHXAction, IHXAction_> {
public:
    using TCompanion::TCompanion;

    HXRESULT get_IsDefault(HXBOOL* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "Action.IsDefault");
            *value = ToHXBool(Get().GetIsDefault());
        });
    }
    HXRESULT put_IsDefault(HXBOOL value) noexcept override {
        return GuardHXCall([&] { Get().SetIsDefault(value != HX_FALSE); });
    }
    HXRESULT get_OrderPosition(int32_t* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "Action.OrderPosition");
            *value = Get().GetOrderPosition();
        });
    }
    HXRESULT put_OrderPosition(int32_t value) noexcept override {
        return GuardHXCall([&] { Get().SetOrderPosition(value); });
    }
    HXRESULT get_Caption(HXBSTR* value) noexcept override {
        if (value)
            *value = nullptr;
        return GuardHXCall([&] {
            RequireOut(value, "Action.Caption");
            *value = ToHXString(Get().GetCaption());
        });
    }
    HXRESULT put_Caption(HXBSTR value) noexcept override {
        return GuardHXCall([&] { Get().SetCaption(FromHXString(value)); });
    }
    HXRESULT get_ID(HXBSTR* value) noexcept override {
        if (value)
            *value = nullptr;
        return GuardHXCall([&] {
            RequireOut(value, "Action.ID");
            *value = ToHXString(Get().GetID().ToString());
        });
    }
    HXRESULT AddExecute(SdkActionExecute* exec) noexcept override {
        return GuardHXCall([&] {
            if (!exec)
                throw EUnassignedArgumentError(QStringLiteral("Action.AddExecute"));
            auto target = std::make_shared<TExternalExecute>(exec);
            Get().AddExecute(target);
            std::erase_if(ExternalTargets(), [](const auto& entry) { return entry.second.expired(); });
            ExternalTargets()[{&Get(), exec}] = target;
        });
    }
    HXRESULT RemoveExecute(SdkActionExecute* exec) noexcept override {
        return GuardHXCall([&] {
            const auto it = ExternalTargets().find({&Get(), exec});
            if (it == ExternalTargets().end())
                return;
            const ActionExecutePtr target = it->second.lock();
            ExternalTargets().erase(it);
            if (target)
                Get().RemoveExecute(target);
        });
    }
};

class TToolsCompanion : public TCompanion<IHXTools, IApplication_> {
public:
    using TCompanion::TCompanion;

    HXRESULT CreateNewAction(HoraluxSDK::IHXAction** result) noexcept override {
        if (result)
            *result = nullptr;
        return GuardHXCall([&] {
            RequireOut(result, "Tools.CreateNewAction");
            *result = new TActionCompanion(Get().CreateAction());
        });
    }
    HXRESULT CreateNewPlannedBreakList(IHXPlannedBreakList** result) noexcept override {
        if (result)
            *result = nullptr;
        return GuardHXCall([&] {
            RequireOut(result, "Tools.CreateNewPlannedBreakList");
            *result = NewPlannedBreakListCompanion(std::make_shared<TPlannedBreakList>());
        });
    }
    /// A new, free locator: the add-in's alone, in no list of the program.
    HXRESULT CreateNewActivityLocator(IHXActivityLocator** result) noexcept override {
        if (result)
            *result = nullptr;
        return GuardHXCall([&] {
            RequireOut(result, "Tools.CreateNewActivityLocator");
            *result = NewActivityLocatorCompanion(Get().CreateActivityLocator());
        });
    }
};

class TMenuControlCompanion : public TCompanion<IHXMenuControl, IHXMenuControl_> {
public:
    using TCompanion::TCompanion;

    HXRESULT AddToMenu(HXBSTR actionId) noexcept override {
        return GuardHXCall([&] { Get().AddToMenu(TGUID::FromString(FromHXString(actionId))); });
    }
    HXRESULT AddToReportMenu(HXBSTR actionId) noexcept override {
        return GuardHXCall([&] { Get().AddToReportMenu(TGUID::FromString(FromHXString(actionId))); });
    }
};

} // namespace

void InstallSdkCompanions() {
    SetGlobalCompanionParts(TGlobalCompanionParts{
        [](const std::shared_ptr<IApplication_>& application) -> HoraluxSDK::IHXTools* {
            return new TToolsCompanion(application);
        },
        [](const std::shared_ptr<IApplication_>& application) -> HoraluxSDK::IHXMenuControl* {
            const std::shared_ptr<IHXMenuControl_> menu = application->GetMenuController();
            if (!menu)
                throw EVRNException(QStringLiteral("Global.TrayMenu: the tray menu is not ready"));
            return new TMenuControlCompanion(menu);
        },
        &CurrentWindowNumber,
        &AddAddInWindow,
        &RemoveAddInWindow,
    });
}
