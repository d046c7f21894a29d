// The day report and the activity report of a whole year of the history (20 entries on every
// working day): the document computed, written and laid out for the page, as the report window
// makes it whenever its settings change; and the day report of a year as a PDF file through
// horaluxctl from a fresh start. The day report of a year must take well under a second.
// Every figure is the median of single runs (the "_median" rows).

#include "BenchHistory.h"
#include "CtlCommands.h"

#include "calendar/Calendar.h"
#include "formatting/FormattingOptions.h"
#include "foundation/DateTime.h"
#include "model/ActivityTree.h"
#include "model/DefaultActivities.h"
#include "reports/ActivityReport.h"
#include "reports/DayReport.h"
#include "storage/StorageHost.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>
#include <benchmark/benchmark.h>

namespace {

/// The history's storage, tree, calendar (8:00 from Monday to Friday) and default formatters.
class TReportBenchData {
public:
    TReportBenchData() : m_host(HistoryFolder(true)) {
        m_tree = TActivityTree::Create();
        BuildDefaultActivityTree(m_tree);
        auto calendar = std::make_shared<TCalendar>();
        for (int day = 1; day <= 5; ++day)
            calendar->Week()->GetDay(day)->SetWorkTime(8.0 / 24);
        auto formatting = std::make_shared<TFormattingOptions>();
        formatting->LoadFromPropertyList(nullptr);
        sources = {m_host.GetTypedStorage(), m_tree, calendar, formatting};
    }

    TReportSources sources;

private:
    TStorageHost m_host;
    std::shared_ptr<TActivityTree> m_tree;
};

TReportBenchData& Data() {
    static TReportBenchData data;
    return data;
}

TReportOptions YearOptions(bool columns) {
    TReportOptions generic;
    generic.useFont = generic.useInterval = true;
    generic.useColumns = columns;
    if (columns)
        EnsureDayReportColumns(generic.columns);
    generic.interval = {EncodeDate(2024, 1, 1), EncodeDate(2024, 12, 31)};
    return generic;
}

void BM_DayReportOneYear(benchmark::State& state) {
    TReportBenchData& data = Data();
    const TReportOptions generic = YearOptions(true);
    TDayReportOptions options;
    options.weekTotal = options.monthTotal = options.yearTotal = true;
    for (auto _ : state) {
        TReportDocument document;
        WriteDayReport(document, TReportPage(), data.sources, generic, options);
        state.counters["pages"] = document.PageCount();
    }
}

void BM_ActivityReportOneYearByMonth(benchmark::State& state) {
    TReportBenchData& data = Data();
    const TReportOptions generic = YearOptions(false);
    TActivityReportOptions options;
    options.grouping = TActivityGrouping::Month;
    for (auto _ : state) {
        TReportDocument document;
        WriteActivityReport(document, TReportPage(), data.sources, generic, options);
        state.counters["pages"] = document.PageCount();
    }
}

void BM_CtlDayReportOneYearPdf(benchmark::State& state) {
    QTemporaryDir dir;
    const QStringList args{QStringLiteral("report"),    QStringLiteral("day"),
                           QStringLiteral("--from"),    QStringLiteral("2024-01-01"),
                           QStringLiteral("--to"),      QStringLiteral("2024-12-31"),
                           QStringLiteral("--pdf"),     dir.filePath(QStringLiteral("day.pdf")),
                           QStringLiteral("--storage"), HistoryFolder(true)};
    for (auto _ : state) {
        QString out, err;
        QTextStream outStream(&out), errStream(&err);
        TCtlIO io{outStream, errStream, nullptr};
        if (RunHoraluxCtl(args, io) != 0)
            state.SkipWithError(err.toUtf8().constData());
    }
}

} // namespace

BENCHMARK(BM_DayReportOneYear)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ActivityReportOneYearByMonth)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_CtlDayReportOneYearPdf)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The reports lay their text out with the GUI library: an application without a display first.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
