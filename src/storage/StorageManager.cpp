#include "storage/StorageManager.h"

#include "foundation/DateTime.h"
#include "foundation/Log.h"
#include "storage/SearchResults.h"
#include "storage/StorageExceptions.h"
#include "storage/StorageFileData.h"
#include "storage/StorageInfo.h"
#include "storage/StoragePropertyLists.h"
#include "storage/StorageSaveSession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <limits>
#include <thread>

namespace {

const QString kSubStorages = QStringLiteral("substorages");
const QString kStorageInfo = QStringLiteral("storageinfo");
constexpr int Collecting = TCollectingStorageNotifications::ModeCollecting;
constexpr int Direct = TCollectingStorageNotifications::ModeDirect;

bool SameEntryTypeOrAll(const EntryInfoPtr& wanted, const StorageInfoPtr& info) {
    const EntryInfoPtr own = info->EntryInfo();
    return !(wanted && wanted->InfoType() == hxeitSingle && own->InfoType() == hxeitSingle &&
             wanted->EntryTypeID() != own->EntryTypeID());
}

double StartKey(const StorageInfoPtr& info) {
    const DateInfoPtr start = info->StartInfo();
    return start->InfoType() == hxditLimited ? DateOf(start->Date()) : -std::numeric_limits<double>::infinity();
}

double EndKey(const StorageInfoPtr& info) {
    const DateInfoPtr end = info->EndInfo();
    return end->InfoType() == hxditLimited ? DateOf(end->Date()) : std::numeric_limits<double>::infinity();
}

/// The longest window a day file may record: today - 7 to today + 7.
constexpr double MaxWindowDays = 15;

/// A recorded window must lie inside its day file's interval and be no longer than a window is
/// cut: anything else comes from a damaged file, and trusting it would walk its days one by one.
void CheckWindowInterval(const StorageInfoPtr& info, const StorageInfoPtr& window) {
    auto own = std::dynamic_pointer_cast<TStorageInfoBase>(info);
    auto current = std::dynamic_pointer_cast<TStorageInfoBase>(window);
    if (!own || !current)
        return;
    const bool inside = current->StartLimited() && current->EndLimited() && current->StartDay() < current->EndDay() &&
                        current->EndDay() - current->StartDay() <= MaxWindowDays &&
                        (!own->StartLimited() || own->StartDay() <= current->StartDay()) &&
                        (!own->EndLimited() || current->EndDay() <= own->EndDay());
    if (!inside)
        throw EStorageInfoError(QStringLiteral("The current window of a day file lies outside its interval or is "
                                               "longer than %1 days: the file is damaged")
                                    .arg(MaxWindowDays));
}

} // namespace

// ---- Manager base ----------------------------------------------------------------------------

std::shared_ptr<TStorageInfoListBase> TStorageManagerBase::GetSubStorageInfos() {
    if (!m_subStorages) {
        try {
            std::shared_ptr<TStorageInfoListBase> list = CreateSubStorageList();
            LoadSubStorageInfos(*list);
            list->ClearAdded();
            m_subStorages = list;
            ReserveNames();
        } catch (const std::exception& e) {
            m_subStorages.reset();
            const QString text = GetSubStorageInfosContext() + QStringLiteral(" ") + ExceptionToTextSuffix(e);
            // A missing file stays a missing file through the wrapper, so that Create New is offered.
            if (IsStorageFileNotFound(e))
                throw ESubStorageInfosFileNotFoundError(text);
            throw ESubStorageInfosLoadError(text);
        }
    }
    return m_subStorages;
}

void TStorageManagerBase::LoadSubStorageInfos(TStorageInfoListBase& list) {
    const TvrnDomElement subStorages = XMLFindChild(GetContentNode_(), kSubStorages);
    if (!subStorages.Assigned())
        return;
    for (TvrnDomElement element = XMLFirstChildElement(subStorages); element.Assigned();
         element = XMLNextSiblingElement(element)) {
        if (XMLNodeName(element).compare(kStorageInfo, Qt::CaseInsensitive) != 0)
            continue;
        const PropertyListPtr properties = StorageLists::LoadFromElement(element);
        const StorageInfoPtr info = Application().GetStorageProviderFor(properties)->CreateStorageInfo(properties);
        if (auto dataInfo = std::dynamic_pointer_cast<IHXStorageFileDataInfo_>(info)) {
            // A year without a file and without a window holds nothing on disk.
            const StorageInfoPtr current = dataInfo->CurrentInfo();
            if (StorageInfoPath(info).isEmpty() && (!current || StorageInfoPath(current).isEmpty()))
                continue;
            if (current)
                CheckWindowInterval(info, current);
        }
        list.Add(info);
        list.SetOnDisk(info, properties);
    }
}

