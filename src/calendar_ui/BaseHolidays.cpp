#include "calendar_ui/BaseHolidays.h"

#include "addins/ApplicationInterface.h"
#include "calendar/Day.h"
#include "calendar/HolidayFile.h"
#include "calendar/HolidayWorktimeText.h"
#include "calendar/NestedPropertyList.h"
#include "calendar_ui/HolidayDlg.h"
#include "formatting/DateFormatterBuiltIn.h"
#include "formatting/DurationFormattingOptions.h"
#include "foundation/DateTime.h"
#include "foundation/Translation.h"
#include "foundation/VRNTools.h"
#include "model/HXTools.h"
#include "model/PropertyHelpers.h"
#include "ui/ActivityIcons.h"
#include "ui/FileDialog.h"
#include "ui/MessageBox.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QString CalendarSection = QStringLiteral("calendar");
const QString HolidayListName = QStringLiteral("holidaylist");
const QString ProductName = QStringLiteral("Varnelo Horalux");

bool& ImportSwitch() {
    static bool on = false;
    return on;
}

/// The working hours of the reference day: "hours per day" of the duration formatting options.
double ReferenceWorkTime(const std::shared_ptr<IHXPropertyList_>& formatting) {
    const auto durations = NestedPropertyList(formatting, QStringLiteral("duration formatting options"));
    const double hours = GetDoubleDef(durations ? durations->Find(QStringLiteral("hours per day")) : nullptr,
                                      TDurationFormattingOptions::DefaultHoursPerDay);
    return ClampHoursPerDay(hours) / 24.0;
}

int YearOf(double date) {
    int year = 0, month = 0, day = 0;
    DecodeDate(date, year, month, day);
    return year;
}

} // namespace

bool HolidayImportEnabled() {
    return ImportSwitch();
}

void SetHolidayImportEnabled(bool on) {
    ImportSwitch() = on;
}

bool HolidayExportEnabled() {
    return false;
}

QString HolidayImportExportCaption(bool import, bool exportOn) {
    if (import && exportOn)
        return Tr("Import/Export");
    if (import)
        return Tr("Import");
    if (exportOn)
        return Tr("Export");
    return QString();
}

QStringList HolidayFileFilters() {
    const QString extension = QString::fromLatin1(HolidayFileExtension);
    return {FormatPlaceholders(Tr("Holidays (*.%1)"), {extension}),
            FormatPlaceholders(Tr("%1 files (%2)"), {ProductName, QStringLiteral("*.hx*")}), Tr("All files (*)")};
}

TfrmBaseHolidays::TfrmBaseHolidays(QWidget* parent, IHXOptionsControl_* control, THolidayPageServices services)
    : TfrmOptionsPage(parent, control), m_services(std::move(services)), m_list(new QTreeWidget(this)),
      m_currentYearOnly(new QCheckBox(Tr("Show current year only"), this)), m_importExport(new QPushButton(this)),
      m_new(new QPushButton(Tr("New"), this)), m_edit(new QPushButton(Tr("Edit"), this)),
      m_delete(new QPushButton(Tr("Delete"), this)) {
    setObjectName(QStringLiteral("frmBaseHolidays"));
    EnsureIconTheme();
    auto* image = new QLabel(this);
    const QIcon icon =
        QIcon::fromTheme(QStringLiteral("x-office-calendar"), style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    image->setPixmap(icon.pixmap(32, 32));
    image->setAlignment(Qt::AlignTop);
    auto* description =
        new QLabel(Tr("Specify the holidays for your country or region. You can add new holidays and enter the name, "
                      "date and required time. You can enter an individual required time for existing holidays, too."),
                   this);
    description->setWordWrap(true);

    m_list->setColumnCount(3);
    m_list->setHeaderLabels({Tr("Holiday"), Tr("Date"), Tr("Required Time")});
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setColumnWidth(0, 150);
    m_list->setColumnWidth(1, 120);
    m_list->setColumnWidth(2, 140);
    QHeaderView* header = m_list->header();
    header->setMinimumSectionSize(40);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setStretchLastSection(false);
    m_list->installEventFilter(this);

    m_currentYearOnly->setChecked(true);
    const QString caption = HolidayImportExportCaption(HolidayImportEnabled(), HolidayExportEnabled());
    m_importExport->setText(caption);
    m_importExport->setVisible(!caption.isEmpty());

    auto* band = new QHBoxLayout;
    band->setSpacing(10);
    band->addWidget(image);
    band->addWidget(description, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_importExport);
    buttons->addStretch(1);
    buttons->addWidget(m_new);
    buttons->addWidget(m_edit);
    buttons->addWidget(m_delete);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);
    layout->addLayout(band);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_currentYearOnly);
    layout->addLayout(buttons);

    connect(header, &QHeaderView::sectionClicked, this, &TfrmBaseHolidays::HeaderClicked);
    connect(header, &QHeaderView::sectionResized, this, [this](int section, int, int size) {
        // The name column keeps room for a name.
        if (section == 0 && size < 150)
            m_list->setColumnWidth(0, 150);
    });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { EditHoliday(); });
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (!m_loading)
            UpdateButtons();
    });
    connect(m_currentYearOnly, &QCheckBox::clicked, this, [this] {
        if (!m_loading)
            FillList(SelectedHoliday());
    });
    connect(m_new, &QPushButton::clicked, this, &TfrmBaseHolidays::NewHoliday);
    connect(m_edit, &QPushButton::clicked, this, &TfrmBaseHolidays::EditHoliday);
    connect(m_delete, &QPushButton::clicked, this, &TfrmBaseHolidays::DeleteHoliday);
    connect(m_importExport, &QPushButton::clicked, this, &TfrmBaseHolidays::ImportExport);

    if (control)
        m_order.referenceWorkTime = ReferenceWorkTime(Section(QStringLiteral("formatting options")));
    header->setSortIndicator(static_cast<int>(m_order.column), Qt::AscendingOrder);
    UpdateButtons();
    RegisterFormatSettingsNotify(this);
}

