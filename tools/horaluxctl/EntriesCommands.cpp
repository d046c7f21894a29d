#include "CtlCommands.h"
#include "CtlStorage.h"

#include "foundation/DateTime.h"
#include "foundation/Registry.h"
#include "foundation/VRNTools.h"
#include "foundation/XMZFile.h"
#include "foundation/platform/InstanceLock.h"
#include "model/ActivityBooker.h"
#include "model/ActivityList.h"
#include "model/ActivityLocator.h"
#include "model/ActivityTree.h"
#include "model/DefaultActivities.h"
#include "model/Entry.h"
#include "storage/StorageHost.h"
#include "storage/StoragePath.h"
#include "storage/StorageQuestions.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <algorithm>
#include <map>
#include <vector>

namespace {

struct TOptions {
    QString from;
    QString to;
    QString activity;
    QStringList interruptions;
    QString storage;
};

TOptions ParseOptions(const QStringList& arguments, int first) {
    TOptions options;
    ReadOptions(arguments, first, [&options](const QString& name, const QString& value) {
        if (name == QLatin1String("--from"))
            options.from = value;
        else if (name == QLatin1String("--to"))
            options.to = value;
        else if (name == QLatin1String("--activity"))
            options.activity = value;
        else if (name == QLatin1String("--interruption"))
            options.interruptions << value;
        else if (name == QLatin1String("--storage"))
            options.storage = value;
        else
            return false;
        return true;
    });
    return options;
}

/// "YYYY-MM-DD HH:MM[:SS]" or with "T" between date and time.
double ParseDateTime(const QString& text, const QString& option) {
    const QString normalized = QString(text).replace(QLatin1Char('T'), QLatin1Char(' '));
    const QStringList parts = normalized.split(QLatin1Char(' '));
    if (parts.size() == 2) {
        const double date = ParseDate(parts[0], option);
        const QStringList time = parts[1].split(QLatin1Char(':'));
        if (time.size() == 2 || time.size() == 3) {
            bool okH = false, okM = false, okS = true;
            const int hour = time[0].toInt(&okH);
            const int minute = time[1].toInt(&okM);
            const int second = time.size() == 3 ? time[2].toInt(&okS) : 0;
            TVRNTime value = 0;
            if (okH && okM && okS && time[1].size() == 2 && TryEncodeTVRNTime(hour, minute, second, 0, value))
                return date + value;
        }
    }
    throw TCommandError(QStringLiteral("%1: \"%2\" is not a date and time (YYYY-MM-DD HH:MM)").arg(option, text));
}

/// Minutes ("30") or hours and minutes ("1:30").
double ParseDuration(const QString& text) {
    bool okH = true, okM = false;
    int hours = 0, minutes = 0;
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() == 1) {
        minutes = parts[0].toInt(&okM);
    } else if (parts.size() == 2) {
        hours = parts[0].toInt(&okH);
        minutes = parts[1].toInt(&okM);
        okM = okM && minutes < 60;
    }
    if (!okH || !okM || hours < 0 || minutes < 0)
        throw TCommandError(QStringLiteral("\"%1\" is not a duration (minutes, or H:MM)").arg(text));
    return (hours * 60.0 + minutes) * OneMinute;
}

QString FormatTime(double time) {
    return TimeToISOExport(time).left(5);
}

