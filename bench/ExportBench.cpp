// The export of all twenty years of history (about 100,000 entries) against listing them, both as
// horaluxctl runs them from a fresh start: the export must take no longer than the listing. The
// listing of one year and of one day too. (Whole processes against another program's export:
// scripts/bench-read.sh.)
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

QStringList Interval(const QString& command, const QString& from = QStringLiteral("%1-01-01").arg(kFirstYear),
                     const QString& to = kToday.toString(Qt::ISODate)) {
    return command.split(QLatin1Char(' ')) + QStringList{QStringLiteral("--from"),    from,
                                                         QStringLiteral("--to"),      to,
                                                         QStringLiteral("--storage"), HistoryFolder(true)};
}

void BM_ListAllYears(benchmark::State& state) {
    const QStringList args = Interval(QStringLiteral("entries list"));
    for (auto _ : state)
        RunCtl(state, args);
}

void BM_ListOneYear(benchmark::State& state) {
    const QStringList args =
        Interval(QStringLiteral("entries list"), QStringLiteral("2024-01-01"), QStringLiteral("2024-12-31"));
    for (auto _ : state)
        RunCtl(state, args);
}

void BM_ListOneDay(benchmark::State& state) {
    const QStringList args =
        Interval(QStringLiteral("entries list"), QStringLiteral("2024-06-12"), QStringLiteral("2024-06-12"));
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
BENCHMARK(BM_ListOneYear)->Apply(Median);
BENCHMARK(BM_ListOneDay)->Apply(Median);
BENCHMARK(BM_ExportAllYears_Csv)->Apply(Median);
BENCHMARK(BM_ExportAllYears_Utf8ToStandardOutput)->Apply(Median);
