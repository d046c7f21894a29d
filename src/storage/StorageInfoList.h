#pragma once

// The sub-storage lists of the managers: pairs of a description and its storage (created on
// demand through the provider of the description's storage type).

#include "storage/StorageInterfaces.h"

#include <QHash>
#include <utility>
#include <vector>

class TStorageInfoListBase {
public:
    /// A nil application raises EUnassignedArgumentError "TStorageInfoListBase.Create".
    explicit TStorageInfoListBase(IStorageApplication* application);
    virtual ~TStorageInfoListBase() = default;
    TStorageInfoListBase(const TStorageInfoListBase&) = delete;
    TStorageInfoListBase& operator=(const TStorageInfoListBase&) = delete;

    int Count() const { return static_cast<int>(m_items.size()); }
    /// An index out of range raises EVRNListError.
    StorageInfoPtr Items(int index) const;
    /// The storage of info, which must be the very object held by the list (else
    /// EStorageListGetStorageError); created through its provider when missing and create is set.
    StoragePtr GetStorage(const StorageInfoPtr& info, bool create);
    /// The storage at index if it exists (never creates).
    StoragePtr ExistingStorage(int index) const { return m_items.at(index).second; }
    /// Something was added since the list was read or last saved, or a pair reports Changed (its
    /// storage where one exists, else its description).
    bool Changed();
    /// Something was added since the list was read or last saved, or a description changed: the
    /// parent file must be written again.
    bool InfosChanged();
    void Add(const StorageInfoPtr& info);
    void Add(const StoragePtr& storage);
    /// The list as it stands is on disk: forget the added mark and mark every description saved.
    void MarkSaved();
    /// The description of info as the parent file on disk holds it (nullptr: not there).
    PropertyListPtr OnDisk(const StorageInfoPtr& info) const { return m_onDisk.value(info.get()); }
    void SetOnDisk(const StorageInfoPtr& info, const PropertyListPtr& properties);

    /// One description written into the parent file: the current one of a committed child, or
    /// the one on disk of a child whose write failed.
    struct TWritten {
        StorageInfoPtr info;
        PropertyListPtr properties;
        bool committed;
    };
    /// The parent file holds written: the committed descriptions are saved; complete: no child
    /// was left out, so nothing added waits any more.
    void MarkWritten(const std::vector<TWritten>& written, bool complete);
    /// Forget the added mark (after the list was read from its file).
    void ClearAdded() { m_added = false; }

protected:
    virtual void AddInternal(const StorageInfoPtr& info, const StoragePtr& storage) = 0;
    virtual QString GetStorageContext() const = 0;
    void Append(const StorageInfoPtr& info, const StoragePtr& storage) { m_items.emplace_back(info, storage); }
    void Replace(int index, const StorageInfoPtr& info, const StoragePtr& storage) {
        m_onDisk.remove(m_items[index].first.get());
        m_items[index] = {info, storage};
    }
    int IndexOf(const StorageInfoPtr& info) const;

private:
    StoragePtr CreateStorage_(const StorageInfoPtr& info);

    IStorageApplication* m_application;
    std::vector<std::pair<StorageInfoPtr, StoragePtr>> m_items;
    QHash<const IHXStorageInfo_*, PropertyListPtr> m_onDisk;
    bool m_added = false;
};

/// The root's list: one entry manager per entry type.
class TStorageInfoListByEntryInfo : public TStorageInfoListBase {
public:
    using TStorageInfoListBase::TStorageInfoListBase;
    /// The description for that entry type, or nullptr.
    StorageInfoPtr FindByEntryType(const TGUID& entryTypeId) const;

protected:
    void AddInternal(const StorageInfoPtr& info, const StoragePtr& storage) override;
    QString GetStorageContext() const override { return QStringLiteral("TStorageInfoListByEntryInfo._GetStorage"); }
};

/// An entry manager's list: day files in the order they were added.
class TStorageInfoListByDateInfo : public TStorageInfoListBase {
public:
    using TStorageInfoListBase::TStorageInfoListBase;

protected:
    void AddInternal(const StorageInfoPtr& info, const StoragePtr& storage) override;
    QString GetStorageContext() const override { return QStringLiteral("TStorageInfoListByDateInfo._GetStorage"); }
};
