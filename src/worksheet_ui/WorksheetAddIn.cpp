#include "worksheet_ui/WorksheetAddIn.h"

#include "addins/ApplicationInterface.h"
#include "foundation/Translation.h"
#include "tracking/TrackingManagerInterface.h"
#include "tracking/TrackingManagerLinkInterface.h"
#include "ui/Action.h"
#include "ui/MenuControl.h"
#include "worksheet_ui/WorksheetForm.h"

namespace {

/// Opens the worksheet for the tracking manager (its tracking window's "Worksheet" button).
class TWorksheetShower : public IHXWorksheetShower_ {
public:
    explicit TWorksheetShower(std::weak_ptr<IApplication_> application) : m_application(std::move(application)) {}
    void ShowWorksheet() override {
        if (const std::shared_ptr<IApplication_> application = m_application.lock())
            ::ShowWorksheet(*application);
    }

private:
    std::weak_ptr<IApplication_> m_application;
};

} // namespace

QString TWorksheetAddIn::GetID() {
    return QString::fromLatin1(ID);
}

QString TWorksheetAddIn::GetName() {
    return Tr("Worksheet");
}

void TWorksheetAddIn::LaunchAddIn(const std::shared_ptr<IApplication_>& application) {
    TInternalAddIn::LaunchAddIn(application);
    const ActionPtr action = Application().CreateAction();
    action->SetCaption(GetName());
    // The action lives as long as the application and must not keep it alive.
    std::weak_ptr<IApplication_> weak = application;
    action->AddExecute(std::make_shared<TInternalExecute>([weak](const QString&) {
        if (const std::shared_ptr<IApplication_> app = weak.lock())
            ShowWorksheet(*app);
    }));
    Application().GetMenuController()->AddToMenu(action->GetID());
    if (const auto manager = Application().GetTrackingManager())
        manager->SetWorksheetShower(std::make_shared<TWorksheetShower>(weak));
}

void ShowWorksheet(IApplication_& application) {
    TfrmWorksheet window;
    window.Initialize(application);
    ExecAsCurrentWindow(
        window, [&](QWidget* w) { application.AddCurrentWindow(w); },
        [&](QWidget* w) { application.RemoveCurrentWindow(w); });
}
