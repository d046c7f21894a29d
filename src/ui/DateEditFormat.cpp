#include "ui/DateEditFormat.h"

#include "foundation/International.h"

#include <QDateEdit>

QString DateEditFormat(const QString& picture) {
    QString result;
    for (qsizetype i = 0; i < picture.size();) {
        const QChar c = picture.at(i);
        if (c == QLatin1Char('\'')) {
            // Quoted text, quotes included, up to the closing quote.
            const qsizetype end = picture.indexOf(QLatin1Char('\''), i + 1);
            const qsizetype stop = end < 0 ? picture.size() : end + 1;
            result += picture.mid(i, stop - i);
            i = stop;
            continue;
        }
        qsizetype run = 1;
        while (i + run < picture.size() && picture.at(i + run) == c)
            ++run;
        if (c == QLatin1Char('y'))
            result += run <= 2 ? QStringLiteral("yy") : QStringLiteral("yyyy");
        else if (c == QLatin1Char('g'))
            ; // the era: the toolkit shows none
        else
            result += QString(run, c);
        i += run;
    }
    return result.trimmed();
}

void SetupDatePicker(QDateEdit* edit) {
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(DateEditFormat(FormatSettings().ShortDateFormat));
}

QDateEdit* NewDatePicker(QWidget* parent) {
    auto* picker = new QDateEdit(parent);
    SetupDatePicker(picker);
    picker->setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));
    return picker;
}
