#pragma once

#include "foundation/CheckedObject.h"
#include "model/EntryInterfaces.h"

// Descriptions of what a storage covers: which entry types (entry info) and up to which date
// (date info). Both are stored as property lists inside storage descriptions.

enum THXEntryInfoType : int { hxeitAll = 0, hxeitSingle = 1 };
enum THXDateInfoType : int { hxditLimited = 0, hxditUnlimited = 1 };

class IHXEntryInfo_ {
public:
    virtual ~IHXEntryInfo_() = default;
    virtual THXEntryInfoType InfoType() const = 0;
    virtual TGUID EntryTypeID() const = 0;
    /// Always false.
    virtual bool Changed() const = 0;
};

class IHXDateInfo_ {
public:
    virtual ~IHXDateInfo_() = default;
    virtual THXDateInfoType InfoType() const = 0;
    /// An unlimited info raises EDateInfoError "No date available for infotype hxditUnlimited".
    virtual double Date() const = 0;
    virtual bool Equals(const std::shared_ptr<IHXDateInfo_>& other) const = 0;
    virtual bool Changed() const = 0;
};

/// All entry types, or a single one.
class TEntryInfo : public TCheckedAutoObject, public IHXEntryInfo_ {
public:
    /// hxeitAll.
    TEntryInfo() = default;
    /// hxeitSingle without an entry type ID raises EEntryInfoError "EntryInfo of type
    /// hxeitSingle must have EntryTypeID"; a type other than 0 or 1 "Invalid THXEntryInfoType".
    explicit TEntryInfo(int infoType);
    TEntryInfo(int infoType, const TGUID& entryTypeId);

    THXEntryInfoType InfoType() const override { return m_infoType; }
    TGUID EntryTypeID() const override { return m_entryTypeId; }
    bool Changed() const override { return false; }

    void Assign(const std::shared_ptr<IHXEntryInfo_>& other);
    /// "infotype" "all" or "single" (any letter case), and for "single" "entrytypeid". Another
    /// name raises EEntryInfoNameError; the info is then unchanged.
    void LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list);
    void SaveToPropertyList(const std::shared_ptr<IHXPropertyList_>& list) const;

private:
    THXEntryInfoType m_infoType = hxeitAll;
    TGUID m_entryTypeId;
};

/// Open-ended, or limited by a date (a whole day).
class TDateInfo : public TCheckedAutoObject, public IHXDateInfo_ {
public:
    /// hxditUnlimited.
    TDateInfo() = default;
    /// hxditLimited without a date raises EDateInfoError "TDateInfo with InfoType hxditLimited
    /// must have a date"; a type other than 0 or 1 "Invalid TDateInfoType".
    explicit TDateInfo(int infoType);
    TDateInfo(int infoType, double date);

    THXDateInfoType InfoType() const override { return m_infoType; }
    double Date() const override;
    bool Equals(const std::shared_ptr<IHXDateInfo_>& other) const override;
    bool Changed() const override { return m_changed; }

    void Assign(const std::shared_ptr<IHXDateInfo_>& other);
    /// "infotype" "limited" or "unlimited" (any letter case), and for "limited" "date". Another
    /// name raises EDateInfoNameError; the info is then unchanged.
    void LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list);
    void SaveToPropertyList(const std::shared_ptr<IHXPropertyList_>& list);

private:
    THXDateInfoType m_infoType = hxditUnlimited;
    double m_date = 0;
    bool m_changed = false;
};
