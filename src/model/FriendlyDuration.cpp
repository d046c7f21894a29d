#include "model/FriendlyDuration.h"

#include "foundation/DateTime.h"
#include "foundation/VRNTools.h"

#include <libintl.h>

namespace {
QString Plural(const char* singular, const char* plural, std::int64_t count) {
    const unsigned long selector = static_cast<unsigned long>(count < 0 ? -count : count);
    const QString text = QString::fromUtf8(dngettext("defaultnumeric", singular, plural, selector));
    return FormatPlaceholders(text, {QString::number(count)});
}
} // namespace

QString DurationToFriendlyText(int mode, double duration) {
    const std::int64_t hours = DurationTotalHours(duration);
    if (hours >= 2)
        return Plural("%1 hour", "%1 hours", hours);
    const std::int64_t minutes = DurationTotalMinutes(duration);
    if (minutes != 0 || mode == 2)
        return Plural("%1 minute", "%1 minutes", minutes);
    std::int64_t seconds = DurationTotalSeconds(duration);
    if (mode == 1)
        seconds -= seconds % 5;
    return Plural("%1 second", "%1 seconds", seconds);
}
