#include "export_ui/BaseExportAddIn.h"

#include "addins/ApplicationInterface.h"
#include "export_ui/ExportWindow.h"
#include "foundation/Translation.h"
#include "ui/Action.h"
#include "ui/MenuControl.h"

QString TBaseExportAddIn::GetID() {
    return QString::fromLatin1(ID);
}

QString TBaseExportAddIn::GetName() {
    return Tr("Export");
}

void TBaseExportAddIn::LaunchAddIn(const std::shared_ptr<IApplication_>& application) {
    TInternalAddIn::LaunchAddIn(application);
    const ActionPtr action = Application().CreateAction();
    action->SetCaption(Tr("Export"));
    // The action lives as long as the application; it must not keep the application (and with it
    // this add-in) alive.
    std::weak_ptr<IApplication_> weak = application;
    action->AddExecute(std::make_shared<TInternalExecute>([weak](const QString&) {
        const std::shared_ptr<IApplication_> app = weak.lock();
        if (!app)
            return;
        ShowExportWindow(
            app->GetTypedStorage(), app->GetActivityTree(), [app](QWidget* window) { app->AddCurrentWindow(window); },
            [app](QWidget* window) { app->RemoveCurrentWindow(window); });
    }));
    Application().GetMenuController()->AddToMenu(action->GetID());
}
