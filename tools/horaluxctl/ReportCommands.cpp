// horaluxctl report: the day report or the activity report of a date interval as a PDF file, the
// same document the report window prints, with the report settings the user stored in the program.

#include "CtlCommands.h"
#include "CtlStorage.h"

#include "calendar/Calendar.h"
#include "formatting/FormattingOptions.h"
#include "foundation/VRNException.h"
#include "foundation/VRNTools.h"
#include "foundation/XMZFile.h"
#include "model/PropertyList.h"
#include "reports/ActivityReport.h"
#include "reports/DayReport.h"

#include <QFileInfo>
#include <QGuiApplication>

namespace {

const TGUID OptionsFileType = TGUID::Constant("{0901CCC3-22C0-4278-A651-D132998E8B25}");

struct TReportCommandOptions {
    QString from;
    QString to;
    QString pdf;
    QString storage;
};

TReportCommandOptions ParseReportOptions(const QStringList& arguments) {
    TReportCommandOptions options;
    ReadOptions(arguments, 1, [&options](const QString& name, const QString& value) {
        if (name == QLatin1String("--from"))
            options.from = value;
        else if (name == QLatin1String("--to"))
            options.to = value;
        else if (name == QLatin1String("--pdf"))
            options.pdf = value;
        else if (name == QLatin1String("--storage"))
            options.storage = value;
        else
            return false;
        return true;
    });
    return options;
}

/// The program's options in the storage folder; empty when there are none yet.
std::shared_ptr<TPropertyList> ReadProgramOptions(const QString& folder) {
    auto options = std::make_shared<TPropertyList>(40);
    const QString fileName = IncludeTrailingPathDelimiter(folder) + QStringLiteral("options.hx");
    if (!QFileInfo::exists(fileName))
        return options;
    try {
        TXMZFile file;
        file.AssignFile_(fileName, true, OptionsFileType);
        options->LoadFromXML(file.GetContent());
        file.Close_();
    } catch (const std::exception& e) {
        throw DataError(QStringLiteral("The options file \"%1\" cannot be read: %2").arg(fileName, ExceptionToText(e)));
    }
    return options;
}

PropertyListPtr Section(const std::shared_ptr<TPropertyList>& options, const QString& name) {
    return options->Items(name)->AsPropertyList();
}

int Report(const QStringList& arguments, TCtlIO&) {
    const QString kind = arguments.value(0);
    if (kind != QLatin1String("day") && kind != QLatin1String("activity"))
        throw TCommandError(QStringLiteral("report needs day or activity (see horaluxctl report --help)"));
    const TReportCommandOptions options = ParseReportOptions(arguments);
    if (options.from.isEmpty() || options.to.isEmpty() || options.pdf.isEmpty())
        throw TCommandError(QStringLiteral("report needs --from DATE, --to DATE and --pdf FILE"));
    const double from = ParseDate(options.from, QStringLiteral("--from"));
    const double to = ParseDate(options.to, QStringLiteral("--to"));
    if (from > to)
        throw TCommandError(QStringLiteral("--from lies after --to"));
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        throw TCommandError(QStringLiteral("report needs the Qt GUI library"), CtlExitFailure);

    TStorageReader reader(options.storage);
    const std::shared_ptr<TPropertyList> programOptions = ReadProgramOptions(reader.Folder());
    auto calendar = std::make_shared<TCalendar>();
    calendar->LoadOrInitialize(Section(programOptions, QStringLiteral("calendar")));
    auto formatting = std::make_shared<TFormattingOptions>();
    formatting->LoadOrInitialize(Section(programOptions, QStringLiteral("formatting options")));
    const TReportSources sources{reader.TypedStorage(), reader.Tree(), calendar, formatting};

    const bool day = kind == QLatin1String("day");
    const PropertyListPtr reporting = Section(programOptions, ReportingSectionName);
    const PropertyListPtr reportList = ReadReportList(reporting, day ? DayReportName : ActivityReportName);
    TReportOptions generic;
    generic.useFont = generic.useInterval = true;
    generic.useColumns = day;
    generic.Load(reportList);
    generic.interval = {from, to};
    TReportDocument document;
    const TReportPage page;
    QString title;
    if (day) {
        EnsureDayReportColumns(generic.columns);
        TDayReportOptions custom;
        custom.Load(CustomReportSettings(reportList));
        WriteDayReport(document, page, sources, generic, custom);
        title = QStringLiteral("Varnelo Horalux Day Report");
    } else {
        TActivityReportOptions custom;
        custom.Load(CustomReportSettings(reportList));
        WriteActivityReport(document, page, sources, generic, custom);
        title = QStringLiteral("Activity Report");
    }
    reader.CheckQuestions();
    try {
        document.WritePdf(options.pdf, page, title);
    } catch (const EVRNException& e) {
        throw DataError(e.Message());
    }
    return CtlExitOk;
}

int RunReport(const QStringList& arguments, TCtlIO& io) {
    return RunCommand(io, [&] { return Report(arguments, io); });
}

} // namespace

TCtlCommandGroup ReportCommandGroup() {
    TCtlCommandGroup group = ReportCommandGroupInfo();
    group.run = RunReport;
    return group;
}
