#include "export/DataExport.h"

#include "formatting/DurationFormatter.h"
#include "foundation/DateTime.h"
#include "foundation/International.h"
#include "foundation/VRNException.h"
#include "model/ActivityLocator.h"
#include "model/Entry.h"
#include "model/EntryList.h"
#include "storage/SearchResults.h"

#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace {

/// The field separator of a format; CSV follows the decimal separator so that numbers stay one
/// field.
QString Separator(TExportFormat format, const QString& decimalSeparator) {
    if (format != TExportFormat::Csv)
        return QStringLiteral("\t");
    return decimalSeparator == QLatin1String(".") ? QStringLiteral(",") : QStringLiteral(";");
}

/// The activity field of a CSV line: quoted, inner quotes doubled. A text a spreadsheet would read
/// as a formula gets an apostrophe in front, so opening the file never runs an activity's name.
QString CsvActivity(const QString& path) {
    QString text = path;
    if (!text.isEmpty() && QStringLiteral("=+-@\t\r").contains(text.front()))
        text.prepend(QLatin1Char('\''));
    text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

/// The activity field of the text formats: tabs and line breaks inside a name would split the
/// line, so they become blanks.
QString TextActivity(const QString& path) {
    QString text = path;
    for (QChar& c : text)
        if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    return text;
}

/// Writes the lines of one export: what every line shares is set up once.
class TExportLineWriter {
public:
    TExportLineWriter(const ActivityTreePtr& tree, TExportFormat format, const QString& decimalSeparator)
        : m_tree(tree), m_csv(format == TExportFormat::Csv), m_separator(Separator(format, decimalSeparator)),
          m_numbers(FormatSettings()) {
        // Decimal hours in the user's number form, but never grouped: a grouped "1,234.50" would
        // fall apart into two CSV fields.
        m_numbers.DecimalSeparator = decimalSeparator;
        m_numbers.DigitGrouping = 0;
    }

    void Append(const EntryPtr& entry, QString& text) const {
        auto activityEntry = std::dynamic_pointer_cast<IHXActivityEntry_>(entry);
        const QString path = activityEntry ? activityEntry->Locator()->GetActivityPathName(m_tree) : QString();
        const double duration = activityEntry ? activityEntry->Duration() : entry->EndTime() - entry->StartTime();
        text += DateToISO(entry->Date());
        text += m_separator;
        text += m_csv ? CsvActivity(path) : TextActivity(path);
        text += m_separator;
        text += TimeToISOExport(entry->StartTime());
        text += m_separator;
        text += TimeToISOExport(entry->EndTime());
        text += m_separator;
        text += m_hours.FormatWith(duration, m_numbers);
    }

private:
    const ActivityTreePtr& m_tree;
    bool m_csv;
    QString m_separator;
    TvrnFormatSettings m_numbers;
    TDurationFormatterUnitHours2 m_hours;
};

} // namespace

std::vector<EntryPtr> ExportEntries(IHXTypedStorage_& storage, double from, double to) {
    // In the entry lists' order, sorted here: a list checks every entry added against those it
    // holds, which twenty years of entries would make quadratic.
    std::vector<EntryPtr> entries;
    const SearchResultPtr result = storage.SearchEntries(from, to);
    for (result->First(); !result->Eof(); result->Next())
        entries.push_back(result->Current());
    std::stable_sort(entries.begin(), entries.end(), EntryOrderBefore);
    return entries;
}

QString ExportLine(const EntryPtr& entry, const ActivityTreePtr& tree, TExportFormat format,
                   const QString& decimalSeparator) {
    QString line;
    TExportLineWriter(tree, format, decimalSeparator).Append(entry, line);
    return line;
}

QByteArray ToWindows1252(const QString& text) {
    const QByteArray input = text.toUtf8();
    QByteArray output;
    output.reserve(input.size());
    iconv_t converter = iconv_open("WINDOWS-1252", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1))
        throw EVRNException(QStringLiteral("The character set Windows-1252 is not available"));
    char* in = const_cast<char*>(input.constData());
    size_t inLeft = static_cast<size_t>(input.size());
    char buffer[4096];
    while (inLeft > 0) {
        char* out = buffer;
        size_t outLeft = sizeof buffer;
        const size_t done = iconv(converter, &in, &inLeft, &out, &outLeft);
        output.append(buffer, static_cast<qsizetype>(out - buffer));
        if (done != static_cast<size_t>(-1) || errno == E2BIG)
            continue;
        // A character the code page lacks (or, never from toUtf8, a broken sequence): "?" in its
        // place, and on after that one UTF-8 character.
        output.append('?');
        size_t skip = 1;
        while (skip < inLeft && (static_cast<unsigned char>(in[skip]) & 0xC0) == 0x80)
            ++skip;
        in += skip;
        inLeft -= skip;
    }
    iconv_close(converter);
    return output;
}

QByteArray ExportBytes(const std::vector<EntryPtr>& entries, const ActivityTreePtr& tree, TExportFormat format) {
    const TExportLineWriter writer(tree, format, FormatSettings().DecimalSeparator);
    QString text;
    for (const EntryPtr& entry : entries) {
        writer.Append(entry, text);
        text += QStringLiteral("\r\n");
    }
    switch (format) {
    case TExportFormat::Csv:
        return ToWindows1252(text);
    case TExportFormat::Utf16: {
        QByteArray bytes("\xFF\xFE", 2);
        bytes.reserve(2 + text.size() * 2);
        for (const QChar c : text) {
            const char16_t unit = c.unicode();
            bytes.append(static_cast<char>(unit & 0xFF));
            bytes.append(static_cast<char>(unit >> 8));
        }
        return bytes;
    }
    case TExportFormat::Utf8:
        return text.toUtf8();
    }
    return QByteArray();
}

void WriteExportFile(const QString& fileName, const QByteArray& bytes) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EVRNException(QStringLiteral("Cannot create \"%1\": %2").arg(fileName, file.errorString()));
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw EVRNException(QStringLiteral("Cannot write \"%1\": %2").arg(fileName, file.errorString()));
}

void ExportToFile(IHXTypedStorage_& storage, const ActivityTreePtr& tree, double from, double to,
                  const QString& fileName, TExportFormat format) {
    WriteExportFile(fileName, ExportBytes(ExportEntries(storage, from, to), tree, format));
}
