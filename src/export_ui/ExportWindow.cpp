#include "export_ui/ExportWindow.h"

#include "foundation/DateTime.h"
#include "foundation/Translation.h"
#include "foundation/VRNTools.h"
#include "ui/BusyCursor.h"
#include "ui/DateEditFormat.h"
#include "ui/DateRangeLayout.h"
#include "ui/FileDialog.h"
#include "ui/MessageBox.h"
#include "ui/OKCancelPanel.h"

#include <QDateEdit>
#include <QLabel>

namespace {

const QString kProduct = QStringLiteral("Varnelo Horalux");

} // namespace

TfrmBaseExport::TfrmBaseExport(std::shared_ptr<IHXTypedStorage_> storage, ActivityTreePtr tree, QWidget* parent)
    : ThxBaseForm(parent), m_storage(std::move(storage)), m_tree(std::move(tree)) {
    setWindowTitle(FormatPlaceholders(Tr("%1 Export"), {kProduct}));
    // A fixed dialog with only the close button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto* description = new QLabel(Tr("Select the period of time for which you want to export data."), this);
    description->setWordWrap(true);
    m_start = NewDatePicker(this);
    m_end = NewDatePicker(this);
    m_panel = new TOKCancelPanel(this);
    m_panel->SetButtons(true, true, false);
    LayOutDateRangeDialog(this, description, m_start, m_end, m_panel);
    // The designed size; the layout keeps everything visible in larger fonts.
    resize(278, 187);
    setFixedSize(sizeHint().expandedTo(QSize(278, 187)));

    double earliest = 0;
    double latest = 0;
    bool found = false;
    if (m_storage)
        m_storage->GetExistingMinMaxDate(earliest, latest, found);
    const double today = TodayDate();
    m_start->setDate(QDateFromDate(found ? earliest : today));
    m_end->setDate(QDateFromDate(found ? latest : today));
    connect(m_start, &QDateEdit::dateChanged, this, &TfrmBaseExport::StartChanged);
    connect(m_end, &QDateEdit::dateChanged, this, &TfrmBaseExport::EndChanged);
    connect(m_panel, &TOKCancelPanel::OKClicked, this, &TfrmBaseExport::ExportNow);
    SetPositionName(QStringLiteral("frmBaseExport"), false);
}

double TfrmBaseExport::StartDate() const {
    return DateFromQDate(m_start->date());
}

double TfrmBaseExport::EndDate() const {
    return DateFromQDate(m_end->date());
}

void TfrmBaseExport::SetStartDate(double date) {
    m_start->setDate(QDateFromDate(date));
}

void TfrmBaseExport::SetEndDate(double date) {
    m_end->setDate(QDateFromDate(date));
}

void TfrmBaseExport::StartChanged() {
    if (m_start->date() > m_end->date())
        m_end->setDate(m_start->date());
}

void TfrmBaseExport::EndChanged() {
    if (m_start->date() > m_end->date())
        m_start->setDate(m_end->date());
}

QStringList TfrmBaseExport::Filters() {
    return {Tr("CSV (comma delimited) (*.csv)"), Tr("Unicode text (*.txt)"), Tr("UTF-8 text (*.txt)")};
}

bool TfrmBaseExport::ExportNow() {
    TFileDialogRequest request;
    request.caption = windowTitle();
    request.filters = Filters();
    int filter = 0;
    const QString fileName = GetSaveFileName(this, request, &filter);
    if (fileName.isEmpty())
        return false;
    try {
        TBusyCursor busy;
        ExportToFile(*m_storage, m_tree, StartDate(), EndDate(), fileName, static_cast<TExportFormat>(filter + 1));
    } catch (const std::exception& e) {
        // The window stays open; what is on disk is as it was before (the file is replaced only
        // once it was written completely).
        ShowErrorBox(this, windowTitle(), FormatPlaceholders(Tr("The data could not be exported to %1."), {fileName}),
                     e);
        return false;
    }
    accept();
    return true;
}

void ShowExportWindow(const std::shared_ptr<IHXTypedStorage_>& storage, const ActivityTreePtr& tree,
                      const std::function<void(QWidget*)>& addCurrent,
                      const std::function<void(QWidget*)>& removeCurrent) {
    TfrmBaseExport window(storage, tree);
    ExecAsCurrentWindow(window, addCurrent, removeCurrent);
}
