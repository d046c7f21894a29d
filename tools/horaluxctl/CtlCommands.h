#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <vector>

class QIODevice;

/// Where a command writes: standard output for results, standard error for messages; commands that
/// write bytes rather than text write them to rawOut (standard output as it is).
struct TCtlIO {
    QTextStream& out;
    QTextStream& err;
    QIODevice* rawOut = nullptr;
};

/// Exit codes of horaluxctl.
constexpr int CtlExitOk = 0;
constexpr int CtlExitFailure = 1; // the data could not be read or written
constexpr int CtlExitUsage = 2;   // wrong command line

/// One group of commands ("file", later "entries" ...), implemented in a file of its own.
struct TCtlCommandGroup {
    QString name;
    /// One line for the overview of --help.
    QString summary;
    /// The full help of the group: every command with its arguments and options.
    QString help;
    /// Runs a command of the group; args are the words after the group name.
    std::function<int(const QStringList& args, TCtlIO& io)> run;
};

/// Every command group, in the order --help shows them.
const std::vector<TCtlCommandGroup>& CtlCommandGroups();

/// Runs horaluxctl with the words after the program name and returns the exit code.
int RunHoraluxCtl(const QStringList& args, TCtlIO& io);
/// The process of horaluxctl or horaluxctl-report: numbers in the "C" form, UTF-8 on the standard
/// streams, RunHoraluxCtl with the arguments; returns the exit code.
int RunHoraluxCtlProcess(const QStringList& args);

// The groups (one function per file).
TCtlCommandGroup FileCommandGroup();
TCtlCommandGroup EntriesCommandGroup();
TCtlCommandGroup ExportCommandGroup();
/// The report group: in the horaluxctl program it starts horaluxctl-report, which runs the
/// reports (with the GUI library) in its place; the commands library runs them itself.
TCtlCommandGroup ReportCommandGroup();
/// Name, summary and help of the report group (no run).
TCtlCommandGroup ReportCommandGroupInfo();
TCtlCommandGroup AddInCommandGroup();
