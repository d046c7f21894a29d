#include "options_ui/OptionsDialog.h"

#include "foundation/Translation.h"
#include "foundation/VRNTools.h"
#include "model/PropertyList.h"
#include "ui/AddInControl.h"
#include "ui/MessageBox.h"
#include "ui/OKCancelPanel.h"
#include "ui/PageControl.h"
#include "ui/ProgramClosing.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace {

const QString kProduct = QStringLiteral("Varnelo Horalux");
// The page area as designed; pages that need more say so through their minimum size.
constexpr int DesignedAreaWidth = 440;
constexpr int DesignedAreaHeight = 330;

} // namespace

TfrmOptions::TfrmOptions(QWidget* parent)
    : ThxBaseForm(parent), m_pages(new TPageControl(this)), m_panel(new TOKCancelPanel(this)),
      m_working(std::make_shared<TPropertyList>(40)) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(FormatPlaceholders(Tr("%1 Options"), {kProduct}));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    m_panel->OKButton()->setText(Tr("&OK"));
    m_panel->ApplyButton()->setEnabled(false);

    auto* content = new QVBoxLayout;
    content->setContentsMargins(8, 8, 8, 8);
    content->addWidget(m_pages, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(content, 1);
    layout->addWidget(m_panel);

    m_pages->SetChangeGuard([this](int from, int) {
        if (!MayLeave(from))
            return false;
        // The page area hides the focused control while it switches; remember where it was.
        const QWidget* focus = QApplication::focusWidget();
        m_focusInPages = !focus || m_pages->isAncestorOf(focus);
        return true;
    });
    connect(m_pages, &TPageControl::PageChanged, this, &TfrmOptions::Entered);
    connect(m_panel, &TOKCancelPanel::OKClicked, this, &TfrmOptions::OK);
    connect(m_panel, &TOKCancelPanel::ApplyClicked, this, &TfrmOptions::Apply);
    // The tab keys are the dialog's, whatever control has the focus.
    qApp->installEventFilter(this);
    SetPositionName(QStringLiteral("Options"), false);
}

TfrmOptions::~TfrmOptions() {
    qApp->removeEventFilter(this);
    // The pages go before their host controls.
    for (TOptionsTabSheet& tab : m_tabs) {
        tab.control->SetAddInControl(nullptr);
        try {
            tab.page->FreePage();
        } catch (const std::exception&) {
            // A page that cannot free its window leaves it to its host control.
        }
    }
}

void TfrmOptions::SetApplication(const std::shared_ptr<TOptionsPagesList>& pages, std::function<void()> saveAll) {
    m_saveAll = std::move(saveAll);
    if (pages) {
        pages->SortByOrder();
        for (int i = 0; i < pages->Count(); ++i) {
            const OptionsPagePtr page = pages->Items(i);
            if (!page->IsAvailable())
                continue;
            auto* control = new ThxAddInControl;
            m_pages->AddPage(control, page->GetCaption());
            m_tabs.push_back(TOptionsTabSheet{page, control, false});
        }
    }
    // Every page gets the largest minimum size of a page.
    QSize area(DesignedAreaWidth, DesignedAreaHeight);
    for (const TOptionsTabSheet& tab : m_tabs)
        area = area.expandedTo(tab.page->GetMinimumSize());
    for (const TOptionsTabSheet& tab : m_tabs)
        tab.control->setMinimumSize(area);

    QList<QWidget*> tabOrder;
    for (const TOptionsTabSheet& tab : m_tabs) {
        IHXAddInControl_* page = tab.page->CreatePage(tab.control->GetContainerHandle(), this);
        tab.control->SetAddInControl(page);
        tabOrder << tab.control->TabStops();
    }
    // The pages' controls come before the buttons, whatever order they were created in.
    tabOrder << m_panel->OKButton() << m_panel->CancelButton() << m_panel->ApplyButton();
    ChainTabOrder(tabOrder);
    setFixedSize(sizeHint());

    if (m_options && CurrentTab() >= 0)
        LoadTab(CurrentTab());
}

void TfrmOptions::SetOptions(const std::shared_ptr<IHXPropertyList_>& options) {
    m_options = options;
    m_working->Assign(options);
    if (CurrentTab() >= 0)
        LoadTab(CurrentTab());
    m_changed = false;
    UpdateApply();
}

