#include "worksheet_ui/WorksheetForm.h"

#include "addins/ApplicationInterface.h"
#include "calendar/Calendar.h"
#include "controls/MonthCalendar.h"
#include "formatting/DateFormatterBuiltIn.h"
#include "formatting/DateFormatterList.h"
#include "formatting/DateFormattingOptions.h"
#include "formatting/DurationFormatter.h"
#include "formatting/FormattingOptions.h"
#include "foundation/DateTime.h"
#include "foundation/Log.h"
#include "foundation/Translation.h"
#include "foundation/VRNException.h"
#include "foundation/VRNTools.h"
#include "model/ActivityImages.h"
#include "model/ActivityLocator.h"
#include "model/EntryList.h"
#include "model/PropertyHelpers.h"
#include "model/PropertyInterfaces.h"
#include "storage/StorageInterfaces.h"
#include "ui/ActivityIcons.h"
#include "ui/BusyCursor.h"
#include "ui/MessageBox.h"
#include "ui/OKCancelPanel.h"
#include "ui/ProgramClosing.h"
#include "ui/ShortcutText.h"
#include "worksheet/PlausibilityCheck.h"
#include "worksheet/WorkingDays.h"
#include "worksheet_ui/ActivityEntryHolder.h"
#include "worksheet_ui/FindProblemForm.h"
#include "worksheet_ui/GridEditors.h"
#include "worksheet_ui/HolidayBookerForm.h"
#include "worksheet_ui/StringGrid.h"
#include "worksheet_ui/WorksheetCellDelegate.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cmath>

namespace {

const QString kProduct = QStringLiteral("Varnelo Horalux");
const QString kWorksheetSection = QStringLiteral("worksheet");
const QString kMarkerKey = QStringLiteral("marker");
const QString kDateFormatKey = QStringLiteral("dateformat");
constexpr int kColumns = 4;

/// A row's colours: red on yellow for an entry of the problem list.
void SetRowColours(QTableWidgetItem* item, bool problem) {
    if (problem) {
        item->setBackground(QColor(Qt::yellow));
        item->setForeground(QColor(Qt::red));
    } else {
        item->setData(Qt::BackgroundRole, QVariant());
        item->setData(Qt::ForegroundRole, QVariant());
    }
}

} // namespace

TfrmWorksheet::TfrmWorksheet(QWidget* parent)
    : ThxBaseForm(parent), m_durationFormatter(std::make_shared<TDurationFormatterHM>()),
      m_dateFormatter(std::make_shared<TDateFormatterGregorianLongDate>()) {
    setWindowTitle(FormatPlaceholders(Tr("%1 Worksheet"), {kProduct}));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowMinimizeButtonHint);
    setSizeGripEnabled(true);

    m_reference = new QComboBox(this);
    m_reference->setEditable(true);
    m_reference->hide();

    CreateActions();
    m_toolBar = CreateToolBar();

    m_calendar = new TvrnMonthCalendar(this);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::ISOWeekNumbers);
    m_calendar->setSelectedDate(QDateFromDate(TodayDate()));
    m_calendar->SetOnGetDayState([this](TvrnMonthCalendar&, double date, bool& bold) { DayState(date, bold); });
    connect(m_calendar, &QCalendarWidget::selectionChanged, this, [this] {
        if (!m_suppressCalendarClicks)
            ShowDay(DateFromQDate(m_calendar->selectedDate()));
    });

    m_grid = new TvrnStringGrid(this);
    m_grid->setItemDelegate(new TWorksheetCellDelegate(m_grid));
    m_grid->setIconSize(QSize(16, 16));
    m_grid->setHorizontalHeaderLabels({Tr("Start"), Tr("End"), Tr("Activity"), Tr("Duration")});
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    m_grid->horizontalHeader()->setStretchLastSection(false);
    m_grid->SetRowCount(1);
    m_grid->installEventFilter(this);
    connect(m_grid, &TvrnStringGrid::NewLineRequested, this, &TfrmWorksheet::NewLineRequested);
    connect(m_grid, &TvrnStringGrid::CellSelected, this, [this] { UpdateActions(); });
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) { SortBy(column); });

    // The four editors: created hidden, bound to the grid, their changes handled alike.
    m_startEdit = new TVRNActivityFromTimeEdit(this);
    m_endEdit = new TVRNActivityToTimeEdit(this);
    m_activityEdit = new TVRNActivityActivityEdit(this);
    m_durationEdit = new TVRNActivityDurationEdit(this);
    m_grid->SetColumnEditor(0, m_startEdit);
    m_grid->SetColumnEditor(1, m_endEdit);
    m_grid->SetColumnEditor(2, m_activityEdit);
    m_grid->SetColumnEditor(3, m_durationEdit);
    connect(m_startEdit, &TVRNActivityTimeEdit::EntryChanged, this, &TfrmWorksheet::RowChanged);
    connect(m_endEdit, &TVRNActivityTimeEdit::EntryChanged, this, &TfrmWorksheet::RowChanged);
    connect(m_activityEdit, &TVRNActivityActivityEdit::EntryChanged, this, &TfrmWorksheet::RowChanged);
    connect(m_durationEdit, &TVRNActivityDurationEdit::EntryChanged, this, &TfrmWorksheet::RowChanged);

    m_lblTotal = new QLabel(this);
    m_lblShould = new QLabel(this);
    m_lblBalance = new QLabel(this);
    m_panel = new TOKCancelPanel(this);
    m_panel->SetButtons(true, true, true);
    m_panel->ApplyButton()->setEnabled(false);
    connect(m_panel, &TOKCancelPanel::OKClicked, this, &TfrmWorksheet::accept);
    connect(m_panel, &TOKCancelPanel::ApplyClicked, this, [this] { Apply(); });

    auto* left = new QVBoxLayout;
    left->setContentsMargins(0, 0, 0, 0);
    left->addWidget(m_calendar);
    left->addWidget(m_lblBalance);
    left->addStretch(1);

    auto* right = new QVBoxLayout;
    right->setContentsMargins(0, 0, 0, 0);
    right->setSpacing(0);
    right->addWidget(CreateDayHeader());
    right->addWidget(m_grid, 1);
    auto* status = new QHBoxLayout;
    status->setContentsMargins(0, 4, 0, 0);
    status->addStretch(1);
    status->addWidget(m_lblTotal);
    status->addSpacing(16);
    status->addWidget(m_lblShould);
    right->addLayout(status);

    auto* middle = new QHBoxLayout;
    middle->setContentsMargins(6, 4, 6, 0);
    middle->setSpacing(6);
    middle->addLayout(left);
    middle->addLayout(right, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolBar);
    layout->addLayout(middle, 1);
    layout->addWidget(m_panel);

    // Alt with the movement keys moves the calendar from anywhere in the window.
    QApplication::instance()->installEventFilter(this);

    setMinimumSize(590, 300);
    resize(590, 424);
    SetPositionName(QStringLiteral("Worksheet"), true);
    UpdateActions();
}

