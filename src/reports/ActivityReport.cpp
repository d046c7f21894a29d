#include "reports/ActivityReport.h"

#include "foundation/DateTime.h"
#include "foundation/International.h"
#include "foundation/Translation.h"
#include "foundation/VRNTools.h"
#include "model/ActivityLocator.h"
#include "model/PropertyHelpers.h"
#include "storage/SearchResults.h"

#include <algorithm>
#include <set>

namespace {

const QString kCalcId = QStringLiteral("_calcid");

double Value(const ActivityPtr& activity, const QString& name) {
    const auto property = activity->TempStorage()->Find(name);
    return property && property->DataType() == hxpdtDouble ? property->AsDouble() : 0;
}

void SetValue(const ActivityPtr& activity, const QString& name, double value) {
    activity->TempStorage()->Items(name)->SetAsDouble(value);
}

/// Every activity of the tree once, the two pseudo activities included.
std::vector<ActivityPtr> AllActivities(const ActivityTreePtr& tree) {
    std::vector<ActivityPtr> activities;
    std::set<const IHXActivity_*> seen;
    auto add = [&](const ActivityPtr& activity) {
        if (activity && seen.insert(activity.get()).second)
            activities.push_back(activity);
    };
    const auto hash = tree->Activities();
    for (hash->First(); !hash->EndOfList(); hash->Next())
        add(hash->CurrentItem());
    add(tree->UnknownActivity());
    add(tree->UnknownBreakActivity());
    return activities;
}

/// Adds the own times of activity and its descendants, each once: an activity already carrying
/// mark was counted (this also ends the walk where an activity is among its own descendants).
void SumSubtree(const ActivityPtr& root, int mark, double& work, double& breaks) {
    std::vector<ActivityPtr> pending{root};
    while (!pending.empty()) {
        const ActivityPtr activity = pending.back();
        pending.pop_back();
        const auto calcId = activity->TempStorage()->Items(kCalcId);
        if (calcId->DataType() == hxpdtInteger && calcId->AsInteger() == mark)
            continue;
        calcId->SetAsInteger(mark);
        (activity->IsBreak() ? breaks : work) += Value(activity, ActivityDurationValue);
        const ActivityListPtr childs = activity->Childs();
        for (int i = childs ? childs->Count() - 1 : -1; i >= 0; --i)
            pending.push_back(childs->Items(i));
    }
}

class TActivityReportWriter {
public:
    TActivityReportWriter(TReportDocument& document, const TReportSources& sources, const TReportOptions& generic,
                          const TActivityReportOptions& options)
        : m_document(document), m_sources(sources), m_options(options), m_font(generic.font.Font()), m_italic(m_font),
          m_bold(m_font), m_durations(ReportDurationFormatter(sources.formatting.get(), options.durationFormat)),
          m_dates(ReportDateFormatter(sources.formatting.get(), options.dateFormat)) {
        m_italic.setItalic(true);
        m_bold.setBold(true);
        m_sumTab = QTextOption::Tab(options.sumPosition / 100.0, QTextOption::RightTab);
    }

    void Period(const TReportPeriod& period) {
        if (!m_document.IsEmpty()) {
            if (m_options.newPage)
                m_document.BreakPageBeforeNext();
            else
                m_document.EndLine();
        }
        const TActivityTotals totals = ComputeActivityTimes(m_sources, period.start, period.end);
        m_document.WriteLine(FormatPlaceholders(Tr("Activity report from %1 to %2."),
                                                {m_dates->Format(period.start), m_dates->Format(period.end)}),
                             m_bold);
        m_document.SetTabs({m_sumTab});
        m_document.WriteLine(Tr("Total") + QLatin1Char('\t') + FormatReportDuration(m_durations, totals.work), m_bold);
        const TActivityOutlineNode& root = *m_options.outline;
        if (!root.expanded)
            return;
        const ActivityListPtr top = m_sources.tree->Childs();
        for (int i = 0; i < top->Count(); ++i)
            Outline(top->Items(i), 0, root);
        Outline(m_sources.tree->UnknownActivity(), 0, root);
        Outline(m_sources.tree->UnknownBreakActivity(), 0, root);
    }

private:
    void Outline(const ActivityPtr& activity, int indent, const TActivityOutlineNode& parent) {
        if (!activity)
            return;
        const bool isBreak = activity->IsBreak();
        if (isBreak && m_options.breaks == TActivityBreaks::Hide)
            return;
        const double time = ActivityTime(activity, isBreak ? ActivityBreakTimeValue : ActivityWorkTimeValue);
        if (m_options.hideZeros && (time <= 0 || IsZeroDuration(time)))
            return;
        const QFont& font = isBreak && m_options.breaks == TActivityBreaks::Italic ? m_italic : m_font;
        QList<QTextOption::Tab> tabs;
        if (indent > 0)
            tabs.append(QTextOption::Tab(indent / 100.0, QTextOption::LeftTab));
        tabs.append(m_sumTab);
        m_document.SetTabs(tabs);
        m_document.WriteLine((indent > 0 ? QStringLiteral("\t") : QString()) + activity->Name() + QLatin1Char('\t') +
                                 FormatReportDuration(m_durations, time),
                             font);
        if (const TActivityOutlineNode* node = parent.ExpandedChild(activity)) {
            const ActivityListPtr childs = activity->Childs();
            for (int i = 0; childs && i < childs->Count(); ++i)
                Outline(childs->Items(i), indent + m_options.indent, *node);
        }
    }

    TReportDocument& m_document;
    const TReportSources& m_sources;
    const TActivityReportOptions& m_options;
    QFont m_font;
    QFont m_italic;
    QFont m_bold;
    QTextOption::Tab m_sumTab;
    DurationFormatterPtr m_durations;
    DateFormatterPtr m_dates;
};

} // namespace

