#pragma once

// The dialog font: the one font every window of the program is shown in. It starts as the
// desktop's general font at 8 points and is replaced at start-up by the font chosen in the
// language options.

#include "model/FontProperties.h"

#include <QFont>
#include <optional>

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

/// The vertical resolution of the primary screen in pixels per inch (96 without a screen).
double ScreenDotsPerInch();
/// The font a stored font record describes (a negative height is the character height in pixels
/// at dpi, a positive one the cell height; 0 gives 8 points); the stored names of the system's
/// dialog font stand for the desktop's font. Without a face name: nothing.
std::optional<QFont> FontFromLogFont(const TLogFontRecord& record, double dpi);
/// The stored font record of a font: the character height in pixels at dpi (negative), weight,
/// italic, underline, strike-out and the face name.
TLogFontRecord LogFontFromFont(const QFont& font, double dpi);
/// The point size a stored height stands for at dpi: a negative height in pixels is converted and
/// rounded, a positive height is given as it is.
int LogFontPointSize(std::int32_t height, double dpi);
