#include "model/EntryInfo.h"

#include "foundation/DateTime.h"
#include "model/PropertyList.h"

namespace {
const QString InfoTypeName = QStringLiteral("infotype");
const QString EntryTypeIdName = QStringLiteral("entrytypeid");
const QString DateName = QStringLiteral("date");

THXEntryInfoType CheckedEntryInfoType(int infoType) {
    if (infoType != hxeitAll && infoType != hxeitSingle)
        throw EEntryInfoError(QStringLiteral("Invalid THXEntryInfoType"));
    return static_cast<THXEntryInfoType>(infoType);
}

THXDateInfoType CheckedDateInfoType(int infoType) {
    if (infoType != hxditLimited && infoType != hxditUnlimited)
        throw EDateInfoError(QStringLiteral("Invalid TDateInfoType"));
    return static_cast<THXDateInfoType>(infoType);
}
} // namespace

// ---- TEntryInfo ---------------------------------------------------------------------------------

TEntryInfo::TEntryInfo(int infoType) : m_infoType(CheckedEntryInfoType(infoType)) {
    if (m_infoType == hxeitSingle)
        throw EEntryInfoError(QStringLiteral("EntryInfo of type hxeitSingle must have EntryTypeID"));
}

TEntryInfo::TEntryInfo(int infoType, const TGUID& entryTypeId)
    : m_infoType(CheckedEntryInfoType(infoType)), m_entryTypeId(entryTypeId) {
    if (m_infoType == hxeitSingle && entryTypeId.IsNull())
        throw EEntryInfoError(QStringLiteral("EntryInfo of type hxeitSingle must have EntryTypeID"));
}

void TEntryInfo::Assign(const std::shared_ptr<IHXEntryInfo_>& other) {
    if (!other)
        throw EUnassignedArgumentError(QStringLiteral("TEntryInfo._Assign"));
    if (other.get() == this)
        return;
    m_infoType = other->InfoType();
    if (m_infoType == hxeitSingle)
        m_entryTypeId = other->EntryTypeID();
}

void TEntryInfo::LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) {
    if (!list)
        throw EUnassignedArgumentError(QStringLiteral("TEntryInfo._LoadFromPropertyList"));
    const QString name = list->Items(InfoTypeName)->AsString();
    if (name.compare(QLatin1String("all"), Qt::CaseInsensitive) == 0) {
        m_infoType = hxeitAll;
    } else if (name.compare(QLatin1String("single"), Qt::CaseInsensitive) == 0) {
        const TGUID id = list->Items(EntryTypeIdName)->AsGUID();
        m_infoType = hxeitSingle;
        m_entryTypeId = id;
    } else {
        throw EEntryInfoNameError(QStringLiteral("Unknown name for DateInfoType"));
    }
}

void TEntryInfo::SaveToPropertyList(const std::shared_ptr<IHXPropertyList_>& list) const {
    if (!list)
        throw EUnassignedArgumentError(QStringLiteral("TEntryInfo._SaveToPropertyList"));
    list->Items(InfoTypeName)->SetAsString(m_infoType == hxeitAll ? QStringLiteral("all") : QStringLiteral("single"));
    list->Items(EntryTypeIdName)->SetAsGUID(m_entryTypeId);
}

// ---- TDateInfo ----------------------------------------------------------------------------------

TDateInfo::TDateInfo(int infoType) : m_infoType(CheckedDateInfoType(infoType)) {
    if (m_infoType == hxditLimited)
        throw EDateInfoError(QStringLiteral("TDateInfo with InfoType hxditLimited must have a date"));
}

TDateInfo::TDateInfo(int infoType, double date) : m_infoType(CheckedDateInfoType(infoType)) {
    if (m_infoType == hxditLimited)
        m_date = DateOf(date);
}

double TDateInfo::Date() const {
    if (m_infoType == hxditUnlimited)
        throw EDateInfoError(QStringLiteral("No date available for infotype hxditUnlimited"));
    return m_date;
}

bool TDateInfo::Equals(const std::shared_ptr<IHXDateInfo_>& other) const {
    if (!other || other->InfoType() != m_infoType)
        return false;
    if (m_infoType == hxditUnlimited)
        return true;
    return DateOf(other->Date()) == m_date;
}

void TDateInfo::Assign(const std::shared_ptr<IHXDateInfo_>& other) {
    if (!other)
        throw EUnassignedArgumentError(QStringLiteral("TDateInfo._Assign"));
    if (other.get() == this)
        return;
    try {
        const THXDateInfoType infoType = CheckedDateInfoType(other->InfoType());
        const double date = infoType == hxditLimited ? DateOf(other->Date()) : m_date;
        m_infoType = infoType;
        m_date = date;
    } catch (const std::exception& e) {
        throw EMustNotHappen(QStringLiteral("TDateInfo._Assign ") + ExceptionToTextSuffix(e));
    }
    m_changed = true;
}

void TDateInfo::LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) {
    if (!list)
        throw EUnassignedArgumentError(QStringLiteral("TDateInfo._LoadFromPropertyList"));
    const QString name = list->Items(InfoTypeName)->AsString();
    if (name.compare(QLatin1String("limited"), Qt::CaseInsensitive) == 0) {
        const double date = DateOf(list->Items(DateName)->AsDate());
        m_infoType = hxditLimited;
        m_date = date;
    } else if (name.compare(QLatin1String("unlimited"), Qt::CaseInsensitive) == 0) {
        m_infoType = hxditUnlimited;
    } else {
        throw EDateInfoNameError(QStringLiteral("Unknown name for TDateInfoType"));
    }
    m_changed = false;
}

void TDateInfo::SaveToPropertyList(const std::shared_ptr<IHXPropertyList_>& list) {
    if (!list)
        throw EUnassignedArgumentError(QStringLiteral("TDateInfo._SaveToPropertyList"));
    list->Items(InfoTypeName)
        ->SetAsString(m_infoType == hxditLimited ? QStringLiteral("limited") : QStringLiteral("unlimited"));
    if (m_infoType == hxditLimited)
        list->Items(DateName)->SetAsDate(m_date);
    m_changed = false;
}