void TStorageManagerBase::ReserveName(const QString& path) {
    if (path.isEmpty() || !IsPlainStorageFileName(path))
        return;
    IStorageFileNames& names = Application().StorageFileNames();
    names.ReserveStorageFileName(names.GetStorageFileName(path));
}

TStorageFileBase::TContentUpdate TStorageManagerBase::UpdateContent() {
    TStorageSaveSession* session = TStorageSaveSession::Current();
    try {
        const std::shared_ptr<TStorageInfoListBase> list = GetSubStorageInfos();
        // Sub-storages first, so that this file records their final names.
        std::vector<bool> childFailed(list->Count(), false);
        for (int i = 0; i < list->Count(); ++i) {
            const StorageInfoPtr info = list->Items(i);
            if (const StoragePtr storage = list->GetStorage(info, info->Changed())) {
                try {
                    storage->Save();
                } catch (const EAutoCancel&) {
                }
                childFailed[i] = session && session->Failed(dynamic_cast<const void*>(storage.get()));
            }
        }
        // A sub-storage that did not reach disk keeps its description as it is on disk, where it
        // describes the files that are there; the others are recorded as they are now.
        std::vector<TStorageInfoListBase::TWritten> written;
        bool anyFailed = false;
        bool committedChange = false;
        for (int i = 0; i < list->Count(); ++i) {
            const StorageInfoPtr info = list->Items(i);
            const PropertyListPtr onDisk = list->OnDisk(info);
            if (childFailed[i]) {
                anyFailed = true;
                if (onDisk)
                    written.push_back({info, onDisk, false});
                continue;
            }
            if (!onDisk || info->Changed())
                committedChange = true;
            written.push_back({info, info->SaveAsPropertyList(), true});
        }
        if (anyFailed && !committedChange) {
            // Only the failed part changed: this file stays as it is, and so does its parent.
            if (session)
                session->MarkFailed();
            return TContentUpdate::Postponed;
        }
        if (!anyFailed && !IsNew() && !InfoBase().Changed() && !list->InfosChanged())
            return TContentUpdate::Unchanged;
        WriteInfo();
        const TvrnDomElement content = GetContentNode_();
        TvrnDomElement subStorages = XMLFindChild(content, kSubStorages);
        if (subStorages.Assigned())
            XMLRemoveAllChildren(subStorages);
        else
            subStorages = XMLAddChild(content, kSubStorages);
        for (const TStorageInfoListBase::TWritten& item : written)
            StorageLists::SaveToElement(item.properties, XMLAddChild(subStorages, kStorageInfo));
        if (session)
            session->OnCommit([list, written, anyFailed] { list->MarkWritten(written, !anyFailed); });
        return TContentUpdate::Changed;
    } catch (const EUserCancel&) {
        throw;
    } catch (const std::exception& e) {
        // Nothing is written from a half-updated list; this file and its parent stay as they are.
        LogException(QStringLiteral("TStorageManagerBase.UpdateContent"), e);
        if (session)
            session->MarkFailed();
        Ask(TStorageQuestion::ManagerUpdateContent, e);
        return TContentUpdate::Postponed;
    }
}

StoragePtr TStorageManagerBase::AppendSubStorage(const StorageInfoPtr& info) {
    if (!info)
        throw EUnassignedArgumentError(QStringLiteral("TStorageManagerBase._AppendSubStorage"));
    if (info->StorageTypeID() == StorageTypeRoot)
        throw EStorageAppendError(QStringLiteral("Cannot append a root storage"));
    if (!Info()->Contains(info))
        throw EStorageAppendError(QStringLiteral("StorageInfo is not contained by parent"));
    if (!info->EndInfo()->Equals(Info()->EndInfo()))
        throw EStorageAppendError(QStringLiteral("Appended substorage must have the same EndInfo as parent"));
    return AppendSubStorage_(info);
}

