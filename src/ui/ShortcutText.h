#pragma once

// Keyboard shortcuts inside translatable texts. A text that defines a shortcut reads
// "<shortcut>..<caption>", for example "^N..New Activity" or "F2..Rename": it is translated as a
// whole, so that every language may choose its own key, and only the part before the first ".."
// is used. The caption after ".." keeps the texts of different commands apart and is never shown.

#include <QKeySequence>
#include <QString>

/// The shortcut of an already translated shortcut text: the part before the first "..", or the
/// whole text when it has no "..". An empty part gives no shortcut (an empty sequence).
QKeySequence ShortcutFromText(const QString& text);

/// Reads a shortcut such as "^N", "Ctrl+Shift+F5" or "Alt+Left": leading modifiers ("Shift+",
/// "^" or "Ctrl+", "Alt+", in the toolkit's own names and in any order) are stripped one after
/// the other; what remains must be the name of one key, without regard to case. Anything else
/// gives no shortcut (an empty sequence).
QKeySequence ReadShortcut(const QString& shortcut);
