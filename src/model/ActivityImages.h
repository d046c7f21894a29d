#pragma once

#include <QString>
#include <QStringList>

// Numbering of activity images. An activity's ImageIndex numbers its icon in the program's shared
// small-image list (16 by 16 pixels); the window code builds that list from these names.

/// ImageIndex values with a fixed meaning; 4 + n is the n-th numbered activity icon.
constexpr int ActivityImageDefault = 0;
constexpr int ActivityImageBreak = 1;
constexpr int ActivityImageUnknown = 2;
constexpr int ActivityImageUnknownBreak = 3;
constexpr int ActivityImageFirstNumbered = 4;
/// The program carries the icons "icon_activity_0" to "icon_activity_86".
constexpr int ActivityNumberedIconCount = 87;

/// The resource of an ImageIndex ("icon_activity_default", "SMALL_BREAKACTIVITY", ...,
/// "icon_activity_<n>" for 4 + n). An index outside 0 .. 3 + numberedIcons names the default icon.
QString ActivityImageResourceName(int imageIndex, int numberedIcons = ActivityNumberedIconCount);

/// The resources of the small-image list in order: four "SMALL_LINKOVERLAY" overlays,
/// "SMALL_TIMECATCH", the default activity icon twice (fallback, then ImageIndex 0), then the
/// images of ImageIndex 1, 2, ... A bitmap that cannot be loaded is replaced by "SMALL_NIL".
QStringList SmallImageListResources(int numberedIcons = ActivityNumberedIconCount);
/// Position of an ImageIndex in that list; outside the loaded range the fallback image.
int SmallImageListPosition(int imageIndex, int numberedIcons = ActivityNumberedIconCount);
constexpr int SmallImageListOverlayCount = 4;
constexpr int SmallImageListFallbackPosition = 5;

/// The toolbar images of the activity editor in order ("BUTTON_NEWACTIVITY" ... "BUTTON_RIGHT");
/// a bitmap that cannot be loaded is replaced by "BUTTON_NIL".
QStringList ActivityToolbarResources();
