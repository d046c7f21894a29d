#pragma once

// The duration edit: hours and minutes ("07:30", "36:05"), never below zero. Typed texts are read
// like every duration the user types (the empty text is zero, "1 2:00" is one day and two hours).

#include "controls/VRNCustomDateTimeEdit.h"

#include <memory>

class TDurationFormatterHM;

class TVRNDurationEdit : public TVRNCustomDateTimeEdit {
    Q_OBJECT
public:
    /// Steps of 1, 5 and 15 minutes; shows 00:00.
    explicit TVRNDurationEdit(QWidget* parent = nullptr);

    /// Hours and minutes by the hours-and-minutes duration formatter.
    QString FormatValue(double value) const override;
    /// Adds amount minutes, not below zero, and rounds the minutes down to a multiple of |amount|
    /// without seconds.
    double StepValue(double value, int amount) const override;

protected:
    double ParseText(const QString& text) const override;
    QString WidestText() const override;

private:
    std::shared_ptr<TDurationFormatterHM> m_formatter;
};
