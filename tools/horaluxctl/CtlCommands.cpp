#include "CtlCommands.h"

#include <QFile>
#include <clocale>
#include <cstdio>

const std::vector<TCtlCommandGroup>& CtlCommandGroups() {
    static const std::vector<TCtlCommandGroup> groups = {
        FileCommandGroup(), EntriesCommandGroup(), ExportCommandGroup(), ReportCommandGroup(), AddInCommandGroup(),
    };
    return groups;
}

namespace {
void WriteOverview(QTextStream& out) {
    out << "Usage: horaluxctl GROUP COMMAND [ARGUMENTS...]\n"
           "       horaluxctl [GROUP] --help\n"
           "\n"
           "The command-line companion of Horalux, for people who inspect, repair or script their\n"
           "data files. Exit codes: 0 success, 1 the data could not be read or written (the\n"
           "message names the reason), 2 wrong command line.\n";
    out << "\nCommand groups:\n";
    for (const TCtlCommandGroup& group : CtlCommandGroups())
        out << "  " << group.name << " - " << group.summary << "\n";
    for (const TCtlCommandGroup& group : CtlCommandGroups())
        out << "\n" << group.help;
}
} // namespace

int RunHoraluxCtl(const QStringList& args, TCtlIO& io) {
    if (args.isEmpty()) {
        WriteOverview(io.err);
        return CtlExitUsage;
    }
    if (args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h") ||
        args.first() == QLatin1String("help")) {
        WriteOverview(io.out);
        return CtlExitOk;
    }
    for (const TCtlCommandGroup& group : CtlCommandGroups()) {
        if (group.name != args.first())
            continue;
        const QStringList rest = args.mid(1);
        if (rest.contains(QLatin1String("--help")) || rest.contains(QLatin1String("-h"))) {
            io.out << group.help;
            return CtlExitOk;
        }
        return group.run(rest, io);
    }
    io.err << "horaluxctl: unknown command group '" << args.first() << "' (see horaluxctl --help)\n";
    return CtlExitUsage;
}

int RunHoraluxCtlProcess(const QStringList& args) {
    std::setlocale(LC_NUMERIC, "C"); // file formats never follow the user's number format
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    QFile rawOut;
    rawOut.open(stdout, QIODevice::WriteOnly);
    TCtlIO io{out, err, &rawOut};
    const int code = RunHoraluxCtl(args, io);
    out.flush();
    err.flush();
    return code;
}
