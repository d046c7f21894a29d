#include "storage/StorageFileData.h"

#include "foundation/DateTime.h"
#include "foundation/Log.h"
#include "foundation/XMLStorable.h"
#include "foundation/XMLValues.h"
#include "model/Entry.h"
#include "model/EntryList.h"
#include "storage/DayFileInflater.h"
#include "storage/DayFileScanner.h"
#include "storage/SearchResults.h"
#include "storage/StorageExceptions.h"
#include "storage/StorageSaveSession.h"

#include <QFile>
#include <algorithm>
#include <map>
#include <typeinfo>

namespace {

const QString kData = QStringLiteral("data");
const QString kYear = QStringLiteral("year");
const QString kMonth = QStringLiteral("month");
const QString kDay = QStringLiteral("day");
constexpr int Collecting = TCollectingStorageNotifications::ModeCollecting;
constexpr int Direct = TCollectingStorageNotifications::ModeDirect;

/// One day's move between the data file and its window: from's entries go into to, and a list that
/// was made for the move (newInCache) joins the data file's day cache once everything has moved.
struct TDayMove {
    DayEntryListPtr from;
    DayEntryListPtr to;
    DayEntryListPtr newInCache;
};

/// Moves the entries of every day. Each list was read before, so nothing can fail half way.
void MoveDays(const std::vector<TDayMove>& moves, TDayEntryListContainer& days) {
    for (const TDayMove& move : moves) {
        for (int i = move.from->Count() - 1; i >= 0; --i) {
            const EntryPtr entry = move.from->Items(i);
            move.to->Add(entry);
            move.from->Delete(i);
        }
        if (move.newInCache)
            days.Add(move.newInCache);
    }
}

/// Whether the element's name is name in any letter case: files edited by hand or by other tools
/// may spell the day tree's names differently, and reading, writing and removing must all find
/// the same element.
bool NameIs(const TvrnDomElement& element, const QString& name) {
    return XMLNodeName(element).compare(name, Qt::CaseInsensitive) == 0;
}

/// The first child named name (any letter case).
TvrnDomElement FindNamed(const TvrnDomElement& parent, const QString& name) {
    for (TvrnDomElement child = XMLFirstChildElement(parent); child.Assigned(); child = XMLNextSiblingElement(child))
        if (NameIs(child, name))
            return child;
    return {};
}

/// The first child named name (any letter case) whose integer value name equals value.
TvrnDomElement FindKeyed(const TvrnDomElement& parent, const QString& name, int value) {
    if (!parent.Assigned())
        return {};
    for (TvrnDomElement child = XMLFirstChildElement(parent); child.Assigned(); child = XMLNextSiblingElement(child)) {
        if (NameIs(child, name) && XMLGetInt(child, name, 0) == value)
            return child;
    }
    return {};
}

TvrnDomElement FindOrAddKeyed(const TvrnDomElement& parent, const QString& name, int value) {
    TvrnDomElement child = FindKeyed(parent, name, value);
    if (!child.Assigned()) {
        child = XMLAddChild(parent, name);
        XMLSetInt(child, name, value, xsoAttribute);
    }
    return child;
}

/// Whether a data file with this header (a document of its own) is read without complaint: an
/// envelope and data version this program reads, and the storage's file type or none.
bool HeaderAllowsReading(const QByteArray& text) {
    if (text.isEmpty())
        return false;
    const TvrnDomElement header = XMLDocumentElement(XMLLoadFromBytes(text));
    if (WideStrToIntDef(XMLGetValue(header, QStringLiteral("xmzversion")), 1) > 1 ||
        WideStrToIntDef(XMLGetValue(header, QStringLiteral("minversion")), 1) > 1 ||
        WideStrToIntDef(XMLGetValue(header, QStringLiteral("minedition")), 0) > 0)
        return false;
    const QString type = XMLGetValue(header, QStringLiteral("filetype"));
    return type.isEmpty() || WideStringToGUID(type) == StorageFileType;
}

/// The entries of a day in the plain form, built without a document; false when the day is to be
/// read as a document (another entry class, a value the entries refuse).
bool EntriesOfValues(const EntryProviderPtr& provider, double date, const std::vector<TActivityEntryValues>& values,
                     std::vector<EntryPtr>& entries) {
    try {
        for (const TActivityEntryValues& value : values) {
            const EntryPtr entry = provider->CreateEntry();
            if (!entry || typeid(*entry) != typeid(TActivityEntry))
                return false;
            dynamic_cast<TActivityEntry&>(*entry).LoadFromValues(value);
            if (DateOf(entry->Date()) != date)
                return false;
            entries.push_back(entry);
        }
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

int YearOf(double date) {
    int year = 0, month = 0, day = 0;
    DecodeDate(date, year, month, day);
    return year;
}

int MonthOf(double date) {
    int year = 0, month = 0, day = 0;
    DecodeDate(date, year, month, day);
    return month;
}

} // namespace

// ---- Day file and window ---------------------------------------------------------------------

void TStorageFileDataBase::RaiseLoadCancel(const std::exception& e) {
    const QString text = QStringLiteral("TStorageFileDataBase._LoadDayEntries ") + ExceptionToTextSuffix(e);
    auto* collecting = dynamic_cast<TCollectingStorageNotifications*>(NotificationObject());
    if (collecting && collecting->Mode() == Collecting)
        throw EAutoCancel(text);
    throw EUserCancel(text);
}

DayEntryListPtr TStorageFileDataBase::LoadDayEntries_(const EntryProviderPtr& provider, bool withQuestions,
                                                      TStorageQuestion openQuestion, TStorageQuestion entriesQuestion,
                                                      double date) {
    if (!provider)
        throw EUnassignedArgumentError(QStringLiteral("TStorageFileDataBase._LoadDayEntries"));
    TvrnDomElement data;
    for (;;) {
        try {
            data = FindNamed(GetContentNode_(), kData);
            break;
        } catch (const EUserCancel&) {
            throw;
        } catch (const std::exception& e) {
            if (!withQuestions)
                throw;
            const int answer = Ask(openQuestion, e);
            if (answer == StorageAnswer::Cancel)
                RaiseLoadCancel(e);
            if (answer == StorageAnswer::Ignore)
                break; // the day reads as empty
            if (answer == StorageAnswer::CreateNew)
                SetAllowCreate(true);
        }
    }
    if (!data.Assigned())
        return nullptr;
    int year = 0, month = 0, day = 0;
    DecodeDate(date, year, month, day);
    const TvrnDomElement dayElement = FindKeyed(FindKeyed(FindKeyed(data, kYear, year), kMonth, month), kDay, day);
    if (!dayElement.Assigned())
        return nullptr;
    auto list = std::make_shared<TDayEntryList>(provider, DateOf(date));
    try {
        list->LoadFromXML(dayElement);
    } catch (const EUserCancel&) {
        throw;
    } catch (const std::exception& e) {
        if (!withQuestions)
            throw;
        // The day's text is in memory and reads the same; Retry only asks again. Ignore keeps the
        // entries that did load (the list is changed, so the next save writes it without the
        // broken ones).
        for (;;) {
            const int answer = Ask(entriesQuestion, e);
            if (answer == StorageAnswer::Cancel)
                RaiseLoadCancel(e);
            if (answer != StorageAnswer::Retry)
                break;
        }
    }
    m_days.Add(list);
    return list;
}

DayEntryListPtr TStorageFileDataBase::GetDayEntries(const TGUID& entryTypeId, double date) {
    CheckDay(entryTypeId, date);
    DayEntryListPtr list;
    for (;;) {
        try {
            list = m_days.Find(date);
            if (!list)
                list = LoadDayEntries_(Application().GetEntryProvider(entryTypeId), true,
                                       TStorageQuestion::LoadDayOpenFile, TStorageQuestion::LoadDayEntries, date);
            break;
        } catch (const EUserCancel&) {
            throw;
        } catch (const std::exception& e) {
            const int answer = Ask(TStorageQuestion::DayFileGetDayEntries, e);
            if (answer == StorageAnswer::Cancel)
                throw EUserCancel(QStringLiteral("TStorageFileDataBase._GetDayEntries ") + ExceptionToTextSuffix(e));
            if (answer == StorageAnswer::Ignore)
                break;
        }
    }
    if (!list) {
        list = std::make_shared<TDayEntryList>(Application().GetEntryProvider(entryTypeId), DateOf(date));
        m_days.Add(list);
    }
    return list;
}

DayEntryListPtr TStorageFileDataBase::DayEntriesWithoutQuestions_(const TGUID& entryTypeId, double date) {
    CheckDay(entryTypeId, date);
    if (DayEntryListPtr list = m_days.Find(date))
        return list;
    const EntryProviderPtr provider = Application().GetEntryProvider(entryTypeId);
    DayEntryListPtr list =
        LoadDayEntries_(provider, false, TStorageQuestion::LoadDayOpenFile, TStorageQuestion::LoadDayEntries, date);
    if (!list) {
        list = std::make_shared<TDayEntryList>(provider, DateOf(date));
        m_days.Add(list);
    }
    return list;
}

void TStorageFileDataBase::DaysToSearch(double startDate, double endDate, double& firstDay, double& lastDay) const {
    firstDay = DateOf(startDate);
    lastDay = DateOf(endDate);
    if (InfoBase().StartLimited() && InfoBase().StartDay() > firstDay)
        firstDay = InfoBase().StartDay();
    if (InfoBase().EndLimited() && lastDay >= InfoBase().EndDay())
        lastDay = InfoBase().EndDay() - 1;
}

bool TStorageFileDataBase::SearchAlone_(const EntryProviderPtr& provider, double startDate, double endDate,
                                        std::vector<EntryPtr>& found) {
    found.clear();
    try {
        double firstDay = 0, lastDay = 0;
        DaysToSearch(startDate, endDate, firstDay, lastDay);
        if (!provider || FileInfo().Path().isEmpty())
            return false;
        if (firstDay > lastDay)
            return true;
        QFile file(Application().StorageFileNames().GetStorageFileName(FileInfo().Path()));
        if (!file.open(QIODevice::ReadOnly))
            return false;
        TDayFileInflater::TPlain plain;
        if (!TDayFileInflater::Inflate(file.readAll(), plain))
            return false;
        file.close();
        // The days come in the order of the file; they are collected by date, as the day-by-day
        // search collects them.
        std::map<double, std::vector<EntryPtr>> days;
        TDayFileScanner scanner(firstDay, lastDay);
        const bool scanned = scanner.Scan(plain.Bytes(), [&](double date, const char16_t* begin, const char16_t* end,
                                                             const std::vector<TActivityEntryValues>* values) {
            std::vector<EntryPtr>& entries = days[date];
            if (values && EntriesOfValues(provider, date, *values, entries))
                return;
            entries.clear();
            const TvrnDomDocument document = XMLLoadFromBytes(TDayFileScanner::Document(begin, end));
            const auto list = std::make_shared<TDayEntryList>(provider, date);
            list->LoadFromXML(XMLDocumentElement(document));
            for (int i = 0; i < list->Count(); ++i)
                entries.push_back(list->Items(i));
        });
        plain.Clear();
        if (!scanned || !HeaderAllowsReading(scanner.Header()))
            return false;
        if (!scanner.Info().isEmpty() && !OwnInfoAgrees(XMLDocumentElement(XMLLoadFromBytes(scanner.Info()))))
            return false;
        for (auto& [date, entries] : days)
            found.insert(found.end(), entries.begin(), entries.end());
        return true;
    } catch (const std::exception&) {
        found.clear();
        return false;
    }
}

SearchResultPtr TStorageFileDataBase::SearchEntries(const TGUID& entryTypeId, double startDate, double endDate) {
    double firstDay = 0, lastDay = 0;
    DaysToSearch(startDate, endDate, firstDay, lastDay);
    // The entries are already in their day lists: collected as they are, without the checks of
    // an entry list's Add.
    std::vector<EntryPtr> found;
    bool searched = false;
    {
        TStorageModeGuard guard(NotificationObject(), Collecting);
        const bool startedDirect = guard.PreviousMode() == Direct;
        for (;;) {
            found.clear();
            searched = false;
            EntryProviderPtr provider;
            for (;;) {
                try {
                    provider = Application().GetEntryProvider(entryTypeId);
                    break;
                } catch (const std::exception& e) {
                    if (Ask(TStorageQuestion::DayFileSearchEntryProvider, e) != StorageAnswer::Retry)
                        break;
                }
            }
            if (provider) {
                searched = true;
                for (double day = firstDay; day <= lastDay; day += 1) {
                    DayEntryListPtr list = m_days.Find(day);
                    if (!list)
                        list = LoadDayEntries_(provider, true, TStorageQuestion::SearchLoadDayOpenFile,
                                               TStorageQuestion::SearchLoadDayEntries, day);
                    if (!list)
                        continue;
                    for (int i = 0; i < list->Count(); ++i)
                        found.push_back(list->Items(i));
                }
            }
            if (DeliverCollectedQuestion(NotificationObject(), startedDirect) != StorageAnswer::Retry)
                break;
        }
    }
    // A reader keeps the days it found but not the document they came from: the next access
    // reads the file again.
    if (Application().IsStorageReadOnly())
        TStorageFileBase::ClearCache();
    if (!searched || found.empty())
        return std::make_shared<TEmptySearchResult>();
    return std::make_shared<TSearchResultFromList>(std::move(found));
}

TStorageFileBase::TContentUpdate TStorageFileDataBase::UpdateContent() {
    std::vector<DayEntryListPtr> changed;
    for (const DayEntryListPtr& list : m_days.Lists())
        if (list->Changed())
            changed.push_back(list);
    if (!IsNew() && changed.empty() && !InfoBase().Changed())
        return TContentUpdate::Unchanged;
    const TvrnDomElement content = GetContentNode_();
    TvrnDomElement data = FindNamed(content, kData);
    if (!data.Assigned())
        data = XMLAddChild(content, kData);
    for (const DayEntryListPtr& list : changed) {
        int year = 0, month = 0, day = 0;
        DecodeDate(list->Date(), year, month, day);
        if (list->Count() > 0) {
            const TvrnDomElement dayElement =
                FindOrAddKeyed(FindOrAddKeyed(FindOrAddKeyed(data, kYear, year), kMonth, month), kDay, day);
            std::dynamic_pointer_cast<IXMLStorable>(list)->SaveToXML(dayElement);
            // Still changed until the save commits: data that is only in memory stays marked.
            list->SetChanged(true);
        } else {
            const TvrnDomElement yearElement = FindKeyed(data, kYear, year);
            const TvrnDomElement monthElement = FindKeyed(yearElement, kMonth, month);
            const TvrnDomElement dayElement = FindKeyed(monthElement, kDay, day);
            if (dayElement.Assigned()) {
                XMLRemoveChild(monthElement, dayElement);
                if (XMLChildNodeCount(monthElement) == 0) {
                    XMLRemoveChild(yearElement, monthElement);
                    if (XMLChildNodeCount(yearElement) == 0)
                        XMLRemoveChild(data, yearElement);
                }
            }
        }
    }
    if (XMLChildNodeCount(data) > 0) {
        WriteInfo();
    } else {
        XMLRemoveChild(content, data);
        RemoveInfo();
    }
    if (TStorageSaveSession* session = TStorageSaveSession::Current())
        session->OnCommit([changed] {
            for (const DayEntryListPtr& list : changed)
                list->SetChanged(false);
        });
    return TContentUpdate::Changed;
}

void TStorageFileDataBase::ExistingMinMax_(const EntryInfoPtr& entryInfo, double& min, double& max, bool& found,
                                           bool wantMin, bool wantMax) {
    if (!EntryTypeMatches(entryInfo))
        return;
    for (;;) {
        try {
            double cacheMin = 0, cacheMax = 0;
            if (m_days.GetMinMaxDate(cacheMin, cacheMax)) {
                ExtendRange(cacheMin, min, max, found, wantMin, wantMax);
                ExtendRange(cacheMax, min, max, found, wantMin, wantMax);
            }
            const TvrnDomElement data = FindNamed(GetContentNode_(), kData);
            if (!data.Assigned())
                return;
            for (TvrnDomElement year = XMLFirstChildElement(data); year.Assigned();
                 year = XMLNextSiblingElement(year)) {
                if (!NameIs(year, kYear))
                    continue;
                const int y = XMLGetInt(year, kYear, 0);
                if (found && !((wantMin && YearOf(min) >= y) || (wantMax && y >= YearOf(max))))
                    continue;
                for (TvrnDomElement month = XMLFirstChildElement(year); month.Assigned();
                     month = XMLNextSiblingElement(month)) {
                    if (!NameIs(month, kMonth))
                        continue;
                    const int m = XMLGetInt(month, kMonth, 0);
                    if (found && !((wantMin && (y < YearOf(min) || MonthOf(min) >= m)) ||
                                   (wantMax && (YearOf(max) < y || m >= MonthOf(max)))))
                        continue;
                    for (TvrnDomElement day = XMLFirstChildElement(month); day.Assigned();
                         day = XMLNextSiblingElement(day)) {
                        if (NameIs(day, kDay))
                            ExtendRange(XMLGetDateTime(day, QStringLiteral("date"), 0), min, max, found, wantMin,
                                        wantMax);
                    }
                }
            }
            return;
        } catch (const std::exception& e) {
            if (GiveUpRangeSearch(e))
                return;
        }
    }
}

void TStorageFileDataBase::ClearCache() {
    TStorageFileBase::ClearCache();
    m_days.Purge();
}

bool TStorageFileDataBase::Changed() {
    return m_days.HasChanges() || InfoBase().Changed() || HasPendingFileWork();
}

TStorageFileDataCurrent::TStorageFileDataCurrent(StorageNotificationsPtr notifications,
                                                 IStorageApplication* application, StorageInfoPtr info)
    : TStorageFileDataBase(std::move(notifications), application, std::move(info), StorageTypeFileCurrent) {}

DayEntryListPtr TStorageFileDataCurrent::GetDayEntriesWithoutQuestions(const TGUID& entryTypeId, double date) {
    return DayEntriesWithoutQuestions_(entryTypeId, date);
}

// ---- Day file --------------------------------------------------------------------------------

TStorageFileData::TStorageFileData(StorageNotificationsPtr notifications, IStorageApplication* application,
                                   StorageInfoPtr info)
    : TStorageFileDataBase(std::move(notifications), application, std::move(info), StorageTypeFileData) {
    m_dataInfo = dynamic_cast<TStorageFileDataInfo*>(Info().get());
    if (!m_dataInfo)
        throw EStorageCreateError(
            QStringLiteral("TStorageFileBase.Create: AStorageInfo does not support _IHXStorageFileDataInfo"));
}

QString TStorageFileData::GetBaseFileName() {
    if (!InfoBase().StartLimited())
        return QStringLiteral("data");
    return QStringLiteral("data") + QString::number(YearOf(InfoBase().StartDay()));
}

void TStorageFileData::CreateWindowFromInfo_() {
    if (!m_window && m_dataInfo->CurrentInfo())
        m_window =
            std::make_shared<TStorageFileDataCurrent>(SharedNotifications(), &Application(), m_dataInfo->CurrentInfo());
}

bool TStorageFileData::CanSearchAlone_() {
    return Application().IsStorageReadOnly() && !File() && Days().Lists().empty() && !m_window &&
           m_retiredWindows.empty() && !m_dataInfo->CurrentInfo() && Info()->Compare(TodayDate()) != 0;
}

WindowPtr TStorageFileData::GetStorageCurrent_() {
    try {
        CreateWindowFromInfo_();
    } catch (const std::exception& e) {
        // The recorded window stays recorded; its days are asked for (and fail) through it.
        LogException(QStringLiteral("TStorageFileData._GetStorageCurrent"), e);
        return nullptr;
    }
    const double today = TodayDate();
    if (m_window && m_window->Info()->Compare(today) != 0) {
        try {
            FoldBack_();
        } catch (const std::exception& e) {
            LogException(QStringLiteral("TStorageFileData._GetStorageCurrent"), e);
            return m_window; // nothing moved; tried again at the next access
        }
    }
    if (!m_window && !m_dataInfo->CurrentInfo()) {
        try {
            CutWindow_(today);
        } catch (const std::exception& e) {
            LogException(QStringLiteral("TStorageFileData._GetStorageCurrent"), e);
        }
    }
    return m_window;
}

void TStorageFileData::FoldBack_() {
    const WindowPtr window = m_window;
    const TGUID entryTypeId = EntryTypeID();
    const EntryProviderPtr provider = Application().GetEntryProvider(entryTypeId);
    std::vector<TDayMove> moves;
    // Every list is read before anything moves: a read failure leaves everything as it was.
    for (double day = window->InfoBase().StartDay(); day < window->InfoBase().EndDay(); day += 1) {
        DayEntryListPtr from = window->GetDayEntriesWithoutQuestions(entryTypeId, day);
        if (Info()->Compare(day) != 0) {
            if (from->Count() > 0)
                throw EVRNException(QStringLiteral("TStorageFileData._GetStorageCurrent: the window holds days "
                                                   "outside the interval of its day file"));
            continue;
        }
        DayEntryListPtr to = Days().Find(day);
        DayEntryListPtr made;
        if (!to)
            to = LoadDayEntries_(provider, false, TStorageQuestion::LoadDayOpenFile, TStorageQuestion::LoadDayEntries,
                                 day);
        if (!to)
            to = made = std::make_shared<TDayEntryList>(provider, day);
        moves.push_back({from, to, made});
    }
    MoveDays(moves, Days());
    m_retiredWindows.push_back(window);
    m_window.reset();
    m_dataInfo->SetCurrentInfo(nullptr);
}

void TStorageFileData::CutWindow_(double today) {
    if (Info()->Compare(today) != 0)
        return;
    double start = today - WindowDays;
    double end = today + WindowDays + 1;
    const TStorageInfoBase& own = InfoBase();
    if (own.StartLimited() && !(own.StartDay() < end && own.StartDay() <= today))
        return;
    if (own.EndLimited() && !(own.EndDay() > start && own.EndDay() > today))
        return;
    if (own.StartLimited() && own.StartDay() > start)
        start = own.StartDay();
    if (own.EndLimited() && own.EndDay() < end)
        end = own.EndDay();
    const TGUID entryTypeId = EntryTypeID();
    auto currentInfo = std::make_shared<TStorageFileCurrentInfo>(entryTypeId, QString(), start, end);
    auto window = std::make_shared<TStorageFileDataCurrent>(SharedNotifications(), &Application(), currentInfo);
    try {
        const EntryProviderPtr provider = Application().GetEntryProvider(entryTypeId);
        std::vector<TDayMove> moves;
        for (double day = start; day < end; day += 1) {
            DayEntryListPtr to = window->GetDayEntriesWithoutQuestions(entryTypeId, day);
            DayEntryListPtr from = Days().Find(day);
            DayEntryListPtr made;
            if (!from)
                from = LoadDayEntries_(provider, false, TStorageQuestion::LoadDayOpenFile,
                                       TStorageQuestion::LoadDayEntries, day);
            if (!from)
                from = made = std::make_shared<TDayEntryList>(provider, day);
            if (!to || !from)
                throw EVRNException(QStringLiteral("Dayentrylist not assigned"));
            moves.push_back({from, to, made});
        }
        MoveDays(moves, Days());
    } catch (...) {
        window->Cleanup();
        throw;
    }
    m_dataInfo->SetCurrentInfo(currentInfo);
    m_window = window;
}

DayEntryListPtr TStorageFileData::GetDayEntries(const TGUID& entryTypeId, double date) {
    CheckDay(entryTypeId, date);
    const WindowPtr window = GetStorageCurrent_();
    if (window && window->Info()->Compare(date) == 0)
        return window->GetDayEntries(entryTypeId, date);
    if (!window && m_dataInfo->CurrentInfo() && m_dataInfo->CurrentInfo()->Compare(date) == 0) {
        // The recorded window of this day could not be opened: ask, as for a day that fails.
        const EStorageError error(QStringLiteral("The current window of this day file cannot be opened"));
        for (;;) {
            const int answer = Ask(TStorageQuestion::DayFileGetDayEntries, error);
            if (answer == StorageAnswer::Cancel)
                throw EUserCancel(QStringLiteral("TStorageFileDataBase._GetDayEntries ") +
                                  ExceptionToTextSuffix(error));
            if (answer == StorageAnswer::Ignore)
                break;
            if (const WindowPtr retried = GetStorageCurrent_(); retried && retried->Info()->Compare(date) == 0)
                return retried->GetDayEntries(entryTypeId, date);
        }
    }
    return TStorageFileDataBase::GetDayEntries(entryTypeId, date);
}

SearchResultPtr TStorageFileData::SearchEntries(const TGUID& entryTypeId, double startDate, double endDate) {
    const WindowPtr window = GetStorageCurrent_();
    if (!window)
        return TStorageFileDataBase::SearchEntries(entryTypeId, startDate, endDate);
    auto container = std::make_shared<TSearchResultContainer>();
    if (DateOf(startDate) < window->InfoBase().EndDay() && DateOf(endDate) >= window->InfoBase().StartDay())
        container->Add(window->SearchEntries(entryTypeId, startDate, endDate));
    container->Add(TStorageFileDataBase::SearchEntries(entryTypeId, startDate, endDate));
    return container;
}

void TStorageFileData::ExistingMinMax_(const EntryInfoPtr& entryInfo, double& min, double& max, bool& found,
                                       bool wantMin, bool wantMax) {
    if (!EntryTypeMatches(entryInfo))
        return;
    const WindowPtr window = GetStorageCurrent_();
    TStorageFileDataBase::ExistingMinMax_(entryInfo, min, max, found, wantMin, wantMax);
    if (!window)
        return;
    const double windowStart = window->InfoBase().StartDay();
    const double windowEnd = window->InfoBase().EndDay();
    if (found) {
        const bool minCovers = DateOf(min) <= windowStart;
        const bool maxCovers = DateOf(max) >= windowEnd;
        if ((wantMin && wantMax && minCovers && maxCovers) || (wantMin && !wantMax && minCovers) ||
            (wantMax && !wantMin && maxCovers))
            return;
    }
    if (wantMin && wantMax)
        window->GetExistingMinMaxDate(entryInfo, min, max, found);
    else if (wantMin)
        window->GetExistingMinDate(entryInfo, min, found);
    else if (wantMax)
        window->GetExistingMaxDate(entryInfo, max, found);
}

TStorageFileBase::TContentUpdate TStorageFileData::UpdateContent() {
    const WindowPtr window = GetStorageCurrent_();
    if (window) {
        try {
            window->Save();
        } catch (const EAutoCancel&) {
        }
    }
    // Retired windows are emptied by the fold: their save deletes their file once this file and
    // its parent name their successors.
    const std::vector<WindowPtr> retired = m_retiredWindows;
    for (auto it = retired.rbegin(); it != retired.rend(); ++it) {
        try {
            (*it)->Save();
        } catch (const EAutoCancel&) {
        }
    }
    TStorageSaveSession* session = TStorageSaveSession::Current();
    if (session) {
        // This file records its window's description: while the window is not written as
        // described, the file stays as it is on disk, where it names the window that is there.
        bool windowFailed = window && session->Failed(dynamic_cast<const void*>(window.get()));
        for (const WindowPtr& old : retired)
            windowFailed = windowFailed || session->Failed(dynamic_cast<const void*>(old.get()));
        if (windowFailed) {
            session->MarkFailed();
            return TContentUpdate::Postponed;
        }
    }
    if (!retired.empty()) {
        if (session) {
            auto self = std::static_pointer_cast<TStorageFileData>(shared_from_this());
            session->OnCommit([self, retired] {
                for (const WindowPtr& window : retired) {
                    window->Cleanup();
                    std::erase(self->m_retiredWindows, window);
                }
            });
        }
    }
    return TStorageFileDataBase::UpdateContent();
}

bool TStorageFileData::Changed() {
    const WindowPtr window = GetStorageCurrent_();
    return TStorageFileDataBase::Changed() || (window && window->Changed()) || !m_retiredWindows.empty();
}

void TStorageFileData::Cleanup() {
    if (m_window)
        m_window->Cleanup();
    for (const WindowPtr& window : m_retiredWindows)
        window->Cleanup();
    m_window.reset();
    m_retiredWindows.clear();
    TStorageFileDataBase::Cleanup();
}
