#include "controls/VRNTimeEdit.h"
#include "foundation/DateTimeInput.h"
#include "foundation/International.h"

#include <QLineEdit>
#include <cstdlib>

TVRNTimeEdit::TVRNTimeEdit(QWidget* parent) : TVRNCustomDateTimeEdit(parent) {
    SetIncrement1(1);
    SetIncrement2(15);
    SetIncrement3(30);
    // A time of day ends at 24:00; a larger value has no text form.
    SetMaxValue(1.0);
    SetValue(0);
}

QString TVRNTimeEdit::FormatValue(double value) const {
    if (value < 0)
        value = 0;
    else if (value > 1)
        value = 1;
    return FormatLocalTime(value, QStringLiteral("HH:mm"));
}

double TVRNTimeEdit::StepValue(double value, int amount) const {
    return TruncateToMinutes(std::abs(amount), AddMinutesClamped(amount, value));
}

QString TVRNTimeEdit::FourDigitTime(const QString& text) const {
    if (text.size() != 4)
        return QString();
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return QString();
    double value = 0;
    if (TryParseValue(text, value))
        return QString();
    const QString candidate = text.left(2) + FormatSettings().TimeSeparator + text.mid(2);
    return TryParseValue(candidate, value) ? candidate : QString();
}

double TVRNTimeEdit::ParseText(const QString& text) const {
    return StrToTVRNTime(text);
}

QString TVRNTimeEdit::WidestText() const {
    return FormatValue(EncodeTVRNTime(20, 0, 0, 0));
}

void TVRNTimeEdit::TextEdited() {
    if (lineEdit()->cursorPosition() == 4) {
        const QString rewritten = FourDigitTime(Text());
        if (!rewritten.isEmpty()) {
            SetOwnText(rewritten);
            lineEdit()->setCursorPosition(rewritten.size());
        }
    }
    TVRNCustomDateTimeEdit::TextEdited();
}
