#include "storage/StorageInfo.h"

#include "foundation/DateTime.h"
#include "storage/StorageExceptions.h"
#include "storage/StoragePropertyLists.h"

namespace {

const QString kStorageType = QStringLiteral("storagetype");
const QString kPath = QStringLiteral("path");
const QString kStartInfo = QStringLiteral("startinfo");
const QString kEndInfo = QStringLiteral("endinfo");
const QString kEntryInfo = QStringLiteral("entryinfo");
const QString kStorageCurrent = QStringLiteral("storage current");

std::shared_ptr<TDateInfo> Limited(double date) {
    return std::make_shared<TDateInfo>(hxditLimited, date);
}

} // namespace

TStorageInfoBase::TStorageInfoBase(const TGUID& storageType)
    : m_entryInfo(std::make_shared<TEntryInfo>()), m_startInfo(std::make_shared<TDateInfo>()),
      m_endInfo(std::make_shared<TDateInfo>()), m_properties(StorageLists::New()) {
    StorageLists::SetGUID(m_properties, kStorageType, storageType);
}

TStorageInfoBase::TStorageInfoBase(const TGUID& storageType, std::shared_ptr<TEntryInfo> entryInfo,
                                   std::shared_ptr<TDateInfo> startInfo, std::shared_ptr<TDateInfo> endInfo)
    : TStorageInfoBase(storageType) {
    if (startInfo->InfoType() == hxditLimited && endInfo->InfoType() == hxditLimited &&
        DateOf(startInfo->Date()) > DateOf(endInfo->Date()))
        throw EStorageInfoCreateError(QStringLiteral("Invalid StartInfo/EndInfo combination"));
    m_entryInfo = std::move(entryInfo);
    m_startInfo = std::move(startInfo);
    m_endInfo = std::move(endInfo);
}

TGUID TStorageInfoBase::StorageTypeID() {
    try {
        return StorageLists::GetGUID(m_properties, kStorageType);
    } catch (const std::exception& e) {
        throw EMustNotHappen(QStringLiteral("TStorageInfoBase._GetStorageTypeID ") + ExceptionToTextSuffix(e));
    }
}

bool TStorageInfoBase::StartLimited() const {
    return m_startInfo->InfoType() == hxditLimited;
}
bool TStorageInfoBase::EndLimited() const {
    return m_endInfo->InfoType() == hxditLimited;
}
double TStorageInfoBase::StartDay() const {
    return DateOf(m_startInfo->Date());
}
double TStorageInfoBase::EndDay() const {
    return DateOf(m_endInfo->Date());
}

int TStorageInfoBase::Compare(double date) {
    const double day = DateOf(date);
    if (StartLimited() && day < StartDay())
        return 1;
    if (EndLimited() && day >= EndDay())
        return -1;
    return 0;
}

bool TStorageInfoBase::Contains(const StorageInfoPtr& other) {
    if (!other)
        return false;
    if (m_entryInfo->InfoType() == hxeitSingle) {
        const EntryInfoPtr otherEntry = other->EntryInfo();
        if (otherEntry->InfoType() != hxeitSingle || otherEntry->EntryTypeID() != m_entryInfo->EntryTypeID())
            return false;
    }
    const DateInfoPtr otherStart = other->StartInfo();
    const DateInfoPtr otherEnd = other->EndInfo();
    if (StartLimited()) {
        if (otherStart->InfoType() != hxditLimited || DateOf(otherStart->Date()) < StartDay())
            return false;
    }
    if (EndLimited()) {
        if (otherEnd->InfoType() != hxditLimited || DateOf(otherEnd->Date()) > EndDay())
            return false;
    }
    return true;
}

bool TStorageInfoBase::Changed() {
    return m_changed || m_startInfo->Changed() || m_endInfo->Changed() || m_entryInfo->Changed();
}

void TStorageInfoBase::MarkSaved() {
    m_changed = false;
}

void TStorageInfoBase::LoadFromPropertyList(const PropertyListPtr& list) {
    if (!list)
        throw EUnassignedArgumentError(QStringLiteral("TStorageInfoBase._LoadFromPropertyList"));
    try {
        const PropertyListPtr copy = StorageLists::Copy(list);
        auto startInfo = std::make_shared<TDateInfo>();
        auto endInfo = std::make_shared<TDateInfo>();
        auto entryInfo = std::make_shared<TEntryInfo>();
        startInfo->LoadFromPropertyList(StorageLists::Nested(copy, kStartInfo));
        endInfo->LoadFromPropertyList(StorageLists::Nested(copy, kEndInfo));
        entryInfo->LoadFromPropertyList(StorageLists::Nested(copy, kEntryInfo));
        StorageLists::Remove(copy, kStartInfo);
        StorageLists::Remove(copy, kEndInfo);
        StorageLists::Remove(copy, kEntryInfo);
        LoadExtra(copy);
        m_startInfo = startInfo;
        m_endInfo = endInfo;
        m_entryInfo = entryInfo;
        m_properties = copy;
        m_changed = false;
    } catch (const EDateInfoNameError&) {
        throw;
    } catch (const EEntryInfoNameError&) {
        throw;
    } catch (const std::exception& e) {
        if (StorageLists::IsWrongDataType(e))
            throw;
        throw EMustNotHappen(QStringLiteral("TStorageInfoBase._LoadFromPropertyList ") + ExceptionToTextSuffix(e));
    }
}