const TActivityOutlineNode* TActivityOutlineNode::ExpandedChild(const ActivityPtr& wanted) const {
    for (const auto& child : children)
        if (child->expanded && child->activity == wanted)
            return child.get();
    return nullptr;
}

std::shared_ptr<TActivityOutlineNode> TActivityReportOptions::NewOutline() {
    auto root = std::make_shared<TActivityOutlineNode>();
    root->expanded = true;
    return root;
}

void TActivityReportOptions::Load(const PropertyListPtr& custom) {
    durationFormat = FindGUIDDef(custom, QStringLiteral("durationformat"), TGUID());
    dateFormat = FindGUIDDef(custom, QStringLiteral("dateformat"), TGUID());
    const int storedGrouping = FindIntegerDef(custom, QStringLiteral("grouping"), 0);
    grouping = storedGrouping >= 0 && storedGrouping <= 2 ? static_cast<TActivityGrouping>(storedGrouping)
                                                          : TActivityGrouping::None;
    const int storedBreaks = FindIntegerDef(custom, QStringLiteral("breaks"), 0);
    breaks =
        storedBreaks == 1 || storedBreaks == 2 ? static_cast<TActivityBreaks>(storedBreaks) : TActivityBreaks::Italic;
    newPage = FindBooleanDef(custom, QStringLiteral("newpage"), false);
    hideZeros = FindBooleanDef(custom, QStringLiteral("hidezeros"), false);
    indent = FindIntegerDef(custom, QStringLiteral("indent"), 2000);
    sumPosition = FindIntegerDef(custom, QStringLiteral("sum_position"), 20000);
}

void TActivityReportOptions::Save(const PropertyListPtr& custom) const {
    custom->Items(QStringLiteral("durationformat"))->SetAsGUID(durationFormat);
    custom->Items(QStringLiteral("dateformat"))->SetAsGUID(dateFormat);
    custom->Items(QStringLiteral("grouping"))->SetAsInteger(static_cast<int>(grouping));
    custom->Items(QStringLiteral("breaks"))->SetAsInteger(static_cast<int>(breaks));
    custom->Items(QStringLiteral("newpage"))->SetAsBoolean(newPage);
    custom->Items(QStringLiteral("hidezeros"))->SetAsBoolean(hideZeros);
    custom->Items(QStringLiteral("indent"))->SetAsInteger(indent);
    custom->Items(QStringLiteral("sum_position"))->SetAsInteger(sumPosition);
}

TActivityTotals ComputeActivityTimes(const TReportSources& sources, double from, double to) {
    const ActivityTreePtr& tree = sources.tree;
    tree->ClearTempStorages();
    const std::vector<ActivityPtr> activities = AllActivities(tree);
    for (const ActivityPtr& activity : activities) {
        activity->ClearTempStorage();
        SetValue(activity, ActivityDurationValue, 0);
        SetValue(activity, ActivityWorkTimeValue, 0);
        SetValue(activity, ActivityBreakTimeValue, 0);
        activity->TempStorage()->Items(kCalcId)->SetAsInteger(0);
    }
    const SearchResultPtr result = sources.storage->SearchEntries(from, to);
    for (result->First(); !result->Eof(); result->Next()) {
        const auto entry = std::dynamic_pointer_cast<IHXActivityEntry_>(result->Current());
        if (!entry)
            continue;
        if (const ActivityPtr activity = entry->Locator()->FindActivity(tree))
            SetValue(activity, ActivityDurationValue, Value(activity, ActivityDurationValue) + entry->Duration());
    }
    TActivityTotals totals;
    int mark = 0;
    for (const ActivityPtr& activity : activities) {
        (activity->IsBreak() ? totals.breaks : totals.work) += Value(activity, ActivityDurationValue);
        double work = 0;
        double breaks = 0;
        SumSubtree(activity, ++mark, work, breaks);
        SetValue(activity, ActivityWorkTimeValue, work);
        SetValue(activity, ActivityBreakTimeValue, breaks);
    }
    return totals;
}

double ActivityTime(const ActivityPtr& activity, const QString& value) {
    return Value(activity, value);
}

std::vector<TReportPeriod> ReportPeriods(double from, double to, TActivityGrouping grouping, int firstDayOfWeek) {
    from = DateOf(from);
    to = std::max(from, DateOf(to));
    std::vector<TReportPeriod> periods;
    double start = from;
    while (start <= to) {
        double end = to;
        if (grouping == TActivityGrouping::Week) {
            // DayOfWeek counts from Sunday = 1; the weekday codes from Monday = 0.
            const int weekday = (DayOfWeek(start) + 5) % 7;
            const int untilNext = (firstDayOfWeek - weekday + 7) % 7;
            end = start + (untilNext == 0 ? 7 : untilNext) - 1;
        } else if (grouping == TActivityGrouping::Month) {
            int year = 0, month = 0, day = 0;
            DecodeDate(start, year, month, day);
            end = (month == 12 ? EncodeDate(year + 1, 1, 1) : EncodeDate(year, month + 1, 1)) - 1;
        }
        end = std::min(end, to);
        periods.push_back({start, end});
        start = end + 1;
    }
    return periods;
}

void WriteActivityReport(TReportDocument& document, const TReportPage& page, const TReportSources& sources,
                         const TReportOptions& generic, const TActivityReportOptions& options) {
    document.Clear();
    document.Document().setDefaultFont(generic.font.Font());
    TActivityReportWriter writer(document, sources, generic, options);
    for (const TReportPeriod& period :
         ReportPeriods(generic.interval.start, generic.interval.end, options.grouping, FormatSettings().FirstDayOfWeek))
        writer.Period(period);
    document.Paginate(page);
}
