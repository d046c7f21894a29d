#include "CtlCommands.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <clocale>
#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    // Reports lay their text out with the fonts of the GUI library; they need no display.
    const bool report = argc > 1 && qstrcmp(argv[1], "report") == 0;
    if (report)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> app =
        report ? std::make_unique<QGuiApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    std::setlocale(LC_NUMERIC, "C"); // file formats never follow the user's number format
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    QFile rawOut;
    rawOut.open(stdout, QIODevice::WriteOnly);
    TCtlIO io{out, err, &rawOut};
    const int code = RunHoraluxCtl(app->arguments().mid(1), io);
    out.flush();
    err.flush();
    return code;
}
