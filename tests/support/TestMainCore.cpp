#include "support/TestEnvironment.h"

#include <QCoreApplication>
#include <clocale>
#include <gmock/gmock.h>

int main(int argc, char** argv) {
    PrepareTestProcess();
    QCoreApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C"); // QCoreApplication set the user's locale
    testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
