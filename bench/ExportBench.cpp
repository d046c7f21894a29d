// The export of all twenty years of history (about 100,000 entries) against listing them, both as
// horaluxctl runs them from a fresh start: the export must take no longer than the listing.
// Every figure is the median of single runs (the "_median" rows).

#include "BenchHistory.h"
#include "CtlCommands.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTextStream>
#include <benchmark/benchmark.h>

namespace {

void RunCtl(benchmark::State& state, const QStringList& args) {
    QString out;
    QString err;
    QByteArray bytes;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    QBuffer raw(&bytes);
    raw.open(QIODevice::WriteOnly);
    TCtlIO io{outStream, errStream, &raw};
    if (RunHoraluxCtl(args, io) != 0)
        state.SkipWithError(err.toUtf8().constData());
    outStream.flush();
    state.counters["bytes"] = double(bytes.size() + out.toUtf8().size());
}

QStringList Interval(const QString& command) {
    return command.split(QLatin1Char(' ')) +
           QStringList{QStringLiteral("--from"),    QStringLiteral("%1-01-01").arg(kFirstYear),
                       QStringLiteral("--to"),      kToday.toString(Qt::ISODate),
                       QStringLiteral("--storage"), HistoryFolder(true)};
}

void BM_ListAllYears(benchmark::State& state) {
    const QStringList args = Interval(QStringLiteral("entries list"));
    for (auto _ : state)
        RunCtl(state, args);
}

void BM_ExportAllYears_Csv(benchmark::State& state) {
    QTemporaryDir folder;
    const QStringList args = Interval(QStringLiteral("export")) +
                             QStringList{QStringLiteral("--format"), QStringLiteral("csv"), QStringLiteral("--output"),
                                         folder.filePath(QStringLiteral("all.csv"))};
    for (auto _ : state)
        RunCtl(state, args);
}

void BM_ExportAllYears_Utf8ToStandardOutput(benchmark::State& state) {
    const QStringList args =
        Interval(QStringLiteral("export")) + QStringList{QStringLiteral("--format"), QStringLiteral("utf8")};
    for (auto _ : state)
        RunCtl(state, args);
}

void Median(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);
}

} // namespace

BENCHMARK(BM_ListAllYears)->Apply(Median);
BENCHMARK(BM_ExportAllYears_Csv)->Apply(Median);
BENCHMARK(BM_ExportAllYears_Utf8ToStandardOutput)->Apply(Median);