TfrmWorksheet::~TfrmWorksheet() {
    QApplication::instance()->removeEventFilter(this);
    StoreMarker();
    if (m_tree)
        m_tree->RemoveNotify(this);
    m_grid->ClearRowObjects();
    m_current.reset();
    m_days.reset();
    ReleaseStorage();
}

void TfrmWorksheet::CreateActions() {
    struct Definition {
        const char* caption;
        const char* hint;
        QString shortcut;
        int image;
    };
    const std::array<Definition, CommandCount> definitions = {{
        {TrNoop("New Entry"), TrNoop("Create a new entry"), Tr("^N..New Entry"), 0},
        {TrNoop("Join similar entries"), TrNoop("Join similar entries"), Tr("^J..Join similar entries"), 8},
        {TrNoop("Delete Selected Entry"), TrNoop("Delete selected entry"), Tr("^D..Delete Selected Entry"), 7},
        {TrNoop("Sort Entries"), TrNoop("Sort entries"), Tr("^S..Sort Entries"), 6},
        {TrNoop("Sort by From Time"), nullptr, Tr("^R..Sort by From Time"), -1},
        {TrNoop("Sort by To Time"), nullptr, Tr("^T..Sort by To Time"), -1},
        {TrNoop("Sort by Activity"), nullptr, Tr("^A..Sort by Activity"), -1},
        {TrNoop("Sort by Duration"), nullptr, Tr("^U..Sort by Duration"), -1},
        {TrNoop("Enter a vacation"), TrNoop("Enter a vacation"), Tr("^E..Enter vacation"), 9},
        {TrNoop("Perform plausibility test"), TrNoop("Perform plausibility test"),
         Tr("^P..Perform a plausibility test"), 11},
        {TrNoop("Mark highlighted entries as correct"), TrNoop("Mark highlighted entries as correct"),
         Tr("^M..Mark highlighted entries as correct"), 12},
        {TrNoop("Go to previous day"), TrNoop("Go to previous day"), QStringLiteral("Alt+Left"), -1},
        {TrNoop("Go to next day"), TrNoop("Go to next day"), QStringLiteral("Alt+Right"), -1},
    }};
    const QStringList images = ActivityToolbarResources();
    for (int i = 0; i < CommandCount; ++i) {
        const Definition& definition = definitions[static_cast<size_t>(i)];
        auto* action = new QAction(Tr(definition.caption), this);
        if (definition.hint) {
            action->setToolTip(Tr(definition.hint));
            action->setStatusTip(Tr(definition.hint));
        }
        action->setShortcut(ShortcutFromText(definition.shortcut));
        action->setShortcutContext(Qt::WindowShortcut);
        if (definition.image >= 0)
            action->setIcon(ImageIcon(images.value(definition.image)));
        const auto command = static_cast<Command>(i);
        connect(action, &QAction::triggered, this, [this, command] { Execute(command); });
        addAction(action);
        m_actions[i] = action;
    }
    for (Command radio : {actSortFromTime, actSortToTime, actSortActivity, actSortDuration})
        m_actions[radio]->setCheckable(true);
    m_actions[actSortFromTime]->setChecked(true);
}

