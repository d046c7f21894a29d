// Draws the export window into a PNG file, for looking at it without a desktop:
//   QT_QPA_PLATFORM=offscreen export_gallery /tmp/export.png [language] [locale]

#include "export_ui/ExportWindow.h"
#include "foundation/International.h"
#include "foundation/Translation.h"

#include <QApplication>
#include <QPixmap>
#include <clocale>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    if (argc < 2) {
        std::fprintf(stderr, "usage: export_gallery <file.png> [language] [locale]\n");
        return 2;
    }
    if (argc > 2)
        SwitchLanguage(QString::fromLocal8Bit(argv[2]));
    ScopedUserLocale locale(argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString());
    TfrmBaseExport window(nullptr, nullptr);
    window.show();
    return window.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
