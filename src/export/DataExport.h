#pragma once

// The data export: the activity entries of a date interval as a text file for spreadsheets and
// other programs, one line per entry (date, activity path, start, end, booked hours), every line
// ending with CR LF, no header line. Three formats: CSV in the Windows-1252 code page (the
// separator is "," where the decimal separator is ".", else ";"), UTF-16 little-endian text with a
// byte order mark, and UTF-8 text (both tab separated).
//
// The export window and horaluxctl write the same bytes through these functions.

#include "model/ActivityInterfaces.h"
#include "model/EntryInterfaces.h"
#include "storage/StorageInterfaces.h"

#include <QByteArray>
#include <QString>
#include <vector>

/// The file formats, numbered as the save dialog's filters.
enum class TExportFormat { Csv = 1, Utf16 = 2, Utf8 = 3 };

/// The entries dated from to to (both days included), sorted by date, start and end time.
std::vector<EntryPtr> ExportEntries(IHXTypedStorage_& storage, double from, double to);

/// The export file's bytes for entries (in the order given). The number format is the user's
/// regional settings at the time of the call.
QByteArray ExportBytes(const std::vector<EntryPtr>& entries, const ActivityTreePtr& tree, TExportFormat format);

/// One line without its line end, as UTF-16 text before the format's encoding.
QString ExportLine(const EntryPtr& entry, const ActivityTreePtr& tree, TExportFormat format,
                   const QString& decimalSeparator);

/// Text in Windows-1252; characters the code page lacks become "?".
QByteArray ToWindows1252(const QString& text);

/// Writes the bytes into fileName through a temporary file beside it that replaces the file only
/// once everything was written, so a failed export leaves an existing file as it was. Raises
/// EVRNException with the reason on failure.
void WriteExportFile(const QString& fileName, const QByteArray& bytes);

/// Reads the interval from storage and writes it into fileName in format.
void ExportToFile(IHXTypedStorage_& storage, const ActivityTreePtr& tree, double from, double to,
                  const QString& fileName, TExportFormat format);
