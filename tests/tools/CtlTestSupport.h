#pragma once
// Runs horaluxctl's commands in the test process and keeps what they printed.
#include "CtlCommands.h"

#include <QBuffer>
#include <QString>
#include <QStringList>
#include <QTextStream>

struct CtlRun {
    int code = -1;
    QString out;
    QString err;
    QByteArray bytes; ///< what a command wrote to standard output as bytes
};

inline CtlRun Ctl(const QStringList& args) {
    CtlRun run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    QBuffer raw(&run.bytes);
    raw.open(QIODevice::WriteOnly);
    TCtlIO io{out, err, &raw};
    run.code = RunHoraluxCtl(args, io);
    out.flush();
    err.flush();
    return run;
}