QToolBar* TfrmWorksheet::CreateToolBar() {
    auto* bar = new QToolBar(this);
    bar->setIconSize(QSize(16, 16));
    m_marker = new QComboBox(bar);
    m_marker->setFixedWidth(220);
    m_marker->addItems({Tr("Highlight empty workdays"), Tr("Highlight incomplete days"), Tr("Highlight changed days")});
    m_marker->setCurrentIndex(0);
    connect(m_marker, &QComboBox::currentIndexChanged, this, [this] { RefreshDayStates(); });
    bar->addWidget(m_marker);
    bar->addSeparator();
    bar->addAction(m_actions[actNew]);
    bar->addAction(m_actions[actWork]);
    bar->addAction(m_actions[actDelete]);
    m_sortMenu = new QMenu(this);
    for (Command item : {actSortFromTime, actSortToTime, actSortActivity, actSortDuration})
        m_sortMenu->addAction(m_actions[item]);
    m_actions[actSort]->setMenu(m_sortMenu);
    bar->addAction(m_actions[actSort]);
    if (auto* sortButton = qobject_cast<QToolButton*>(bar->widgetForAction(m_actions[actSort])))
        sortButton->setPopupMode(QToolButton::MenuButtonPopup);
    bar->addAction(m_actions[actHoliday]);
    bar->addAction(m_actions[actFindProblems]);
    bar->addAction(m_actions[actSolveProblem]);
    return bar;
}

QWidget* TfrmWorksheet::CreateDayHeader() {
    m_dayHeader = new QWidget(this);
    m_dayHeader->setAutoFillBackground(true);
    QPalette palette = m_dayHeader->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::WindowText, Qt::white);
    m_dayHeader->setPalette(palette);
    m_prevDayButton = new QToolButton(m_dayHeader);
    m_prevDayButton->setArrowType(Qt::LeftArrow);
    m_prevDayButton->setAutoRaise(true);
    m_prevDayButton->setFocusPolicy(Qt::NoFocus);
    m_prevDayButton->setToolTip(m_actions[actPrevDay]->toolTip());
    m_nextDayButton = new QToolButton(m_dayHeader);
    m_nextDayButton->setArrowType(Qt::RightArrow);
    m_nextDayButton->setAutoRaise(true);
    m_nextDayButton->setFocusPolicy(Qt::NoFocus);
    m_nextDayButton->setToolTip(m_actions[actNextDay]->toolTip());
    // A double click counts as a second click (the button takes it as a press).
    connect(m_prevDayButton, &QToolButton::clicked, m_actions[actPrevDay], &QAction::trigger);
    connect(m_nextDayButton, &QToolButton::clicked, m_actions[actNextDay], &QAction::trigger);
    m_dayLabel = new QLabel(m_dayHeader);
    QFont bold = m_dayLabel->font();
    bold.setBold(true);
    m_dayLabel->setFont(bold);
    m_dayLabel->setAlignment(Qt::AlignCenter);
    m_dayLabel->setContextMenuPolicy(Qt::CustomContextMenu);
    m_dayLabel->setToolTip(Tr("Right-click to choose the date format"));
    connect(m_dayLabel, &QLabel::customContextMenuRequested, this, &TfrmWorksheet::ShowDateFormatMenu);
    auto* layout = new QHBoxLayout(m_dayHeader);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->addWidget(m_prevDayButton);
    layout->addWidget(m_dayLabel, 1);
    layout->addWidget(m_nextDayButton);
    return m_dayHeader;
}

void TfrmWorksheet::Initialize(IApplication_& application) {
    m_application = &application;
    m_storage = application.GetTypedStorage();
    m_days = std::make_unique<TWorkingDays>(m_storage);
    m_tree = application.GetActivityTree();
    if (m_tree)
        m_tree->AddNotify(this);
    UseStoredDateFormat();
}

void TfrmWorksheet::UseStoredDateFormat() {
    const auto options = m_application ? m_application->GetFormattingOptions() : nullptr;
    if (!options || !options->DateFormattingOptions())
        return;
    const TGUID id = FindGUIDDef(m_application->GetOptions(kWorksheetSection), kDateFormatKey, TGUID());
    if (id.IsNull())
        return;
    if (const DateFormatterPtr chosen = options->DateFormattingOptions()->Definitions()->FindById(id))
        m_dateFormatter = chosen;
}

void TfrmWorksheet::ShowDateFormatMenu(const QPoint& position) {
    const auto options = m_application ? m_application->GetFormattingOptions() : nullptr;
    if (!options || !options->DateFormattingOptions())
        return;
    const DateFormatterListPtr selection = options->DateFormattingOptions()->Selection();
    QMenu menu(this);
    for (int i = 0; i < selection->Count(); ++i) {
        const DateFormatterPtr formatter = selection->Items(i);
        QAction* item = menu.addAction(formatter->Name() + QStringLiteral("\t") + formatter->Format(m_shownDate));
        item->setCheckable(true);
        item->setChecked(formatter->Id() == m_dateFormatter->Id());
        connect(item, &QAction::triggered, this, [this, formatter] {
            m_dateFormatter = formatter;
            m_application->GetOptions(kWorksheetSection)->Items(kDateFormatKey)->SetAsGUID(formatter->Id());
            m_dayLabel->setText(m_dateFormatter->Format(m_shownDate));
        });
    }
    menu.exec(m_dayLabel->mapToGlobal(position));
}

QAction* TfrmWorksheet::Action(Command command) const {
    return command >= 0 && command < CommandCount ? m_actions[command] : nullptr;
}

DayEntryListPtr TfrmWorksheet::WorkingCopy(double date) {
    return m_days ? m_days->Get(date) : nullptr;
}

ActivityEntryPtr TfrmWorksheet::RowEntry(int row) const {
    return EntryOfRow(m_grid, row);
}

// --- showing a day

void TfrmWorksheet::GoToDate(double date) {
    m_suppressCalendarClicks = true;
    m_calendar->setSelectedDate(QDateFromDate(date));
    m_suppressCalendarClicks = false;
    ShowDay(date);
}

