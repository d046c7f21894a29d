#pragma once

// The activity report: the time booked on each activity of a period as an indented outline of the
// activity tree, headed by the period and the total work time; the period can be split into weeks
// or months.

#include "reports/ReportDocument.h"
#include "reports/ReportOptions.h"
#include "reports/ReportSources.h"

#include <memory>
#include <vector>

inline const QString ActivityReportName = QStringLiteral("BaseActivityReport");

// The working values of a computation, in each activity's temporary storage.
inline const QString ActivityDurationValue = QStringLiteral("duration");
inline const QString ActivityWorkTimeValue = QStringLiteral("worktime");
inline const QString ActivityBreakTimeValue = QStringLiteral("breaktime");

/// Which items of the outline are open: the root node (no activity) says whether the outline is
/// printed at all, each child node stands for an activity item and its own children.
struct TActivityOutlineNode {
    ActivityPtr activity;
    bool expanded = false;
    std::vector<std::shared_ptr<TActivityOutlineNode>> children;

    /// The expanded child node of activity, or none.
    const TActivityOutlineNode* ExpandedChild(const ActivityPtr& activity) const;
};

enum class TActivityGrouping { None = 0, Week = 1, Month = 2 };
enum class TActivityBreaks { Italic = 0, Hide = 1, Show = 2 };

/// The activity report's own settings ("custom"); the outline is not stored.
struct TActivityReportOptions {
    TGUID durationFormat;
    TGUID dateFormat;
    TActivityGrouping grouping = TActivityGrouping::None;
    TActivityBreaks breaks = TActivityBreaks::Italic;
    bool newPage = false;
    bool hideZeros = false;
    /// In hundredths of a point.
    int indent = 2000;
    int sumPosition = 20000;
    std::shared_ptr<TActivityOutlineNode> outline = NewOutline();

    static std::shared_ptr<TActivityOutlineNode> NewOutline();
    /// Values outside the known ones read as their defaults.
    void Load(const PropertyListPtr& custom);
    void Save(const PropertyListPtr& custom) const;
};

struct TActivityTotals {
    double work = 0;
    double breaks = 0;
};

/// Computes the booked times of from..to into the activities' temporary storages: each activity's
/// own time, and the work and break times of its subtree, where an activity met twice in a subtree
/// counts once. Returns the totals of all activities, each counted once.
TActivityTotals ComputeActivityTimes(const TReportSources& sources, double from, double to);
/// A value of the last computation (0 when there was none).
double ActivityTime(const ActivityPtr& activity, const QString& value);

struct TReportPeriod {
    double start = 0;
    double end = 0;
};
/// The parts of from..to: one, or split at the first day of each week (0 Monday .. 6 Sunday) or
/// month.
std::vector<TReportPeriod> ReportPeriods(double from, double to, TActivityGrouping grouping, int firstDayOfWeek);

/// Writes the activity report of generic's interval into document (cleared first) and lays it out
/// for page.
void WriteActivityReport(TReportDocument& document, const TReportPage& page, const TReportSources& sources,
                         const TReportOptions& generic, const TActivityReportOptions& options);
