#include "CtlCommands.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return RunHoraluxCtlProcess(app.arguments().mid(1));
}