void TStorageManagerBase::ClearCache() {
    TStorageFileBase::ClearCache();
    if (!m_subStorages)
        return;
    for (int i = 0; i < m_subStorages->Count(); ++i) {
        if (const StoragePtr storage = m_subStorages->ExistingStorage(i)) {
            try {
                storage->ClearCache();
            } catch (const std::exception& e) {
                LogException(QStringLiteral("TStorageManagerBase.ClearCache"), e);
            }
        }
    }
}

bool TStorageManagerBase::Changed() {
    return InfoBase().Changed() || HasPendingFileWork() || (m_subStorages && m_subStorages->Changed());
}

void TStorageManagerBase::Cleanup() {
    if (m_subStorages) {
        for (int i = 0; i < m_subStorages->Count(); ++i)
            if (auto cleanable = std::dynamic_pointer_cast<IVRNCleanableObject>(m_subStorages->ExistingStorage(i)))
                cleanable->Cleanup();
        m_subStorages.reset();
    }
    TStorageFileBase::Cleanup();
}

void TStorageManagerBase::ExistingMinMax_(const EntryInfoPtr& entryInfo, double& min, double& max, bool& found,
                                          bool wantMin, bool wantMax) {
    if (!EntryTypeMatches(entryInfo))
        return;
    for (;;) {
        try {
            const std::shared_ptr<TStorageInfoListBase> list = GetSubStorageInfos();
            // Visit the sub-storages from the wanted end, so that once a date is found the rest
            // are skipped without reading their files.
            std::vector<int> order(list->Count());
            for (int i = 0; i < list->Count(); ++i)
                order[i] = i;
            if (wantMin && !wantMax)
                std::stable_sort(order.begin(), order.end(),
                                 [&](int a, int b) { return StartKey(list->Items(a)) < StartKey(list->Items(b)); });
            else if (wantMax && !wantMin)
                std::stable_sort(order.begin(), order.end(),
                                 [&](int a, int b) { return EndKey(list->Items(a)) > EndKey(list->Items(b)); });
            for (int index : order) {
                const StorageInfoPtr info = list->Items(index);
                if (!SameEntryTypeOrAll(entryInfo, info))
                    continue;
                const bool minInside = !found || info->Compare(min) != 1;
                const bool maxInside = !found || info->Compare(max) != -1;
                if (wantMin && wantMax) {
                    if (!minInside && !maxInside)
                        continue;
                    list->GetStorage(info, true)->GetExistingMinMaxDate(entryInfo, min, max, found);
                } else if (wantMin) {
                    if (minInside)
                        list->GetStorage(info, true)->GetExistingMinDate(entryInfo, min, found);
                } else if (wantMax) {
                    if (maxInside)
                        list->GetStorage(info, true)->GetExistingMaxDate(entryInfo, max, found);
                }
            }
            return;
        } catch (const std::exception& e) {
            if (GiveUpRangeSearch(e))
                return;
        }
    }
}

// ---- Root ------------------------------------------------------------------------------------

TStorageRoot::TStorageRoot(IStorageApplication* application)
    : TStorageManagerBase(std::make_shared<TCollectingStorageNotifications>(), application,
                          std::make_shared<TStorageRootInfo>(), StorageTypeRoot) {}

std::shared_ptr<TStorageInfoListBase> TStorageRoot::CreateSubStorageList() {
    return std::make_shared<TStorageInfoListByEntryInfo>(&Application());
}

void TStorageRoot::Save() {
    TStorageFileBase::Save();
    ClearCache();
}

void TStorageRoot::ReserveNames() {
    if (m_namesReserved)
        return;
    m_namesReserved = true;
    try {
        ReserveName(FileInfo().Path());
        const std::shared_ptr<TStorageInfoListBase> list = GetSubStorageInfos();
        for (int i = 0; i < list->Count(); ++i) {
            const StorageInfoPtr info = list->Items(i);
            if (info->StorageTypeID() != StorageTypeEntryManager)
                continue;
            if (auto manager = std::dynamic_pointer_cast<IHXStorageManager_>(list->GetStorage(info, true)))
                manager->ReserveNames();
        }
    } catch (...) {
        m_namesReserved = false;
        m_sweepTried = true;
        throw;
    }
    SweepUnreferencedFiles_();
}

