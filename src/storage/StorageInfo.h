#pragma once

// Storage descriptions (storage infos): which entry types and which dates a storage holds, and
// where its file is. A parent file lists the descriptions of its children; a child file repeats
// its own.

#include "storage/StorageInterfaces.h"

class TStorageInfoBase : public IHXStorageInfo_ {
public:
    EntryInfoPtr EntryInfo() override { return m_entryInfo; }
    DateInfoPtr StartInfo() override { return m_startInfo; }
    DateInfoPtr EndInfo() override { return m_endInfo; }
    TGUID StorageTypeID() override;
    bool Contains(const StorageInfoPtr& other) override;
    int Compare(double date) override;
    bool Changed() override;
    void LoadFromPropertyList(const PropertyListPtr& list) override;
    PropertyListPtr SaveAsPropertyList() override;
    void UpdateFromPropertyList(const PropertyListPtr& list) override;

    /// The remaining properties ("storagetype", "path" and whatever else the list held).
    const PropertyListPtr& Properties() const { return m_properties; }
    std::shared_ptr<TEntryInfo> EntryInfoObject() const { return m_entryInfo; }
    std::shared_ptr<TDateInfo> StartInfoObject() const { return m_startInfo; }
    std::shared_ptr<TDateInfo> EndInfoObject() const { return m_endInfo; }
    void SetChanged() { m_changed = true; }
    /// The description has reached every file that records it: it no longer reports Changed.
    virtual void MarkSaved();

    /// Whole days of the limited sides (callers check the side is limited).
    double StartDay() const;
    double EndDay() const;
    bool StartLimited() const;
    bool EndLimited() const;

protected:
    /// An empty description of the storage type: all entry types, both sides unlimited.
    explicit TStorageInfoBase(const TGUID& storageType);
    /// Both sides limited with the start after the end raises EStorageInfoCreateError.
    TStorageInfoBase(const TGUID& storageType, std::shared_ptr<TEntryInfo> entryInfo,
                     std::shared_ptr<TDateInfo> startInfo, std::shared_ptr<TDateInfo> endInfo);

    /// Reads the parts beyond the three nested lists from the copy (and removes them there).
    virtual void LoadExtra(const PropertyListPtr& copy);
    /// Writes the parts beyond the three nested lists.
    virtual void SaveExtra(const PropertyListPtr& list);

private:
    std::shared_ptr<TEntryInfo> m_entryInfo;
    std::shared_ptr<TDateInfo> m_startInfo;
    std::shared_ptr<TDateInfo> m_endInfo;
    PropertyListPtr m_properties;
    bool m_changed = false;
};
using StorageInfoBasePtr = std::shared_ptr<TStorageInfoBase>;

/// A description with a file ("path").
class TStorageFileInfoBase : public TStorageInfoBase, public IHXStorageFileInfo_ {
public:
    QString Path() override;
    /// Sets Changed.
    void SetPath(const QString& path) override;

protected:
    using TStorageInfoBase::TStorageInfoBase;
};

/// The root: all entry types, all dates, "cdroot.hx".
class TStorageRootInfo : public TStorageFileInfoBase {
public:
    /// complete: the root's own description; otherwise an empty one to be loaded.
    explicit TStorageRootInfo(bool complete = true);
};

/// An entry manager: one entry type, all dates.
class TStorageEntryManagerInfo : public TStorageFileInfoBase {
public:
    /// An empty description to be loaded.
    TStorageEntryManagerInfo();
    TStorageEntryManagerInfo(const TGUID& entryTypeId, const QString& path);
};

/// The current window of a day file: the days around today in their own file.
class TStorageFileCurrentInfo : public TStorageFileInfoBase {
public:
    TStorageFileCurrentInfo();
    TStorageFileCurrentInfo(const TGUID& entryTypeId, const QString& path, double startDate, double endDate);
};

/// A day file: one entry type, one interval (normally a calendar year), and its window.
class TStorageFileDataInfo : public TStorageFileInfoBase, public IHXStorageFileDataInfo_ {
public:
    TStorageFileDataInfo();
    TStorageFileDataInfo(const TGUID& entryTypeId, const QString& path, double startDate, double endDate);

    StorageInfoPtr CurrentInfo() override { return m_currentInfo; }
    /// Sets Changed.
    void SetCurrentInfo(const StorageInfoPtr& info) override;
    bool Changed() override;
    void MarkSaved() override;

protected:
    void LoadExtra(const PropertyListPtr& copy) override;
    void SaveExtra(const PropertyListPtr& list) override;

private:
    StorageInfoPtr m_currentInfo;
};

/// The file name of a file description ("" for a description without a file).
QString StorageInfoPath(const StorageInfoPtr& info);
