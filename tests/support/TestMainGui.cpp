#include "support/TestEnvironment.h"

#include <QApplication>
#include <clocale>
#include <gmock/gmock.h>

int main(int argc, char** argv) {
    PrepareTestProcess();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C"); // QApplication set the user's locale
    testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
