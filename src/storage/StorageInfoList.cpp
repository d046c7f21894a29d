#include "storage/StorageInfoList.h"

#include "foundation/VRNTools.h"
#include "storage/StorageExceptions.h"
#include "storage/StorageInfo.h"

TStorageInfoListBase::TStorageInfoListBase(IStorageApplication* application) : m_application(application) {
    if (!m_application)
        throw EUnassignedArgumentError(QStringLiteral("TStorageInfoListBase.Create"));
}

StorageInfoPtr TStorageInfoListBase::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EVRNListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return m_items[index].first;
}

int TStorageInfoListBase::IndexOf(const StorageInfoPtr& info) const {
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].first.get() == info.get())
            return static_cast<int>(i);
    return -1;
}

StoragePtr TStorageInfoListBase::GetStorage(const StorageInfoPtr& info, bool create) {
    if (!info)
        throw EUnassignedArgumentError(GetStorageContext());
    const int index = IndexOf(info);
    if (index < 0)
        throw EStorageListGetStorageError(QStringLiteral("StorageInfo not found in this list"));
    if (!m_items[index].second && create)
        m_items[index].second = CreateStorage_(info);
    return m_items[index].second;
}

StoragePtr TStorageInfoListBase::CreateStorage_(const StorageInfoPtr& info) {
    if (!info)
        throw EUnassignedArgumentError(QStringLiteral("TStorageInfoListBase._CreateStorage"));
    return m_application->GetStorageProvider(info->StorageTypeID())->CreateStorage(info);
}

bool TStorageInfoListBase::Changed() {
    if (m_added)
        return true;
    for (const auto& [info, storage] : m_items) {
        if (storage ? storage->Changed() : info->Changed())
            return true;
    }
    return false;
}

bool TStorageInfoListBase::InfosChanged() {
    if (m_added)
        return true;
    for (const auto& item : m_items)
        if (item.first->Changed())
            return true;
    return false;
}

void TStorageInfoListBase::Add(const StorageInfoPtr& info) {
    if (!info)
        throw EUnassignedArgumentError(QStringLiteral("TStorageInfoListBase._Add"));
    AddInternal(info, nullptr);
    m_added = true;
}

void TStorageInfoListBase::Add(const StoragePtr& storage) {
    if (!storage)
        throw EUnassignedArgumentError(QStringLiteral("TStorageInfoListBase._Add"));
    AddInternal(storage->Info(), storage);
    m_added = true;
}

void TStorageInfoListBase::MarkSaved() {
    m_added = false;
    for (const auto& item : m_items)
        if (auto info = std::dynamic_pointer_cast<TStorageInfoBase>(item.first))
            info->MarkSaved();
}

void TStorageInfoListBase::SetOnDisk(const StorageInfoPtr& info, const PropertyListPtr& properties) {
    if (IndexOf(info) >= 0)
        m_onDisk.insert(info.get(), properties);
}

void TStorageInfoListBase::MarkWritten(const std::vector<TWritten>& written, bool complete) {
    m_added = !complete;
    for (const TWritten& item : written) {
        if (!item.committed || IndexOf(item.info) < 0)
            continue;
        if (auto info = std::dynamic_pointer_cast<TStorageInfoBase>(item.info))
            info->MarkSaved();
        m_onDisk.insert(item.info.get(), item.properties);
    }
}

StorageInfoPtr TStorageInfoListByEntryInfo::FindByEntryType(const TGUID& entryTypeId) const {
    for (int i = 0; i < Count(); ++i) {
        const StorageInfoPtr info = Items(i);
        if (info->EntryInfo()->EntryTypeID() == entryTypeId)
            return info;
    }
    return nullptr;
}

void TStorageInfoListByEntryInfo::AddInternal(const StorageInfoPtr& info, const StoragePtr& storage) {
    if (!info)
        throw EUnassignedArgumentError(QStringLiteral("TStorageInfoListByEntryInfo._AddInternal"));
    if (storage && storage->Info().get() != info.get())
        throw EStorageInfoListAddError(QStringLiteral("AStorage._Info <> AStorageInfo"));
    if (info->EntryInfo()->InfoType() == hxeitAll)
        throw EStorageInfoListAddError(
            QStringLiteral("Cannot add StorageInfo with EntryInfo of InfoType hxeitAll to this list"));
    // Keyed by entry type: a second description of the same type takes the first one's place.
    if (const StorageInfoPtr existing = FindByEntryType(info->EntryInfo()->EntryTypeID()))
        Replace(IndexOf(existing), info, storage);
    else
        Append(info, storage);
}

void TStorageInfoListByDateInfo::AddInternal(const StorageInfoPtr& info, const StoragePtr& storage) {
    if (!info)
        throw EUnassignedArgumentError(QStringLiteral("TStorageInfoListByDateInfo._AddInternal (AStorageInfo)"));
    if (storage && storage->Info().get() != info.get())
        throw EStorageInfoListAddError(QStringLiteral("AStorage._Info <> AStorageInfo"));
    Append(info, storage);
}
