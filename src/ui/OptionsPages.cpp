#include "ui/OptionsPages.h"

#include "foundation/VRNException.h"

#include <algorithm>

void TOptionsPagesList::Add(OptionsPagePtr page) {
    if (!page)
        throw EUnassignedArgumentError(QStringLiteral("TOptionsPagesList.Add"));
    m_pages.push_back(std::move(page));
}

OptionsPagePtr TOptionsPagesList::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EVRNListError(QStringLiteral("TOptionsPagesList: index %1 out of range").arg(index));
    return m_pages[static_cast<size_t>(index)];
}

void TOptionsPagesList::SortByOrder() {
    std::stable_sort(m_pages.begin(), m_pages.end(),
                     [](const OptionsPagePtr& a, const OptionsPagePtr& b) { return a->GetOrder() < b->GetOrder(); });
}

TfrmOptionsPage::TfrmOptionsPage(QWidget* parent, IHXOptionsControl_* control)
    : TfrmBaseAddInControl(parent), m_control(control) {}

std::shared_ptr<IHXPropertyList_> TfrmOptionsPage::Section(const QString& name) const {
    if (!m_control)
        throw EVRNException(QStringLiteral("TfrmOptionsPage: the page has no options dialog"));
    return m_control->GetSection(name);
}

void TfrmOptionsPage::SetModified() {
    if (m_control)
        m_control->SetModified();
}

TOptionsPage::TOptionsPage(QString caption, int order, TCreate create, std::function<bool()> available,
                           QSize minimumSize)
    : m_caption(std::move(caption)), m_order(order), m_create(std::move(create)), m_available(std::move(available)),
      m_minimumSize(minimumSize) {
    if (!m_create)
        throw EUnassignedArgumentError(QStringLiteral("TOptionsPage: no page window"));
}

TOptionsPage::~TOptionsPage() {
    FreePage();
}

IHXAddInControl_* TOptionsPage::CreatePage(QWidget* parent, IHXOptionsControl_* control) {
    FreePage();
    m_window = m_create(parent, control);
    return m_window.data();
}

void TOptionsPage::FreePage() {
    delete m_window.data();
    m_window = nullptr;
}

void TOptionsPage::LoadPage() {
    if (m_window)
        m_window->LoadPage();
}

bool TOptionsPage::SavePage() {
    return !m_window || m_window->SavePage();
}
