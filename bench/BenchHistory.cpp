#include "BenchHistory.h"

#include "foundation/Clock.h"
#include "foundation/DateTime.h"
#include "model/ActivityList.h"
#include "model/ActivityTree.h"
#include "model/DefaultActivities.h"
#include "model/Entry.h"
#include "storage/StorageHost.h"

#include <QDir>
#include <QTemporaryDir>
#include <memory>
#include <vector>

bool IsHistoryDay(const QDate& date) {
    return date.dayOfWeek() <= 5 && date.dayOfYear() > 14;
}

void HistoryEntryTimes(int index, double& start, double& end) {
    start = (8.0 + index * 0.5) / 24.0;
    end = start + 0.4 / 24.0;
}

void WriteHistory(const QString& folder) {
    InstallClock();
    TStorageHost host(folder);
    auto typed = host.GetTypedStorage();
    int month = 0;
    for (QDate date(kFirstYear, 1, 1); date < kToday; date = date.addDays(1)) {
        if (date.month() != month) {
            typed->Save();
            month = date.month();
        }
        if (!IsHistoryDay(date))
            continue;
        const DayEntryListPtr list = typed->GetDayEntries(DateFromQDate(date));
        for (int i = 0; i < kEntriesPerDay; ++i) {
            auto entry = std::dynamic_pointer_cast<IHXActivityEntry_>(list->AddNew());
            double start = 0, end = 0;
            HistoryEntryTimes(i, start, end);
            entry->SetTime(start, end);
            entry->CalculateDuration();
            entry->Locator()->Assign(Locator(i % 7));
        }
    }
    typed->Save();
}

void InstallClock() {
    static auto clock = std::make_shared<FixedClock>(QDateTime(kToday, QTime(16, 0)));
    Clock::SetInstance(clock);
}

ActivityLocatorPtr Locator(int index) {
    static std::vector<ActivityLocatorPtr> locators = [] {
        std::vector<ActivityLocatorPtr> result;
        std::shared_ptr<TActivityTree> tree = TActivityTree::Create();
        BuildDefaultActivityTree(tree);
        for (int i = 0; i < tree->Childs()->Count(); ++i) {
            const ActivityPtr parent = tree->Childs()->Items(i);
            for (int k = 0; k < parent->Childs()->Count(); ++k) {
                auto locator = std::make_shared<TActivityLocator>();
                locator->SetActivity(parent->Childs()->Items(k));
                locator->AddParentActivity(parent->ID());
                result.push_back(locator);
            }
        }
        ReleaseAndCleanup(tree);
        return result;
    }();
    return locators[size_t(index) % locators.size()];
}

QString HistoryFolder(bool withHistory) {
    InstallClock();
    static QTemporaryDir temporary;
    static const QString root =
        qEnvironmentVariableIsSet("HORALUX_BENCH_DIR") ? qEnvironmentVariable("HORALUX_BENCH_DIR") : temporary.path();
    const QString folder = root + (withHistory ? QStringLiteral("/history") : QStringLiteral("/empty"));
    if (!QDir(folder).exists()) {
        QDir().mkpath(folder);
        if (withHistory)
            WriteHistory(folder);
    }
    return folder;
}
