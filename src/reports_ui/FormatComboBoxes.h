#pragma once

// The choosers of the date and the duration formatters: the formatters the user offers in choosers,
// dates shown in the form chosen in the date formatting options (name, picture or today as a
// sample), durations by name. Each item carries its formatter's id.

#include "formatting/FormattingOptions.h"

#include <QComboBox>

class TvrnDateFormatComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TvrnDateFormatComboBox(QWidget* parent = nullptr);
    /// Fills the list and selects id (the first entry when it is unknown).
    void Fill(const IHXFormattingOptions_* formatting, const TGUID& id);
    TGUID SelectedId() const;
};

class TvrnDurationFormatComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TvrnDurationFormatComboBox(QWidget* parent = nullptr);
    void Fill(const IHXFormattingOptions_* formatting, const TGUID& id);
    TGUID SelectedId() const;
};
