#pragma once

// The rules of the worksheet's day view that need no window: the order of the rows, the day's
// worked time, which calendar days are highlighted, and how an activity path is shortened to fit
// its cell.

#include "model/EntryInterfaces.h"

#include <QString>
#include <functional>
#include <vector>

class IHXActivityLocator_;

/// The sort columns of the day grid.
enum class TSheetColumn { Start = 0, End = 1, Activity = 2, Duration = 3 };

/// Compares two rows by a column: <0, 0 or >0. Times and durations equal within one millisecond
/// compare equal; activity paths compare locale-aware without regard to case. pathOf gives an
/// entry's activity path (the activity column only). A column outside 0..3 raises EVRNException
/// "TfrmWorksheet.SortGrid: invalid sort column".
int CompareRows(int column, const IHXActivityEntry_& a, const IHXActivityEntry_& b,
                const std::function<QString(const IHXActivityEntry_&)>& pathOf);

/// Sorts rows in place by adjacent-pair passes that swap only rows whose keys are out of order,
/// so rows with equal keys keep their order. Returns whether any row moved.
bool SortRows(std::vector<ActivityEntryPtr>& rows, int column, bool ascending,
              const std::function<QString(const IHXActivityEntry_&)>& pathOf);

/// The sum of the durations of the list's entries that are not booked on a break.
double WorkedTime(const IHXDayEntryList_& list);

/// Which days the worksheet's calendar shows bold.
enum class TDayMarker { EmptyWorkdays = 0, IncompleteDays = 1, ChangedDays = 2 };
/// "empty", "incomplete", "changed" (case ignored); anything else is EmptyWorkdays.
TDayMarker MarkerFromText(const QString& text);
/// The stored text of a marker; "???" for a value outside the three.
QString MarkerText(int marker);

/// Whether a day is bold: list is the day's working copy (nullptr when it cannot be loaded),
/// required the calendar's required time of the day.
bool DayIsMarked(TDayMarker marker, double date, double today, const IHXDayEntryList_* list, double required);

/// The path "a/b/c/d" shortened to fit: the whole path if it fits; else the last name with ".../"
/// in front, then names added alternately from the front and the back ("a/.../d",
/// "a/.../c/d", ...) while the text still fits. fits tells whether a text fits the cell.
QString ShortenActivityPath(const QString& path, const std::function<bool(const QString&)>& fits);
