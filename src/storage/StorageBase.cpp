#include "storage/StorageBase.h"

#include "foundation/DateTime.h"
#include "storage/StorageExceptions.h"

TStorageBase::TStorageBase(StorageNotificationsPtr notifications, IStorageApplication* application, StorageInfoPtr info,
                           const TGUID& storageType)
    : m_notifications(std::move(notifications)), m_application(application), m_info(std::move(info)) {
    QStringList missing;
    if (!m_notifications)
        missing << QStringLiteral("ANotificationObject");
    if (!m_application)
        missing << QStringLiteral("AControl");
    if (!m_info)
        missing << QStringLiteral("AStorageInfo");
    if (!missing.isEmpty())
        throw EUnassignedArgumentError(QStringLiteral("TStorageBase.Create (") + missing.join(QStringLiteral(", ")) +
                                       QStringLiteral(")"));
    const TGUID actual = m_info->StorageTypeID();
    if (actual != storageType)
        throw EStorageCreateError(QStringLiteral("StorageInfo has wrong StorageType: should be '") +
                                  storageType.ToString() + QStringLiteral("' but is '") + actual.ToString() +
                                  QStringLiteral("'"));
    m_infoBase = dynamic_cast<TStorageInfoBase*>(m_info.get());
    if (!m_infoBase)
        throw EStorageCreateError(QStringLiteral("TStorageBase.Create: AStorageInfo is not a storage description"));
}

void TStorageBase::CheckDay(const TGUID& entryTypeId, double date) {
    const EntryInfoPtr own = m_info->EntryInfo();
    if (m_info->Compare(date) != 0 || (own->InfoType() == hxeitSingle && own->EntryTypeID() != entryTypeId))
        throw EStorageGetDayEntriesError(QStringLiteral("The storage does not contain this date and EntryTypeID"));
}

bool TStorageBase::EntryTypeMatches(const EntryInfoPtr& entryInfo) {
    const EntryInfoPtr own = m_info->EntryInfo();
    return !(entryInfo && entryInfo->InfoType() == hxeitSingle && own->InfoType() == hxeitSingle &&
             entryInfo->EntryTypeID() != own->EntryTypeID());
}

int TStorageBase::Ask(TStorageQuestion question, const std::exception& e) {
    return AskStorageQuestion(m_notifications.get(), question, ExceptionToText(e), IsStorageFileNotFound(e));
}

void TStorageBase::GetExistingMinMaxDate(const EntryInfoPtr& entryInfo, double& min, double& max, bool& found) {
    try {
        // The earliest date first, then the latest: each walk can skip every storage that lies
        // entirely inside the range found so far, so only the files at both ends are read.
        const bool foundBefore = found;
        ExistingMinMax_(entryInfo, min, max, found, true, false);
        if (!found)
            return;
        if (!foundBefore)
            max = min;
        ExistingMinMax_(entryInfo, min, max, found, false, true);
    } catch (const std::exception& e) {
        throw EMustNotHappen(QStringLiteral("TStorageBase._GetExistingMinMaxDate ") + ExceptionToTextSuffix(e));
    }
}

void TStorageBase::GetExistingMinDate(const EntryInfoPtr& entryInfo, double& min, bool& found) {
    try {
        double unused = 0;
        ExistingMinMax_(entryInfo, min, unused, found, true, false);
    } catch (const std::exception& e) {
        throw EMustNotHappen(QStringLiteral("TStorageBase._GetExistingMinDate ") + ExceptionToTextSuffix(e));
    }
}

void TStorageBase::GetExistingMaxDate(const EntryInfoPtr& entryInfo, double& max, bool& found) {
    try {
        double unused = 0;
        ExistingMinMax_(entryInfo, unused, max, found, false, true);
    } catch (const std::exception& e) {
        throw EMustNotHappen(QStringLiteral("TStorageBase._GetExistingMaxDate ") + ExceptionToTextSuffix(e));
    }
}

void ExtendRange(double day, double& min, double& max, bool& found, bool wantMin, bool wantMax) {
    day = DateOf(day);
    if (!found) {
        if (wantMin)
            min = day;
        if (wantMax)
            max = day;
        found = true;
        return;
    }
    if (wantMin && day < DateOf(min))
        min = day;
    if (wantMax && day > DateOf(max))
        max = day;
}

int DeliverCollectedQuestion(TStorageNotifications* notifications, bool startedDirect) {
    auto* collecting = dynamic_cast<TCollectingStorageNotifications*>(notifications);
    if (!startedDirect || !collecting)
        return 0;
    TStorageModeGuard direct(collecting, TCollectingStorageNotifications::ModeDirect);
    QString message;
    int answer = 0;
    return collecting->DeliverPending(message, answer) ? answer : 0;
}
