#include "model/EntryList.h"

#include "foundation/DateTime.h"
#include "foundation/VRNTools.h"
#include "model/ActivityLocator.h"
#include "model/Entry.h"
#include "model/PropertyList.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <tuple>
#include <typeinfo>

namespace {
bool IsOwnEntryClass(const IHXEntry_& entry) {
    return typeid(entry) == typeid(TActivityEntry) || typeid(entry) == typeid(TEntry);
}

/// Independent copies of the entries of source, made by target's provider through the
/// property-list form.
std::vector<EntryPtr> CopyEntries(const IHXEntryList_& source, TEntryListBase& target) {
    std::vector<EntryPtr> copies;
    for (int i = 0; i < source.Count(); ++i) {
        std::shared_ptr<IHXPropertyList_> values = NewEntryPropertyList();
        source.Items(i)->AddToPropertyList(values);
        auto copy = target.CreateEntry();
        copy->LoadFromPropertyList(values);
        copies.push_back(copy);
    }
    return copies;
}
} // namespace

// ---- TEntryListBase ---------------------------------------------------------------------------

EntryPtr TEntryListBase::Items(int index) const {
    return m_items.Items(index);
}

void TEntryListBase::Add(const EntryPtr& entry) {
    if (!entry)
        throw EUnassignedArgumentError(QStringLiteral("TEntryListBase._Add"));
    Append(entry);
}

void TEntryListBase::Append(const EntryPtr& entry) {
    for (const auto& item : m_items) {
        if (SameObject(item, entry))
            throw EVRNListError(QStringLiteral("Entry already in List"));
    }
    m_items.Add(entry);
    m_changed = true;
}

void TEntryListBase::ReplaceEntries(const std::vector<EntryPtr>& entries) {
    m_items.Clear();
    for (const auto& entry : entries)
        m_items.Add(entry);
}

void TEntryListBase::Remove(const EntryPtr& entry) {
    for (int i = 0; i < m_items.Count(); ++i) {
        if (SameObject(m_items.Items(i), entry)) {
            m_items.Delete(i);
            m_changed = true;
            return;
        }
    }
}

void TEntryListBase::Delete(int index) {
    m_items.Delete(index);
    m_changed = true;
}

bool TEntryListBase::Changed() const {
    return m_changed ||
           std::any_of(m_items.begin(), m_items.end(), [](const EntryPtr& entry) { return entry->Changed(); });
}

bool EntryOrderBefore(const EntryPtr& a, const EntryPtr& b) {
    // By day, start and end to the millisecond: the comparison with a tolerance is not a strict
    // ordering, which a sort must not be given.
    auto key = [](const EntryPtr& e) {
        return std::make_tuple(DateOf(e->Date()), DateTimeToMSecs(e->StartTime()), DateTimeToMSecs(e->EndTime()));
    };
    return key(a) < key(b);
}

void TEntryListBase::Sort() {
    m_items.Sort(EntryOrderBefore);
}

void TEntryListBase::ReadEntries(const TvrnDomElement& element) {
    int failures = 0;
    QStringList messages;
    // The program's own entry classes copy what they take from the list they read, so one list
    // serves every element; an entry of any other class gets a list of its own, which it may keep.
    std::shared_ptr<TPropertyList> reused;
    for (auto child = XMLFirstChildElement(element); XMLAssigned(child); child = XMLNextSiblingElement(child)) {
        if (XMLNodeName(child).compare(QLatin1String("entry"), Qt::CaseInsensitive) != 0)
            continue;
        try {
            auto entry = CreateEntry();
            std::shared_ptr<TPropertyList> values;
            if (IsOwnEntryClass(*entry)) {
                if (!reused)
                    reused = NewEntryPropertyList();
                values = reused;
            } else {
                values = NewEntryPropertyList();
            }
            values->LoadFromXML(child);
            entry->LoadFromPropertyList(values);
            Add(entry);
        } catch (const std::exception& e) {
            ++failures;
            const QString message = GetExceptionMessage(e);
            if (!messages.contains(message))
                messages << message;
        }
    }
    if (failures == 0) {
        m_changed = false;
        return;
    }
    m_changed = true;
    QString text = QStringLiteral("TEntryListBase.LoadFromXML: %1 entries failed to load. Exceptions occured are:")
                       .arg(IntToWideStr(failures));
    for (const auto& message : messages)
        text += QStringLiteral("\r\n") + message;
    throw EEntryLoadError(text);
}

void TEntryListBase::WriteEntries(const TvrnDomElement& element) {
    for (const auto& entry : m_items) {
        auto values = entry->SaveAsPropertyList();
        std::dynamic_pointer_cast<IXMLStorable>(values)->SaveToXML(XMLAddChild(element, QStringLiteral("entry")));
    }
    m_changed = false;
}

void TEntryListBase::LoadFromXML(const TvrnDomElement& element) {
    m_items.Clear();
    ReadEntries(element);
}

void TEntryListBase::SaveToXML(const TvrnDomElement& element) {
    WriteEntries(element);
}

// ---- TEntryList, TProvidedEntryList -------------------------------------------------------------

EntryPtr TEntryList::CreateEntry() {
    return std::make_shared<TEntry>();
}

