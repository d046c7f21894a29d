#pragma once

#include <QString>
#include <libintl.h>

/// The translation of a user-visible text through the message catalogue domain "default".
inline QString TranslatedText(const char* text) {
    return QString::fromUtf8(dgettext("default", text));
}
