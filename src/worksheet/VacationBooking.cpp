#include "worksheet/VacationBooking.h"

#include "foundation/DateTime.h"
#include "foundation/Translation.h"
#include "foundation/VRNException.h"
#include "foundation/VRNTools.h"

#include <cmath>
#include <vector>

int DaysWithEntries(const TWorkingCopyOf& workingCopy, double from, double to) {
    int count = 0;
    for (double day = std::floor(from); day <= std::floor(to); ++day)
        if (const DayEntryListPtr list = workingCopy(day); list && list->Count() > 0)
            ++count;
    return count;
}

void BookVacation(const TWorkingCopyOf& workingCopy, const TRequiredTimeOf& requiredTime, double from, double to,
                  const ActivityLocatorPtr& activity) {
    std::vector<DayEntryListPtr> days;
    for (double day = std::floor(from); day <= std::floor(to); ++day) {
        DayEntryListPtr list = workingCopy(day);
        if (!list)
            throw EVRNException(FormatPlaceholders(Tr("The data of %1 cannot be loaded. No vacation was entered."),
                                                   {QDateFromDate(day).toString(Qt::ISODate)}));
        days.push_back(std::move(list));
    }
    for (const DayEntryListPtr& list : days) {
        const auto entry = std::dynamic_pointer_cast<IHXActivityEntry_>(list->AddNew());
        if (!entry)
            continue;
        entry->SetTime(0.0, 1.0);
        entry->Locator()->Assign(activity);
        entry->SetDuration(requiredTime(list->Date()));
    }
}