PropertyListPtr TStorageInfoBase::SaveAsPropertyList() {
    const PropertyListPtr list = StorageLists::Copy(m_properties);
    m_startInfo->SaveToPropertyList(StorageLists::Nested(list, kStartInfo));
    m_endInfo->SaveToPropertyList(StorageLists::Nested(list, kEndInfo));
    m_entryInfo->SaveToPropertyList(StorageLists::Nested(list, kEntryInfo));
    SaveExtra(list);
    return list;
}

void TStorageInfoBase::UpdateFromPropertyList(const PropertyListPtr& list) {
    LoadFromPropertyList(list);
    m_changed = true;
}

void TStorageInfoBase::LoadExtra(const PropertyListPtr&) {}
void TStorageInfoBase::SaveExtra(const PropertyListPtr&) {}

QString TStorageFileInfoBase::Path() {
    return StorageLists::GetStringDef(Properties(), kPath);
}

void TStorageFileInfoBase::SetPath(const QString& path) {
    StorageLists::SetString(Properties(), kPath, path);
    SetChanged();
}

TStorageRootInfo::TStorageRootInfo(bool complete) : TStorageFileInfoBase(StorageTypeRoot) {
    if (complete)
        StorageLists::SetString(Properties(), kPath, QStringLiteral("cdroot.hx"));
}

TStorageEntryManagerInfo::TStorageEntryManagerInfo() : TStorageFileInfoBase(StorageTypeEntryManager) {}

TStorageEntryManagerInfo::TStorageEntryManagerInfo(const TGUID& entryTypeId, const QString& path)
    : TStorageFileInfoBase(StorageTypeEntryManager, std::make_shared<TEntryInfo>(hxeitSingle, entryTypeId),
                           std::make_shared<TDateInfo>(), std::make_shared<TDateInfo>()) {
    StorageLists::SetString(Properties(), kPath, path);
}

TStorageFileCurrentInfo::TStorageFileCurrentInfo() : TStorageFileInfoBase(StorageTypeFileCurrent) {}

TStorageFileCurrentInfo::TStorageFileCurrentInfo(const TGUID& entryTypeId, const QString& path, double startDate,
                                                 double endDate)
    : TStorageFileInfoBase(StorageTypeFileCurrent, std::make_shared<TEntryInfo>(hxeitSingle, entryTypeId),
                           Limited(startDate), Limited(endDate)) {
    StorageLists::SetString(Properties(), kPath, path);
}

TStorageFileDataInfo::TStorageFileDataInfo() : TStorageFileInfoBase(StorageTypeFileData) {}

TStorageFileDataInfo::TStorageFileDataInfo(const TGUID& entryTypeId, const QString& path, double startDate,
                                           double endDate)
    : TStorageFileInfoBase(StorageTypeFileData, std::make_shared<TEntryInfo>(hxeitSingle, entryTypeId),
                           Limited(startDate), Limited(endDate)) {
    StorageLists::SetString(Properties(), kPath, path);
}

void TStorageFileDataInfo::SetCurrentInfo(const StorageInfoPtr& info) {
    m_currentInfo = info;
    SetChanged();
}

bool TStorageFileDataInfo::Changed() {
    return TStorageFileInfoBase::Changed() || (m_currentInfo && m_currentInfo->Changed());
}

void TStorageFileDataInfo::MarkSaved() {
    TStorageFileInfoBase::MarkSaved();
    if (auto current = std::dynamic_pointer_cast<TStorageInfoBase>(m_currentInfo))
        current->MarkSaved();
}

void TStorageFileDataInfo::LoadExtra(const PropertyListPtr& copy) {
    m_currentInfo.reset();
    if (const PropertyListPtr current = StorageLists::FindNested(copy, kStorageCurrent)) {
        auto info = std::make_shared<TStorageFileCurrentInfo>();
        info->LoadFromPropertyList(current);
        m_currentInfo = info;
    }
    StorageLists::Remove(copy, kStorageCurrent);
}

void TStorageFileDataInfo::SaveExtra(const PropertyListPtr& list) {
    if (m_currentInfo)
        StorageLists::SetNested(list, kStorageCurrent, m_currentInfo->SaveAsPropertyList());
    else
        StorageLists::Remove(list, kStorageCurrent);
}

QString StorageInfoPath(const StorageInfoPtr& info) {
    if (auto fileInfo = std::dynamic_pointer_cast<IHXStorageFileInfo_>(info))
        return fileInfo->Path();
    return QString();
}
