#include "controls/VRNIntegerEdit.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

TVRNCustomIntegerEdit::TVRNCustomIntegerEdit(QWidget* parent) : TVRNCustomSpinEdit(parent) {
    SetValue(0);
}

int TVRNCustomIntegerEdit::Value() const {
    int value = 0;
    return TryParse(Text(), value) ? m_range.Limit(value) : m_lastValueSet;
}

void TVRNCustomIntegerEdit::SetValue(int value) {
    m_lastValueSet = m_range.Limit(value);
    SetOwnText(QString::number(m_lastValueSet));
}

void TVRNCustomIntegerEdit::SetMinValue(int value) {
    m_range.SetMin(value);
    SetValue(Value());
}

void TVRNCustomIntegerEdit::SetMaxValue(int value) {
    m_range.SetMax(value);
    SetValue(Value());
}

bool TVRNCustomIntegerEdit::Valid() const {
    int value = 0;
    return TryParse(Text(), value) && m_range.Contains(value);
}

bool TVRNCustomIntegerEdit::TryParse(const QString& text, int& value) {
    const QString trimmed = text.trimmed();
    const bool negative = trimmed.startsWith(QLatin1Char('-'));
    const QStringView digits = QStringView(trimmed).mid(negative ? 1 : 0);
    if (digits.isEmpty() || digits.size() > 10)
        return false;
    long long result = 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        result = result * 10 + (c.unicode() - '0');
    }
    if (negative)
        result = -result;
    if (result < std::numeric_limits<int>::min() || result > std::numeric_limits<int>::max())
        return false;
    value = static_cast<int>(result);
    return true;
}

int TVRNCustomIntegerEdit::StepValue(int value, int amount, int minValue, int maxValue) {
    long long result = static_cast<long long>(value) + amount;
    if (amount != 0) {
        const long long size = std::llabs(amount);
        result -= ((result % size) + size) % size;
    }
    return static_cast<int>(std::clamp<long long>(result, minValue, maxValue));
}

void TVRNCustomIntegerEdit::Step(int amount) {
    if (amount == 0)
        return;
    m_lastValueSet = StepValue(Value(), amount, m_range.Min(), m_range.Max());
    SetTextAsTyped(QString::number(m_lastValueSet));
}

bool TVRNCustomIntegerEdit::AcceptsCharacter(QChar c) const {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

QString TVRNCustomIntegerEdit::WidestText() const {
    const QString low = QString::number(m_range.Min());
    const QString high = QString::number(m_range.Max());
    return QString(std::max(low.size(), high.size()), QLatin1Char('0'));
}
