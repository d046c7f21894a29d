#pragma once

// What a report reads: the activity entries, the activity tree, the calendar and the formatters.

#include "calendar/Calendar.h"
#include "formatting/FormattingOptions.h"
#include "model/ActivityInterfaces.h"
#include "storage/StorageInterfaces.h"

#include <memory>

struct TReportSources {
    std::shared_ptr<IHXTypedStorage_> storage;
    ActivityTreePtr tree;
    std::shared_ptr<IHXCalendar_> calendar;
    FormattingOptionsPtr formatting;
};

/// The date formatter with that id; the first one offered (or the first one defined) when the id is
/// unknown or null.
DateFormatterPtr ReportDateFormatter(const IHXFormattingOptions_* formatting, const TGUID& id);
/// The same for duration formatters.
DurationFormatterPtr ReportDurationFormatter(const IHXFormattingOptions_* formatting, const TGUID& id);
/// A duration as the report shows it: negative values in the user's negative number form.
QString FormatReportDuration(const DurationFormatterPtr& formatter, double duration);
/// Whether a duration is zero within one millisecond.
bool IsZeroDuration(double duration);
