#include "controls/VRNFloatEdit.h"
#include "foundation/International.h"

#include <cmath>

TVRNCustomFloatEdit::TVRNCustomFloatEdit(QWidget* parent) : TVRNCustomSpinEdit(parent) {
    SetValue(0);
}

double TVRNCustomFloatEdit::Value() const {
    double value = 0;
    return TryParse(Text(), value) ? m_range.Limit(value) : m_lastValueSet;
}

void TVRNCustomFloatEdit::SetValue(double value) {
    m_lastValueSet = m_range.Limit(value);
    m_shownValue = m_lastValueSet;
    SetOwnText(Format(m_lastValueSet));
}

void TVRNCustomFloatEdit::SetMinValue(double value) {
    m_range.SetMin(value);
    SetValue(Value());
}

void TVRNCustomFloatEdit::SetMaxValue(double value) {
    m_range.SetMax(value);
    SetValue(Value());
}

bool TVRNCustomFloatEdit::Valid() const {
    double value = 0;
    return TryParse(Text(), value) && m_range.Contains(value);
}

bool TVRNCustomFloatEdit::TryParse(const QString& text, double& value) {
    const QString separator = FormatSettings().DecimalSeparator;
    QString trimmed = text.trimmed();
    const bool negative = trimmed.startsWith(QLatin1Char('-'));
    if (negative)
        trimmed.remove(0, 1);
    // Read in the invariant form: digits and at most one ".".
    QString invariant;
    bool separatorSeen = false;
    int digits = 0;
    for (qsizetype i = 0; i < trimmed.size();) {
        const QChar c = trimmed.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            invariant += c;
            ++digits;
            ++i;
        } else if (!separator.isEmpty() && !separatorSeen && QStringView(trimmed).mid(i).startsWith(separator)) {
            invariant += QLatin1Char('.');
            separatorSeen = true;
            i += separator.size();
        } else {
            return false;
        }
    }
    if (digits == 0 || digits > 15)
        return false;
    bool ok = false;
    const double result = invariant.toDouble(&ok); // QString::toDouble reads the C locale form
    if (!ok || !std::isfinite(result))
        return false;
    value = negative ? -result : result;
    return true;
}

QString TVRNCustomFloatEdit::Format(double value) {
    TvrnFormatSettings settings = FormatSettings();
    settings.DigitGrouping = 0;
    return FormatLocalNumber(value, 1, settings);
}

void TVRNCustomFloatEdit::Step(int amount) {
    if (amount == 0)
        return;
    m_lastValueSet = m_range.Limit(Value() + amount / 10.0);
    m_shownValue = m_lastValueSet;
    SetTextAsTyped(Format(m_lastValueSet));
}

bool TVRNCustomFloatEdit::AcceptsCharacter(QChar c) const {
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || FormatSettings().DecimalSeparator.contains(c);
}

QString TVRNCustomFloatEdit::WidestText() const {
    const QString low = Format(m_range.Min());
    const QString high = Format(m_range.Max());
    return low.size() > high.size() ? low : high;
}

void TVRNCustomFloatEdit::TextEdited() {
    double value = 0;
    if (TryParse(Text(), value))
        m_shownValue = value;
    TVRNCustomSpinEdit::TextEdited();
}

void TVRNCustomFloatEdit::ShowValueAgain() {
    SetOwnText(Format(m_shownValue));
}