void TStorageRoot::SweepUnreferencedFiles_() {
    if (m_sweepTried)
        return;
    m_sweepTried = true;
    if (Application().IsStorageReadOnly())
        return;
    IStorageFileNames& names = Application().StorageFileNames();
    QSet<QString> referenced;
    try {
        referenced.insert(QStringLiteral("cdroot.hx"));
        const std::shared_ptr<TStorageInfoListBase> list = GetSubStorageInfos();
        for (int i = 0; i < list->Count(); ++i) {
            const StorageInfoPtr managerInfo = list->Items(i);
            referenced.insert(StorageInfoPath(managerInfo));
            auto manager = std::dynamic_pointer_cast<IHXStorageManager_>(list->GetStorage(managerInfo, true));
            if (!manager)
                return;
            // Raises when the manager's list cannot be read: then nothing is known to be unreferenced.
            const std::shared_ptr<TStorageInfoListBase> days = manager->GetSubStorageInfos();
            for (int d = 0; d < days->Count(); ++d) {
                const StorageInfoPtr info = days->Items(d);
                referenced.insert(StorageInfoPath(info));
                if (auto dataInfo = std::dynamic_pointer_cast<IHXStorageFileDataInfo_>(info))
                    if (const StorageInfoPtr current = dataInfo->CurrentInfo())
                        referenced.insert(StorageInfoPath(current));
            }
        }
    } catch (const std::exception& e) {
        LogException(QStringLiteral("TStorageRoot.SweepUnreferencedFiles"), e);
        return;
    }
    // A name that is no plain file name means a damaged list: what it should name is unknown.
    for (const QString& name : referenced)
        if (!name.isEmpty() && !IsPlainStorageFileName(name))
            return;
    // Only the names the storage tree gives its files: the program's other files share the folder.
    static const QRegularExpression storageName(QStringLiteral("^(cdem|current|data)[0-9]*\\.hx$"));
    const QString folder = QFileInfo(names.GetStorageFileName(QStringLiteral("cdroot.hx"))).absolutePath();
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        if (!storageName.match(name).hasMatch() || referenced.contains(name))
            continue;
        const QString fullName = names.GetStorageFileName(name);
        const QString lostFolder = dir.filePath(QStringLiteral("lost+found"));
        if (!QDir().mkpath(lostFolder)) {
            WriteLog(QStringLiteral("TStorageRoot: cannot create \"%1\"").arg(lostFolder));
            return;
        }
        QString target = lostFolder + QStringLiteral("/") + name;
        for (int n = 1; QFileInfo::exists(target); ++n)
            target = lostFolder + QStringLiteral("/") + name + QStringLiteral(".") + QString::number(n);
        // Never deleted: a file nothing names may still be the only copy of something.
        if (QFile::rename(fullName, target))
            WriteLog(QStringLiteral("TStorageRoot: \"%1\" is named by no storage file; moved to \"%2\"")
                         .arg(fullName, target));
        else
            WriteLog(QStringLiteral("TStorageRoot: could not move the unreferenced \"%1\"").arg(fullName));
    }
}

DayEntryListPtr TStorageRoot::GetDayEntries(const TGUID& entryTypeId, double date) {
    CheckDay(entryTypeId, date);
    StoragePtr manager;
    for (;;) {
        try {
            const auto list = std::static_pointer_cast<TStorageInfoListByEntryInfo>(GetSubStorageInfos());
            StorageInfoPtr info = list->FindByEntryType(entryTypeId);
            if (!info) {
                const PropertyListPtr properties =
                    TStorageEntryManagerInfo(entryTypeId, QString()).SaveAsPropertyList();
                info = Application().GetStorageProviderFor(properties)->CreateStorageInfo(properties);
                list->Add(info);
            }
            manager = list->GetStorage(info, true);
            break;
        } catch (const EUserCancel&) {
            throw;
        } catch (const std::exception& e) {
            if (Ask(TStorageQuestion::RootGetDayEntries, e) == StorageAnswer::Cancel)
                throw EUserCancel(QStringLiteral("TStorageRoot._GetDayEntries ") + ExceptionToTextSuffix(e));
        }
    }
    return manager->GetDayEntries(entryTypeId, date);
}

