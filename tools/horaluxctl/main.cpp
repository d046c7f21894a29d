#include "CtlCommands.h"

#include <QCoreApplication>
#include <clocale>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C"); // file formats never follow the user's number format
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    TCtlIO io{out, err};
    const int code = RunHoraluxCtl(app.arguments().mid(1), io);
    out.flush();
    err.flush();
    return code;
}
