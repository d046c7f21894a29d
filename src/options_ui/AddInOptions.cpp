#include "options_ui/AddInOptions.h"

#include "addins/ApplicationInterface.h"
#include "foundation/Translation.h"
#include "foundation/VRNException.h"
#include "model/PropertyHelpers.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace {

const QString kAddIns = QStringLiteral("addins");
constexpr int IdRole = Qt::UserRole;

} // namespace

TfrmAddInOptions::TfrmAddInOptions(QWidget* parent, IHXOptionsControl_* control,
                                   std::function<std::vector<AddInPtr>()> knownAddIns)
    : TfrmOptionsPage(parent, control), m_list(new QListWidget(this)), m_knownAddIns(std::move(knownAddIns)) {
    setObjectName(QStringLiteral("frmAddInOptions"));
    auto* description = new QLabel(Tr("Activate and deactivate add-ins. Any changes made here will not be effective "
                                      "before the next program start."),
                                   this);
    description->setWordWrap(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);
    layout->addWidget(description);
    layout->addWidget(m_list, 1);
    connect(m_list, &QListWidget::itemChanged, this, [this](QListWidgetItem*) {
        if (!m_filling)
            SetModified();
    });
}

void TfrmAddInOptions::LoadPage() {
    m_filling = true;
    m_list->clear();
    const auto section = Section(kAddIns);
    const std::vector<AddInPtr> addIns = m_knownAddIns ? m_knownAddIns() : std::vector<AddInPtr>();
    for (const AddInPtr& addIn : addIns) {
        try {
            if (!addIn || !addIn->AllowDeactivate())
                continue;
            const QString id = addIn->GetID();
            const QString name = addIn->GetName();
            auto* item = new QListWidgetItem(name);
            item->setData(IdRole, id);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(FindBooleanDef(section, id, true) ? Qt::Checked : Qt::Unchecked);
            m_list->addItem(item);
        } catch (const std::exception& e) {
            // An add-in that cannot tell its name is not offered.
            LogException(QStringLiteral("TfrmAddInOptions.LoadPage"), e);
        }
    }
    m_list->sortItems(Qt::AscendingOrder);
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
    m_filling = false;
}

bool TfrmAddInOptions::SavePage() {
    const auto section = Section(kAddIns);
    for (int i = 0; i < m_list->count(); ++i) {
        const QListWidgetItem* item = m_list->item(i);
        section->Items(item->data(IdRole).toString())->SetAsBoolean(item->checkState() == Qt::Checked);
    }
    return true;
}

QString TAddInOptionsPage::GetID() {
    return QString::fromLatin1(ID);
}

QString TAddInOptionsPage::GetName() {
    return Tr("Add-In Options Page");
}

void TAddInOptionsPage::LaunchAddIn(const std::shared_ptr<IApplication_>& application) {
    TInternalAddIn::LaunchAddIn(application);
    const auto pages = Application().GetOptionsPagesList();
    if (!pages)
        return;
    // The page lives as long as the application's page list: it must not keep the application.
    std::weak_ptr<IApplication_> weak = application;
    const auto known = [weak] {
        std::vector<AddInPtr> addIns;
        if (const auto app = weak.lock())
            for (int i = 0; i < app->GetAddInCount(); ++i)
                addIns.push_back(app->GetAddIn(i));
        return addIns;
    };
    pages->Add(
        std::make_shared<TOptionsPage>(Tr("Add-Ins"), 1000, [known](QWidget* parent, IHXOptionsControl_* control) {
            return new TfrmAddInOptions(parent, control, known);
        }));
}