std::shared_ptr<IHXPropertyList_> TfrmOptions::GetSection(const QString& name) {
    return m_working->Items(name)->AsPropertyList();
}

void TfrmOptions::SetModified() {
    // Pages filling their controls are not changes of the user's.
    if (m_loading)
        return;
    m_changed = true;
    UpdateApply();
}

void TfrmOptions::UpdateApply() {
    m_panel->ApplyButton()->setEnabled(m_changed);
}

QString TfrmOptions::TabCaption(int index) const {
    return m_pages->TabBar()->tabText(index);
}

int TfrmOptions::CurrentTab() const {
    return m_tabs.empty() ? -1 : m_pages->CurrentIndex();
}

bool TfrmOptions::SelectTab(int index) {
    return m_pages->SelectPage(index);
}

void TfrmOptions::LoadTab(int index) {
    TOptionsTabSheet& tab = m_tabs.at(static_cast<size_t>(index));
    m_loading = true;
    try {
        tab.page->LoadPage();
    } catch (...) {
        m_loading = false;
        throw;
    }
    m_loading = false;
    tab.loaded = true;
}

bool TfrmOptions::MayLeave(int from) {
    if (from < 0 || from >= TabCount())
        return true;
    const TOptionsTabSheet& tab = m_tabs[static_cast<size_t>(from)];
    return !tab.loaded || tab.page->SavePage();
}

void TfrmOptions::Entered(int index) {
    LoadTab(index);
    if (m_focusInPages)
        FocusFirstControl();
}

void TfrmOptions::FocusFirstControl() {
    const int index = CurrentTab();
    if (index >= 0)
        if (IHXAddInControl_* page = m_tabs[static_cast<size_t>(index)].control->AddInControl()) {
            page->FocusFirst();
            // The dialog's own focus widget: before the window is active the application has none.
            if (const QWidget* focus = focusWidget(); focus && m_pages->isAncestorOf(focus))
                return;
        }
    m_panel->OKButton()->setFocus(Qt::TabFocusReason);
}

bool TfrmOptions::Apply() {
    if (!m_changed)
        return true;
    for (TOptionsTabSheet& tab : m_tabs)
        if (tab.loaded && !tab.page->SavePage())
            return false;
    if (m_options)
        m_options->Assign(m_working);
    if (m_saveAll)
        m_saveAll();
    m_changed = false;
    UpdateApply();
    return true;
}

bool TfrmOptions::OK() {
    if (!Apply())
        return false;
    accept();
    return true;
}

void TfrmOptions::reject() {
    if (!m_changed || ProgramIsClosing()) {
        ThxBaseForm::reject();
        return;
    }
    const int answer = ShowMessageBox(
        this, windowTitle(), Tr("Some options have been changed. Do you want to save these changes?"), QString(),
        MessageBoxKind::Question, MessageBoxButton::Yes | MessageBoxButton::No | MessageBoxButton::Cancel);
    if (ProgramIsClosing()) {
        ThxBaseForm::reject();
        return;
    }
    if (answer == MessageBoxResult::Yes)
        OK();
    else if (answer == MessageBoxResult::No)
        ThxBaseForm::reject();
}

void TfrmOptions::showEvent(QShowEvent* event) {
    ThxBaseForm::showEvent(event);
    FocusFirstControl();
}

bool TfrmOptions::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != this)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers =
        key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    bool forward = true;
    if (modifiers == Qt::ControlModifier && key->key() == Qt::Key_Tab)
        forward = true;
    else if (modifiers == (Qt::ControlModifier | Qt::ShiftModifier) &&
             (key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Tab))
        forward = false;
    else if (modifiers == Qt::ControlModifier && key->key() == Qt::Key_PageDown)
        forward = true;
    else if (modifiers == Qt::ControlModifier && key->key() == Qt::Key_PageUp)
        forward = false;
    else
        return false;
    m_pages->SelectNextPage(forward);
    return true;
}

void ShowOptionsDialog(const std::shared_ptr<TOptionsPagesList>& pages,
                       const std::shared_ptr<IHXPropertyList_>& options, const std::function<void()>& saveAll,
                       const std::function<void(QWidget*)>& addCurrent,
                       const std::function<void(QWidget*)>& removeCurrent) {
    TfrmOptions dialog;
    dialog.SetApplication(pages, saveAll);
    dialog.SetOptions(options);
    ExecAsCurrentWindow(dialog, addCurrent, removeCurrent);
}