QString FormatDuration(double duration) {
    const std::int64_t minutes = DurationTotalMinutes(duration);
    return QStringLiteral("%1:%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

/// The locator of the activity named by a path of names ("Projects/Alpha"), letter case ignored
/// where the exact name does not match.
ActivityLocatorPtr ResolveActivity(const std::shared_ptr<TActivityTree>& tree, const QString& path) {
    std::vector<ActivityPtr> chain;
    ActivityListPtr level = tree->Childs();
    for (const QString& name : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        ActivityPtr match;
        for (Qt::CaseSensitivity sensitivity : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
            for (int i = 0; level && i < level->Count() && !match; ++i)
                if (level->Items(i)->Name().compare(name, sensitivity) == 0)
                    match = level->Items(i);
            if (match)
                break;
        }
        if (!match)
            throw TCommandError(QStringLiteral("Unknown activity \"%1\"").arg(path));
        chain.push_back(match);
        level = match->Childs();
    }
    if (chain.empty())
        throw TCommandError(QStringLiteral("Unknown activity \"%1\"").arg(path));
    auto locator = std::make_shared<TActivityLocator>();
    locator->SetActivity(chain.back());
    for (auto it = chain.rbegin() + 1; it != chain.rend(); ++it)
        locator->AddParentActivity((*it)->ID());
    return locator;
}

/// One line of the listing, as much as the sort and the text need: twenty years of entries are
/// held as lines, not as entries.
struct TListedEntry {
    double date;
    double startTime;
    double endTime;
    double duration;
    const QString* path;
};

/// The listing's texts of values that repeat (times, durations, dates, activity paths), each
/// made once by the ordinary conversions.
class TListingTexts {
public:
    explicit TListingTexts(const std::shared_ptr<TActivityTree>& tree) : m_tree(tree) {}

    /// The activity path of an activity entry; empty for null (an entry of another kind).
    const QString* Path(const IHXActivityEntry_* activityEntry) {
        if (!activityEntry)
            return &m_none;
        const ActivityLocatorPtr& locator = activityEntry->Locator();
        TLocatorKey key{locator->ID(), locator->Path(), locator->IsBreak()};
        auto found = m_paths.find(key);
        if (found == m_paths.end())
            found = m_paths.emplace(std::move(key), locator->GetActivityPathName(m_tree)).first;
        return &found->second;
    }
    const QString& Time(double time) { return Cached(m_times, time, FormatTime); }
    const QString& Duration(double duration) { return Cached(m_durations, duration, FormatDuration); }
    const QString& Date(double date) {
        if (date != m_lastDate || m_lastDateText.isNull()) {
            m_lastDate = date;
            m_lastDateText = DateToISO(date);
        }
        return m_lastDateText;
    }

private:
    struct TLocatorKey {
        TGUID id;
        QString path;
        bool isBreak;
        bool operator<(const TLocatorKey& other) const {
            if (!(id == other.id))
                return id < other.id;
            if (path != other.path)
                return path < other.path;
            return isBreak < other.isBreak;
        }
    };
    template <typename TFormat>
    static const QString& Cached(std::map<double, QString>& texts, double value, TFormat format) {
        auto found = texts.find(value);
        if (found == texts.end())
            found = texts.emplace(value, format(value)).first;
        return found->second;
    }

    const std::shared_ptr<TActivityTree>& m_tree;
    std::map<TLocatorKey, QString> m_paths;
    std::map<double, QString> m_times;
    std::map<double, QString> m_durations;
    double m_lastDate = 0;
    QString m_lastDateText;
    const QString m_none;
};

int ListEntries(const TOptions& options, QTextStream& out) {
    if (options.from.isEmpty() || options.to.isEmpty())
        throw TCommandError(QStringLiteral("entries list needs --from DATE and --to DATE"));
    const double from = ParseDate(options.from, QStringLiteral("--from"));
    const double to = ParseDate(options.to, QStringLiteral("--to"));
    TStorageReader reader(options.storage);
    TListingTexts texts(reader.Tree());
    std::vector<TListedEntry> entries;
    {
        const SearchResultPtr result = reader.Storage().SearchEntries(from, to);
        for (result->First(); !result->Eof(); result->Next()) {
            const EntryPtr entry = result->Current();
            const auto* activityEntry = dynamic_cast<const IHXActivityEntry_*>(entry.get());
            const double duration = activityEntry ? activityEntry->Duration() : entry->EndTime() - entry->StartTime();
            entries.push_back(
                {entry->Date(), entry->StartTime(), entry->EndTime(), duration, texts.Path(activityEntry)});
        }
    }
    reader.CheckQuestions();
    // The order of TEntry::CompareDateTime.
    std::stable_sort(entries.begin(), entries.end(), [](const TListedEntry& a, const TListedEntry& b) {
        const double dayA = DateOf(a.date);
        const double dayB = DateOf(b.date);
        if (dayA != dayB)
            return dayA < dayB;
        if (const int result = CompareTimes(a.startTime, b.startTime))
            return result < 0;
        return CompareTimes(a.endTime, b.endTime) < 0;
    });
    QString text;
    constexpr qsizetype Chunk = 1 << 16;
    text.reserve(Chunk + 1024);
    const QChar tab = QLatin1Char('\t');
    for (const TListedEntry& entry : entries) {
        text += texts.Date(entry.date);
        text += tab;
        text += texts.Time(entry.startTime);
        text += tab;
        text += texts.Time(entry.endTime);
        text += tab;
        text += *entry.path;
        text += tab;
        text += texts.Duration(entry.duration);
        text += QLatin1Char('\n');
        if (text.size() >= Chunk) {
            out << text;
            text.clear();
        }
    }
    out << text;
    return 0;
}

int BookEntries(const TOptions& options, QTextStream& out) {
    if (options.from.isEmpty() || options.to.isEmpty() || options.activity.isEmpty())
        throw TCommandError(QStringLiteral("entries book needs --from DATETIME, --to DATETIME and --activity PATH"));
    const double from = ParseDateTime(options.from, QStringLiteral("--from"));
    const double to = ParseDateTime(options.to, QStringLiteral("--to"));
    if (!TimeBefore(from, to))
        throw TCommandError(QStringLiteral("--to must be later than --from"));
    const QString folder = options.storage.isEmpty() ? DefaultStorageFolder() : options.storage;
    if (!QDir().mkpath(folder))
        throw DataError(QStringLiteral("The storage folder \"%1\" cannot be created").arg(folder));

    // The program holds its single-instance lock while it runs, and its data files with them;
    // holding the lock ourselves keeps it from starting while we write.
    TInstanceLock lock;
    if (!lock.FileName().isEmpty() && !lock.TryAcquire())
        throw DataError(QStringLiteral("Horalux is running; quit it before booking entries"));
    // The instance check needs a usable runtime folder; the lock inside the storage folder holds
    // in any case, against the program and against another horaluxctl.
    const std::unique_ptr<TInstanceLock> folderLock = AcquireStorageFolderLock(folder);
    if (!folderLock)
        throw DataError(QStringLiteral("The storage folder \"%1\" is in use by Horalux or another horaluxctl; "
                                       "quit it before booking entries")
                            .arg(folder));
    const std::shared_ptr<TActivityTree> tree = LoadActivities(folder, true);
    TActivityBooker booker;
    booker.SetFrom(from);
    booker.SetTo(to);
    booker.AddItem(ResolveActivity(tree, options.activity), to - from);
    for (const QString& interruption : options.interruptions) {
        const int equals = interruption.lastIndexOf(QLatin1Char('='));
        if (equals <= 0)
            throw TCommandError(QStringLiteral("--interruption needs PATH=DURATION, not \"%1\"").arg(interruption));
        booker.AddInterruption(ResolveActivity(tree, interruption.left(equals)),
                               ParseDuration(interruption.mid(equals + 1)));
    }
    TStorageHost host(folder);
    auto questions = std::make_shared<TNonInteractiveStorageQuestions>();
    ConnectStorageQuestions(host.Notifications(), questions);
    try {
        booker.Book(*host.GetStorage());
    } catch (const EUserCancel&) {
        CheckQuestions(*questions);
        throw;
    }
    CheckQuestions(*questions);
    if (host.GetStorage()->Changed())
        throw DataError(QStringLiteral("The booking could not be saved completely"));
    out << "Booked " << options.activity << " from " << DateTimeToISO(from) << " to " << DateTimeToISO(to) << '\n';
    std::shared_ptr<TActivityTree> release = tree;
    ReleaseAndCleanup(release);
    return 0;
}

int RunEntries(const QStringList& arguments, TCtlIO& io) {
    return RunCommand(io, [&] {
        if (arguments.isEmpty())
            throw TCommandError(QStringLiteral("entries: list or book expected (see horaluxctl --help)"));
        const TOptions options = ParseOptions(arguments, 1);
        if (arguments[0] == QLatin1String("list"))
            return ListEntries(options, io.out);
        if (arguments[0] == QLatin1String("book"))
            return BookEntries(options, io.out);
        throw TCommandError(QStringLiteral("Unknown entries command \"%1\"").arg(arguments[0]));
    });
}

} // namespace

TCtlCommandGroup EntriesCommandGroup() {
    TCtlCommandGroup group;
    group.name = QStringLiteral("entries");
    group.summary = QStringLiteral("list and book activity entries of the storage");
    group.help =
        QStringLiteral("horaluxctl entries list --from DATE --to DATE [--storage DIR]\n"
                       "    Prints the activity entries from DATE to DATE (YYYY-MM-DD, both included), one a line:\n"
                       "    date, start, end, activity path, booked duration (tab-separated).\n"
                       "horaluxctl entries book --from DATETIME --to DATETIME --activity PATH\n"
                       "                        [--interruption PATH=DURATION]... [--storage DIR]\n"
                       "    Books the period (YYYY-MM-DD HH:MM) on the activity, as the tracking dialog does; each\n"
                       "    interruption (minutes, or H:MM) is taken out of it and booked on its own activity.\n"
                       "    Refused while Varnelo Horalux runs.\n"
                       "Activity paths are the names from the top of the activity tree, joined with \"/\".\n"
                       "DIR defaults to the user's storage folder (~/.local/share/Horalux/).\n"
                       "Exit codes: 0 done, 1 the data could not be read or written, 2 wrong command line.\n");
    group.run = RunEntries;
    return group;
}
