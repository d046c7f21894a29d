#include "calendar/HolidayWorktimeText.h"

#include "formatting/DurationFormatter.h"
#include "foundation/DateTimeInput.h"
#include "foundation/International.h"
#include "foundation/VRNTools.h"

namespace {

/// The user's number format without digit grouping: "1.500%" would read back as 1.5 %.
TvrnFormatSettings PercentageSettings() {
    TvrnFormatSettings settings = FormatSettings();
    settings.DigitGrouping = 0;
    settings.ThousandSeparator.clear();
    return settings;
}

/// The share of a percentage text: "." is the decimal point, and so is the locale's decimal
/// separator (what the user of that locale types).
double ReadPercentage(QString text) {
    const QString& decimal = FormatSettings().DecimalSeparator;
    if (!decimal.isEmpty() && decimal != QLatin1String(".") && !text.contains(QLatin1Char('.')))
        text.replace(decimal, QStringLiteral("."));
    return InvariantStrToFloat(text) / 100.0;
}

/// A duration as the text form writes it (hours, ":" and minutes) or as the user's locale writes
/// times (its own time separator, such as "." in Finnish or Danish).
double ReadDuration(const QString& text) {
    const TvrnFormatSettings& user = FormatSettings();
    if (user.TimeSeparator == QLatin1String(":") || !text.contains(QLatin1Char(':')))
        return StrToDuration(text, user);
    TvrnFormatSettings colon = user;
    colon.TimeSeparator = QStringLiteral(":");
    return StrToDuration(text, colon);
}

} // namespace

QString HolidayWorktimeToText(const IHXHolidayWorktime_& rule) {
    QString sign;
    if (rule.IsRelative())
        sign = rule.IsNegative() ? QStringLiteral("-") : QStringLiteral("+");
    if (rule.IsPercentage())
        return sign + FormatLocalNumber(rule.WorktimePercentage() * 100, 0, PercentageSettings()) + QLatin1Char('%');
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
        amount = ReadPercentage(rest);
        // A second sign ("--5%") would make a negative share, which no rule can hold.
        if (amount < 0)
            throw EVRNConvertError(QLatin1Char('\'') + text + QStringLiteral("' is not a valid HolidayWorktime"));
    } else {
        amount = ReadDuration(rest);
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
