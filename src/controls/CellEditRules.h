#pragma once

// What the worksheet's time and duration cell editors show for a row and how a typed value is
// written into the row's time entry. Kept apart from the editors, so that the rules can be
// checked without widgets.
//
// A typed start or end is checked against the other bound of the entry as it was when editing of
// the cell began (the first change since the editor was shown). Intermediate keystrokes therefore
// never move the other bound for good: a start typed briefly after the end collapses the entry to
// zero length only until the start is corrected.

#include "model/EntryInterfaces.h"

#include <functional>

/// The grid column an editor serves.
enum class TCellColumn { Start = 0, End = 1, Activity = 2, Duration = 3 };

/// The other bound of an entry remembered when editing of a cell began.
class TRememberedBound {
public:
    /// The remembered value; value is remembered first when nothing is remembered yet.
    double Take(double value);
    /// Forgets the value; the editors call this whenever they are hidden or shown.
    void Forget() { m_remembered = false; }
    bool Remembered() const { return m_remembered; }

private:
    double m_value = 0;
    bool m_remembered = false;
};

/// The value a start editor shows: the entry's start; in the new-line row the end of the entry
/// above, or 08:00 when there is none. entry and above may be nullptr.
double CellStartValue(const IHXActivityEntry_* entry, const IHXActivityEntry_* above);
/// The value an end editor shows: the entry's end; in the new-line row the end of the entry
/// above, or 09:00 when there is none.
double CellEndValue(const IHXActivityEntry_* entry, const IHXActivityEntry_* above);
/// The value a duration editor shows: the entry's duration; 1:00 in the new-line row.
double CellDurationValue(const IHXActivityEntry_* entry);

/// The times of an entry created in the new-line row: from the end of the entry above for one
/// hour (at most up to 24:00), or 08:00 to 09:00 without an entry above; the duration is the span.
void InitNewLineEntry(IHXActivityEntry_& entry, const IHXActivityEntry_* above);

/// A typed start S with the end E remembered when editing began: (S, S) when S is later than E
/// by at least one millisecond, else (S, E); the duration becomes the span from start to end.
void ApplyTypedStart(IHXActivityEntry_& entry, double start, TRememberedBound& end);
/// A typed end T with the start B remembered when editing began: (T, T) when B is later than T
/// by at least one millisecond, else (B, T); the duration becomes the span from start to end.
void ApplyTypedEnd(IHXActivityEntry_& entry, double end, TRememberedBound& start);
/// A typed duration; start and end stay (the duration may then differ from the span).
void ApplyTypedDuration(IHXActivityEntry_& entry, double duration);

/// The row a typing editor writes into.
struct TCellEditRow {
    /// The row's entry; nullptr in the new-line row.
    ActivityEntryPtr Entry;
    /// Appends a new entry in the new-line row and returns it (the grid's new-line request).
    std::function<ActivityEntryPtr()> RequestNewLine;
};

/// The common steps of a typed start, end or duration: takes the row's entry (in the new-line row
/// it first requests a new line and takes the entry that now stands there), writes the typed
/// value by the column's rule and marks the entry unconfirmed. Returns the entry written, or
/// nullptr when the row has none even after the request (nothing is written then). The activity
/// column is not handled here and raises EMustNotHappen.
ActivityEntryPtr ApplyCellChange(TCellColumn column, double typedValue, TCellEditRow& row, TRememberedBound& bound);
