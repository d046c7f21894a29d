#include "calendar_ui/BaseCalendarAddIn.h"

#include "addins/ApplicationInterface.h"
#include "calendar_ui/BaseHolidays.h"
#include "foundation/Translation.h"

QString TBaseCalendarAddIn::GetID() {
    return QString::fromLatin1(ID);
}

QString TBaseCalendarAddIn::GetName() {
    return Tr("Calendar");
}

void TBaseCalendarAddIn::LaunchAddIn(const std::shared_ptr<IApplication_>& application) {
    TInternalAddIn::LaunchAddIn(application);
    if (const auto pages = Application().GetOptionsPagesList())
        pages->Add(CreateHolidaysOptionsPage(application));
}
