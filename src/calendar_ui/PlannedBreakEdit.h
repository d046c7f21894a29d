#pragma once

// The planned break edit dialog: the activity a break is booked to, its typical length in minutes
// and the window of the day in which it usually happens. The break is changed only on OK, after
// the input has been checked.

#include "calendar/PlannedBreak.h"
#include "model/ActivityInterfaces.h"

#include <QDialog>
#include <QString>
#include <optional>
#include <vector>

class QWidget;
class TActivityComboBox;
class TVRNIntegerEdit;
class TVRNTimeEdit;

/// An activity the dialog offers: the locator it would assign and the text it shows.
struct TBreakActivityChoice {
    ActivityLocatorPtr Locator;
    QString Text;
};

/// Every valid activity of the tree once (the first place it is met in the tree decides its
/// path), named without path and sorted by name. An empty tree or none gives an empty list.
std::vector<TBreakActivityChoice> BreakActivityChoices(const ActivityTreePtr& tree);

/// Why the dialog refuses its input: the message and the control that gets the focus.
struct TBreakEditRefusal {
    QString Message;
    QWidget* Focus = nullptr;
};

/// The dialog ("Regular Break"). Fixed size; the activity box has the focus when it opens.
class TfrmPlannedBreakEdit : public QDialog {
    Q_OBJECT
public:
    /// tree: the activities to choose from (may be nullptr: only the break's own activity is
    /// offered, shown as "???"); the "..." button shows the whole tree.
    TfrmPlannedBreakEdit(const ActivityTreePtr& tree, QWidget* parent = nullptr);

    /// Shows the break's values; OK writes them back into this break.
    void SetPlannedBreak(const PlannedBreakPtr& plannedBreak);

    /// The checks of OK in their order; nullopt when the input is acceptable.
    std::optional<TBreakEditRefusal> CheckInput() const;

    TActivityComboBox* ActivityBox() const { return m_activity; }
    /// The break's length in minutes (1..180); a held arrow button steps by 1, then 5, then 10.
    TVRNIntegerEdit* DurationEdit() const { return m_duration; }
    TVRNTimeEdit* FromTimeEdit() const { return m_from; }
    TVRNTimeEdit* ToTimeEdit() const { return m_to; }

public slots:
    /// Checks the input (a refusal shows a message box and moves the focus) and on success
    /// stores it into the break and closes with OK.
    void accept() override;

private:
    void SelectLocator(const ActivityLocatorPtr& locator);
    void Store();

    ActivityTreePtr m_tree;
    PlannedBreakPtr m_break;
    std::vector<TBreakActivityChoice> m_choices;
    TActivityComboBox* m_activity;
    TVRNIntegerEdit* m_duration;
    TVRNTimeEdit* m_from;
    TVRNTimeEdit* m_to;
};

/// Opens the dialog modally for the break (centred on parent) and returns whether the user
/// confirmed; only then the break has changed.
bool EditPlannedBreak(QWidget* parent, const ActivityTreePtr& tree, const PlannedBreakPtr& plannedBreak);
