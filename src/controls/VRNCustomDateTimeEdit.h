#pragma once

// The base of the time and duration edits: a value in the program's date-time form (days since
// 1899-12-30) typed as text, kept within a minimum and a maximum.
//
// Value reads the text; while the text does not parse (or lies outside the range) it gives the
// last value set instead and the text is shown bold and red. Every valid typed value is also kept
// as the last valid typed value. On leaving the edit the text is rewritten in the display form:
// from the typed value, or from the last value set when the text was not valid.

#include "controls/VRNCustomSpinEdit.h"
#include "controls/ValueRange.h"

class TVRNCustomDateTimeEdit : public TVRNCustomSpinEdit {
    Q_OBJECT
public:
    /// The largest date-time value (9999-12-31 23:59:59.99).
    static constexpr double MaxDateTime = 2958465.99999;

    explicit TVRNCustomDateTimeEdit(QWidget* parent = nullptr);

    /// The typed value, or the last value set while the text is not valid.
    double Value() const;
    /// Limits the value to the range, keeps it as the last value set and shows it.
    void SetValue(double value);
    double MinValue() const { return m_range.Min(); }
    double MaxValue() const { return m_range.Max(); }
    /// A minimum above the maximum raises the maximum to it; the value is limited again.
    void SetMinValue(double value);
    /// A maximum below the minimum becomes the minimum; the value is limited again.
    void SetMaxValue(double value);
    /// Whether the text parses to a value within the range.
    bool Valid() const;
    double LastValueSet() const { return m_lastValueSet; }
    double LastValidValue() const { return m_lastValidValue; }

    /// The value of a text. Raises EVRNConvertError when it does not parse, and "input out of
    /// range" when it lies outside the range.
    double ParseValue(const QString& text) const;
    bool TryParseValue(const QString& text, double& value) const;
    /// The text the edit shows for a value.
    virtual QString FormatValue(double value) const = 0;
    /// The value one step of amount away (in the edit's unit) from value, before the range limit.
    virtual double StepValue(double value, int amount) const = 0;

    void Step(int amount) override;

protected:
    /// The value of a text without the range check; raises EVRNConvertError.
    virtual double ParseText(const QString& text) const = 0;

    bool TextValid() const override;
    void TextEdited() override;
    void focusOutEvent(QFocusEvent* event) override;
    void ShowValueAgain() override;

private:
    TValueRange<double> m_range{0, MaxDateTime};
    double m_lastValueSet = 0;
    double m_lastValidValue = 0;
    /// The value of the text while it is valid, for showing it again in new regional settings.
    double m_shownValue = 0;
};
