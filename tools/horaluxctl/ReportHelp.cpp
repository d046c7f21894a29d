#include "CtlCommands.h"

TCtlCommandGroup ReportCommandGroupInfo() {
    TCtlCommandGroup group;
    group.name = QStringLiteral("report");
    group.summary = QStringLiteral("write the day report or the activity report as a PDF file");
    group.help =
        QStringLiteral("horaluxctl report day|activity --from DATE --to DATE --pdf FILE [--storage DIR]\n"
                       "    Writes the report of the days from DATE to DATE (YYYY-MM-DD, both included) into FILE as\n"
                       "    PDF, the document the program's report window prints: day lists one line per day with the\n"
                       "    work, breaks, required time and differences; activity lists the time of every activity.\n"
                       "    The font, the columns and the report's own settings are those stored by the program;\n"
                       "    the page is A4 (Letter where the locale measures in inches) with margins of 1 cm. An\n"
                       "    existing FILE is replaced only once the report is complete.\n"
                       "DIR defaults to the user's storage folder (~/.local/share/Horalux/).\n"
                       "Exit codes: 0 done, 1 the data could not be read or written, 2 wrong command line.\n");
    return group;
}
