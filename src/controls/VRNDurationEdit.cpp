#include "controls/VRNDurationEdit.h"
#include "formatting/DurationFormatter.h"
#include "foundation/DateTimeInput.h"
#include "foundation/International.h"

#include <cstdlib>

TVRNDurationEdit::TVRNDurationEdit(QWidget* parent)
    : TVRNCustomDateTimeEdit(parent), m_formatter(DefaultDurationFormatterHM()) {
    SetIncrement1(1);
    SetIncrement2(5);
    SetIncrement3(15);
    SetValue(0);
}

QString TVRNDurationEdit::FormatValue(double value) const {
    return m_formatter->Format(value);
}

double TVRNDurationEdit::StepValue(double value, int amount) const {
    return TruncateDurationToMinutes(std::abs(amount), AddMinutesNonNegative(amount, value));
}

double TVRNDurationEdit::ParseText(const QString& text) const {
    const TvrnFormatSettings& settings = FormatSettings();
    double value = 0;
    if (TryStrToDuration(text, value, settings))
        return value;
    // The hours-and-minutes form always separates with ":"; where the locale uses another time
    // separator the edit must still read its own text.
    if (settings.TimeSeparator != QLatin1String(":")) {
        TvrnFormatSettings colon = settings;
        colon.TimeSeparator = QStringLiteral(":");
        if (TryStrToDuration(text, value, colon))
            return value;
    }
    return StrToDuration(text, settings);
}

QString TVRNDurationEdit::WidestText() const {
    return FormatValue(EncodeDurationHours(200, 0, 0, 0));
}
