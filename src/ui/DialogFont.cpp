#include "ui/DialogFont.h"

#include "foundation/VRNTools.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetricsF>

namespace {

QFont& StoredFont() {
    static QFont font = [] {
        QFont initial(SystemDialogFontFamily());
        initial.setPointSize(8);
        return initial;
    }();
    return font;
}

} // namespace

QString SystemDialogFontFamily() {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        return QApplication::font().family();
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

QFont DialogFont() {
    return StoredFont();
}

void SetDialogFont(const QFont& font) {
    QFont chosen = font;
    if (chosen.family().isEmpty() || IsDialogFontName(chosen.family()))
        chosen.setFamily(SystemDialogFontFamily());
    StoredFont() = chosen;
}

double DialogFontScale(const QFont& font, double dpi) {
    if (dpi <= 0)
        dpi = 96;
    const QFontMetricsF metrics(font);
    const double designHeight = 13.0 * dpi / 96.0;
    const double designWidth = 5.0 * dpi / 96.0;
    const double heightRatio = metrics.height() / designHeight;
    const double widthRatio = metrics.averageCharWidth() / designWidth;
    const double ratio = heightRatio < widthRatio ? heightRatio : widthRatio;
    return ratio > 0 ? ratio : 1.0;
}
