#include "calendar_ui/HolidayImportAddIn.h"

#include "calendar_ui/BaseHolidays.h"
#include "foundation/Translation.h"

QString THolidayImportAddIn::GetID() {
    return QString::fromLatin1(ID);
}

QString THolidayImportAddIn::GetName() {
    return Tr("Holiday Import");
}

void THolidayImportAddIn::LaunchAddIn(const std::shared_ptr<IApplication_>& application) {
    TInternalAddIn::LaunchAddIn(application);
    SetHolidayImportEnabled(true);
}