void TfrmWorksheet::ShowDay(double date) {
    date = std::floor(date);
    m_shownDate = date;
    m_dayLabel->setText(m_dateFormatter->Format(date));
    m_current = WorkingCopy(date);
    m_grid->ClearRowObjects();
    if (m_problems && (m_problems->Count() == 0 || !TimesEqual(DateOf(m_problems->Items(0)->Date()), date)))
        m_problems.reset();

    const bool hadEditor = m_grid->EditorMode();
    m_grid->SetEditorMode(false);
    if (m_current) {
        m_grid->setEnabled(true);
        m_grid->setBackgroundRole(QPalette::Base);
        const int count = m_current->Count();
        m_grid->SetRowCount(count + 1);
        for (int i = 0; i < count; ++i) {
            if (auto entry = std::dynamic_pointer_cast<IHXActivityEntry_>(m_current->Items(i)))
                m_grid->SetRowObject(i, std::make_unique<TActivityEntryHolder>(entry));
            DrawRow(i);
        }
        DrawEmptyRow(count);
        m_grid->SelectCell(0, 0);
        m_grid->SetEditorMode(hadEditor || m_grid->hasFocus());
    } else {
        m_grid->setEnabled(false);
        m_grid->setBackgroundRole(QPalette::Window);
        m_grid->SetRowCount(1);
        DrawEmptyRow(0);
        m_grid->SelectCell(0, 0);
    }
    ScheduleTotals();
    SortGrid();
    FillActivitySuggestions(date);
    UpdateActions();
}

void TfrmWorksheet::FillActivitySuggestions(double date) {
    m_activityEdit->BeginUpdate();
    m_activityEdit->Clear();
    for (double day = date - 8; day <= date + 9; ++day) {
        const DayEntryListPtr list = WorkingCopy(day);
        if (!list)
            continue;
        for (int i = 0; i < list->Count(); ++i)
            if (auto entry = std::dynamic_pointer_cast<IHXActivityEntry_>(list->Items(i)))
                if (entry->Locator() && !entry->Locator()->ID().IsNull())
                    m_activityEdit->Add(entry->Locator());
    }
    m_activityEdit->EndUpdate();
    m_grid->RefreshEditor();
}

void TfrmWorksheet::DrawRow(int row) {
    const ActivityEntryPtr entry = RowEntry(row);
    if (!entry) {
        DrawEmptyRow(row);
        return;
    }
    const bool problem = m_problems && m_problems->IndexOf(entry) >= 0;
    QString path;
    QIcon icon;
    if (const ActivityLocatorPtr locator = entry->Locator()) {
        try {
            path = locator->GetActivityPathName(m_tree);
        } catch (const std::exception&) {
            path = locator->Name();
        }
        if (m_tree)
            if (const ActivityPtr activity = locator->FindActivity(m_tree))
                icon = ActivityIcon(activity->ImageIndex());
    }
    const QString texts[kColumns] = {m_startEdit->FormatValue(entry->StartTime()),
                                     m_endEdit->FormatValue(entry->EndTime()), path,
                                     m_durationEdit->FormatValue(entry->Duration())};
    for (int column = 0; column < kColumns; ++column) {
        QTableWidgetItem* item = m_grid->item(row, column);
        if (!item) {
            item = new QTableWidgetItem;
            m_grid->setItem(row, column, item);
        }
        item->setText(texts[column]);
        item->setIcon(column == TWorksheetCellDelegate::ActivityColumn ? icon : QIcon());
        SetRowColours(item, problem);
    }
    ScheduleTotals();
    UpdateActions();
}

void TfrmWorksheet::DrawEmptyRow(int row) {
    for (int column = 0; column < kColumns; ++column) {
        QTableWidgetItem* item = m_grid->item(row, column);
        if (!item) {
            item = new QTableWidgetItem;
            m_grid->setItem(row, column, item);
        }
        item->setText(QString());
        item->setIcon(QIcon());
        SetRowColours(item, false);
    }
}

void TfrmWorksheet::RedrawAllRows() {
    for (int row = 0; row < m_grid->rowCount(); ++row)
        DrawRow(row);
    m_grid->RefreshEditor();
}

void TfrmWorksheet::RowChanged(int row) {
    DrawRow(row);
    SetModified();
    RefreshDayStates();
}

void TfrmWorksheet::SetModified() {
    m_panel->ApplyButton()->setEnabled(true);
}

bool TfrmWorksheet::ApplyEnabled() const {
    return m_panel->ApplyButton()->isEnabled();
}

void TfrmWorksheet::UpdateActions() {
    const int count = m_current ? m_current->Count() : 0;
    m_actions[actNew]->setEnabled(m_current != nullptr);
    m_actions[actDelete]->setEnabled(m_current && RowEntry(m_grid->currentRow()) != nullptr);
    m_actions[actWork]->setEnabled(count > 1);
    m_actions[actSolveProblem]->setEnabled(m_problems && m_problems->Count() > 0);
    m_actions[actPrevDay]->setEnabled(m_current != nullptr);
    m_actions[actNextDay]->setEnabled(m_current != nullptr);
}

// --- totals and calendar states

void TfrmWorksheet::ScheduleTotals() {
    if (m_totalsPending)
        return;
    m_totalsPending = true;
    QTimer::singleShot(0, this, &TfrmWorksheet::UpdateTotals);
}

