#pragma once

// Holiday files ("*.hxh"): lists of holidays that people share. A holiday file is a data file of
// its own type whose content is a property list with one property, "holidaylist", in the form the
// holiday list saves itself. Of each holiday only the date, the name and the default rule matter
// to an import; an override rule in a file is ignored.
//
// Holiday files come from elsewhere, so reading them is stricter than reading the program's own
// data files: at most two compression layers, at most 64 MiB of data, and holidays without a
// readable date are left out (and counted) instead of landing on a made-up date.

#include "calendar/HolidayList.h"
#include "foundation/XMZFile.h"

#include <QString>
#include <memory>

/// The file type in the header of every holiday file.
inline const TGUID HolidayFileType = TGUID::Constant("{1F44745B-9413-43DF-9431-CC3BB9051C8A}");
/// The extension of holiday files, without the dot.
inline constexpr const char* HolidayFileExtension = "hxh";

/// A holiday file cannot be taken: it is too large, it is not a regular file, or a holiday in it has
/// a negative or invalid required time.
VRN_DECLARE_EXCEPTION(EHolidayFileError, EVRNException);

/// How far a holiday file is decoded before it is refused: two compression layers, 64 MiB.
TXMZDecodeLimits HolidayFileDecodeLimits();

/// What a holiday file holds.
struct THolidayFileContent {
    std::shared_ptr<THolidayList> holidays;
    /// Holidays with a name but without a readable date; they are not in holidays.
    int skipped = 0;
};

/// Reads a holiday file through a file object of createFile, opened read-only with the holiday
/// file type (a file of another data file type raises EXMZFileTypeError). Holidays without a name
/// are dropped, holidays without a readable date are dropped and counted; a holiday whose default
/// rule holds a negative amount refuses the whole file. Raises the data file errors (EXMZError),
/// EHolidayFileError, and never changes the file.
THolidayFileContent ReadHolidayFile(const TXMZFileFactory& createFile, const QString& fileName);

/// Writes the holidays into a holiday file (replacing what the file held) through a file object
/// of createFile.
void WriteHolidayFile(const TXMZFileFactory& createFile, const QString& fileName, const THolidayList& holidays);

/// Copies a rule the way holidays take rules over: IsPercentage, IsRelative and IsNegative in
/// this order, then the amount that counts (the percentage or the absolute time). Raises what the
/// target's setters raise (EHolidayWorktimeError for a negative percentage).
void CopyHolidayRule(const IHXHolidayWorktime_& from, IHXHolidayWorktime_& to);

/// A copy of every holiday with its name, both rules and its override flag.
std::shared_ptr<THolidayList> CopyHolidayList(const THolidayList& source);

/// The merge of an import, done on a copy of target: for every holiday of file in ascending date
/// order, the copy's holiday of that date (created when missing) takes the file's name and default
/// rule; its override flag and override rule stay, so the user's individual required time survives.
/// Returns the merged copy. Any error raises and leaves nothing half merged: target is never
/// changed.
std::shared_ptr<THolidayList> MergeHolidays(const THolidayList& target, const IHXHolidayList_& file);

/// An import: the merged list and how many holidays the file held and left out.
struct THolidayImport {
    std::shared_ptr<THolidayList> merged;
    int imported = 0;
    int skipped = 0;
};

/// Reads a holiday file and merges it into a copy of target (ReadHolidayFile, MergeHolidays).
/// Raises the errors of both; target is never changed.
THolidayImport ImportHolidayFile(const THolidayList& target, const TXMZFileFactory& createFile,
                                 const QString& fileName);
