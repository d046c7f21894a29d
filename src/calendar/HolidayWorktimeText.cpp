#include "calendar/HolidayWorktimeText.h"

#include "formatting/DurationFormatter.h"
#include "foundation/DateTimeInput.h"
#include "foundation/International.h"
#include "foundation/VRNTools.h"

QString HolidayWorktimeToText(const IHXHolidayWorktime_& rule) {
    QString sign;
    if (rule.IsRelative())
        sign = rule.IsNegative() ? QStringLiteral("-") : QStringLiteral("+");
    if (rule.IsPercentage())
        return sign + FormatLocalNumber(rule.WorktimePercentage() * 100, 0) + QLatin1Char('%');
    return sign + DefaultDurationFormatterHM()->Format(rule.WorktimeAbsolute());
}

void TextToHolidayWorktime(const QString& text, IHXHolidayWorktime_& rule) {
    QString rest = text.trimmed();
    if (rest.isEmpty())
        throw EVRNConvertError(QLatin1Char('\'') + text + QStringLiteral("' is not a valid HolidayWorktime"));
    const bool percentage = rest.endsWith(QLatin1Char('%'));
    if (percentage)
        rest.chop(1);
    bool relative = false;
    bool negative = false;
    if (rest.startsWith(QLatin1Char('-'))) {
        relative = negative = true;
        rest.remove(0, 1);
    } else if (rest.startsWith(QLatin1Char('+'))) {
        relative = true;
        rest.remove(0, 1);
    }
    rest = rest.trimmed();
    double amount = 0;
    if (percentage) {
        amount = InvariantStrToFloat(rest) / 100.0;
        // A second sign ("--5%") would make a negative share, which no rule can hold.
        if (amount < 0)
            throw EVRNConvertError(QLatin1Char('\'') + text + QStringLiteral("' is not a valid HolidayWorktime"));
    } else {
        amount = StrToDuration(rest);
    }
    // Everything is read before the rule changes, so a bad text leaves it as it was.
    rule.SetIsPercentage(percentage);
    rule.SetIsRelative(relative);
    rule.SetIsNegative(negative);
    if (percentage)
        rule.SetWorktimePercentage(amount);
    else
        rule.SetWorktimeAbsolute(amount);
}
