#include "calendar/HolidayFile.h"

#include "calendar/NestedPropertyList.h"
#include "foundation/DateTime.h"
#include "foundation/Log.h"
#include "model/PropertyHelpers.h"
#include "model/PropertyList.h"

#include <QFileInfo>
#include <cmath>
#include <vector>

namespace {

constexpr qsizetype MaxHolidayFileSize = qsizetype(64) << 20;
const QString HolidayListName = QStringLiteral("holidaylist");
const QString PropertyName = QStringLiteral("property");
const QString ValueName = QStringLiteral("value");
const QString DateName = QStringLiteral("date");

std::vector<TvrnDomElement> PropertyChildren(const TvrnDomElement& element, const QString& name = QString()) {
    std::vector<TvrnDomElement> children;
    if (!element.Assigned())
        return children;
    for (TvrnDomElement child = XMLFirstChildElement(element); child.Assigned(); child = XMLNextSiblingElement(child)) {
        if (XMLNodeName(child) != PropertyName)
            continue;
        if (name.isEmpty() || XMLGetValue(child, QStringLiteral("name")).compare(name, Qt::CaseInsensitive) == 0)
            children.push_back(child);
    }
    return children;
}

bool ReadableDate(const QString& text) {
    try {
        ISOToDateTime(text);
        return true;
    } catch (const EVRNConvertError&) {
        return false;
    }
}

/// A date property whose value is missing or unreadable reads as a fixed default date (1980-01-01),
/// and several such holidays would collapse into one holiday of that day. Their "date" is removed
/// from the (read-only) document instead, so that the holiday list leaves them out.
void RemoveUnreadableDates(const TvrnDomElement& content) {
    for (const TvrnDomElement& list : PropertyChildren(content, HolidayListName)) {
        for (const TvrnDomElement& item : PropertyChildren(XMLFindChild(list, ValueName))) {
            const TvrnDomElement values = XMLFindChild(item, ValueName);
            const std::vector<TvrnDomElement> dates = PropertyChildren(values, DateName);
            bool readable = true;
            for (const TvrnDomElement& date : dates)
                readable = readable && ReadableDate(XMLGetValue(date, ValueName));
            if (!readable)
                for (const TvrnDomElement& date : dates)
                    XMLRemoveChild(values, date);
        }
    }
}

/// The items that have a name but no date: the holiday list drops them.
int CountUndated(const std::shared_ptr<IHXPropertyList_>& properties) {
    const auto items = FindValueListDef(properties, HolidayListName, nullptr);
    int count = 0;
    for (int i = 0; items && i < items->Count(); ++i) {
        const auto item = items->Items(i);
        if (item->DataType() != hxpdtPropertyList)
            continue;
        const auto holiday = item->AsPropertyList();
        if (!FindStringDef(holiday, QStringLiteral("name"), QString()).isEmpty() &&
            THoliday::DateInPropertyList(holiday) == 0)
            ++count;
    }
    return count;
}

bool SoundAmount(double value) {
    return std::isfinite(value) && value >= 0;
}

/// A negative share or time cannot be a rule (the options reader makes it 0); in a file that is to
/// be imported it is damage, and the file is refused rather than imported with a made-up time.
void CheckDefaultRules(const std::shared_ptr<IHXPropertyList_>& properties) {
    const auto items = FindValueListDef(properties, HolidayListName, nullptr);
    for (int i = 0; items && i < items->Count(); ++i) {
        const auto item = items->Items(i);
        if (item->DataType() != hxpdtPropertyList)
            continue;
        const auto holiday = item->AsPropertyList();
        const QString name = FindStringDef(holiday, QStringLiteral("name"), QString());
        const auto rule = NestedPropertyList(holiday, QStringLiteral("worktime default"));
        if (name.isEmpty() || !rule)
            continue;
        const bool percentage = FindBooleanDef(rule, QStringLiteral("ispercentage"), false);
        const double amount = percentage ? GetDoubleDef(rule->Find(QStringLiteral("worktime percentage")), 0)
                                         : GetDurationDef(rule->Find(QStringLiteral("worktime absolute")), 0);
        if (!SoundAmount(amount))
            throw EHolidayFileError(
                QStringLiteral("The holiday \"%1\" has a negative or invalid required time").arg(name));
    }
}

} // namespace

