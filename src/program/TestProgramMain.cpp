// The test build of the program. Whole-program tests drive its message boxes through the
// environment:
//   HORALUX_TEST_ANSWERS      comma-separated results, used by the boxes in order;
//   HORALUX_TEST_AUTO_ANSWER  any value: boxes without a queued answer answer as if closed.
// Under either, every box is described on standard error instead of being shown. The log's
// level mask includes the list of objects left at the end, which the tests check.

#include "foundation/Log.h"
#include "program/Program.h"
#include "ui/MessageBox.h"

int main(int argc, char** argv) {
    for (const QString& part : qEnvironmentVariable("HORALUX_TEST_ANSWERS").split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int value = part.trimmed().toInt(&ok);
        if (ok)
            TMessageBoxSeam::SetNextAnswer(value);
    }
    TMessageBoxSeam::SetAutoAnswer(!qEnvironmentVariableIsEmpty("HORALUX_TEST_AUTO_ANSWER") ||
                                   !qEnvironmentVariableIsEmpty("HORALUX_TEST_ANSWERS"));
    return RunProgram(argc, argv, LogLevelLeaks);
}
