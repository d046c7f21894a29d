#include "activities_ui/ActivityEditorAddIn.h"

#include "activities_ui/ActivityEditForm.h"
#include "addins/ApplicationInterface.h"
#include "foundation/Translation.h"
#include "ui/Action.h"
#include "ui/MenuControl.h"

QString TActivityEditorAddIn::GetID() {
    return QString::fromLatin1(ID);
}

QString TActivityEditorAddIn::GetName() {
    return Tr("Activity Editor");
}

void TActivityEditorAddIn::LaunchAddIn(const std::shared_ptr<IApplication_>& application) {
    TInternalAddIn::LaunchAddIn(application);
    const ActionPtr action = Application().CreateAction();
    action->SetCaption(Tr("Edit Activities"));
    // The action lives as long as the application and must not keep it alive.
    std::weak_ptr<IApplication_> weak = application;
    action->AddExecute(std::make_shared<TInternalExecute>([weak](const QString&) {
        if (const std::shared_ptr<IApplication_> app = weak.lock())
            ShowActivityEditor(*app);
    }));
    Application().GetMenuController()->AddToMenu(action->GetID());
}

void ShowActivityEditor(IApplication_& application) {
    {
        TfrmBaseActivityEdit window;
        window.Initialize(application.GetActivityTree());
        ExecAsCurrentWindow(
            window, [&](QWidget* w) { application.AddCurrentWindow(w); },
            [&](QWidget* w) { application.RemoveCurrentWindow(w); });
    }
    application.SaveAll();
}