SearchResultPtr TStorageRoot::SearchEntries(const TGUID& entryTypeId, double startDate, double endDate) {
    StoragePtr manager;
    {
        TStorageModeGuard guard(NotificationObject(), Collecting);
        const bool startedDirect = guard.PreviousMode() == Direct;
        for (;;) {
            manager.reset();
            for (;;) {
                try {
                    const auto list = std::static_pointer_cast<TStorageInfoListByEntryInfo>(GetSubStorageInfos());
                    if (const StorageInfoPtr info = list->FindByEntryType(entryTypeId))
                        manager = list->GetStorage(info, true);
                    break;
                } catch (const EUserCancel&) {
                    throw;
                } catch (const std::exception& e) {
                    if (Ask(TStorageQuestion::RootSearch, e) != StorageAnswer::Retry)
                        break;
                }
            }
            if (DeliverCollectedQuestion(NotificationObject(), startedDirect) != StorageAnswer::Retry)
                break;
        }
    }
    if (!manager)
        return std::make_shared<TEmptySearchResult>();
    return manager->SearchEntries(entryTypeId, startDate, endDate);
}

StoragePtr TStorageRoot::AppendSubStorage_(const StorageInfoPtr& info) {
    const EntryInfoPtr entryInfo = info->EntryInfo();
    if (entryInfo->InfoType() == hxeitAll)
        throw EStorageAppendError(QStringLiteral("Root storage cannot append storage with EntryInfoType hxeitAll"));
    const auto list = std::static_pointer_cast<TStorageInfoListByEntryInfo>(GetSubStorageInfos());
    if (info->StorageTypeID() == StorageTypeEntryManager) {
        if (list->FindByEntryType(entryInfo->EntryTypeID()))
            throw EStorageAppendError(QStringLiteral("This EntryTypeID already exists"));
        const StorageInfoPtr newInfo =
            Application().GetStorageProvider(StorageTypeEntryManager)->CreateStorageInfo(info->SaveAsPropertyList());
        if (!StorageInfoPath(newInfo).isEmpty())
            throw EStorageAppendError(QStringLiteral("Path for new entry manager storage must be empty"));
        list->Add(newInfo);
        return list->GetStorage(newInfo, true);
    }
    const StorageInfoPtr managerInfo = list->FindByEntryType(entryInfo->EntryTypeID());
    if (!managerInfo)
        throw EStorageAppendError(QStringLiteral("No Entry Manager avalaible for EntryTypeID: ") +
                                  entryInfo->EntryTypeID().ToString());
    auto manager = std::dynamic_pointer_cast<IHXStorageManager_>(list->GetStorage(managerInfo, true));
    return manager->AppendSubStorage(info);
}

// ---- Entry manager ---------------------------------------------------------------------------

TStorageEntryManager::TStorageEntryManager(StorageNotificationsPtr notifications, IStorageApplication* application,
                                           StorageInfoPtr info)
    : TStorageManagerBase(std::move(notifications), application, std::move(info), StorageTypeEntryManager) {
    if (Info()->EntryInfo()->InfoType() != hxeitSingle || InfoBase().StartLimited() || InfoBase().EndLimited())
        throw EStorageInfoCreateError(QStringLiteral("Cannot create TStorageEntryManager with the given StorageInfo"));
}

std::shared_ptr<TStorageInfoListBase> TStorageEntryManager::CreateSubStorageList() {
    return std::make_shared<TStorageInfoListByDateInfo>(&Application());
}

