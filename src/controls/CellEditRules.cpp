#include "controls/CellEditRules.h"
#include "foundation/DateTime.h"

#include <algorithm>
#include <cmath>

namespace {

const double DefaultStart = 8 * OneHour;
const double DefaultEnd = 9 * OneHour;

void SetTimesAndSpan(IHXActivityEntry_& entry, double start, double end) {
    entry.SetTime(start, end);
    entry.SetDuration(std::fabs(entry.EndTime() - entry.StartTime()));
}

} // namespace

double TRememberedBound::Take(double value) {
    if (!m_remembered) {
        m_value = value;
        m_remembered = true;
    }
    return m_value;
}

double CellStartValue(const IHXActivityEntry_* entry, const IHXActivityEntry_* above) {
    if (entry)
        return entry->StartTime();
    return above ? above->EndTime() : DefaultStart;
}

double CellEndValue(const IHXActivityEntry_* entry, const IHXActivityEntry_* above) {
    if (entry)
        return entry->EndTime();
    return above ? above->EndTime() : DefaultEnd;
}

double CellDurationValue(const IHXActivityEntry_* entry) {
    return entry ? entry->Duration() : OneHour;
}

void InitNewLineEntry(IHXActivityEntry_& entry, const IHXActivityEntry_* above) {
    double start = DefaultStart;
    double end = DefaultEnd;
    if (above) {
        start = above->EndTime();
        end = std::min(start + OneHour, 1.0);
    }
    entry.SetTime(start, end);
    entry.SetDuration(TimeSpan(start, end));
}

void ApplyTypedStart(IHXActivityEntry_& entry, double start, TRememberedBound& end) {
    const double rememberedEnd = end.Take(entry.EndTime());
    if (TimeAfter(start, rememberedEnd))
        SetTimesAndSpan(entry, start, start);
    else
        SetTimesAndSpan(entry, start, rememberedEnd);
}

void ApplyTypedEnd(IHXActivityEntry_& entry, double end, TRememberedBound& start) {
    const double rememberedStart = start.Take(entry.StartTime());
    if (TimeAfter(rememberedStart, end))
        SetTimesAndSpan(entry, end, end);
    else
        SetTimesAndSpan(entry, rememberedStart, end);
}

void ApplyTypedDuration(IHXActivityEntry_& entry, double duration) {
    entry.SetDuration(duration);
}

ActivityEntryPtr ApplyCellChange(TCellColumn column, double typedValue, TCellEditRow& row, TRememberedBound& bound) {
    if (column == TCellColumn::Activity)
        throw EMustNotHappen(QStringLiteral("ApplyCellChange: the activity column has its own editor"));
    if (!row.Entry && row.RequestNewLine)
        row.Entry = row.RequestNewLine();
    if (!row.Entry)
        return nullptr;
    IHXActivityEntry_& entry = *row.Entry;
    switch (column) {
    case TCellColumn::Start:
        ApplyTypedStart(entry, typedValue, bound);
        break;
    case TCellColumn::End:
        ApplyTypedEnd(entry, typedValue, bound);
        break;
    default:
        ApplyTypedDuration(entry, typedValue);
        break;
    }
    entry.SetIsProblem(true);
    return row.Entry;
}
