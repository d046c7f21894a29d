#pragma once

// The pictures of the program's image names (activity images, the small-image list, the activity
// editor's tool bar). They come from the desktop's icon theme through one table from image name
// to icon name (standard names that the Adwaita theme, a Debian package, carries); an image the
// theme lacks is drawn by the program itself, so every image shows something.

#include <QIcon>
#include <QString>

/// The icon-theme name of an image name ("icon_activity_default", "SMALL_BREAKACTIVITY",
/// "icon_activity_<n>", "BUTTON_DELETE", ...); empty for an unknown image name.
QString ThemeIconName(const QString& imageName);
/// The picture of an image name: the theme's icon, else the program's own drawing.
QIcon ImageIcon(const QString& imageName);
/// The picture of an activity's image index (-1 and unknown indexes: the default image).
QIcon ActivityIcon(int imageIndex);
/// The program's own drawing of an image name: a coloured square with a mark, distinct per name.
QIcon DrawnIcon(const QString& imageName);
/// Makes the theme available where the desktop names none (a bare X server, the tests).
void EnsureIconTheme();
