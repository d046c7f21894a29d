#include "model/Translate.h"

#include <libintl.h>

QString TranslateText(const char* text) {
    return QString::fromUtf8(dgettext("default", text));
}
