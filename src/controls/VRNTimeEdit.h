#pragma once

// The time-of-day edit: "HH:mm" with the time separator of the regional settings, 00:00 up to
// 24:00 (the end of the day). Typed texts are read like every time the user types (hours alone
// are accepted, AM/PM designators too).

#include "controls/VRNCustomDateTimeEdit.h"

class TVRNTimeEdit : public TVRNCustomDateTimeEdit {
    Q_OBJECT
public:
    /// Steps of 1, 15 and 30 minutes; range 00:00 to 24:00; shows 00:00.
    explicit TVRNTimeEdit(QWidget* parent = nullptr);

    /// "HH:mm"; values beyond 24:00 are shown as 24:00.
    QString FormatValue(double value) const override;
    /// Adds amount minutes, limits the result to 00:00..24:00 and rounds the minutes down to a
    /// multiple of |amount| without seconds: 08:07 + 15 is 08:15, 08:07 - 15 is 07:45.
    double StepValue(double value, int amount) const override;

    /// The four digits HHMM as "HH:MM" (with the locale's time separator), when text is not a time
    /// by itself, has exactly four characters, all digits, and the result is a time; else empty.
    QString FourDigitTime(const QString& text) const;

protected:
    double ParseText(const QString& text) const override;
    QString WidestText() const override;
    /// Four typed digits with the caret after the fourth become "HH:MM" before the value is taken.
    void TextEdited() override;
};
