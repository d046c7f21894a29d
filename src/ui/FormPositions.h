#pragma once

// Window positions kept in the options: the section "form positions" holds one property list per
// window name with the integers "left" and "top" (the frame's top-left corner) and, for windows
// that save their size, "width" and "height" (the size inside the frame). Saving the frame
// position and the inner size, and restoring them the same way, keeps a window from creeping when
// it is opened and closed again.
//
// The controller hands the options list over at start and takes it back at its end; without it
// windows simply keep their designed places.

#include "model/PropertyInterfaces.h"

#include <QRect>
#include <QString>
#include <memory>

class QWidget;

/// The options whose "form positions" section windows use (nullptr: none).
void SetFormPositionOptions(std::shared_ptr<IHXPropertyList_> options);
std::shared_ptr<IHXPropertyList_> FormPositionOptions();

/// Restores the window's saved place (and, withSize, its saved size) and fits the window onto the
/// work area of the monitor that holds most of it. A window never saved keeps its designed place
/// and size; a window that keeps no size keeps its designed size. Where the window system places
/// windows itself (Wayland), only the size is restored.
void LoadFormPosition(QWidget* window, const QString& name, bool withSize = true);
/// Writes the window's place and, withSize, its size; without size a stored size is removed.
void SaveFormPosition(QWidget* window, const QString& name, bool withSize);

/// The frame moved onto the work area without changing its size: first its right and bottom edges
/// are moved inside, then its top and left edges (so a frame larger than the area shows its top
/// left corner).
QRect FitOntoWorkArea(const QRect& frame, const QRect& workArea);
/// The work area of the screen that holds most of the frame; the nearest screen when none holds
/// any of it (the primary screen without screens to compare).
QRect WorkAreaFor(const QRect& frame);
/// Whether the window system lets programs place their windows (not so on Wayland).
bool WindowPositionsAreHonoured();