void TfrmWorksheet::UpdateTotals() {
    if (!m_totalsPending)
        return;
    m_totalsPending = false;
    if (!m_current) {
        m_lblTotal->clear();
        m_lblShould->clear();
        m_lblBalance->clear();
        return;
    }
    const double total = WorkedTime(*m_current);
    double required = 0;
    if (m_application)
        if (const auto calendar = m_application->GetCalendar())
            required = calendar->GetWorkTime(m_shownDate, m_shownDate);
    m_lblTotal->setText(FormatPlaceholders(Tr("Total: %1"), {m_durationFormatter->Format(total)}));
    m_lblShould->setText(FormatPlaceholders(Tr("Required time: %1"), {m_durationFormatter->Format(required)}));
    const bool short_ = total < required - OneMillisecond;
    QFont font = m_lblShould->font();
    font.setBold(short_);
    m_lblShould->setFont(font);
    QPalette palette = m_lblShould->palette();
    palette.setColor(QPalette::WindowText, short_ ? QColor(Qt::red) : this->palette().color(QPalette::WindowText));
    m_lblShould->setPalette(palette);

    const double balance = MonthBalance();
    const QString sign = balance <= -OneMinute / 2 ? QStringLiteral("-") : QStringLiteral("+");
    m_lblBalance->setText(
        FormatPlaceholders(Tr("Balance of the month: %1"), {sign + m_durationFormatter->Format(std::abs(balance))}));
}

double TfrmWorksheet::MonthBalance() {
    const QDate shown = QDateFromDate(m_shownDate);
    const auto calendar = m_application ? m_application->GetCalendar() : nullptr;
    double balance = 0;
    for (double day = DateFromQDate(QDate(shown.year(), shown.month(), 1)); day <= m_shownDate; ++day) {
        const DayEntryListPtr list = WorkingCopy(day);
        if (!list)
            continue;
        // A vacation entry books the day's required time, so a vacation day balances out.
        balance += WorkedTime(*list) - (calendar ? calendar->GetWorkTime(day, day) : 0.0);
    }
    return balance;
}

void TfrmWorksheet::RefreshDayStates() {
    m_calendar->UpdateDayStates();
}

void TfrmWorksheet::DayState(double date, bool& bold) {
    if (!m_days)
        return;
    const DayEntryListPtr list = WorkingCopy(date);
    double required = 0;
    const auto marker = static_cast<TDayMarker>(std::max(0, m_marker->currentIndex()));
    if (marker == TDayMarker::IncompleteDays && list && m_application)
        if (const auto calendar = m_application->GetCalendar())
            required = calendar->GetWorkTime(date, date);
    bold = DayIsMarked(marker, date, TodayDate(), list.get(), required);
}

// --- commands

void TfrmWorksheet::Execute(Command command) {
    switch (command) {
    case actNew:
        NewEntry();
        break;
    case actWork:
        JoinEntries();
        break;
    case actDelete:
        DeleteEntry();
        break;
    case actSort:
        m_sortAscending = !m_sortAscending;
        SortGrid();
        break;
    case actSortFromTime:
    case actSortToTime:
    case actSortActivity:
    case actSortDuration:
        SortBy(command - actSortFromTime);
        break;
    case actSolveProblem:
        SolveProblems();
        break;
    case actPrevDay:
        if (m_current)
            StepDays(-1);
        break;
    case actNextDay:
        if (m_current)
            StepDays(1);
        break;
    case actHoliday:
        EnterVacation();
        break;
    case actFindProblems:
        FindProblems();
        break;
    case CommandCount:
        break;
    }
}

void TfrmWorksheet::NewLineRequested() {
    if (!m_current)
        return;
    const int row = m_grid->rowCount() - 1;
    const auto entry = std::dynamic_pointer_cast<IHXActivityEntry_>(m_current->AddNew());
    if (!entry)
        return;
    m_grid->SetRowObject(row, std::make_unique<TActivityEntryHolder>(entry));
    InitNewLineEntry(*entry, RowEntry(row - 1).get());
    m_grid->SetRowCount(row + 2);
    DrawRow(row);
    DrawEmptyRow(row + 1);
    RefreshDayStates();
    SetModified();
}

void TfrmWorksheet::NewEntry() {
    if (!m_current)
        return;
    const int row = m_grid->rowCount() - 1;
    m_grid->RequestNewLine();
    m_grid->SelectCell(std::max(0, m_grid->currentColumn()), row);
    m_grid->setFocus(Qt::OtherFocusReason);
    m_grid->SetEditorMode(true);
}

void TfrmWorksheet::DeleteEntry() {
    const int row = m_grid->currentRow();
    const ActivityEntryPtr entry = RowEntry(row);
    if (!m_current || !entry)
        return;
    m_current->Remove(entry);
    m_grid->SetEditorMode(false);
    m_grid->TakeRowObject(row).reset();
    const int rows = m_grid->rowCount();
    std::vector<int> order;
    for (int i = 0; i < rows; ++i)
        order.push_back(i < row ? i : i + 1);
    order.pop_back();
    m_grid->ReorderRowObjects(order);
    m_grid->SetRowCount(rows - 1);
    for (int i = row; i < rows - 1; ++i)
        DrawRow(i);
    m_grid->SelectCell(m_grid->currentColumn(), std::min(row, rows - 2));
    m_grid->SetEditorMode(m_grid->hasFocus());
    RefreshDayStates();
    SetModified();
    UpdateActions();
}

