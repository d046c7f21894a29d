#include "reports/ReportSources.h"

#include "formatting/DateFormatterList.h"
#include "foundation/International.h"

#include <cmath>

namespace {

constexpr double kMillisecond = 1.0 / 86400000.0;

template <typename ListPtr, typename FormatterPtr>
FormatterPtr Pick(const ListPtr& offered, const ListPtr& all, const TGUID& id) {
    if (!id.IsNull() && all)
        if (FormatterPtr found = all->FindById(id))
            return found;
    if (offered && offered->Count() > 0)
        return offered->Items(0);
    if (all && all->Count() > 0)
        return all->Items(0);
    return nullptr;
}

} // namespace

DateFormatterPtr ReportDateFormatter(const IHXFormattingOptions_* formatting, const TGUID& id) {
    DateFormatterPtr formatter;
    if (formatting) {
        const auto options = formatting->DateFormattingOptions();
        formatter = Pick<DateFormatterListPtr, DateFormatterPtr>(options->Selection(), options->Definitions(), id);
    }
    if (!formatter) {
        static const TDateFormatterListDefault defaults;
        formatter = defaults.Items(0);
    }
    return formatter;
}

DurationFormatterPtr ReportDurationFormatter(const IHXFormattingOptions_* formatting, const TGUID& id) {
    DurationFormatterPtr formatter;
    if (formatting) {
        const auto options = formatting->DurationFormattingOptions();
        formatter =
            Pick<DurationFormatterListPtr, DurationFormatterPtr>(options->Selection(), options->Definitions(), id);
    }
    if (!formatter)
        formatter = DefaultDurationFormatterHM();
    return formatter;
}

QString FormatReportDuration(const DurationFormatterPtr& formatter, double duration) {
    const QString text = formatter->Format(std::abs(duration));
    return duration < 0 && !IsZeroDuration(duration) ? FormatNegativeNumber(text) : text;
}

bool IsZeroDuration(double duration) {
    return std::abs(duration) < kMillisecond;
}
