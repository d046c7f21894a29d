#pragma once

// The decimal number edit: the digits 0 to 9 and the decimal separator of the regional settings
// can be typed; one step is 0.1. Values are shown with one decimal in the locale's number form
// (without digit grouping, so that every shown text can be typed again).

#include "controls/VRNCustomSpinEdit.h"
#include "controls/ValueRange.h"

class TVRNCustomFloatEdit : public TVRNCustomSpinEdit {
    Q_OBJECT
public:
    /// Range 0..100, shows 0.0.
    explicit TVRNCustomFloatEdit(QWidget* parent = nullptr);

    /// The typed number limited to the range, or the last value set while the text does not parse.
    double Value() const;
    /// Limits the value to the range, keeps it as the last value set and shows it.
    void SetValue(double value);
    double MinValue() const { return m_range.Min(); }
    double MaxValue() const { return m_range.Max(); }
    /// A minimum above the maximum raises the maximum to it; the value is limited again.
    void SetMinValue(double value);
    /// A maximum below the minimum becomes the minimum; the value is limited again.
    void SetMaxValue(double value);
    /// Whether the text parses and lies in the range.
    bool Valid() const;
    double LastValueSet() const { return m_lastValueSet; }

    /// Digits with at most one decimal separator of the regional settings (and an optional
    /// leading "-"); at least one digit.
    static bool TryParse(const QString& text, double& value);
    /// The text shown for a value: one decimal, the locale's separators, no grouping.
    static QString Format(double value);

    /// Adds amount tenths and limits the result to the range.
    void Step(int amount) override;

protected:
    bool TextValid() const override { return Valid(); }
    bool AcceptsCharacter(QChar c) const override;
    QString WidestText() const override;
    void TextEdited() override;
    void ShowValueAgain() override;

private:
    TValueRange<double> m_range{0, 100};
    double m_lastValueSet = 0;
    /// The value of the text while it is valid, for showing it again in new regional settings.
    double m_shownValue = 0;
};

class TVRNFloatEdit : public TVRNCustomFloatEdit {
    Q_OBJECT
public:
    using TVRNCustomFloatEdit::TVRNCustomFloatEdit;
};
