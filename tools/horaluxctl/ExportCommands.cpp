// horaluxctl export: the activity entries of a date interval in one of the export window's three
// formats, byte for byte as the window writes them.

#include "CtlCommands.h"
#include "CtlStorage.h"

#include "export/DataExport.h"
#include "foundation/VRNException.h"

#include <QIODevice>

namespace {

struct TExportOptions {
    QString from;
    QString to;
    QString format;
    QString output;
    QString storage;
};

TExportOptions ParseExportOptions(const QStringList& arguments) {
    TExportOptions options;
    ReadOptions(arguments, 0, [&options](const QString& name, const QString& value) {
        if (name == QLatin1String("--from"))
            options.from = value;
        else if (name == QLatin1String("--to"))
            options.to = value;
        else if (name == QLatin1String("--format"))
            options.format = value;
        else if (name == QLatin1String("--output"))
            options.output = value;
        else if (name == QLatin1String("--storage"))
            options.storage = value;
        else
            return false;
        return true;
    });
    return options;
}

TExportFormat ParseFormat(const QString& text) {
    if (text == QLatin1String("csv"))
        return TExportFormat::Csv;
    if (text == QLatin1String("utf16"))
        return TExportFormat::Utf16;
    if (text == QLatin1String("utf8"))
        return TExportFormat::Utf8;
    throw TCommandError(QStringLiteral("--format: \"%1\" is not one of csv, utf16, utf8").arg(text));
}

int Export(const QStringList& arguments, TCtlIO& io) {
    const TExportOptions options = ParseExportOptions(arguments);
    if (options.from.isEmpty() || options.to.isEmpty() || options.format.isEmpty())
        throw TCommandError(QStringLiteral("export needs --from DATE, --to DATE and --format csv|utf16|utf8"));
    const double from = ParseDate(options.from, QStringLiteral("--from"));
    const double to = ParseDate(options.to, QStringLiteral("--to"));
    const TExportFormat format = ParseFormat(options.format);
    if (options.output.isEmpty() && !io.rawOut)
        throw TCommandError(QStringLiteral("export needs --output FILE here"));
    TStorageReader reader(options.storage);
    const std::vector<EntryPtr> entries = ExportEntries(reader.Storage(), from, to);
    reader.CheckQuestions();
    const QByteArray bytes = ExportBytes(entries, reader.Tree(), format);
    if (!options.output.isEmpty()) {
        try {
            WriteExportFile(options.output, bytes);
        } catch (const EVRNException& e) {
            throw DataError(e.Message());
        }
    } else if (io.rawOut->write(bytes) != bytes.size()) {
        throw DataError(QStringLiteral("Cannot write to standard output"));
    }
    return CtlExitOk;
}

int RunExport(const QStringList& arguments, TCtlIO& io) {
    return RunCommand(io, [&] { return Export(arguments, io); });
}

} // namespace

TCtlCommandGroup ExportCommandGroup() {
    TCtlCommandGroup group;
    group.name = QStringLiteral("export");
    group.summary = QStringLiteral("export activity entries as CSV or text, as the export window does");
    group.help = QStringLiteral(
        "horaluxctl export --from DATE --to DATE --format csv|utf16|utf8 [--output FILE] [--storage DIR]\n"
        "    Writes the activity entries from DATE to DATE (YYYY-MM-DD, both included), one a line:\n"
        "    date, activity path, start, end, booked hours; every line ends with CR LF. csv: Windows-1252,\n"
        "    separated by \",\" (\";\" where the decimal separator is not \".\"), the activity quoted;\n"
        "    utf16: UTF-16 little-endian text with a byte order mark, tab-separated; utf8: UTF-8 text,\n"
        "    tab-separated. The bytes are those of the program's export window. Without --output they go\n"
        "    to standard output; an existing FILE is replaced only once the export is complete.\n"
        "DIR defaults to the user's storage folder (~/.local/share/Horalux/).\n"
        "Exit codes: 0 done, 1 the data could not be read or written, 2 wrong command line.\n");
    group.run = RunExport;
    return group;
}
