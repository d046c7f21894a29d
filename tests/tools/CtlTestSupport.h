#pragma once
// Runs horaluxctl's commands in the test process and keeps what they printed.
#include "CtlCommands.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

struct CtlRun {
    int code = -1;
    QString out;
    QString err;
};

inline CtlRun Ctl(const QStringList& args) {
    CtlRun run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    TCtlIO io{out, err};
    run.code = RunHoraluxCtl(args, io);
    out.flush();
    err.flush();
    return run;
}