TProvidedEntryList::TProvidedEntryList(EntryProviderPtr provider) : m_provider(std::move(provider)) {
    if (!m_provider)
        throw EUnassignedArgumentError(QStringLiteral("TProvidedEntryList.Create"));
}

EntryPtr TProvidedEntryList::CreateEntry() {
    return m_provider->CreateEntry();
}

// ---- TDayEntryList ------------------------------------------------------------------------------

TDayEntryList::TDayEntryList(EntryProviderPtr provider, double date)
    : TProvidedEntryList(std::move(provider)), m_date(DateOf(date)) {}

void TDayEntryList::Add(const EntryPtr& entry) {
    if (!entry)
        throw EUnassignedArgumentError(QStringLiteral("TDayEntryList._Add"));
    if (DateOf(entry->Date()) != m_date)
        throw EVRNListError(QStringLiteral("Cannot add entry for another date"));
    Append(entry);
}

EntryPtr TDayEntryList::AddNew() {
    auto entry = CreateEntry();
    entry->SetDate(m_date);
    Add(entry);
    return entry;
}

DayEntryListPtr TDayEntryList::Clone() const {
    auto clone = std::make_shared<TDayEntryList>(Provider(), m_date);
    clone->ReplaceEntries(CopyEntries(*this, *clone));
    clone->m_changed = false;
    return clone;
}

void TDayEntryList::Assign(const DayEntryListPtr& other) {
    if (!other)
        throw EUnassignedArgumentError(QStringLiteral("TDayEntryList._Assign"));
    if (SameObject(other.get(), static_cast<IHXDayEntryList_*>(this)))
        return;
    if (DateOf(other->Date()) != m_date)
        throw EVRNListError(QStringLiteral("Assigned DayEntryList list must have the same date"));
    // Copies first: a copy that fails leaves this list as it was.
    auto copies = CopyEntries(*other, *this);
    for (const auto& copy : copies) {
        if (DateOf(copy->Date()) != m_date)
            throw EVRNListError(QStringLiteral("Cannot add entry for another date"));
    }
    ReplaceEntries(copies);
    m_changed = true;
}

void TDayEntryList::LoadFromXML(const TvrnDomElement& element) {
    m_items.Clear();
    auto entries = XMLFindChild(element, QStringLiteral("entries"));
    if (XMLAssigned(entries))
        ReadEntries(entries);
    else
        m_changed = false;
}

void TDayEntryList::SaveToXML(const TvrnDomElement& element) {
    XMLRemoveAllChildren(element);
    XMLSetValue(element, QStringLiteral("date"), DateToISO(m_date), xsoAttribute);
    WriteEntries(XMLAddChild(element, QStringLiteral("entries")));
}

// ---- TActivityEntryList -------------------------------------------------------------------------

ActivityEntryPtr TActivityEntryList::Items(int index) const {
    return m_items.Items(index);
}

int TActivityEntryList::IndexOf(const ActivityEntryPtr& entry) const {
    return m_items.IndexOf(entry);
}

void TActivityEntryList::Add(const ActivityEntryPtr& entry) {
    if (!entry)
        throw EUnassignedArgumentError(QStringLiteral("TActivityEntryList._Add"));
    m_items.Add(entry);
}

// ---- JoinSimilarEntries -------------------------------------------------------------------------

namespace {
std::vector<ActivityEntryPtr> ActivityEntries(const DayEntryListPtr& list) {
    std::vector<ActivityEntryPtr> entries;
    for (int i = 0; i < list->Count(); ++i) {
        if (auto entry = std::dynamic_pointer_cast<IHXActivityEntry_>(list->Items(i)))
            entries.push_back(entry);
    }
    return entries;
}

double Span(const ActivityEntryPtr& entry) {
    return TimeSpan(entry->StartTime(), entry->EndTime());
}

bool JoinFirstPair(const DayEntryListPtr& list) {
    const auto entries = ActivityEntries(list);
    for (size_t i = 0; i < entries.size(); ++i) {
        const auto& a = entries[i];
        for (size_t j = i + 1; j < entries.size(); ++j) {
            const auto& b = entries[j];
            if (!TimesEqual(b->StartTime(), a->EndTime()) || !a->Locator()->Eq(b->Locator()))
                continue;
            const double oldSpan = Span(a);
            const double ratioA = oldSpan / a->Duration();
            const double ratioB = Span(b) / b->Duration();
            if (!(std::fabs(ratioA - ratioB) <= 0.0001))
                continue;
            a->SetTime(a->StartTime(), b->EndTime());
            // An entry without length says nothing about a ratio: scaling would divide by zero.
            const double duration = oldSpan < OneMillisecond ? a->Duration() + b->Duration() : Span(a) / ratioA;
            a->SetDuration(RoundToMSecs(duration));
            list->Remove(b);
            return true;
        }
    }
    return false;
}
} // namespace

bool JoinSimilarEntries(const DayEntryListPtr& list) {
    if (!list)
        throw EUnassignedArgumentError(QStringLiteral("JoinSimilarEntries"));
    bool changed = false;
    for (bool removed = true; removed;) {
        removed = false;
        for (const auto& entry : ActivityEntries(list)) {
            if (TimesEqual(entry->Duration(), 0)) {
                list->Remove(entry);
                removed = changed = true;
                break;
            }
        }
    }
    while (JoinFirstPair(list))
        changed = true;
    return changed;
}