TXMZDecodeLimits HolidayFileDecodeLimits() {
    return TXMZDecodeLimits{2, MaxHolidayFileSize};
}

THolidayFileContent ReadHolidayFile(const TXMZFileFactory& createFile, const QString& fileName) {
    // Checked before anything is read: a device or a huge file would never end or fill the memory.
    const QFileInfo info(fileName);
    if (info.exists() && !info.isFile())
        throw EHolidayFileError(QStringLiteral("\"%1\" is not a file").arg(fileName));
    if (info.exists() && info.size() > MaxHolidayFileSize)
        throw EHolidayFileError(QStringLiteral("\"%1\" is larger than %2 MiB, more than a holiday file can hold")
                                    .arg(fileName)
                                    .arg(MaxHolidayFileSize >> 20));
    const std::shared_ptr<TXMZFile> file = createFile();
    file->SetDecodeLimits(HolidayFileDecodeLimits());
    file->AssignFile_(fileName, true, HolidayFileType);
    const TvrnDomElement content = file->GetContent();
    RemoveUnreadableDates(content);
    auto properties = std::make_shared<TPropertyList>();
    properties->LoadFromXML(content);
    file->Close_();
    CheckDefaultRules(properties);

    THolidayFileContent result;
    result.holidays = std::make_shared<THolidayList>();
    result.holidays->LoadFromPropertyList(properties);
    result.skipped = CountUndated(properties);
    return result;
}

void WriteHolidayFile(const TXMZFileFactory& createFile, const QString& fileName, const THolidayList& holidays) {
    auto properties = std::make_shared<TPropertyList>();
    holidays.SaveToPropertyList(properties);
    const std::shared_ptr<TXMZFile> file = OpenOrCreateXMZFile(createFile, fileName, HolidayFileType);
    properties->SaveToXML(file->GetContent());
    file->Save();
    file->Close_();
}

void CopyHolidayRule(const IHXHolidayWorktime_& from, IHXHolidayWorktime_& to) {
    to.SetIsPercentage(from.IsPercentage());
    to.SetIsRelative(from.IsRelative());
    to.SetIsNegative(from.IsNegative());
    if (from.IsPercentage())
        to.SetWorktimePercentage(from.WorktimePercentage());
    else
        to.SetWorktimeAbsolute(from.WorktimeAbsolute());
}

std::shared_ptr<THolidayList> CopyHolidayList(const THolidayList& source) {
    auto copy = std::make_shared<THolidayList>();
    for (const auto& holiday : source.Sorted()) {
        auto twin = std::make_shared<THoliday>(holiday->Date());
        twin->SetName(holiday->Name());
        twin->DefaultRule()->Assign(*holiday->DefaultWorktime());
        twin->OverrideRule()->Assign(*holiday->OverrideWorktime());
        twin->SetOverrideWorktimeDefault(holiday->OverrideWorktimeDefault());
        copy->Put(twin);
    }
    return copy;
}

std::shared_ptr<THolidayList> MergeHolidays(const THolidayList& target, const IHXHolidayList_& file) {
    std::shared_ptr<THolidayList> merged = CopyHolidayList(target);
    for (int i = 0; i < file.Count(); ++i) {
        const auto incoming = file.Items(i);
        auto holiday = merged->FindDate(incoming->Date());
        if (!holiday)
            holiday = merged->AddNew(incoming->Date());
        holiday->SetName(incoming->Name());
        CopyHolidayRule(*incoming->DefaultWorktime(), *holiday->DefaultWorktime());
    }
    return merged;
}

THolidayImport ImportHolidayFile(const THolidayList& target, const TXMZFileFactory& createFile,
                                 const QString& fileName) {
    const THolidayFileContent content = ReadHolidayFile(createFile, fileName);
    THolidayImport result;
    result.merged = MergeHolidays(target, *content.holidays);
    result.imported = content.holidays->Count();
    result.skipped = content.skipped;
    return result;
}
