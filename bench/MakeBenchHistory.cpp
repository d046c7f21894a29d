// Writes the benchmarks' twenty years of history for timing whole processes:
//   make_bench_history --storage DIR [--timewarrior DIR]
// The storage folder gets the history through the storage itself (skipped when it holds a
// storage already); the Timewarrior folder gets the same intervals, tagged with the activity
// path, in that program's own data files (one a month), for comparisons on the same machine.

#include "BenchHistory.h"

#include "model/ActivityTree.h"
#include "model/DefaultActivities.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <QTime>
#include <cstdio>
#include <map>

namespace {

QString Stamp(const QDate& date, int minutes) {
    return date.toString(QStringLiteral("yyyyMMdd")) + QLatin1Char('T') +
           QTime(minutes / 60, minutes % 60).toString(QStringLiteral("HHmmss")) + QLatin1Char('Z');
}

bool WriteTimewarrior(const QString& folder) {
    const QString data = folder + QStringLiteral("/data");
    if (!QDir().mkpath(data))
        return false;
    QFile config(folder + QStringLiteral("/timewarrior.cfg"));
    if (!config.open(QIODevice::WriteOnly))
        return false;
    std::shared_ptr<TActivityTree> tree = TActivityTree::Create();
    BuildDefaultActivityTree(tree);
    std::map<int, QString> tags;
    for (int i = 0; i < kEntriesPerDay; ++i)
        tags[i] = Locator(i % 7)->GetActivityPathName(tree);
    ReleaseAndCleanup(tree);
    QFile file;
    QTextStream out;
    for (QDate date(kFirstYear, 1, 1); date < kToday; date = date.addDays(1)) {
        if (date.day() == 1) {
            out.flush();
            file.close();
            file.setFileName(data + QLatin1Char('/') + date.toString(QStringLiteral("yyyy-MM")) +
                             QStringLiteral(".data"));
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
                return false;
            out.setDevice(&file);
        }
        if (!IsHistoryDay(date))
            continue;
        for (int i = 0; i < kEntriesPerDay; ++i) {
            double start = 0, end = 0;
            HistoryEntryTimes(i, start, end);
            const int startMinutes = int(start * 24 * 60 + 0.5);
            const int endMinutes = int(end * 24 * 60 + 0.5);
            out << "inc " << Stamp(date, startMinutes) << " - " << Stamp(date, endMinutes) << " # \"" << tags[i]
                << "\"\n";
        }
    }
    out.flush();
    return file.error() == QFileDevice::NoError;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QString storage, timewarrior;
    for (int i = 0; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--storage"))
            storage = args[i + 1];
        else if (args[i] == QLatin1String("--timewarrior"))
            timewarrior = args[i + 1];
    }
    if (storage.isEmpty() || args.size() % 2 != 0) {
        std::fprintf(stderr, "usage: make_bench_history --storage DIR [--timewarrior DIR]\n");
        return 2;
    }
    if (!QFileInfo::exists(storage + QStringLiteral("/cdroot.hx"))) {
        QDir().mkpath(storage);
        WriteHistory(storage);
    }
    if (!timewarrior.isEmpty() && !WriteTimewarrior(timewarrior)) {
        std::fprintf(stderr, "make_bench_history: cannot write %s\n", qPrintable(timewarrior));
        return 1;
    }
    return 0;
}
