#include "reports/DayReport.h"

#include "foundation/DateTime.h"
#include "foundation/International.h"
#include "foundation/Translation.h"
#include "model/ActivityLocator.h"
#include "model/EntryList.h"
#include "model/PropertyHelpers.h"
#include "storage/SearchResults.h"

#include <algorithm>
#include <cmath>

namespace {

const QString kDayFormat = QStringLiteral("day display format");
const QString kDurationFormat = QStringLiteral("duration display format");
const QString kHideZeros = QStringLiteral("hide zeros");
const QString kShowFreeDays = QStringLiteral("show free days");
const QString kMonthTotal = QStringLiteral("month total");
const QString kWeekTotal = QStringLiteral("week total");
const QString kYearTotal = QStringLiteral("year total");

/// The space between two columns, in points.
constexpr double kColumnGap = 10;

void AddTo(TDaySums& sums, double work, double breaks, double required, double difference) {
    sums.work += work;
    sums.breaks += breaks;
    sums.required += required;
    sums.difference += difference;
}

struct TMonthKey {
    int year = 0;
    int month = 0;
    bool operator==(const TMonthKey&) const = default;
};

TMonthKey MonthOf(double date) {
    int year = 0, month = 0, day = 0;
    DecodeDate(date, year, month, day);
    return {year, month};
}

bool SameWeek(double a, double b) {
    const TWeekOfYear first = WeekOfYear(a);
    const TWeekOfYear second = WeekOfYear(b);
    return first.Week == second.Week && first.Year == second.Year;
}

/// One line of the report: a text per selected column.
struct TRow {
    QStringList cells;
    bool header = false;
    bool underline = false;
    bool blankAfter = false;
};

class TDayReportWriter {
public:
    TDayReportWriter(const TReportSources& sources, const TReportOptions& generic, const TDayReportOptions& options)
        : m_generic(generic), m_options(options),
          m_dates(ReportDateFormatter(sources.formatting.get(), options.dayFormat)),
          m_durations(ReportDurationFormatter(sources.formatting.get(), options.durationFormat)) {}

    std::vector<TRow> Rows(const std::vector<TReportEntry>& entries) const {
        std::vector<TRow> rows;
        TRow header;
        header.header = true;
        header.blankAfter = true;
        for (const TReportColumn& column : m_generic.columns.selected)
            header.cells.append(column.caption);
        rows.push_back(header);
        for (size_t i = 0; i < entries.size(); ++i) {
            const TReportEntry& entry = entries[i];
            const TReportEntry* next = i + 1 < entries.size() ? &entries[i + 1] : nullptr;
            const bool last = next == nullptr;
            const bool yearEnds = last || MonthOf(next->date).year != MonthOf(entry.date).year;
            const bool monthEnds = last || !(MonthOf(next->date) == MonthOf(entry.date));
            const bool weekEnds = last || !SameWeek(next->date, entry.date);
            std::vector<TRow> totals;
            if (m_options.weekTotal && weekEnds)
                totals.push_back(TotalRow(Tr("Week total"), entry.week));
            if (m_options.monthTotal && monthEnds)
                totals.push_back(TotalRow(Tr("Month total"), entry.month));
            if (m_options.yearTotal && yearEnds)
                totals.push_back(TotalRow(Tr("Year total"), entry.year));
            TRow day = DayRow(entry);
            day.underline = !totals.empty();
            rows.push_back(day);
            if (!totals.empty()) {
                totals.back().blankAfter = !last;
                rows.insert(rows.end(), totals.begin(), totals.end());
            }
        }
        return rows;
    }

private:
    QString Duration(double value) const {
        if (m_options.hideZeros && IsZeroDuration(value))
            return QString();
        return FormatReportDuration(m_durations, value);
    }

