#pragma once

// The integer edit: only the digits 0 to 9 can be typed. Value reads the text limited to the range;
// while the text does not parse it gives the last value set. A text that does not parse or lies
// outside the range is shown bold and red and stays as typed.

#include "controls/VRNCustomSpinEdit.h"
#include "controls/ValueRange.h"

class TVRNCustomIntegerEdit : public TVRNCustomSpinEdit {
    Q_OBJECT
public:
    /// Range 0..100, shows 0.
    explicit TVRNCustomIntegerEdit(QWidget* parent = nullptr);

    /// The typed number limited to the range, or the last value set while the text does not parse.
    int Value() const;
    /// Limits the value to the range, keeps it as the last value set and shows it.
    void SetValue(int value);
    int MinValue() const { return m_range.Min(); }
    int MaxValue() const { return m_range.Max(); }
    /// A minimum above the maximum raises the maximum to it; the value is limited again.
    void SetMinValue(int value);
    /// A maximum below the minimum becomes the minimum; the value is limited again.
    void SetMaxValue(int value);
    /// Whether the text parses and lies in the range.
    bool Valid() const;
    int LastValueSet() const { return m_lastValueSet; }

    /// A text of digits (with an optional leading "-" for the program's own negative values).
    static bool TryParse(const QString& text, int& value);
    /// value + amount, rounded down to a multiple of |amount|, limited to min..max.
    static int StepValue(int value, int amount, int minValue, int maxValue);

    void Step(int amount) override;

protected:
    bool TextValid() const override { return Valid(); }
    bool AcceptsCharacter(QChar c) const override;
    QString WidestText() const override;

private:
    TValueRange<int> m_range{0, 100};
    int m_lastValueSet = 0;
};

class TVRNIntegerEdit : public TVRNCustomIntegerEdit {
    Q_OBJECT
public:
    using TVRNCustomIntegerEdit::TVRNCustomIntegerEdit;
};
