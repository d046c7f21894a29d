#pragma once

#include <QString>

/// The translation of a user-visible text of the data model through the message catalogue domain
/// "default" (UTF-8 msgid). Without a catalogue for the current language the text comes back as
/// it is. Placeholders are replaced by the caller afterwards.
QString TranslateText(const char* text);

/// Marks a text for the catalogue where it stands (a table, a constant) and returns it unchanged;
/// TranslateText translates it where it is used.
constexpr const char* TranslateTextNoop(const char* text) {
    return text;
}
