// The "report" group of the horaluxctl program itself: reports need the GUI library (fonts and
// the text layout), which every other command would pay for at its start; so the reports run in
// the companion program horaluxctl-report, which this group starts in its place.

#include "CtlCommands.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace {

const QString kReportProgram = QStringLiteral("horaluxctl-report");

int LaunchReportProgram(const QStringList& args, TCtlIO& io) {
    QString program = QDir(QCoreApplication::applicationDirPath()).filePath(kReportProgram);
    if (!QFileInfo(program).isExecutable())
        program = QStandardPaths::findExecutable(kReportProgram);
    if (program.isEmpty()) {
        io.err << "horaluxctl: the report program " << kReportProgram << " is not installed\n";
        return CtlExitFailure;
    }
    io.out.flush();
    io.err.flush();
    std::vector<QByteArray> arguments{QFile::encodeName(program), QByteArrayLiteral("report")};
    for (const QString& arg : args)
        arguments.push_back(arg.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& arg : arguments)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    io.err << "horaluxctl: cannot start " << program << ": " << QString::fromLocal8Bit(std::strerror(errno)) << "\n";
    return CtlExitFailure;
}

} // namespace

TCtlCommandGroup ReportCommandGroup() {
    TCtlCommandGroup group = ReportCommandGroupInfo();
    group.run = LaunchReportProgram;
    return group;
}