void TfrmWorksheet::JoinEntries() {
    if (!m_current)
        return;
    bool changed = false;
    {
        TBusyCursor busy;
        changed = JoinSimilarEntries(m_current);
    }
    if (!changed)
        return;
    ShowDay(m_shownDate);
    RefreshDayStates();
    SetModified();
}

void TfrmWorksheet::SortBy(int column) {
    if (column < 0 || column > 3) {
        m_sortColumn = 0;
        m_sortAscending = true;
    } else if (column == m_sortColumn) {
        m_sortAscending = !m_sortAscending;
    } else {
        m_sortColumn = column;
        m_sortAscending = true;
    }
    SortGrid();
}

void TfrmWorksheet::SortGrid() {
    const int rows = m_grid->rowCount();
    const ActivityEntryPtr current = RowEntry(m_grid->currentRow());
    std::vector<ActivityEntryPtr> entries;
    for (int row = 0; row + 1 < rows; ++row)
        if (const ActivityEntryPtr entry = RowEntry(row))
            entries.push_back(entry);
    const auto pathOf = [this](const IHXActivityEntry_& entry) {
        const ActivityLocatorPtr locator = entry.Locator();
        if (!locator)
            return QString();
        try {
            return locator->GetActivityPathName(m_tree);
        } catch (const std::exception&) {
            return locator->Name();
        }
    };
    if (static_cast<int>(entries.size()) == rows - 1 && SortRows(entries, m_sortColumn, m_sortAscending, pathOf)) {
        const bool editor = m_grid->EditorMode();
        m_grid->SetEditorMode(false);
        for (int row = 0; row + 1 < rows; ++row)
            m_grid->SetRowObject(row, std::make_unique<TActivityEntryHolder>(entries[static_cast<size_t>(row)]));
        for (int row = 0; row + 1 < rows; ++row)
            DrawRow(row);
        if (current)
            for (int row = 0; row + 1 < rows; ++row)
                if (RowEntry(row) == current)
                    m_grid->SelectCell(m_grid->currentColumn(), row);
        m_grid->SetEditorMode(editor);
    }
    CheckSortMenu();
}

void TfrmWorksheet::CheckSortMenu() {
    static constexpr Command items[] = {actSortFromTime, actSortToTime, actSortActivity, actSortDuration};
    if (m_sortColumn < 0 || m_sortColumn > 3)
        throw EMustNotHappen(QStringLiteral("TfrmWorksheet.SortGrid: unknown column"));
    for (int i = 0; i < 4; ++i)
        m_actions[items[i]]->setChecked(i == m_sortColumn);
    m_actions[actSort]->setIcon(ImageIcon(ActivityToolbarResources().value(6)));
}

void TfrmWorksheet::SolveProblems() {
    if (!m_problems || m_problems->Count() == 0)
        return;
    for (int i = 0; i < m_problems->Count(); ++i)
        m_problems->Items(i)->SetIsProblem(false);
    m_problems.reset();
    RefreshDayStates();
    ShowDay(m_shownDate);
    SetModified();
}

// --- moving in the calendar

void TfrmWorksheet::StepDays(int days) {
    GoToDate(m_shownDate + days);
}

void TfrmWorksheet::StepMonths(int months) {
    GoToDate(DateFromQDate(QDateFromDate(m_shownDate).addMonths(months)));
}

void TfrmWorksheet::MoveToMonthEdge(bool first) {
    const QDate shown = QDateFromDate(m_shownDate);
    const QDate target =
        first ? QDate(shown.year(), shown.month(), 1) : QDate(shown.year(), shown.month(), shown.daysInMonth());
    GoToDate(DateFromQDate(target));
}

void TfrmWorksheet::HandleMoveKey(int key) {
    switch (key) {
    case Qt::Key_PageUp:
        StepMonths(-1);
        break;
    case Qt::Key_PageDown:
        StepMonths(1);
        break;
    case Qt::Key_Home:
        MoveToMonthEdge(true);
        break;
    case Qt::Key_End:
        MoveToMonthEdge(false);
        break;
    case Qt::Key_Left:
        StepDays(-1);
        break;
    case Qt::Key_Right:
        StepDays(1);
        break;
    case Qt::Key_Up:
        StepDays(-7);
        break;
    case Qt::Key_Down:
        StepDays(7);
        break;
    default:
        break;
    }
}

bool TfrmWorksheet::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_grid && event->type() == QEvent::Resize)
        SetColumnWidths();
    // The window sees keys before its controls: Alt with a movement key moves the calendar.
    if (event->type() == QEvent::KeyPress && isActiveWindow()) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const int code = key->key();
            const bool moveKey = code == Qt::Key_PageUp || code == Qt::Key_PageDown || code == Qt::Key_Home ||
                                 code == Qt::Key_End || code == Qt::Key_Left || code == Qt::Key_Right ||
                                 code == Qt::Key_Up || code == Qt::Key_Down;
            if (moveKey && (key->modifiers() & Qt::AltModifier) && !(key->modifiers() & Qt::ControlModifier)) {
                HandleMoveKey(code);
                return true;
            }
        }
    }
    return ThxBaseForm::eventFilter(watched, event);
}

// --- first show, layout

void TfrmWorksheet::showEvent(QShowEvent* event) {
    ThxBaseForm::showEvent(event);
    if (m_firstShowPending) {
        m_firstShowPending = false;
        FirstShow();
    }
}

