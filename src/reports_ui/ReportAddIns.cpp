#include "reports_ui/ReportAddIns.h"

#include "addins/ApplicationInterface.h"
#include "foundation/Translation.h"
#include "reports_ui/ActivityReportWindow.h"
#include "reports_ui/DayReportWindow.h"
#include "ui/Action.h"
#include "ui/MenuControl.h"

#include <functional>

namespace {

/// Adds an action with caption to the "Reports" submenu; it runs show with the application. The
/// action lives as long as the application, so it holds the application only weakly.
void AddReportAction(const std::shared_ptr<IApplication_>& application, const QString& caption,
                     void (*show)(const std::shared_ptr<IApplication_>&)) {
    const ActionPtr action = application->CreateAction();
    action->SetCaption(caption);
    std::weak_ptr<IApplication_> weak = application;
    action->AddExecute(std::make_shared<TInternalExecute>([weak, show](const QString&) {
        if (const std::shared_ptr<IApplication_> app = weak.lock())
            show(app);
    }));
    application->GetMenuController()->AddToReportMenu(action->GetID());
}

} // namespace

QString TBaseActivityReport::GetID() {
    return QString::fromLatin1(ID);
}

QString TBaseActivityReport::GetName() {
    return Tr("Activity Report");
}

void TBaseActivityReport::LaunchAddIn(const std::shared_ptr<IApplication_>& application) {
    TInternalAddIn::LaunchAddIn(application);
    AddReportAction(application, Tr("Activity Report"), ShowActivityReport);
}

QString TSimpleRichTextDayReportAddIn::GetID() {
    return QString::fromLatin1(ID);
}

QString TSimpleRichTextDayReportAddIn::GetName() {
    return Tr("Day Report");
}

void TSimpleRichTextDayReportAddIn::LaunchAddIn(const std::shared_ptr<IApplication_>& application) {
    TInternalAddIn::LaunchAddIn(application);
    AddReportAction(application, Tr("Day Report"), ShowDayReport);
}

void ShowActivityReport(const std::shared_ptr<IApplication_>& application) {
    TfrmBaseActivityReport window(application);
    ShowReportWindow(window, application, ActivityReportName);
}

void ShowDayReport(const std::shared_ptr<IApplication_>& application) {
    TfrmSimpleRichTextDayReport window(application);
    ShowReportWindow(window, application, DayReportName);
}
