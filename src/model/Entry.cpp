#include "model/Entry.h"

#include "foundation/DateTime.h"
#include "model/ActivityLocator.h"
#include "model/PropertyHelpers.h"
#include "model/PropertyList.h"

#include <cmath>

namespace {
const QString EntryDate = QStringLiteral("date");
const QString EntryStartTime = QStringLiteral("starttime");
const QString EntryEndTime = QStringLiteral("endtime");
const QString EntryDuration = QStringLiteral("duration");
const QString EntryIsProblem = QStringLiteral("isproblem");
const QString EntryLocator = QStringLiteral("activitylocator");

/// Whether two names are one name of a list in case mode 1 (only a to z fold).
bool SameFoldedName(const QString& a, const QString& b) {
    if (a.size() != b.size())
        return false;
    const auto fold = [](char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - (u'a' - u'A')) : c; };
    for (qsizetype i = 0; i < a.size(); ++i)
        if (fold(a[i].unicode()) != fold(b[i].unicode()))
            return false;
    return true;
}

bool IsTimeName(const QString& name) {
    return SameFoldedName(name, EntryDate) || SameFoldedName(name, EntryStartTime) ||
           SameFoldedName(name, EntryEndTime);
}

/// A copy of source without date, start and end time: what copying all of it and removing those
/// three gives, without copying them first. A property of a type no copy can take is copied
/// anyway, so that it is refused the same way.
std::shared_ptr<IHXPropertyList_> CopyWithoutTimes(const TPropertyList& source) {
    auto copy = NewEntryPropertyList();
    copy->Clear(); // changed, as after a copy
    source.ForEach([&](const QString& name, const std::shared_ptr<IHXProperty_>& property) {
        const int type = property->DataType();
        if (IsTimeName(name) && type >= hxpdtLowType_ && type <= hxpdtHighType_)
            return;
        auto own = std::make_shared<TProperty>(hxpdtUnused, 1);
        own->Assign(property);
        copy->SetItem(name, own);
    });
    return copy;
}

/// The property of that name, or an unused one as Items would add it.
std::shared_ptr<IHXProperty_> PropertyOrUnused(const TPropertyList& list, const QString& name) {
    if (std::shared_ptr<IHXProperty_> found = list.Find(name))
        return found;
    return std::make_shared<TProperty>(hxpdtUnused, 1);
}

[[noreturn]] void RaiseInvalidTimes() {
    throw EEntryTimeError(QStringLiteral("Invalid Date/StartTime/EndTime combination"));
}

/// The whole day of value, checked against the entry's current date.
double CheckedDay(double currentDate, double value) {
    const double day = DateOf(value);
    if (currentDate != 0 && day != DateOf(currentDate))
        throw EEntryTimeError(QStringLiteral("Date is already assigned and cannot be reassigned"));
    return day;
}
} // namespace

// ---- TEntry -------------------------------------------------------------------------------------

std::shared_ptr<TPropertyList> NewEntryPropertyList() {
    return std::make_shared<TPropertyList>(30, 1);
}

void TEntry::SetDate(double value) {
    m_date = CheckedDay(m_date, value);
}

std::shared_ptr<IHXPropertyList_> TEntry::AdditionalProperties() {
    if (!m_additional)
        m_additional = NewEntryPropertyList();
    return m_additional;
}

bool TEntry::IsValidPeriod(double startTime, double endTime) {
    return std::isfinite(startTime) && std::isfinite(endTime) && IsValidTVRNTime(startTime) &&
           IsValidTVRNTime(endTime) && TimeNotAfter(startTime, endTime);
}

void TEntry::SetTime(double startTime, double endTime) {
    if (!IsValidPeriod(startTime, endTime))
        RaiseInvalidTimes();
    m_startTime = startTime;
    m_endTime = endTime;
    m_changed = true;
}

int TEntry::CompareDateTime(const EntryPtr& other) const {
    if (!other)
        throw EUnassignedArgumentError(QStringLiteral("TEntry._CompareDateTime"));
    const double ownDay = DateOf(m_date);
    const double otherDay = DateOf(other->Date());
    if (ownDay != otherDay)
        return ownDay < otherDay ? -1 : 1;
    if (int result = CompareTimes(m_startTime, other->StartTime()))
        return result;
    return CompareTimes(m_endTime, other->EndTime());
}