    TRow DayRow(const TReportEntry& entry) const {
        TRow row;
        for (const TReportColumn& column : m_generic.columns.selected) {
            if (column.id == DayColumnDate)
                row.cells.append(m_dates->Format(entry.date));
            else if (column.id == DayColumnWork)
                row.cells.append(Duration(entry.work));
            else if (column.id == DayColumnBreaks)
                row.cells.append(Duration(entry.breaks));
            else if (column.id == DayColumnRequired)
                row.cells.append(Duration(entry.required));
            else if (column.id == DayColumnDifference)
                row.cells.append(Duration(entry.work - entry.required));
            else if (column.id == DayColumnAccDifference)
                row.cells.append(Duration(entry.accumulatedDifference));
            else
                row.cells.append(QString());
        }
        return row;
    }

    TRow TotalRow(const QString& caption, const TDaySums& sums) const {
        TRow row;
        for (const TReportColumn& column : m_generic.columns.selected) {
            if (column.id == DayColumnDate)
                row.cells.append(caption);
            else if (column.id == DayColumnWork)
                row.cells.append(Duration(sums.work));
            else if (column.id == DayColumnBreaks)
                row.cells.append(Duration(sums.breaks));
            else if (column.id == DayColumnRequired)
                row.cells.append(Duration(sums.required));
            else if (column.id == DayColumnDifference)
                row.cells.append(Duration(sums.difference));
            else
                row.cells.append(QString());
        }
        return row;
    }

    const TReportOptions& m_generic;
    const TDayReportOptions& m_options;
    DateFormatterPtr m_dates;
    DurationFormatterPtr m_durations;
};

/// The tab stops of the columns: walking a position from the left edge, a left-aligned column
/// starts at it (the first one needs no stop), a right-aligned one ends at it after its width, a
/// centred one is centred on its middle; the gap follows every column.
QList<QTextOption::Tab> ColumnTabs(const std::vector<TReportColumn>& columns, const std::vector<double>& widths) {
    QList<QTextOption::Tab> tabs;
    double position = 0;
    for (size_t i = 0; i < columns.size(); ++i) {
        switch (columns[i].alignment) {
        case TReportAlignment::Left:
            if (i > 0)
                tabs.append(QTextOption::Tab(position, QTextOption::LeftTab));
            position += widths[i] + kColumnGap;
            break;
        case TReportAlignment::Right:
            position += widths[i];
            tabs.append(QTextOption::Tab(position, QTextOption::RightTab));
            position += kColumnGap;
            break;
        case TReportAlignment::Center:
            tabs.append(QTextOption::Tab(position + widths[i] / 2, QTextOption::CenterTab));
            position += widths[i] + kColumnGap;
            break;
        }
    }
    return tabs;
}

} // namespace

void TDayReportOptions::Load(const PropertyListPtr& custom) {
    dayFormat = FindGUIDDef(custom, kDayFormat, TGUID());
    durationFormat = FindGUIDDef(custom, kDurationFormat, TGUID());
    hideZeros = FindBooleanDef(custom, kHideZeros, true);
    showFreeDays = FindBooleanDef(custom, kShowFreeDays, false);
    monthTotal = FindBooleanDef(custom, kMonthTotal, false);
    weekTotal = FindBooleanDef(custom, kWeekTotal, false);
    yearTotal = FindBooleanDef(custom, kYearTotal, false);
}

void TDayReportOptions::Save(const PropertyListPtr& custom) const {
    custom->Items(kDayFormat)->SetAsGUID(dayFormat);
    custom->Items(kDurationFormat)->SetAsGUID(durationFormat);
    custom->Items(kHideZeros)->SetAsBoolean(hideZeros);
    custom->Items(kShowFreeDays)->SetAsBoolean(showFreeDays);
    custom->Items(kMonthTotal)->SetAsBoolean(monthTotal);
    custom->Items(kWeekTotal)->SetAsBoolean(weekTotal);
    custom->Items(kYearTotal)->SetAsBoolean(yearTotal);
}

