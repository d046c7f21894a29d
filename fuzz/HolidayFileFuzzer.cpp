// Feeds arbitrary bytes to the holiday file reader as a file on disk: the stricter decoding of
// files from elsewhere, the envelope, the property list and the holidays in it. Every input must
// either read or raise one of the program's errors, within the reader's limits. What read must
// hold only named, dated holidays with rules a holiday can hold, merge into a list without error,
// and write and read back to the same holidays.

#include "FuzzSupport.h"
#include "calendar/HolidayFile.h"
#include "calendar/HolidayWorktimeText.h"
#include "foundation/DateTime.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <cstdint>
#include <cstdlib>

namespace {

QString Folder() {
    static const QString folder = ScratchFolder("fuzz_holidays");
    return folder;
}

std::shared_ptr<TXMZFile> NewFile() {
    return std::make_shared<TXMZFile>();
}

QStringList Describe(const THolidayList& list) {
    QStringList lines;
    for (const auto& holiday : list.Sorted())
        lines << DateToISO(holiday->Date()) + QLatin1Char(' ') + holiday->Name() + QLatin1Char(' ') +
                     HolidayWorktimeToText(*holiday->DefaultWorktime());
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString input = Folder() + QStringLiteral("/input.hxh");
    const QString copy = Folder() + QStringLiteral("/copy.hxh");
    Check(WriteFile(input, QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size))));
    THolidayFileContent read;
    try {
        read = ReadHolidayFile(NewFile, input);
    } catch (const EVRNException&) {
        return 0;
    }
    Check(read.holidays != nullptr && read.skipped >= 0);
    for (const auto& holiday : read.holidays->Sorted()) {
        Check(!holiday->Name().isEmpty());
        Check(holiday->Date() != 0);
        const auto rule = holiday->DefaultWorktime();
        Check(rule->WorktimePercentage() >= 0 && rule->WorktimeAbsolute() >= 0);
    }
    // A rule the file may hold can always be merged.
    THolidayList mine;
    mine.AddNew(EncodeDate(2026, 1, 1))->SetName(QStringLiteral("Mine"));
    const auto merged = MergeHolidays(mine, *read.holidays);
    Check(merged->Count() >= read.holidays->Count());
    Check(mine.Count() == 1);
    // What was read writes out and reads back the same.
    QFile::remove(copy);
    WriteHolidayFile(NewFile, copy, *read.holidays);
    const THolidayFileContent again = ReadHolidayFile(NewFile, copy);
    Check(again.skipped == 0);
    Check(Describe(*again.holidays) == Describe(*read.holidays));
    return 0;
}