void TfrmWorksheet::FirstShow() {
    m_calendar->setFixedWidth(m_calendar->RoundWidthToMonths(m_calendar->sizeHint().width()));
    m_suppressCalendarClicks = true;
    m_calendar->setSelectedDate(QDateFromDate(TodayDate()));
    m_suppressCalendarClicks = false;
    if (m_application) {
        m_activityEdit->SetApplication(m_application);
        const PropertyListPtr section = m_application->GetOptions(kWorksheetSection);
        m_marker->setCurrentIndex(static_cast<int>(MarkerFromText(FindStringDef(section, kMarkerKey, QString()))));
    }
    RefreshDayStates();
    SetColumnWidths();
    ShowDay(DateFromQDate(m_calendar->selectedDate()));
    m_grid->SelectCell(1, 0);
    m_grid->SelectCell(0, 0);
}

void TfrmWorksheet::SetColumnWidths() {
    const int reference = m_reference->sizeHint().width();
    m_grid->verticalHeader()->setDefaultSectionSize(std::max(m_reference->sizeHint().height() - 2, 18));
    for (int column : {0, 1, 3})
        m_grid->setColumnWidth(column, reference);
    const int lines = 5 * m_grid->showGrid();
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int rest = m_grid->width() - 2 * m_grid->frameWidth() - lines - 3 * reference - scrollBar;
    m_grid->setColumnWidth(2, std::max(rest, reference));
}

void TfrmWorksheet::resizeEvent(QResizeEvent* event) {
    ThxBaseForm::resizeEvent(event);
    SetColumnWidths();
}

// --- activity tree

void TfrmWorksheet::ActivityDeleted(const ActivityPtr&) {
    RedrawAllRows();
}

void TfrmWorksheet::ActivityChanged(const ActivityPtr&) {
    RedrawAllRows();
}

void TfrmWorksheet::ChildsChanged(const ActivityPtr&) {
    RedrawAllRows();
}

void TfrmWorksheet::TreeAssigned() {
    RedrawAllRows();
}

// --- saving and closing

int TfrmWorksheet::ChangedDayCount() const {
    return m_days ? m_days->ModifiedCount() : 0;
}

bool TfrmWorksheet::SaveChanges(bool withSaveAll) {
    if (!m_days)
        return true;
    try {
        IApplication_* application = m_application;
        m_days->Save(withSaveAll && application ? std::function<void()>([application] { application->SaveAll(); })
                                                : std::function<void()>());
    } catch (const EUserCancel&) {
        return false;
    } catch (const std::exception& e) {
        LogException(QStringLiteral("TfrmWorksheet.Save"), e);
        if (!ProgramIsClosing())
            ShowErrorBox(this, windowTitle(), Tr("The changes could not be saved."), e);
        return false;
    }
    // The working copies are gone: what the rows and the problem list hold belongs to none of them.
    m_problems.reset();
    m_current.reset();
    m_panel->ApplyButton()->setEnabled(false);
    return true;
}

bool TfrmWorksheet::Apply() {
    if (!SaveChanges(true))
        return false;
    RefreshDayStates();
    ShowDay(DateFromQDate(m_calendar->selectedDate()));
    return true;
}

void TfrmWorksheet::accept() {
    // Enter stays with the grid.
    if (m_grid->OwnsFocusWidget(QApplication::focusWidget()))
        return;
    if (!SaveChanges(true))
        return;
    ReleaseStorage();
    ThxBaseForm::accept();
}

void TfrmWorksheet::reject() {
    if (ProgramIsClosing()) {
        // Nobody may be there to answer: the changed days go into the stored lists, which the
        // program saves on its way out.
        if (ApplyEnabled() && ChangedDayCount() > 0) {
            WriteLog(QStringLiteral("TfrmWorksheet: the program closes; keeping the changes of %1 day(s)")
                         .arg(ChangedDayCount()));
            SaveChanges(false);
        }
        ThxBaseForm::reject();
        return;
    }
    if (ApplyEnabled()) {
        const int count = ChangedDayCount();
        if (count > 0) {
            const QString question =
                FormatPlaceholders(TrN("You have changed the data for %1 day. Do you want to save these changes?",
                                       "You have changed the data for %1 days. Do you want to save these changes?",
                                       static_cast<unsigned long>(count)),
                                   {QString::number(count)});
            const int answer = ShowMessageBox(this, windowTitle(), question, QString(), MessageBoxKind::Question,
                                              MessageBoxButton::Yes | MessageBoxButton::No | MessageBoxButton::Cancel);
            if (answer == MessageBoxResult::Cancel)
                return;
            if (answer == MessageBoxResult::Yes && !SaveChanges(true))
                return;
        }
    }
    ReleaseStorage();
    ThxBaseForm::reject();
}

void TfrmWorksheet::StoreMarker() {
    if (!m_application)
        return;
    try {
        const PropertyListPtr section = m_application->GetOptions(kWorksheetSection);
        section->Items(kMarkerKey)->SetAsString(MarkerText(m_marker->currentIndex()));
    } catch (const std::exception& e) {
        LogException(QStringLiteral("TfrmWorksheet.Destroy"), e);
    }
}

void TfrmWorksheet::ReleaseStorage() {
    if (!m_storage)
        return;
    try {
        m_storage->ClearCache();
    } catch (const std::exception& e) {
        LogException(QStringLiteral("TfrmWorksheet.CloseQuery"), e);
    }
}

