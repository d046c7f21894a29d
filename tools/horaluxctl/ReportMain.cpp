// horaluxctl-report: the reports of horaluxctl (`horaluxctl report ...` starts this program). They
// lay their text out with the fonts of the GUI library and need no display.

#include "CtlCommands.h"

#include <QGuiApplication>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return RunHoraluxCtlProcess(app.arguments().mid(1));
}
