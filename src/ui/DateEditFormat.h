#pragma once

// Date pickers show dates in the user's short date format of the regional settings. Those come as
// date pictures ("M/d/yyyy", "dd.MM.yyyy", "yyyy-MM-dd"), which the toolkit's date edits read
// almost alike; this turns one into the other.

#include <QString>

class QDateEdit;
class QWidget;

/// The toolkit display format of a date picture: d, dd, ddd, dddd, M .. MMMM, yy and yyyy and
/// quoted text stay as they are; a single y becomes yy, yyy becomes yyyy, and the era (g, gg) is
/// left out.
QString DateEditFormat(const QString& picture);
/// Shows the edit's date in the short date format of the current regional settings, with a popup
/// calendar.
void SetupDatePicker(QDateEdit* edit);
/// A new date picker set up as above, for the full range of the program's dates.
QDateEdit* NewDatePicker(QWidget* parent);
