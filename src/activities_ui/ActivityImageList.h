#pragma once

// Pictures of the activity windows taken from the program's shared small-image list: the root
// node's image, activity icons with the link overlay of an activity that stands in several places,
// and the cursors of dragging activities.

#include <QIcon>
#include <QPixmap>

/// The position of the root node's image ("Activities") in the small-image list.
constexpr int ActivityImageRootPosition = 4;

/// The picture at a position of the small-image list.
QIcon SmallImageListIcon(int position);
/// An activity's icon (image index as the activity reports it), with the link overlay in its
/// lower left corner when linked.
QIcon ActivityNodeIcon(int imageIndex, bool linked);
/// The cursor picture while an activity is dragged: an arrow with an empty page (move) or with
/// the link mark (Ctrl held: link).
QPixmap DragCursorPixmap(bool link);