void TStorageEntryManager::ReserveNames() {
    if (m_namesReserved)
        return;
    m_namesReserved = true;
    ReserveName(FileInfo().Path());
    std::shared_ptr<TStorageInfoListBase> list;
    try {
        list = GetSubStorageInfos();
    } catch (const std::exception& e) {
        // The list is read (and its names reserved) when the first day is asked for, where a
        // failure gets its questions.
        LogException(QStringLiteral("TStorageEntryManager.ReserveNames"), e);
        m_namesReserved = false;
        return;
    }
    for (int i = 0; i < list->Count(); ++i) {
        const StorageInfoPtr info = list->Items(i);
        ReserveName(StorageInfoPath(info));
        if (auto dataInfo = std::dynamic_pointer_cast<IHXStorageFileDataInfo_>(info))
            if (const StorageInfoPtr current = dataInfo->CurrentInfo())
                ReserveName(StorageInfoPath(current));
    }
}

StorageInfoPtr TStorageEntryManager::CreateDayFileInfo(double date, const StorageInfoPtr& before,
                                                       const StorageInfoPtr& after) {
    int year = 0, month = 0, day = 0;
    DecodeDate(date, year, month, day);
    double start = EncodeDate(year, 1, 1);
    if (Info()->Compare(start) != 0)
        start = InfoBase().StartDay();
    double end = EncodeDate(year + 1, 1, 1);
    if (Info()->Compare(end) != 0)
        end = InfoBase().EndDay();
    if (before && before->Compare(start) == 0)
        start = DateOf(before->EndInfo()->Date());
    if (after && after->Compare(end - 1) == 0)
        end = DateOf(after->StartInfo()->Date());
    const TGUID entryTypeId = Info()->EntryInfo()->EntryTypeID();
    const PropertyListPtr properties = TStorageFileDataInfo(entryTypeId, QString(), start, end).SaveAsPropertyList();
    return Application().GetStorageProviderFor(properties)->CreateStorageInfo(properties);
}

DayEntryListPtr TStorageEntryManager::GetDayEntries(const TGUID& entryTypeId, double date) {
    CheckDay(entryTypeId, date);
    StoragePtr dayFile;
    for (;;) {
        try {
            const std::shared_ptr<TStorageInfoListBase> list = GetSubStorageInfos();
            SetAllowCreate(false);
            StorageInfoPtr found, before, after;
            for (int i = 0; i < list->Count(); ++i) {
                const StorageInfoPtr info = list->Items(i);
                const int position = info->Compare(date);
                if (position == 0) {
                    found = info;
                    break;
                }
                if (position == -1 && (!before || EndKey(info) > EndKey(before)))
                    before = info;
                if (position == 1 && (!after || StartKey(info) < StartKey(after)))
                    after = info;
            }
            if (!found) {
                found = CreateDayFileInfo(date, before, after);
                list->Add(found);
            }
            dayFile = list->GetStorage(found, true);
            break;
        } catch (const EUserCancel&) {
            throw;
        } catch (const std::exception& e) {
            const int answer = Ask(TStorageQuestion::EntryManagerGetDayEntries, e);
            if (answer == StorageAnswer::Cancel)
                throw EUserCancel(ExceptionToTextSuffix(e));
            if (answer == StorageAnswer::CreateNew)
                SetAllowCreate(true);
        }
    }
    return dayFile->GetDayEntries(entryTypeId, date);
}

TParallelSearchResult::TPart TStorageEntryManager::SearchPart(const StoragePtr& storage, const TGUID& entryTypeId,
                                                              double startDate, double endDate) {
    TParallelSearchResult::TPart part;
    part.regular = [storage, entryTypeId, startDate, endDate] {
        return storage->SearchEntries(entryTypeId, startDate, endDate);
    };
    auto dayFile = std::dynamic_pointer_cast<TStorageFileData>(storage);
    if (!dayFile || !dayFile->CanSearchAlone_())
        return part;
    EntryProviderPtr provider;
    try {
        provider = Application().GetEntryProvider(entryTypeId);
    } catch (const std::exception&) {
        return part; // the ordinary search asks about it
    }
    part.alone = [dayFile, provider, startDate, endDate]() -> std::optional<std::vector<EntryPtr>> {
        std::vector<EntryPtr> found;
        if (!dayFile->SearchAlone_(provider, startDate, endDate, found))
            return std::nullopt;
        return found;
    };
    return part;
}

int TStorageEntryManager::ReadAhead() {
    // The reader's thread reads too.
    return std::max(1, int(std::thread::hardware_concurrency()) - 1);
}

