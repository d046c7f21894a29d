// Draws a small form with every value edit and the month calendar into a PNG file, for looking at
// the controls without a desktop: QT_QPA_PLATFORM=offscreen controls_gallery /tmp/controls.png [locale]

#include "controls/MonthCalendar.h"
#include "controls/VRNDurationEdit.h"
#include "controls/VRNFloatEdit.h"
#include "controls/VRNIntegerEdit.h"
#include "controls/VRNTimeEdit.h"
#include "foundation/DateTime.h"
#include "foundation/International.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPixmap>
#include <clocale>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    if (argc < 2) {
        std::fprintf(stderr, "usage: controls_gallery <file.png> [locale]\n");
        return 2;
    }
    ScopedUserLocale locale(argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString());

    QWidget form;
    auto* row = new QHBoxLayout(&form);
    auto* fields = new QFormLayout;
    row->addLayout(fields);

    auto* time = new TVRNTimeEdit;
    time->SetValue(EncodeTVRNTime(8, 30, 0, 0));
    fields->addRow(QStringLiteral("Time"), time);
    auto* end = new TVRNTimeEdit;
    end->SetValue(1.0);
    fields->addRow(QStringLiteral("End of day"), end);
    auto* duration = new TVRNDurationEdit;
    duration->SetValue(EncodeDurationHours(36, 5, 0, 0));
    fields->addRow(QStringLiteral("Duration"), duration);
    auto* integer = new TVRNIntegerEdit;
    integer->SetMinValue(1);
    integer->SetMaxValue(31);
    integer->SetValue(15);
    fields->addRow(QStringLiteral("Integer"), integer);
    auto* invalid = new TVRNIntegerEdit;
    invalid->SetMinValue(1);
    invalid->SetMaxValue(31);
    invalid->selectAll();
    invalid->findChild<QLineEdit*>()->insert(QStringLiteral("0")); // as typed: shown bold and red
    fields->addRow(QStringLiteral("Invalid"), invalid);
    auto* number = new TVRNFloatEdit;
    number->SetMaxValue(24);
    number->SetValue(7.5);
    fields->addRow(QStringLiteral("Hours per day"), number);

    auto* calendar = new TvrnMonthCalendar;
    calendar->setCurrentPage(2024, 3);
    calendar->SetOnGetDayState([](TvrnMonthCalendar&, double date, bool& bold) {
        const QDate day = QDateFromDate(date);
        bold = day.dayOfWeek() <= 5 && day.day() % 3 == 0;
    });
    row->addWidget(calendar);

    form.resize(form.sizeHint());
    form.show();
    app.processEvents();
    if (!form.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
