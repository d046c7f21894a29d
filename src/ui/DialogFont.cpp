#include "ui/DialogFont.h"

#include "foundation/VRNTools.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

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

double ScreenDotsPerInch() {
    const QScreen* screen =
        qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::primaryScreen() : nullptr;
    const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    return dpi > 0 ? dpi : 96.0;
}

std::optional<QFont> FontFromLogFont(const TLogFontRecord& record, double dpi) {
    if (record.lfFaceName.isEmpty())
        return std::nullopt;
    QFont font(IsDialogFontName(record.lfFaceName) ? SystemDialogFontFamily() : record.lfFaceName);
    if (dpi <= 0)
        dpi = 96;
    if (record.lfHeight != 0) {
        const double points = std::abs(static_cast<double>(record.lfHeight)) * 72.0 / dpi;
        font.setPointSizeF(points < 1 ? 8 : points);
    } else {
        font.setPointSize(8);
    }
    if (record.lfWeight > 0)
        font.setWeight(static_cast<QFont::Weight>(std::clamp(static_cast<int>(record.lfWeight), 100, 900)));
    font.setItalic(record.lfItalic != 0);
    font.setUnderline(record.lfUnderline != 0);
    font.setStrikeOut(record.lfStrikeOut != 0);
    return font;
}

TLogFontRecord LogFontFromFont(const QFont& font, double dpi) {
    if (dpi <= 0)
        dpi = 96;
    TLogFontRecord record;
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : 8.0;
    record.lfHeight = -static_cast<std::int32_t>(std::lround(points * dpi / 72.0));
    record.lfWeight = static_cast<std::int32_t>(font.weight());
    record.lfItalic = font.italic() ? 1 : 0;
    record.lfUnderline = font.underline() ? 1 : 0;
    record.lfStrikeOut = font.strikeOut() ? 1 : 0;
    record.lfCharSet = 1; // the default character set
    record.lfOutPrecision = 4;
    record.lfFaceName = font.family().left(LogFontFaceNameLength);
    return record;
}

int LogFontPointSize(std::int32_t height, double dpi) {
    if (height >= 0)
        return height;
    if (dpi <= 0)
        dpi = 96;
    return static_cast<int>(std::lround(-static_cast<double>(height) * 72.0 / dpi));
}
