#include "formatting_ui/DateFormatterDlg.h"

#include "formatting/DateFormatterList.h"
#include "formatting_ui/CalendarComboBox.h"
#include "formatting_ui/LocaleComboBox.h"
#include "foundation/DateTime.h"
#include "foundation/Translation.h"
#include "foundation/platform/DatePicture.h"
#include "ui/MessageBox.h"
#include "ui/OKCancelPanel.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int MaximumPictureLength = 250;

/// Menu captions show "&" as it is.
QString MenuText(const QString& text) {
    QString escaped = text;
    return escaped.replace(u'&', QStringLiteral("&&"));
}

} // namespace

std::vector<TDateElementEntry> DateElementEntries(const QString& eraName, const QString& dateSeparator) {
    const auto element = [](const char* description, const QString& text) {
        return TDateElementEntry{Tr(description), text, text, 0};
    };
    std::vector<TDateElementEntry> entries{
        element(TrNoop("Day"), QStringLiteral("d")),
        element(TrNoop("Day (2 digits)"), QStringLiteral("dd")),
        element(TrNoop("Day Name (short)"), QStringLiteral("ddd")),
        element(TrNoop("Day Name (full)"), QStringLiteral("dddd")),
        TDateElementEntry{},
        element(TrNoop("Month"), QStringLiteral("M")),
        element(TrNoop("Month (2 digits)"), QStringLiteral("MM")),
        element(TrNoop("Month Name (short)"), QStringLiteral("MMM")),
        element(TrNoop("Month Name (full)"), QStringLiteral("MMMM")),
        TDateElementEntry{},
        element(TrNoop("Year (2 digits)"), QStringLiteral("yy")),
        element(TrNoop("Year (4 digits)"), QStringLiteral("yyyy")),
        TDateElementEntry{},
    };
    if (!eraName.isEmpty())
        entries.push_back(element(TrNoop("Period/Era"), QStringLiteral("gg")));
    // The caret stops between the quotes, where the literal text goes.
    entries.push_back(TDateElementEntry{Tr("Text"), QStringLiteral("''"), QStringLiteral("''"), 1});
    if (!dateSeparator.isEmpty())
        entries.push_back(TDateElementEntry{Tr("Separator"), dateSeparator, QuotePatternText(dateSeparator), 0});
    return entries;
}

TfrmDateFormatterDlg::TfrmDateFormatterDlg(QWidget* parent)
    : ThxBaseForm(parent), m_name(new QLineEdit(this)), m_language(new TvrnLocaleComboBox(this)),
      m_calendar(new TvrnCalendarComboBox(this)), m_format(new QLineEdit(this)),
      m_elementsButton(new QPushButton(Tr("&Format elements"), this)), m_elements(new QMenu(this)),
      m_predefined(new QMenu(Tr("Predefined"), this)), m_sample(new QLabel(this)), m_panel(new TOKCancelPanel(this)) {
    setObjectName(QStringLiteral("frmDateFormatterDlg"));
    setWindowTitle(Tr("Date Format"));

    auto* explanation = new QLabel(Tr("Define your own date format. Choose the language which will be used for "
                                      "this format from the list of languages."),
                                   this);
    explanation->setWordWrap(true);
    m_format->setMaxLength(MaximumPictureLength);
    m_elementsButton->setMenu(m_elements);
    QFont bold = m_sample->font();
    bold.setBold(true);
    m_sample->setFont(bold);
    m_sample->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_panel->SetButtons(true, true, false);
    m_panel->Translate();

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    const auto addRow = [this, grid](int row, const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
    };
    addRow(0, Tr("Name:"), m_name);
    addRow(1, Tr("Language:"), m_language);
    addRow(2, Tr("Calendar:"), m_calendar);
    auto* formatRow = new QHBoxLayout;
    formatRow->addWidget(m_format, 1);
    formatRow->addWidget(m_elementsButton);
    auto* formatLabel = new QLabel(Tr("Format:"), this);
    formatLabel->setBuddy(m_format);
    grid->addWidget(formatLabel, 3, 0);
    grid->addLayout(formatRow, 3, 1);
    grid->addWidget(m_sample, 4, 1);
    grid->setColumnStretch(1, 1);
    m_language->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_language->setMinimumContentsLength(20);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 0);
    layout->addWidget(explanation);
    layout->addSpacing(8);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addWidget(m_panel);

    // Designed for a client area of 344 x 318; a larger dialog font may need more.
    setFixedSize(QSize(344, 318).expandedTo(layout->totalMinimumSize()));

    connect(m_panel, &TOKCancelPanel::OKClicked, this, &TfrmDateFormatterDlg::accept);
    connect(m_language, &QComboBox::activated, this, &TfrmDateFormatterDlg::LanguageChosen);
    connect(m_calendar, &QComboBox::activated, this, &TfrmDateFormatterDlg::CalendarChosen);
    connect(m_name, &QLineEdit::textChanged, this, &TfrmDateFormatterDlg::UpdateSample);
    connect(m_format, &QLineEdit::textChanged, this, &TfrmDateFormatterDlg::UpdateSample);
}