SearchResultPtr TStorageEntryManager::SearchEntries(const TGUID& entryTypeId, double startDate, double endDate) {
    const double firstDay = DateOf(startDate);
    const double lastDay = DateOf(endDate);
    std::vector<SearchResultPtr> results;
    // A reader searches the files when it reads the result, on worker threads where it can.
    const bool parallel = Application().IsStorageReadOnly();
    std::vector<TParallelSearchResult::TPart> parts;
    {
        TStorageModeGuard guard(NotificationObject(), Collecting);
        const bool startedDirect = guard.PreviousMode() == Direct;
        for (;;) {
            results.clear();
            parts.clear();
            std::shared_ptr<TStorageInfoListBase> list;
            for (;;) {
                try {
                    list = GetSubStorageInfos();
                    SetAllowCreate(false);
                    break;
                } catch (const EUserCancel&) {
                    throw;
                } catch (const std::exception& e) {
                    const int answer = Ask(TStorageQuestion::EntryManagerSearchList, e);
                    if (answer == StorageAnswer::CreateNew) {
                        SetAllowCreate(true);
                        continue;
                    }
                    if (answer != StorageAnswer::Retry)
                        break;
                }
            }
            for (int i = 0; list && i < list->Count(); ++i) {
                const StorageInfoPtr info = list->Items(i);
                const bool overlaps = StartKey(info) <= lastDay && EndKey(info) > firstDay;
                if (!overlaps)
                    continue;
                StoragePtr storage;
                for (;;) {
                    try {
                        storage = list->GetStorage(info, true);
                        break;
                    } catch (const EUserCancel&) {
                        throw;
                    } catch (const std::exception& e) {
                        if (Ask(TStorageQuestion::EntryManagerSearchDayFile, e) != StorageAnswer::Retry)
                            break;
                    }
                }
                if (storage && parallel)
                    parts.push_back(SearchPart(storage, entryTypeId, startDate, endDate));
                else if (storage)
                    results.push_back(storage->SearchEntries(entryTypeId, startDate, endDate));
            }
            if (DeliverCollectedQuestion(NotificationObject(), startedDirect) != StorageAnswer::Retry)
                break;
        }
    }
    if (!parts.empty())
        return std::make_shared<TParallelSearchResult>(std::move(parts), ReadAhead());
    if (results.empty())
        return std::make_shared<TEmptySearchResult>();
    auto container = std::make_shared<TSearchResultContainer>();
    for (const SearchResultPtr& result : results)
        container->Add(result);
    return container;
}

StoragePtr TStorageEntryManager::AppendSubStorage_(const StorageInfoPtr& info) {
    const std::shared_ptr<TStorageInfoListBase> list = GetSubStorageInfos();
    StorageInfoPtr openLast;
    const double newStart = info->StartInfo()->InfoType() == hxditLimited ? DateOf(info->StartInfo()->Date()) : 0;
    if (list->Count() > 0) {
        if (info->StartInfo()->InfoType() != hxditLimited)
            throw EStorageAppendError(
                QStringLiteral("cannot append storage with unlimited StartInfo, when SubStorages is not empty"));
        for (int i = 0; i < list->Count() && !openLast; ++i)
            if (list->Items(i)->EndInfo()->Equals(Info()->EndInfo()))
                openLast = list->Items(i);
        if (openLast) {
            double max = 0;
            bool found = false;
            list->GetStorage(openLast, true)->GetExistingMaxDate(openLast->EntryInfo(), max, found);
            if (found && newStart <= DateOf(max))
                throw EStorageAppendError(
                    QStringLiteral("cannot append substorage: data already exists for the given interval"));
        }
    }
    const StorageProviderPtr provider = Application().GetStorageProvider(info->StorageTypeID());
    const StorageInfoPtr newInfo = provider->CreateStorageInfo(info->SaveAsPropertyList());
    const StoragePtr storage = provider->CreateStorage(newInfo);
    list->Add(storage);
    if (openLast) {
        const PropertyListPtr properties = openLast->SaveAsPropertyList();
        TDateInfo(hxditLimited, newStart)
            .SaveToPropertyList(StorageLists::Nested(properties, QStringLiteral("endinfo")));
        openLast->UpdateFromPropertyList(properties);
    }
    return storage;
}
