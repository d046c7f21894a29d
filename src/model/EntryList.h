#pragma once

#include "foundation/CheckedObject.h"
#include "foundation/VRNHash.h"
#include "foundation/VRNInterfaceList.h"
#include "foundation/XMLStorable.h"
#include "model/EntryInterfaces.h"

#include <vector>

/// The common part of the entry lists: an ordered list of entries with a Changed flag. As
/// IXMLStorable it reads and writes one "entry" element per entry.
/// The order of Sort: by day, then start time, then end time.
bool EntryOrderBefore(const EntryPtr& a, const EntryPtr& b);

class TEntryListBase : public TWrappableObject, public virtual IHXEntryList_, public IXMLStorable {
public:
    int Count() const override { return m_items.Count(); }
    EntryPtr Items(int index) const override;
    void Add(const EntryPtr& entry) override;
    void Remove(const EntryPtr& entry) override;
    void Delete(int index) override;
    bool Changed() const override;
    void Sort() override;
    void SetChanged(bool changed) override { m_changed = changed; }

    /// A new entry of the list's kind (not added).
    virtual EntryPtr CreateEntry() = 0;

    /// Reads the "entry" elements (name in any letter case) of element and appends the entries.
    /// Entries that fail are skipped; the good ones stay, and EEntryLoadError then names the
    /// number of failures and each distinct message.
    void LoadFromXML(const TvrnDomElement& element) override;
    /// Appends one "entry" element per entry; afterwards neither the list nor its entries are
    /// Changed.
    void SaveToXML(const TvrnDomElement& element) override;

protected:
    /// Appends without the checks of Add (they were made by the caller).
    void Append(const EntryPtr& entry);
    void ReplaceEntries(const std::vector<EntryPtr>& entries);
    void ReadEntries(const TvrnDomElement& element);
    void WriteEntries(const TvrnDomElement& element);

    TVRNInterfaceList<IHXEntry_> m_items;
    bool m_changed = false;
};

/// A list of plain entries.
class TEntryList : public TEntryListBase {
public:
    EntryPtr CreateEntry() override;
};

/// A list whose entries come from an entry provider.
class TProvidedEntryList : public TEntryListBase {
public:
    /// A nil provider raises EUnassignedArgumentError.
    explicit TProvidedEntryList(EntryProviderPtr provider);
    EntryPtr CreateEntry() override;
    const EntryProviderPtr& Provider() const { return m_provider; }

private:
    EntryProviderPtr m_provider;
};

/// The entries of one entry type on one day. Every entry in it carries the list's date.
/// As IXMLStorable it is a day element: attribute "date" and a child "entries".
class TDayEntryList : public TProvidedEntryList, public IHXDayEntryList_ {
public:
    TDayEntryList(EntryProviderPtr provider, double date);

    /// Also refuses an entry of another date (EVRNListError "Cannot add entry for another date").
    void Add(const EntryPtr& entry) override;
    double Date() const override { return m_date; }
    EntryPtr AddNew() override;
    DayEntryListPtr Clone() const override;
    void Assign(const DayEntryListPtr& other) override;

    void LoadFromXML(const TvrnDomElement& element) override;
    void SaveToXML(const TvrnDomElement& element) override;

private:
    double m_date;
};

/// A plain list of activity entries (the worksheet's problem list).
class TActivityEntryList : public TInterfacedAndCheckedObject {
public:
    ActivityEntryPtr Items(int index) const;
    int Count() const { return m_items.Count(); }
    int IndexOf(const ActivityEntryPtr& entry) const;
    void Add(const ActivityEntryPtr& entry);
    void Clear() { m_items.Clear(); }

private:
    TVRNInterfaceList<IHXActivityEntry_> m_items;
};

/// Joins the entries of a day that continue each other: removes entries of zero duration, then
/// repeatedly merges an entry B that starts where an entry A ends when both have equal locators
/// and the same ratio of span to duration. Returns whether anything changed.
bool JoinSimilarEntries(const DayEntryListPtr& list);