void TfrmDateFormatterDlg::SetFormatter(std::shared_ptr<TDateFormatterLocDepUser> formatter) {
    if (!formatter)
        formatter = std::make_shared<TDateFormatterLocDepUser>();
    m_name->setText(formatter->Name());
    m_language->SelectLocale(formatter->Locale());
    m_calendar->SetLocale(m_language->SelectedLocale());
    RebuildElementMenu();
    m_calendar->SelectCalendar(formatter->CalendarId());
    m_format->setText(formatter->FormatString());
    RebuildElementMenu();
    UpdateSample();
    m_formatter = std::move(formatter);
}

void TfrmDateFormatterDlg::LanguageChosen() {
    m_calendar->SetLocale(m_language->SelectedLocale());
    RebuildElementMenu();
    UpdateSample();
}

void TfrmDateFormatterDlg::CalendarChosen() {
    RebuildElementMenu();
    UpdateSample();
}

void TfrmDateFormatterDlg::FormatSettingsChanged() {
    UpdateSample();
}

void TfrmDateFormatterDlg::RebuildElementMenu() {
    const LCID locale = m_language->SelectedLocale();
    const CALID calendar = m_calendar->SelectedCalendar();
    m_elements->clear();
    m_predefined->clear();

    const TDateFormatterListSystem predefined(locale, calendar);
    for (int i = 0; i < predefined.Count(); ++i) {
        const QString picture = predefined.Items(i)->FormatString();
        connect(m_predefined->addAction(MenuText(picture)), &QAction::triggered, this,
                [this, picture] { ReplaceFormat(picture); });
    }
    m_predefined->setEnabled(!m_predefined->isEmpty());
    m_elements->addMenu(m_predefined);
    m_elements->addSeparator();

    const QString era =
        locale != 0 && calendar != 0 ? EnumCalendarInfo(locale, calendar, CAL_SERASTRING).value(0) : QString();
    const QString separator = locale != 0 ? GetLocaleInfo(locale, LOCALE_SDATE) : QString();
    for (const TDateElementEntry& entry : DateElementEntries(era, separator)) {
        if (entry.IsSeparator()) {
            m_elements->addSeparator();
            continue;
        }
        // A tab puts the element into the menu's right-hand column.
        QAction* action = m_elements->addAction(MenuText(entry.Description) + u'\t' + MenuText(entry.Element));
        connect(action, &QAction::triggered, this,
                [this, inserted = entry.Inserted, back = entry.CaretBack] { InsertElement(inserted, back); });
    }
}

void TfrmDateFormatterDlg::InsertElement(const QString& text, int caretBack) {
    m_format->insert(text); // replaces the selection; the caret ends behind the text
    m_format->setCursorPosition(std::max(0, m_format->cursorPosition() - caretBack));
    m_format->setFocus();
    UpdateSample();
}

void TfrmDateFormatterDlg::ReplaceFormat(const QString& picture) {
    m_format->setText(picture);
    m_format->setFocus();
    UpdateSample();
}

QString TfrmDateFormatterDlg::Sample() const {
    return m_sample->text();
}

void TfrmDateFormatterDlg::UpdateSample() {
    if (m_format->text().isEmpty()) {
        m_sample->clear();
        return;
    }
    TDateFormatterLocDepUser scratch;
    scratch.SetFormatString(m_format->text());
    scratch.SetLocale(m_language->SelectedLocale());
    scratch.SetCalendarId(m_calendar->SelectedCalendar());
    m_sample->setText(scratch.Format(TodayDate()));
}

void TfrmDateFormatterDlg::accept() {
    const auto refuse = [this](const QString& message, QLineEdit* edit) {
        ShowMessageBox(this, Tr("Date Format"), message, MessageBoxKind::Error);
        edit->setFocus();
    };
    if (m_name->text().isEmpty())
        return refuse(Tr("Please enter a name for this date format."), m_name);
    if (m_format->text().isEmpty())
        return refuse(Tr("Please specify the date format."), m_format);
    if (!m_formatter)
        m_formatter = std::make_shared<TDateFormatterLocDepUser>();
    m_formatter->SetName(m_name->text());
    m_formatter->SetFormatString(m_format->text());
    m_formatter->SetLocale(m_language->SelectedLocale());
    m_formatter->SetCalendarId(m_calendar->SelectedCalendar());
    ThxBaseForm::accept();
}

bool ExecuteDateFormatterDlg(QWidget* parent, std::shared_ptr<TDateFormatterLocDepUser>& formatter,
                             const std::function<void(QWidget*)>& addCurrent,
                             const std::function<void(QWidget*)>& removeCurrent) {
    TfrmDateFormatterDlg dialog(parent);
    dialog.SetFormatter(formatter);
    if (ExecAsCurrentWindow(dialog, addCurrent, removeCurrent) != QDialog::Accepted)
        return false;
    formatter = dialog.Formatter();
    return true;
}