std::vector<TReportEntry> ComputeDayReportEntries(const TReportSources& sources, double from, double to,
                                                  bool showFreeDays) {
    std::vector<EntryPtr> found;
    const SearchResultPtr result = sources.storage->SearchEntries(from, to);
    for (result->First(); !result->Eof(); result->Next())
        found.push_back(result->Current());
    std::stable_sort(found.begin(), found.end(), EntryOrderBefore);

    std::vector<TReportEntry> entries;
    double accumulated = 0;
    TDaySums week, month, year;
    size_t next = 0;
    for (double date = DateOf(from); date <= DateOf(to); date += 1) {
        if (date > DateOf(from)) {
            const TMonthKey previous = MonthOf(date - 1);
            const TMonthKey current = MonthOf(date);
            if (previous.year != current.year)
                year = {};
            if (!(previous == current))
                month = {};
            if (!SameWeek(date - 1, date))
                week = {};
        }
        const double required = sources.calendar ? sources.calendar->GetDay(date)->WorkTime() : 0;
        double work = 0;
        double breaks = 0;
        // Entries before the interval's first day (none are asked for) are passed over.
        while (next < found.size() && DateOf(found[next]->Date()) < date)
            ++next;
        for (; next < found.size() && DateOf(found[next]->Date()) == date; ++next) {
            const auto entry = std::dynamic_pointer_cast<IHXActivityEntry_>(found[next]);
            if (!entry)
                continue;
            const ActivityPtr activity = entry->Locator()->FindActivity(sources.tree);
            const bool isBreak = activity ? activity->IsBreak() : entry->Locator()->IsBreak();
            (isBreak ? breaks : work) += entry->Duration();
        }
        if (!showFreeDays && required <= 0 && work <= 0)
            continue;
        const double difference = work - required;
        accumulated += difference;
        AddTo(week, work, breaks, required, difference);
        AddTo(month, work, breaks, required, difference);
        AddTo(year, work, breaks, required, difference);
        entries.push_back({date, work, breaks, required, accumulated, week, month, year});
    }
    return entries;
}

void EnsureDayReportColumns(TReportColumnSelection& columns) {
    columns.Ensure(DayColumnDate, Tr("Date"), TReportAlignment::Left);
    columns.Ensure(DayColumnWork, Tr("Work"), TReportAlignment::Right);
    columns.Ensure(DayColumnBreaks, Tr("Breaks"), TReportAlignment::Right);
    columns.Ensure(DayColumnRequired, Tr("Required"), TReportAlignment::Right);
    columns.Ensure(DayColumnDifference, Tr("Difference"), TReportAlignment::Right);
    columns.Ensure(DayColumnAccDifference, Tr("Acc. Difference"), TReportAlignment::Right);
}

void WriteDayReport(TReportDocument& document, const TReportPage& page, const TReportSources& sources,
                    const TReportOptions& generic, const TDayReportOptions& options) {
    document.Clear();
    const QFont font = generic.font.Font();
    QFont headerFont = font;
    headerFont.setBold(true);
    headerFont.setUnderline(true);
    QFont underlined = font;
    underlined.setUnderline(true);
    document.Document().setDefaultFont(font);

    const std::vector<TReportEntry> entries =
        ComputeDayReportEntries(sources, generic.interval.start, generic.interval.end, options.showFreeDays);
    const std::vector<TRow> rows = TDayReportWriter(sources, generic, options).Rows(entries);
    const std::vector<TReportColumn>& columns = generic.columns.selected;
    std::vector<double> widths(columns.size(), 0);
    const bool leadingTab = !columns.empty() && columns.front().alignment != TReportAlignment::Left;
    for (size_t r = 0; r < rows.size(); ++r) {
        const TRow& row = rows[r];
        const QFont& rowFont = row.header ? headerFont : (row.underline ? underlined : font);
        for (int c = 0; c < row.cells.size() && c < static_cast<int>(widths.size()); ++c)
            widths[c] = std::max(widths[c], document.TextWidth(row.cells[c], rowFont));
        if (r > 0)
            document.EndLine();
        document.Write((leadingTab ? QStringLiteral("\t") : QString()) + row.cells.join(QLatin1Char('\t')), rowFont);
        if (row.blankAfter)
            document.EndLine();
    }
    document.SetTabsEverywhere(ColumnTabs(columns, widths));
    document.Paginate(page);
}
