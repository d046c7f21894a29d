#include "calendar_ui/BaseCalendarAddIn.h"

#include "addins/ApplicationInterface.h"
#include "calendar_ui/BaseHolidays.h"
#include "calendar_ui/BaseWorkTimeOptions.h"
#include "foundation/Translation.h"

QString TBaseCalendarAddIn::GetID() {
    return QString::fromLatin1(ID);
}

QString TBaseCalendarAddIn::GetName() {
    return Tr("Calendar");
}

void TBaseCalendarAddIn::LaunchAddIn(const std::shared_ptr<IApplication_>& application) {
    TInternalAddIn::LaunchAddIn(application);
    const auto pages = Application().GetOptionsPagesList();
    if (!pages)
        return;
    IApplication_* app = &Application();
    pages->Add(std::make_shared<TOptionsPage>(
        Tr("Work"), 200,
        [app](QWidget* parent, IHXOptionsControl_* control) {
            return new TfrmBaseWorkTimeOptions(parent, control, app->GetActivityTree());
        },
        std::function<bool()>(),
        QSize(TfrmBaseWorkTimeOptions::DesignedWidth, TfrmBaseWorkTimeOptions::DesignedHeight)));
    pages->Add(CreateHolidaysOptionsPage(application));
}