TfrmBaseHolidays::~TfrmBaseHolidays() {
    UnregisterFormatSettingsNotify(this);
}

void TfrmBaseHolidays::LoadPage() {
    m_loading = true;
    m_holidays = std::make_shared<THolidayList>();
    m_holidays->LoadFromPropertyList(NestedPropertyList(Section(CalendarSection), HolidayListName));
    FillList(nullptr);
    UpdateButtons();
    m_loading = false;
}

bool TfrmBaseHolidays::SavePage() {
    if (m_holidays)
        m_holidays->SaveToPropertyList(Section(CalendarSection)->Items(HolidayListName)->AsPropertyList());
    return true;
}

std::shared_ptr<IHXHoliday_> TfrmBaseHolidays::SelectedHoliday() const {
    const QTreeWidgetItem* item = m_list->currentItem();
    if (!item || !item->isSelected())
        return nullptr;
    const int row = m_list->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item));
    return row >= 0 && row < static_cast<int>(m_rows.size()) ? m_rows[static_cast<size_t>(row)] : nullptr;
}

void TfrmBaseHolidays::FillList(const std::shared_ptr<IHXHoliday_>& select) {
    const bool wasLoading = m_loading;
    m_loading = true;
    m_list->clear();
    m_rows.clear();
    if (m_holidays) {
        const int year = YearOf(TodayDate());
        for (const auto& holiday : m_holidays->Sorted())
            if (!m_currentYearOnly->isChecked() || YearOf(holiday->Date()) == year)
                m_rows.push_back(holiday);
    }
    std::stable_sort(m_rows.begin(), m_rows.end(),
                     [this](const auto& a, const auto& b) { return CompareHolidays(*a, *b, m_order) < 0; });
    const TDateFormatterShortDate dates;
    int selected = -1;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        const auto& holiday = m_rows[i];
        new QTreeWidgetItem(m_list, {holiday->Name(), dates.Format(holiday->Date()),
                                     HolidayWorktimeToText(*holiday->EffectiveWorktime())});
        if (select && SameObject(holiday, select))
            selected = static_cast<int>(i);
    }
    if (selected < 0 && !m_rows.empty())
        selected = 0;
    SelectRow(selected);
    m_loading = wasLoading;
}

void TfrmBaseHolidays::SelectRow(int row) {
    QTreeWidgetItem* item = row >= 0 ? m_list->topLevelItem(row) : nullptr;
    if (!item) {
        m_list->clearSelection();
        m_list->setCurrentItem(nullptr);
        return;
    }
    m_list->setCurrentItem(item);
    item->setSelected(true);
    m_list->scrollToItem(item);
}

void TfrmBaseHolidays::UpdateButtons() {
    const bool selected = SelectedHoliday() != nullptr;
    m_edit->setEnabled(selected);
    m_delete->setEnabled(selected);
}

