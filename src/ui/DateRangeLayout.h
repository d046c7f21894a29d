#pragma once

class QDateEdit;
class QLabel;
class QWidget;

/// Lays out a dialog that asks for a period: the explanation on top, "Start date:" and "End date:"
/// with their pickers below it, and the button panel along the bottom edge.
void LayOutDateRangeDialog(QWidget* dialog, QLabel* explanation, QDateEdit* start, QDateEdit* end, QWidget* panel);