// --- plausibility test and vacation

std::vector<TBreakRule> TfrmWorksheet::BreakRules() const {
    if (!m_application)
        return {};
    const PropertyListPtr section = m_application->GetOptions(kWorksheetSection);
    if (!FindBooleanDef(section, QStringLiteral("checkbreaks"), false))
        return {};
    const auto minutes = [&](const char* key, int defaultValue) {
        return std::clamp(FindIntegerDef(section, QString::fromLatin1(key), defaultValue), 0, 24 * 60) * OneMinute;
    };
    std::vector<TBreakRule> rules = {{minutes("breakrule1work", 360), minutes("breakrule1breaks", 30)},
                                     {minutes("breakrule2work", 540), minutes("breakrule2breaks", 45)}};
    // The rule for the longer work first: it asks for more.
    std::sort(rules.begin(), rules.end(),
              [](const TBreakRule& a, const TBreakRule& b) { return a.workAbove > b.workAbove; });
    return rules;
}

void TfrmWorksheet::FindProblems() {
    if (!m_problems)
        m_problems = std::make_shared<TActivityEntryList>();
    const std::vector<TBreakRule> rules = BreakRules();
    QStringList breakFindings;
    TDateFormatterGregorianShortDate shortDate;

    double first = 0;
    bool found = false;
    if (m_storage)
        m_storage->GetExistingMinDate(first, found);
    double earliestCopy = 0;
    if (m_days && m_days->EarliestWithEntries(earliestCopy) && (!found || earliestCopy < first)) {
        first = earliestCopy;
        found = true;
    }
    first = std::floor(first);
    double day = std::floor(DateFromQDate(m_calendar->selectedDate()));

    bool problem = false;
    {
        TfrmFindProblem window(this);
        setEnabled(false);
        if (m_application)
            m_application->AddCurrentWindow(&window);
        // The worksheet comes back whatever happens on the way.
        const auto restore = qScopeGuard([&] {
            setEnabled(true);
            if (m_application)
                m_application->RemoveCurrentWindow(&window);
            window.hide();
        });
        if (found && day >= first) {
            window.ProgressBar()->setRange(0, static_cast<int>(day - first));
            window.ProgressBar()->setValue(std::min(1, static_cast<int>(day - first)));
            window.show();
            const auto cancelled = [&window] {
                QCoreApplication::processEvents();
                return window.Cancelled();
            };
            while (true) {
                if (const DayEntryListPtr list = WorkingCopy(day)) {
                    std::vector<ActivityEntryPtr> entries;
                    if (CheckDayPlausibility(*list, entries, cancelled)) {
                        m_problems->Clear();
                        for (const ActivityEntryPtr& entry : entries)
                            m_problems->Add(entry);
                        setEnabled(true);
                        GoToDate(day);
                        problem = true;
                        break;
                    }
                    double work = 0;
                    double breaks = 0;
                    const int rule = rules.empty() ? -1 : BrokenBreakRule(*list, rules, work, breaks);
                    if (rule >= 0)
                        breakFindings << FormatPlaceholders(
                            Tr("%1: %2 of work with %3 of breaks (at least %4 after %5)"),
                            {shortDate.Format(day), m_durationFormatter->Format(work),
                             m_durationFormatter->Format(breaks),
                             m_durationFormatter->Format(rules[static_cast<size_t>(rule)].breaksAtLeast),
                             m_durationFormatter->Format(rules[static_cast<size_t>(rule)].workAbove)});
                }
                window.ProgressBar()->setValue(window.ProgressBar()->value() + 1);
                QCoreApplication::processEvents();
                if (window.Cancelled() || day - 1 < first)
                    break;
                day -= 1;
            }
        }
    }
    if (problem)
        return;
    day = std::floor(DateFromQDate(m_calendar->selectedDate()));
    m_grid->viewport()->update();
    QString message =
        !found || day < first
            ? FormatPlaceholders(Tr("The plausibility test has found no data before %1."), {shortDate.Format(first)})
            : FormatPlaceholders(Tr("The plausibility test has successfully checked the data between "
                                    "%1 and %2."),
                                 {shortDate.Format(first), shortDate.Format(day)});
    if (!breakFindings.isEmpty()) {
        constexpr int shown = 10;
        QStringList lines = breakFindings.mid(0, shown);
        if (breakFindings.size() > shown)
            lines << FormatPlaceholders(Tr("and %1 more days"), {QString::number(breakFindings.size() - shown)});
        message += QStringLiteral("\n\n") + Tr("These days have fewer breaks than required:") + QStringLiteral("\n") +
                   lines.join(QLatin1Char('\n'));
    }
    ShowMessageBox(this, windowTitle(), message, MessageBoxKind::Information);
}

void TfrmWorksheet::EnterVacation() {
    if (!m_application)
        return;
    TfrmHolidayBooker dialog(this);
    dialog.Initialize(*m_application, [this](double date) { return WorkingCopy(date); });
    const int result = ExecAsCurrentWindow(
        dialog, [this](QWidget* w) { m_application->AddCurrentWindow(w); },
        [this](QWidget* w) { m_application->RemoveCurrentWindow(w); });
    if (result != QDialog::Accepted)
        return;
    ShowDay(DateFromQDate(m_calendar->selectedDate()));
    RefreshDayStates();
    SetModified();
}
