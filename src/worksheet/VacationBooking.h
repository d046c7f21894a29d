#pragma once

// A vacation: one all-day entry (00:00 to 24:00) on every day of a range, booked on one activity
// with the day's required time as its duration. Days that hold entries keep them.

#include "model/ActivityLocator.h"
#include "model/EntryInterfaces.h"

#include <functional>

/// The working copy of a day (nullptr when it cannot be loaded) and the required time of a day.
using TWorkingCopyOf = std::function<DayEntryListPtr(double date)>;
using TRequiredTimeOf = std::function<double(double date)>;

/// The number of days from from to to (both included) whose working copy holds entries.
int DaysWithEntries(const TWorkingCopyOf& workingCopy, double from, double to);

/// Books the vacation. Every day's working copy is fetched first: when one cannot be loaded,
/// EVRNException names that day and nothing is added to any day.
void BookVacation(const TWorkingCopyOf& workingCopy, const TRequiredTimeOf& requiredTime, double from, double to,
                  const ActivityLocatorPtr& activity);