void TfrmBaseHolidays::HeaderClicked(int column) {
    const auto clicked = static_cast<THolidaySortColumn>(std::clamp(column, 0, 2));
    if (clicked == m_order.column) {
        m_order.ascending = !m_order.ascending;
    } else {
        m_order.column = clicked;
        m_order.ascending = clicked != THolidaySortColumn::Date;
    }
    m_list->header()->setSortIndicator(static_cast<int>(m_order.column),
                                       m_order.ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    FillList(SelectedHoliday());
}

void TfrmBaseHolidays::NewHoliday() {
    if (!m_holidays)
        return;
    const THolidayEditResult result =
        ::EditHoliday(this, m_holidays, nullptr, m_services.addCurrentWindow, m_services.removeCurrentWindow);
    if (!result.ok)
        return;
    FillList(result.holiday);
    UpdateButtons();
    SetModified();
}

void TfrmBaseHolidays::EditHoliday() {
    const auto holiday = SelectedHoliday();
    if (!holiday)
        return;
    const THolidayEditResult result =
        ::EditHoliday(this, m_holidays, holiday, m_services.addCurrentWindow, m_services.removeCurrentWindow);
    if (!result.ok)
        return;
    FillList(result.holiday);
    UpdateButtons();
    SetModified();
}

void TfrmBaseHolidays::DeleteHoliday() {
    const auto holiday = SelectedHoliday();
    if (!holiday)
        return;
    const int answer =
        ShowMessageBox(this, Tr("Delete Holiday"),
                       FormatPlaceholders(Tr("Are you sure you want to delete the holiday \"%1\"?"), {holiday->Name()}),
                       QString(), MessageBoxKind::Question, MessageBoxButton::Yes | MessageBoxButton::No);
    if (answer != MessageBoxResult::Yes)
        return;
    m_loading = true;
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    m_holidays->Remove(holiday);
    m_rows.erase(m_rows.begin() + row);
    delete m_list->takeTopLevelItem(row);
    SelectRow(std::min(row, static_cast<int>(m_rows.size()) - 1));
    m_loading = false;
    UpdateButtons();
    SetModified();
}

void TfrmBaseHolidays::ImportExport() {
    // Export is not offered (HolidayExportEnabled), so the button only ever imports.
    if (HolidayImportEnabled())
        Import();
}

void TfrmBaseHolidays::Import() {
    if (!m_holidays || !m_services.createFile)
        return;
    const QString caption = Tr("Import Holidays");
    TFileDialogRequest request;
    request.caption = caption;
    request.filters = HolidayFileFilters();
    request.defaultExtension = QString::fromLatin1(HolidayFileExtension);
    const QString fileName = GetOpenFileName(this, request);
    if (fileName.isEmpty())
        return;
    THolidayImport imported;
    try {
        imported = ImportHolidayFile(*m_holidays, m_services.createFile, fileName);
    } catch (const std::exception& e) {
        // The merge works on a copy: a file that fails anywhere leaves the list as it was.
        ShowMessageBox(this, caption,
                       Tr("An error occurred while importing holidays. See details for further information. Your "
                          "list of holidays has not been changed."),
                       ExceptionToText(e), MessageBoxKind::Warning, MessageBoxButton::OK | MessageBoxButton::Details);
        return;
    }
    m_holidays = imported.merged;
    FillList(nullptr);
    UpdateButtons();
    SetModified();
    if (imported.skipped > 0)
        ShowMessageBox(this, caption,
                       FormatPlaceholders(TrN("%1 holiday of the file has no valid date and was not imported.",
                                              "%1 holidays of the file have no valid date and were not imported.",
                                              static_cast<unsigned long>(imported.skipped)),
                                          {QString::number(imported.skipped)}),
                       MessageBoxKind::Information);
}

void TfrmBaseHolidays::FormatSettingsChanged() {
    if (m_holidays)
        FillList(SelectedHoliday());
}

bool TfrmBaseHolidays::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            DeleteHoliday();
            return true;
        }
    }
    return TfrmOptionsPage::eventFilter(watched, event);
}

std::shared_ptr<TOptionsPage> CreateHolidaysOptionsPage(const std::weak_ptr<IApplication_>& application) {
    const TOptionsPage::TCreate create = [application](QWidget* parent, IHXOptionsControl_* control) {
        THolidayPageServices services;
        services.createFile = [application]() -> std::shared_ptr<TXMZFile> {
            const auto app = application.lock();
            const auto tools = app ? app->GetTools() : nullptr;
            return tools ? tools->CreateNewXMZFile() : std::make_shared<TXMZFile>();
        };
        services.addCurrentWindow = [application](QWidget* window) {
            if (const auto app = application.lock())
                app->AddCurrentWindow(window);
        };
        services.removeCurrentWindow = [application](QWidget* window) {
            if (const auto app = application.lock())
                app->RemoveCurrentWindow(window);
        };
        return new TfrmBaseHolidays(parent, control, std::move(services));
    };
    return std::make_shared<TOptionsPage>(Tr("Holidays"), 300, create, std::function<bool()>(), QSize(476, 400));
}