void TEntry::LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) {
    if (!list)
        throw EUnassignedArgumentError(QStringLiteral("TEntry._LoadFromPropertyList"));
    // Everything is read and checked before anything is taken over, so a refused list leaves the
    // entry as it was.
    auto source = std::dynamic_pointer_cast<TPropertyList>(list);
    if (!source || source->CaseMode() != 1) {
        // Names of another kind of list may differ only in letter case; a copy of the entry's
        // own kind keeps one property per name, as the entry does. A list read from a file is of
        // that kind already and is not copied twice.
        source = NewEntryPropertyList();
        source->Assign(list);
    }
    const std::shared_ptr<IHXPropertyList_> copy = CopyWithoutTimes(*source);
    const double day = CheckedDay(m_date, PropertyOrUnused(*source, EntryDate)->AsDate());
    const double startTime = PropertyOrUnused(*source, EntryStartTime)->AsTime();
    const double endTime = PropertyOrUnused(*source, EntryEndTime)->AsTime();
    if (!IsValidPeriod(startTime, endTime))
        RaiseInvalidTimes();
    LoadOwnValues(copy);
    m_date = day;
    m_startTime = startTime;
    m_endTime = endTime;
    m_additional = copy;
    ClearChanged();
}

void TEntry::LoadOwnValues(const std::shared_ptr<IHXPropertyList_>&) {}

void TEntry::TakeDateAndTimes(double day, double startTime, double endTime) {
    m_date = day;
    m_startTime = startTime;
    m_endTime = endTime;
    m_additional.reset(); // created on request, as for a new entry
}

void TEntry::AddToPropertyList(const std::shared_ptr<IHXPropertyList_>& list) const {
    if (!list)
        throw EUnassignedArgumentError(QStringLiteral("TEntry._AddToPropertyList"));
    if (m_additional) {
        for (m_additional->First(); !m_additional->EndOfList(); m_additional->Next())
            list->Items(m_additional->CurrentName())->Assign(m_additional->CurrentItem());
    }
    list->Items(EntryDate)->SetAsDate(m_date);
    list->Items(EntryStartTime)->SetAsTime(m_startTime);
    list->Items(EntryEndTime)->SetAsTime(m_endTime);
}

std::shared_ptr<IHXPropertyList_> TEntry::SaveAsPropertyList() {
    std::shared_ptr<IHXPropertyList_> list = NewEntryPropertyList();
    AddToPropertyList(list);
    ClearChanged();
    return list;
}

// ---- TActivityEntry -----------------------------------------------------------------------------

TActivityEntry::TActivityEntry() : m_locator(std::make_shared<TActivityLocator>()) {}

bool TActivityEntry::Changed() const {
    return TEntry::Changed() || m_locator->Changed();
}

void TActivityEntry::AddToPropertyList(const std::shared_ptr<IHXPropertyList_>& list) const {
    TEntry::AddToPropertyList(list);
    list->Items(EntryDuration)->SetAsDuration(m_duration);
    if (m_isProblem)
        list->Remove(EntryIsProblem);
    else
        list->Items(EntryIsProblem)->SetAsBoolean(false);
    m_locator->SaveToPropertyList(list->Items(EntryLocator)->AsPropertyList());
}

std::shared_ptr<IHXPropertyList_> TActivityEntry::SaveAsPropertyList() {
    return TEntry::SaveAsPropertyList();
}

void TActivityEntry::ClearChanged() {
    TEntry::ClearChanged();
    m_locator->SetChanged(false);
}

void TActivityEntry::CalculateDuration() {
    m_duration = TimeSpan(StartTime(), EndTime());
    MarkChanged();
}

std::shared_ptr<IHXActivityLocator_> TActivityEntry::Locator() const {
    return m_locator;
}

void TActivityEntry::SetDuration(double duration) {
    m_duration = duration;
    MarkChanged();
}

void TActivityEntry::SetIsProblem(bool isProblem) {
    m_isProblem = isProblem;
    MarkChanged();
}

void TActivityEntry::LoadFromValues(const TActivityEntryValues& values) {
    const double day = CheckedDay(Date(), values.date);
    if (!IsValidPeriod(values.startTime, values.endTime))
        RaiseInvalidTimes();
    m_duration = values.duration;
    m_locator->Load(values.locatorId, values.locatorPath, values.locatorBreak, values.locatorName);
    m_isProblem = values.isProblem;
    TakeDateAndTimes(day, values.startTime, values.endTime);
    ClearChanged();
}

void TActivityEntry::LoadOwnValues(const std::shared_ptr<IHXPropertyList_>& properties) {
    const double duration = GetDurationDef(properties->Find(EntryDuration), 0);
    auto locator = std::make_shared<TActivityLocator>();
    auto locatorProperty = properties->Find(EntryLocator);
    if (locatorProperty && locatorProperty->DataType() == hxpdtPropertyList)
        locator->LoadFromPropertyList(locatorProperty->AsPropertyList());
    const bool isProblem = GetBooleanDef(properties->Find(EntryIsProblem), true);
    properties->Remove(EntryDuration);
    properties->Remove(EntryLocator);
    properties->Remove(EntryIsProblem);
    m_duration = duration;
    m_locator->Assign(locator);
    m_isProblem = isProblem;
}
