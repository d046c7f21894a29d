#include "controls/VRNCustomDateTimeEdit.h"
#include "foundation/DateTime.h"
#include "foundation/VRNException.h"

#include <QLineEdit>

TVRNCustomDateTimeEdit::TVRNCustomDateTimeEdit(QWidget* parent) : TVRNCustomSpinEdit(parent) {
    SetIncrement1(1);
    SetIncrement2(5);
    SetIncrement3(15);
}

double TVRNCustomDateTimeEdit::Value() const {
    double value = 0;
    return TryParseValue(Text(), value) ? value : m_lastValueSet;
}

void TVRNCustomDateTimeEdit::SetValue(double value) {
    m_lastValueSet = m_range.Limit(value);
    m_shownValue = m_lastValueSet;
    SetOwnText(FormatValue(m_lastValueSet));
}

void TVRNCustomDateTimeEdit::SetMinValue(double value) {
    m_range.SetMin(value);
    SetValue(Value());
}

void TVRNCustomDateTimeEdit::SetMaxValue(double value) {
    m_range.SetMax(value);
    SetValue(Value());
}

bool TVRNCustomDateTimeEdit::Valid() const {
    double value = 0;
    return TryParseValue(Text(), value);
}

double TVRNCustomDateTimeEdit::ParseValue(const QString& text) const {
    const double value = ParseText(text);
    if (TimeBefore(value, m_range.Min()) || TimeAfter(value, m_range.Max()))
        throw EVRNConvertError(QStringLiteral("input out of range"));
    return value;
}

bool TVRNCustomDateTimeEdit::TryParseValue(const QString& text, double& value) const {
    try {
        value = ParseValue(text);
        return true;
    } catch (const EVRNException&) {
        return false;
    }
}

void TVRNCustomDateTimeEdit::Step(int amount) {
    if (amount == 0)
        return;
    // A step is a change by the user, so it goes through the same handling as typing.
    m_lastValueSet = m_range.Limit(StepValue(Value(), amount));
    m_shownValue = m_lastValueSet;
    SetTextAsTyped(FormatValue(m_lastValueSet));
}

bool TVRNCustomDateTimeEdit::TextValid() const {
    return Valid();
}

void TVRNCustomDateTimeEdit::TextEdited() {
    double value = 0;
    const bool valid = TryParseValue(Text(), value);
    if (valid) {
        m_lastValidValue = value;
        m_shownValue = value;
    }
    ShowValidity(valid);
}

void TVRNCustomDateTimeEdit::focusOutEvent(QFocusEvent* event) {
    double value = 0;
    m_shownValue = TryParseValue(Text(), value) ? value : m_lastValueSet;
    const QString text = FormatValue(m_shownValue);
    if (text != Text())
        SetOwnText(text);
    ShowValidity(true);
    TVRNCustomSpinEdit::focusOutEvent(event);
}

void TVRNCustomDateTimeEdit::ShowValueAgain() {
    SetOwnText(FormatValue(m_shownValue));
}
