#include "reports_ui/FormatComboBoxes.h"

#include "foundation/DateTime.h"
#include "reports/ReportSources.h"

namespace {

void SelectId(QComboBox* box, const TGUID& id) {
    const int index = box->findData(id.ToString());
    box->setCurrentIndex(index >= 0 ? index : (box->count() > 0 ? 0 : -1));
}

TGUID IdOf(const QComboBox* box) {
    const QString text = box->currentData().toString();
    return text.isEmpty() ? TGUID() : TGUID::FromString(text);
}

} // namespace

TvrnDateFormatComboBox::TvrnDateFormatComboBox(QWidget* parent) : QComboBox(parent) {}

void TvrnDateFormatComboBox::Fill(const IHXFormattingOptions_* formatting, const TGUID& id) {
    clear();
    DateFormatterListPtr list;
    int display = fdtName;
    if (formatting) {
        const auto options = formatting->DateFormattingOptions();
        list = options->Selection()->Count() > 0 ? options->Selection() : options->Definitions();
        display = options->DisplayType();
    }
    const double today = TodayDate();
    for (int i = 0; list && i < list->Count(); ++i) {
        const DateFormatterPtr formatter = list->Items(i);
        const QString text = display == fdtFormat   ? formatter->FormatString()
                             : display == fdtSample ? formatter->Format(today)
                                                    : formatter->Name();
        addItem(text, formatter->Id().ToString());
    }
    if (count() == 0) {
        const DateFormatterPtr formatter = ReportDateFormatter(formatting, TGUID());
        addItem(formatter->Name(), formatter->Id().ToString());
    }
    SelectId(this, id);
}

TGUID TvrnDateFormatComboBox::SelectedId() const {
    return IdOf(this);
}

TvrnDurationFormatComboBox::TvrnDurationFormatComboBox(QWidget* parent) : QComboBox(parent) {}

void TvrnDurationFormatComboBox::Fill(const IHXFormattingOptions_* formatting, const TGUID& id) {
    clear();
    DurationFormatterListPtr list;
    if (formatting) {
        const auto options = formatting->DurationFormattingOptions();
        list = options->Selection()->Count() > 0 ? options->Selection() : options->Definitions();
    }
    for (int i = 0; list && i < list->Count(); ++i)
        addItem(list->Items(i)->Name(), list->Items(i)->Id().ToString());
    if (count() == 0) {
        const DurationFormatterPtr formatter = ReportDurationFormatter(formatting, TGUID());
        addItem(formatter->Name(), formatter->Id().ToString());
    }
    SelectId(this, id);
}

TGUID TvrnDurationFormatComboBox::SelectedId() const {
    return IdOf(this);
}
