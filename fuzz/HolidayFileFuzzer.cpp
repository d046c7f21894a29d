// Feeds arbitrary bytes to the holiday file reader as a file on disk: the stricter decoding of
// files from elsewhere, the envelope, the property list and the holidays in it. Every input must
// either read or raise one of the program's errors, within the reader's limits. What read must
// hold only named, dated holidays with rules a holiday can hold, merge into a list without error,
// and write and read back to the same holidays.

#include "calendar/HolidayFile.h"
#include "calendar/HolidayWorktimeText.h"
#include "foundation/DateTime.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <cstdint>
#include <cstdlib>
#include <unistd.h>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

QString Folder() {
    static const QString folder = [] {
        const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        QByteArray templ = base.toUtf8() + "/fuzz_holidays_XXXXXX";
        Check(::mkdtemp(templ.data()) != nullptr);
        return QString::fromUtf8(templ);
    }();
    return folder;
}

bool WriteFile(const QString& name, const QByteArray& bytes) {
    QFile file(name);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
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
