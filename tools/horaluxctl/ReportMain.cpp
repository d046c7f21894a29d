// horaluxctl-report: the reports of horaluxctl (`horaluxctl report ...` starts this program). They
// lay their text out with the fonts of the GUI library and need no display.

#include "CtlCommands.h"

#include <QFile>
#include <QGuiApplication>
#include <clocale>
#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C"); // file formats never follow the user's number format
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    QFile rawOut;
    rawOut.open(stdout, QIODevice::WriteOnly);
    TCtlIO io{out, err, &rawOut};
    const int code = RunHoraluxCtl(app.arguments().mid(1), io);
    out.flush();
    err.flush();
    return code;
}
