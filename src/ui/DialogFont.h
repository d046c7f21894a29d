#pragma once

// The dialog font: the one font every window of the program is shown in. It starts as the
// desktop's general font at 8 points and is replaced at start-up by the font chosen in the
// language options.

#include <QFont>

/// The program-wide dialog font.
QFont DialogFont();
void SetDialogFont(const QFont& font);

/// The face that stands for the desktop's own dialog font (the stored names "MS Shell Dlg" and
/// "MS Shell Dlg 2" map to it).
QString SystemDialogFontFamily();

/// The scale of a window designed for a character height of 13 and an average character width of
/// 5 pixels at 96 pixels per inch when it is shown in font on a screen with dpi pixels per inch:
/// the smaller of the height and width ratios, so that texts always fit.
double DialogFontScale(const QFont& font, double dpi);
